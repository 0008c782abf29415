#include "render/patterns.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {
namespace {

constexpr double kPi = std::numbers::pi;

// How much of the point (x, y) of the unit square, which tiles, is pile: 0 to 1.
using Coverage = double (*)(double x, double y);

// A position within its cell of a grid of `cells` a side, from -0.5 to 0.5 each way.
double inCell(double t, int cells) { return t * cells - std::floor(t * cells) - 0.5; }

// Pile, with six flowers a side burnt out of it in half-drop rows (every other column half
// a cell down), each of five petals around a heart of pile, and a line of burnt-out dots
// between the columns, one every half cell.
double burnout(double x, double y) {
    constexpr int kCells = 6;
    const int column = static_cast<int>(std::floor(x * kCells));
    const double dropped = y + (column % 2 == 0 ? 0.0 : 0.5 / kCells);
    const double px = inCell(x, kCells);
    const double py = inCell(dropped, kCells);
    const double r = std::hypot(px, py);
    const double petal = 0.25 + 0.11 * std::cos(5.0 * std::atan2(py, px) + kPi / 2.0);
    const bool flower = r < petal && r > 0.07;
    const bool dot = std::hypot(0.5 - std::abs(px), 0.25 - std::abs(0.25 - std::abs(py))) < 0.07;
    return flower || dot ? 0.0 : 1.0;
}

// Eight bands across, of pile and burnt-out ground alike.
double stripes(double, double y) { return inCell(y, 8) < 0.0 ? 1.0 : 0.0; }

// Eight spots a side.
double dots(double x, double y) { return std::hypot(inCell(x, 8), inCell(y, 8)) < 0.3 ? 1.0 : 0.0; }

// Eight squares a side.
double checks(double x, double y) {
    return (inCell(x, 4) < 0.0) == (inCell(y, 4) < 0.0) ? 1.0 : 0.0;
}

Coverage coverageOf(std::string_view name) {
    if (name == "burnout") return burnout;
    if (name == "stripes") return stripes;
    if (name == "dots") return dots;
    if (name == "checks") return checks;
    return nullptr;
}

// Each texel averages 4 x 4 points of it, so that edges are smooth.
constexpr int kPointsPerSide = 4;

unsigned char texel(Coverage coverage, int x, int y, int size) {
    double sum = 0.0;
    for (int j = 0; j < kPointsPerSide; ++j) {
        for (int i = 0; i < kPointsPerSide; ++i) {
            sum += coverage((x + (i + 0.5) / kPointsPerSide) / size,
                            (y + (j + 0.5) / kPointsPerSide) / size);
        }
    }
    const double level = sum / (kPointsPerSide * kPointsPerSide);
    return static_cast<unsigned char>(std::lround(std::clamp(level, 0.0, 1.0) * 255.0));
}

}  // namespace

std::optional<std::vector<unsigned char>> makePattern(std::string_view name, int size) {
    const Coverage coverage = coverageOf(name);
    if (!coverage || size <= 0) return std::nullopt;
    std::vector<unsigned char> grey(static_cast<std::size_t>(size) *
                                    static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            grey[static_cast<std::size_t>(y) * size + x] = texel(coverage, x, y, size);
        }
    }
    return grey;
}

std::optional<TextureMap> patternMap(std::string_view name, int size) {
    const std::optional<std::vector<unsigned char>> grey = makePattern(name, size);
    if (!grey) return std::nullopt;
    std::vector<float> values(grey->size());
    std::transform(grey->begin(), grey->end(), values.begin(),
                   [](unsigned char v) { return static_cast<float>(v / 255.0); });
    return TextureMap::create(size, size, 1, std::move(values));
}

}  // namespace render
