// Models from Wavefront OBJ files: positions and faces of any size (split into triangles
// in their own plane, as an object file's polygons are), vertex normals where the file gives them
// for every corner of a triangle, otherwise smooth normals with a crease angle. Everything a file
// can get wrong is refused with a message naming the file, and the line where there is one; what
// leaves the model usable is counted in a warning.
#ifndef PELORIX3_RENDER_OBJ_IMPORT_H
#define PELORIX3_RENDER_OBJ_IMPORT_H

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "models/model_frame.h"
#include "models/triangle_mesh.h"

namespace standin {

struct ObjImport {
    // Positions relative to the model's centre, scaled to measure between 1 and 2 across.
    TriangleMesh mesh;
    // How those positions map back to the file's own coordinates.
    ModelFrame frame;
    std::size_t degenerateTriangles = 0;  // without area, left out of the mesh
    // Triangles whose normals were computed with the crease angle, the file giving none
    // usable at one of their corners.
    std::size_t creasedTriangles = 0;
    // Each names the file and says what was left out or replaced, and how often.
    std::vector<std::string> warnings;
};

// Refuses, naming the file `name`, a model none of whose `triangles` has any area
// (`degenerate` of them have none).
base::Status someTriangleHasArea(std::size_t triangles, std::size_t degenerate,
                                 const std::string& name);

// Reads OBJ text; `name` stands for the file in messages.
base::Result<ObjImport> importObjText(std::string_view text, const std::string& name,
                                      double creaseAngleDegrees);

}  // namespace standin

#endif
