#include "host/shared_library.h"

#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {
namespace {

#ifdef _WIN32

std::string lastLoaderError() {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length > 0 && text ? std::string(text, length) : "unknown error";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason;
}

void* loadLibrary(const std::string& path) {
    // No "insert disk" or "bad image" dialog boxes: a failed load is reported as text.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE handle = LoadLibraryA(path.c_str());
    const DWORD loadError = GetLastError();
    SetThreadErrorMode(previousMode, nullptr);
    SetLastError(loadError);
    return reinterpret_cast<void*>(handle);
}

void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void unloadLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

#else

// dlerror() usually starts with the file name; the caller names the file already.
std::string lastLoaderError(const std::string& path) {
    const char* text = dlerror();
    std::string reason = text ? text : "unknown error";
    const std::string prefix = path + ": ";
    if (reason.rfind(prefix, 0) == 0) {
        reason.erase(0, prefix.size());
    }
    return reason;
}

void* loadLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

void* findSymbol(void* handle, const char* name) { return dlsym(handle, name); }

void unloadLibrary(void* handle) { dlclose(handle); }

#endif

// The system loaders search their library folders for a bare file name; the host loads
// the file it was given, so a name without a folder is taken in the current folder.
std::string asPath(const std::string& path) {
#ifdef _WIN32
    const bool bare = path.find_first_of("/\\:") == std::string::npos;
    return bare ? ".\\" + path : path;
#else
    const bool bare = path.find('/') == std::string::npos;
    return bare ? "./" + path : path;
#endif
}

// What a file that exists is when it is no regular file: the system's loader would wait on a
// pipe for bytes that may never come, and no device holds a module. Empty for a regular file,
// and for one the loader is left to report on (missing, or out of reach).
std::string otherThanAFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    switch (fs::status(path, error).type()) {
        case fs::file_type::fifo:
            return "a pipe";
        case fs::file_type::character:
            return "a character device";
        case fs::file_type::block:
            return "a block device";
        case fs::file_type::socket:
            return "a socket";
        case fs::file_type::directory:
            return "a directory";
        default:
            return {};
    }
}

}  // namespace

base::Result<SharedLibrary> SharedLibrary::open(const std::string& path) {
    if (const std::string kind = otherThanAFile(path); !kind.empty()) {
        return base::Result<SharedLibrary>::failure("cannot load module " + path + ": it is " +
                                                    kind + ", not a module file");
    }
    const std::string file = asPath(path);
    void* handle = loadLibrary(file);
    if (!handle) {
#ifdef _WIN32
        const std::string reason = lastLoaderError();
#else
        const std::string reason = lastLoaderError(file);
#endif
        return base::Result<SharedLibrary>::failure("cannot load module " + path + ": " + reason);
    }
    return base::Result<SharedLibrary>::success(SharedLibrary(handle));
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

SharedLibrary::~SharedLibrary() { close(); }

void* SharedLibrary::symbol(const char* name) const {
    return handle_ && name ? findSymbol(handle_, name) : nullptr;
}

void SharedLibrary::close() noexcept {
    if (handle_) {
        unloadLibrary(std::exchange(handle_, nullptr));
    }
}

}  // namespace standin
