#include "framework/sample_context.h"

#include <cstring>

namespace pelorix3 {

namespace {

Vec3 toVec3(const double v[3]) { return {v[0], v[1], v[2]}; }

void store(const Vec3& v, double out[3]) {
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

// Gives matrix the 3x3 shape and the nine elements, keeping its storage when it has nine.
void copyTransform(Matrix3& matrix, const double elements[9]) {
    if (matrix.elementCount() != 9 || matrix.data == nullptr) matrix.resize(3, 3);
    matrix.rows = 3;
    matrix.cols = 3;
    if (matrix.data) std::memcpy(matrix.data, elements, 9 * sizeof(double));
}

}  // namespace

SampleContext::SampleContext(ShadingServer* shadingServer, ShadingRecord* hostRecord)
    : server(shadingServer),
      record(hostRecord),
      screenX(hostRecord->sx),
      screenY(hostRecord->sy),
      objectPosition(toVec3(hostRecord->oPos)),
      worldPosition(toVec3(hostRecord->wPos)),
      geometricNormal(toVec3(hostRecord->gNorm)),
      spotSize(hostRecord->spotSize),
      raySource(toVec3(hostRecord->raySource)),
      rayLength(hostRecord->rayLength),
      cosine(hostRecord->cosine),
      objectTransform(hostRecord->oXfrm),
      worldTransform(hostRecord->wXfrm),
      objectId(hostRecord->objID),
      polygonIndex(hostRecord->polNum),
      normal(toVec3(hostRecord->wNorm)),
      color(toVec3(hostRecord->color)),
      luminous(hostRecord->luminous),
      diffuse(hostRecord->diffuse),
      specular(hostRecord->specular),
      mirror(hostRecord->mirror),
      transparency(hostRecord->transparency),
      eta(hostRecord->eta),
      roughness(hostRecord->roughness) {}

void SampleContext::bind(ShadingRecord* hostRecord) {
    record = hostRecord;
    callDepth = 0;
    copyIn();
}

void SampleContext::copyIn() {
    const ShadingRecord& r = *record;
    screenX = r.sx;
    screenY = r.sy;
    objectPosition = toVec3(r.oPos);
    worldPosition = toVec3(r.wPos);
    geometricNormal = toVec3(r.gNorm);
    spotSize = r.spotSize;
    raySource = toVec3(r.raySource);
    rayLength = r.rayLength;
    cosine = r.cosine;
    copyTransform(objectTransform, r.oXfrm);
    copyTransform(worldTransform, r.wXfrm);
    objectId = r.objID;
    polygonIndex = r.polNum;
    normal = toVec3(r.wNorm);
    color = toVec3(r.color);
    luminous = r.luminous;
    diffuse = r.diffuse;
    specular = r.specular;
    mirror = r.mirror;
    transparency = r.transparency;
    eta = r.eta;
    roughness = r.roughness;
}

void SampleContext::copyOut() const {
    ShadingRecord& r = *record;
    store(normal, r.wNorm);
    store(color, r.color);
    r.luminous = luminous;
    r.diffuse = diffuse;
    r.specular = specular;
    r.mirror = mirror;
    r.transparency = transparency;
    r.eta = eta;
    r.roughness = roughness;
}

}  // namespace pelorix3
