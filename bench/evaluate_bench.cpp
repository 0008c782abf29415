// Nanoseconds per shaded sample: the module's evaluate entry, called through the callback
// table it filled, against the bare kernel doing the same work with the same host calls.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "bare_kernel.h"
#include "host/host_globals.h"
#include "host/module_path.h"
#include "host/shader_driver.h"
#include "render/shading_sample.h"

namespace {

// A point on a unit sphere seen at an angle, with `lights` point lights around it.
class SampleScene {
public:
    explicit SampleScene(int lights) {
        standin::Host& host = standin::Host::instance();
        host.reset();
        host.scene().clearLights();
        for (int i = 0; i < lights; ++i) {
            standin::Light light;
            const double angle = 6.283185307179586 * i / lights;
            light.position = {4.0 * std::cos(angle), 3.0, -4.0 + std::sin(angle)};
            light.intensity = 1.0 / lights;
            host.scene().addLight(light);
        }
        host.scene().ambient = {0.05, 0.05, 0.05};
        sample_.position({0.3, 0.4, -0.866}).normal({0.3, 0.4, -0.866});
        sample_.ray({0.0, 0.5, -5.0}, 4.0, 0.9).color({0.6, 0.1, 0.2}).specular(0.7);
        sample_.roughness(1.0 / 64.0);
    }

    // The record with the four fields the shader overwrites put back.
    ShadingRecord& fresh() {
        ShadingRecord& record = sample_.record();
        record.color[0] = 0.6;
        record.color[1] = 0.1;
        record.color[2] = 0.2;
        record.luminous = 0.0;
        record.diffuse = 1.0;
        record.specular = 0.7;
        return record;
    }

private:
    standin::ShadingSample sample_;
};

void EvaluateEntry(benchmark::State& state) {
    SampleScene scene(static_cast<int>(state.range(0)));
    auto module = standin::ShaderModule::open(standin::defaultModulePath());
    if (!module) {
        state.SkipWithError(module.error().c_str());
        return;
    }
    auto instance = module->createInstance();
    if (!instance || instance->newTime(1, 0.0) != nullptr) {
        state.SkipWithError("no instance");
        return;
    }
    const ShaderHandlerTable& table = module->table();
    const HostInstance handle = instance->handle();
    for (auto _ : state) {
        ShadingRecord& record = scene.fresh();
        table.evaluate(handle, &record);
        benchmark::DoNotOptimize(record.color);
    }
    state.SetItemsProcessed(state.iterations());
}

void BareKernel(benchmark::State& state) {
    SampleScene scene(static_cast<int>(state.range(0)));
    const auto* items = static_cast<const ItemInfo*>(standin::globalFunc(HOST_ITEM_INFO, 0));
    const auto* lights = static_cast<const LightInfo*>(standin::globalFunc(HOST_LIGHT_INFO, 0));
    double ambient[3];
    lights->ambient(0.0, ambient);
    const bench::BareParameters parameters;
    for (auto _ : state) {
        ShadingRecord& record = scene.fresh();
        bench::bareSheen(parameters, *items, ambient, record);
        benchmark::DoNotOptimize(record.color);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(EvaluateEntry)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(BareKernel)->Arg(1)->Arg(4)->Arg(16);

}  // namespace
