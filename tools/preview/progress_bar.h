// A progress bar for long renders, drawn on a terminal only: it appears once the work
// has run for a while and is wiped when the work is done, so that nothing of it stays in
// a log or a pipe.
#ifndef PELORIX3_TOOLS_PREVIEW_PROGRESS_BAR_H
#define PELORIX3_TOOLS_PREVIEW_PROGRESS_BAR_H

#include <chrono>
#include <cstdio>
#include <mutex>

namespace preview {

class ProgressBar {
public:
    using Clock = std::chrono::steady_clock;

    // Draws on `stream` when `terminal` is true and the work has taken longer than `delay`.
    ProgressBar(long total, std::FILE* stream, bool terminal,
                Clock::duration delay = std::chrono::seconds(1));
    // Stderr, when it is a terminal.
    static ProgressBar forStderr(long total);

    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;
    ~ProgressBar();

    // One more unit done; safe to call from several threads.
    void advance();
    // Wipes the bar if it was drawn.
    void finish();

private:
    void draw(int percent);

    std::mutex mutex_;
    long total_;
    long done_ = 0;
    std::FILE* stream_;
    bool terminal_;
    Clock::time_point showFrom_;
    int shownPercent_ = -1;
};

}  // namespace preview

#endif
