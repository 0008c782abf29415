#include "models/surface_reader.h"

#include <set>

#include "base/message_text.h"
#include "models/surface_sources.h"

namespace models {
namespace {

// The surfaces' names, each once, in the order they are added.
class SurfaceNames {
public:
    std::uint32_t add(const std::string& name) {
        const auto [at, added] =
            index_.try_emplace(name, static_cast<std::uint32_t>(names_.size()));
        if (added) names_.push_back(name);
        return at->second;
    }
    const std::vector<std::string>& names() const { return names_; }

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, std::uint32_t> index_;
};

}  // namespace

base::Status SurfaceReader::readChunk(const LwoChunk& chunk) {
    const bool lwo2 = generation_ == LwoGeneration::Lwo2;
    if (chunk.tag == (lwo2 ? "TAGS" : "SRFS")) return readNames(chunk);
    if (chunk.tag != "SURF") return base::succeeded();
    base::Result<SurfaceChunk> surface = readSurfaceChunk(chunk, generation_, file_, name_);
    if (!surface) return base::Status::failure(surface.error());
    if (chunkOfName_.try_emplace(surface->name, chunks_.size()).second)
        chunks_.push_back(std::move(surface.value()));
    return base::succeeded();
}

base::Status SurfaceReader::readChunkWithoutPolygons(const LwoChunk& chunk) {
    if (chunk.tag == "PTAG" && generation_ == LwoGeneration::Lwo2)
        return polygons_.readTags(chunk, std::nullopt);
    return readChunk(chunk);
}

base::Status SurfaceReader::readNames(const LwoChunk& chunk) {
    namesChunk_ = true;
    LwoBytes data = chunk.data;
    while (!data.atEnd()) {
        const std::optional<std::string_view> text = data.s0();
        if (!text) {
            return chunkDamage(name_, chunk,
                               "name " + std::to_string(names_.size() + 1) +
                                   " has no zero byte to end it within the chunk");
        }
        names_.emplace_back(*text);
    }
    return base::succeeded();
}

// The names PTAG SURF chunks give polygons. A name may stand in TAGS more than once: each
// time, it names the same surface.
std::set<std::string> SurfaceReader::surfaceTagNames() const {
    std::set<std::string> tagged;
    for (std::size_t tag = 0; tag < names_.size(); ++tag) {
        if (polygons_.tagsSurface(tag)) tagged.insert(names_[tag]);
    }
    return tagged;
}

base::Result<LwoSurfaces> SurfaceReader::finish() const {
    using Finished = base::Result<LwoSurfaces>;
    const bool lwo2 = generation_ == LwoGeneration::Lwo2;
    SurfaceNames surfaces;
    const std::set<std::string> tagged = surfaceTagNames();
    std::vector<std::uint32_t> surfaceOfName;
    for (const std::string& name : names_) {
        // A tag that is no polygon's surface and has no SURF chunk may be a part's name;
        // no polygon has it, so its entry is never read.
        const bool isSurface = !lwo2 || tagged.count(name) > 0 || chunkOfName_.count(name) > 0;
        surfaceOfName.push_back(isSurface ? surfaces.add(name) : 0);
    }
    for (const SurfaceChunk& chunk : chunks_) surfaces.add(chunk.name);
    const std::uint32_t untagged =
        lwo2 && polygons_.anyUntagged() ? surfaces.add(kDefaultSurfaceName) : 0;
    base::Result<std::vector<std::uint32_t>> polygonSurfaces =
        polygons_.resolve(surfaceOfName, untagged, namesChunk_);
    if (!polygonSurfaces) return Finished::failure(polygonSurfaces.error());

    LwoSurfaces result;
    result.polygonSurfaces = std::move(polygonSurfaces.value());
    const SurfaceChunkLookup chunkOf = [this](const std::string& surface) -> const SurfaceChunk* {
        const auto found = chunkOfName_.find(surface);
        return found == chunkOfName_.end() ? nullptr : &chunks_[found->second];
    };
    for (const std::string& surface : surfaces.names())
        result.surfaces.push_back(resolveSurface(surface, chunkOf));
    return Finished::success(std::move(result));
}

base::Result<LwoSurfaces> readSurfaces(std::string_view file, const std::string& name) {
    using Read = base::Result<LwoSurfaces>;
    base::Result<LwoForm> form = LwoForm::open(file, name);
    if (!form) return Read::failure(form.error());
    SurfaceReader reader(form->generation(), file, name);
    for (;;) {
        base::Result<std::optional<LwoChunk>> chunk = form->next();
        if (!chunk) return Read::failure(chunk.error());
        if (!chunk.value()) break;
        const base::Status status = reader.readChunkWithoutPolygons(*chunk.value());
        if (!status) return Read::failure(status.error());
    }
    return reader.finish();
}

}  // namespace models
