// Models from Wavefront OBJ files: positions and faces of any size (fanned into
// triangles), vertex normals where the file gives them for every corner of a face,
// otherwise smooth normals with a crease angle. Everything a file can get wrong is
// refused with a message naming the file, and the line where the reader gives one.
#ifndef PELORIX3_RENDER_OBJ_IMPORT_H
#define PELORIX3_RENDER_OBJ_IMPORT_H

#include <string>

#include "host/result.h"
#include "render/triangle_mesh.h"

namespace standin {

struct ObjImport {
    TriangleMesh mesh;
    std::size_t degenerateTriangles = 0;  // without area, left out of the mesh
};

// Reads the file at `path`.
Result<ObjImport> importObjFile(const std::string& path, double creaseAngleDegrees);

// Reads OBJ text; `name` stands for the file in messages.
Result<ObjImport> importObjText(const std::string& text, const std::string& name,
                                double creaseAngleDegrees);

}  // namespace standin

#endif
