#include "shader/sheen_shader.h"

#include <cmath>
#include <limits>
#include <new>
#include <optional>

#include "framework/shader_activation.h"
#include "framework/value_stream.h"
#include "geometry/constants.h"
#include "panels/interface.h"
#include "shader/sheen_panel.h"

namespace pelorix3 {

namespace {

constexpr const char* serverName = "pelorix3";
constexpr unsigned int sheenFlags = 2;

// Stored switches come back as doubles: truncated toward zero and clamped to the int
// range; a value that is not a number keeps the current setting.
void loadSwitch(const std::optional<double>& stored, int& target) {
    if (!stored || std::isnan(*stored)) return;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    const double clamped = *stored < lowest ? lowest : (*stored > highest ? highest : *stored);
    target = static_cast<int>(clamped);
}

void loadDouble(const std::optional<double>& stored, double& target) {
    if (stored) target = *stored;
}

}  // namespace

void SheenShader::copy(const HostServer& other) {
    if (const auto* source = dynamic_cast<const SheenShader*>(&other)) {
        density = source->density;
        transparency = source->transparency;
        specularColor = source->specularColor;
        dontOverlapShadows = source->dontOverlapShadows;
        densityByLuminosity = source->densityByLuminosity;
    }
    ShadingServer::copy(other);
}

void SheenShader::setDefaults() {
    density = 1.0;
    transparency = 0.33;
    specularColor = colorWhite;
    dontOverlapShadows = 1;
    densityByLuminosity = 0;
}

HostError SheenShader::save(const SaveState* state) {
    writeValue(state, density);
    writeValue(state, transparency);
    writeValue(state, specularColor.x);
    writeValue(state, specularColor.y);
    writeValue(state, specularColor.z);
    writeValue(state, static_cast<double>(dontOverlapShadows));
    writeValue(state, static_cast<double>(densityByLuminosity));
    return nullptr;
}

// A short or damaged block keeps the current value of every parameter it does not hold.
HostError SheenShader::load(const LoadState* state) {
    loadDouble(readValue(state), density);
    loadDouble(readValue(state), transparency);
    loadDouble(readValue(state), specularColor.x);
    loadDouble(readValue(state), specularColor.y);
    loadDouble(readValue(state), specularColor.z);
    loadSwitch(readValue(state), dontOverlapShadows);
    loadSwitch(readValue(state), densityByLuminosity);
    return nullptr;
}

ShadingServer* createSheenShader() {
    auto* shader = new (std::nothrow) SheenShader();
    if (shader != nullptr) {
        shader->name = serverName;
        shader->flags = sheenFlags;
        // The options panel is built here, bound to this instance's parameters.
        shader->panel = buildSheenPanel(*shader);
    }
    return finishCreate(shader);
}

int activateSheenShader(long version, GlobalFunc global, void* local, void* serverData) {
    return activateShaderHandler(version, global, local, serverData,
                                 createEntry<createSheenShader>);
}

// Registers the module's two servers at load; it is never handed to the host.
SheenShader registeringShader(serverName, 1, activateSheenShader);

}  // namespace pelorix3
