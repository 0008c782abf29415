// The polygon chunks (POLS) of both generations of object file. Every polygon is read and
// every point number checked against the current layer's points, whether the preview
// renders the polygon or not; faces and the cages of subdivision patches are kept, those of
// curves, metaballs and bones counted by type. A chunk of a polygon type of its own, whose
// layout may differ, is counted as a chunk and not read.
#ifndef PELORIX3_MODELS_LWO_POLYGONS_H
#define PELORIX3_MODELS_LWO_POLYGONS_H

#include <string>

#include "base/result.h"
#include "models/lwo_contents.h"
#include "models/lwo_form.h"
#include "models/polygon_surfaces.h"

namespace models {

// LWO2: a polygon type, then polygons of a U2 whose low 10 bits count their corners (the
// high 6 are flags) and as many VX point numbers.
base::Status readLwo2Polygons(const LwoChunk& chunk, LwoLayer& layer, LwoContents& contents,
                              const std::string& name);

// LWOB: polygons of a U2 count of corners, as many U2 point numbers and an I2 surface; a
// negative surface announces a U2 count of detail polygons, which follow in the same form
// and are read as faces like the others. Each polygon's surface number goes to `surfaces`,
// which refuses surface 0.
base::Status readLwobPolygons(const LwoChunk& chunk, LwoLayer& layer, LwoContents& contents,
                              PolygonSurfaces& surfaces, const std::string& name);

}  // namespace models

#endif
