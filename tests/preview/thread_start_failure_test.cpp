// When a thread cannot start (the user's processes and threads are at their limit, ulimit
// -u), the preview tool says so and exits with status 1, wherever the thread was wanted:
// by Embree's thread pool or by the tool's own render threads. The starts are made to fail
// by a library preloaded into the tool.
#include <gtest/gtest.h>
#include <sched.h>
#include <stdlib.h>

#include <string>

#include "preview_fixture.h"

namespace {

// The environment of the tools a test runs, for as long as it lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::string& name, const std::string& value) : name_(name) {
        if (const char* old = getenv(name.c_str())) old_ = old;
        setenv(name.c_str(), value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_.empty()) {
            unsetenv(name_.c_str());
        } else {
            setenv(name_.c_str(), old_.c_str(), 1);
        }
    }

private:
    std::string name_;
    std::string old_;
};

struct FailedStart {
    const char* name;
    int allowedBeyondCores;  // thread starts allowed, besides one per core but one
    const char* counted;     // "all", or "plain": std::thread's only
    std::vector<std::string> arguments;
    const char* message;
};

void PrintTo(const FailedStart& start, std::ostream* out) { *out << start.name; }

const FailedStart kFailedStarts[] = {
    // Before Embree builds a scene, the threads of its pool are started once, on purpose.
    {"EmbreesPoolBeforeTheBuild", -1, "all", {"--workers", "1"}, "Embree needs "},
    // The same check passed; the pool's own first start fails during the build.
    {"EmbreesPoolDuringTheBuild", 0, "all", {"--workers", "1"}, "pthread_create has failed"},
    // Contact sheets are rendered in threads of this process.
    {"TheSheetsRenderThreads",
     0,
     "plain",
     {"--workers", "2", "--sheet", "sheet.png"},
     "cannot make the density and roughness sheet: cannot start a thread"},
    // A turntable writes each view in a thread while it renders the next.
    {"TheTurntablesWriter",
     0,
     "plain",
     {"--turntable", "2", "-o", "t%d.png"},
     "cannot write the turntable's views: cannot start a thread"},
};

// The cores the tool may run on, as it and Embree's pool count them.
int cores() {
    cpu_set_t set;
    return sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
}

class ThreadStart : public PreviewTest, public ::testing::WithParamInterface<FailedStart> {};

TEST_P(ThreadStart, AFailedStartIsNamedAndEndsTheToolWithStatusOne) {
    if (cores() < 2) GTEST_SKIP() << "one core: Embree starts no thread";
    const FailedStart& start = GetParam();
    const std::string asan = getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "";
    // The preloaded library comes before the sanitizer's runtime, which must be told so.
    const ScopedEnvironment sanitizer("ASAN_OPTIONS", asan + ":verify_asan_link_order=0");
    const ScopedEnvironment preload("LD_PRELOAD", FAILING_THREAD_START);
    const ScopedEnvironment allowed("PELORIX3_THREAD_STARTS_ALLOWED",
                                    std::to_string(cores() - 1 + start.allowedBeyondCores));
    const ScopedEnvironment counted("PELORIX3_THREAD_STARTS_COUNTED", start.counted);
    std::vector<std::string> arguments{"--width", "32", "--height", "24"};
    arguments.insert(arguments.end(), start.arguments.begin(), start.arguments.end());
    const ToolRun tool = run(arguments);
    EXPECT_EQ(tool.exitCode, 1) << tool.err;
    EXPECT_NE(tool.err.find(start.message), std::string::npos) << tool.err;
    EXPECT_NE(tool.err.find("Resource temporarily unavailable"), std::string::npos) << tool.err;
}

INSTANTIATE_TEST_SUITE_P(PreviewTool, ThreadStart, ::testing::ValuesIn(kFailedStarts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
