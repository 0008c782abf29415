#include "models/lws_reader.h"

#include <cmath>
#include <optional>
#include <vector>

#include "base/message_text.h"
#include "base/number_text.h"
#include "base/text_lines.h"
#include "models/lws_key_block.h"
#include "models/lws_keywords.h"
#include "models/lws_lines.h"
#include "models/lws_references.h"
#include "models/lws_values.h"
#include "models/obj_words.h"

namespace models {
namespace {

using K = LwsKeyword;

constexpr long long kLastSceneFrame = 1000000000;
constexpr long long kMostLinked = 1000000000000;  // as large a number as a scene holds
constexpr long long kMostBits = 65535;
constexpr double kLargestFrameSide = 16384;
// A pixel far from square is a damaged ratio, not a picture anyone renders.
constexpr double kMostPixelRatio = 10.0;
constexpr const char* kEnvelopeWord = "(envelope)";

enum class Segment { None, Object, Bone, Light, Camera };

// What the version on line 2 says, when it is not 1.
std::string versionRefusal(long long version) {
    const std::string said = "scene format version " + std::to_string(version);
    if (version == 2) {
        return said +
               " is an interim layout that no LightWave 4.0 to 5.6 release wrote; only version 1, "
               "which those releases write, is read";
    }
    if (version >= 3) {
        return said +
               " was saved by LightWave 6.0 or later and is not supported; only version 1, which "
               "LightWave 4.0 to 5.6 write, is read";
    }
    return said + " is not one any release wrote; only version 1 is read";
}

std::string scopeName(LwsScope scope) {
    switch (scope) {
        case LwsScope::Scene:
            return "the scene";
        case LwsScope::Object:
            return "an object's lines (begun by LoadObject or AddNullObject)";
        case LwsScope::Bone:
            return "a bone's lines (begun by AddBone)";
        case LwsScope::Light:
            return "a light's lines (begun by AddLight)";
        case LwsScope::Camera:
            return "the camera's lines (begun by ShowCamera)";
        case LwsScope::Item:
            return "an item's lines";
    }
    return "";
}

class SceneReader {
public:
    SceneReader(std::string_view text, const std::string& name)
        : text_(text), name_(name), lines_(text) {}

    base::Result<SceneFile> read();

private:
    base::Status fail(const std::string& what) const { return failAt(lines_.number(), what); }
    base::Status failAt(std::size_t line, const std::string& what) const {
        return base::Status::failure(sceneFault(name_, line, what));
    }
    std::string keyword() const { return base::excerpt(lines_.keyword()); }

    base::Status header();
    base::Status version();
    base::Status statement();
    base::Status checkPlace(const LwsKeywordRule& rule) const;
    std::string where() const;
    base::Status apply(const LwsKeywordRule& rule);
    base::Status begin(K keyword);
    base::Status sceneValue(K keyword);
    base::Status objectValue(K keyword);
    base::Status lightValue(K keyword);
    base::Status cameraValue(K keyword);
    base::Status link(LinkKind kind);
    base::Status motion(SceneItem& item);
    base::Status animated(AnimatedValue& value, bool positive);
    base::Status whole(long long lowest, long long highest, long long& out) const;
    // A whole number from `lowest` to `highest` into `field`, which takes it as it is.
    template <class Field>
    base::Status wholeInto(long long lowest, long long highest, Field& field) const {
        long long value = 0;
        base::Status read = whole(lowest, highest, value);
        if (read) field = static_cast<Field>(value);
        return read;
    }
    base::Status number(double& out) const;
    base::Status colour(base::Triple& out) const;
    base::Status lightType();
    base::Status frameSize();
    base::Status finish();

    bool enveloped() const { return base::LineWords(lines_.rest()).next() == kEnvelopeWord; }

