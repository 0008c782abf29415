#include "tools/preview/banded_render.h"

#include <algorithm>
#include <future>

namespace preview {
namespace {

RenderSettings inOneThread(RenderSettings settings) {
    settings.threads = 1;
    return settings;
}

void copyRows(const Image& from, const standin::RowBand& band, Image& into) {
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(from.width);
    for (int y = band.first; y < from.height; y += band.step) {
        const auto start = from.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        std::copy_n(start, rowBytes, into.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y));
    }
}

}  // namespace

standin::Result<Image> renderWithWorkers(PreviewSession& session, const RenderSettings& settings,
                                         BandWorkers& workers, ProgressBar& progress) {
    Image picture{settings.width, settings.height,
                  std::vector<unsigned char>(3 * static_cast<std::size_t>(settings.width) *
                                             static_cast<std::size_t>(settings.height))};
    auto advance = [&progress] { progress.advance(); };
    // The pipes are read while this process renders, so that no worker waits on a full one.
    std::future<standin::Status> gathered =
        std::async(std::launch::async, [&] { return workers.gather(picture, advance); });
    const Image own = session.renderBand(inOneThread(settings), workers.ownBand(),
                                         [&](int, const unsigned char*) { advance(); });
    const standin::Status received = gathered.get();
    if (!received) return standin::Result<Image>::failure(received.error());
    copyRows(own, workers.ownBand(), picture);
    return standin::Result<Image>::success(std::move(picture));
}

standin::Status renderAndSend(PreviewSession& session, const RenderSettings& settings,
                              const standin::RowBand& band, RowSender& sender) {
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(settings.width);
    bool delivered = true;
    session.renderBand(inOneThread(settings), band, [&](int y, const unsigned char* rgb) {
        delivered = delivered && sender.sendRow(y, rgb, rowBytes);
    });
    if (!delivered) return standin::Status::failure("could not send its rows");
    return standin::succeeded();
}

}  // namespace preview
