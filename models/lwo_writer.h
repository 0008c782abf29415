// Object files written by the tests and the benchmark: big-endian values, chunks padded to
// an even length, and the FORM around them, so that every case is built from its parts
// and a damaged file is a good one with one part changed.
#ifndef PELORIX3_TESTS_COMMON_LWO_WRITER_H
#define PELORIX3_TESTS_COMMON_LWO_WRITER_H

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lwo_writer {

inline std::string u2(std::uint32_t value) {
    return {static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value & 0xFF)};
}

inline std::string u4(std::uint32_t value) { return u2(value >> 16) + u2(value & 0xFFFF); }

inline std::string f4(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return u4(bits);
}

// Two bytes below 0xFF00, else four of which the first is 0xFF.
inline std::string vx(std::uint32_t index) {
    return index < 0xFF00 ? u2(index) : u4(0xFF000000u | index);
}

// Zero-terminated, padded to an even length.
inline std::string s0(std::string_view text) {
    std::string bytes(text);
    bytes += '\0';
    if (bytes.size() % 2 == 1) bytes += '\0';
    return bytes;
}

inline std::string chunk(std::string_view tag, const std::string& data) {
    std::string bytes = std::string(tag) + u4(static_cast<std::uint32_t>(data.size())) + data;
    if (data.size() % 2 == 1) bytes += '\0';
    return bytes;
}

inline std::string form(std::string_view type, const std::string& chunks) {
    return "FORM" + u4(static_cast<std::uint32_t>(4 + chunks.size())) + std::string(type) + chunks;
}

using Point = std::array<float, 3>;
using Polygon = std::vector<std::uint32_t>;

inline std::string points(const std::vector<Point>& points) {
    std::string data;
    for (const Point& p : points) data += f4(p[0]) + f4(p[1]) + f4(p[2]);
    return chunk("PNTS", data);
}

// An LWO2 polygon chunk of one type ("FACE", "PTCH", "CURV", ...).
inline std::string polygons(std::string_view type, const std::vector<Polygon>& polygons) {
    std::string data(type);
    for (const Polygon& polygon : polygons) {
        data += u2(static_cast<std::uint32_t>(polygon.size()));
        for (const std::uint32_t point : polygon) data += vx(point);
    }
    return chunk("POLS", data);
}

// An LWOB polygon: its corners, then its surface (1).
inline std::string lwobPolygon(const Polygon& polygon) {
    std::string data = u2(static_cast<std::uint32_t>(polygon.size()));
    for (const std::uint32_t point : polygon) data += u2(point);
    return data + u2(1);
}

inline std::string layer(std::uint32_t number) {
    return chunk("LAYR", u2(number) + u2(0) + f4(0) + f4(0) + f4(0) + s0("layer"));
}

// A VMAP of (point, u, v) values, or a VMAD of (point, polygon, u, v) values.
struct MapValue {
    std::uint32_t point = 0;
    std::uint32_t polygon = 0;
    float u = 0.0f;
    float v = 0.0f;
};

inline std::string textureMap(std::string_view tag, std::string_view name,
                              const std::vector<MapValue>& values) {
    std::string data = "TXUV" + u2(2) + s0(name);
    for (const MapValue& value : values) {
        data +=
            vx(value.point) + (tag == "VMAD" ? vx(value.polygon) : "") + f4(value.u) + f4(value.v);
    }
    return chunk(tag, data);
}

// A unit cube of six quads, each running clockwise seen from outside.
inline const std::vector<Point> kCubePoints = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                               {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
inline const std::vector<Polygon> kCubeFaces = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                                {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};

inline std::string lwo2Cube() {
    return form("LWO2", layer(0) + points(kCubePoints) + polygons("FACE", kCubeFaces));
}

inline std::string lwobCube() {
    std::string polygons;
    for (const Polygon& face : kCubeFaces) polygons += lwobPolygon(face);
    return form("LWOB", points(kCubePoints) + chunk("POLS", polygons));
}

}  // namespace lwo_writer

#endif
