// Writing looks into object files of 1,000 and 4,000 surfaces, each surface with a look of
// its own, beside reading the same file's surfaces: the files bench/make-many-surfaces.py
// writes. LWOB: the names of SRFS and one triangle, every surface given a new SURF chunk;
// LWO2: a quad for each surface, each running pelorix3 with a block whose data is replaced.
// A writer that reads the file once and makes the copy once takes a time that grows as the
// file does: four times the surfaces, four times the time.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "models/look_writer.h"
#include "models/lwo_writer.h"
#include "models/surface_reader.h"

namespace {

namespace lwo = models::lwo_writer;

std::string surfaceName(std::size_t i) { return "S" + std::to_string(i); }

std::string lwobNames(std::size_t surfaces) {
    std::string names;
    for (std::size_t i = 0; i < surfaces; ++i) names += lwo::s0(surfaceName(i));
    return lwo::form("LWOB", lwo::points({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}) +
                                 lwo::chunk("SRFS", names) +
                                 lwo::chunk("POLS", lwo::lwobPolygon({0, 1, 2})));
}

std::string shaderSurface(const std::string& name) {
    const std::string header =
        lwo::subChunk("SHDR", lwo::s0("\x80") + lwo::subChunk("ENAB", lwo::u2(1)));
    const std::string function = lwo::subChunk("FUNC", lwo::s0("pelorix3") + std::string(28, 'b'));
    return lwo::chunk("SURF",
                      lwo::s0(name) + lwo::s0("") + lwo::subChunk("BLOK", header + function));
}

std::string lwo2Shaders(std::size_t surfaces) {
    std::vector<lwo::Point> corners;
    std::vector<lwo::Polygon> quads;
    std::string names, tags = "SURF", chunks;
    for (std::uint32_t i = 0; i < surfaces; ++i) {
        const auto x = static_cast<float>(i % 100), y = static_cast<float>(i / 100);
        const auto first = static_cast<std::uint32_t>(corners.size());
        corners.insert(corners.end(), {{x, y, 0}, {x, y + 1, 0}, {x + 1, y + 1, 0}, {x + 1, y, 0}});
        quads.push_back({first, first + 1, first + 2, first + 3});
        names += lwo::s0(surfaceName(i));
        tags += lwo::vx(i) + lwo::u2(i);
        chunks += shaderSurface(surfaceName(i));
    }
    return lwo::form("LWO2", lwo::layer(0) + lwo::points(corners) + lwo::polygons("FACE", quads) +
                                 lwo::chunk("TAGS", names) + lwo::chunk("PTAG", tags) + chunks);
}

enum class Form { Lwob, Lwo2 };

std::string fileOf(Form form, std::size_t surfaces) {
    return form == Form::Lwob ? lwobNames(surfaces) : lwo2Shaders(surfaces);
}

// A look of its own for each surface: the block's first byte is the surface's number.
std::vector<models::SurfaceLookWrite> looks(std::size_t surfaces) {
    std::vector<models::SurfaceLookWrite> writes;
    for (std::size_t i = 0; i < surfaces; ++i) {
        models::StoredBlock block{};
        block[0] = static_cast<unsigned char>(i);
        writes.push_back({surfaceName(i), {block, std::nullopt}});
    }
    return writes;
}

void report(benchmark::State& state, const std::string& file) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
    state.counters["file KB"] = static_cast<double>(file.size()) / 1e3;
}

void LookWrite(benchmark::State& state, Form form) {
    const auto surfaces = static_cast<std::size_t>(state.range(0));
    const std::string file = fileOf(form, surfaces);
    const std::vector<models::SurfaceLookWrite> writes = looks(surfaces);
    for (auto _ : state) {
        const auto written = models::writeLooks(file, "many.lwo", writes);
        if (!written) {
            state.SkipWithError(written.error().c_str());
            return;
        }
        benchmark::DoNotOptimize(written->data());
    }
    report(state, file);
}

void SurfaceRead(benchmark::State& state, Form form) {
    const auto surfaces = static_cast<std::size_t>(state.range(0));
    const std::string file = fileOf(form, surfaces);
    for (auto _ : state) {
        const auto read = models::readSurfaces(file, "many.lwo");
        if (!read) {
            state.SkipWithError(read.error().c_str());
            return;
        }
        benchmark::DoNotOptimize(read->surfaces.data());
    }
    report(state, file);
}

BENCHMARK_CAPTURE(LookWrite, lwob, Form::Lwob)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LookWrite, lwo2, Form::Lwo2)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceRead, lwob, Form::Lwob)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceRead, lwo2, Form::Lwo2)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
