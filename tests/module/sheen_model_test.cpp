// The sheen model as the host sees it: worked samples with a known answer.
#include <cmath>
#include <limits>
#include <numbers>

#include "host/storage_states.h"
#include "module_fixture.h"
#include "render/shading_sample.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

class SheenModel : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        host().scene().clearLights();
        host().scene().ambient = {0.0, 0.0, 0.0};
    }

    // A distant light arriving along -L, so that the light vector is L.
    void addLightFrom(const base::Triple& L, const base::Triple& color = {1, 1, 1}) {
        standin::Light light;
        light.type = standin::LightType::Distant;
        light.forward = {-L[0], -L[1], -L[2]};
        light.color = color;
        host().scene().addLight(light);
    }

    // The point at the origin with N = V = (0, 1, 0), white, diffuse 1, specular 1,
    // luminous 0, roughness 1/64 (so e = 1 and r = 1).
    static render::ShadingSample upFacingSample() {
        render::ShadingSample sample;
        sample.position({0, 0, 0})
            .normal({0, 1, 0})
            .ray({0, 3, 0}, 3.0, 1.0)
            .color({1, 1, 1})
            .diffuse(1.0)
            .specular(1.0)
            .luminous(0.0)
            .roughness(1.0 / 64.0);
        return sample;
    }

    // Loads the seven stored values into the instance as the host would.
    static void setParameters(standin::ShaderInstance& instance, double density,
                              double transparency, int fade, int byLuminosity) {
        auto text = [](double v) { return " " + std::to_string(v) + std::string(1, '\0'); };
        auto load =
            standin::MemoryLoadState::text({text(density), text(transparency), text(1), text(1),
                                            text(1), text(fade), text(byLuminosity)});
        instance.load(load.state());
    }

    ShadingRecord shade(standin::ShaderInstance& instance, render::ShadingSample sample) {
        ShadingRecord record = sample.record();
        EXPECT_TRUE(instance.evaluate(record));
        return record;
    }

    static void expectGrey(const ShadingRecord& r, double value) {
        EXPECT_DOUBLE_EQ(r.color[0], value);
        EXPECT_DOUBLE_EQ(r.color[1], value);
        EXPECT_DOUBLE_EQ(r.color[2], value);
    }
};

const base::Triple sixtyDegrees{std::sin(std::numbers::pi / 3.0), 0.5, 0.0};

TEST_F(SheenModel, ALightAtSixtyDegreesWithTheFade) {
    addLightFrom(sixtyDegrees);
    standin::ShaderInstance instance = createReady();
    const ShadingRecord r = shade(instance, upFacingSample());
    // S = 0.25 × 0.657 = 0.16425, B = (0.75 + 0.33 × 0.5) × 0.657 = 0.601155.
    expectGrey(r, 0.765405);
    EXPECT_EQ(r.luminous, 1.0);
    EXPECT_EQ(r.diffuse, 0.0);
    EXPECT_EQ(r.specular, 0.0);
    EXPECT_EQ(r.wNorm[1], 1.0);
}

TEST_F(SheenModel, TheSameLightWithoutTheFadeClampsAtOne) {
    addLightFrom(sixtyDegrees);
    standin::ShaderInstance instance = createReady();
    setParameters(instance, 1.0, 0.33, 0, 0);
    const ShadingRecord r = shade(instance, upFacingSample());
    expectGrey(r, 1.0);  // 0.25 + 0.915 = 1.165 before the clamp
    EXPECT_EQ(r.color[0], 1.0);
}

TEST_F(SheenModel, LightAlongTheNormalGivesTheFadedLambertTermOnly) {
    addLightFrom({0, 1, 0});
    standin::ShaderInstance instance = createReady();
    const ShadingRecord r = shade(instance, upFacingSample());
    expectGrey(r, 0.33 * 0.992);  // B = 0.32736; no grazing term, no lobe
}

TEST_F(SheenModel, WithoutLightsOnlyAmbientAndGlowRemain) {
    host().scene().ambient = {0.2, 0.4, 0.6};
    standin::ShaderInstance instance = createReady();
    const ShadingRecord r =
        shade(instance, upFacingSample().color({0.5, 1.0, 1.0}).diffuse(0.5).luminous(0.25));
    EXPECT_DOUBLE_EQ(r.color[0], 0.2 * 0.5 * 0.5 + 0.5 * 0.25);
    EXPECT_DOUBLE_EQ(r.color[1], 0.4 * 1.0 * 0.5 + 0.25);
    EXPECT_DOUBLE_EQ(r.color[2], 0.6 * 0.5 + 0.25);
}

