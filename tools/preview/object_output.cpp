#include "tools/preview/object_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <set>

#include "base/message_text.h"
#include "looks/surface_value.h"
#include "models/look_writer.h"
#include "models/lwo_form.h"
#include "models/lwo_reader.h"
#include "models/surface_reader.h"
#include "models/surface_units.h"
#include "models/value_fields.h"
#include "tools/preview/atomic_write.h"
#include "tools/preview/parameter_save.h"
#include "tools/preview/surface_looks.h"

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

// The surfaces it starts from, nearest first: a look written into one of them reaches it.
std::string sourceList(const models::Surface& surface) {
    std::string list;
    for (const std::string& source : surface.sources)
        list += (list.empty() ? "; starts from " : ", which starts from ") +
                base::quotedExcerpt(source);
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
           "; " + shaderList(surface) + sourceList(surface);
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
        const SurfaceShading& shading = session.scene().surfaceShading()[looked];
        written.push_back({surfaces[looked].name, shading.shader, shading.inputs});
    }
    return written;
}

// A map cannot be a base value: the constant written in its place, for each input mapped.
void warnOfMaps(const WrittenSurface& surface) {
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        const auto input = static_cast<render::SurfaceInput>(i);
        if (!surface.inputs.maps.of(input)) continue;
        std::fprintf(stderr,
                     "pelorix3-preview: warning: --write-surface-values: a map cannot be a base "
                     "value: surface %s gets the constant %s %s\n",
                     base::quotedExcerpt(surface.name).c_str(),
                     std::string(render::nameOf(input)).c_str(),
                     looks::surfaceValueText(surface.inputs, input).c_str());
    }
}

// The surfaces, not written themselves, that start from one written: they take what the
// look writes wherever they do not set it themselves.
std::vector<std::string> reachedThroughSources(const std::vector<models::Surface>& surfaces,
                                               const std::vector<WrittenSurface>& written) {
    std::set<std::string> names;
    for (const WrittenSurface& surface : written) names.insert(surface.name);
    std::vector<std::string> reached;
    for (const models::Surface& surface : surfaces) {
        const bool fromWritten =
            std::any_of(surface.sources.begin(), surface.sources.end(),
                        [&names](const std::string& source) { return names.count(source) > 0; });
        if (fromWritten && names.count(surface.name) == 0)
            reached.push_back(base::quotedExcerpt(surface.name));
    }
    return reached;
}

// Where the look goes, read from the file, for a message about the look as a whole: " in
// surface" and the first surface's name, with how many more; empty when it cannot be said.
std::string whereTheLookGoes(const PreviewOptions& options, const PreviewInputs& inputs) {
    const base::Result<models::LwoSurfaces> read =
        models::readSurfaces(*inputs.scene.meshText, inputs.scene.meshName);
    if (!read || read->surfaces.empty()) return {};
    const std::vector<models::Surface>& surfaces = read->surfaces;
    const base::Result<std::vector<std::size_t>> looked =
        lookedSurfaces(surfaces, options.surfaceNames, inputs.scene.meshName);
    if (!looked) return {};
    const std::size_t count = looked->empty() ? surfaces.size() : looked->size();
    const models::Surface& first = surfaces[looked->empty() ? 0 : looked->front()];
    return " in surface " + base::quotedExcerpt(first.name) +
           (count > 1 ? " (and " + std::to_string(count - 1) + " more)" : "");
}

