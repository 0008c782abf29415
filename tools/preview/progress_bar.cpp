#include "tools/preview/progress_bar.h"

#include <unistd.h>

#include <string>

namespace preview {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(long total, std::FILE* stream, bool terminal, Clock::duration delay)
    : total_(total > 0 ? total : 1),
      stream_(stream),
      terminal_(terminal),
      showFrom_(Clock::now() + delay) {}

ProgressBar ProgressBar::forStderr(long total) {
    return ProgressBar(total, stderr, isatty(fileno(stderr)) == 1);
}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::advance() {
    const std::lock_guard lock(mutex_);
    ++done_;
    if (!terminal_ || Clock::now() < showFrom_) return;
    const int percent = static_cast<int>(100 * done_ / total_);
    if (percent != shownPercent_) draw(percent);
}

void ProgressBar::finish() {
    const std::lock_guard lock(mutex_);
    if (shownPercent_ < 0) return;
    std::fprintf(stream_, "\r%*s\r", kBarWidth + 16, "");
    std::fflush(stream_);
    shownPercent_ = -1;
}

void ProgressBar::draw(int percent) {
    const int filled = percent * kBarWidth / 100;
    const std::string bar =
        std::string(static_cast<std::size_t>(filled), '#') +
        std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(stream_, "\rrendering [%s] %3d%%", bar.c_str(), percent);
    std::fflush(stream_);
    shownPercent_ = percent;
}

}  // namespace preview
