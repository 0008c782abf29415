// Shades one arbitrary sample through the module's evaluate entry: arbitrary record fields
// (not-a-number, infinities, denormals, zero and huge vectors, any roughness), arbitrary
// stored parameters, lights, ambient colour and recursion depth, and either the stand-in
// host's illumination or one that answers arbitrary directions and colours. The written
// colour must be a number no greater than 1, the surface scalars must be handed back as the
// shader leaves them, no input-only field may change, and the ray call list must be empty.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "framework/host_interface.h"
#include "framework/ray_call_list.h"
#include "fuzz/fuzz_values.h"
#include "host/host_globals.h"
#include "host/storage_states.h"
#include "render/illumination.h"
#include "render/shading_sample.h"
#include "shader/sheen_shader.h"

namespace {

// What the arbitrary illumination answers, per call in turn.
struct Arrivals {
    double values[4][6] = {};  // direction, then colour
    int result[4] = {};
    int calls = 0;
};
Arrivals arrivals;

int arbitraryIlluminate(HostItem /*light*/, const double position[3], double direction[3],
                        double color[3]) {
    fuzz::require(position && direction && color, "illuminate arguments");
    const int call = arrivals.calls++ % 4;
    std::memcpy(direction, arrivals.values[call], 3 * sizeof(double));
    std::memcpy(color, arrivals.values[call] + 3, 3 * sizeof(double));
    return arrivals.result[call];
}

struct Module {
    ShaderHandlerTable table{};
    HostInstance instance = nullptr;

    Module() {
        standin::Host::instance().reset();
        if (pelorix3::activateSheenShader(2, standin::globalFunc, &table, nullptr) != 0)
            fuzz::fail("activation");
        instance = table.create(nullptr);
        if (instance == nullptr) fuzz::fail("create");
    }
};

Module& module() {
    static Module loaded;
    return loaded;
}

base::Triple anyTriple(FuzzedDataProvider& input) {
    return {fuzz::smallDouble(input), fuzz::smallDouble(input), fuzz::smallDouble(input)};
}

void fill(FuzzedDataProvider& input, double* values, int count) {
    for (int i = 0; i < count; ++i) values[i] = fuzz::smallDouble(input);
}

// Seven stored values, each any single-precision bit pattern or an awkward value.
std::string storedParameters(FuzzedDataProvider& input) {
    std::string bytes;
    for (int i = 0; i < 7; ++i) {
        std::uint32_t bits = input.ConsumeIntegral<std::uint32_t>();
        if (input.ConsumeBool()) {
            static constexpr float awkward[] = {0.0f,   1.0f,      0.33f,      -1.0f, 1e30f,
                                                1e-40f, HUGE_VALF, -HUGE_VALF, NAN,   2.0f};
            bits = std::bit_cast<std::uint32_t>(input.PickValueInArray(awkward));
        }
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>(bits >> shift));
    }
    return bytes;
}

void setUpScene(FuzzedDataProvider& input) {
    standin::Host& host = standin::Host::instance();
    host.reset();
    host.scene().clearLights();
    host.scene().ambient = anyTriple(input);
    const int lights = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < lights; ++i) {
        standin::Light light;
        light.type = input.ConsumeBool() ? standin::LightType::Point : standin::LightType::Distant;
        light.position = anyTriple(input);
        light.forward = anyTriple(input);
        light.color = anyTriple(input);
        light.intensity = fuzz::smallDouble(input);
        light.inverseSquareFalloff = input.ConsumeBool();
        light.falloffDistance = fuzz::smallDouble(input);
        host.scene().addLight(light);
    }
    host.sceneInfo().recursionDepth = input.ConsumeIntegralInRange(-2, 2);
}

ShadingRecord arbitraryRecord(FuzzedDataProvider& input) {
    render::ShadingSample sample;
    ShadingRecord& r = sample.record();
    fill(input, r.wPos, 3);
    fill(input, r.raySource, 3);
    fill(input, r.wNorm, 3);
    fill(input, r.color, 3);
    r.luminous = fuzz::smallDouble(input);
    r.diffuse = fuzz::smallDouble(input);
    r.specular = fuzz::smallDouble(input);
    r.mirror = fuzz::smallDouble(input);
    r.roughness = fuzz::smallDouble(input);
    if (input.ConsumeBool()) {
        fill(input, r.gNorm, 3);
        fill(input, r.oPos, 3);
        fill(input, r.oXfrm, 9);
        r.rayLength = fuzz::anyDouble(input);
        r.cosine = fuzz::anyDouble(input);
    }
    if (input.ConsumeBool()) {
        r.illuminate = arbitraryIlluminate;
        arrivals = {};
        for (int call = 0; call < 4; ++call) {
            fill(input, arrivals.values[call], 6);
            arrivals.result[call] = input.ConsumeIntegral<int>();
        }
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Module& m = module();

    setUpScene(input);
    const standin::MemoryLoadState parameters =
        standin::MemoryLoadState::binary(storedParameters(input));
    m.table.load(m.instance, &parameters.state());
    if (m.table.newTime(m.instance, 1, fuzz::smallDouble(input)) != nullptr)
        fuzz::fail("new time with every service present");

    ShadingRecord record = arbitraryRecord(input);
    const ShadingRecord before = record;
    m.table.evaluate(m.instance, &record);

    for (double c : record.color) {
        fuzz::require(!std::isnan(c), "written colour is a number");
        fuzz::require(c <= 1.0, "written colour clamped at 1");
    }
    fuzz::require(record.luminous == 1.0 && record.diffuse == 0.0 && record.specular == 0.0,
                  "luminous 1, diffuse 0, specular 0");
    // Every field up to the polygon number, without the padding that follows it.
    const std::size_t inputOnly = offsetof(ShadingRecord, polNum) + sizeof record.polNum;
    fuzz::require(std::memcmp(&record, &before, inputOnly) == 0, "input-only fields unchanged");
    fuzz::require(std::memcmp(record.wNorm, before.wNorm, sizeof record.wNorm) == 0,
                  "normal unchanged");
    fuzz::require(
        std::memcmp(&record.mirror, &before.mirror,
                    offsetof(ShadingRecord, illuminate) - offsetof(ShadingRecord, mirror)) == 0,
        "mirror, transparency, eta, roughness unchanged");
    fuzz::require(record.illuminate == before.illuminate && record.rayTrace == before.rayTrace &&
                      record.rayCast == before.rayCast && record.rayShade == before.rayShade,
                  "host functions unchanged");

    const pelorix3::RayCallList& list = pelorix3::localRayCallList;
    fuzz::require(
        list.count == 0 && list.first == nullptr && list.last == nullptr && list.busy == 0,
        "ray call list empty after the sample");
    return 0;
}
