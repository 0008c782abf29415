#include "models/surface_units.h"

#include <algorithm>
#include <cmath>

namespace models {
namespace {

constexpr double kLargestGlossiness = 100.0;

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double smoothingAngle(double radians) { return std::clamp(radians, 0.0, kPi); }

double roughnessFromGlossiness(double glossiness) {
    const double g = std::clamp(glossiness, -kLargestGlossiness, kLargestGlossiness);
    return std::exp2(-(10.0 * g + 2.0));
}

double glossinessFromRoughness(double roughness) { return (-std::log2(roughness) - 2.0) / 10.0; }

double roughnessFromExponent(std::int16_t exponent) {
    return 1.0 / std::max(1.0, static_cast<double>(exponent));
}

std::optional<std::int16_t> exponentFromRoughness(double roughness) {
    const double exponent = std::round(1.0 / roughness);
    if (!(exponent >= 1.0 && exponent <= kLargestLwobExponent)) return std::nullopt;
    return static_cast<std::int16_t>(exponent);
}

}  // namespace models
