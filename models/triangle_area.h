// Whether a triangle of a mesh keeps an area in the single precision the renderer traces
// in: a triangle without one has no normal and is left out of a model.
#ifndef PELORIX3_MODELS_TRIANGLE_AREA_H
#define PELORIX3_MODELS_TRIANGLE_AREA_H

#include <array>
#include <cstdint>

#include "models/triangle_mesh.h"

namespace models {

// The cross product of two edges, worked out in double precision, is nonzero and finite.
bool hasArea(const TriangleMesh& mesh, const std::array<std::uint32_t, 3>& triangle);

}  // namespace models

#endif
