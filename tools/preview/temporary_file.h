// The temporary file a write goes into before it is renamed over its destination. It is
// created exclusively under a name no one can guess, in the destination's folder, so that
// no link or file planted there beforehand is ever opened; it is removed when the write
// fails, is abandoned, or a signal ends the process.
#ifndef PELORIX3_TOOLS_PREVIEW_TEMPORARY_FILE_H
#define PELORIX3_TOOLS_PREVIEW_TEMPORARY_FILE_H

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <string>

#include "base/result.h"

namespace preview {

// A fresh name for a temporary file or folder beside `destination`, that no one can guess:
// ".NAME.RANDOM.partial" in the destination's folder, so that the rename into place stays
// within one file system.
std::string candidateBeside(const std::string& destination);

// How many fresh names a temporary file or folder tries before it gives up.
inline constexpr int kTemporaryNameAttempts = 100;
// The permissions of a new file, under the umask, as any new file.
inline constexpr mode_t kNewFileMode = 0666;

// The system's reason for the last call that failed (errno's text).
std::string systemReason();

class TemporaryFile {
public:
    // A new, empty file beside `destination`. It takes the permissions of the file it will
    // replace (and, where the process may, its owner and group), or, for a new file, the
    // usual ones under the umask. The reason, from the system, when it cannot be created.
    static base::Result<std::unique_ptr<TemporaryFile>> beside(const std::string& destination);

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Removes the file unless it was moved into place.
    ~TemporaryFile();

    std::FILE* stream() { return stream_; }

    // Writes out what the stream holds, syncs it to the disk and renames the file onto the
    // destination; the reason when any of it fails, and the file is removed then.
    base::Status moveIntoPlace();

private:
    TemporaryFile(std::string path, std::string destination, std::FILE* stream, int ticket)
        : path_(std::move(path)),
          destination_(std::move(destination)),
          stream_(stream),
          ticket_(ticket) {}

    std::string path_;
    std::string destination_;
    std::FILE* stream_;  // null once closed
    int ticket_;         // its registration for removal on a signal
};

}  // namespace preview

#endif
