// The preview's default subject, made here rather than read from a file: a square cloth
// thrown over a ball on a stand. It follows the ball over the top and falls from the
// ball's widest circle in folds that deepen towards the hem; its corners, the longest
// way down, hang to just above the floor.
#ifndef PELORIX3_RENDER_DRAPED_CLOTH_H
#define PELORIX3_RENDER_DRAPED_CLOTH_H

#include "models/triangle_mesh.h"

namespace render {

// `verticesPerSide` squared vertices, two triangles per grid square (224 gives about
// 100,000 triangles), with smooth normals and the grid's texture coordinates: (0, 0) at
// one corner of the cloth, (1, 1) at the opposite one.
models::TriangleMesh drapedCloth(int verticesPerSide);

}  // namespace render

#endif
