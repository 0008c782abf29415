// The plain material of a surface that runs no shader: its colour times its diffuse under the
// lights, and a small white highlight added where the light would mirror towards the viewer.
#include "render/neutral_material.h"

#include "host/host_test_fixture.h"

namespace {

using base::Triple;

class PlainMaterial : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        host().scene().clearLights();
        host().scene().ambient = {0.0, 0.0, 0.0};
        standin::Light overhead;
        overhead.type = standin::LightType::Distant;
        overhead.forward = {0.0, -1.0, 0.0};  // shining straight down
        host().scene().addLight(overhead);
    }

    Triple shade(const Triple& toViewer) {
        render::PlainSurface surface;
        surface.color = {0.5, 0.25, 1.0};
        surface.diffuse = 0.5;
        return render::plainSurfaceShade(host(), surface, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0},
                                         toViewer);
    }
};

TEST_F(PlainMaterial, TheHighlightIsAddedWhereTheLightMirrorsToTheViewer) {
    const Triple mirrored = shade({0.0, 1.0, 0.0});
    const Triple diffuseOnly{0.25, 0.125, 0.5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(mirrored[i], diffuseOnly[i] + render::kPlainHighlight, 1e-12) << i;
    }
    const Triple grazing = shade({1.0, 0.0, 0.0});  // half way between: far off the lobe
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(grazing[i], diffuseOnly[i]) << i;
        EXPECT_LT(grazing[i], mirrored[i]) << i;
    }
}

}  // namespace
