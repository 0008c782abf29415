#include "models/lwo_polygons.h"

#include "base/message_text.h"

namespace models {
namespace {

constexpr std::uint16_t kCornerCountBits = 0x3FF;

// Polygons of these types are read (their point numbers checked) and counted, not kept.
bool isKnownSkippedType(std::string_view type) {
    return type == "CURV" || type == "MBAL" || type == "BONE";
}

std::string polygonNumber(std::size_t number) { return "polygon " + std::to_string(number); }

// The layer's last polygon chunk is now this one; its polygons are kept from here on when
// they are rendered.
void startChunk(const LwoChunk& chunk, bool rendered, LwoLayer& layer, LwoContents& contents) {
    layer.polygons = 0;
    layer.firstPolygon.reset();
    if (!rendered) return;
    layer.firstPolygon = static_cast<std::uint32_t>(contents.polygons.size());
    contents.polygonChunks.push_back({contents.polygons.size(), chunk.offset});
}

// Reads the point numbers of polygon `number` (from 1) of the chunk, each after checking
// that it is in the data and names a point of the layer; appends them to `corners` when
// the polygon is kept.
template <class ReadIndex>
base::Status readCorners(LwoBytes& data, std::uint32_t count, std::size_t number,
                         ReadIndex readIndex, const LwoLayer& layer,
                         std::vector<std::uint32_t>* corners, const LwoChunk& chunk,
                         const std::string& name) {
    for (std::uint32_t c = 0; c < count; ++c) {
        const std::optional<std::uint32_t> index = readIndex(data);
        if (!index) {
            return chunkDamage(name, chunk,
                               polygonNumber(number) + " says it has " +
                                   base::counted(count, "corner", "corners") +
                                   ", but the chunk ends after " + std::to_string(c) + " of them");
        }
        if (*index >= layer.points) {
            return chunkDamage(
                name, chunk,
                polygonNumber(number) + " uses point " + std::to_string(*index) +
                    " (counted from 0), but its layer has " +
                    (layer.points == 0 ? std::string("no points")
                                       : "only " + base::counted(layer.points, "point", "points")));
        }
        if (corners) corners->push_back(layer.firstPoint + *index);
    }
    return base::succeeded();
}

}  // namespace

base::Status readLwo2Polygons(const LwoChunk& chunk, LwoLayer& layer, LwoContents& contents,
                              const std::string& name) {
    LwoBytes data = chunk.data;
    const std::optional<std::string_view> type = data.id4();
    if (!type) return chunkDamage(name, chunk, "it ends before its polygon type");
    const bool cage = *type == "PTCH" || *type == "SUBD";
    const bool rendered = cage || *type == "FACE";
    startChunk(chunk, rendered, layer, contents);
    if (!rendered && !isKnownSkippedType(*type)) {
        ++contents.skipped[std::string(*type)];  // a type of another layout, perhaps: unread
        return base::succeeded();
    }
    const auto vx = [](LwoBytes& bytes) { return bytes.vx(); };
    while (!data.atEnd()) {
        const std::size_t number = layer.polygons + 1;
        const std::optional<std::uint16_t> head = data.u2();
        if (!head)
            return chunkDamage(name, chunk, polygonNumber(number) + " is cut off in its count");
        const std::uint32_t count = *head & kCornerCountBits;
        const auto first = static_cast<std::uint32_t>(contents.corners.size());
        std::vector<std::uint32_t>* corners = rendered ? &contents.corners : nullptr;
        if (base::Status read = readCorners(data, count, number, vx, layer, corners, chunk, name);
            !read) {
            return read;
        }
        if (rendered) contents.polygons.push_back({first, count});
        ++layer.polygons;
    }
    if (cage) contents.cages += layer.polygons;
    if (!rendered && layer.polygons > 0) contents.skipped[std::string(*type)] += layer.polygons;
    return base::succeeded();
}

base::Status readLwobPolygons(const LwoChunk& chunk, LwoLayer& layer, LwoContents& contents,
                              PolygonSurfaces& surfaces, const std::string& name) {
    LwoBytes data = chunk.data;
    startChunk(chunk, true, layer, contents);
    const auto u2 = [](LwoBytes& bytes) -> std::optional<std::uint32_t> { return bytes.u2(); };
    std::size_t announcedDetails = 0;  // detail polygons announced and not yet read
    while (!data.atEnd()) {
        const std::size_t number = layer.polygons + 1;
        const std::optional<std::uint16_t> count = data.u2();
        if (!count)
            return chunkDamage(name, chunk, polygonNumber(number) + " is cut off in its count");
        const auto first = static_cast<std::uint32_t>(contents.corners.size());
        if (base::Status read =
                readCorners(data, *count, number, u2, layer, &contents.corners, chunk, name);
            !read) {
            return read;
        }
        const std::optional<std::int16_t> surface = data.i2();
        if (!surface) {
            return chunkDamage(name, chunk,
                               polygonNumber(number) + " ends before its surface number");
        }
        if (base::Status numbered = surfaces.addNumbered(*surface, number, chunk); !numbered)
            return numbered;
        if (announcedDetails > 0) --announcedDetails;
        if (*surface < 0) {
            const std::optional<std::uint16_t> details = data.u2();
            if (!details) {
                return chunkDamage(
                    name, chunk,
                    polygonNumber(number) + " ends before the number of its detail polygons");
            }
            announcedDetails += *details;
        }
        contents.polygons.push_back({first, *count});
        ++layer.polygons;
    }
    if (announcedDetails > 0) {
        return chunkDamage(
            name, chunk,
            "it ends " + base::counted(announcedDetails, "detail polygon", "detail polygons") +
                " short of those its polygons announce");
    }
    return base::succeeded();
}

}  // namespace models
