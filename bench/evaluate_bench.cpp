// Nanoseconds per shaded sample: the module's evaluate entry, called through the callback
// table it filled, against the bare kernel (the same arithmetic and host calls, nothing
// around them) and the floor kernel (the bare kernel plus the work the design requires
// around every sample). Then two threads shading through one instance, sharing the ray
// call list, against the floor kernel on two threads.
#include <benchmark/benchmark.h>

#include <cmath>
#include <optional>

#include "bench/bare_kernel.h"
#include "bench/floor_kernel.h"
#include "host/host_globals.h"
#include "host/module_path.h"
#include "host/shader_driver.h"
#include "render/shading_sample.h"

namespace {

// `lights` point lights in a ring around and above the sample.
void setUpScene(int lights) {
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
}

// A point on a unit sphere seen at an angle; fresh() puts back the four fields the shader
// overwrites.
class Sample {
public:
    Sample() {
        sample_.position({0.3, 0.4, -0.866}).normal({0.3, 0.4, -0.866});
        sample_.ray({0.0, 0.5, -5.0}, 4.0, 0.9).color({0.6, 0.1, 0.2}).specular(0.7);
        sample_.roughness(1.0 / 64.0);
    }

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
    render::ShadingSample sample_;
};

// The module loaded and one instance after its first new time, for the benchmark run.
struct LoadedInstance {
    standin::ShaderModule module;
    standin::ShaderInstance instance;
};
std::optional<LoadedInstance> loaded;

void loadInstance(const benchmark::State& state) {
    setUpScene(static_cast<int>(state.range(0)));
    auto module = standin::ShaderModule::open(standin::defaultModulePath());
    if (!module) return;
    auto instance = module->createInstance();
    if (!instance || instance->newTime(1, 0.0) != nullptr) return;
    loaded.emplace(LoadedInstance{std::move(module.value()), std::move(instance.value())});
}

void unloadInstance(const benchmark::State&) { loaded.reset(); }

void setUpKernelScene(const benchmark::State& state) {
    setUpScene(static_cast<int>(state.range(0)));
}

void EvaluateEntry(benchmark::State& state) {
    if (!loaded) {
        state.SkipWithError("the module could not be loaded");
        return;
    }
    const ShaderHandlerTable& table = loaded->module.table();
    const HostInstance handle = loaded->instance.handle();
    Sample sample;
    for (auto _ : state) {
        ShadingRecord& record = sample.fresh();
        table.evaluate(handle, &record);
        benchmark::DoNotOptimize(record.color);
    }
    state.SetItemsProcessed(state.iterations());
}

template <void (*kernel)(const bench::BareParameters&, const ItemInfo&, const double[3],
                         ShadingRecord&)>
void Kernel(benchmark::State& state) {
    const auto* items = static_cast<const ItemInfo*>(standin::globalFunc(HOST_ITEM_INFO, 0));
    const auto* lights = static_cast<const LightInfo*>(standin::globalFunc(HOST_LIGHT_INFO, 0));
    double ambient[3];
    lights->ambient(0.0, ambient);
    const bench::BareParameters parameters;
    Sample sample;
    for (auto _ : state) {
        ShadingRecord& record = sample.fresh();
        kernel(parameters, *items, ambient, record);
        benchmark::DoNotOptimize(record.color);
    }
    state.SetItemsProcessed(state.iterations());
}

void BareKernel(benchmark::State& state) { Kernel<bench::bareSheen>(state); }
void FloorKernel(benchmark::State& state) { Kernel<bench::floorSheen>(state); }

BENCHMARK(EvaluateEntry)->Arg(1)->Arg(4)->Arg(16)->Setup(loadInstance)->Teardown(unloadInstance);
BENCHMARK(FloorKernel)->Arg(1)->Arg(4)->Arg(16)->Setup(setUpKernelScene);
BENCHMARK(BareKernel)->Arg(1)->Arg(4)->Arg(16)->Setup(setUpKernelScene);

// Two threads at once; the time is wall-clock time per sample of each thread.
BENCHMARK(EvaluateEntry)
    ->Arg(4)
    ->Threads(2)
    ->UseRealTime()
    ->Setup(loadInstance)
    ->Teardown(unloadInstance);
BENCHMARK(FloorKernel)->Arg(4)->Threads(2)->UseRealTime()->Setup(setUpKernelScene);

}  // namespace
