// Preloaded into the preview tool (LD_PRELOAD) by its tests, to make thread starts fail as
// they do when the user's processes and threads are at their limit (ulimit -u), which a
// test running as root cannot reach. The first PELORIX3_THREAD_STARTS_ALLOWED starts of a
// process succeed and every later one fails with EAGAIN. With
// PELORIX3_THREAD_STARTS_COUNTED=plain only threads started with the default attributes,
// as std::thread starts them, are counted and failed; oneTBB's, started with a stack size,
// are left alone.
#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);

long allowedStarts() {
    const char* allowed = std::getenv("PELORIX3_THREAD_STARTS_ALLOWED");
    return allowed ? std::strtol(allowed, nullptr, 10) : -1;  // -1: no limit
}

bool counted(const pthread_attr_t* attributes) {
    const char* which = std::getenv("PELORIX3_THREAD_STARTS_COUNTED");
    return attributes == nullptr || !which || std::strcmp(which, "plain") != 0;
}

std::atomic<long> starts{0};

}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                              void* (*routine)(void*), void* argument) {
    static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    const long allowed = allowedStarts();
    if (allowed >= 0 && counted(attributes) && starts.fetch_add(1) >= allowed) return EAGAIN;
    return create(thread, attributes, routine, argument);
}
