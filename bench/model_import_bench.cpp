// Reading a model of a million triangles from bytes in memory: the same mesh as an object
// file (LWO2) and as OBJ text, the whole import (the parse, the checks, the placement in the
// model's frame, the splitting into triangles and the crease normals) and the parse alone;
// and the object file again with two surfaces (names, a tag for every polygon, two surface
// chunks each with the 60-degree smoothing angle the others are given), whose time beside
// the first is what reading surfaces costs.
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
    std::string lwoWithSurfaces;
};

// The surfaces of the dense model: the first half of its polygons "Upper", the rest
// "Lower", both smoothed up to 60 degrees.
std::string surfaceChunks(std::size_t polygons) {
    std::string tags = "SURF";
    for (std::size_t p = 0; p < polygons; ++p)
        tags += lwo::vx(static_cast<std::uint32_t>(p)) + lwo::u2(p < polygons / 2 ? 0 : 1);
    const std::string sman = lwo::subChunk("SMAN", lwo::f4(std::numbers::pi_v<float> / 3));
    return lwo::chunk("PTAG", tags) + lwo::chunk("SURF", lwo::s0("Upper") + lwo::s0("") + sman) +
           lwo::chunk("SURF", lwo::s0("Lower") + lwo::s0("") + sman);
}

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
    const std::string geometry = lwo::layer(0) + lwo::points(points) + lwo::polygons("FACE", faces);
    model.lwo = lwo::form("LWO2", geometry);
    model.lwoWithSurfaces =
        lwo::form("LWO2", lwo::chunk("TAGS", lwo::s0("Upper") + lwo::s0("Lower")) + geometry +
                              surfaceChunks(faces.size()));
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

enum class Form { Obj, Lwo2, Lwo2WithSurfaces };

const std::string& bytesOf(Form form) {
    const DenseModel& model = denseModel();
    return form == Form::Obj ? model.obj : form == Form::Lwo2 ? model.lwo : model.lwoWithSurfaces;
}

void ModelImport(benchmark::State& state, Form form) {
    const std::string& bytes = bytesOf(form);
    // The surfaces' own smoothing angles, 60 degrees as the others are given.
    const bool fromSurfaces = form == Form::Lwo2WithSurfaces;
    for (auto _ : state) {
        const auto model = models::importModel(bytes, "dense", 60.0, fromSurfaces);
        if (!model) {
            state.SkipWithError(model.error().c_str());
            return;
        }
        state.counters["triangles"] = static_cast<double>(model->mesh.triangleCount());
    }
    report(state, bytes);
}

void ModelParse(benchmark::State& state, Form form) {
    const std::string& bytes = bytesOf(form);
    for (auto _ : state) {
        const bool read = form == Form::Obj ? models::readObj(bytes, "dense").ok()
                                            : models::readLwo(bytes, "dense").ok();
        if (!read) {
            state.SkipWithError("the model was refused");
            return;
        }
    }
    report(state, bytes);
}

BENCHMARK_CAPTURE(ModelImport, lwo2, Form::Lwo2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ModelImport, lwo2_surfaces, Form::Lwo2WithSurfaces)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ModelImport, obj, Form::Obj)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ModelParse, lwo2, Form::Lwo2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ModelParse, lwo2_surfaces, Form::Lwo2WithSurfaces)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ModelParse, obj, Form::Obj)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
