#include "tools/preview/atomic_write.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace preview {
namespace {

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
                       const std::function<Status(const std::string& temporary)>& write) {
    const std::string temporary = temporaryBeside(path);
    if (Status creatable = checkCreatable(path, temporary); !creatable) return creatable;
    Status written = write(temporary);
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
        written = Status::failure("cannot write " + path + ": " + std::strerror(errno));
    }
    if (!written) std::remove(temporary.c_str());
    return written;
}

}  // namespace preview
