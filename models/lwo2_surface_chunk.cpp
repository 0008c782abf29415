// The sub-chunks of an LWO2 SURF chunk: fractions as F4 (each followed by an envelope the
// preview does not use), the smoothing angle in radians, and blocks, of which those of kind
// SHDR are shader plug-ins.
#include <algorithm>
#include <array>

#include "models/specular_tag.h"
#include "models/sub_chunk_value.h"
#include "models/surface_chunk_parts.h"
#include "models/surface_units.h"

namespace models {
namespace {

using Setting = std::optional<double> SurfaceSettings::*;

struct FractionTag {
    std::string_view tag;
    Setting setting;
};

constexpr std::array<FractionTag, 3> kFractions{{{"DIFF", &SurfaceSettings::diffuse},
                                                 {kSpecularTag, &SurfaceSettings::specular},
                                                 {"LUMI", &SurfaceSettings::luminosity}}};

// Whether a block header's own sub-chunks leave the block switched on (ENAB absent or not 0).
base::Result<bool> headerEnabled(const SurfaceChunkSource& source, LwoBytes parts) {
    SubChunks subs(source.chunk, parts, "the block's header", source.name);
    bool enabled = true;
    for (;;) {
        base::Result<std::optional<SubChunk>> sub = subs.next();
        if (!sub) return base::Result<bool>::failure(sub.error());
        if (!sub.value()) return base::Result<bool>::success(enabled);
        if (sub.value()->tag != "ENAB") continue;
        const base::Result<std::int16_t> flag =
            SubChunkValue(source.name, source.chunk, *sub.value()).i2();
        if (!flag) return base::Result<bool>::failure(flag.error());
        enabled = flag.value() != 0;
    }
}

// A FUNC sub-chunk: the server's name, then its data to the end of the sub-chunk.
base::Result<ShaderEntry> function(const SurfaceChunkSource& source, const SubChunk& func) {
    LwoBytes data = func.data;
    const base::Result<std::string_view> server =
        SubChunkValue(source.name, source.chunk, func).s0("a server name", data);
    if (!server) return base::Result<ShaderEntry>::failure(server.error());
    return base::Result<ShaderEntry>::success(
        {std::string(server.value()), std::string(source.bytesOf(data)), true});
}

// A BLOK: its header (whose tag is the block's kind, whose data an ordinal and the header's
// own sub-chunks), then the block's sub-chunks. Every block's ordinal counts for the last
// one; a shader block with a FUNC becomes a shader of the surface.
base::Status readBlock(const SurfaceChunkSource& source, const SubChunk& block,
                       SurfaceChunk& surface) {
    SubChunks subs(source.chunk, block.data, "the block", source.name);
    base::Result<std::optional<SubChunk>> header = subs.next();
    if (!header) return base::Status::failure(header.error());
    if (!header.value()) return base::succeeded();  // an empty block does nothing
    LwoBytes parts = header.value()->data;
    const base::Result<std::string_view> ordinal =
        SubChunkValue(source.name, source.chunk, *header.value()).s0("an ordinal", parts);
    if (!ordinal) return base::Status::failure(ordinal.error());
    surface.lastOrdinal = std::max(surface.lastOrdinal, std::string(ordinal.value()));
    const base::Result<bool> enabled = headerEnabled(source, parts);
    if (!enabled) return base::Status::failure(enabled.error());
    ShaderBlock shader{{}, std::string(ordinal.value()), block.offset, std::nullopt};
    for (;;) {
        base::Result<std::optional<SubChunk>> sub = subs.next();
        if (!sub) return base::Status::failure(sub.error());
        if (!sub.value()) break;
        if (sub.value()->tag != "FUNC" || shader.dataOffset) continue;
        base::Result<ShaderEntry> read = function(source, *sub.value());
        if (!read) return base::Status::failure(read.error());
        shader.entry = std::move(read.value());
        shader.dataOffset = sub.value()->offset;
    }
    if (header.value()->tag == "SHDR" && shader.dataOffset) {
        shader.entry.enabled = enabled.value();
        surface.shaders.push_back(std::move(shader));
    }
    return base::succeeded();
}

}  // namespace

base::Status readLwo2SubChunk(const SurfaceChunkSource& source, const SubChunk& sub,
                              SurfaceChunk& surface) {
    const SubChunkValue value(source.name, source.chunk, sub);
    SurfaceSettings& settings = surface.settings;
    if (sub.tag == "COLR") return storeValue(value.threeF4(), settings.colour);
    for (const FractionTag& fraction : kFractions) {
        if (sub.tag == fraction.tag) return storeValue(value.f4(), settings.*fraction.setting);
    }
    if (sub.tag == "GLOS")
        return storeValue(value.f4(), settings.roughness, roughnessFromGlossiness);
    if (sub.tag == "SMAN") return storeValue(value.f4(), settings.smoothingAngle, smoothingAngle);
    if (sub.tag == "BLOK") return readBlock(source, sub, surface);
    return base::succeeded();
}

}  // namespace models
