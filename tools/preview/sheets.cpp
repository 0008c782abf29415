#include "tools/preview/sheets.h"

#include <array>
#include <cstdio>
#include <string>

#include "tools/preview/contact_sheet.h"

namespace preview {
namespace {

constexpr std::array<double, 5> kDensities{0.0, 0.25, 0.5, 0.75, 1.0};
// As fractions of 1/64, the roughness that gives the lobe exponent 1.
constexpr std::array<double, 5> kRoughnessSixtyFourths{0.25, 0.5, 1.0, 2.0, 4.0};

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

RenderSettings cellSettings(const RenderSettings& render) {
    RenderSettings cell = render;
    cell.width = kSheetCellWidth;
    cell.height = kSheetCellHeight;
    return cell;
}

// Image rows of every cell together: the progress bar's whole.
long rowsToRender(const SheetLayout& layout) {
    return static_cast<long>(layout.columnLabels.size() * layout.rowLabels.size()) *
           layout.cellHeight;
}

SheetLayout densityRoughnessLayout() {
    SheetLayout layout;
    layout.title = "density across, roughness down";
    for (const double d : kDensities) layout.columnLabels.push_back(format("density %.2f", d));
    for (const double r : kRoughnessSixtyFourths) {
        layout.rowLabels.push_back(format("roughness 1/%g", 64.0 / r) + format(" (e=%g)", 1.0 / r));
    }
    layout.cellWidth = kSheetCellWidth;
    layout.cellHeight = kSheetCellHeight;
    return layout;
}

// With the switch on, luminosity 0 means no velvet at all; the row shows the switch at
// the surface's own luminosity (its map, where it has one), or at this one when the
// surface has none.
constexpr double kSwitchSheetLuminosity = 0.5;

bool luminosityIsMapped(const SurfaceInputs& surface) {
    return surface.maps.of(render::SurfaceInput::Luminous) != nullptr;
}

double switchRowLuminosity(const SurfaceInputs& surface) {
    return surface.luminous > 0.0 || luminosityIsMapped(surface) ? surface.luminous
                                                                 : kSwitchSheetLuminosity;
}

SheetLayout switchLayout(const SurfaceInputs& surface) {
    SheetLayout layout;
    layout.title = "the two switches";
    layout.columnLabels = {"don't overlap shadows: off", "don't overlap shadows: on"};
    layout.rowLabels = {
        "density by luminosity: off",
        luminosityIsMapped(surface)
            ? std::string("density by luminosity: on (luminosity map)")
            : format("density by luminosity: on (luminosity %g)", switchRowLuminosity(surface))};
    layout.cellWidth = kSheetCellWidth;
    layout.cellHeight = kSheetCellHeight;
    return layout;
}

}  // namespace

base::Result<render::Image> densityRoughnessSheet(PreviewSession& session,
                                                  const RenderSettings& render) {
    const RenderSettings cell = cellSettings(render);
    const SheetLayout layout = densityRoughnessLayout();
    ProgressBar progress = ProgressBar::forStderr(rowsToRender(layout));
    return contactSheet(layout, [&](int column, int row) {
        looks::ParameterBlock parameters = session.parameters();
        parameters.density = kDensities[static_cast<std::size_t>(column)];
        SurfaceInputs surface = session.scene().surface();
        surface.roughness = kRoughnessSixtyFourths[static_cast<std::size_t>(row)] / 64.0;
        surface.maps.of(render::SurfaceInput::Roughness).reset();  // the row's roughness
        return session.renderVariant(parameters, surface, cell, &progress);
    });
}

base::Result<render::Image> switchSheet(PreviewSession& session, const RenderSettings& render) {
    const RenderSettings cell = cellSettings(render);
    const double luminosity = switchRowLuminosity(session.scene().surface());
    const SheetLayout layout = switchLayout(session.scene().surface());
    ProgressBar progress = ProgressBar::forStderr(rowsToRender(layout));
    return contactSheet(layout, [&](int column, int row) {
        looks::ParameterBlock parameters = session.parameters();
        parameters.dontOverlapShadows = column;
        parameters.densityByLuminosity = row;
        SurfaceInputs surface = session.scene().surface();
        if (row == 1) surface.luminous = luminosity;
        return session.renderVariant(parameters, surface, cell, &progress);
    });
}

}  // namespace preview
