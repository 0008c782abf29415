#include "host/module_path.h"

#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace standin {
namespace {

#ifdef _WIN32

constexpr const char* kModuleName = "\\pelorix3.p";

std::string executablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
    }
}

#else

constexpr const char* kModuleName = "/pelorix3.so";

std::string executablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);  // possibly truncated: try a larger buffer
    }
}

#endif

}  // namespace

std::string defaultModulePath() {
    const std::string executable = executablePath();
    const std::size_t separator = executable.find_last_of("/\\");
    const std::string directory =
        separator == std::string::npos ? std::string(".") : executable.substr(0, separator);
    return directory + kModuleName;
}

}  // namespace standin
