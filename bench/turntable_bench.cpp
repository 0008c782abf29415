// The turntable: 36 views around the default cloth at 512 x 384, one sample per pixel,
// rendered from one scene as the preview tool renders them, on one thread and on every
// core. The scene is built once, before the timing; each iteration is the 36 views.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

#include "default_scene_session.h"
#include "tools/preview/turntable.h"

namespace {

constexpr int kViews = 36;

void Turntable(benchmark::State& state) {
    const std::unique_ptr<preview::PreviewSession> session = openDefaultScene(state);
    if (!session) return;
    render::RenderSettings settings;
    settings.width = 512;
    settings.height = 384;
    settings.samplesPerSide = 1;
    settings.threads = static_cast<int>(state.range(0));
    const auto keep = [](int, const render::CameraOrbit&, const render::Image& picture) {
        benchmark::DoNotOptimize(picture.rgb.data());
        return base::succeeded();
    };
    for (auto _ : state) {
        if (!preview::renderTurntable(*session, settings, kViews, nullptr, keep)) {
            state.SkipWithError("a view could not be rendered");
            return;
        }
    }
    state.counters["views"] = benchmark::Counter(double(kViews) * double(state.iterations()),
                                                 benchmark::Counter::kIsRate);
    state.counters["threads"] = settings.threads;
}

BENCHMARK(Turntable)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kSecond);

}  // namespace
