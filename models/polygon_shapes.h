// Polygons in a plane that are hard to split into triangles: many reflex corners, corners
// close together, many at one height, holes joined by seams. The tests check that they are
// covered exactly; the benchmark times them.
#ifndef PELORIX3_MODELS_POLYGON_SHAPES_H
#define PELORIX3_MODELS_POLYGON_SHAPES_H

#include <cmath>
#include <vector>

#include "models/plane_polygon.h"

namespace models::polygon_shapes {

using Points = std::vector<PlanePoint>;

// Teeth of height 1 along x, the spine below: most corners at the teeth's feet are
// reflex. 3 × teeth + 2 corners, clockwise.
inline Points comb(int teeth) {
    Points p{{0, -1}};
    for (int t = 0; t < teeth; ++t) {
        p.push_back({2.0 * t, 0});
        p.push_back({2.0 * t + 0.5, 1});
        p.push_back({2.0 * t + 1.0, 0});
    }
    p.push_back({2.0 * teeth, -1});
    return p;
}

// Mirrored top to bottom (so wound the other way): its teeth point down.
inline Points upsideDown(Points p) {
    for (PlanePoint& f : p) f.y = -f.y;
    return p;
}

// Turned counter-clockwise by `radians`. A comb turned by an eighth, its corners on its
// spine no longer exactly on one line, is what ear clipping takes longest over.
inline Points turned(Points p, double radians) {
    const double c = std::cos(radians), s = std::sin(radians);
    for (PlanePoint& f : p) f = {c * f.x - s * f.y, s * f.x + c * f.y};
    return p;
}

// A band wound in a spiral, out along one side and back along the other: half its corners
// are reflex, and many lie close to each other.
inline Points spiral(int corners) {
    Points p;
    for (int i = 0; i < corners / 2; ++i) {
        const double a = 0.02 * i, r = 1 + 0.002 * i;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    for (int i = corners / 2 - 1; i >= 0; --i) {
        const double a = 0.02 * i, r = 1.001 + 0.002 * i;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return p;
}

// A band whose top and bottom both zig-zag, teeth pointing out and in by turns, their
// corners at a few heights only: many corners at one height at once. 4 × teeth + 2
// corners.
inline Points zigZag(int teeth) {
    Points p;
    for (int t = 0; t <= 2 * teeth; ++t) p.push_back({double(t), t % 2 == 0 ? -1.0 : -2.0});
    for (int t = 2 * teeth; t >= 0; --t) p.push_back({double(t), t % 2 == 0 ? 1.0 : 2.0});
    return p;
}

// A strip with a row of square holes, each joined to the bottom edge by a seam that runs
// up to its lower left corner and back down. 7 × count + 4 corners.
inline Points holes(int count) {
    Points p{{0, 0}};
    for (int h = 0; h < count; ++h) {
        const double x = 3.0 * h + 1;
        p.insert(p.end(), {{x, 0}, {x, 1}, {x, 2}, {x + 1, 2}, {x + 1, 1}, {x, 1}, {x, 0}});
    }
    p.insert(p.end(), {{3.0 * count, 0}, {3.0 * count, 3}, {0, 3}});
    return p;
}

}  // namespace models::polygon_shapes

#endif
