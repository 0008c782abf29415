#include "models/polygon_surfaces.h"

#include <algorithm>

#include "base/message_text.h"

namespace models {
namespace {

constexpr std::string_view kTagChunk = "PTAG";

std::string polygonCount(std::size_t count) { return base::counted(count, "polygon", "polygons"); }

}  // namespace

void PolygonSurfaces::addUntagged(std::uint32_t count) {
    names_.resize(names_.size() + count, kUntagged);
}

void PolygonSurfaces::reference(std::uint32_t name, std::string_view chunkTag,
                                std::size_t chunkOffset, std::size_t polygon) {
    if (!largest_ || name > largest_->name)
        largest_ = Reference{name, std::string(chunkTag), chunkOffset, polygon};
}

base::Status PolygonSurfaces::readTags(const LwoChunk& chunk, std::optional<LastPolygons> last) {
    LwoBytes data = chunk.data;
    const std::optional<std::string_view> type = data.id4();
    if (!type) return chunkDamage(name_, chunk, "it ends before its tag type");
    if (*type != "SURF") return base::succeeded();
    for (std::size_t pair = 1; !data.atEnd(); ++pair) {
        const std::optional<std::uint32_t> polygon = data.vx();
        const std::optional<std::uint16_t> tag = polygon ? data.u2() : std::nullopt;
        if (!tag) {
            return chunkDamage(name_, chunk,
                               "pair " + std::to_string(pair) + " runs past the chunk's end");
        }
        if (last && *polygon >= last->count) {
            return chunkDamage(name_, chunk,
                               "pair " + std::to_string(pair) + " tags polygon " +
                                   std::to_string(*polygon) +
                                   " (counted from 0), but the layer's last polygon chunk has " +
                                   (last->count == 0 ? std::string("no polygons")
                                                     : "only " + polygonCount(last->count)));
        }
        surfaceTags_.set(*tag);
        reference(*tag, kTagChunk, chunk.offset, *polygon);
        if (last && last->firstKept) names_[*last->firstKept + *polygon] = *tag;
    }
    return base::succeeded();
}

base::Status PolygonSurfaces::addNumbered(std::int16_t surface, std::size_t number,
                                          const LwoChunk& chunk) {
    const std::int32_t absolute = surface < 0 ? -std::int32_t{surface} : surface;
    if (absolute == 0) {
        return chunkDamage(name_, chunk,
                           "polygon " + std::to_string(number) +
                               " has surface 0, but surfaces are numbered from 1");
    }
    const auto name = static_cast<std::uint32_t>(absolute - 1);
    names_.push_back(name);
    reference(name, chunk.tag, chunk.offset, number);
    return base::succeeded();
}

bool PolygonSurfaces::anyUntagged() const {
    return std::find(names_.begin(), names_.end(), kUntagged) != names_.end();
}

std::string PolygonSurfaces::pastTheNames(std::size_t names, bool namesChunk) const {
    const Reference& r = *largest_;
    const bool tagged = r.chunkTag == kTagChunk;
    const std::string uses =
        tagged
            ? "polygon " + std::to_string(r.polygon) + " (counted from 0) has tag " +
                  std::to_string(r.name) + " (counted from 0)"
            : "polygon " + std::to_string(r.polygon) + " has surface " + std::to_string(r.name + 1);
    const std::string list = tagged ? "TAGS" : "SRFS";
    const std::string have = names > 0 ? "the " + list + " chunks name only " +
                                             base::counted(names, tagged ? "tag" : "surface",
                                                           tagged ? "tags" : "surfaces")
                             : namesChunk ? "the file's " + list + " chunk is empty"
                                          : "the file has no " + list + " chunk";
    return lwoDamage(name_, r.chunkTag, r.chunkOffset, uses + ", but " + have);
}

base::Result<std::vector<std::uint32_t>> PolygonSurfaces::resolve(
    const std::vector<std::uint32_t>& surfaceOfName, std::uint32_t untagged,
    bool namesChunk) const {
    using Resolved = base::Result<std::vector<std::uint32_t>>;
    if (largest_ && largest_->name >= surfaceOfName.size())
        return Resolved::failure(pastTheNames(surfaceOfName.size(), namesChunk));
    std::vector<std::uint32_t> surfaces;
    surfaces.reserve(names_.size());
    for (const std::uint32_t name : names_)
        surfaces.push_back(name == kUntagged ? untagged : surfaceOfName[name]);
    return Resolved::success(std::move(surfaces));
}

}  // namespace models
