// Turning the camera about the subject: the framing's view turned around the vertical
// axis through its target, raised or lowered, and brought closer or moved away. The
// target stays where the framing put it, and so do the floor and the lights.
#ifndef PELORIX3_RENDER_CAMERA_ORBIT_H
#define PELORIX3_RENDER_CAMERA_ORBIT_H

#include "base/triple.h"

namespace render {

struct CameraView {
    base::Triple position;
    base::Triple target;
};

// How far the camera has moved from the framing's view.
struct CameraOrbit {
    // Degrees around the vertical axis through the target; positive moves the camera to
    // its right, so that the subject seems to turn to the left.
    double orbitDegrees = 0.0;
    // Degrees added to the framing's own angle of view above the horizontal.
    double elevationDegrees = 0.0;
    // The distance to the target is divided by it: 2 brings the camera twice as close, and
    // the subject looks twice as large.
    double zoom = 1.0;

    bool operator==(const CameraOrbit&) const = default;
};

// The closest and the farthest zoom: at most 3 the camera stays outside the subject,
// which the framing sees from more than three times its radius.
inline constexpr double kLeastZoom = 0.25;
inline constexpr double kMostZoom = 3.0;
// The steepest view, above or below the target: short of straight down, where the
// camera's "up" would have no direction.
inline constexpr double kSteepestElevation = 85.0;

// `orbit` as it can turn `view`: the zoom held between kLeastZoom and kMostZoom, the
// elevation held so that the camera's angle above the horizontal stays within
// kSteepestElevation and the camera itself at least `lowestHeight` high, never looking at
// the subject from under the floor.
CameraOrbit held(const CameraView& view, const CameraOrbit& orbit, double lowestHeight);

// `view` turned by `orbit`, as held.
CameraView orbited(const CameraView& view, const CameraOrbit& orbit, double lowestHeight);

}  // namespace render

#endif
