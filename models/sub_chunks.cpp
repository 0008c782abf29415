#include "models/sub_chunks.h"

#include "base/message_text.h"

namespace models {
namespace {

using SubChunkResult = base::Result<std::optional<SubChunk>>;

constexpr std::size_t kHeaderBytes = 6;  // tag and length

std::string bytes(std::size_t count) { return base::counted(count, "byte", "bytes"); }

std::string subChunkAt(std::string_view tag, std::size_t offset) {
    return (tag.empty() ? std::string("a sub-chunk") : "its " + base::excerpt(tag) + " sub-chunk") +
           " at byte " + std::to_string(offset);
}

}  // namespace

SubChunkResult SubChunks::next() {
    if (span_.atEnd()) return SubChunkResult::success(std::nullopt);
    const std::size_t offset = span_.offset();
    if (span_.left() < kHeaderBytes) {
        const std::size_t left = span_.left();
        const std::string what = subChunkAt(span_.id4().value_or(""), offset) +
                                 " needs 6 bytes for its tag and length, but " +
                                 std::string(holder_) + " ends after " + bytes(left);
        return SubChunkResult::failure(chunkDamage(name_, chunk_, what).error());
    }
    const std::string_view tag = *span_.id4();
    const std::uint16_t length = *span_.u2();
    std::optional<LwoBytes> data = span_.span(length);
    if (!data) {
        const std::string what = subChunkAt(tag, offset) + " says it holds " + bytes(length) +
                                 ", but " + std::string(holder_) + " has only " +
                                 bytes(span_.left()) + " left";
        return SubChunkResult::failure(chunkDamage(name_, chunk_, what).error());
    }
    if (length % 2 == 1) span_.skip(1);
    return SubChunkResult::success(SubChunk{tag, offset, *data, span_.offset()});
}

base::Status subChunkDamage(const std::string& name, const LwoChunk& chunk, const SubChunk& sub,
                            const std::string& what) {
    return chunkDamage(name, chunk, subChunkAt(sub.tag, sub.offset) + " " + what);
}

}  // namespace models
