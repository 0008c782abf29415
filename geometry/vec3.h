// Three doubles: positions, directions, normals and colours (red, green, blue in x, y, z).
#ifndef PELORIX3_GEOMETRY_VEC3_H
#define PELORIX3_GEOMETRY_VEC3_H

#include <cmath>

namespace pelorix3 {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Vec3() = default;
    constexpr Vec3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    Vec3& operator+=(const Vec3& b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    Vec3& operator*=(double s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    // Component-wise product, as colours are tinted.
    Vec3& operator*=(const Vec3& b) {
        x *= b.x;
        y *= b.y;
        z *= b.z;
        return *this;
    }
    void addScaled(const Vec3& w, double s) {
        x = s * w.x + x;
        y = s * w.y + y;
        z = s * w.z + z;
    }

    // Unit length; a vector whose length is not greater than 0 (or not a number)
    // becomes (0, 1, 0), the constant vecUnitY. Defined here, like every operation of the
    // type, so that the shading loop has them inline.
    Vec3& normalize() {
        const double length = std::sqrt(x * x + y * y + z * z);
        if (length > 0.0) {
            const double r = 1.0 / length;
            x *= r;
            y *= r;
            z *= r;
        } else {
            *this = {0.0, 1.0, 0.0};
        }
        return *this;
    }
    Vec3 normalized() const {
        Vec3 copy = *this;
        return copy.normalize();
    }

    // b × a in the right-handed sense: the negative of a × b. Callers rely on this order.
    Vec3 cross(const Vec3& b) const {
        return {z * b.y - y * b.z, x * b.z - z * b.x, y * b.x - x * b.y};
    }
    Vec3& crossAssign(const Vec3& b) {
        *this = cross(b);
        return *this;
    }

    // Each component greater than limit, or unordered with it, becomes limit:
    // "!(c <= limit)" is true both when limit is less than c and when they are unordered.
    void clampMax(double limit) {
        if (!(x <= limit)) x = limit;
        if (!(y <= limit)) y = limit;
        if (!(z <= limit)) z = limit;
    }
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

}  // namespace pelorix3

#endif
