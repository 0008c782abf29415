// Preview throughput: shaded samples per second for the default scene, on one thread and
// on every core.
#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#include "default_scene_session.h"

namespace {

void PreviewRender(benchmark::State& state) {
    const std::unique_ptr<preview::PreviewSession> session = openDefaultScene(state);
    if (!session) return;
    render::RenderSettings settings;
    settings.width = 256;
    settings.height = 192;
    settings.samplesPerSide = 1;
    settings.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(session->render(settings));
    }
    state.SetItemsProcessed(state.iterations() * settings.width * settings.height);
    state.counters["threads"] = settings.threads;
}

BENCHMARK(PreviewRender)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
