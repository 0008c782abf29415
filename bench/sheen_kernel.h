// The sheen arithmetic written inline, shared by the bare and the floor kernel: each
// includes it in its own translation unit, so the compiler inlines it into both alike. The
// caller supplies the surface and the illumination call; the kernel walks the lights
// through the host's item table, makes the five item parameter queries and the nudge per
// light, and returns the colour, clamped at 1.
#ifndef PELORIX3_BENCH_SHEEN_KERNEL_H
#define PELORIX3_BENCH_SHEEN_KERNEL_H

#include <cmath>

#include "bench/bare_kernel.h"
#include "framework/host_interface.h"

namespace bench {

struct V {
    double x, y, z;
};

inline V operator+(V a, V b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V operator*(V a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V operator*(V a, V b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V cross(V a, V b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline V load(const double v[3]) { return {v[0], v[1], v[2]}; }

inline V normalized(V v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? v * (1.0 / length) : V{0.0, 1.0, 0.0};
}

inline double clampedAtZero(double v) { return v > 0.0 ? v : 0.0; }
inline double clampedAtOne(double v) { return v > 1.0 || std::isnan(v) ? 1.0 : v; }

// What the kernel reads of a sample.
struct Surface {
    V position, normal, raySource, color;
    double luminous, diffuse, specular, roughness;
};

// illuminate(light, point, direction, arriving) asks the host for the light at point.
template <class Illuminate>
V sheenKernel(const BareParameters& p, const ItemInfo& items, const double ambient[3],
              const Surface& surface, Illuminate illuminate) {
    const V N = surface.normal;
    const V W = surface.position;
    const double e = 0.015625 / surface.roughness;
    const double r = std::sqrt(e);
    const double d = p.densityByLuminosity ? p.density * surface.luminous : p.density;
    const V view = normalized(surface.raySource - W);

    V S{0.0, 0.0, 0.0};
    V B{0.0, 0.0, 0.0};
    double direction[3] = {0.0, 0.0, 0.0};
    double arriving[3] = {0.0, 0.0, 0.0};
    for (HostItem light = items.first(HOST_LIGHT, nullptr); light; light = items.next(light)) {
        double position[3], world[3], forward[3], right[3], up[3];
        items.param(light, HOST_PARAM_POSITION, 0.0, position);
        items.param(light, HOST_PARAM_W_POSITION, 0.0, world);
        items.param(light, HOST_PARAM_FORWARD, 0.0, forward);
        items.param(light, HOST_PARAM_RIGHT, 0.0, right);
        items.param(light, HOST_PARAM_UP, 0.0, up);
        const V P = W + normalized(load(world) - W) * 1e-7;
        const double point[3] = {P.x, P.y, P.z};
        illuminate(light, point, direction, arriving);

        V K = load(arriving);
        const V L = load(direction) * -1.0;
        const V T_L = cross(N, cross(L, N));
        const V H = normalized(view + L);
        const V T_H = cross(N, cross(H, N));
        if (p.dontOverlapShadows) {
            const double q = clampedAtZero(dot(L, N) - 0.2);
            K = K * (1.0 - std::pow(1.0 - q, 3.0));
        }
        const double A = p.transparency * clampedAtZero(dot(view, N));
        S = S + K * (std::pow(clampedAtZero(dot(H, T_H)), e) * d * r);
        B = B + K * (d * clampedAtZero(dot(T_L, L)) + A * clampedAtZero(dot(L, N)));
    }
    B = B + load(ambient);
    S = S * load(p.specularColor);
    V R = S * surface.specular + (B * surface.color) * surface.diffuse;
    if (!p.densityByLuminosity) R = R + surface.color * surface.luminous;
    return {clampedAtOne(R.x), clampedAtOne(R.y), clampedAtOne(R.z)};
}

}  // namespace bench

#endif
