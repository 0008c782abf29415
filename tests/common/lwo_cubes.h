// A unit cube as an object file of either generation, for the suites that need a small
// model file: six quads, each running clockwise seen from outside.
#ifndef PELORIX3_TESTS_COMMON_LWO_CUBES_H
#define PELORIX3_TESTS_COMMON_LWO_CUBES_H

#include <string>
#include <vector>

#include "models/lwo_writer.h"

namespace lwo_cubes {

inline const std::vector<models::lwo_writer::Point> kCubePoints = {
    {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
inline const std::vector<models::lwo_writer::Polygon> kCubeFaces = {
    {0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};

inline std::string lwo2Cube() {
    using namespace models::lwo_writer;
    return form("LWO2", layer(0) + points(kCubePoints) + polygons("FACE", kCubeFaces));
}

inline std::string lwobCube() {
    using namespace models::lwo_writer;
    std::string polygons;
    for (const Polygon& face : kCubeFaces) polygons += lwobPolygon(face);
    return form("LWOB",
                points(kCubePoints) + chunk("SRFS", s0("Default")) + chunk("POLS", polygons));
}

}  // namespace lwo_cubes

#endif
