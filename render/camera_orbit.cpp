#include "render/camera_orbit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Where the camera is seen from the target: the azimuth from the front (-z) towards +x and
// the elevation above the horizontal plane, in radians, and the distance.
struct Bearing {
    double azimuth;
    double elevation;
    double distance;
};

Bearing bearingOf(const CameraView& view) {
    const base::Triple offset = view.position - view.target;
    return {std::atan2(offset[0], -offset[2]),
            std::atan2(offset[1], std::hypot(offset[0], offset[2])), length(offset)};
}

// The elevations allowed at `distance` from `target`: within kSteepestElevation of the
// horizontal, and not below `lowestHeight`.
std::pair<double, double> elevationLimits(const base::Triple& target, double distance,
                                          double lowestHeight) {
    const double steepest = kSteepestElevation * kRadiansPerDegree;
    const double floor = std::asin(std::clamp((lowestHeight - target[1]) / distance, -1.0, 1.0));
    return {std::clamp(floor, -steepest, steepest), steepest};
}

bool usable(const Bearing& bearing) {
    return bearing.distance > 0.0 && std::isfinite(bearing.distance);
}

}  // namespace

CameraOrbit held(const CameraView& view, const CameraOrbit& orbit, double lowestHeight) {
    CameraOrbit kept = orbit;
    kept.zoom = std::clamp(orbit.zoom, kLeastZoom, kMostZoom);
    const Bearing bearing = bearingOf(view);
    if (!usable(bearing)) return kept;
    const auto [lowest, highest] =
        elevationLimits(view.target, bearing.distance / kept.zoom, lowestHeight);
    const double elevation =
        std::clamp(bearing.elevation + orbit.elevationDegrees * kRadiansPerDegree, lowest, highest);
    kept.elevationDegrees = (elevation - bearing.elevation) / kRadiansPerDegree;
    return kept;
}

CameraView orbited(const CameraView& view, const CameraOrbit& orbit, double lowestHeight) {
    if (orbit == CameraOrbit{}) return view;  // the framing's own view, to the last bit
    const Bearing bearing = bearingOf(view);
    if (!usable(bearing)) return view;
    const CameraOrbit kept = held(view, orbit, lowestHeight);
    const double azimuth = bearing.azimuth + kept.orbitDegrees * kRadiansPerDegree;
    const double elevation = bearing.elevation + kept.elevationDegrees * kRadiansPerDegree;
    const double distance = bearing.distance / kept.zoom;
    const double level = distance * std::cos(elevation);
    return {{view.target[0] + level * std::sin(azimuth),
             view.target[1] + distance * std::sin(elevation),
             view.target[2] - level * std::cos(azimuth)},
            view.target};
}

}  // namespace render
