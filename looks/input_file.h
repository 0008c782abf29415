// The files the preview and the studio read, each read once and whole into memory: a
// file, a pipe, a device, or standard input for the name "-". Memory stays bounded by a
// limit for each kind of file, and a file that should be text but is not is refused from
// its first bytes, so that neither /dev/zero nor a runaway stream is read to the end.
#ifndef PELORIX3_LOOKS_INPUT_FILE_H
#define PELORIX3_LOOKS_INPUT_FILE_H

#include <cstddef>
#include <optional>
#include <string>

#include "base/result.h"

namespace looks {

// What a kind of input may be.
struct InputKind {
    const char* what;      // in messages: "an OBJ model", "a parameter file"
    std::size_t maxBytes;  // larger is refused
    bool text;             // refused when it holds a NUL byte or starts with control bytes
    // A file that begins with these bytes is taken as binary, not held to being text.
    const char* binaryStart = nullptr;
    // Whether a device may be read; when not, only a regular file or a pipe is, so that a
    // binary kind with a large limit never reads /dev/zero to its limit.
    bool devices = true;
    // Whether a pipe or a device may be read; when not, the file is opened without waiting
    // for a pipe's writer, which may never come, and only a regular file is read.
    bool streams = true;
};

// Parameter blocks are 28 bytes or seven short lines, looks a few lines.
inline constexpr InputKind kParameterInput{"a parameter file", std::size_t{64} << 10, false};
inline constexpr InputKind kParameterTextInput{"a parameter file", std::size_t{64} << 10, true};
// A look folder's own files are regular files: a pipe there is no look.
inline constexpr InputKind kLookInput{"a look file", std::size_t{64} << 10, true, nullptr, false,
                                      false};
inline constexpr InputKind kLookParameterInput{
    "a parameter file", std::size_t{64} << 10, true, nullptr, false, false};
// 2 GiB: about 55 million triangles of OBJ text, far beyond any model a preview is made
// of, yet a bound on what a stream that never ends can take. OBJ models are text; object
// files (LWO2, LWOB) are binary and begin as every IFF file does.
inline constexpr InputKind kModelInput{"an OBJ model", std::size_t{2} << 30, true, "FORM"};

// A map's picture: a PNG file, read whole and decoded once, as every worker and every
// look compared shares it; from a file or a pipe, as no device holds a picture.
inline constexpr InputKind kMapInput{"a PNG map", std::size_t{256} << 20, false, nullptr, false};

// The name "-" means standard input.
inline constexpr const char* kStandardStream = "-";

// How a file is named in messages: its name, or "standard input" for "-".
std::string inputName(const std::string& path);

// What kind of file `path` is when it is no regular file, for messages: "a directory",
// "a character device", "a link to a pipe", ...; "nothing" when there is nothing there.
std::string kindOfFile(const std::string& path);

// Why readInputFile() would refuse a file of `kind` that holds `bytes`: they are more than
// the kind may be, or not text where it must be; nothing when they would be read. For a
// writer that must never write what its reader refuses.
std::optional<std::string> whyUnreadable(const std::string& bytes, const InputKind& kind);

// The bytes of `path`; a failure naming the file when it cannot be read, is a directory
// (or a device, where the kind takes none), is larger than the kind allows, or is not
// text where the kind is.
base::Result<std::string> readInputFile(const std::string& path, const InputKind& kind);

}  // namespace looks

#endif
