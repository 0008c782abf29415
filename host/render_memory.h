// Named memory blocks the host keeps for modules ("Global Memory" and "Global Render
// Memory"): a module creates a block under a name and any module finds it again by that
// name. The host owns the blocks and frees them only on reset.
#ifndef PELORIX3_HOST_RENDER_MEMORY_H
#define PELORIX3_HOST_RENDER_MEMORY_H

#include <atomic>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include "framework/host_interface.h"

namespace standin {

// Thread-safe store of named blocks. A chunk is the address of a block's memory.
class MemoryBlocks {
public:
    // The first block created under `name`, or null.
    MemoryChunk find(const char* name) const;

    // A new zero-filled block of `size` bytes, or null for a null name, a negative size,
    // or while creation is made to fail. Names need not be unique; a zero-sized block
    // still has its own non-null address.
    MemoryChunk create(const char* name, int size);

    MemoryChunk first() const;
    MemoryChunk next(MemoryChunk chunk) const;  // null after the last or for unknown chunks
    const char* id(MemoryChunk chunk) const;    // null for unknown chunks
    int size(MemoryChunk chunk) const;          // 0 for unknown chunks
    std::size_t count() const;

    // Simulates a host out of memory: every create returns null while set.
    void setCreateFails(bool fails) { createFails_.store(fails); }

    // Frees every block and lets creation succeed again.
    void reset();

private:
    struct Block {
        std::string name;
        int size;
        std::unique_ptr<std::byte[]> memory;
    };

    const Block* blockOf(MemoryChunk chunk) const;  // caller holds the mutex

    mutable std::mutex mutex_;
    std::list<Block> blocks_;  // in creation order; names and memory never move
    std::atomic<bool> createFails_{false};
};

// The tables served under "Global Memory" and "Global Render Memory".
GlobalMemory* globalMemoryTable();
GlobalMemory* renderMemoryTable();

}  // namespace standin

#endif
