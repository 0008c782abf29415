// The turntable: views evenly around the subject, each rendered from the one scene with
// the camera turned a step further about the vertical axis through the subject, written
// while the next one renders, then one strip of all of them.
#ifndef PELORIX3_TOOLS_PREVIEW_TURNTABLE_H
#define PELORIX3_TOOLS_PREVIEW_TURNTABLE_H

#include <functional>

#include "base/result.h"
#include "tools/preview/name_pattern.h"
#include "tools/preview/preview_session.h"

namespace preview {

// Takes each view as soon as it is rendered: its number from 0, the camera's orbit and
// the picture; a failure stops the series.
using ViewTaker =
    std::function<base::Status(int view, const render::CameraOrbit& orbit, const Image& picture)>;

// Renders `views` views of `render`'s size, samples and threads, the first at the scene's
// orbit and each turned 360 / `views` degrees further, from the one scene, and hands each
// to `take`; the first failure stops the series. The scene's orbit is as it was afterwards.
base::Status renderTurntable(PreviewSession& session, const RenderSettings& render, int views,
                             ProgressBar* progress, const ViewTaker& take);

// Renders `views` views of `render`'s size, samples and threads, the first at the
// scene's orbit, and writes view k under pattern.name(k), then the strip under
// pattern.nameWith("strip"). The first failure stops the series; the views written
// before it stay. The scene's orbit is as it was afterwards.
base::Status writeTurntable(PreviewSession& session, const RenderSettings& render, int views,
                            const NamePattern& pattern);

}  // namespace preview

#endif
