#include "bare_kernel.h"

#include <cmath>

namespace bench {
namespace {

struct V {
    double x, y, z;
};

V operator+(V a, V b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V operator*(V a, double s) { return {a.x * s, a.y * s, a.z * s}; }
V operator*(V a, V b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V load(const double v[3]) { return {v[0], v[1], v[2]}; }

V normalized(V v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? v * (1.0 / length) : V{0.0, 1.0, 0.0};
}

double clampedAtZero(double v) { return v > 0.0 ? v : 0.0; }
double clampedAtOne(double v) { return v > 1.0 || std::isnan(v) ? 1.0 : v; }

}  // namespace

void bareSheen(const BareParameters& p, const ItemInfo& items, const double ambient[3],
               ShadingRecord& record) {
    const V N = load(record.wNorm);
    const V W = load(record.wPos);
    const double e = 0.015625 / record.roughness;
    const double r = std::sqrt(e);
    const double d = p.densityByLuminosity ? p.density * record.luminous : p.density;
    const V view = normalized(load(record.raySource) - W);

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
        record.illuminate(light, point, direction, arriving);

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
    const V color = load(record.color);
    V R = S * record.specular + (B * color) * record.diffuse;
    if (!p.densityByLuminosity) R = R + color * record.luminous;

    record.color[0] = clampedAtOne(R.x);
    record.color[1] = clampedAtOne(R.y);
    record.color[2] = clampedAtOne(R.z);
    record.luminous = 1.0;
    record.diffuse = 0.0;
    record.specular = 0.0;
}

}  // namespace bench
