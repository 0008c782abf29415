#include "tools/preview/comparison.h"

#include "tools/preview/contact_sheet.h"
#include "tools/preview/label_painter.h"

namespace preview {
namespace {

// A name too long for its picture keeps its end, where a file's name is.
std::string fitted(const std::string& label, int width) {
    if (labelWidth(label, 1) <= width) return label;
    std::string end = label;
    while (!end.empty() && labelWidth("..." + end, 1) > width) end.erase(0, 1);
    return end.empty() ? std::string() : "..." + end;
}

SheetLayout comparisonLayout(const RenderSettings& render, const std::vector<ComparedLook>& looks) {
    SheetLayout layout;
    layout.title = std::to_string(looks.size()) + " looks compared";
    for (const ComparedLook& look : looks) {
        layout.columnLabels.push_back(fitted(look.label, render.width));
    }
    layout.rowLabels = {""};
    layout.cellWidth = render.width;
    layout.cellHeight = render.height;
    return layout;
}

}  // namespace

standin::Result<Image> comparisonPicture(PreviewSession& session, const RenderSettings& render,
                                         const std::vector<ComparedLook>& looks) {
    const SheetLayout layout = comparisonLayout(render, looks);
    ProgressBar progress = ProgressBar::forStderr(static_cast<long>(looks.size()) * render.height);
    return contactSheet(layout, [&](int column, int) {
        const ComparedLook& look = looks[static_cast<std::size_t>(column)];
        return session.renderVariant(look.parameters, look.surface, render, &progress);
    });
}

}  // namespace preview
