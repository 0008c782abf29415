// The preview's default scene with the module file loaded and started on frame 1, as the
// rendering benchmarks use it; null, and the benchmark skipped, when the module cannot be
// opened.
#ifndef PELORIX3_BENCH_DEFAULT_SCENE_SESSION_H
#define PELORIX3_BENCH_DEFAULT_SCENE_SESSION_H

#include <benchmark/benchmark.h>

#include <memory>

#include "host/host_globals.h"
#include "host/module_path.h"
#include "tools/preview/preview_session.h"

inline std::unique_ptr<preview::PreviewSession> openDefaultScene(benchmark::State& state) {
    standin::Host::instance().reset();
    auto session = preview::PreviewSession::open(standin::defaultModulePath(), {});
    if (!session || !session.value()->startFrame()) {
        state.SkipWithError("the module could not be opened");
        return nullptr;
    }
    return std::move(session.value());
}

#endif
