// How long a render worker may go without sending a row before it is taken for hung (a
// worker stopped, or stuck in a loop): ten times the slowest step of the render seen so far
// (a row, or the making of a scene), so that the limit grows with the work, and never less
// than a least limit, which runs under a sanitizer or valgrind may raise.
#ifndef PELORIX3_TOOLS_PREVIEW_SILENCE_LIMIT_H
#define PELORIX3_TOOLS_PREVIEW_SILENCE_LIMIT_H

#include <algorithm>
#include <chrono>

namespace preview {

class SilenceLimit {
public:
    using Duration = std::chrono::steady_clock::duration;

    static constexpr int kSlowestSteps = 10;
    static constexpr std::chrono::seconds kDefaultLeast{60};

    explicit SilenceLimit(Duration least = kDefaultLeast) : least_(least) {}

    void noteStep(Duration took) { slowest_ = std::max(slowest_, took); }
    Duration limit() const { return std::max(least_, kSlowestSteps * slowest_); }

private:
    Duration least_;
    Duration slowest_{0};
};

}  // namespace preview

#endif
