// Reads arbitrary bytes for the surfaces of an object file (LWO2 or LWOB), as the preview
// will read a model's, then writes a look into every surface and reads the result back.
// Whatever the bytes: a refusal is a short message naming the file; surfaces read have
// finite base values, a positive roughness and a smoothing angle from 0 to pi; the polygons
// the object-file reader keeps each get a surface of the list; a
// look written into every surface reads back with the same surfaces, each running the
// module with the look's block and base values; every byte before the first surface chunk
// written is kept.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/imported_mesh_checks.h"
#include "models/look_writer.h"
#include "models/lwo_reader.h"
#include "models/surface_reader.h"

namespace {

using fuzz::require;

const std::string kName = "fuzz.lwo";

void checkSurfaces(const models::LwoSurfaces& read) {
    for (const models::Surface& s : read.surfaces) {
        require(fuzz_checks::isFinite(s.base.colour), "a finite colour");
        require(std::isfinite(s.base.diffuse + s.base.specular + s.base.luminosity),
                "finite levels");
        require(std::isfinite(s.base.roughness) && s.base.roughness > 0.0, "a positive roughness");
        require(s.smoothingAngle >= 0.0 && s.smoothingAngle <= 3.1416, "a smoothing angle to pi");
        (void)models::storedBlockOf(s);
    }
    for (const std::uint32_t surface : read.polygonSurfaces)
        require(surface < read.surfaces.size(), "each polygon's surface in the list");
}

// The object-file reader reads the surfaces with the polygons: each polygon it keeps gets
// one of the surfaces.
void readWithPolygons(std::string_view file) {
    const auto read = models::readLwo(file, kName);
    if (!read) return fuzz_checks::checkMessage(read.error(), kName);
    require(read->surfaces.polygonSurfaces.size() == read->polygons.size(),
            "a surface for each polygon");
    checkSurfaces(read->surfaces);
}

models::ObjectLook look() {
    models::ObjectLook look;
    for (std::size_t i = 0; i < look.block.size(); ++i)
        look.block[i] = static_cast<unsigned char>(i * 9);
    look.values = models::BaseValues{{0.2, 0.4, 1.0}, 0.75, 0.5, 0.125, 1.0 / 16.0};
    return look;
}

void checkWritten(std::string_view file, const models::LwoSurfaces& before) {
    std::vector<std::string> names;
    for (const models::Surface& s : before.surfaces) names.push_back(s.name);
    const models::ObjectLook written = look();
    const auto out = models::writeLook(file, kName, names, written);
    if (!out) return fuzz_checks::checkMessage(out.error(), kName);
    const auto after = models::readSurfaces(out.value(), kName);
    require(after.ok(), "the written file reads");
    require(after->surfaces.size() == before.surfaces.size(), "the same surfaces");
    for (std::size_t i = 0; i < before.surfaces.size(); ++i) {
        const models::Surface& s = after->surfaces[i];
        require(s.name == before.surfaces[i].name, "the same names in the same order");
        const auto block = models::storedBlockOf(s);
        require(block.ok() && block.value() && *block.value() == written.block, "the look's block");
        const models::BaseValues& v = *written.values;
        require(std::abs(s.base.diffuse - v.diffuse) < 1e-6 &&
                    std::abs(s.base.specular - v.specular) < 1e-6 &&
                    std::abs(s.base.luminosity - v.luminosity) < 1e-6 &&
                    std::abs(s.base.roughness - v.roughness) < 1e-6,
                "the look's base values");
        for (int c = 0; c < 3; ++c)
            require(std::abs(s.base.colour[c] - v.colour[c]) < 1e-6, "the look's colour");
    }
    // Up to the first SURF chunk (or the form's end, where new ones go) only the FORM's
    // length may differ.
    const std::string_view bytes(out.value());
    models::LwoBytes header(file.substr(4, 4), 4);
    const std::size_t formEnd = 8 + *header.u4();
    const std::size_t kept = std::min(file.find("SURF", 12), formEnd);
    require(bytes.substr(0, 4) == file.substr(0, 4) &&
                bytes.substr(8, kept - 8) == file.substr(8, kept - 8),
            "the bytes before the surfaces kept");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto read = models::readSurfaces(file, kName);
    if (!read) {
        fuzz_checks::checkMessage(read.error(), kName);
        return 0;
    }
    checkSurfaces(read.value());
    require(read->polygonSurfaces.empty(), "no polygons read on their own");
    readWithPolygons(file);
    if (!read->surfaces.empty()) checkWritten(file, read.value());
    return 0;
}
