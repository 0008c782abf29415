// The files the preview and the studio read, each read once and whole into memory: a
// file, a pipe, a device, or standard input for the name "-". Memory stays bounded by a
// limit for each kind of file, and a file that should be text but is not is refused from
// its first bytes, so that neither /dev/zero nor a runaway stream is read to the end.
#ifndef PELORIX3_LOOKS_INPUT_FILE_H
#define PELORIX3_LOOKS_INPUT_FILE_H

#include <cstddef>
#include <string>

#include "host/result.h"

namespace preview {

// What a kind of input may be.
struct InputKind {
    const char* what;      // in messages: "an OBJ model", "a parameter file"
    std::size_t maxBytes;  // larger is refused
    bool text;             // refused when it holds a NUL byte or starts with control bytes
    // A file that begins with these bytes is taken as binary, not held to being text.
    const char* binaryStart = nullptr;
};

// Parameter blocks are 28 bytes or seven short lines, looks a few lines.
inline constexpr InputKind kParameterInput{"a parameter file", std::size_t{64} << 10, false};
inline constexpr InputKind kParameterTextInput{"a parameter file", std::size_t{64} << 10, true};
inline constexpr InputKind kLookInput{"a look file", std::size_t{64} << 10, true};
// 2 GiB: about 55 million triangles of OBJ text, far beyond any model a preview is made
// of, yet a bound on what a stream that never ends can take. OBJ models are text; object
// files (LWO2, LWOB) are binary and begin as every IFF file does.
inline constexpr InputKind kModelInput{"an OBJ model", std::size_t{2} << 30, true, "FORM"};

// The name "-" means standard input.
inline constexpr const char* kStandardStream = "-";

// How a file is named in messages: its name, or "standard input" for "-".
std::string inputName(const std::string& path);

// The bytes of `path`; a failure naming the file when it cannot be read, is a directory,
// is larger than the kind allows, or is not text where the kind is.
standin::Result<std::string> readInputFile(const std::string& path, const InputKind& kind);

}  // namespace preview

#endif
