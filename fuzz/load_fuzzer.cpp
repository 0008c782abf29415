// Loads a stored parameter block from arbitrary bytes through the module's load entry, in
// both storage modes, from a host that may deliver short reads, leave text unterminated and
// answer -1 at the end of the data. Whatever was loaded must then survive a save and a
// load of its own saved form unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/host_interface.h"
#include "fuzz/fuzz_values.h"
#include "host/host_globals.h"
#include "host/storage_states.h"
#include "shader/sheen_shader.h"

namespace {

// A host read function over the input's remaining bytes. Text mode hands out one item per
// call, items being separated by zero bytes as the module writes them.
struct HostileSource {
    std::vector<char> bytes;
    std::size_t offset = 0;
    int limit = 0;              // most bytes one read delivers; 0 = no limit
    bool unterminated = false;  // text reads fill the whole buffer, no terminator
    bool text = false;

    int readBinary(char* buffer, int maxLength) {
        if (offset == bytes.size()) return -1;
        std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(maxLength), bytes.size() - offset);
        if (limit > 0) n = std::min<std::size_t>(n, static_cast<std::size_t>(limit));
        std::memcpy(buffer, bytes.data() + offset, n);
        offset += n;
        return static_cast<int>(n);
    }

    int readText(char* buffer, int maxLength) {
        if (offset == bytes.size()) return -1;
        const auto end =
            std::find(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.end(), '\0');
        const std::size_t itemLength = static_cast<std::size_t>(end - bytes.begin()) - offset;
        std::size_t n = std::min<std::size_t>(itemLength, static_cast<std::size_t>(maxLength));
        if (limit > 0) n = std::min<std::size_t>(n, static_cast<std::size_t>(limit));
        std::memcpy(buffer, bytes.data() + offset, n);
        offset = std::min(bytes.size(), offset + itemLength + 1);
        if (unterminated) {
            // The worst a host can do within the contract: every byte it may write.
            std::memset(buffer + n, '#', static_cast<std::size_t>(maxLength) - n);
            return maxLength;
        }
        if (n < static_cast<std::size_t>(maxLength)) buffer[n] = '\0';
        return static_cast<int>(n);
    }

    static int read(void* context, char* buffer, int maxLength) {
        auto* source = static_cast<HostileSource*>(context);
        if (buffer == nullptr || maxLength <= 0) fuzz::fail("read without a buffer");
        return source->text ? source->readText(buffer, maxLength)
                            : source->readBinary(buffer, maxLength);
    }
};

struct Module {
    ShaderHandlerTable table{};
    HostInstance pristine = nullptr;  // defaults, never loaded into

    Module() {
        standin::Host::instance().reset();
        if (pelorix3::activateSheenShader(2, standin::globalFunc, &table, nullptr) != 0)
            fuzz::fail("activation");
        pristine = table.create(nullptr);
        if (pristine == nullptr) fuzz::fail("create");
    }

    HostInstance fresh() const {
        HostInstance instance = table.create(nullptr);
        if (instance == nullptr) fuzz::fail("create");
        return instance;
    }
};

Module& module() {
    static Module loaded;
    return loaded;
}

standin::MemorySaveState saved(const Module& m, HostInstance instance, HostStorageMode mode) {
    standin::MemorySaveState state(mode);
    m.table.save(instance, &state.state());
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Module& m = module();

    static constexpr int modes[] = {HOST_IO_BINARY, HOST_IO_ASCII, -7, 2};
    const int ioMode = input.PickValueInArray(modes);
    HostileSource source;
    source.text = ioMode != HOST_IO_BINARY;
    source.limit = input.ConsumeIntegralInRange(0, 8);
    source.unterminated = input.ConsumeBool();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    source.bytes.assign(rest.begin(), rest.end());
    const LoadState state{ioMode, &source, HostileSource::read};

    HostInstance loaded = m.fresh();
    m.table.load(loaded, &state);

    // What was loaded, saved and loaded again, saves the same: no value is lost or changed
    // by its own stored form.
    const HostStorageMode mode = source.text ? HOST_IO_ASCII : HOST_IO_BINARY;
    const standin::MemorySaveState first = saved(m, loaded, mode);
    HostInstance again = m.fresh();
    const standin::MemoryLoadState reread = standin::MemoryLoadState::from(first);
    m.table.load(again, &reread.state());
    const standin::MemorySaveState second = saved(m, again, mode);
    if (source.text) {
        fuzz::require(first.items().size() == 7, "seven text items");
        fuzz::require(first.items() == second.items(), "text block stable under reload");
    } else {
        fuzz::require(first.bytes().size() == 28, "twenty-eight binary bytes");
        fuzz::require(first.bytes() == second.bytes(), "binary block stable under reload");
    }

    m.table.destroy(again);
    m.table.destroy(loaded);
    return 0;
}
