#include "tools/preview/surface_looks.h"

#include <algorithm>

#include "base/message_text.h"
#include "looks/model_surfaces.h"
#include "looks/parameter_file.h"
#include "models/stored_block.h"

namespace preview {
namespace {

using base::Status;

std::string surfaceList(const std::vector<models::Surface>& surfaces) {
    std::vector<std::string> names;
    for (const models::Surface& surface : surfaces)
        names.push_back(base::quotedExcerpt(surface.name));
    return base::listed(names);
}

// The command line's parameters given to an instance that holds its own block already:
// the preset's block, then --load's, then each parameter given, as for the whole subject.
Status giveLook(standin::ShaderInstance& instance, const PreviewOptions& options,
                const PreviewInputs& inputs) {
    if (inputs.preset) {
        if (Status loaded = looks::loadInto(instance, inputs.preset->parameters); !loaded)
            return loaded;
    }
    if (inputs.loaded) {
        if (Status loaded = looks::loadInto(instance, *inputs.loaded); !loaded) return loaded;
    }
    if (!options.parameters.any()) return base::succeeded();
    const base::Result<looks::ParameterBlock> held = looks::readBack(instance);
    if (!held) return Status::failure(held.error());
    return looks::loadInto(instance, options.parameters.appliedTo(held.value()));
}

// The look's surface inputs on a surface of these: a preset's whole look, or the inputs the
// command line gives over the surface's own; the command line's maps in either case.
SurfaceInputs lookInputs(const SurfaceInputs& own, const PreviewOptions& options,
                         const PreviewInputs& inputs) {
    if (inputs.preset) return inputs.scene.surface;
    SurfaceInputs looked = options.surface.appliedTo(own);
    looked.maps = inputs.scene.surface.maps;
    return looked;
}

}  // namespace

base::Result<std::vector<std::size_t>> lookedSurfaces(const std::vector<models::Surface>& surfaces,
                                                      const std::vector<std::string>& named,
                                                      const std::string& model) {
    using Looked = base::Result<std::vector<std::size_t>>;
    std::vector<std::size_t> looked;
    for (const std::string& name : named) {
        const auto found =
            std::find_if(surfaces.begin(), surfaces.end(),
                         [&name](const models::Surface& surface) { return surface.name == name; });
        if (found == surfaces.end()) {
            return Looked::failure(
                "--surface " + base::quotedExcerpt(name) + ": " + model +
                (surfaces.empty()
                     ? " has no surfaces of its own (only an object file has)"
                     : " has no such surface; its surfaces are " + surfaceList(surfaces)));
        }
        const auto index = static_cast<std::size_t>(found - surfaces.begin());
        if (std::find(looked.begin(), looked.end(), index) == looked.end()) looked.push_back(index);
    }
    if (!named.empty()) return Looked::success(std::move(looked));
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        if (models::moduleEntry(surfaces[i])) looked.push_back(i);
    }
    return Looked::success(std::move(looked));
}

base::Result<std::vector<std::string>> shadeModelSurfaces(PreviewSession& session,
                                                          const PreviewOptions& options,
                                                          const PreviewInputs& inputs) {
    using Shaded = base::Result<std::vector<std::string>>;
    const std::vector<models::Surface>& surfaces = session.scene().modelSurfaces();
    const std::string& model = inputs.scene.meshName;
    base::Result<std::vector<std::size_t>> looked =
        lookedSurfaces(surfaces, options.surfaceNames, model);
    if (!looked) return Shaded::failure(looked.error());
    std::vector<std::string> warnings;
    looks::warnOtherShaders(surfaces, model, warnings);
    if (looked->empty()) return Shaded::success(std::move(warnings));  // one surface, as ever
    std::vector<SurfaceShading> shading;
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        const models::Surface& surface = surfaces[i];
        SurfaceShading entry{nullptr, looks::inputsOf(surface.base)};
        const bool isLooked = std::find(looked->begin(), looked->end(), i) != looked->end();
        if (isLooked || models::moduleEntry(surface)) {
            base::Result<standin::ShaderInstance*> instance = session.newSurfaceInstance();
            if (!instance) return Shaded::failure(model + ": " + instance.error());
            if (Status loaded = looks::loadStoredBlock(*instance.value(), surface, model, warnings);
                !loaded) {
                return Shaded::failure(loaded.error());
            }
            if (isLooked) {
                if (Status given = giveLook(*instance.value(), options, inputs); !given)
                    return Shaded::failure(given.error());
                entry.inputs = lookInputs(entry.inputs, options, inputs);
            }
            entry.shader = instance.value();
        }
        shading.push_back(std::move(entry));
    }
    session.shadeSurfaces(std::move(shading), std::move(looked.value()));
    return Shaded::success(std::move(warnings));
}

}  // namespace preview
