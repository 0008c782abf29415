#include "render/ray_scene.h"

#include <cmath>
#include <variant>

namespace standin {
namespace {

double dot(const Triple& a, const Triple& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Triple along(const Triple& origin, const Triple& direction, double distance) {
    return {origin[0] + direction[0] * distance, origin[1] + direction[1] * distance,
            origin[2] + direction[2] * distance};
}

// The smallest root of |o + t d - c|^2 = r^2 past the minimum distance, for unit d.
std::optional<double> sphereDistance(const Sphere& sphere, const Triple& origin,
                                     const Triple& direction) {
    const Triple offset = origin - sphere.center;
    const double b = dot(offset, direction);
    const double c = dot(offset, offset) - sphere.radius * sphere.radius;
    const double discriminant = b * b - c;
    if (!(discriminant >= 0.0)) return std::nullopt;
    const double root = std::sqrt(discriminant);
    for (const double t : {-b - root, -b + root}) {
        if (t > RayScene::minimumDistance) return t;
    }
    return std::nullopt;
}

std::optional<double> planeDistance(const Plane& plane, const Triple& origin,
                                    const Triple& direction) {
    const double facing = dot(plane.normal, direction);
    if (facing == 0.0) return std::nullopt;
    const double t = dot(plane.point - origin, plane.normal) / facing;
    if (!(t > RayScene::minimumDistance)) return std::nullopt;
    return t;
}

Triple outwardNormal(const Sphere& sphere, const Triple& point) {
    return unit(point - sphere.center).value_or(Triple{0.0, 1.0, 0.0});
}

Triple outwardNormal(const Plane& plane, const Triple& /*point*/) {
    return unit(plane.normal).value_or(Triple{0.0, 1.0, 0.0});
}

std::optional<double> distance(const std::variant<Sphere, Plane>& shape, const Triple& origin,
                               const Triple& direction) {
    if (const Sphere* sphere = std::get_if<Sphere>(&shape)) {
        return sphereDistance(*sphere, origin, direction);
    }
    return planeDistance(std::get<Plane>(shape), origin, direction);
}

Triple normalAt(const std::variant<Sphere, Plane>& shape, const Triple& point) {
    return std::visit([&](const auto& s) { return outwardNormal(s, point); }, shape);
}

}  // namespace

int RayScene::add(const Sphere& sphere) {
    objects_.emplace_back(sphere);
    return static_cast<int>(objects_.size()) - 1;
}

int RayScene::add(const Plane& plane) {
    objects_.emplace_back(plane);
    return static_cast<int>(objects_.size()) - 1;
}

std::optional<RayHit> RayScene::nearestHit(const Triple& origin, const Triple& direction,
                                           double maxDistance) const {
    std::optional<RayHit> nearest;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        const std::optional<double> t = distance(objects_[i], origin, direction);
        if (!t || *t >= maxDistance || (nearest && *t >= nearest->distance)) continue;
        const Triple point = along(origin, direction, *t);
        nearest = RayHit{*t, point, normalAt(objects_[i], point), static_cast<int>(i)};
    }
    return nearest;
}

bool RayScene::occluded(const double from[3], const double toLight[3], double maxDistance) const {
    const Triple origin = toTriple(from);
    const Triple direction = toTriple(toLight);
    for (const auto& object : objects_) {
        const std::optional<double> t = distance(object, origin, direction);
        if (t && *t < maxDistance) return true;
    }
    return false;
}

OcclusionTest RayScene::occlusionTest() const {
    return [this](const double from[3], const double toLight[3], double maxDistance) {
        return occluded(from, toLight, maxDistance);
    };
}

}  // namespace standin
