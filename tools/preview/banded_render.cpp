#include "tools/preview/banded_render.h"

#include <algorithm>
#include <string>

namespace preview {
namespace {

using Clock = BandWorkers::Clock;

RenderSettings inOneThread(RenderSettings settings) {
    settings.threads = 1;
    return settings;
}

std::size_t rowBytes(const Image& image) { return 3 * static_cast<std::size_t>(image.width); }

void putRow(Image& picture, int y, const unsigned char* rgb) {
    const std::size_t bytes = rowBytes(picture);
    std::copy_n(rgb, bytes, picture.rgb.begin() + static_cast<std::ptrdiff_t>(bytes * y));
}

}  // namespace

base::Result<Image> renderWithWorkers(PreviewSession& session, const RenderSettings& settings,
                                      BandWorkers& workers, ProgressBar& progress) {
    Image picture{settings.width, settings.height,
                  std::vector<unsigned char>(3 * static_cast<std::size_t>(settings.width) *
                                             static_cast<std::size_t>(settings.height))};
    workers.receiveInto(picture, [&progress] { progress.advance(); });
    // Between its own rows this process takes the workers' rows, so that none waits on a
    // full pipe, and sees at once when one has failed, died or fallen silent.
    base::Status watched = base::succeeded();
    int ownRows = 0;
    Clock::time_point rowStart = Clock::now();
    session.renderBand(inOneThread(settings), workers.ownBand(),
                       [&](int y, const unsigned char* rgb) {
                           putRow(picture, y, rgb);
                           progress.advance();
                           ++ownRows;
                           const Clock::time_point now = Clock::now();
                           workers.noteStep(now - rowStart);
                           rowStart = now;
                           watched = workers.collect(BandWorkers::Wait::No);
                           return watched.ok();
                       });
    while (watched && !workers.allDone()) watched = workers.collect(BandWorkers::Wait::ForNews);
    if (!watched) {
        const int done = ownRows + workers.rowsReceived();
        return base::Result<Image>::failure(watched.error() + " (the render stopped with " +
                                            std::to_string(done) + " of the " +
                                            std::to_string(settings.height) + " rows done)");
    }
    return base::Result<Image>::success(std::move(picture));
}

base::Status renderAndSend(PreviewSession& session, const RenderSettings& settings,
                           const render::RowBand& band, RowSender& sender) {
    const std::size_t bytes = 3 * static_cast<std::size_t>(settings.width);
    const bool delivered = session.renderBand(
        inOneThread(settings), band,
        [&](int y, const unsigned char* rgb) { return sender.sendRow(y, rgb, bytes); });
    if (!delivered) return base::Status::failure("could not send its rows");
    return base::succeeded();
}

}  // namespace preview
