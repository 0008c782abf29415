// The preview rendered in bands by worker processes: the parent's side, which renders the
// first band and takes the workers' rows between its own, and a worker's, which sends each
// row of its band as it is finished, holding no more than that row.
#ifndef PELORIX3_TOOLS_PREVIEW_BANDED_RENDER_H
#define PELORIX3_TOOLS_PREVIEW_BANDED_RENDER_H

#include "base/result.h"
#include "tools/preview/band_workers.h"
#include "tools/preview/preview_session.h"
#include "tools/preview/progress_bar.h"

namespace preview {

// The whole picture: this process's band and every worker's; a failure, as soon as it is
// seen, when a worker failed, died or fell silent, which stops this process's band and
// every worker. Each process renders in one thread.
base::Result<Image> renderWithWorkers(PreviewSession& session, const RenderSettings& settings,
                                      BandWorkers& workers, ProgressBar& progress);

// A worker's band, in one thread, each row sent as soon as it is finished; it stops when
// a row cannot be sent (the parent has gone).
base::Status renderAndSend(PreviewSession& session, const RenderSettings& settings,
                           const render::RowBand& band, RowSender& sender);

}  // namespace preview

#endif