    std::string_view text_;
    const std::string& name_;
    LwsLines lines_;
    SceneFile scene_;
    Segment segment_ = Segment::None;
    std::vector<LwsLink> links_;
    bool cameraBegun_ = false;
    std::size_t lastFrameLine_ = 0;
    long long pixelAspectPreset_ = 2;
    std::optional<double> customPixelRatio_;
};

base::Status SceneReader::header() {
    base::TextLines first(text_);
    std::string_view line = first.next() ? first.line() : std::string_view{};
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line != "LWSC") {
        return failAt(
            1, "not a scene file: its first line is " + base::quotedExcerpt(line) + ", not LWSC");
    }
    if (const std::optional<LineFault> fault = unfitLine(text_)) {
        return failAt(fault->line, fault->what);
    }
    lines_.next();
    return version();
}

base::Status SceneReader::version() {
    if (!lines_.next() || lines_.number() != 2) {
        return failAt(2, "the scene format version belongs on line 2, which is empty");
    }
    const std::optional<double> version = readReal(lines_.keyword());
    if (!version || !lines_.rest().empty() || *version != std::floor(*version) ||
        std::abs(*version) > kMostLinked) {
        return fail("the scene format version must be a whole number, not " +
                    base::quotedExcerpt(lines_.line()));
    }
    if (*version != 1.0) return fail(versionRefusal(static_cast<long long>(*version)));
    return base::succeeded();
}

base::Status SceneReader::statement() {
    const LwsKeywordRule* rule = findLwsKeyword(lines_.keyword());
    // A bone's lines run until the first keyword that is not a bone's.
    if (segment_ == Segment::Bone &&
        !(rule && (rule->scope == LwsScope::Bone || rule->alsoInBone))) {
        segment_ = Segment::Object;
    }
    if (!rule) return base::succeeded();
    if (base::Status placed = checkPlace(*rule); !placed) return placed;
    return apply(*rule);
}

base::Status SceneReader::checkPlace(const LwsKeywordRule& rule) const {
    bool fits = true;
    switch (rule.scope) {
        case LwsScope::Scene:
            break;
        case LwsScope::Object:
            fits = segment_ == Segment::Object || (segment_ == Segment::Bone && rule.alsoInBone);
            break;
        case LwsScope::Bone:
            fits = segment_ == Segment::Bone;
            break;
        case LwsScope::Light:
            fits = segment_ == Segment::Light;
            break;
        case LwsScope::Camera:
            fits = segment_ == Segment::Camera;
            break;
        case LwsScope::Item:
            fits = segment_ != Segment::None && (segment_ != Segment::Bone || rule.alsoInBone);
            break;
    }
    if (fits) return base::succeeded();
    return fail(base::quotedExcerpt(lines_.keyword()) + " belongs to " + scopeName(rule.scope) +
                ", but stands " + where());
}

std::string SceneReader::where() const {
    const auto begunAt = [](const char* what, std::size_t line) {
        return std::string("among the lines of ") + what + " begun at line " + std::to_string(line);
    };
    switch (segment_) {
        case Segment::None:
            return "before any item has begun";
        case Segment::Object:
            return begunAt("the object", scene_.objects.back().line);
        case Segment::Bone:
            return begunAt("a bone of the object", scene_.objects.back().line);
        case Segment::Light:
            return begunAt("the light", scene_.lights.back().line);
        case Segment::Camera:
            return begunAt("the camera", scene_.camera.line);
    }
    return "";
}

base::Status SceneReader::apply(const LwsKeywordRule& rule) {
    if (rule.keyword == K::EndBehavior) {
        return fail("EndBehavior stands where no motion or envelope has ended");
    }
    if (enveloped() && rule.envelope == LwsEnvelope::Never) {
        return fail(keyword() + " takes no envelope");
    }
    if (!enveloped() && rule.envelope == LwsEnvelope::Only) {
        return fail(keyword() + " takes only an envelope, written " + kEnvelopeWord);
    }
    if (rule.keyword == K::Skipped) {
        AnimatedValue passedOver;
        return enveloped() ? animated(passedOver, false) : base::succeeded();
    }
    switch (rule.scope) {
        case LwsScope::Item:
            return link(rule.keyword == K::ParentObject ? LinkKind::Parent : LinkKind::Target);
        case LwsScope::Light:
            return lightValue(rule.keyword);
        case LwsScope::Camera:
            return cameraValue(rule.keyword);
        case LwsScope::Scene:
            return sceneValue(rule.keyword);
        default:
            return objectValue(rule.keyword);
    }
}

base::Status SceneReader::whole(long long lowest, long long highest, long long& out) const {
    const base::Result<long long> value = statementWhole(lines_, lowest, highest);
    if (!value) return fail(value.error());
    out = value.value();
    return base::succeeded();
}

base::Status SceneReader::number(double& out) const {
    const auto value = statementNumbers(lines_, 1);
    if (!value) return fail(value.error());
    out = value.value()[0];
    return base::succeeded();
}

base::Status SceneReader::colour(base::Triple& out) const {
    const base::Result<base::Triple> value = statementColour(lines_);
    if (!value) return fail(value.error());
    out = value.value();
    return base::succeeded();
}

base::Status SceneReader::motion(SceneItem& item) {
    if (!item.motion.keys.empty()) {
        return fail("a second " + keyword() + " for the item begun at line " +
                    std::to_string(item.line));
    }
    base::Result<Motion> keys = readKeyBlock(lines_, kItemChannels, name_);
    if (!keys) return base::Status::failure(keys.error());
    item.motion = std::move(keys.value());
    return base::succeeded();
}

// A number, or an envelope of its keys; with `positive`, the number and every key must be
// greater than 0.
base::Status SceneReader::animated(AnimatedValue& value, bool positive) {
    const std::size_t line = lines_.number();
    const std::string said = keyword();
    if (!enveloped()) {
        double v = 0.0;
        if (base::Status read = number(v); !read) return read;
        if (positive && !(v > 0.0)) return fail(said + " must be greater than 0");
        value = {v, std::nullopt};
        return base::succeeded();
    }
    base::Result<Motion> envelope = readKeyBlock(lines_, 1, name_);
    if (!envelope) return base::Status::failure(envelope.error());
    for (const double key : envelope->values) {
        if (positive && !(key > 0.0)) {
            return failAt(line, "every key of the envelope of " + said + " must be greater than 0");
        }
    }
    value = {envelope->value(0, 0), std::move(envelope.value())};
    return base::succeeded();
}

base::Status SceneReader::link(LinkKind kind) {
    long long number = 0;
    if (base::Status read = whole(0, kMostLinked, number); !read) return read;
    LwsLink l{kind, LinkSource::Object, 0, 0, number, lines_.number()};
    switch (segment_) {
        case Segment::Bone:
            l.source = LinkSource::Bone;
            l.bone = scene_.objects.back().bones - 1;
            [[fallthrough]];
        case Segment::Object:
            l.item = scene_.objects.size() - 1;
            break;
        case Segment::Light:
            l.source = LinkSource::Light;
            l.item = scene_.lights.size() - 1;
            break;
        default:
            l.source = LinkSource::Camera;
            break;
    }
    links_.push_back(l);
    return base::succeeded();
}

base::Status SceneReader::begin(K keyword) {
    const std::size_t line = lines_.number();
    const auto tooMany = [&](const char* what) {
        return fail("more " + std::string(what) + " than a scene may have (" +
                    std::to_string(kMostSceneItems) + ")");
    };
    switch (keyword) {
        case K::LoadObject:
        case K::AddNullObject: {
            if (scene_.objects.size() == kMostSceneItems) return tooMany("objects");
            if (keyword == K::LoadObject && lines_.rest().empty()) {
                return fail("LoadObject names no object file");
            }
            SceneObject object;
            object.line = line;
            object.null = keyword == K::AddNullObject;
            object.written = std::string(lines_.rest());
            scene_.objects.push_back(std::move(object));
            segment_ = Segment::Object;
            return base::succeeded();
        }
        case K::AddBone:
            if (scene_.objects.back().bones == kMostSceneItems)
                return tooMany("bones in an object");
            ++scene_.objects.back().bones;
            segment_ = Segment::Bone;
            return base::succeeded();
        case K::AddLight: {
            if (scene_.lights.size() == kMostSceneItems) return tooMany("lights");
            SceneLight light;
            light.line = line;
            scene_.lights.push_back(std::move(light));
            segment_ = Segment::Light;
            return base::succeeded();
        }
        default:
            if (cameraBegun_) {
                return fail("a second camera; a version 1 scene has one, begun at line " +
                            std::to_string(scene_.camera.line));
            }
            cameraBegun_ = true;
            scene_.camera.line = line;
            segment_ = Segment::Camera;
            return base::succeeded();
    }
}

base::Status SceneReader::sceneValue(K keyword) {
    switch (keyword) {
        case K::LoadObject:
        case K::AddNullObject:
        case K::AddLight:
        case K::ShowCamera:
            return begin(keyword);
        case K::FirstFrame:
            return wholeInto(0, kLastSceneFrame, scene_.firstFrame);
        case K::LastFrame:
            lastFrameLine_ = lines_.number();
            return wholeInto(0, kLastSceneFrame, scene_.lastFrame);
        case K::FrameStep:
            return wholeInto(1, kLastSceneFrame, scene_.frameStep);
        case K::FramesPerSecond:
            if (base::Status read = number(scene_.framesPerSecond); !read) return read;
            if (!(scene_.framesPerSecond > 0.0)) {
                return fail("FramesPerSecond must be greater than 0");
            }
            return base::succeeded();
        case K::AmbientColor:
            return colour(scene_.ambientColour);
        case K::AmbIntensity:
            return animated(scene_.ambientIntensity, false);
        case K::EnableShadowMaps:
            return wholeInto(0, 1, scene_.shadowMaps);
        case K::BackdropColor:
            scene_.backdrop.emplace();
            return colour(*scene_.backdrop);
        default:
            return base::succeeded();
    }
}

base::Status SceneReader::objectValue(K keyword) {
    SceneObject& object = scene_.objects.back();
    switch (keyword) {
        case K::ObjectMotion:
            return motion(object);
        case K::PivotPoint: {
            const auto pivot = statementNumbers(lines_, 3);
            if (!pivot) return fail(pivot.error());
            object.pivot = {pivot.value()[0], pivot.value()[1], pivot.value()[2]};
            return base::succeeded();
        }
        case K::ShadowOptions:
            return wholeInto(0, kMostBits, object.shadowOptions);
        case K::AddBone:
            return begin(keyword);
        case K::BoneMotion: {
            SceneItem bone;
            return motion(bone);
        }
        case K::GoalObject:
            return link(LinkKind::Goal);
        case K::MorphTarget:
            return link(LinkKind::Morph);
        default:
            return base::succeeded();
    }
}

// LightType: distant, point or spot. The linear and area lights of later releases are
// refused by name rather than guessed at.
base::Status SceneReader::lightType() {
    double type = 0.0;
    if (base::Status read = number(type); !read) return read;
    if (type == 3.0 || type == 4.0) {
        return fail("LightType " + base::number_text::shortestText(type) + " is " +
                    (type == 3.0 ? "a linear light" : "an area light") +
                    ", which this reader does not read: a light must be distant (0), point (1) or "
                    "spot (2)");
    }
    return wholeInto(0, 2, scene_.lights.back().kind);
}

base::Status SceneReader::lightValue(K keyword) {
    SceneLight& light = scene_.lights.back();
    switch (keyword) {
        case K::LightName:
            light.name = std::string(lines_.rest());
            return base::succeeded();
        case K::LightMotion:
            return motion(light);
        case K::LightColor:
            return colour(light.colour);
        case K::LgtIntensity:
            return animated(light.intensity, false);
        case K::LightType:
            return lightType();
        case K::Falloff:
            return animated(light.falloff, false);
        case K::ConeAngle:
            return animated(light.coneAngle, false);
        case K::EdgeAngle:
            return animated(light.edgeAngle, false);
        case K::ShadowType:
            return wholeInto(0, 2, light.shadow);
        default:
            return base::succeeded();
    }
}

base::Status SceneReader::frameSize() {
    const auto size = statementNumbers(lines_, 2);
    if (!size) return fail(size.error());
    for (const double side : size.value()) {
        if (side != std::floor(side) || side < 1.0 || side > kLargestFrameSide) {
            return fail(
                "CustomSize takes a width and a height, whole numbers from 1 to 16384, "
                "not " +
                base::quotedExcerpt(lines_.rest()));
        }
    }
    scene_.camera.customSize = {static_cast<int>(size.value()[0]),
                                static_cast<int>(size.value()[1])};
    return base::succeeded();
}

base::Status SceneReader::cameraValue(K keyword) {
    SceneCamera& camera = scene_.camera;
    switch (keyword) {
        case K::CameraMotion:
            return motion(camera);
        case K::ZoomFactor:
            return animated(camera.zoom, true);
        case K::RayTraceEffects:
            return wholeInto(0, kMostBits, camera.rayTraceEffects);
        case K::Resolution:
            return wholeInto(-1, 3, camera.resolution);
        case K::CustomSize:
            return frameSize();
        case K::PixelAspectRatio:
            return whole(-1, 4, pixelAspectPreset_);
        case K::CustomPixelRatio: {
            double ratio = 0.0;
            if (base::Status read = number(ratio); !read) return read;
            if (!(ratio >= 1.0 / kMostPixelRatio && ratio <= kMostPixelRatio)) {
                return fail(
                    "CustomPixelRatio must be from 0.1 to 10, as a pixel's width over "
                    "its height");
            }
            customPixelRatio_ = ratio;
            return base::succeeded();
        }
        default:
            return base::succeeded();
    }
}

// What the whole file must give: one camera and a motion for every item, a frame range
// that does not run backwards, links that name objects and make no loop.
base::Status SceneReader::finish() {
    if (!cameraBegun_) return fail("the scene has no camera (ShowCamera)");
    for (std::size_t i = 0; i < scene_.objects.size(); ++i) {
        const SceneObject& object = scene_.objects[i];
        if (object.motion.keys.empty()) {
            return failAt(object.line, "object " + std::to_string(i + 1) + " (" +
                                           base::quotedExcerpt(object.name()) +
                                           ") has no ObjectMotion");
        }
    }
    for (const SceneLight& light : scene_.lights) {
        if (light.motion.keys.empty()) return failAt(light.line, "the light has no LightMotion");
    }
    if (scene_.camera.motion.keys.empty()) {
        return failAt(scene_.camera.line, "the camera has no CameraMotion");
    }
    if (lastFrameLine_ == 0 && scene_.lastFrame < scene_.firstFrame) {
        scene_.lastFrame = scene_.firstFrame;
    }
    if (scene_.lastFrame < scene_.firstFrame) {
        return failAt(lastFrameLine_, "LastFrame " + std::to_string(scene_.lastFrame) +
                                          " comes before FirstFrame " +
                                          std::to_string(scene_.firstFrame));
    }
    scene_.camera.pixelAspect = pixelAspectPreset_ == -1 ? customPixelRatio_.value_or(1.0) : 1.0;
    return applyLinks(scene_, links_, name_);
}

base::Result<SceneFile> SceneReader::read() {
    using Read = base::Result<SceneFile>;
    if (base::Status status = header(); !status) return Read::failure(status.error());
    while (lines_.next()) {
        if (base::Status status = statement(); !status) return Read::failure(status.error());
    }
    if (base::Status status = finish(); !status) return Read::failure(status.error());
    return Read::success(std::move(scene_));
}

}  // namespace

base::Result<SceneFile> readScene(std::string_view text, const std::string& name) {
    return SceneReader(text, name).read();
}

}  // namespace models
