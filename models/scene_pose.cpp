#include "models/scene_pose.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "models/scene_pose_order.h"

namespace models {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

struct Channels {
    base::Triple position;
    double heading;
    double pitch;
    double bank;
    base::Triple scale;
};

Channels channelsAt(const Motion& motion, double frame) {
    const auto at = [&](std::size_t channel) { return motion.at(channel, frame); };
    return {{at(kPositionX), at(kPositionY), at(kPositionZ)},
            at(kHeading),
            at(kPitch),
            at(kBank),
            {at(kScaleX), at(kScaleY), at(kScaleZ)}};
}

// The heading and pitch that turn +z toward `target`, both in the item's parent space;
// the keyed ones when the target is where the item is.
void aim(Channels& c, const base::Triple& target) {
    const base::Triple d = target - c.position;
    const double across = std::hypot(d[0], d[2]);
    if (across == 0.0 && d[1] == 0.0) return;
    c.heading = std::atan2(d[0], d[2]) * kDegreesPerRadian;
    c.pitch = -std::atan2(d[1], across) * kDegreesPerRadian;
}

class Placement {
public:
    Placement(const SceneFile& scene, double frame) : scene_(scene), frame_(frame) {
        poses_.objects.resize(scene.objects.size());
        placed_.resize(scene.objects.size(), false);
    }

    ScenePoses take() {
        const PoseOrder order = poseOrder(scene_.objects);
        for (const std::size_t object : order.objects) placeObject(object);
        for (std::size_t object = 0; object < scene_.objects.size(); ++object) {
            if (!placed_[object]) placeObject(object);
        }
        for (const SceneLight& light : scene_.lights) {
            poses_.lights.push_back(pose(light, std::nullopt, false));
        }
        poses_.camera = pose(scene_.camera, std::nullopt, true);
        return std::move(poses_);
    }

private:
    void placeObject(std::size_t object) {
        const SceneObject& o = scene_.objects[object];
        poses_.objects[object] = pose(o, o.pivot, false);
        placed_[object] = true;
    }

    // The parent's matrix, when it has been placed.
    std::optional<AffineMatrix> parentMatrix(const SceneItem& item) const {
        if (!item.parent || !placed_[*item.parent]) return std::nullopt;
        return poses_.objects[*item.parent].matrix;
    }

    // Where the target is, in the space the item's channels are in; nothing when the item
    // has no target, or its target's parent is not placed yet.
    std::optional<base::Triple> targetInParentSpace(const SceneItem& item) const {
        if (!item.target) return std::nullopt;
        const SceneObject& target = scene_.objects[*item.target];
        const std::optional<AffineMatrix> targetParent = parentMatrix(target);
        if (target.parent && !targetParent) return std::nullopt;
        const base::Triple keyed = channelsAt(target.motion, frame_).position;
        const base::Triple world = targetParent ? targetParent->point(keyed) : keyed;
        const std::optional<AffineMatrix> parent = parentMatrix(item);
        return parent ? pointBefore(*parent, world) : world;
    }

    ItemPose pose(const SceneItem& item, std::optional<base::Triple> pivot, bool camera) const {
        Channels c = channelsAt(item.motion, frame_);
        if (const std::optional<base::Triple> target = targetInParentSpace(item)) aim(c, *target);
        const AffineMatrix parent = parentMatrix(item).value_or(AffineMatrix{});
        AffineMatrix local =
            translation(c.position) * heading(c.heading) * pitch(c.pitch) * bank(c.bank);
        if (!camera) local = local * scaling(c.scale);
        if (pivot) local = local * translation(*pivot * -1.0);
        return {parent.point(c.position), parent * local};
    }

    const SceneFile& scene_;
    double frame_;
    ScenePoses poses_;
    std::vector<bool> placed_;
};

}  // namespace

ScenePoses posesAt(const SceneFile& scene, double frame) { return Placement(scene, frame).take(); }

}  // namespace models
