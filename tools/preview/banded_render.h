// The preview rendered in bands by worker processes: the parent's side, which renders the
// first band while the workers' rows arrive, and a worker's, which sends each row of its
// band as it is finished.
#ifndef PELORIX3_TOOLS_PREVIEW_BANDED_RENDER_H
#define PELORIX3_TOOLS_PREVIEW_BANDED_RENDER_H

#include "host/result.h"
#include "tools/preview/band_workers.h"
#include "tools/preview/preview_session.h"
#include "tools/preview/progress_bar.h"

namespace preview {

// The whole picture: this process's band and every worker's; a failure when a worker's
// band did not arrive whole. Each process renders in one thread.
standin::Result<Image> renderWithWorkers(PreviewSession& session, const RenderSettings& settings,
                                         BandWorkers& workers, ProgressBar& progress);

// A worker's band, in one thread, each row sent as soon as it is finished.
standin::Status renderAndSend(PreviewSession& session, const RenderSettings& settings,
                              const standin::RowBand& band, RowSender& sender);

}  // namespace preview

#endif
