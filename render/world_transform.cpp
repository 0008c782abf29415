#include "render/world_transform.h"

#include <algorithm>
#include <cmath>

namespace render {
namespace {

double determinant(const Matrix3& m) {
    return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
           m[2] * (m[3] * m[7] - m[4] * m[6]);
}

// The cofactors of `m`, in their places: det(m) times its inverse transpose.
Matrix3 cofactors(const Matrix3& m) {
    return {m[4] * m[8] - m[5] * m[7], m[5] * m[6] - m[3] * m[8], m[3] * m[7] - m[4] * m[6],
            m[2] * m[7] - m[1] * m[8], m[0] * m[8] - m[2] * m[6], m[1] * m[6] - m[0] * m[7],
            m[1] * m[5] - m[2] * m[4], m[2] * m[3] - m[0] * m[5], m[0] * m[4] - m[1] * m[3]};
}

}  // namespace

base::Triple multiply(const Matrix3& m, const base::Triple& v) {
    return {m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
            m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
}

Matrix3 WorldTransform::linear() const {
    return {right[0], up[0], forward[0], right[1], up[1], forward[1], right[2], up[2], forward[2]};
}

bool WorldTransform::isFinite() const {
    const auto finite = [](const base::Triple& t) {
        return std::all_of(t.begin(), t.end(), [](double x) { return std::isfinite(x); });
    };
    return finite(origin) && finite(right) && finite(up) && finite(forward);
}

std::optional<Matrix3> inverse(const Matrix3& m) {
    const double det = determinant(m);
    if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
    const Matrix3 c = cofactors(m);
    // The inverse is the transposed cofactors over the determinant.
    return Matrix3{c[0] / det, c[3] / det, c[6] / det, c[1] / det, c[4] / det,
                   c[7] / det, c[2] / det, c[5] / det, c[8] / det};
}

Matrix3 normalMatrix(const Matrix3& m) {
    Matrix3 c = cofactors(m);
    if (determinant(m) < 0.0) {
        for (double& x : c) x = -x;
    }
    return c;
}

}  // namespace render
