// An object's world matrix, its inverse and the matrix that carries its normals, for a
// matrix that turns, shears and mirrors at once.
#include "render/world_transform.h"

#include <gtest/gtest.h>

namespace {

using base::Triple;
using render::Matrix3;

// Columns right, up, forward: no entry 0, determinant -35.
const render::WorldTransform kSkewed{
    {1.0, -2.0, 3.0}, {2.0, 1.0, -1.0}, {1.0, 3.0, 2.0}, {-1.0, 2.0, -4.0}};

TEST(WorldTransform, PlacesPointsByItsColumnsAndItsInverseUndoesIt) {
    const Triple p{0.5, -2.0, 3.0};
    const Triple placed = kSkewed.point(p);
    EXPECT_EQ(placed, (Triple{-3.0, -1.5, -13.5}));
    const std::optional<Matrix3> toObject = render::inverse(kSkewed.linear());
    ASSERT_TRUE(toObject);
    const Triple back = render::multiply(*toObject, placed - kSkewed.origin);
    for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(back[axis], p[axis], 1e-12) << axis;

    const render::WorldTransform flat{
        {0.0, 0.0, 0.0}, {1.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 1.0}};
    EXPECT_FALSE(render::inverse(flat.linear()));
}

// A normal carried through the matrix stays square to the carried surface and on the side
// the carried outside lies, whatever the sign of the determinant.
TEST(WorldTransform, NormalsStaySquareToTheSurfaceAndOnItsOutside) {
    const Matrix3 m = kSkewed.linear();
    const Triple t1{1.0, 2.0, 0.5};
    const Triple t2{-1.0, 0.5, 2.0};
    const Triple n = base::cross(t1, t2);
    const Matrix3 mirrored{m[0], m[1], -m[2], m[3], m[4], -m[5], m[6], m[7], -m[8]};
    for (const Matrix3& matrix : {m, mirrored}) {
        const Triple carried = render::multiply(render::normalMatrix(matrix), n);
        EXPECT_NEAR(dot(carried, render::multiply(matrix, t1)), 0.0, 1e-9);
        EXPECT_NEAR(dot(carried, render::multiply(matrix, t2)), 0.0, 1e-9);
        EXPECT_GT(dot(carried, render::multiply(matrix, n)), 0.0);
    }
}

}  // namespace
