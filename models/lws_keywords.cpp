#include "models/lws_keywords.h"

#include <algorithm>
#include <iterator>

#include "models/scene_object_path.h"

namespace models {
namespace {

using K = LwsKeyword;
using S = LwsScope;
using E = LwsEnvelope;

constexpr LwsKeywordRule kRules[] = {
    // The scene, its ambient light, effects.
    {"FirstFrame", K::FirstFrame, S::Scene},
    {"LastFrame", K::LastFrame, S::Scene},
    {"FrameStep", K::FrameStep, S::Scene},
    {"FramesPerSecond", K::FramesPerSecond, S::Scene},
    {"AmbientColor", K::AmbientColor, S::Scene},
    {"AmbIntensity", K::AmbIntensity, S::Scene, E::Allowed},
    {"EnableShadowMaps", K::EnableShadowMaps, S::Scene},
    {"BackdropColor", K::BackdropColor, S::Scene},
    {"GlobalFlareIntensity", K::Skipped, S::Scene, E::Only},
    {"FGDissolve", K::Skipped, S::Scene, E::Allowed},
    {"FogMinDist", K::Skipped, S::Scene, E::Allowed},
    {"FogMaxDist", K::Skipped, S::Scene, E::Allowed},
    {"FogMinAmount", K::Skipped, S::Scene, E::Allowed},
    {"FogMaxAmount", K::Skipped, S::Scene, E::Allowed},
    {"Saturation", K::Skipped, S::Scene, E::Allowed},
    {"GlowIntensity", K::Skipped, S::Scene, E::Allowed},
    {"GlowRadius", K::Skipped, S::Scene, E::Allowed},
    // Objects.
    {"LoadObject", K::LoadObject, S::Scene},
    {"AddNullObject", K::AddNullObject, S::Scene},
    {"ObjectMotion", K::ObjectMotion, S::Object},
    {"PivotPoint", K::PivotPoint, S::Object},
    {"ShadowOptions", K::ShadowOptions, S::Object},
    {"MorphTarget", K::MorphTarget, S::Object},
    {"ObjDissolve", K::Skipped, S::Object, E::Allowed},
    {"Metamorph", K::Skipped, S::Object, E::Allowed},
    {"PolygonSize", K::Skipped, S::Object, E::Allowed},
    {"DisplacementMap", K::Skipped, S::Object, E::Allowed},
    {"GoalObject", K::GoalObject, S::Object, E::Never, true},
    {"LockedChannels", K::Skipped, S::Object, E::Never, true},
    {"HLimits", K::Skipped, S::Object, E::Never, true},
    {"PLimits", K::Skipped, S::Object, E::Never, true},
    {"BLimits", K::Skipped, S::Object, E::Never, true},
    {"IKAnchor", K::Skipped, S::Object, E::Never, true},
    // Bones.
    {"AddBone", K::AddBone, S::Object, E::Never, true},
    {"BoneMotion", K::BoneMotion, S::Bone},
    {"BoneName", K::Skipped, S::Bone},
    {"ShowBone", K::Skipped, S::Bone},
    {"BoneActive", K::Skipped, S::Bone},
    {"BoneRestPosition", K::Skipped, S::Bone},
    {"BoneRestDirection", K::Skipped, S::Bone},
    {"BoneRestLength", K::Skipped, S::Bone},
    {"ScaleBoneStrength", K::Skipped, S::Bone},
    {"BoneStrength", K::Skipped, S::Bone},
    {"BoneLimitedRange", K::Skipped, S::Bone},
    {"BoneMinRange", K::Skipped, S::Bone},
    {"BoneMaxRange", K::Skipped, S::Bone},
    // Any item.
    {"ParentObject", K::ParentObject, S::Item, E::Never, true},
    {"TargetObject", K::TargetObject, S::Item},
    // Lights.
    {"AddLight", K::AddLight, S::Scene},
    {"LightName", K::LightName, S::Light},
    {"LightMotion", K::LightMotion, S::Light},
    {"LightColor", K::LightColor, S::Light},
    {"LgtIntensity", K::LgtIntensity, S::Light, E::Allowed},
    {"LightType", K::LightType, S::Light},
    {"Falloff", K::Falloff, S::Light, E::Allowed},
    {"ConeAngle", K::ConeAngle, S::Light, E::Allowed},
    {"EdgeAngle", K::EdgeAngle, S::Light, E::Allowed},
    {"ShadowType", K::ShadowType, S::Light},
    {"ShadowCasting", K::ShadowType, S::Light},
    {"FlareIntensity", K::Skipped, S::Light, E::Allowed},
    {"FlareDissolve", K::Skipped, S::Light, E::Allowed},
    {"FlareRotationAngle", K::Skipped, S::Light, E::Allowed},
    {"ShadowMapAngle", K::Skipped, S::Light, E::Allowed},
    // The camera.
    {"ShowCamera", K::ShowCamera, S::Scene},
    {"CameraMotion", K::CameraMotion, S::Camera},
    {"ZoomFactor", K::ZoomFactor, S::Camera, E::Allowed},
    {"RayTraceEffects", K::RayTraceEffects, S::Camera},
    {"Resolution", K::Resolution, S::Camera},
    {"CustomSize", K::CustomSize, S::Camera},
    {"PixelAspectRatio", K::PixelAspectRatio, S::Camera},
    {"CustomPixelRatio", K::CustomPixelRatio, S::Camera},
    {"FocalDistance", K::Skipped, S::Camera, E::Allowed},
    {"LensFStop", K::Skipped, S::Camera, E::Allowed},
    {"BlurLength", K::Skipped, S::Camera, E::Allowed},
    // Only ever after a motion's or an envelope's keys.
    {"EndBehavior", K::EndBehavior, S::Scene},
};

}  // namespace

const LwsKeywordRule* findLwsKeyword(std::string_view word) {
    const auto* rule =
        std::find_if(std::begin(kRules), std::end(kRules),
                     [&](const LwsKeywordRule& r) { return sameNameIgnoringCase(r.name, word); });
    return rule == std::end(kRules) ? nullptr : rule;
}

}  // namespace models
