// Samples no renderer should send but some will: not-a-number and infinite normals, light
// colours and directions, zero vectors, degenerate roughness. Whatever arrives, the colour
// handed back is a number no greater than 1, and a normal that is not a number takes no
// light at all.
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "render/shading_sample.h"
#include "stress_fixture.h"

namespace {

using stress::host;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct Degenerate {
    std::string name;
    std::function<void(render::ShadingSample&)> sample;
    std::function<void(const standin::IlluminationCall&)> light;  // may rewrite the answer
};

const std::vector<Degenerate> cases = {
    {"NaNNormal",
     [](auto& s) {
         s.shadingNormal({nan, 0.0, -1.0});
     },
     nullptr},
    {"InfiniteNormal",
     [](auto& s) {
         s.shadingNormal({0.0, 0.0, -inf});
     },
     nullptr},
    {"ZeroNormal",
     [](auto& s) {
         s.shadingNormal({0.0, 0.0, 0.0});
     },
     nullptr},
    {"RaySourceAtThePoint",
     [](auto& s) {
         s.ray({0.0, 0.0, 0.0}, 0.0, 1.0);
     },
     nullptr},
    {"NaNPosition",
     [](auto& s) {
         s.position({nan, nan, nan});
     },
     nullptr},
    {"HugePosition",
     [](auto& s) {
         s.position({1e308, -1e308, 1e308});
     },
     nullptr},
    {"ZeroRoughness", [](auto& s) { s.roughness(0.0); }, nullptr},
    {"NegativeRoughness", [](auto& s) { s.roughness(-1.0); }, nullptr},
    {"DenormalRoughness", [](auto& s) { s.roughness(std::numeric_limits<double>::denorm_min()); },
     nullptr},
    {"InfiniteRoughness", [](auto& s) { s.roughness(inf); }, nullptr},
    {"NaNRoughness", [](auto& s) { s.roughness(nan); }, nullptr},
    {"NaNSurfaceScalars",
     [](auto& s) {
         s.luminous(nan).diffuse(nan).specular(nan).color({nan, 1.0, -inf});
     },
     nullptr},
    {"NaNLightColour", [](auto&) {},
     [](const standin::IlluminationCall& c) { c.color[0] = c.color[1] = c.color[2] = nan; }},
    {"InfiniteLightColour", [](auto&) {},
     [](const standin::IlluminationCall& c) { c.color[1] = inf; }},
    {"NaNLightDirection", [](auto&) {},
     [](const standin::IlluminationCall& c) { c.direction[0] = nan; }},
    {"ZeroLightDirection", [](auto&) {},
     [](const standin::IlluminationCall& c) {
         c.direction[0] = c.direction[1] = c.direction[2] = 0;
     }},
};

// Printed by name: the functions are no values to show.
void PrintTo(const Degenerate& degenerate, std::ostream* out) { *out << degenerate.name; }

class StressDegenerateSample : public stress::StressTest,
                               public ::testing::WithParamInterface<Degenerate> {};

TEST_P(StressDegenerateSample, ColourIsANumberNoGreaterThanOne) {
    standin::ShaderModule module = stress::openModule();
    standin::ShaderInstance instance = stress::createInstance(module);
    ASSERT_EQ(instance.newTime(1, 0.0), nullptr);
    host().setIlluminationHook(GetParam().light);

    render::ShadingSample sample;
    sample.specular(1.0);
    GetParam().sample(sample);
    ShadingRecord record = sample.record();
    ASSERT_TRUE(instance.evaluate(record));
    for (double c : record.color) {
        EXPECT_FALSE(std::isnan(c));
        EXPECT_LE(c, 1.0);
    }
    EXPECT_EQ(record.luminous, 1.0);
    EXPECT_EQ(record.diffuse, 0.0);
    EXPECT_EQ(record.specular, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Samples, StressDegenerateSample, ::testing::ValuesIn(cases),
                         [](const auto& info) { return info.param.name; });

// With the fade on (the default), a normal that is not a number has no cosine with the
// light above 0.2, so the light adds nothing; a usable normal is lit.
using StressNaNNormal = stress::StressTest;

TEST_F(StressNaNNormal, TakesNoLight) {
    standin::ShaderModule module = stress::openModule();
    standin::ShaderInstance instance = stress::createInstance(module);
    ASSERT_EQ(instance.newTime(1, 0.0), nullptr);

    ShadingRecord lit = render::ShadingSample().record();
    ASSERT_TRUE(instance.evaluate(lit));
    EXPECT_GT(lit.color[0], 0.0);

    ShadingRecord unlit = render::ShadingSample().shadingNormal({nan, nan, nan}).record();
    ASSERT_TRUE(instance.evaluate(unlit));
    for (double c : unlit.color) EXPECT_EQ(c, 0.0);
}

}  // namespace
