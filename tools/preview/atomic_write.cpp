#include "tools/preview/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "looks/input_file.h"
#include "tools/preview/temporary_file.h"

namespace preview {
namespace {

// A loop of links ends after as many steps as the system allows.
constexpr int kMaxLinkSteps = 40;

Status cannotWrite(const std::string& path, const std::string& reason) {
    return Status::failure("cannot write " + outputName(path) + ": " + reason);
}

// Writes into a stream that stays open (standard output) and sees it flushed.
Status writeToOpenStream(std::FILE* stream, const std::string& path, const StreamWriter& write) {
    if (Status written = write(stream); !written) return written;
    if (std::fflush(stream) != 0 || std::ferror(stream)) {
        return cannotWrite(path, std::strerror(errno));
    }
    return base::succeeded();
}

Status writeDirectly(const std::string& path, const StreamWriter& write) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    std::FILE* stream = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!stream) {
        const Status failed = cannotWrite(path, std::strerror(errno));
        if (fd >= 0) ::close(fd);
        return failed;
    }
    Status written = writeToOpenStream(stream, path, write);
    const bool closed = std::fclose(stream) == 0;
    if (written && !closed) return cannotWrite(path, std::strerror(errno));
    return written;
}

Status replace(const std::string& path, const StreamWriter& write) {
    base::Result<std::unique_ptr<TemporaryFile>> temporary =
        TemporaryFile::beside(followLinks(path));
    if (!temporary) return cannotWrite(path, temporary.error());
    if (Status written = write(temporary.value()->stream()); !written) return written;
    if (Status placed = temporary.value()->moveIntoPlace(); !placed) {
        return cannotWrite(path, placed.error());
    }
    return base::succeeded();
}

}  // namespace

std::string outputName(const std::string& path) {
    return path == looks::kStandardStream ? "standard output" : path;
}

bool isWrittenDirectly(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    return !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

std::string followLinks(const std::string& path) {
    std::filesystem::path resolved = path;
    for (int step = 0; step < kMaxLinkSteps; ++step) {
        std::error_code error;
        if (!std::filesystem::is_symlink(resolved, error)) break;
        const std::filesystem::path target = std::filesystem::read_symlink(resolved, error);
        if (error) break;
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    return resolved.string();
}

Status writeAtomically(const std::string& path, const StreamWriter& write) {
    if (path == looks::kStandardStream) return writeToOpenStream(stdout, path, write);
    if (isWrittenDirectly(path)) return writeDirectly(path, write);
    return replace(path, write);
}

}  // namespace preview
