#include "framework/ray_call_list.h"

#include <atomic>
#include <cstring>

#include "framework/host_services.h"
#include "framework/shared_word.h"

namespace pelorix3 {

namespace {

// The head alone in its cache line: every render thread writes its guard at every
// illumination call, and nothing else should have to travel between the cores with it.
struct alignas(64) CacheLineHead {
    RayCallList list;
};
constinit CacheLineHead localHead{};

}  // namespace

constinit RayCallList& localRayCallList = localHead.list;

namespace {

// How often an operation has found the guard taken and polled it again, in a cache line of
// its own, so that counting while waiting does not take the head's line from the holder.
struct alignas(64) CacheLineCounter {
    std::atomic<std::uint32_t> count;
};
constinit CacheLineCounter guardPolls{};

// Tells the processor that this is a spin-wait: it eases the pipeline and the sibling core.
inline void pauseWhileBusy() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_ia32_pause();
#endif
}

// Takes the guard with a compare-and-swap from 0 to 1 on the shared 32-bit field and
// releases it with an atomic decrement: peer modules see the same field and protocol, and
// two render threads can no longer both enter. While the guard is held it only reads the
// field, pausing, and tries the compare-and-swap once it reads 0, so that waiting threads
// do not keep taking the cache line from the holder.
class ListGuard {
public:
    explicit ListGuard(std::int32_t& busy) : busy_(busy) {
        for (;;) {
            while (busy_.load(std::memory_order_relaxed) != 0) {
                guardPolls.count.fetch_add(1, std::memory_order_relaxed);
                pauseWhileBusy();
            }
            std::int32_t expected = 0;
            if (busy_.compare_exchange_weak(expected, 1, std::memory_order_acquire)) return;
        }
    }
    ~ListGuard() { busy_.fetch_sub(1, std::memory_order_release); }
    ListGuard(const ListGuard&) = delete;
    ListGuard& operator=(const ListGuard&) = delete;

private:
    SharedWord busy_;
};

RayCallList* readBlock(MemoryChunk block) {
    RayCallList* list = nullptr;
    std::memcpy(&list, block, sizeof list);
    return list;
}

void writeBlock(MemoryChunk block, RayCallList* list) { std::memcpy(block, &list, sizeof list); }

// Whether this module's head was written into the shared block and not yet withdrawn.
constinit bool localListPublished = false;

void publishLocalList(MemoryChunk block) {
    writeBlock(block, &localRayCallList);
    localListPublished = true;
}

}  // namespace

void RayCallList::push(RayCallNode* node) {
    ListGuard guard(busy);
    ++count;
    if (last == nullptr) {
        first = node;
        last = node;
    } else {
        last->next = node;
        last = node;
    }
}

void RayCallList::pop(RayCallNode* node) {
    ListGuard guard(busy);
    if (first == nullptr) return;
    if (first == node) {
        first = node->next;
        --count;
        if (first == nullptr) last = nullptr;
        return;
    }
    for (RayCallNode* previous = first; previous->next; previous = previous->next) {
        if (previous->next != node) continue;
        previous->next = node->next;
        if (last == node) last = previous;
        --count;
        return;
    }
}

RayCallList* bindSharedRayCallList(RayCallList* current) {
    const GlobalMemory* memory = hostServices.renderMemory;
    if (memory == nullptr || memory->find == nullptr || memory->create == nullptr) return current;
    MemoryChunk block = memory->find(rayCallListBlockName);
    if (block == nullptr) {
        block = memory->create(rayCallListBlockName, static_cast<int>(sizeof(RayCallList*)));
        if (block == nullptr) return &localRayCallList;
        publishLocalList(block);
    } else if (RayCallList* held = readBlock(block); held == nullptr) {
        publishLocalList(block);
    } else if (held == &localRayCallList) {
        // The file loaded again at the same address after an unload without shutdown: the
        // head left in the block is this module's, to withdraw at its shutdown.
        localListPublished = true;
    }
    return readBlock(block);
}

std::uint32_t rayCallListGuardPolls() { return guardPolls.count.load(std::memory_order_relaxed); }

void withdrawLocalRayCallList() {
    // Nothing can be using this module's head while the module goes away, and a guard left
    // raised must not make the unload wait for ever: the head is cleared without the guard.
    // The nodes live in the frames of calls or belong to peer modules; none is freed here.
    localRayCallList = RayCallList{};
    if (!localListPublished) return;
    localListPublished = false;
    // The service pointers kept from the last create or new time may be stale by now; the
    // host keeps its global function valid for as long as it calls the module.
    const auto* memory = static_cast<const GlobalMemory*>(lookupGlobal(HOST_RENDER_MEMORY));
    if (memory == nullptr || memory->find == nullptr) return;
    MemoryChunk block = memory->find(rayCallListBlockName);
    if (block != nullptr && readBlock(block) == &localRayCallList) writeBlock(block, nullptr);
}

}  // namespace pelorix3
