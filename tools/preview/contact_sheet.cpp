#include "tools/preview/contact_sheet.h"

#include <algorithm>

#include "tools/preview/label_painter.h"

namespace preview {
namespace {

constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kTitleScale = 2;
constexpr int kLabelScale = 1;
constexpr Rgb kPaper{28, 29, 33};
constexpr Rgb kInk{225, 225, 225};
constexpr Rgb kDimInk{170, 170, 170};

struct Geometry {
    int rowLabelWidth;
    int gridLeft;
    int gridTop;
    int width;
    int height;
};

Geometry measure(const SheetLayout& layout) {
    int rowLabelWidth = 0;
    for (const std::string& label : layout.rowLabels) {
        rowLabelWidth = std::max(rowLabelWidth, labelWidth(label, kLabelScale));
    }
    const int columns = static_cast<int>(layout.columnLabels.size());
    const int rows = static_cast<int>(layout.rowLabels.size());
    Geometry g{};
    g.rowLabelWidth = rowLabelWidth;
    g.gridLeft = kMargin + rowLabelWidth + kGap;
    g.gridTop = kMargin + labelHeight(kTitleScale) + kGap + labelHeight(kLabelScale) + kGap;
    const int gridWidth = columns * layout.cellWidth + (columns - 1) * kGap;
    g.width =
        std::max(g.gridLeft + gridWidth, kMargin + labelWidth(layout.title, kTitleScale)) + kMargin;
    g.height = g.gridTop + rows * layout.cellHeight + (rows - 1) * kGap + kMargin;
    return g;
}

int cellLeft(const SheetLayout& layout, const Geometry& g, int column) {
    return g.gridLeft + column * (layout.cellWidth + kGap);
}

int cellTop(const SheetLayout& layout, const Geometry& g, int row) {
    return g.gridTop + row * (layout.cellHeight + kGap);
}

void drawLabels(render::Image& sheet, const SheetLayout& layout, const Geometry& g) {
    drawLabel(sheet, kMargin, kMargin, layout.title, kTitleScale, kInk);
    const int columnLabelTop = g.gridTop - kGap - labelHeight(kLabelScale);
    for (std::size_t c = 0; c < layout.columnLabels.size(); ++c) {
        const std::string& label = layout.columnLabels[c];
        const int x = cellLeft(layout, g, static_cast<int>(c)) +
                      (layout.cellWidth - labelWidth(label, kLabelScale)) / 2;
        drawLabel(sheet, x, columnLabelTop, label, kLabelScale, kDimInk);
    }
    for (std::size_t r = 0; r < layout.rowLabels.size(); ++r) {
        const std::string& label = layout.rowLabels[r];
        const int x = kMargin + g.rowLabelWidth - labelWidth(label, kLabelScale);
        const int y = cellTop(layout, g, static_cast<int>(r)) +
                      (layout.cellHeight - labelHeight(kLabelScale)) / 2;
        drawLabel(sheet, x, y, label, kLabelScale, kDimInk);
    }
}

}  // namespace

base::Result<render::Image> contactSheet(const SheetLayout& layout, const CellPainter& paint) {
    using Outcome = base::Result<render::Image>;
    if (layout.columnLabels.empty() || layout.rowLabels.empty()) {
        return Outcome::failure("a contact sheet needs at least one row and one column");
    }
    const Geometry g = measure(layout);
    render::Image sheet{g.width, g.height,
                        std::vector<unsigned char>(3 * static_cast<std::size_t>(g.width) *
                                                   static_cast<std::size_t>(g.height))};
    fillImage(sheet, kPaper);
    drawLabels(sheet, layout, g);
    for (int row = 0; row < static_cast<int>(layout.rowLabels.size()); ++row) {
        for (int column = 0; column < static_cast<int>(layout.columnLabels.size()); ++column) {
            Outcome cell = paint(column, row);
            if (!cell) return cell;
            blit(sheet, cell.value(), cellLeft(layout, g, column), cellTop(layout, g, row));
        }
    }
    return Outcome::success(std::move(sheet));
}

}  // namespace preview
