// Large concave polygons split into triangles: ear clipping, which the preview uses up to
// 1,023 corners, against the sweep into monotone pieces, which it uses above, side by side
// on the same shapes and sizes; and the whole split the preview makes (the projection into
// the polygon's plane included) of faces as large as an object file holds (65,534
// corners) and larger, as an OBJ face may be. Items are corners: items per second give
// the time per million corners.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "models/polygon_shapes.h"
#include "models/polygon_triangulation.h"

namespace {

namespace shapes = models::polygon_shapes;
using shapes::Points;

constexpr double kEighth = 0.7853981633974483;  // of a turn, in radians

enum class Shape { Comb, CombUpsideDown, CombTurned, Spiral, ZigZag };

// About `corners` corners of the shape.
Points shape(Shape kind, int corners) {
    switch (kind) {
        case Shape::Comb:
            return shapes::comb((corners - 2) / 3);
        case Shape::CombUpsideDown:
            return shapes::upsideDown(shapes::comb((corners - 2) / 3));
        case Shape::CombTurned:
            return shapes::turned(shapes::comb((corners - 2) / 3), kEighth);
        case Shape::Spiral:
            return shapes::spiral(corners);
        case Shape::ZigZag:
            break;
    }
    return shapes::zigZag((corners - 2) / 4);
}

double orientation(const Points& p) {
    double sum = 0.0;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        sum += p[j].x * p[i].y - p[i].x * p[j].y;
    }
    return sum > 0.0 ? 1.0 : -1.0;
}

template <typename Splitter>
void SplitInPlane(benchmark::State& state, Shape kind) {
    const Points points = shape(kind, static_cast<int>(state.range(0)));
    const double turn = orientation(points);
    Splitter splitter;
    std::vector<models::CornerTriangle> triangles;
    for (auto _ : state) {
        triangles.clear();
        if (!splitter.split(points, turn, triangles)) {
            state.SkipWithError("the polygon was not split");
            return;
        }
        benchmark::DoNotOptimize(triangles.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points.size()));
    state.counters["corners"] = static_cast<double>(points.size());
}

// What the importers call: corners in space, tilted out of every axis plane.
void PolygonSplit(benchmark::State& state, Shape kind) {
    std::vector<std::array<double, 3>> corners;
    for (const models::PlanePoint& p : shape(kind, static_cast<int>(state.range(0)))) {
        corners.push_back({p.x, 0.6 * p.y, 0.8 * p.y + 0.1 * p.x});
    }
    models::PolygonTriangulation triangulation;
    std::vector<models::CornerTriangle> triangles;
    for (auto _ : state) {
        triangles.clear();
        if (!triangulation.split(corners, triangles)) {
            state.SkipWithError("the polygon was fanned");
            return;
        }
        benchmark::DoNotOptimize(triangles.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(corners.size()));
    state.counters["corners"] = static_cast<double>(corners.size());
}

const struct {
    const char* name;
    Shape kind;
} kShapes[] = {{"comb", Shape::Comb},
               {"comb_upside_down", Shape::CombUpsideDown},
               {"comb_turned", Shape::CombTurned},
               {"spiral", Shape::Spiral},
               {"zig_zag", Shape::ZigZag}};

// Ear clipping and the sweep at the same sizes, the first beyond which ear clipping is not
// used; the whole split at the largest object-file face and at a million corners.
const bool kRegistered = [] {
    for (const auto& [name, kind] : kShapes) {
        for (const int corners : {1022, 4094, 16382}) {
            benchmark::RegisterBenchmark(("EarClipping/" + std::string(name)).c_str(),
                                         SplitInPlane<models::EarClipping>, kind)
                ->Arg(corners)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Sweep/" + std::string(name)).c_str(),
                                         SplitInPlane<models::MonotoneTriangulation>, kind)
                ->Arg(corners)
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("PolygonSplit/" + std::string(name)).c_str(), PolygonSplit,
                                     kind)
            ->Arg(65534)
            ->Arg(1 << 20)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
