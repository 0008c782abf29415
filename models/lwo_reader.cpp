#include "models/lwo_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/message_text.h"
#include "models/lwo_form.h"
#include "models/lwo_polygons.h"
#include "models/lwo_texture_map.h"
#include "models/surface_reader.h"

namespace models {
namespace {

constexpr std::size_t kPointBytes = 12;
// Points, corners and polygons are counted in 32 bits; a file this size holds no more.
constexpr std::size_t kLargestFile = UINT32_MAX;

class Reader {
public:
    Reader(LwoGeneration generation, std::string_view file, const std::string& name)
        : generation_(generation), name_(name), surfaces_(generation, file, name) {}

    base::Status read(const LwoChunk& chunk);
    base::Result<LwoContents> finish();

private:
    base::Status readLwo2(const LwoChunk& chunk);
    base::Status readLwob(const LwoChunk& chunk);
    base::Status readPoints(const LwoChunk& chunk);

    LwoGeneration generation_;
    const std::string& name_;
    LwoContents contents_;
    LwoLayer layer_;  // a file without LAYR chunks is one layer
    SurfaceReader surfaces_;
};

base::Status Reader::read(const LwoChunk& chunk) {
    if (chunk.tag == "PNTS") return readPoints(chunk);
    return generation_ == LwoGeneration::Lwo2 ? readLwo2(chunk) : readLwob(chunk);
}

base::Status Reader::readLwo2(const LwoChunk& chunk) {
    if (chunk.tag == "LAYR") {
        layer_ = LwoLayer{};
        layer_.firstPoint = static_cast<std::uint32_t>(contents_.positions.size());
        return base::succeeded();
    }
    if (chunk.tag == "POLS") {
        base::Status read = readLwo2Polygons(chunk, layer_, contents_, name_);
        if (read && layer_.firstPolygon) surfaces_.polygons().addUntagged(layer_.polygons);
        return read;
    }
    if (chunk.tag == "PTAG") {
        return surfaces_.polygons().readTags(chunk,
                                             LastPolygons{layer_.polygons, layer_.firstPolygon});
    }
    if (chunk.tag == "VMAP" || chunk.tag == "VMAD") {
        const LwoMapKind kind = chunk.tag == "VMAP" ? LwoMapKind::Points : LwoMapKind::Corners;
        return readTextureMap(chunk, kind, layer_, contents_.positions.size(), contents_.texcoords,
                              name_);
    }
    return surfaces_.readChunk(chunk);
}

base::Status Reader::readLwob(const LwoChunk& chunk) {
    if (chunk.tag == "POLS")
        return readLwobPolygons(chunk, layer_, contents_, surfaces_.polygons(), name_);
    if (chunk.tag == "CRVS" || chunk.tag == "PCHS") ++contents_.skipped[std::string(chunk.tag)];
    return surfaces_.readChunk(chunk);
}

// The current layer's points from here on are these: the polygons and maps that follow
// count from the first of them.
base::Status Reader::readPoints(const LwoChunk& chunk) {
    LwoBytes data = chunk.data;
    if (data.left() % kPointBytes != 0) {
        return chunkDamage(name_, chunk,
                           base::counted(data.left(), "byte", "bytes") +
                               " are not a whole number of points of 12 bytes");
    }
    layer_.firstPoint = static_cast<std::uint32_t>(contents_.positions.size());
    layer_.points = static_cast<std::uint32_t>(data.left() / kPointBytes);
    for (std::uint32_t p = 0; p < layer_.points; ++p) {
        const float x = *data.f4(), y = *data.f4(), z = *data.f4();
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
            return chunkDamage(
                name_, chunk,
                "point " + std::to_string(p) + " (counted from 0) is not at finite coordinates");
        }
        contents_.positions.push_back({x, y, z});
    }
    return base::succeeded();
}

base::Result<LwoContents> Reader::finish() {
    base::Result<LwoSurfaces> surfaces = surfaces_.finish();
    if (!surfaces) return base::Result<LwoContents>::failure(surfaces.error());
    contents_.surfaces = std::move(surfaces.value());
    contents_.texcoords.sortCorners();
    return base::Result<LwoContents>::success(std::move(contents_));
}

}  // namespace

std::size_t LwoContents::chunkOffsetOf(std::size_t polygon) const {
    const auto after = std::upper_bound(
        polygonChunks.begin(), polygonChunks.end(), polygon,
        [](std::size_t p, const LwoPolygonChunk& chunk) { return p < chunk.firstPolygon; });
    return after == polygonChunks.begin() ? 0 : std::prev(after)->offset;
}

base::Result<LwoContents> readLwo(std::string_view file, const std::string& name) {
    using ReadResult = base::Result<LwoContents>;
    if (file.size() > kLargestFile) {
        return ReadResult::failure(name + " is larger than an object file the preview reads (" +
                                   std::to_string(kLargestFile) + " bytes)");
    }
    base::Result<LwoForm> form = LwoForm::open(file, name);
    if (!form) return ReadResult::failure(form.error());
    Reader reader(form->generation(), file, name);
    for (;;) {
        base::Result<std::optional<LwoChunk>> chunk = form->next();
        if (!chunk) return ReadResult::failure(chunk.error());
        if (!chunk.value()) break;
        if (base::Status read = reader.read(*chunk.value()); !read)
            return ReadResult::failure(read.error());
    }
    return reader.finish();
}

}  // namespace models
