#include "tools/preview/removal_on_signal.h"

#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace preview {
namespace {

constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
// A look folder and its files (its two text files and a map for each of five inputs),
// with room beside them.
constexpr std::size_t kTickets = 16;
constexpr std::size_t kPathBytes = 4096;

// A slot is claimed, then its path written, then it is marked registered; the handler
// reads only lock-free atomics and the paths of registered slots.
enum SlotState : int { kFree, kClaimed, kRegistered };
struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathBytes];
};
static_assert(std::atomic<int>::is_always_lock_free);

std::array<Slot, kTickets> slots;
std::array<struct sigaction, kSignals.size()> previousActions;

std::size_t signalIndex(int signal) {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (kSignals[i] == signal) return i;
    }
    return 0;
}

extern "C" void removeAndHandOn(int signal) {
    for (Slot& slot : slots) {
        if (slot.state.load() == kRegistered) ::unlink(slot.path);
    }
    // Folders once their files are gone; unlink left them, and rmdir leaves files alone.
    for (Slot& slot : slots) {
        if (slot.state.load() == kRegistered) ::rmdir(slot.path);
    }
    ::sigaction(signal, &previousActions[signalIndex(signal)], nullptr);
    ::raise(signal);  // delivered as before once this handler returns
}

sigset_t cleanupSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals) sigaddset(&set, signal);
    return set;
}

// Installs the handler for each signal the process does not ignore.
void installHandlers() {
    struct sigaction action {};
    action.sa_handler = removeAndHandOn;
    action.sa_mask = cleanupSignals();
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (::sigaction(kSignals[i], nullptr, &previousActions[i]) != 0) continue;
        if (previousActions[i].sa_handler == SIG_IGN) continue;
        ::sigaction(kSignals[i], &action, nullptr);
    }
}

}  // namespace

SignalsHeld::SignalsHeld() {
    const sigset_t held = cleanupSignals();
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

SignalsHeld::~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

int removeOnSignal(const std::string& path) {
    if (path.size() >= kPathBytes) return -1;
    [[maybe_unused]] static const bool installed = (installHandlers(), true);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kClaimed)) continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(kRegistered);
        return static_cast<int>(i);
    }
    return -1;
}

void forgetRemoval(int ticket) {
    if (ticket >= 0 && static_cast<std::size_t>(ticket) < slots.size()) {
        slots[static_cast<std::size_t>(ticket)].state.store(kFree);
    }
}

}  // namespace preview
