// The WebAssembly build runs without threads: a page opened from the file system cannot
// share memory between workers, so the module and the stand-in host are built there for
// one thread, and the tests that start threads are skipped.
#ifndef PELORIX3_TESTS_COMMON_THREADS_H
#define PELORIX3_TESTS_COMMON_THREADS_H

#include <gtest/gtest.h>

#ifdef __EMSCRIPTEN__
#define PELORIX3_SKIP_WITHOUT_THREADS() GTEST_SKIP() << "the WebAssembly build runs on one thread"
#else
#define PELORIX3_SKIP_WITHOUT_THREADS() static_cast<void>(0)
#endif

#endif
