// Reads arbitrary bytes as a scene file, then places its items and lists them at frames in
// and around its range. Whatever the bytes: a refusal is a short message naming the file,
// without control bytes; a scene read has a camera and a motion for every item, links to
// objects of the scene only, channels and keyed values that stay finite at every frame
// (its numbers are bounded, so its curves are too), and an item list of one line per item.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/imported_mesh_checks.h"
#include "models/lws_reader.h"
#include "models/scene_item_list.h"
#include "models/scene_pose.h"

namespace {

using fuzz::require;

const std::string kName = "fuzz.lws";

void checkMotion(const models::Motion& motion, std::size_t channels, double frame) {
    require(motion.channels == channels && !motion.keys.empty(), "keys for every channel");
    require(motion.values.size() == motion.keys.size() * channels, "a value a channel a key");
    for (std::size_t c = 0; c < channels; ++c) {
        require(std::isfinite(motion.at(c, frame)), "finite channels");
    }
}

void checkValue(const models::AnimatedValue& value, double frame) {
    if (value.envelope) checkMotion(*value.envelope, 1, frame);
    require(std::isfinite(value.at(frame)), "finite keyed values");
}

void checkItem(const models::SceneItem& item, std::size_t objects, double frame) {
    checkMotion(item.motion, models::kItemChannels, frame);
    require(!item.parent || *item.parent < objects, "a parent of the scene's objects");
    require(!item.target || *item.target < objects, "a target of the scene's objects");
}

void checkAt(const models::SceneFile& scene, double frame) {
    const std::size_t objects = scene.objects.size();
    for (const models::SceneObject& object : scene.objects) checkItem(object, objects, frame);
    for (const models::SceneLight& light : scene.lights) {
        checkItem(light, objects, frame);
        for (const auto* value : {&light.intensity, &light.falloff, &light.coneAngle,
                                  &light.edgeAngle}) {
            checkValue(*value, frame);
        }
    }
    checkItem(scene.camera, objects, frame);
    checkValue(scene.camera.zoom, frame);
    checkValue(scene.ambientIntensity, frame);
    const models::ScenePoses poses = models::posesAt(scene, frame);
    require(poses.objects.size() == objects && poses.lights.size() == scene.lights.size(),
            "a pose for every item");
    const std::string list = models::itemList(scene, frame);
    require(static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) ==
                objects + scene.lights.size() + 1,
            "a line for every item");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto scene = models::readScene(text, kName);
    if (!scene) {
        fuzz_checks::checkMessage(scene.error(), kName);
        return 0;
    }
    require(scene->lastFrame >= scene->firstFrame && scene->frameStep > 0 &&
                scene->framesPerSecond > 0.0,
            "a frame range that runs forward");
    const double first = scene->firstFrame;
    const double last = scene->lastFrame;
    for (const double frame : {first, (first + last) / 2 + 0.5, last, last * 3 + 7.25, -2.0}) {
        checkAt(scene.value(), frame);
    }
    return 0;
}
