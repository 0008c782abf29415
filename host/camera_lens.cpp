#include "host/camera_lens.h"

#include <cmath>

namespace standin {
namespace {

constexpr double kFilmHeight = 15.0;  // millimetres

}  // namespace

FieldOfView fieldOfView(double zoomFactor, int width, int height, double pixelAspect) {
    if (!(zoomFactor > 0.0) || !std::isfinite(zoomFactor)) return {};
    FieldOfView angles;
    angles.vertical = 2.0 * std::atan(1.0 / zoomFactor);
    if (width > 0 && height > 0 && pixelAspect > 0.0 && std::isfinite(pixelAspect)) {
        angles.horizontal = 2.0 * std::atan(width * pixelAspect / height / zoomFactor);
    }
    return angles;
}

double focalLength(double zoomFactor) { return zoomFactor * kFilmHeight / 2.0; }

}  // namespace standin
