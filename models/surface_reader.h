// Reads the surfaces of an object file of either generation: the names of TAGS (LWO2) or
// SRFS (LWOB), every SURF chunk (of two with one name the first counts) and, through
// polygons(), which surface each polygon has. A damaged SURF, TAGS, SRFS or PTAG chunk is
// refused with the file's name, the chunk, its offset and what is wrong.
//
// The surfaces are, in this order: LWO2 the names of TAGS that a PTAG SURF chunk gives or a
// SURF chunk sets up, LWOB every name of SRFS; then the SURF chunks of other names; then, for
// LWO2 polygons no PTAG SURF tags, "Default" (unless it is there already).
#ifndef PELORIX3_MODELS_SURFACE_READER_H
#define PELORIX3_MODELS_SURFACE_READER_H

#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/result.h"
#include "models/lwo_form.h"
#include "models/polygon_surfaces.h"
#include "models/surface.h"
#include "models/surface_chunk.h"

namespace models {

class SurfaceReader {
public:
    // `file` holds every chunk handed to readChunk(); `name` stands for it in messages.
    SurfaceReader(LwoGeneration generation, std::string_view file, const std::string& name)
        : generation_(generation), file_(file), name_(name), polygons_(name) {}

    // A chunk of the form, in file order: reads SURF, TAGS (LWO2) and SRFS (LWOB), and
    // passes over the others, PTAG among them (see polygons()).
    base::Status readChunk(const LwoChunk& chunk);

    // A chunk of a file whose polygons are not read: as readChunk(), and of a PTAG chunk only
    // which tags name surfaces is taken.
    base::Status readChunkWithoutPolygons(const LwoChunk& chunk);

    // Where the polygon reader says which surface each polygon has.
    PolygonSurfaces& polygons() { return polygons_; }

    base::Result<LwoSurfaces> finish() const;

private:
    base::Status readNames(const LwoChunk& chunk);
    std::set<std::string> surfaceTagNames() const;

    LwoGeneration generation_;
    std::string_view file_;
    const std::string& name_;
    std::vector<std::string> names_;    // of TAGS or SRFS, in file order
    bool namesChunk_ = false;           // whether the file has a TAGS or SRFS chunk
    std::vector<SurfaceChunk> chunks_;  // the first of each name, in file order
    std::unordered_map<std::string, std::size_t> chunkOfName_;
    PolygonSurfaces polygons_;
};

// The surfaces `file` declares, read on their own: the polygons are not read, so
// LwoSurfaces::polygonSurfaces is empty and "Default" is not among them unless the file
// names it.
base::Result<LwoSurfaces> readSurfaces(std::string_view file, const std::string& name);

}  // namespace models

#endif
