// Three doubles: the tools' positions, directions and colours, as the host hands them over
// and as the renderer computes with them. A std::array, indexed by axis; the arithmetic
// below is found from any namespace, since it lives beside the type.
#ifndef PELORIX3_BASE_TRIPLE_H
#define PELORIX3_BASE_TRIPLE_H

#include <array>
#include <cmath>
#include <optional>

namespace base {

struct Triple : std::array<double, 3> {};

inline Triple toTriple(const double v[3]) { return {v[0], v[1], v[2]}; }

inline void store(const Triple& t, double out[3]) {
    out[0] = t[0];
    out[1] = t[1];
    out[2] = t[2];
}

inline Triple operator+(const Triple& a, const Triple& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

inline Triple operator-(const Triple& a, const Triple& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

inline Triple operator*(const Triple& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }

inline double dot(const Triple& a, const Triple& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// a × b, right-handed: cross({1, 0, 0}, {0, 1, 0}) is (0, 0, 1). (The module's Vec3::cross
// takes its operands the other way round.)
inline Triple cross(const Triple& a, const Triple& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

inline double length(const Triple& a) { return std::sqrt(dot(a, a)); }

// The unit vector along `a`, or nothing when `a` has no usable direction (zero,
// infinite or not a number).
inline std::optional<Triple> unit(const Triple& a) {
    const double len = length(a);
    if (!(len > 0.0) || !std::isfinite(len)) {
        return std::nullopt;
    }
    return a * (1.0 / len);
}

// The unit vector along `a`, or `fallback` when `a` has no usable direction.
inline Triple unitOr(const Triple& a, const Triple& fallback) { return unit(a).value_or(fallback); }

}  // namespace base

#endif
