#include "host/render_memory.h"

#include <algorithm>

#include "host/host_globals.h"

namespace standin {

MemoryChunk MemoryBlocks::find(const char* name) const {
    if (!name) {
        return nullptr;
    }
    const std::lock_guard lock(mutex_);
    const auto found = std::find_if(blocks_.begin(), blocks_.end(),
                                    [name](const Block& block) { return block.name == name; });
    return found == blocks_.end() ? nullptr : found->memory.get();
}

MemoryChunk MemoryBlocks::create(const char* name, int size) {
    if (!name || size < 0 || createFails_.load()) {
        return nullptr;
    }
    auto memory = std::make_unique<std::byte[]>(std::max(size, 1));  // zero-filled
    const std::lock_guard lock(mutex_);
    blocks_.push_back(Block{name, size, std::move(memory)});
    return blocks_.back().memory.get();
}

MemoryChunk MemoryBlocks::first() const {
    const std::lock_guard lock(mutex_);
    return blocks_.empty() ? nullptr : blocks_.front().memory.get();
}

MemoryChunk MemoryBlocks::next(MemoryChunk chunk) const {
    const std::lock_guard lock(mutex_);
    for (auto block = blocks_.begin(); block != blocks_.end(); ++block) {
        if (block->memory.get() == chunk) {
            const auto following = std::next(block);
            return following == blocks_.end() ? nullptr : following->memory.get();
        }
    }
    return nullptr;
}

const char* MemoryBlocks::id(MemoryChunk chunk) const {
    const std::lock_guard lock(mutex_);
    const Block* block = blockOf(chunk);
    return block ? block->name.c_str() : nullptr;
}

int MemoryBlocks::size(MemoryChunk chunk) const {
    const std::lock_guard lock(mutex_);
    const Block* block = blockOf(chunk);
    return block ? block->size : 0;
}

std::size_t MemoryBlocks::count() const {
    const std::lock_guard lock(mutex_);
    return blocks_.size();
}

void MemoryBlocks::reset() {
    const std::lock_guard lock(mutex_);
    blocks_.clear();
    createFails_.store(false);
}

const MemoryBlocks::Block* MemoryBlocks::blockOf(MemoryChunk chunk) const {
    if (!chunk) {
        return nullptr;
    }
    for (const Block& block : blocks_) {
        if (block.memory.get() == chunk) {
            return &block;
        }
    }
    return nullptr;
}

namespace {

// The C functions of one memory service; `store` picks the host's block store.
template <MemoryBlocks& (*store)()>
struct MemoryService {
    static MemoryChunk first() noexcept {
        return guarded([] { return store().first(); });
    }
    static MemoryChunk next(MemoryChunk c) noexcept {
        return guarded([c] { return store().next(c); });
    }
    static const char* id(MemoryChunk c) noexcept {
        return guarded([c] { return store().id(c); });
    }
    static int size(MemoryChunk c) noexcept {
        return guarded([c] { return store().size(c); });
    }
    static MemoryChunk find(const char* name) noexcept {
        return guarded([name] { return store().find(name); });
    }
    static MemoryChunk create(const char* name, int size) noexcept {
        return guarded([name, size] { return store().create(name, size); });
    }

    // A failure inside the host (e.g. out of memory) reads as "no block" to the module.
    template <class F>
    static auto guarded(F f) noexcept -> decltype(f()) {
        try {
            return f();
        } catch (...) {
            return {};
        }
    }

    static GlobalMemory* table() {
        static GlobalMemory functions{first, next, id, size, find, create};
        return &functions;
    }
};

MemoryBlocks& globalStore() { return Host::instance().globalMemory(); }
MemoryBlocks& renderStore() { return Host::instance().renderMemory(); }

}  // namespace

GlobalMemory* globalMemoryTable() { return MemoryService<globalStore>::table(); }
GlobalMemory* renderMemoryTable() { return MemoryService<renderStore>::table(); }

}  // namespace standin
