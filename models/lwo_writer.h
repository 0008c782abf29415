// Object files written from their parts: big-endian numbers, zero-terminated strings and
// point numbers as the file holds them, chunks and sub-chunks padded to an even length, the
// FORM around them, and the chunks of a model's geometry (layers, points, polygons, texture
// maps). The look writer writes its surfaces with them; the tests build every case from
// them, so that a damaged file is a good one with one part changed; the benchmark writes its
// large model with them.
#ifndef PELORIX3_MODELS_LWO_WRITER_H
#define PELORIX3_MODELS_LWO_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "models/triangle_mesh.h"

namespace models::lwo_writer {

// Unsigned, two and four bytes.
std::string u2(std::uint32_t value);
std::string u4(std::uint32_t value);
// A single-precision float.
std::string f4(float value);
// A point number: two bytes below 0xFF00, else four of which the first is 0xFF.
std::string vx(std::uint32_t index);
// Zero-terminated, padded to an even length.
std::string s0(std::string_view text);

// The largest data a chunk's four-byte length and a sub-chunk's two-byte length can say: a
// writer checks its data against them, as chunk() and subChunk() do not.
inline constexpr std::size_t kLargestChunk = UINT32_MAX;
inline constexpr std::size_t kLargestSubChunk = UINT16_MAX;

// A chunk: its tag, its four-byte length and its data, padded to an even length.
std::string chunk(std::string_view tag, std::string_view data);
// A sub-chunk of a surface: its tag, its two-byte length and its data, padded to even.
std::string subChunk(std::string_view tag, std::string_view data);
// The FORM of a file of `type` ("LWO2", "LWOB") around its chunks.
std::string form(std::string_view type, const std::string& chunks);

using Point = Point3f;
using Polygon = std::vector<std::uint32_t>;

// A PNTS chunk.
std::string points(const std::vector<Point>& points);
// An LWO2 polygon chunk of one type ("FACE", "PTCH", "CURV", ...).
std::string polygons(std::string_view type, const std::vector<Polygon>& polygons);
// An LWOB polygon: its corners, then its surface (1).
std::string lwobPolygon(const Polygon& polygon);
// An LWO2 LAYR chunk of layer `number`, named "layer".
std::string layer(std::uint32_t number);

// A VMAP of (point, u, v) values, or a VMAD of (point, polygon, u, v) values.
struct MapValue {
    std::uint32_t point = 0;
    std::uint32_t polygon = 0;
    float u = 0.0f;
    float v = 0.0f;
};

// A TXUV map of dimension 2 named `name`: a VMAP or a VMAD chunk, as `tag` says.
std::string textureMap(std::string_view tag, std::string_view name,
                       const std::vector<MapValue>& values);

}  // namespace models::lwo_writer

#endif
