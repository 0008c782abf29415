#include "tool_run.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "host/module_path.h"

std::filesystem::path toolPath() {
    return std::filesystem::path(standin::defaultModulePath()).parent_path() / "pelorix3-preview";
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

namespace {

// A process that writes `bytes` into a pipe and ends; the reading end is returned.
int feed(const std::string& bytes, pid_t& writer) {
    int ends[2];
    if (pipe(ends) != 0) return -1;
    writer = fork();
    if (writer == 0) {
        close(ends[0]);
        for (std::size_t at = 0; at < bytes.size();) {
            const ssize_t wrote = write(ends[1], bytes.data() + at, bytes.size() - at);
            if (wrote <= 0) _exit(1);
            at += static_cast<std::size_t>(wrote);
        }
        _exit(0);
    }
    close(ends[1]);
    return ends[0];
}

}  // namespace

namespace {

std::filesystem::path outPath(const std::filesystem::path& folder, const ToolStreams& streams) {
    return streams.outputTo.empty() ? folder / ".stdout" : streams.outputTo;
}

std::filesystem::path errPath(const std::filesystem::path& folder) { return folder / ".stderr"; }

}  // namespace

pid_t startTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const ToolStreams& streams, int input) {
    const std::string out = outPath(folder, streams).string();
    const std::string err = errPath(folder).string();
    const std::string program = toolPath().string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment = streams.environment;  // putenv keeps the pointers
    const pid_t child = fork();
    if (child == 0) {
        for (std::string& entry : environment) putenv(entry.data());
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0 ||
            (input >= 0 && dup2(input, 0) < 0) || chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return child;
}

ToolRun endedRun(int status, const std::filesystem::path& folder, const ToolStreams& streams) {
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (streams.outputTo.empty()) {
        run.out = readFile(outPath(folder, streams));
        std::filesystem::remove(outPath(folder, streams));
    }
    run.err = readFile(errPath(folder));
    std::filesystem::remove(errPath(folder));
    return run;
}

ToolRun runTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const ToolStreams& streams) {
    pid_t writer = -1;
    const int in = streams.input ? feed(*streams.input, writer) : -1;
    const pid_t child = startTool(arguments, folder, streams, in);
    if (in >= 0) close(in);
    int status = 0;
    waitpid(child, &status, 0);
    if (writer > 0) waitpid(writer, nullptr, 0);
    return endedRun(status, folder, streams);
}
