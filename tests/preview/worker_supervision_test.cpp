// The preview tool watches its render workers while it renders its own band: a worker
// that dies fails the render at once, one that falls silent fails it once its silence has
// lasted too long, and a worker holds no more of the picture than the row it renders.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <csignal>
#include <regex>
#include <string>
#include <thread>

#include "preview_fixture.h"
#include "tool_process.h"
#include "tools/preview/silence_limit.h"

namespace {

using namespace std::chrono_literals;
using preview::SilenceLimit;

// Large enough that a worker cannot finish its band before the test acts on it, and that
// this process's own band (750 rows with two workers) takes many seconds.
const std::vector<std::string> kLargeRender{"--width", "2000",      "--height",
                                            "1500",    "--workers", "2"};

std::vector<std::string> with(std::vector<std::string> arguments,
                              const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

TEST(SilenceLimit, TenTimesTheSlowestStepAndNeverUnderTheLeast) {
    struct Case {
        std::chrono::seconds least;
        std::vector<std::chrono::milliseconds> steps;
        std::chrono::milliseconds limit;
    };
    const Case cases[] = {
        {60s, {}, 60000ms},
        {60s, {2000ms, 5900ms, 300ms}, 60000ms},
        {60s, {7000ms, 3000ms}, 70000ms},
        {1s, {250ms}, 2500ms},
    };
    for (const Case& c : cases) {
        SilenceLimit silence(c.least);
        for (const auto step : c.steps) silence.noteStep(step);
        EXPECT_EQ(silence.limit(), c.limit)
            << c.steps.size() << " steps, least " << c.least.count();
    }
}

class WorkerSupervision : public PreviewTest {};

TEST_F(WorkerSupervision, TheLeastTimeoutIsAPositiveNumberOfSecondsUpToElevenDays) {
    for (const char* refused : {"0", "-1", "soon", "2e6"}) {
        const ToolRun tool = run({"--worker-timeout", refused, "--width", "8", "--height", "8"});
        EXPECT_EQ(tool.exitCode, 2) << refused;
        EXPECT_NE(tool.err.find("--worker-timeout"), std::string::npos) << tool.err;
    }
}

TEST_F(WorkerSupervision, AStoppedWorkerFailsTheRenderOnceItsSilenceLastsTooLong) {
    ToolProcess tool(with(kLargeRender, {"--worker-timeout", "1"}), folder());
    const std::vector<pid_t> workers = tool.workers(1);
    ASSERT_EQ(workers.size(), 1u);
    ASSERT_EQ(kill(workers[0], SIGSTOP), 0);
    const ToolRun run = tool.finish();
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("render worker 1 (process " + std::to_string(workers[0]) +
                           ") has sent no row for"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));
}

// Were the failure seen only after this process's own band, at least its 750 rows would
// be done.
TEST_F(WorkerSupervision, AKilledWorkerStopsTheRenderBeforeThisProcesssBandIsDone) {
    ToolProcess tool(kLargeRender, folder());
    const std::vector<pid_t> workers = tool.workers(1);
    ASSERT_EQ(workers.size(), 1u);
    ASSERT_EQ(kill(workers[0], SIGKILL), 0);
    const ToolRun run = tool.finish();
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("render worker 1 (process " + std::to_string(workers[0]) +
                           ") was ended by signal 9"),
              std::string::npos)
        << run.err;
    std::smatch done;
    ASSERT_TRUE(std::regex_search(run.err, done, std::regex("with (\\d+) of the 1500 rows done")))
        << run.err;
    EXPECT_LT(std::stoi(done[1]), 750) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));
}

// The peak resident memory of the worker of a render `width` pixels wide, once it has
// written two rows' bytes (more than it writes before its first row).
long workerPeakKilobytes(int width, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder) {
    ToolProcess tool(with({"--width", std::to_string(width), "--workers", "2"}, arguments), folder);
    const std::vector<pid_t> workers = tool.workers(1);
    if (workers.size() != 1) return -1;
    const auto giveUp = std::chrono::steady_clock::now() + 10min;
    while (procValue(workers[0], "io", "wchar") < 2 * 3 * width) {
        if (std::chrono::steady_clock::now() > giveUp) return -1;
        std::this_thread::sleep_for(1ms);
    }
    kill(workers[0], SIGSTOP);
    return procValue(workers[0], "status", "VmHWM");
}

// A picture of 8192 x 8192 is 192 MiB; a worker of its render holds about what a worker
// of a picture of 1024 x 8192 holds. (The narrower render's samples keep its worker busy
// until it is looked at.)
TEST_F(WorkerSupervision, AWorkerHoldsARowNotThePicture) {
    const long wide = workerPeakKilobytes(8192, {"--height", "8192", "--samples", "1"}, folder());
    const long narrow = workerPeakKilobytes(1024, {"--height", "8192", "--samples", "2"}, folder());
    ASSERT_GT(wide, 0);
    ASSERT_GT(narrow, 0);
    const long pictureKilobytes = 8192L * 8192L * 3L / 1024L;
    EXPECT_LT(wide - narrow, pictureKilobytes / 8) << wide << " kB against " << narrow << " kB";
}

}  // namespace
