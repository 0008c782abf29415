// The sheen model: for every light a grazing term (density times the squared sine between
// light and normal), a Lambert term weighted by transparency and the view cosine, and a
// sheen lobe (the squared sine between half vector and normal raised to e = 1/(64 roughness),
// weighted by density and sqrt(e)), optionally faded out where L.N falls to 0.2.
#include <cmath>

#include "framework/host_services.h"
#include "framework/light_sample.h"
#include "framework/sample_context.h"
#include "geometry/constants.h"
#include "framework/scene_view.h"
#include "shader/sheen_shader.h"

namespace pelorix3 {

namespace {

double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Below zero or not a number becomes 0.
double clampedAtZero(double v) { return v > 0.0 ? v : 0.0; }

Vec3 scaled(Vec3 v, double s) { return v *= s; }

Vec3 negated(const Vec3& v) { return {-v.x, -v.y, -v.z}; }

Vec3 sum(Vec3 a, const Vec3& b) { return a += b; }

// N × (v × N): the part of v in the tangent plane (times |N|²). Inline: it runs twice per
// light.
inline Vec3 tangential(const Vec3& v, const Vec3& N) {
    Vec3 X = N.cross(v);
    X.crossAssign(N);
    return X;
}

// A point a hair's breadth toward the light, so the host's shadow ray does not start
// inside the surface it leaves.
Vec3 nudgedTowardLight(const SheenShader& shader, HostItem light, const Vec3& point) {
    LightSample sample(&shader);
    sample.id = light;
    sample.setup();
    Vec3 P = point;
    P.addScaled((sample.worldPosition - P).normalized(), 1e-7);
    return P;
}

// 1 - (1 - q)^3 with q = max(L.N - 0.2, 0): nothing at or below 0.2, 0.992 at L.N = 1.
double shadowFade(double LdotN) {
    const double t = LdotN - 0.2;
    const double q = t > 0.0 ? t : 0.0;
    return 1.0 - std::pow(1.0 - q, 3.0);
}

}  // namespace

int SheenShader::evaluate(SampleContext& context) {
    const ItemInfo* items = hostServices.itemInfo;
    if (items == nullptr || items->first == nullptr || items->next == nullptr ||
        hostServices.lightInfo == nullptr)
        return 0;

    const Vec3& N = context.normal;
    // A roughness that is not positive has no lobe: the sheen term is left out. So has one
    // so small that the exponent overflows: the lobe's limit there is nothing, where
    // 0 × infinity would give not-a-number and a white sample.
    const double exponent = context.roughness > 0.0 ? 0.015625 / context.roughness : 0.0;
    const bool hasLobe = exponent > 0.0 && std::isfinite(exponent);
    const double e = hasLobe ? exponent : 0.0;
    const double r = std::sqrt(e);
    const double d = densityByLuminosity ? density * context.luminous : density;
    const Vec3 V = (context.raySource - context.worldPosition).normalized();

    Vec3 S = colorBlack;
    Vec3 B = colorBlack;
    Vec3 direction = colorBlack;  // cleared once per sample, not between lights
    Vec3 K = colorBlack;
    for (HostItem light = items->first(HOST_LIGHT, nullptr); light; light = items->next(light)) {
        const Vec3 P = nudgedTowardLight(*this, light, context.worldPosition);
        context.illuminate(light, P, direction, K, "");
        const Vec3 L = negated(direction);
        const Vec3 T_L = tangential(L, N);
        const Vec3 H = sum(V, L).normalized();
        const Vec3 T_H = tangential(H, N);
        if (dontOverlapShadows) K *= shadowFade(dot(L, N));

        const double A = transparency * clampedAtZero(dot(V, N));
        if (hasLobe) {
            const double s = clampedAtZero(dot(H, T_H));
            S += scaled(K, std::pow(s, e) * d * r);
        }
        const double f = clampedAtZero(dot(T_L, L));
        const double g = clampedAtZero(dot(L, N));
        B += scaled(K, d * f + A * g);
    }
    B += sceneView.ambient;
    S *= specularColor;

    Vec3 R = scaled(S, context.specular);
    Vec3 body = B;
    body *= context.color;
    R.addScaled(body, context.diffuse);
    if (!densityByLuminosity) R.addScaled(context.color, context.luminous);
    R.clampMax(1.0);

    context.color = R;
    context.luminous = 1.0;
    context.diffuse = 0.0;
    context.specular = 0.0;
    return 0;
}

}  // namespace pelorix3
