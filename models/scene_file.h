// A scene file as read: its frame range, its objects (loaded from object files, or nulls),
// its lights and ambient light, its one camera and its backdrop colour. Items refer to
// objects by their place in `objects`, counted from 0. Positions are in metres in the
// renderer's left-handed space (+x right, +y up, +z forward), angles in degrees, colours
// from 0 to 1.
#ifndef PELORIX3_MODELS_SCENE_FILE_H
#define PELORIX3_MODELS_SCENE_FILE_H

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/triple.h"
#include "models/scene_motion.h"

namespace models {

// What every item has: where it moves, and what it hangs from and looks at.
struct SceneItem {
    std::size_t line = 0;  // where the item begins in the file
    Motion motion;         // nine channels, relative to the parent
    std::optional<std::size_t> parent;
    // When set, the item's heading and pitch turn its +z axis toward this object.
    std::optional<std::size_t> target;
};

// The shadow options of an object, as bits.
inline constexpr unsigned kSelfShadow = 1;
inline constexpr unsigned kCastsShadows = 2;
inline constexpr unsigned kReceivesShadows = 4;

struct SceneObject : SceneItem {
    bool null = false;
    // The object file's path as the scene writes it, or the null's name.
    std::string written;
    // The origin of the object's rotation and scale, in its own coordinates.
    base::Triple pivot{};
    unsigned shadowOptions = kSelfShadow | kCastsShadows | kReceivesShadows;
    std::size_t bones = 0;  // read and passed over

    // The object file's name without its folders, or the null's name.
    std::string name() const;
};

enum class LightKind { Distant = 0, Point = 1, Spot = 2 };
enum class ShadowKind { None = 0, RayTraced = 1, ShadowMap = 2 };

// A light shines along its own +z axis (distant and spot lights).
struct SceneLight : SceneItem {
    std::string name = "Light";
    LightKind kind = LightKind::Distant;
    base::Triple colour{1.0, 1.0, 1.0};
    AnimatedValue intensity{1.0, std::nullopt};   // may exceed 1, or be negative
    AnimatedValue falloff{0.0, std::nullopt};     // fraction of the intensity lost per metre
    AnimatedValue coneAngle{30.0, std::nullopt};  // degrees from the axis to the cone's edge
    AnimatedValue edgeAngle{5.0, std::nullopt};   // degrees of soft band inside the cone
    ShadowKind shadow = ShadowKind::RayTraced;
};

// The ray-traced effects of the camera, as bits.
inline constexpr unsigned kRayTracedShadows = 1;
inline constexpr unsigned kRayTracedReflection = 2;
inline constexpr unsigned kRayTracedRefraction = 4;

// The camera looks along its own +z axis, +y up and +x right in the picture. Its scale
// channels are read but move nothing.
struct SceneCamera : SceneItem {
    std::string name = "Camera";
    // Vertical: tan(half the vertical field of view) = 1 / zoom. Read greater than 0; an
    // envelope's curve may still dip below its keys between them.
    AnimatedValue zoom{3.2, std::nullopt};
    unsigned rayTraceEffects = 0;
    int resolution = 1;                            // -1 super low, 0 low, 1 medium, 2 high, 3 print
    std::optional<std::array<int, 2>> customSize;  // width, height in pixels
    double pixelAspect = 1.0;                      // pixel width / height
};

struct SceneFile {
    int firstFrame = 1;
    int lastFrame = 60;
    int frameStep = 1;
    double framesPerSecond = 30.0;
    std::vector<SceneObject> objects;
    std::vector<SceneLight> lights;
    SceneCamera camera;
    base::Triple ambientColour{1.0, 1.0, 1.0};
    AnimatedValue ambientIntensity{0.25, std::nullopt};
    bool shadowMaps = true;  // shadow-map lights are switched off scene-wide when false
    std::optional<base::Triple> backdrop;
};

}  // namespace models

#endif
