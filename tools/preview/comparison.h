// Looks side by side: the subject rendered once per look compared, at the picture's size,
// in one row under the name of each. The side-by-side picture is held whole until it is
// written, so its size is bounded, and checked before any work.
#ifndef PELORIX3_TOOLS_PREVIEW_COMPARISON_H
#define PELORIX3_TOOLS_PREVIEW_COMPARISON_H

#include <cstddef>
#include <vector>

#include "base/result.h"
#include "tools/preview/compared_looks.h"
#include "tools/preview/preview_session.h"

namespace preview {

// The most pixels the looks' pictures of a comparison may have together: two looks of
// 8192 x 8192 (the picture then takes 384 MiB, besides the look being rendered).
inline constexpr std::size_t kMostComparedPixels = std::size_t{1} << 27;

// A failure, for the command line, when the looks --compare names at --width x --height
// come to more than kMostComparedPixels.
base::Status checkComparisonSize(const PreviewOptions& options);

// Each look's parameters and surface inputs in turn, rendered with `render`'s size,
// samples and threads; the instance and the scene are as they were afterwards.
base::Result<Image> comparisonPicture(PreviewSession& session, const RenderSettings& render,
                                      const std::vector<ComparedLook>& looks);

}  // namespace preview

#endif
