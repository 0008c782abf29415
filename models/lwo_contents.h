// An object file's geometry as the file holds it: the points of every layer in one list,
// the polygons the preview renders (faces, and the cages of subdivision patches) as lists
// of those points, the first texture map, the surfaces and each polygon's, and a count of
// what the preview does not render.
#ifndef PELORIX3_MODELS_LWO_CONTENTS_H
#define PELORIX3_MODELS_LWO_CONTENTS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "models/lwo_texcoords.h"
#include "models/surface.h"

namespace models {

struct LwoPolygon {
    std::uint32_t firstCorner = 0;  // in LwoContents::corners
    std::uint32_t cornerCount = 0;
};

// Where the polygons of one polygon chunk start in LwoContents::polygons, and where the
// chunk lies in the file, to name it in messages.
struct LwoPolygonChunk {
    std::size_t firstPolygon = 0;
    std::size_t offset = 0;
};

struct LwoContents {
    std::vector<std::array<double, 3>> positions;
    std::vector<std::uint32_t> corners;  // point numbers in `positions`
    std::vector<LwoPolygon> polygons;
    std::vector<LwoPolygonChunk> polygonChunks;
    std::size_t cages = 0;  // of `polygons`, those of subdivision patches (PTCH, SUBD)
    // What is not rendered, by its tag: polygons of curves (CURV), metaballs (MBAL) and
    // bones (BONE); whole polygon chunks of unknown types, and LWOB's chunks of curves
    // (CRVS) and patches (PCHS).
    std::map<std::string, std::size_t> skipped;
    LwoTexcoords texcoords;
    // The surfaces, and the surface of each polygon of `polygons`.
    LwoSurfaces surfaces;

    // The file offset of the chunk that holds polygon `polygon`.
    std::size_t chunkOffsetOf(std::size_t polygon) const;
};

// The points of the current layer (those of its last PNTS chunk) and the polygons of its
// last polygon chunk, which the indices of later chunks of the layer count from.
struct LwoLayer {
    std::uint32_t firstPoint = 0;  // in LwoContents::positions
    std::uint32_t points = 0;
    // In LwoContents::polygons; nothing when the last polygon chunk's polygons are not
    // rendered, or there is none.
    std::optional<std::uint32_t> firstPolygon;
    std::uint32_t polygons = 0;
};

}  // namespace models

#endif