TEST_F(SheenModel, DensityByLuminosityWithZeroLuminousLeavesLambertAndAmbient) {
    addLightFrom(sixtyDegrees);
    host().scene().ambient = {0.1, 0.1, 0.1};
    standin::ShaderInstance instance = createReady();
    setParameters(instance, 1.0, 0.33, 0, 1);
    const ShadingRecord r = shade(instance, upFacingSample().luminous(0.0));
    expectGrey(r, 0.33 * 0.5 + 0.1);  // A × g + ambient; no grazing, no lobe, no glow
}

// Luminosity halves the density (S = 0.25 × 0.5, B = 0.5 × 0.75 + 0.33 × 0.5) and is not
// added as a glow, which would push the sample to 1.
TEST_F(SheenModel, DensityByLuminosityScalesTheDensityAndAddsNoGlow) {
    addLightFrom(sixtyDegrees);
    standin::ShaderInstance instance = createReady();
    setParameters(instance, 1.0, 0.33, 0, 1);
    expectGrey(shade(instance, upFacingSample().luminous(0.5)), 0.125 + 0.54);
}

// A stored switch of 2 is on in shading too: the fade of the sixty-degree sample, and a
// density modulated by a luminosity of 0.
TEST_F(SheenModel, StoredSwitchesOfTwoShadeAsOn) {
    addLightFrom(sixtyDegrees);
    standin::ShaderInstance instance = createReady();
    setParameters(instance, 1.0, 0.33, 2, 0);
    expectGrey(shade(instance, upFacingSample()), 0.765405);
    setParameters(instance, 1.0, 0.33, 0, 2);
    expectGrey(shade(instance, upFacingSample().luminous(0.0)), 0.33 * 0.5);
}

TEST_F(SheenModel, AGrazingLightIsFadedOutCompletely) {
    const base::Triple grazing{std::sqrt(1.0 - 0.15 * 0.15), 0.15, 0.0};  // L.N = 0.15
    addLightFrom(grazing);
    standin::ShaderInstance instance = createReady();
    expectGrey(shade(instance, upFacingSample()), 0.0);

    setParameters(instance, 0.5, 0.33, 0, 0);
    const ShadingRecord unfaded = shade(instance, upFacingSample().specular(0.0));
    // Grazing term d × f with f = 1 − 0.15², Lambert 0.33 × 0.15.
    expectGrey(unfaded, 0.5 * (1.0 - 0.15 * 0.15) + 0.33 * 0.15);
}

TEST_F(SheenModel, ClampIsFromAboveOnly) {
    standin::ShaderInstance instance = createReady();
    const ShadingRecord r =
        shade(instance, upFacingSample().color({-0.5, 2.0, 0.3}).diffuse(0.0).luminous(1.0));
    EXPECT_EQ(r.color[0], -0.5);
    EXPECT_EQ(r.color[1], 1.0);
    EXPECT_EQ(r.color[2], 0.3);
}

TEST_F(SheenModel, RoughnessWithoutALobeDropsOnlyTheSheen) {
    addLightFrom(sixtyDegrees);
    standin::ShaderInstance instance = createReady();
    const ShadingRecord bodyOnly = shade(instance, upFacingSample().specular(0.0));
    const double tiny = std::numeric_limits<double>::denorm_min();  // the exponent overflows
    for (double roughness : {0.0, -0.5, nan, tiny}) {
        const ShadingRecord r = shade(instance, upFacingSample().roughness(roughness));
        for (int c = 0; c < 3; ++c) EXPECT_EQ(r.color[c], bodyOnly.color[c]) << roughness;
        EXPECT_TRUE(std::isnan(r.roughness) == std::isnan(roughness));
    }
}

TEST_F(SheenModel, LightsAddUp) {
    addLightFrom({0, 1, 0}, {0.5, 0.5, 0.5});
    addLightFrom({0, 1, 0}, {0.5, 0.5, 0.5});
    standin::ShaderInstance instance = createReady();
    expectGrey(shade(instance, upFacingSample()), 0.33 * 0.992);
}

TEST_F(SheenModel, SpecularColourTintsTheSheenOnly) {
    addLightFrom(sixtyDegrees);
    standin::ShaderInstance instance = createReady();
    auto load = standin::MemoryLoadState::text({" 0.5", " 0.33", " 1", " 0", " 0.5", " 0", " 0"});
    instance.load(load.state());
    const ShadingRecord r = shade(instance, upFacingSample());
    // Unfaded, density 0.5: S = 0.125 tinted by (1, 0, 0.5); B = 0.375 + 0.165.
    EXPECT_DOUBLE_EQ(r.color[0], 0.125 + 0.54);
    EXPECT_DOUBLE_EQ(r.color[1], 0.54);
    EXPECT_DOUBLE_EQ(r.color[2], 0.0625 + 0.54);
}

}  // namespace
