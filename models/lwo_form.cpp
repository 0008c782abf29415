#include "models/lwo_form.h"

#include <atomic>

#include "base/message_text.h"

namespace models {
namespace {

using FormResult = base::Result<LwoForm>;
using ChunkResult = base::Result<std::optional<LwoChunk>>;

constexpr std::string_view kFormTag = "FORM";
constexpr std::size_t kChunkHeader = 8;  // tag and length

std::atomic<std::size_t> formsOpened{0};

std::string bytes(std::size_t count) { return base::counted(count, "byte", "bytes"); }

FormResult refusedType(std::string_view type, const std::string& name) {
    if (type == "LWO3") {
        return FormResult::failure(name +
                                   " is an LWO3 object file, of a later renderer version than the "
                                   "preview reads: save it as LWO2 and open that file");
    }
    return FormResult::failure(name + " is an IFF file of form type " + base::quotedExcerpt(type) +
                               ", not an object file: the preview reads object files of form "
                               "type LWO2 or LWOB (save it as LWO2)");
}

}  // namespace

bool startsAsIffFile(std::string_view file) { return file.substr(0, 4) == kFormTag; }

std::string lwoDamage(const std::string& name, std::string_view tag, std::size_t offset,
                      const std::string& what) {
    const std::string chunk = tag.empty() ? "chunk" : base::excerpt(tag) + " chunk";
    return name + " is a damaged object file (" + chunk + " at byte " + std::to_string(offset) +
           "): " + what;
}

base::Status chunkDamage(const std::string& name, const LwoChunk& chunk, const std::string& what) {
    return base::Status::failure(lwoDamage(name, chunk.tag, chunk.offset, what));
}

std::size_t LwoForm::openings() { return formsOpened.load(std::memory_order_relaxed); }

FormResult LwoForm::open(std::string_view file, const std::string& name) {
    formsOpened.fetch_add(1, std::memory_order_relaxed);
    LwoBytes whole(file, 0);
    const std::optional<std::string_view> tag = whole.id4();
    if (tag != kFormTag) {
        return FormResult::failure(name + " is not an object file: it does not begin with " +
                                   std::string(kFormTag));
    }
    const std::optional<std::uint32_t> length = whole.u4();
    const std::optional<std::string_view> type = whole.id4();
    if (!length || !type) {
        return FormResult::failure(lwoDamage(
            name, kFormTag, 0,
            "the file ends after " + bytes(file.size()) + ", within the 12 bytes of its header"));
    }
    if (*length > file.size() - kChunkHeader) {
        return FormResult::failure(lwoDamage(name, kFormTag, 0,
                                             "it says it holds " + bytes(*length) +
                                                 " after its length, but the file has only " +
                                                 bytes(file.size() - kChunkHeader)));
    }
    if (*length < 4) {
        return FormResult::failure(
            lwoDamage(name, kFormTag, 0,
                      "it says it holds " + bytes(*length) + ", too few for its form type"));
    }
    LwoGeneration generation;
    if (*type == "LWO2") {
        generation = LwoGeneration::Lwo2;
    } else if (*type == "LWOB") {
        generation = LwoGeneration::Lwob;
    } else {
        return refusedType(*type, name);
    }
    // Bytes after the end of the form belong to no chunk and are passed over.
    return FormResult::success(
        LwoForm(generation, LwoBytes(file.substr(12, *length - 4), 12), name));
}

ChunkResult LwoForm::next() {
    if (body_.atEnd()) return ChunkResult::success(std::nullopt);
    const std::size_t offset = body_.offset();
    if (body_.left() < kChunkHeader) {
        const std::size_t left = body_.left();
        return ChunkResult::failure(
            lwoDamage(name_, body_.id4().value_or(""), offset,
                      "its header needs 8 bytes, but the form ends after " + bytes(left)));
    }
    const std::string_view tag = *body_.id4();
    const std::uint32_t length = *body_.u4();
    std::optional<LwoBytes> data = body_.span(length);
    if (!data) {
        return ChunkResult::failure(lwoDamage(name_, tag, offset,
                                              "it says it holds " + bytes(length) +
                                                  ", but the form has only " + bytes(body_.left()) +
                                                  " left"));
    }
    // An odd length is followed by a pad byte, which the length does not count; a file that
    // ends without the last one is forgiven.
    if (length % 2 == 1) body_.skip(1);
    return ChunkResult::success(LwoChunk{tag, offset, *data});
}

}  // namespace models
