#include "tools/preview/atomic_write.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace preview {
namespace {

// Links are followed one at a time, so that a dangling link still names the file that
// should appear; a loop ends after as many steps as the system allows.
constexpr int kMaxLinkSteps = 40;

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

// Whether `path` exists and is, after its links, neither a regular file nor a folder.
bool isSpecialFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return false;
    return !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

std::string temporaryBeside(const std::string& path) {
    return path + "." + std::to_string(getpid()) + ".partial";
}

// Whether a file can be created where the temporary goes, with the reason when not.
Status checkCreatable(const std::string& path, const std::string& temporary) {
    std::FILE* probe = std::fopen(temporary.c_str(), "wb");
    if (!probe) {
        return Status::failure("cannot write " + path + ": " + std::strerror(errno));
    }
    std::fclose(probe);
    return standin::succeeded();
}

}  // namespace

Status writeAtomically(const std::string& path,
                       const std::function<Status(const std::string& target)>& write) {
    if (isSpecialFile(path)) return write(path);
    const std::string destination = followLinks(path);
    const std::string temporary = temporaryBeside(destination);
    if (Status creatable = checkCreatable(path, temporary); !creatable) return creatable;
    Status written = write(temporary);
    if (written && std::rename(temporary.c_str(), destination.c_str()) != 0) {
        written = Status::failure("cannot write " + path + ": " + std::strerror(errno));
    }
    if (!written) std::remove(temporary.c_str());
    return written;
}

}  // namespace preview
