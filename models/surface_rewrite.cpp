#include "models/surface_rewrite.h"

#include <algorithm>
#include <set>

#include "models/lwo_writer.h"
#include "models/sub_chunks.h"
#include "models/surface_chunk.h"

namespace models {
namespace {

using lwo_writer::s0;
using lwo_writer::subChunk;

using Bytes = base::Result<std::string>;

constexpr std::size_t kSubChunkHeader = 6;
constexpr char kOrdinalAfter = '\x80';

Bytes tooLong(std::string_view what) {
    return Bytes::failure(std::string(what) +
                          " would hold more than the 65535 bytes its length can say");
}

Bytes sized(std::string_view tag, std::string_view data, std::string_view what) {
    if (data.size() > lwo_writer::kLargestSubChunk) return tooLong(what);
    return Bytes::success(subChunk(tag, data));
}

// Bytes of the file, padded to an even length: only the very end of a chunk may lack its
// pad byte, and what is written after it needs it.
std::string copied(std::string_view file, std::size_t from, std::size_t to) {
    std::string bytes(file.substr(from, to - from));
    if (bytes.size() % 2 == 1) bytes += '\0';
    return bytes;
}

std::string copied(std::string_view file, const SubChunk& sub) {
    return copied(file, sub.offset, sub.end);
}

std::string storedBytes(const StoredBlock& block) {
    return std::string(block.begin(), block.end());
}

std::string functionData(const StoredBlock& block) {
    return s0(kModuleServer) + storedBytes(block);
}

// The module's entry for a surface that has none.
Bytes newModuleEntry(LwoGeneration generation, const SurfaceLook& look) {
    if (generation == LwoGeneration::Lwob) {
        return Bytes::success(subChunk("SHDR", s0(kModuleServer)) +
                              subChunk("SDAT", storedBytes(look.block)));
    }
    const std::string header =
        s0(look.lastOrdinal + kOrdinalAfter) + subChunk("ENAB", lwo_writer::u2(1));
    const Bytes headerChunk = sized("SHDR", header, "the new block's ordinal");
    if (!headerChunk) return headerChunk;
    return sized("BLOK", headerChunk.value() + subChunk("FUNC", functionData(look.block)),
                 "the new block's ordinal");
}

// The chunk's own entry that the reader runs the module with: the first switched on and
// named for it, in the order the blocks run.
const ShaderBlock* ownModuleEntry(const std::vector<ShaderBlock>& shaders) {
    std::vector<const ShaderBlock*> running;
    for (const ShaderBlock& shader : shaders) running.push_back(&shader);
    std::stable_sort(
        running.begin(), running.end(),
        [](const ShaderBlock* a, const ShaderBlock* b) { return a->ordinal < b->ordinal; });
    const auto found = std::find_if(running.begin(), running.end(), [](const ShaderBlock* shader) {
        return shader->entry.enabled && shader->entry.server == kModuleServer;
    });
    return found == running.end() ? nullptr : *found;
}

class SurfaceRewrite {
public:
    SurfaceRewrite(const LwoChunk& chunk, LwoGeneration generation, std::string_view file,
                   const std::string& name, const SurfaceLook& look)
        : chunk_(chunk), generation_(generation), file_(file), name_(name), look_(look) {}

    Bytes run();

private:
    Bytes subChunkBytes(const SubChunk& sub);
    Bytes valueBytes(const ValueField& field, const SubChunk& sub) const;
    Bytes blockBytes(const SubChunk& block) const;

    const LwoChunk& chunk_;
    LwoGeneration generation_;
    std::string_view file_;
    const std::string& name_;
    const SurfaceLook& look_;
    const ShaderBlock* target_ = nullptr;
    std::set<std::string_view> valuesWritten_;
};

Bytes SurfaceRewrite::run() {
    const base::Result<SurfaceChunk> surface = readSurfaceChunk(chunk_, generation_, file_, name_);
    if (!surface) return Bytes::failure(surface.error());
    target_ = ownModuleEntry(surface->shaders);
    LwoBytes data = chunk_.data;
    data.s0();
    if (generation_ == LwoGeneration::Lwo2) data.s0();
    std::string out = copied(file_, chunk_.data.offset(), data.offset());  // name and source
    SubChunks subs(chunk_, data, "the surface", name_);
    for (;;) {
        base::Result<std::optional<SubChunk>> sub = subs.next();
        if (!sub) return Bytes::failure(sub.error());
        if (!sub.value()) break;
        const Bytes bytes = subChunkBytes(*sub.value());
        if (!bytes) return bytes;
        out += bytes.value();
    }
    for (const ValueField& field : look_.values) {
        if (field.added && valuesWritten_.count(field.tag) == 0)
            out += subChunk(field.tag, field.value + field.newTail);
    }
    if (!target_) {
        const Bytes entry = newModuleEntry(generation_, look_);
        if (!entry) return entry;
        out += entry.value();
    }
    return Bytes::success(std::move(out));
}

Bytes SurfaceRewrite::subChunkBytes(const SubChunk& sub) {
    for (const ValueField& field : look_.values) {
        if (sub.tag != field.tag) continue;
        valuesWritten_.insert(field.tag);
        return valueBytes(field, sub);
    }
    if (target_ && sub.offset == target_->offset) {
        if (generation_ == LwoGeneration::Lwo2) return blockBytes(sub);
        if (!target_->dataOffset)  // an SHDR without its SDAT gets one right after it
            return Bytes::success(copied(file_, sub) + subChunk("SDAT", storedBytes(look_.block)));
    }
    if (target_ && sub.offset == target_->dataOffset)
        return Bytes::success(subChunk("SDAT", storedBytes(look_.block)));
    return Bytes::success(copied(file_, sub));
}

// The value replaces the sub-chunk's first bytes; what follows them (an envelope) stays.
Bytes SurfaceRewrite::valueBytes(const ValueField& field, const SubChunk& sub) const {
    const std::string_view tail = file_.substr(sub.offset + kSubChunkHeader + field.value.size(),
                                               sub.data.left() - field.value.size());
    return Bytes::success(subChunk(sub.tag, field.value + std::string(tail)));
}

// The block with its FUNC's data replaced; its other sub-chunks as they are.
Bytes SurfaceRewrite::blockBytes(const SubChunk& block) const {
    SubChunks nested(chunk_, block.data, "the block", name_);
    std::string data;
    for (;;) {
        base::Result<std::optional<SubChunk>> sub = nested.next();
        if (!sub) return Bytes::failure(sub.error());
        if (!sub.value()) break;
        data += sub.value()->offset == target_->dataOffset
                    ? subChunk("FUNC", functionData(look_.block))
                    : copied(file_, *sub.value());
    }
    return sized("BLOK", data, "the shader's block");
}

}  // namespace

Bytes rewrittenSurfaceData(const LwoChunk& chunk, LwoGeneration generation, std::string_view file,
                           const std::string& name, const SurfaceLook& look) {
    return SurfaceRewrite(chunk, generation, file, name, look).run();
}

Bytes newSurfaceData(LwoGeneration generation, const std::string& surface,
                     const SurfaceLook& look) {
    std::string data = s0(surface);
    if (generation == LwoGeneration::Lwo2) data += s0("");  // no source
    for (const ValueField& field : look.values) {
        if (field.added) data += subChunk(field.tag, field.value + field.newTail);
    }
    const Bytes entry = newModuleEntry(generation, look);
    if (!entry) return entry;
    return Bytes::success(data + entry.value());
}

}  // namespace models
