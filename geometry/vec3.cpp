#include "geometry/vec3.h"

#include <cmath>

#include "geometry/constants.h"

namespace pelorix3 {

Vec3& Vec3::normalize() {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0) {
        const double r = 1.0 / length;
        x *= r;
        y *= r;
        z *= r;
    } else {
        *this = vecUnitY;
    }
    return *this;
}

Vec3 Vec3::normalized() const {
    Vec3 copy = *this;
    return copy.normalize();
}

void Vec3::clampMax(double limit) {
    // "!(c <= limit)" is true both when limit is less than c and when they are unordered.
    if (!(x <= limit)) x = limit;
    if (!(y <= limit)) y = limit;
    if (!(z <= limit)) z = limit;
}

}  // namespace pelorix3
