#include "models/scene_item_list.h"

#include "base/message_text.h"
#include "base/number_text.h"
#include "models/scene_pose.h"

namespace models {
namespace {

// Adding 0 turns -0 into 0, which a reader of the list does not want to tell apart.
std::string number(double value) { return base::number_text::shortestText(value + 0.0); }

std::string numbers(const base::Triple& t) {
    return number(t[0]) + ' ' + number(t[1]) + ' ' + number(t[2]);
}

std::string named(const char* kind, const std::string& name) {
    return std::string(kind) + " \"" + base::escaped(name) + '"';
}

std::string placed(const ItemPose& pose) {
    const AffineMatrix& m = pose.matrix;
    return " position " + numbers(pose.position) + " right " + numbers(m.right) + " up " +
           numbers(m.up) + " forward " + numbers(m.forward);
}

const char* kindName(LightKind kind) {
    switch (kind) {
        case LightKind::Distant:
            return "distant";
        case LightKind::Point:
            return "point";
        case LightKind::Spot:
            return "spot";
    }
    return "";
}

}  // namespace

std::string itemList(const SceneFile& scene, double frame) {
    const ScenePoses poses = posesAt(scene, frame);
    std::string list;
    for (std::size_t i = 0; i < scene.objects.size(); ++i) {
        list += named("object", scene.objects[i].name()) + placed(poses.objects[i]) + '\n';
    }
    for (std::size_t i = 0; i < scene.lights.size(); ++i) {
        const SceneLight& light = scene.lights[i];
        list += named("light", light.name) + ' ' + kindName(light.kind) + placed(poses.lights[i]) +
                " colour " + numbers(light.colour) + " intensity " +
                number(light.intensity.at(frame)) + '\n';
    }
    list += named("camera", scene.camera.name) + placed(poses.camera) + " zoom " +
            number(scene.camera.zoom.at(frame)) + '\n';
    return list;
}

}  // namespace models
