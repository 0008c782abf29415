// Files appear whole or not at all: everything is written into a temporary file beside
// the destination, which is synced to the disk and renamed over it only once writing has
// succeeded (see temporary_file.h). A symbolic link is followed, so that the file it
// points at is replaced and the link stays; a device, pipe or socket is written directly,
// since it cannot be replaced by a file; "-" is standard output.
#ifndef PELORIX3_TOOLS_PREVIEW_ATOMIC_WRITE_H
#define PELORIX3_TOOLS_PREVIEW_ATOMIC_WRITE_H

#include <cstdio>
#include <functional>
#include <string>

#include "base/result.h"

namespace preview {

using base::Status;

// Writes a file's contents into `stream`; a failed write may be left for the stream's
// error flag to tell.
using StreamWriter = std::function<Status(std::FILE* stream)>;

// How an output is named in messages: its name, or "standard output" for "-".
std::string outputName(const std::string& path);

// Whether `path` is, after its links, a device, pipe or socket: written directly.
bool isWrittenDirectly(const std::string& path);

// The file a write to `path` replaces: its symbolic links followed one at a time, so that
// a dangling link still names the file that should appear.
std::string followLinks(const std::string& path);

// Calls `write` with the stream to write to; on success puts the file in place, on any
// failure (of `write`, or of a write it left to the stream) leaves the destination as it
// was and says why, naming the file.
Status writeAtomically(const std::string& path, const StreamWriter& write);

}  // namespace preview

#endif
