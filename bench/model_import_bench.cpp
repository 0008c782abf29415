// Reading a model of a million triangles from bytes in memory: the same mesh as an object
// file (LWO2) and as OBJ text, the whole import (the parse, the checks, the placement in the
// model's frame, the splitting into triangles and the crease normals) and the parse alone.
// The mesh is the rippled sphere of bench/make-dense-model.py, without normals; the object
// file's points are the OBJ text's numbers in single precision.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "models/lwo_reader.h"
#include "models/lwo_writer.h"
#include "models/model_import.h"
#include "models/obj_reader.h"

namespace {

namespace lwo = models::lwo_writer;

constexpr int kTriangles = 1'000'000;

struct DenseModel {
    std::string obj;
    std::string lwo;
};

DenseModel makeDenseModel(int triangles) {
    const int rings = std::max(static_cast<int>(std::sqrt(triangles / 4.0)), 2);
    const int segments = 2 * rings;
    DenseModel model;
    std::vector<lwo::Point> points;
    char line[96];
    for (int i = 0; i <= rings; ++i) {
        const double polar = std::numbers::pi * i / rings;
        for (int j = 0; j < segments; ++j) {
            const double azimuth = 2 * std::numbers::pi * j / segments;
            const double r = 1.0 + 0.04 * std::sin(12 * azimuth) * std::sin(9 * polar);
            std::snprintf(line, sizeof line, "%.6f %.6f %.6f",
                          r * std::sin(polar) * std::cos(azimuth), r * std::cos(polar),
                          r * std::sin(polar) * std::sin(azimuth));
            model.obj += "v " + std::string(line) + "\n";
            char* end = line;
            const float x = std::strtof(end, &end), y = std::strtof(end, &end);
            points.push_back({x, y, std::strtof(end, &end)});
        }
    }
    std::vector<lwo::Polygon> faces;
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            const auto a = static_cast<std::uint32_t>(i * segments + j);
            const auto b = static_cast<std::uint32_t>(i * segments + (j + 1) % segments);
            const auto c = a + static_cast<std::uint32_t>(segments);
            const auto d = b + static_cast<std::uint32_t>(segments);
            std::snprintf(line, sizeof line, "f %u %u %u\nf %u %u %u\n", a + 1, c + 1, d + 1, a + 1,
                          d + 1, b + 1);
            model.obj += line;
            faces.push_back({a, c, d});
            faces.push_back({a, d, b});
        }
    }
    model.lwo =
        lwo::form("LWO2", lwo::layer(0) + lwo::points(points) + lwo::polygons("FACE", faces));
    return model;
}

const DenseModel& denseModel() {
    static const DenseModel model = makeDenseModel(kTriangles);
    return model;
}

void report(benchmark::State& state, const std::string& bytes) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.counters["file MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void ModelImport(benchmark::State& state, bool objectFile) {
    const std::string& bytes = objectFile ? denseModel().lwo : denseModel().obj;
    for (auto _ : state) {
        const auto model = models::importModel(bytes, "dense", 60.0);
        if (!model) {
            state.SkipWithError(model.error().c_str());
            return;
        }
        state.counters["triangles"] = static_cast<double>(model->mesh.triangleCount());
    }
    report(state, bytes);
}

void ModelParse(benchmark::State& state, bool objectFile) {
    const DenseModel& model = denseModel();
    for (auto _ : state) {
        const bool read = objectFile ? models::readLwo(model.lwo, "dense").ok()
                                     : models::readObj(model.obj, "dense").ok();
        if (!read) {
            state.SkipWithError("the model was refused");
            return;
        }
    }
    report(state, objectFile ? model.lwo : model.obj);
}

BENCHMARK_CAPTURE(ModelImport, lwo2, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ModelImport, obj, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ModelParse, lwo2, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ModelParse, obj, false)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
