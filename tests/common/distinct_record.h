// A shading record with a distinct value in every input field, so that a field copied
// from or into the wrong place shows.
#ifndef PELORIX3_TESTS_COMMON_DISTINCT_RECORD_H
#define PELORIX3_TESTS_COMMON_DISTINCT_RECORD_H

#include "render/shading_sample.h"

namespace test_records {

inline ShadingRecord distinctRecord() {
    static int objectItem;
    const double objectTransform[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const double worldTransform[9] = {11, 12, 13, 14, 15, 16, 17, 18, 19};
    render::ShadingSample sample;
    sample.screen(17, 23)
        .objectPosition({0.1, 0.2, 0.3})
        .worldPosition({1.0, 2.0, 3.0})
        .geometricNormal({0.0, 0.6, -0.8})
        .shadingNormal({0.0, 0.0, -1.0})
        .spotSize(0.5)
        .ray({1.0, 2.0, -4.0}, 7.0, 0.9)
        .objectTransform(objectTransform)
        .worldTransform(worldTransform)
        .object(&objectItem)
        .polygon(42)
        .color({0.8, 0.4, 0.2})
        .luminous(0.1)
        .diffuse(0.7)
        .specular(0.6)
        .mirror(0.05)
        .transparency(0.15)
        .eta(1.33)
        .roughness(0.02);
    return sample.record();
}

}  // namespace test_records

#endif
