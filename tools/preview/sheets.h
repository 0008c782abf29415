// The two contact sheets: density against roughness, and the two switches.
#ifndef PELORIX3_TOOLS_PREVIEW_SHEETS_H
#define PELORIX3_TOOLS_PREVIEW_SHEETS_H

#include "base/result.h"
#include "render/panel_painter.h"
#include "tools/preview/preview_session.h"

namespace preview {

// Cells of the sheets are this size, rendered with the samples and threads of `render`.
inline constexpr int kSheetCellWidth = 160;
inline constexpr int kSheetCellHeight = 120;

// Density 0 to 1 across, roughness from a tight to a broad lobe down; everything else as
// the session holds it.
base::Result<render::Image> densityRoughnessSheet(PreviewSession& session,
                                                  const RenderSettings& render);

// "Don't overlap shadows" off and on across, "density by luminosity" off and on down.
base::Result<render::Image> switchSheet(PreviewSession& session, const RenderSettings& render);

}  // namespace preview

#endif
