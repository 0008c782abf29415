#include "tools/preview/comparison.h"

#include <cstddef>
#include <string>

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

// 134217728 as "134,217,728".
std::string withCommas(std::size_t count) {
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace

base::Status checkComparisonSize(const PreviewOptions& options) {
    const std::size_t looks = options.compared.size();
    const std::size_t pixels = looks * static_cast<std::size_t>(options.render.width) *
                               static_cast<std::size_t>(options.render.height);
    if (pixels <= kMostComparedPixels) return base::succeeded();
    return base::Status::failure(
        "--compare: " + std::to_string(looks) + " looks of " +
        std::to_string(options.render.width) + " x " + std::to_string(options.render.height) +
        " come to " + withCommas(pixels) + " pixels side by side; a comparison may have " +
        withCommas(kMostComparedPixels) +
        " at most (two looks of 8192 x 8192): compare fewer looks or give a smaller --width "
        "or --height");
}

base::Result<Image> comparisonPicture(PreviewSession& session, const RenderSettings& render,
                                      const std::vector<ComparedLook>& looks) {
    const SheetLayout layout = comparisonLayout(render, looks);
    ProgressBar progress = ProgressBar::forStderr(static_cast<long>(looks.size()) * render.height);
    return contactSheet(layout, [&](int column, int) {
        const ComparedLook& look = looks[static_cast<std::size_t>(column)];
        return session.renderVariant(look.parameters, look.surface, render, &progress);
    });
}

}  // namespace preview
