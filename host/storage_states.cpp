#include "host/storage_states.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace standin {

// ---- Saving -------------------------------------------------------------------------

struct MemorySaveState::Store {
    bool text;
    std::vector<std::string> items;
    std::string bytes;

    static void write(void* context, const char* data, int length) noexcept {
        if (!context || !data || length < 0) {
            return;
        }
        try {
            auto& store = *static_cast<Store*>(context);
            const auto size = static_cast<std::size_t>(length);
            if (store.text) {
                store.items.emplace_back(data, size);
            } else {
                store.bytes.append(data, size);
            }
        } catch (...) {
            // Out of memory: the write is lost, as on a full disk.
        }
    }
};

MemorySaveState::MemorySaveState(HostStorageMode mode)
    : store_(std::make_unique<Store>(Store{mode != HOST_IO_BINARY, {}, {}})),
      state_{mode, store_.get(), Store::write} {}

MemorySaveState::MemorySaveState(MemorySaveState&&) noexcept = default;
MemorySaveState& MemorySaveState::operator=(MemorySaveState&&) noexcept = default;
MemorySaveState::~MemorySaveState() = default;

const std::vector<std::string>& MemorySaveState::items() const { return store_->items; }

const std::string& MemorySaveState::bytes() const { return store_->bytes; }

// ---- Loading ------------------------------------------------------------------------

struct MemoryLoadState::Source {
    bool text = false;
    std::vector<std::string> items;  // text mode
    std::string bytes;               // binary mode
    std::size_t next = 0;            // item index or byte offset
    int limit = INT_MAX;
    bool fillWithoutTerminator = false;
    int calls = 0;

    int readText(char* buffer, int maxLength) {
        if (next >= items.size()) {
            return -1;
        }
        const std::string& item = items[next++];
        const std::size_t textLength = std::min(item.find('\0'), item.size());
        const int room = std::min(maxLength, limit);
        if (fillWithoutTerminator) {
            std::memset(buffer, '#', static_cast<std::size_t>(room));
            std::memcpy(buffer, item.data(), std::min(textLength, static_cast<std::size_t>(room)));
            return room;
        }
        const std::size_t count = std::min(textLength, static_cast<std::size_t>(room));
        std::memcpy(buffer, item.data(), count);
        if (count < static_cast<std::size_t>(maxLength)) {
            buffer[count] = '\0';
        }
        return static_cast<int>(count);
    }

    int readBinary(char* buffer, int maxLength) {
        if (next >= bytes.size()) {
            return -1;
        }
        const std::size_t count =
            std::min(bytes.size() - next, static_cast<std::size_t>(std::min(maxLength, limit)));
        std::memcpy(buffer, bytes.data() + next, count);
        next += count;
        return static_cast<int>(count);
    }

    static int read(void* context, char* buffer, int maxLength) noexcept {
        if (!context) {
            return -1;
        }
        auto& source = *static_cast<Source*>(context);
        ++source.calls;
        if (!buffer || maxLength <= 0) {
            return source.exhausted() ? -1 : 0;
        }
        return source.text ? source.readText(buffer, maxLength)
                           : source.readBinary(buffer, maxLength);
    }

    bool exhausted() const { return next >= (text ? items.size() : bytes.size()); }
};

MemoryLoadState::MemoryLoadState(HostStorageMode mode, std::unique_ptr<Source> source)
    : source_(std::move(source)), state_{mode, source_.get(), Source::read} {
    source_->text = mode != HOST_IO_BINARY;
}

MemoryLoadState::MemoryLoadState(MemoryLoadState&&) noexcept = default;
MemoryLoadState& MemoryLoadState::operator=(MemoryLoadState&&) noexcept = default;
MemoryLoadState::~MemoryLoadState() = default;

MemoryLoadState MemoryLoadState::text(std::vector<std::string> items) {
    auto source = std::make_unique<Source>();
    source->items = std::move(items);
    return MemoryLoadState(HOST_IO_ASCII, std::move(source));
}

MemoryLoadState MemoryLoadState::binary(std::string bytes) {
    auto source = std::make_unique<Source>();
    source->bytes = std::move(bytes);
    return MemoryLoadState(HOST_IO_BINARY, std::move(source));
}

MemoryLoadState MemoryLoadState::from(const MemorySaveState& saved) {
    return saved.isText() ? text(saved.items()) : binary(saved.bytes());
}

void MemoryLoadState::limitBytesPerRead(int limit) { source_->limit = std::max(limit, 0); }

void MemoryLoadState::fillTextWithoutTerminator(bool on) { source_->fillWithoutTerminator = on; }

int MemoryLoadState::readCalls() const { return source_->calls; }

}  // namespace standin
