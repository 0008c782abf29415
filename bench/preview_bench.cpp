// Preview throughput: shaded samples per second for the default scene, on one thread and
// on every core.
#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#include "host/host_globals.h"
#include "host/module_path.h"
#include "tools/preview/preview_session.h"

namespace {

void PreviewRender(benchmark::State& state) {
    standin::Host::instance().reset();
    auto session = preview::PreviewSession::open(standin::defaultModulePath(), {});
    if (!session || !session.value()->startFrame()) {
        state.SkipWithError("the module could not be opened");
        return;
    }
    standin::RenderSettings settings;
    settings.width = 256;
    settings.height = 192;
    settings.samplesPerSide = 1;
    settings.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(session.value()->render(settings));
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
