// The keywords of a scene file that the reader knows, and where each may stand: in the
// scene at large, or in the segment of an item (an object, one of its bones, a light, the
// camera) most recently begun. Keywords it does not know are passed over, as later
// writers added many. Keywords are compared regardless of case, since the format's own
// text spells some two ways (`Falloff`, `FallOff`).
#ifndef PELORIX3_MODELS_LWS_KEYWORDS_H
#define PELORIX3_MODELS_LWS_KEYWORDS_H

#include <string_view>

namespace models {

// Where a keyword may stand.
enum class LwsScope {
    Scene,   // anywhere
    Object,  // in an object's segment (or a bone's, which it then ends)
    Bone,    // in a bone's segment only
    Light,
    Camera,
    Item,  // in any item's segment
};

// What the reader does with a keyword; Skipped ones are only checked for their place and,
// where they take one, their envelope.
enum class LwsKeyword {
    Skipped,
    FirstFrame,
    LastFrame,
    FrameStep,
    FramesPerSecond,
    AmbientColor,
    AmbIntensity,
    EnableShadowMaps,
    BackdropColor,
    LoadObject,
    AddNullObject,
    ObjectMotion,
    PivotPoint,
    ShadowOptions,
    AddBone,
    BoneMotion,
    ParentObject,
    TargetObject,
    GoalObject,
    MorphTarget,
    AddLight,
    LightName,
    LightMotion,
    LightColor,
    LgtIntensity,
    LightType,
    Falloff,
    ConeAngle,
    EdgeAngle,
    ShadowType,
    ShowCamera,
    CameraMotion,
    ZoomFactor,
    RayTraceEffects,
    Resolution,
    CustomSize,
    PixelAspectRatio,
    CustomPixelRatio,
    EndBehavior,
};

// Whether a keyword's value may be an envelope, written `(envelope)` with its keys after.
enum class LwsEnvelope { Never, Allowed, Only };

struct LwsKeywordRule {
    std::string_view name;
    LwsKeyword keyword;
    LwsScope scope;
    LwsEnvelope envelope = LwsEnvelope::Never;
    // Also stands in a bone's segment, where it is the bone's.
    bool alsoInBone = false;
};

// The rule for `word`, or nothing for a keyword the reader does not know.
const LwsKeywordRule* findLwsKeyword(std::string_view word);

}  // namespace models

#endif
