// pelorix3-preview: renders the sheen shader through the stand-in host. See --help.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>

#include "tools/preview/comparison.h"
#include "tools/preview/file_names.h"
#include "tools/preview/preview_command.h"
#include "tools/preview/preview_options.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int fail(const std::string& message) {
    std::fprintf(stderr, "pelorix3-preview: %s\n", message.c_str());
    return kExitFailure;
}

// What went to standard output must have arrived: a full disk or a closed pipe is a failure.
int withStandardOutputWritten(int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    const std::string reason = std::strerror(errno);
    return status == 0 ? fail("cannot write standard output: " + reason) : status;
}

int runCommand(int argc, char** argv) {
    preview::PreviewOptions options;
    if (const std::optional<int> ended = preview::parseCommandLine(argc, argv, options)) {
        return withStandardOutputWritten(*ended);
    }
    if (const base::Status names = preview::checkFileNames(options); !names) {
        std::fprintf(stderr, "pelorix3-preview: %s\n", names.error().c_str());
        return kExitUsage;
    }
    if (const base::Status maps = preview::checkMapOptions(options.maps, options.surface); !maps) {
        std::fprintf(stderr, "pelorix3-preview: %s\n", maps.error().c_str());
        return kExitUsage;
    }
    if (const base::Status size = preview::checkComparisonSize(options); !size) {
        std::fprintf(stderr, "pelorix3-preview: %s\n", size.error().c_str());
        return kExitUsage;
    }
    const base::Status done = preview::runPreview(options);
    return withStandardOutputWritten(done ? 0 : fail(done.error()));
}

}  // namespace

// No exception leaves the program: whatever the run meets (a file system error in a check,
// memory that runs out) is said, and the run fails.
int main(int argc, char** argv) {
    try {
        return runCommand(argc, argv);
    } catch (const std::exception& error) {
        return fail(error.what());
    } catch (...) {
        return fail("the run was ended by an error of unknown kind");
    }
}
