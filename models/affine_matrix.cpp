#include "models/affine_matrix.h"

#include <cmath>
#include <numbers>

namespace models {
namespace {

struct SineCosine {
    double sine;
    double cosine;
};

// Exact at whole quarter turns, so that a turn of 90 degrees leaves no 6e-17 behind.
SineCosine sineCosineOfDegrees(double degrees) {
    const double turn = std::fmod(degrees, 360.0);
    const double positive = turn < 0.0 ? turn + 360.0 : turn;
    if (positive == 0.0) return {0.0, 1.0};
    if (positive == 90.0) return {1.0, 0.0};
    if (positive == 180.0) return {0.0, -1.0};
    if (positive == 270.0) return {-1.0, 0.0};
    const double radians = turn * (std::numbers::pi / 180.0);
    return {std::sin(radians), std::cos(radians)};
}

}  // namespace

AffineMatrix operator*(const AffineMatrix& outer, const AffineMatrix& inner) {
    return {outer.direction(inner.right), outer.direction(inner.up), outer.direction(inner.forward),
            outer.point(inner.translation)};
}

AffineMatrix translation(const base::Triple& offset) {
    AffineMatrix m;
    m.translation = offset;
    return m;
}

AffineMatrix scaling(const base::Triple& factors) {
    return {{factors[0], 0.0, 0.0}, {0.0, factors[1], 0.0}, {0.0, 0.0, factors[2]}, {}};
}

AffineMatrix heading(double degrees) {
    const auto [s, c] = sineCosineOfDegrees(degrees);
    return {{c, 0.0, -s}, {0.0, 1.0, 0.0}, {s, 0.0, c}, {}};
}

AffineMatrix pitch(double degrees) {
    const auto [s, c] = sineCosineOfDegrees(degrees);
    return {{1.0, 0.0, 0.0}, {0.0, c, s}, {0.0, -s, c}, {}};
}

AffineMatrix bank(double degrees) {
    const auto [s, c] = sineCosineOfDegrees(degrees);
    return {{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}, {}};
}

std::optional<base::Triple> pointBefore(const AffineMatrix& m, const base::Triple& p) {
    // The inverse's rows are the cross products of the columns over the determinant.
    const base::Triple upForward = base::cross(m.up, m.forward);
    const base::Triple forwardRight = base::cross(m.forward, m.right);
    const base::Triple rightUp = base::cross(m.right, m.up);
    const double determinant = base::dot(m.right, upForward);
    if (!std::isnormal(determinant)) return std::nullopt;
    const base::Triple offset = p - m.translation;
    return base::Triple{base::dot(upForward, offset) / determinant,
                        base::dot(forwardRight, offset) / determinant,
                        base::dot(rightUp, offset) / determinant};
}

}  // namespace models
