// Smooth normals for a mesh that has none, keeping hard edges hard: at each corner of a
// triangle the normal averages the faces around that vertex whose own normals lie within
// the crease angle of this triangle's, weighted by their area. Where the mesh gives its
// triangles surfaces, only triangles of one surface are smoothed together, each surface
// with its own crease angle: an edge between two surfaces stays hard.
#ifndef PELORIX3_MODELS_CREASE_NORMALS_H
#define PELORIX3_MODELS_CREASE_NORMALS_H

#include <vector>

#include "models/triangle_mesh.h"

namespace models {

// Fills mesh.cornerNormals from its positions and triangles. A crease angle of 0 gives
// flat faces, 180 smooths across every edge. Triangles without area must have been
// removed first.
void computeCreaseNormals(TriangleMesh& mesh, double creaseAngleDegrees);
// The same with the crease angle of each surface: one for each surface
// mesh.triangleSurfaces names.
void computeCreaseNormals(TriangleMesh& mesh, const std::vector<double>& creaseAnglesDegrees);

}  // namespace models

#endif
