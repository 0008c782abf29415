// A model read from a file, as both readers (OBJ text and object files) hand it over: its
// triangle mesh in the model's own frame, and what reading it left out or replaced.
#ifndef PELORIX3_MODELS_IMPORTED_MODEL_H
#define PELORIX3_MODELS_IMPORTED_MODEL_H

#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"
#include "models/model_frame.h"
#include "models/surface.h"
#include "models/triangle_mesh.h"

namespace models {

struct ImportedModel {
    // Positions relative to the model's centre, scaled to measure between 1 and 2 across.
    TriangleMesh mesh;
    // How those positions map back to the file's own coordinates.
    ModelFrame frame;
    std::size_t degenerateTriangles = 0;  // without area, left out of the mesh
    // Triangles whose normals were computed with the crease angle, the file giving none
    // usable at one of their corners.
    std::size_t creasedTriangles = 0;
    // An object file's surfaces, which mesh.triangleSurfaces number; empty for an OBJ
    // model, which has one.
    std::vector<Surface> surfaces;
    // Each names the file and says what was left out or replaced, and how often.
    std::vector<std::string> warnings;
};

// Refuses, naming the file `name`, a model none of whose `triangles` has any area
// (`degenerate` of them have none).
base::Status someTriangleHasArea(std::size_t triangles, std::size_t degenerate,
                                 const std::string& name);

}  // namespace models

#endif
