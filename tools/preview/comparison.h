// Looks side by side: the subject rendered once per look compared, at the picture's size,
// in one row under the name of each.
#ifndef PELORIX3_TOOLS_PREVIEW_COMPARISON_H
#define PELORIX3_TOOLS_PREVIEW_COMPARISON_H

#include <vector>

#include "host/result.h"
#include "tools/preview/compared_looks.h"
#include "tools/preview/preview_session.h"

namespace preview {

// Each look's parameters and surface inputs in turn, rendered with `render`'s size,
// samples and threads; the instance and the scene are as they were afterwards.
standin::Result<Image> comparisonPicture(PreviewSession& session, const RenderSettings& render,
                                         const std::vector<ComparedLook>& looks);

}  // namespace preview

#endif
