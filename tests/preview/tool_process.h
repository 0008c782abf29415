// The preview tool run in the background, so that a test can act on its render workers
// (stop one, kill one, look at its memory) while it renders.
#ifndef PELORIX3_TESTS_PREVIEW_TOOL_PROCESS_H
#define PELORIX3_TESTS_PREVIEW_TOOL_PROCESS_H

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tool_run.h"

class ToolProcess {
public:
    // Starts the tool with `arguments` in `folder`.
    ToolProcess(const std::vector<std::string>& arguments, const std::filesystem::path& folder);
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;
    // Kills the tool if it still runs; its workers end with it.
    ~ToolProcess();

    // Its child processes, the render workers, once `count` of them have started; empty
    // when they did not within a minute.
    std::vector<pid_t> workers(std::size_t count) const;

    // Waits for the tool to end, and kills it when it has not after ten minutes.
    ToolRun finish();

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

// A number from a process's /proc files ("VmHWM" of status, "wchar" of io, ...): the first
// line starting with `key`; -1 when it is not there (the process has ended).
long procValue(pid_t pid, const std::string& file, const std::string& key);

#endif
