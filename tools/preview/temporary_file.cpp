#include "tools/preview/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include "tools/preview/removal_on_signal.h"

namespace preview {
namespace {

using base::Status;
using FileResult = base::Result<std::unique_ptr<TemporaryFile>>;

constexpr std::size_t kRandomCharacters = 12;    // 62^12, about 71 bits
constexpr std::size_t kMaxKeptNameLength = 200;  // leaves room in a name of 255 bytes
constexpr mode_t kPrivateMode = 0600;            // until the replaced file's are given
constexpr mode_t kPermissionBits = 0777;

std::string randomText() {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string text;
    for (std::size_t i = 0; i < kRandomCharacters; ++i) text += kAlphabet[pick(source)];
    return text;
}

// Gives the new file the replaced file's owner, group and permissions, as far as the
// process may: one that may not give a file away keeps it, in the replaced file's group
// where it belongs to that group.
void takeOver(int fd, const struct stat& replaced) {
    if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid) != 0) {
        // Neither: the file stays in the writer's own group.
    }
    ::fchmod(fd, replaced.st_mode & kPermissionBits);
}

// Writes out what the stream holds and syncs it to the disk, then closes it; the reason
// when any of it fails.
Status flushSyncAndClose(std::FILE* stream) {
    std::string failure;
    if (std::fflush(stream) != 0 || std::ferror(stream)) {
        failure = "a write failed: " + systemReason();
    } else if (::fsync(::fileno(stream)) != 0) {
        failure = systemReason();
    }
    if (std::fclose(stream) != 0 && failure.empty()) failure = systemReason();
    return failure.empty() ? base::succeeded() : Status::failure(failure);
}

// A file that did not exist before, under a fresh name each attempt; never through a
// symbolic link, never an existing file.
struct Created {
    std::string path;
    int fd;
};

base::Result<Created> createExclusive(const std::string& destination, mode_t mode) {
    using CreatedResult = base::Result<Created>;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string path = candidateBeside(destination);
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) return CreatedResult::success({std::move(path), fd});
        if (errno != EEXIST) return CreatedResult::failure(systemReason());
    }
    return CreatedResult::failure("no free name for a temporary file beside it");
}

}  // namespace

std::string systemReason() { return std::strerror(errno); }

std::string candidateBeside(const std::string& destination) {
    const std::filesystem::path path = destination;
    const std::string name = path.filename().string().substr(0, kMaxKeptNameLength);
    return (path.parent_path() / ("." + name + "." + randomText() + ".partial")).string();
}

FileResult TemporaryFile::beside(const std::string& destination) {
    struct stat replaced {};
    const bool replacing = ::stat(destination.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    const SignalsHeld held;
    base::Result<Created> created =
        createExclusive(destination, replacing ? kPrivateMode : kNewFileMode);
    if (!created) return FileResult::failure(created.error());
    if (replacing) takeOver(created->fd, replaced);
    std::FILE* stream = ::fdopen(created->fd, "wb");
    if (!stream) {
        const std::string reason = systemReason();
        ::close(created->fd);
        ::unlink(created->path.c_str());
        return FileResult::failure(reason);
    }
    const int ticket = removeOnSignal(created->path);
    return FileResult::success(std::unique_ptr<TemporaryFile>(
        new TemporaryFile(std::move(created->path), destination, stream, ticket)));
}

TemporaryFile::~TemporaryFile() {
    if (stream_) std::fclose(stream_);
    if (path_.empty()) return;
    const SignalsHeld held;
    ::unlink(path_.c_str());
    forgetRemoval(ticket_);
}

Status TemporaryFile::moveIntoPlace() {
    if (Status closed = flushSyncAndClose(std::exchange(stream_, nullptr)); !closed) {
        return closed;
    }
    const SignalsHeld held;
    if (std::rename(path_.c_str(), destination_.c_str()) != 0) {
        return Status::failure(systemReason());
    }
    forgetRemoval(ticket_);
    path_.clear();
    return base::succeeded();
}

}  // namespace preview
