#include "render/shading_sample.h"

#include "host/host_test_fixture.h"
#include "render/illumination.h"

namespace {

using HostShadingSample = HostTest;

TEST_F(HostShadingSample, DefaultsDescribeAHeadOnSampleWithHostFunctions) {
    const render::ShadingSample sample;
    const ShadingRecord& r = sample.record();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(r.oXfrm[i], i % 4 == 0 ? 1.0 : 0.0);
        EXPECT_EQ(r.wXfrm[i], i % 4 == 0 ? 1.0 : 0.0);
    }
    for (const double* normal : {r.wNorm, r.gNorm}) {
        EXPECT_EQ(normal[0], 0.0);
        EXPECT_EQ(normal[1], 0.0);
        EXPECT_EQ(normal[2], -1.0);
    }
    EXPECT_EQ(r.cosine, 1.0);
    EXPECT_GT(r.spotSize, 0.0);
    EXPECT_NE(r.objID, nullptr);

    // The standard scene's distant light shines along +z.
    double direction[3];
    double color[3] = {1.0, 1.0, 1.0};
    EXPECT_EQ(r.illuminate(host().scene().firstLight(), r.wPos, direction, color), 1);
    EXPECT_EQ(direction[2], 1.0);

    EXPECT_EQ(r.rayTrace(r.wPos, direction, color), -1.0);
    EXPECT_EQ(color[0] + color[1] + color[2], 0.0);
    EXPECT_EQ(r.rayCast(r.wPos, direction), -1.0);
    ShadingRecord hit = r;
    EXPECT_EQ(r.rayShade(r.wPos, direction, &hit), -1.0);
}

}  // namespace
