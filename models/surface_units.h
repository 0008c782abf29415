// How the numbers an object file keeps for a surface become the values the renderer and the
// shader work with, and back. The files keep a glossiness; the shader sees a roughness. How
// the renderer turns one into the other is not written down anywhere the tool can read, so
// the tool assumes roughness = 1 / specular exponent: the default glossiness (exponent 64)
// then gives the preview's default roughness 1/64.
#ifndef PELORIX3_MODELS_SURFACE_UNITS_H
#define PELORIX3_MODELS_SURFACE_UNITS_H

#include <cstdint>
#include <optional>

namespace models {

// LWO2: glossiness g, of which the specular exponent is 2^(10 g + 2). A glossiness beyond
// +-100 counts as +-100, so that the roughness stays a positive finite number.
double roughnessFromGlossiness(double glossiness);
double glossinessFromRoughness(double roughness);

// LWOB: the specular exponent itself, a whole number the file holds from 1 to 32767. One
// below 1 counts as 1, the widest highlight.
inline constexpr int kLargestLwobExponent = 32767;
double roughnessFromExponent(std::int16_t exponent);
// The nearest exponent, or nothing when it would fall outside 1 to 32767 (a roughness above
// 2, or below about 1/32767).
std::optional<std::int16_t> exponentFromRoughness(double roughness);

// A smoothing angle in radians as the renderer uses it: none, or one of 0 or less, is flat
// (0); one beyond pi smooths every edge, as pi does.
double smoothingAngle(double radians);

// LWOB's fractions in two bytes, 256 = 100 %.
inline constexpr double kLwobFractionScale = 256.0;

}  // namespace models

#endif
