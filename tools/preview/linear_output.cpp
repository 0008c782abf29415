#include "tools/preview/linear_output.h"

#include <chrono>

#include "tools/preview/exr_file.h"
#include "tools/preview/png_file.h"

namespace preview {

bool wantsLinearPicture(const PreviewOptions& options) {
    return namesExr(options.output) || options.bitDepth == 16;
}

base::Status renderLinearPicture(PreviewSession& session, const PreviewOptions& options,
                                 double& seconds) {
    const auto start = std::chrono::steady_clock::now();
    ProgressBar progress = ProgressBar::forStderr(options.render.height);
    base::Result<render::LinearImage> rendered = session.renderLinear(options.render, &progress);
    progress.finish();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!rendered) return base::Status::failure(rendered.error());
    return namesExr(options.output) ? writeExr(rendered.value(), options.output)
                                    : writePng16(rendered.value(), options.output);
}

std::string linearPictureForm(const PreviewOptions& options) {
    return namesExr(options.output) ? "OpenEXR, linear half float" : "PNG, 16 bits";
}

}  // namespace preview
