#include "models/lwo_writer.h"

#include <cstring>

namespace models::lwo_writer {

std::string u2(std::uint32_t value) {
    return {static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string u4(std::uint32_t value) { return u2(value >> 16) + u2(value & 0xFFFF); }

std::string f4(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return u4(bits);
}

std::string vx(std::uint32_t index) { return index < 0xFF00 ? u2(index) : u4(0xFF000000u | index); }

std::string s0(std::string_view text) {
    std::string bytes(text);
    bytes += '\0';
    if (bytes.size() % 2 == 1) bytes += '\0';
    return bytes;
}

namespace {

std::string padded(std::string bytes) {
    if (bytes.size() % 2 == 1) bytes += '\0';
    return bytes;
}

}  // namespace

std::string chunk(std::string_view tag, std::string_view data) {
    return padded(std::string(tag) + u4(static_cast<std::uint32_t>(data.size())) +
                  std::string(data));
}

std::string subChunk(std::string_view tag, std::string_view data) {
    return padded(std::string(tag) + u2(static_cast<std::uint32_t>(data.size())) +
                  std::string(data));
}

std::string form(std::string_view type, const std::string& chunks) {
    return "FORM" + u4(static_cast<std::uint32_t>(4 + chunks.size())) + std::string(type) + chunks;
}

std::string points(const std::vector<Point>& points) {
    std::string data;
    for (const Point& p : points) data += f4(p[0]) + f4(p[1]) + f4(p[2]);
    return chunk("PNTS", data);
}

std::string polygons(std::string_view type, const std::vector<Polygon>& polygons) {
    std::string data(type);
    for (const Polygon& polygon : polygons) {
        data += u2(static_cast<std::uint32_t>(polygon.size()));
        for (const std::uint32_t point : polygon) data += vx(point);
    }
    return chunk("POLS", data);
}

std::string lwobPolygon(const Polygon& polygon) {
    std::string data = u2(static_cast<std::uint32_t>(polygon.size()));
    for (const std::uint32_t point : polygon) data += u2(point);
    return data + u2(1);
}

std::string layer(std::uint32_t number) {
    return chunk("LAYR", u2(number) + u2(0) + f4(0) + f4(0) + f4(0) + s0("layer"));
}

std::string textureMap(std::string_view tag, std::string_view name,
                       const std::vector<MapValue>& values) {
    std::string data = "TXUV" + u2(2) + s0(name);
    for (const MapValue& value : values) {
        data +=
            vx(value.point) + (tag == "VMAD" ? vx(value.polygon) : "") + f4(value.u) + f4(value.v);
    }
    return chunk(tag, data);
}

}  // namespace models::lwo_writer
