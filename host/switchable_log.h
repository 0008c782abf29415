// A detailed log that tests switch on when they want to see every call of some kind;
// while off it costs one atomic load per call. Safe to fill from several threads.
#ifndef PELORIX3_HOST_SWITCHABLE_LOG_H
#define PELORIX3_HOST_SWITCHABLE_LOG_H

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace standin {

template <class Entry>
class SwitchableLog {
public:
    void enable(bool on) { enabled_.store(on, std::memory_order_relaxed); }
    bool enabled() const { return enabled_.load(std::memory_order_relaxed); }

    void add(Entry entry) {
        if (!enabled()) {
            return;
        }
        const std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }

    std::vector<Entry> entries() const {
        const std::lock_guard lock(mutex_);
        return entries_;
    }

    // Switches the log off and empties it.
    void reset() {
        enable(false);
        const std::lock_guard lock(mutex_);
        entries_.clear();
    }

private:
    std::atomic<bool> enabled_{false};
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace standin

#endif
