#include "tools/preview/temporary_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/preview/removal_on_signal.h"
#include "tools/preview/temporary_file.h"

namespace preview {
namespace {

using base::Status;

constexpr mode_t kNewFolderMode = 0777;  // under the umask, as any new folder

Status writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return Status::failure(systemReason());
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(fd) == 0 ? base::succeeded() : Status::failure(systemReason());
}

Status syncFolder(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Status::failure(systemReason());
    const bool synced = ::fsync(fd) == 0;
    const Status result = synced ? base::succeeded() : Status::failure(systemReason());
    ::close(fd);
    return result;
}

// Renames `from` onto `to` only while nothing is at `to`: atomically where the file system
// can, otherwise after a look.
int renameIfFree(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from.c_str(), to.c_str());
}

}  // namespace

base::Result<std::unique_ptr<TemporaryFolder>> TemporaryFolder::beside(
    const std::string& destination) {
    using Outcome = base::Result<std::unique_ptr<TemporaryFolder>>;
    const SignalsHeld held;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string path = candidateBeside(destination);
        if (::mkdir(path.c_str(), kNewFolderMode) == 0) {
            const int ticket = removeOnSignal(path);
            return Outcome::success(std::unique_ptr<TemporaryFolder>(
                new TemporaryFolder({std::move(path), ticket}, destination)));
        }
        if (errno != EEXIST) return Outcome::failure(systemReason());
    }
    return Outcome::failure("no free name for a temporary folder beside it");
}

TemporaryFolder::~TemporaryFolder() {
    if (!placed_) removeAll();
}

void TemporaryFolder::removeAll() {
    const SignalsHeld held;
    for (const Entry& file : files_) {
        ::unlink(file.path.c_str());
        forgetRemoval(file.ticket);
    }
    ::rmdir(folder_.path.c_str());
    forgetRemoval(folder_.ticket);
}

Status TemporaryFolder::add(const std::string& name, std::string_view contents) {
    const std::string path = folder_.path + "/" + name;
    int fd = -1;
    {
        const SignalsHeld held;
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    kNewFileMode);
        if (fd < 0) return Status::failure(name + ": " + systemReason());
        files_.push_back({path, removeOnSignal(path)});
    }
    const Status written = writeAll(fd, contents);
    const bool closed = ::close(fd) == 0;
    if (!written) return Status::failure(name + ": " + written.error());
    return closed ? base::succeeded() : Status::failure(name + ": " + systemReason());
}

Status TemporaryFolder::moveIntoPlace() {
    if (Status synced = syncFolder(folder_.path); !synced) return synced;
    const SignalsHeld held;
    if (renameIfFree(folder_.path, destination_) != 0) {
        if (errno == EEXIST) {
            return Status::failure("something is there already; a look is saved into a new folder");
        }
        return Status::failure(systemReason());
    }
    for (const Entry& file : files_) forgetRemoval(file.ticket);
    forgetRemoval(folder_.ticket);
    placed_ = true;
    return base::succeeded();
}

}  // namespace preview
