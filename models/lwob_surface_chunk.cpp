// The sub-chunks of an LWOB SURF chunk: a colour of bytes, fractions in two bytes (256 =
// 100 %) or, where the file has them, as F4, the specular exponent, the smoothing angle in
// radians (as LWO2 keeps it) with the options that switch it on, and shaders as SHDR names
// each followed by its SDAT data.
#include <array>

#include "models/specular_tag.h"
#include "models/sub_chunk_value.h"
#include "models/surface_chunk_parts.h"
#include "models/surface_units.h"

namespace models {
namespace {

using Setting = std::optional<double> SurfaceSettings::*;

struct FractionTags {
    std::string_view twoBytes;
    std::string_view f4;
    Setting setting;
};

constexpr std::array<FractionTags, 3> kFractionTags{
    {{"DIFF", "VDIF", &SurfaceSettings::diffuse},
     {kSpecularTag, "VSPC", &SurfaceSettings::specular},
     {"LUMI", "VLUM", &SurfaceSettings::luminosity}}};

// The bit of FLAG that switches smoothing on; without it the surface is flat, whatever its
// smoothing angle.
constexpr std::uint16_t kSmoothingOption = 4;

double fromTwoBytes(std::int16_t value) { return value / kLwobFractionScale; }

std::uint16_t optionBits(std::int16_t value) { return static_cast<std::uint16_t>(value); }

base::Status readShaderName(const SurfaceChunkSource& source, const SubChunk& sub,
                            SurfaceChunk& surface) {
    LwoBytes rest = sub.data;
    const base::Result<std::string_view> server =
        SubChunkValue(source.name, source.chunk, sub).s0("a server name", rest);
    if (!server) return base::Status::failure(server.error());
    surface.shaders.push_back({{std::string(server.value()), {}, true}, {}, sub.offset, {}});
    return base::succeeded();
}

base::Status readShaderData(const SurfaceChunkSource& source, const SubChunk& sub,
                            SurfaceChunk& surface) {
    if (surface.shaders.empty()) {
        return subChunkDamage(source.name, source.chunk, sub,
                              "comes before any SHDR, so it is the data of no shader");
    }
    ShaderBlock& shader = surface.shaders.back();
    if (!shader.dataOffset) {
        shader.entry.data = std::string(source.bytesOf(sub.data));
        shader.dataOffset = sub.offset;
    }
    return base::succeeded();
}

}  // namespace

base::Status readLwobSubChunk(const SurfaceChunkSource& source, const SubChunk& sub,
                              SurfaceChunk& surface, LwobChunkState& state) {
    const SubChunkValue value(source.name, source.chunk, sub);
    SurfaceSettings& settings = surface.settings;
    if (sub.tag == "COLR") return storeValue(value.byteColour(), settings.colour);
    for (const FractionTags& fraction : kFractionTags) {
        if (sub.tag == fraction.twoBytes) {
            return storeValue(value.i2(), state.twoByteForms.*fraction.setting, fromTwoBytes);
        }
        if (sub.tag == fraction.f4) return storeValue(value.f4(), settings.*fraction.setting);
    }
    if (sub.tag == "GLOS") return storeValue(value.i2(), settings.roughness, roughnessFromExponent);
    if (sub.tag == "FLAG") return storeValue(value.i2(), state.options, optionBits);
    if (sub.tag == "SMAN") return storeValue(value.f4(), state.smoothingAngle, smoothingAngle);
    if (sub.tag == "SHDR") return readShaderName(source, sub, surface);
    if (sub.tag == "SDAT") return readShaderData(source, sub, surface);
    return base::succeeded();
}

void finishLwobChunk(const LwobChunkState& state, SurfaceChunk& surface) {
    for (const FractionTags& fraction : kFractionTags) {
        std::optional<double>& setting = surface.settings.*fraction.setting;
        if (!setting) setting = state.twoByteForms.*fraction.setting;
    }
    const bool smooths = state.options && (*state.options & kSmoothingOption) != 0;
    surface.settings.smoothingAngle = smooths ? state.smoothingAngle.value_or(0.0) : 0.0;
}

}  // namespace models
