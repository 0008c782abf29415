#include "tools/preview/output_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "looks/input_file.h"
#include "tools/preview/atomic_write.h"
#include "tools/preview/file_names.h"

namespace preview {
namespace {

using base::Status;

// Why nothing can be made in `folder`, or nothing when something can.
std::string cannotMakeIn(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        if (errno == ENOENT) return "there is no folder " + folder;
        return "the folder " + folder + " cannot be reached: " + std::strerror(errno);
    }
    if (!S_ISDIR(status.st_mode))
        return folder + " is " + looks::kindOfFile(folder) + ", not a folder";
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "nothing can be made in the folder " + folder + ": " + std::strerror(errno);
    }
    return {};
}

std::string folderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A file goes where its links lead, through a temporary file made beside it; a device or
// pipe is written directly, and standard output needs no folder.
std::string fileProblem(const std::string& path) {
    if (path == looks::kStandardStream || isWrittenDirectly(path)) return {};
    return cannotMakeIn(folderOf(followLinks(path)));
}

std::string lookFolderProblem(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0) {
        return "it is " + looks::kindOfFile(path) + " already; a look is saved into a new folder";
    }
    return cannotMakeIn(folderOf(path));
}

}  // namespace

Status checkOutputFolders(const PreviewOptions& options) {
    for (const NamedFile& output : outputsOf(options)) {
        const std::string problem = output.option == "--save-look" ? lookFolderProblem(output.path)
                                                                   : fileProblem(output.path);
        if (!problem.empty()) {
            return Status::failure(output.option + ": cannot write " + output.path + ": " +
                                   problem);
        }
    }
    return base::succeeded();
}

}  // namespace preview
