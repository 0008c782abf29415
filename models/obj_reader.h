// An OBJ model's text read as written: vertex positions in double precision, vertex
// normals, texture coordinates, and every face as the references of its corners. Lines of other
// kinds (objects, groups, smoothing, materials, comments) are passed over. What the text gets wrong
// is refused with the file's name, the line and a short excerpt of the words at fault.
#ifndef PELORIX3_MODELS_OBJ_READER_H
#define PELORIX3_MODELS_OBJ_READER_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace models {

// Coordinates of a larger magnitude are refused: the model must be measurable in double
// precision, and its size and placement with it.
inline constexpr double kLargestCoordinate = 1e300;

// A corner's reference where it gives none.
inline constexpr std::uint32_t kNoReference = UINT32_MAX;
// A reference to an element the file does not give before the face and that no file may
// hold (past the count of elements a model may have, or before the first element).
inline constexpr std::uint32_t kBrokenReference = UINT32_MAX - 1;
// The most vertices, normals or texture coordinates a model may have.
inline constexpr std::size_t kMostElements = kBrokenReference - 1;

// Indices counted from 0, relative ones made absolute. A positive index may refer to an
// element given after the face: it is checked against the whole file's count later.
struct ObjCorner {
    std::uint32_t vertex = 0;
    std::uint32_t texture = kNoReference;
    std::uint32_t normal = kNoReference;
};

struct ObjFace {
    std::size_t firstCorner = 0;
    std::size_t lineOffset = 0;  // where the face's line starts in the text
};

struct ObjContents {
    std::vector<std::array<double, 3>> positions;
    std::vector<std::array<double, 3>> normals;  // as written, of any length
    // (u, v) as written; a third number, w, is passed over, and a missing v is 0.
    std::vector<std::array<double, 2>> textureCoordinates;
    std::vector<ObjCorner> corners;
    // The corners of face f run from faces[f].firstCorner to the next face's first corner
    // (or the end of corners).
    std::vector<ObjFace> faces;

    std::size_t cornerCount(std::size_t face) const;
};

// Reads `text`; `name` stands for the file in messages.
base::Result<ObjContents> readObj(std::string_view text, const std::string& name);

}  // namespace models

#endif
