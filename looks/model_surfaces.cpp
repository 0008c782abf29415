#include "looks/model_surfaces.h"

#include <optional>
#include <set>

#include "base/message_text.h"
#include "looks/parameter_file.h"
#include "models/stored_block.h"

namespace looks {

render::SurfaceInputs inputsOf(const models::BaseValues& base) {
    render::SurfaceInputs inputs;
    inputs.color = base.colour;
    inputs.diffuse = base.diffuse;
    inputs.specular = base.specular;
    inputs.luminous = base.luminosity;
    inputs.roughness = base.roughness;
    return inputs;
}

base::Status loadStoredBlock(standin::ShaderInstance& instance, const models::Surface& surface,
                             const std::string& model, std::vector<std::string>& warnings) {
    const base::Result<std::optional<models::StoredBlock>> block = models::storedBlockOf(surface);
    const auto defaultsUsed = [&](const std::string& why) {
        warnings.push_back(model + ": " + why + "; the surface gets the module's defaults");
    };
    if (!block) {
        defaultsUsed(block.error());
        return base::succeeded();
    }
    if (!block.value()) return base::succeeded();  // the module is not attached
    const std::string bytes(block.value()->begin(), block.value()->end());
    const std::string name = model + ", surface " + base::quotedExcerpt(surface.name);
    const base::Result<ParameterFile> data = parseParameterData(name, bytes, StorageMode::Binary);
    if (!data) {
        defaultsUsed(data.error());
        return base::succeeded();
    }
    return loadInto(instance, data.value());
}

void warnOtherShaders(const std::vector<models::Surface>& surfaces, const std::string& model,
                      std::vector<std::string>& warnings) {
    std::set<std::string> others;
    for (const models::Surface& surface : surfaces) {
        for (const models::ShaderEntry& shader : surface.shaders) {
            if (shader.enabled && shader.server != models::kModuleServer)
                others.insert(base::quotedExcerpt(shader.server));
        }
    }
    if (others.empty()) return;
    const std::string list = base::listed(others);
    warnings.push_back(model + ": " + base::counted(others.size(), "shader", "shaders") + " of " +
                       "other plug-ins (" + list + ") not run: the preview runs only " +
                       models::kModuleServer);
}

}  // namespace looks
