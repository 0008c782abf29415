#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/constants.h"
#include "geometry/matrix3.h"
#include "geometry/vec3.h"

namespace pelorix3 {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

void expectVec(const Vec3& v, double x, double y, double z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

TEST(Vec3, NormalizeFallsBackToUnitYForZeroAndNotANumber) {
    Vec3 zero;
    expectVec(zero.normalize(), 0, 1, 0);
    Vec3 withNan{nan, 1, 2};
    expectVec(withNan.normalize(), 0, 1, 0);
    expectVec(Vec3(0, 0, -3).normalized(), 0, 0, -1);
}

TEST(Vec3, NormalizedLeavesTheOriginalAlone) {
    const Vec3 v{3, 0, 4};
    const Vec3 unit = v.normalized();
    expectVec(v, 3, 0, 4);
    EXPECT_DOUBLE_EQ(unit.x, 0.6);
    EXPECT_DOUBLE_EQ(unit.z, 0.8);
}

TEST(Vec3, CrossIsTheSecondOperandCrossedWithTheFirst) {
    expectVec(Vec3(1, 0, 0).cross(Vec3(0, 1, 0)), 0, 0, -1);
    Vec3 a{1, 2, 3};
    const Vec3 b{4, 5, 6};
    // b × a = (5·3 − 6·2, 6·1 − 4·3, 4·2 − 5·1)
    expectVec(a.crossAssign(b), 3, -6, 3);
}

TEST(Vec3, ClampMaxLimitsFromAboveOnlyAndReplacesNotANumber) {
    Vec3 v{2, 0.5, 1};
    v.clampMax(1.0);
    expectVec(v, 1, 0.5, 1);
    Vec3 w{nan, -5, 1.0000001};
    w.clampMax(1.0);
    expectVec(w, 1, -5, 1);
}

TEST(Vec3, ArithmeticOperations) {
    Vec3 v{1, 2, 3};
    v += Vec3(1, 1, 1);
    expectVec(v, 2, 3, 4);
    v *= 2.0;
    expectVec(v, 4, 6, 8);
    v *= Vec3(0.5, 2, 0);
    expectVec(v, 2, 12, 0);
    v.addScaled(Vec3(1, 2, 3), 10);
    expectVec(v, 12, 32, 30);
    expectVec(v - Vec3(2, 2, 2), 10, 30, 28);
}

TEST(Constants, HaveTheirValues) {
    expectVec(vecUnitY, 0, 1, 0);
    expectVec(colorWhite, 1, 1, 1);
    expectVec(colorBlack, 0, 0, 0);
}

TEST(Matrix3, ResizeKeepsStorageOnlyForTheSameElementCount) {
    Matrix3 m;
    EXPECT_EQ(m.rows, 3);
    EXPECT_EQ(m.cols, 3);
    for (int i = 0; i < 9; ++i) m.data[i] = i;
    double* storage = m.data;
    m.resize(3, 3);
    EXPECT_EQ(m.data, storage);
    EXPECT_EQ(m.at(2, 1), 7);

    m.resize(4, 4);
    EXPECT_EQ(m.elementCount(), 16);
    m.data[15] = 1.5;  // the new storage holds sixteen doubles
    EXPECT_EQ(m.at(3, 3), 1.5);
}

TEST(Matrix3, ResizeToTheSameCountReshapesInPlace) {
    Matrix3 m;
    m.resize(2, 6);
    for (int i = 0; i < 12; ++i) m.data[i] = i;
    double* storage = m.data;
    m.resize(3, 4);
    EXPECT_EQ(m.data, storage);
    EXPECT_EQ(m.at(1, 0), 4);  // row stride is now 4
    EXPECT_EQ(m.at(2, 3), 11);
}

}  // namespace
}  // namespace pelorix3
