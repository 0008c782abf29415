// Which surface each polygon has, gathered while the polygons are read and resolved once the
// whole file is: LWO2 polygons are tagged by PTAG SURF chunks with a tag of TAGS, which may
// come later in the file; LWOB polygons carry a surface number into SRFS, from 1.
//
// The object-file reader calls it as it reads: addUntagged() for the polygons it keeps of
// each LWO2 polygon chunk, readTags() for each LWO2 PTAG chunk, addNumbered() for each LWOB
// polygon it keeps (detail polygons included), so that the surfaces follow the order of the
// reader's polygons.
#ifndef PELORIX3_MODELS_POLYGON_SURFACES_H
#define PELORIX3_MODELS_POLYGON_SURFACES_H

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "models/lwo_form.h"

namespace models {

// The polygons of the current layer's last polygon chunk, which a PTAG chunk's polygon
// numbers count from.
struct LastPolygons {
    std::uint32_t count = 0;
    // Where they start among the polygons kept; nothing when they are not kept (curves,
    // bones, ...).
    std::optional<std::uint32_t> firstKept;
};

class PolygonSurfaces {
public:
    explicit PolygonSurfaces(const std::string& name) : name_(name) {}

    // LWO2: `count` polygons kept from a polygon chunk, with no surface until a PTAG SURF
    // gives them one.
    void addUntagged(std::uint32_t count);

    // LWO2: a PTAG chunk. Of type SURF, it gives polygons of `last` their surface's tag;
    // with `last` nothing (the polygons are not read), only which tags name surfaces is
    // taken. Fails when a pair runs past the chunk or names a polygon past `last`.
    base::Status readTags(const LwoChunk& chunk, std::optional<LastPolygons> last);

    // LWOB: the next polygon kept, polygon `number` of `chunk` (for messages), has the
    // surface number `surface` as the file writes it (negative when detail polygons follow).
    // Fails for surface 0.
    base::Status addNumbered(std::int16_t surface, std::size_t number, const LwoChunk& chunk);

    // Whether a PTAG SURF chunk gives polygons tag `tag`.
    bool tagsSurface(std::size_t tag) const {
        return tag < surfaceTags_.size() && surfaceTags_[tag];
    }
    bool anyUntagged() const;

    // Each polygon's surface: `surfaceOfName` holds the surface of each name of TAGS or
    // SRFS, `untagged` the surface of LWO2 polygons without a tag; `namesChunk` says whether
    // the file has a TAGS or SRFS chunk, empty or not. Fails when a polygon names a tag or
    // surface number past the names.
    base::Result<std::vector<std::uint32_t>> resolve(
        const std::vector<std::uint32_t>& surfaceOfName, std::uint32_t untagged,
        bool namesChunk) const;

private:
    // The largest name number any polygon uses, and where, for the message when it is past
    // the names.
    struct Reference {
        std::uint32_t name = 0;  // from 0
        std::string chunkTag;
        std::size_t chunkOffset = 0;
        std::size_t polygon = 0;
    };

    void reference(std::uint32_t name, std::string_view chunkTag, std::size_t chunkOffset,
                   std::size_t polygon);
    std::string pastTheNames(std::size_t names, bool namesChunk) const;

    static constexpr std::uint32_t kUntagged = UINT32_MAX;

    const std::string& name_;
    std::vector<std::uint32_t> names_;         // each kept polygon's name number, from 0
    std::bitset<UINT16_MAX + 1> surfaceTags_;  // a tag is two bytes
    std::optional<Reference> largest_;
};

}  // namespace models

#endif
