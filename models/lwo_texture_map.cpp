#include "models/lwo_texture_map.h"

#include <cmath>

namespace models {
namespace {

// Whether the map of this head is the one read: the first TXUV map of dimension 2 is.
bool isTheMap(std::string_view type, std::uint16_t dimension, std::string_view mapName,
              LwoTexcoords& texcoords) {
    if (type != "TXUV" || dimension != 2) return false;
    if (!texcoords.mapName) texcoords.mapName = std::string(mapName);
    return *texcoords.mapName == mapName;
}

struct MapValue {
    std::uint32_t point = 0;
    std::uint32_t polygon = 0;  // for a corner's value
    Point2f uv{0.0f, 0.0f};
};

std::optional<MapValue> readValue(LwoBytes& data, LwoMapKind kind) {
    MapValue value;
    const std::optional<std::uint32_t> point = data.vx();
    if (!point) return std::nullopt;
    value.point = *point;
    if (kind == LwoMapKind::Corners) {
        const std::optional<std::uint32_t> polygon = data.vx();
        if (!polygon) return std::nullopt;
        value.polygon = *polygon;
    }
    const std::optional<float> u = data.f4();
    const std::optional<float> v = data.f4();
    if (!u || !v) return std::nullopt;
    value.uv = {*u, *v};
    return value;
}

bool inLayer(const MapValue& value, LwoMapKind kind, const LwoLayer& layer) {
    if (value.point >= layer.points) return false;
    return kind == LwoMapKind::Points || (layer.firstPolygon && value.polygon < layer.polygons);
}

}  // namespace

base::Status readTextureMap(const LwoChunk& chunk, LwoMapKind kind, const LwoLayer& layer,
                            std::size_t pointCount, LwoTexcoords& texcoords,
                            const std::string& name) {
    LwoBytes data = chunk.data;
    const std::optional<std::string_view> type = data.id4();
    const std::optional<std::uint16_t> dimension = data.u2();
    if (!type || !dimension) return chunkDamage(name, chunk, "it ends within the map's type");
    const std::optional<std::string_view> mapName = data.s0();
    if (!mapName) {
        return chunkDamage(name, chunk,
                           "the map's name has no zero byte to end it within the chunk");
    }
    if (!isTheMap(*type, *dimension, *mapName, texcoords)) return base::succeeded();
    if (kind == LwoMapKind::Points && texcoords.points.size() < pointCount) {
        texcoords.points.resize(pointCount);
        texcoords.given.resize(pointCount);
    }
    for (std::size_t number = 1; !data.atEnd(); ++number) {
        const std::optional<MapValue> value = readValue(data, kind);
        if (!value) {
            return chunkDamage(name, chunk,
                               "value " + std::to_string(number) + " runs past the chunk's end");
        }
        if (!std::isfinite(value->uv[0]) || !std::isfinite(value->uv[1])) {
            return chunkDamage(name, chunk,
                               "value " + std::to_string(number) + " is not a finite number");
        }
        if (!inLayer(*value, kind, layer)) {
            ++texcoords.unmatched;
            continue;
        }
        const std::uint32_t point = layer.firstPoint + value->point;
        if (kind == LwoMapKind::Corners) {
            texcoords.corners.push_back({*layer.firstPolygon + value->polygon, point, value->uv});
        } else {
            texcoords.points[point] = value->uv;
            texcoords.given[point] = 1;
        }
    }
    return base::succeeded();
}

}  // namespace models
