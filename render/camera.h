// A pinhole camera: the ray through any point of the image.
#ifndef PELORIX3_RENDER_CAMERA_H
#define PELORIX3_RENDER_CAMERA_H

#include "base/triple.h"

namespace render {

struct CameraRay {
    base::Triple origin;
    base::Triple direction;  // unit
};

// Where a camera stands and the world directions of its own axes: it looks along forward,
// with up and right being up and right in the picture. They need not be of unit length.
struct CameraPose {
    base::Triple position{0.0, 0.0, 0.0};
    base::Triple right{1.0, 0.0, 0.0};
    base::Triple up{0.0, 1.0, 0.0};
    base::Triple forward{0.0, 0.0, 1.0};
};

class Camera {
public:
    // Looks from `position` at `target`, world up being +y, with the given vertical field
    // of view, onto an image `width` × `height` pixels.
    Camera(const base::Triple& position, const base::Triple& target, double verticalFovDegrees,
           int width, int height);

    // Looks along the pose's axes, with the given vertical field of view, onto an image
    // `width` × `height` pixels, each `pixelAspect` times as wide as it is high.
    Camera(const CameraPose& pose, double verticalFovDegrees, int width, int height,
           double pixelAspect);

    const base::Triple& position() const { return position_; }

    // The ray through image point (x, y), in pixels from the top-left corner.
    CameraRay ray(double x, double y) const;

    // The height of one pixel seen at `distance` from the camera.
    double pixelSizeAt(double distance) const { return distance * 2.0 * halfHeight_ / height_; }

private:
    struct Axes {
        base::Triple forward, right, up;  // unit
    };

    Camera(const base::Triple& position, const Axes& axes, double verticalFovDegrees, int width,
           int height, double pixelAspect);
    static Axes lookingAt(const base::Triple& position, const base::Triple& target);

    base::Triple position_;
    base::Triple forward_, right_, up_;
    double halfHeight_;  // of the image plane at distance 1
    double halfWidth_;
    int width_, height_;
};

}  // namespace render

#endif
