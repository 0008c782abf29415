#include "tool_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(1);

std::filesystem::path outPath(const std::filesystem::path& folder) { return folder / ".stdout"; }
std::filesystem::path errPath(const std::filesystem::path& folder) { return folder / ".stderr"; }

}  // namespace

ToolProcess::ToolProcess(const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder)
    : folder_(folder) {
    const std::string program = toolPath().string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string out = outPath(folder).string();
    const std::string err = errPath(folder).string();
    pid_ = fork();
    if (pid_ == 0) {
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0 ||
            chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

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
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(outPath(folder_));
    run.err = readFile(errPath(folder_));
    std::filesystem::remove(outPath(folder_));
    std::filesystem::remove(errPath(folder_));
    return run;
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
