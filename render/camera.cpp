#include "render/camera.h"

#include <cmath>
#include <numbers>

namespace render {

// The renderer's world is left-handed (y up, z into the screen), so right = up × forward.
Camera::Camera(const base::Triple& position, const base::Triple& target, double verticalFovDegrees,
               int width, int height)
    : position_(position),
      forward_(unitOr(target - position, {0.0, 0.0, 1.0})),
      right_(unitOr(cross({0.0, 1.0, 0.0}, forward_), {1.0, 0.0, 0.0})),
      up_(cross(forward_, right_)),
      halfHeight_(std::tan(verticalFovDegrees * std::numbers::pi / 360.0)),
      halfWidth_(halfHeight_ * width / height),
      width_(width),
      height_(height) {}

CameraRay Camera::ray(double x, double y) const {
    const double across = (2.0 * x / width_ - 1.0) * halfWidth_;
    const double down = (2.0 * y / height_ - 1.0) * halfHeight_;
    const base::Triple direction = forward_ + right_ * across + up_ * -down;
    return {position_, unitOr(direction, forward_)};
}

}  // namespace render