// LWOB keeps a roughness as the whole specular exponent nearest its inverse: the roughness
// that reads back, when it is more than 1 % from the one given.
std::optional<std::string> roughnessRounded(double roughness) {
    const std::optional<std::int16_t> exponent = models::exponentFromRoughness(roughness);
    if (!exponent) return std::nullopt;
    const double kept = models::roughnessFromExponent(*exponent);
    const double change = kept / roughness - 1.0;
    if (std::abs(change) <= 0.01) return std::nullopt;
    return "the roughness " + shown(roughness) + " as the whole specular exponent " +
           std::to_string(*exponent) + ", which reads back as the roughness " + shown(kept) + " (" +
           shown(std::round(std::abs(change) * 100.0)) + " % " + (change > 0 ? "more" : "less") +
           ")";
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

// The values the look gives are those of the run's surface inputs: a value of a surface's own
// that the look leaves came from the file, which holds it, and the defaults fit either form.
Status checkObjectLook(const PreviewOptions& options, const PreviewInputs& inputs) {
    if (options.writeObjectPath.empty() || !options.writeSurfaceValues || !inputs.scene.meshText)
        return base::succeeded();
    const base::Result<models::LwoForm> form =
        models::LwoForm::open(*inputs.scene.meshText, inputs.scene.meshName);
    if (!form) return base::succeeded();  // the import says what is wrong with it
    const models::BaseValues values = baseValuesOf(inputs.scene.surface);
    const base::Result<std::vector<models::ValueField>> fields =
        models::valueFields(form->generation(), values);
    if (!fields) {
        return Status::failure("--write-surface-values: " + inputs.scene.meshName +
                               " cannot take the look" + whereTheLookGoes(options, inputs) + ": " +
                               fields.error());
    }
    if (form->generation() == models::LwoGeneration::Lwob) {
        if (const std::optional<std::string> rounded = roughnessRounded(values.roughness)) {
            std::fprintf(stderr, "pelorix3-preview: warning: --write-surface-values: %s keeps %s\n",
                         inputs.scene.meshName.c_str(), rounded->c_str());
        }
    }
    return base::succeeded();
}

Status listSurfaces(const PreviewOptions& options, const PreviewInputs& inputs) {
    const base::Result<models::LwoContents> read =
        models::readLwo(*inputs.scene.meshText, inputs.scene.meshName);
    if (!read) return Status::failure(read.error());
    const models::LwoSurfaces& surfaces = read->surfaces;
    const base::Result<std::vector<std::size_t>> looked =
        lookedSurfaces(surfaces.surfaces, options.surfaceNames, inputs.scene.meshName);
    if (!looked) return Status::failure(looked.error());
    std::vector<std::size_t> polygons(surfaces.surfaces.size(), 0);
    for (const std::uint32_t surface : surfaces.polygonSurfaces) ++polygons[surface];
    for (std::size_t i = 0; i < surfaces.surfaces.size(); ++i)
        std::printf("%s\n", surfaceLine(surfaces.surfaces[i], polygons[i]).c_str());
    return base::succeeded();
}

Status writeObjectFile(PreviewSession& session, const PreviewOptions& options,
                       const PreviewInputs& inputs) {
    const std::vector<WrittenSurface> surfaces = writtenSurfaces(session);
    std::vector<models::SurfaceLookWrite> writes;
    std::vector<std::string> names;
    for (const WrittenSurface& surface : surfaces) {
        const base::Result<models::StoredBlock> block = blockOf(*surface.instance);
        if (!block) return Status::failure("--write-object: " + block.error());
        models::ObjectLook look{block.value(), std::nullopt};
        if (options.writeSurfaceValues) {
            look.values = baseValuesOf(surface.inputs);
            warnOfMaps(surface);
        }
        writes.push_back({surface.name, look});
        names.push_back(base::quotedExcerpt(surface.name));
    }
    const base::Result<std::string> written =
        models::writeLooks(*inputs.scene.meshText, inputs.scene.meshName, writes);
    if (!written) return Status::failure("--write-object: " + written.error());
    Status saved = writeAtomically(options.writeObjectPath, [&written](std::FILE* stream) {
        std::fwrite(written->data(), 1, written->size(), stream);
        return base::succeeded();  // a failed write is the stream's to tell
    });
    if (!saved) return saved;
    std::string where = "the look in " + base::listed(names);
    const std::vector<std::string> reached =
        reachedThroughSources(session.scene().modelSurfaces(), surfaces);
    if (!reached.empty())
        where += "; through source surfaces it also reaches " + base::listed(reached);
    std::fprintf(stderr, "wrote %s (object file, %s)\n",
                 outputName(options.writeObjectPath).c_str(), where.c_str());
    return saved;
}

}  // namespace preview
