#include "render/camera.h"

#include <cmath>
#include <numbers>

namespace render {

Camera::Camera(const base::Triple& position, const base::Triple& target, double verticalFovDegrees,
               int width, int height)
    : Camera(position, lookingAt(position, target), verticalFovDegrees, width, height, 1.0) {}

Camera::Camera(const CameraPose& pose, double verticalFovDegrees, int width, int height,
               double pixelAspect)
    : Camera(pose.position,
             {unitOr(pose.forward, {0.0, 0.0, 1.0}), unitOr(pose.right, {1.0, 0.0, 0.0}),
              unitOr(pose.up, {0.0, 1.0, 0.0})},
             verticalFovDegrees, width, height, pixelAspect) {}

Camera::Camera(const base::Triple& position, const Axes& axes, double verticalFovDegrees, int width,
               int height, double pixelAspect)
    : position_(position),
      forward_(axes.forward),
      right_(axes.right),
      up_(axes.up),
      halfHeight_(std::tan(verticalFovDegrees * std::numbers::pi / 360.0)),
      halfWidth_(halfHeight_ * width * pixelAspect / height),
      width_(width),
      height_(height) {}

// The renderer's world is left-handed (y up, z into the screen), so right = up × forward.
Camera::Axes Camera::lookingAt(const base::Triple& position, const base::Triple& target) {
    Axes axes;
    axes.forward = unitOr(target - position, {0.0, 0.0, 1.0});
    axes.right = unitOr(cross({0.0, 1.0, 0.0}, axes.forward), {1.0, 0.0, 0.0});
    axes.up = cross(axes.forward, axes.right);
    return axes;
}

CameraRay Camera::ray(double x, double y) const {
    const double across = (2.0 * x / width_ - 1.0) * halfWidth_;
    const double down = (2.0 * y / height_ - 1.0) * halfHeight_;
    const base::Triple direction = forward_ + right_ * across + up_ * -down;
    return {position_, unitOr(direction, forward_)};
}

}  // namespace render
