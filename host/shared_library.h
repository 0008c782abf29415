// A shared library opened through the operating system's loader: dlopen natively,
// LoadLibraryA on Windows. Closed when the object goes away.
#ifndef PELORIX3_HOST_SHARED_LIBRARY_H
#define PELORIX3_HOST_SHARED_LIBRARY_H

#include <string>

#include "base/result.h"

namespace standin {

class SharedLibrary {
public:
    // Loads the file with every symbol resolved now and none made global. The error
    // names the file and the loader's reason.
    static base::Result<SharedLibrary> open(const std::string& path);

    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;
    ~SharedLibrary();

    // The address the library exports under exactly this name, or null.
    void* symbol(const char* name) const;

private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void close() noexcept;

    void* handle_ = nullptr;
};

}  // namespace standin

#endif
