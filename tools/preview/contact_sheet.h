// A contact sheet: a grid of small pictures under a title, with a label over each column
// and beside each row.
#ifndef PELORIX3_TOOLS_PREVIEW_CONTACT_SHEET_H
#define PELORIX3_TOOLS_PREVIEW_CONTACT_SHEET_H

#include <functional>
#include <string>
#include <vector>

#include "base/result.h"
#include "render/panel_painter.h"

namespace preview {

struct SheetLayout {
    std::string title;
    std::vector<std::string> columnLabels;
    std::vector<std::string> rowLabels;
    int cellWidth = 160;
    int cellHeight = 120;
};

// Makes the picture of one cell, cellWidth × cellHeight.
using CellPainter = std::function<base::Result<render::Image>(int column, int row)>;

// Paints every cell, row by row; the first failure is returned.
base::Result<render::Image> contactSheet(const SheetLayout& layout, const CellPainter& paint);

}  // namespace preview

#endif
