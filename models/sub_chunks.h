// The sub-chunks inside a surface chunk and inside its blocks: a tag, a two-byte length, the
// data and a pad byte when the length is odd. Each is checked against what is left of the
// span that holds it before it is handed out.
#ifndef PELORIX3_MODELS_SUB_CHUNKS_H
#define PELORIX3_MODELS_SUB_CHUNKS_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "models/lwo_bytes.h"
#include "models/lwo_form.h"

namespace models {

struct SubChunk {
    std::string_view tag;
    std::size_t offset = 0;  // of its tag, in the file
    LwoBytes data;
    // In the file, after its data and its pad byte; without the pad byte when the span
    // ends before it.
    std::size_t end = 0;
};

class SubChunks {
public:
    // The sub-chunks filling `span` of `chunk`; `holder` names the span in messages ("the
    // surface", "the block"), `name` the file.
    SubChunks(const LwoChunk& chunk, LwoBytes span, std::string_view holder,
              const std::string& name)
        : chunk_(chunk), span_(span), holder_(holder), name_(name) {}

    // The next sub-chunk, or nothing at the end of the span; fails, naming the chunk and the
    // sub-chunk's offset, when its header or its data run past the span.
    base::Result<std::optional<SubChunk>> next();

private:
    const LwoChunk& chunk_;
    LwoBytes span_;
    std::string_view holder_;
    const std::string& name_;
};

// The damage of a sub-chunk, as the message of the chunk that holds it: "its COLR sub-chunk
// at byte 30 " followed by `what`.
base::Status subChunkDamage(const std::string& name, const LwoChunk& chunk, const SubChunk& sub,
                            const std::string& what);

}  // namespace models

#endif
