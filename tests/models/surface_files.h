// Surface chunks for the tests, built on the object-file encoder the other suites use: the
// sub-chunks (two-byte lengths) of SURF chunks of both generations, shader blocks, the lists
// of names and the polygon tags.
#ifndef PELORIX3_TESTS_MODELS_SURFACE_FILES_H
#define PELORIX3_TESTS_MODELS_SURFACE_FILES_H

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "models/lwo_writer.h"
#include "models/stored_block.h"

namespace surface_files {

using namespace models::lwo_writer;

inline std::string lwo2Surface(std::string_view name, const std::string& subs,
                               std::string_view source = "") {
    return chunk("SURF", s0(name) + s0(source) + subs);
}

inline std::string lwobSurface(std::string_view name, const std::string& subs) {
    return chunk("SURF", s0(name) + subs);
}

// An LWO2 block: its header (kind, ordinal, the header's own sub-chunks), then the rest.
inline std::string block(std::string_view kind, std::string_view ordinal,
                         const std::string& headerSubs, const std::string& subs) {
    return subChunk("BLOK", subChunk(kind, s0(ordinal) + headerSubs) + subs);
}

inline std::string shaderBlock(std::string_view ordinal, std::string_view server,
                               const std::string& data, bool enabled = true) {
    return block("SHDR", ordinal, subChunk("ENAB", u2(enabled ? 1 : 0)),
                 subChunk("FUNC", s0(server) + data));
}

inline std::string lwo2Fraction(std::string_view tag, float value) {
    return subChunk(tag, f4(value) + vx(0));
}

inline std::string names(std::string_view tag, const std::vector<std::string>& list) {
    std::string data;
    for (const std::string& name : list) data += s0(name);
    return chunk(tag, data);
}

// PTAG SURF: (polygon, tag) pairs.
inline std::string surfaceTags(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs) {
    std::string data = "SURF";
    for (const auto& [polygon, tag] : pairs) data += vx(polygon) + u2(tag);
    return chunk("PTAG", data);
}

// Twenty-eight distinct bytes from `first` on.
inline models::StoredBlock storedBlock(unsigned char first) {
    models::StoredBlock block;
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(first + i);
    return block;
}

inline std::string bytesOf(const models::StoredBlock& block) {
    return std::string(block.begin(), block.end());
}

}  // namespace surface_files

#endif
