#include "tools/preview/object_output.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "base/message_text.h"
#include "models/look_writer.h"
#include "models/lwo_form.h"
#include "models/lwo_reader.h"
#include "tools/preview/atomic_write.h"
#include "tools/preview/parameter_save.h"

namespace preview {
namespace {

using base::Status;

std::string shown(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string shaderList(const models::Surface& surface) {
    if (surface.shaders.empty()) return "no shaders";
    std::string list;
    for (const models::ShaderEntry& shader : surface.shaders) {
        list += (list.empty() ? "shaders " : ", ") + base::quotedExcerpt(shader.server) + " (" +
                base::counted(shader.data.size(), "byte", "bytes") +
                (shader.enabled ? "" : ", off") + ")";
    }
    return list;
}

std::string surfaceLine(const models::Surface& surface, std::size_t polygons) {
    const models::BaseValues& v = surface.base;
    return base::quotedExcerpt(surface.name) + ": " +
           base::counted(polygons, "polygon", "polygons") + "; colour " + shown(v.colour[0]) + " " +
           shown(v.colour[1]) + " " + shown(v.colour[2]) + ", diffuse " + shown(v.diffuse) +
           ", specular " + shown(v.specular) + ", luminosity " + shown(v.luminosity) +
           ", roughness " + shown(v.roughness) + ", smoothing " +
           (surface.smoothingAngle > 0.0
                ? shown(surface.smoothingAngle * 180.0 / std::numbers::pi) + " degrees"
                : std::string("none (flat)")) +
           "; " + shaderList(surface);
}

// The surface's stored block as the instance saves it in binary mode.
base::Result<models::StoredBlock> blockOf(const standin::ShaderInstance& instance) {
    using Block = base::Result<models::StoredBlock>;
    const base::Result<std::string> saved = savedParameters(instance, looks::StorageMode::Binary);
    if (!saved) return Block::failure(saved.error());
    if (saved->size() != models::kStoredBlockBytes) {
        return Block::failure("the module saved " + base::counted(saved->size(), "byte", "bytes") +
                              ", not the " + std::to_string(models::kStoredBlockBytes) +
                              " of its stored block");
    }
    models::StoredBlock block;
    std::copy(saved->begin(), saved->end(), block.begin());
    return Block::success(block);
}

models::BaseValues baseValuesOf(const SurfaceInputs& inputs) {
    return {inputs.color, inputs.diffuse, inputs.specular, inputs.luminous, inputs.roughness};
}

// Each surface the look goes to, with the instance and surface inputs that shade it.
struct WrittenSurface {
    std::string name;
    const standin::ShaderInstance* instance;
    SurfaceInputs inputs;
};

std::vector<WrittenSurface> writtenSurfaces(PreviewSession& session) {
    const std::vector<models::Surface>& surfaces = session.scene().modelSurfaces();
    std::vector<WrittenSurface> written;
    if (session.lookedSurfaces().empty()) {
        for (const models::Surface& surface : surfaces)
            written.push_back({surface.name, &session.instance(), session.scene().surface()});
        return written;
    }
    for (const std::size_t looked : session.lookedSurfaces()) {
        written.push_back({surfaces[looked].name, &session.surfaceInstance(looked),
                           session.scene().surfaceShading()[looked].inputs});
    }
    return written;
}

}  // namespace

Status checkObjectFileNeeded(const PreviewOptions& options, const PreviewInputs& inputs) {
    const bool needed = options.listSurfaces || !options.writeObjectPath.empty();
    if (!needed || !inputs.scene.meshText || models::startsAsIffFile(*inputs.scene.meshText))
        return base::succeeded();
    const char* option = options.listSurfaces ? "--list-surfaces" : "--write-object";
    return Status::failure(std::string(option) + ": " + inputs.scene.meshName +
                           " is an OBJ model, of one surface; only an object file (LWO2, LWOB) "
                           "has surfaces of its own");
}

Status listSurfaces(const PreviewInputs& inputs) {
    const base::Result<models::LwoContents> read =
        models::readLwo(*inputs.scene.meshText, inputs.scene.meshName);
    if (!read) return Status::failure(read.error());
    const models::LwoSurfaces& surfaces = read->surfaces;
    std::vector<std::size_t> polygons(surfaces.surfaces.size(), 0);
    for (const std::uint32_t surface : surfaces.polygonSurfaces) ++polygons[surface];
    for (std::size_t i = 0; i < surfaces.surfaces.size(); ++i)
        std::printf("%s\n", surfaceLine(surfaces.surfaces[i], polygons[i]).c_str());
    return base::succeeded();
}

Status writeObjectFile(PreviewSession& session, const PreviewOptions& options,
                       const PreviewInputs& inputs) {
    std::string bytes = *inputs.scene.meshText;
    std::vector<std::string> names;
    for (const WrittenSurface& surface : writtenSurfaces(session)) {
        const base::Result<models::StoredBlock> block = blockOf(*surface.instance);
        if (!block) return Status::failure("--write-object: " + block.error());
        models::ObjectLook look{block.value(), std::nullopt};
        if (options.writeSurfaceValues) {
            look.values = baseValuesOf(surface.inputs);
            if (const auto mapped = surface.inputs.maps.firstMapped()) {
                std::fprintf(stderr,
                             "pelorix3-preview: warning: --write-surface-values: a map cannot "
                             "be a base value: surface %s gets the constant %s\n",
                             base::quotedExcerpt(surface.name).c_str(),
                             std::string(render::nameOf(*mapped)).c_str());
            }
        }
        base::Result<std::string> written =
            models::writeLook(bytes, inputs.scene.meshName, {surface.name}, look);
        if (!written) return Status::failure("--write-object: " + written.error());
        bytes = std::move(written.value());
        names.push_back(base::quotedExcerpt(surface.name));
    }
    Status saved = writeAtomically(options.writeObjectPath, [&bytes](std::FILE* stream) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
        return base::succeeded();  // a failed write is the stream's to tell
    });
    if (saved) {
        std::fprintf(stderr, "wrote %s (object file, the look in %s)\n",
                     outputName(options.writeObjectPath).c_str(), base::listed(names).c_str());
    }
    return saved;
}

}  // namespace preview
