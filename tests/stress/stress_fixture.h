// Shared pieces of the stress suite: the built module file opened through the stand-in host,
// the heap in use (where the allocator can tell), and whether the module file is mapped.
#ifndef PELORIX3_TESTS_STRESS_STRESS_FIXTURE_H
#define PELORIX3_TESTS_STRESS_STRESS_FIXTURE_H

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "host/host_globals.h"
#include "host/module_path.h"
#include "host/panel_services.h"
#include "host/shader_driver.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define PELORIX3_STRESS_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PELORIX3_STRESS_SANITIZED 1
#endif

#ifndef PELORIX3_STRESS_SANITIZED
#include <malloc.h>
#endif

namespace stress {

// Bytes the C library's allocator has handed out and not had back; empty under the
// sanitizers, whose allocators keep their own books (and find leaks themselves).
inline std::optional<std::size_t> heapInUse() {
#ifdef PELORIX3_STRESS_SANITIZED
    return std::nullopt;
#else
    return mallinfo2().uordblks;
#endif
}

// Whether the module file is mapped into this process.
inline bool moduleFileMapped() {
    std::ifstream maps("/proc/self/maps");
    const std::string name = standin::defaultModulePath();
    const std::string file = name.substr(name.find_last_of('/') + 1);
    for (std::string line; std::getline(maps, line);)
        if (line.find(file) != std::string::npos) return true;
    return false;
}

inline standin::Host& host() { return standin::Host::instance(); }

inline standin::ShaderModule openModule() {
    auto opened = standin::ShaderModule::open(standin::defaultModulePath());
    if (!opened.ok()) throw std::runtime_error(opened.error());
    return std::move(opened.value());
}

inline standin::ShaderInstance createInstance(const standin::ShaderModule& module) {
    auto created = module.createInstance();
    if (!created.ok()) throw std::runtime_error(created.error());
    return std::move(created.value());
}

// Opens the options panel of instance through the module's interface server.
inline int openPanel(const standin::ShaderModule& module, const standin::ShaderInstance& instance) {
    auto result = module.file().activate("ShaderInterface", "pelorix3", 1, standin::globalFunc,
                                         instance.handle());
    if (!result.ok()) throw std::runtime_error(result.error());
    return result.value();
}

// Each case starts and ends with the host at its defaults.
class StressTest : public ::testing::Test {
protected:
    void SetUp() override { host().reset(); }
    void TearDown() override { host().reset(); }
};

}  // namespace stress

#endif
