#include "render/shading_sample.h"

#include <algorithm>

#include "render/illumination.h"

namespace render {
namespace {

constexpr double kIdentity[9] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
constexpr double kNoHit = -1.0;

const char sampleObjectTag = 0;  // its address is the sample object's id

}  // namespace

HostItem sampleObject() { return const_cast<char*>(&sampleObjectTag); }

double hostRayTrace(const double* /*position*/, const double* /*direction*/,
                    double color[3]) noexcept {
    if (color) {
        base::store({0.0, 0.0, 0.0}, color);
    }
    return kNoHit;
}

double hostRayCast(const double* /*position*/, const double* /*direction*/) noexcept {
    return kNoHit;
}

double hostRayShade(const double* /*position*/, const double* /*direction*/,
                    ShadingRecord* /*record*/) noexcept {
    return kNoHit;
}

ShadingSample::ShadingSample() : record_{} {
    position({0.0, 0.0, 0.0});
    normal({0.0, 0.0, -1.0});
    spotSize(0.001);
    ray({0.0, 0.0, -1.0}, 1.0, 1.0);
    objectTransform(kIdentity);
    worldTransform(kIdentity);
    object(sampleObject());
    color({1.0, 1.0, 1.0});
    diffuse(1.0);
    eta(1.0);
    record_.illuminate = hostIlluminate;
    record_.rayTrace = hostRayTrace;
    record_.rayCast = hostRayCast;
    record_.rayShade = hostRayShade;
}

ShadingSample& ShadingSample::position(const base::Triple& p) {
    return objectPosition(p).worldPosition(p);
}

ShadingSample& ShadingSample::objectPosition(const base::Triple& p) {
    store(p, record_.oPos);
    return *this;
}

ShadingSample& ShadingSample::worldPosition(const base::Triple& p) {
    store(p, record_.wPos);
    return *this;
}

ShadingSample& ShadingSample::normal(const base::Triple& n) {
    return geometricNormal(n).shadingNormal(n);
}

ShadingSample& ShadingSample::geometricNormal(const base::Triple& n) {
    store(n, record_.gNorm);
    return *this;
}

ShadingSample& ShadingSample::shadingNormal(const base::Triple& n) {
    store(n, record_.wNorm);
    return *this;
}

ShadingSample& ShadingSample::screen(int x, int y) {
    record_.sx = x;
    record_.sy = y;
    return *this;
}

ShadingSample& ShadingSample::spotSize(double size) {
    record_.spotSize = size;
    return *this;
}

ShadingSample& ShadingSample::ray(const base::Triple& source, double length, double cosine) {
    store(source, record_.raySource);
    record_.rayLength = length;
    record_.cosine = cosine;
    return *this;
}

ShadingSample& ShadingSample::objectTransform(const double m[9]) {
    std::copy(m, m + 9, record_.oXfrm);
    return *this;
}

ShadingSample& ShadingSample::worldTransform(const double m[9]) {
    std::copy(m, m + 9, record_.wXfrm);
    return *this;
}

ShadingSample& ShadingSample::object(HostItem id) {
    record_.objID = id;
    return *this;
}

ShadingSample& ShadingSample::polygon(int number) {
    record_.polNum = number;
    return *this;
}

ShadingSample& ShadingSample::color(const base::Triple& c) {
    store(c, record_.color);
    return *this;
}

ShadingSample& ShadingSample::luminous(double v) {
    record_.luminous = v;
    return *this;
}

ShadingSample& ShadingSample::diffuse(double v) {
    record_.diffuse = v;
    return *this;
}

ShadingSample& ShadingSample::specular(double v) {
    record_.specular = v;
    return *this;
}

ShadingSample& ShadingSample::mirror(double v) {
    record_.mirror = v;
    return *this;
}

ShadingSample& ShadingSample::transparency(double v) {
    record_.transparency = v;
    return *this;
}

ShadingSample& ShadingSample::eta(double v) {
    record_.eta = v;
    return *this;
}

ShadingSample& ShadingSample::roughness(double v) {
    record_.roughness = v;
    return *this;
}

}  // namespace render
