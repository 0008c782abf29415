// Where an object's own coordinates land in the world: an affine map given as the scene
// gives an item's world matrix, its translation and its three columns, scale included.
#ifndef PELORIX3_RENDER_WORLD_TRANSFORM_H
#define PELORIX3_RENDER_WORLD_TRANSFORM_H

#include <array>
#include <optional>

#include "base/triple.h"

namespace render {

// A 3 × 3 matrix, row by row, acting on column vectors.
using Matrix3 = std::array<double, 9>;

// m v.
base::Triple multiply(const Matrix3& m, const base::Triple& v);

// p ↦ origin + p.x · right + p.y · up + p.z · forward.
struct WorldTransform {
    base::Triple origin{0.0, 0.0, 0.0};
    base::Triple right{1.0, 0.0, 0.0};
    base::Triple up{0.0, 1.0, 0.0};
    base::Triple forward{0.0, 0.0, 1.0};

    base::Triple point(const base::Triple& p) const { return origin + multiply(linear(), p); }
    // The columns right, up and forward as a matrix.
    Matrix3 linear() const;
    bool isFinite() const;
};

// The inverse of `m`, or nothing when it has none (a determinant of 0, or not a number).
std::optional<Matrix3> inverse(const Matrix3& m);

// The matrix that carries a surface's normals through `m`: the inverse transpose, up to a
// positive factor (so that it exists, and keeps a normal's side, whatever m's
// determinant). Its results need normalising.
Matrix3 normalMatrix(const Matrix3& m);

}  // namespace render

#endif
