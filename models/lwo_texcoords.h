// The texture coordinates of an object file: those of its first TXUV map, one (u, v) per
// point that the map gives a value (VMAP), and in place of them, for single corners of
// single polygons, those of the map's per-corner part of the same name (VMAD), as along a
// seam.
#ifndef PELORIX3_MODELS_LWO_TEXCOORDS_H
#define PELORIX3_MODELS_LWO_TEXCOORDS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "models/triangle_mesh.h"

namespace models {

// A corner's own value: that of point `point` in polygon `polygon`.
struct LwoCornerTexcoord {
    std::uint32_t polygon = 0;
    std::uint32_t point = 0;
    Point2f uv{0.0f, 0.0f};
};

struct LwoTexcoords {
    // The map's name; nothing when the file has no TXUV map.
    std::optional<std::string> mapName;
    // One for each point of the file, up to the last layer the map gives values for; a value
    // only where `given`.
    std::vector<Point2f> points;
    std::vector<std::uint8_t> given;
    // Sorted by polygon, then point, by sortCorners().
    std::vector<LwoCornerTexcoord> corners;
    // Entries of the map that name a point or polygon their layer does not have.
    std::size_t unmatched = 0;

    // The value of point `point` as a corner of polygon `polygon`: the corner's own, else
    // the point's; nothing when the map gives neither.
    std::optional<Point2f> at(std::uint32_t polygon, std::uint32_t point) const;
    // Orders `corners` for at(); of two values for one corner, the first given counts.
    void sortCorners();
};

}  // namespace models

#endif
