#include "tool_process.h"

#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(1);

}  // namespace

ToolProcess::ToolProcess(const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder)
    : folder_(folder), pid_(startTool(arguments, folder, {}, -1)) {}

ToolProcess::~ToolProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

std::vector<pid_t> ToolProcess::workers(std::size_t count) const {
    const std::string children =
        "/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/children";
    const auto giveUp = Clock::now() + std::chrono::minutes(1);
    while (Clock::now() < giveUp) {
        std::ifstream list(children);
        std::vector<pid_t> found;
        for (pid_t child; list >> child;) found.push_back(child);
        if (found.size() >= count) return found;
        std::this_thread::sleep_for(kPollInterval);
    }
    return {};
}

ToolRun ToolProcess::finish() {
    const auto giveUp = Clock::now() + std::chrono::minutes(10);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() > giveUp) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    return endedRun(status, folder_, {});
}

long procValue(pid_t pid, const std::string& file, const std::string& key) {
    std::ifstream lines("/proc/" + std::to_string(pid) + "/" + file);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + ":", 0) != 0) continue;
        std::istringstream value(line.substr(key.size() + 1));
        long number = -1;
        value >> number;
        return number;
    }
    return -1;
}
