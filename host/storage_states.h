// The host's side of stored instance data: a SaveState that records what the module
// writes, and a LoadState that hands stored data back the way the renderer does, with
// switches that make it misbehave like a damaged host.
#ifndef PELORIX3_HOST_STORAGE_STATES_H
#define PELORIX3_HOST_STORAGE_STATES_H

#include <memory>
#include <string>
#include <vector>

#include "framework/host_interface.h"

namespace standin {

// Records writes. Text mode keeps one item per write call, exactly the bytes written
// (with the trailing zero when the module wrote one); binary mode one flat byte string.
// Writes with a null buffer or a negative length are ignored.
class MemorySaveState {
public:
    explicit MemorySaveState(HostStorageMode mode);
    MemorySaveState(MemorySaveState&&) noexcept;
    MemorySaveState& operator=(MemorySaveState&&) noexcept;
    ~MemorySaveState();

    const SaveState& state() const { return state_; }
    bool isText() const { return state_.ioMode != HOST_IO_BINARY; }

    const std::vector<std::string>& items() const;  // text mode
    const std::string& bytes() const;               // binary mode

private:
    struct Store;
    std::unique_ptr<Store> store_;  // on the heap, so the state stays valid when moved
    SaveState state_;
};

// Hands back stored data. Text mode gives one item per read call: the item's text up to
// its first zero byte, at most maxLength bytes, zero-terminated when there is room, and
// returns the number of text bytes. Binary mode gives up to maxLength bytes, fewer at
// the end. Both return -1 once nothing is left.
class MemoryLoadState {
public:
    static MemoryLoadState text(std::vector<std::string> items);
    static MemoryLoadState binary(std::string bytes);
    // The data a save state recorded, in its mode.
    static MemoryLoadState from(const MemorySaveState& saved);

    MemoryLoadState(MemoryLoadState&&) noexcept;
    MemoryLoadState& operator=(MemoryLoadState&&) noexcept;
    ~MemoryLoadState();

    const LoadState& state() const { return state_; }

    // Damaged host: no read delivers more than `limit` bytes, whatever the module asks.
    void limitBytesPerRead(int limit);
    // Damaged host: text reads fill the whole buffer with the item padded by '#' and no
    // terminator, returning maxLength.
    void fillTextWithoutTerminator(bool on);

    int readCalls() const;

private:
    struct Source;
    MemoryLoadState(HostStorageMode mode, std::unique_ptr<Source> source);

    std::unique_ptr<Source> source_;
    LoadState state_;
};

}  // namespace standin

#endif
