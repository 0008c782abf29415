// Runs the built preview command as a person would, in a scratch folder of its own, and
// keeps what it printed and its exit status.
#ifndef PELORIX3_TESTS_PREVIEW_TOOL_RUN_H
#define PELORIX3_TESTS_PREVIEW_TOOL_RUN_H

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ToolRun {
    int exitCode = -1;  // -1 when the program did not exit normally (a crash)
    std::string out;
    std::string err;
};

// The preview program beside the test executable.
std::filesystem::path toolPath();

// The tool's standard streams: by default it reads nothing and its output is kept.
struct ToolStreams {
    std::optional<std::string> input = {};      // fed to its standard input through a pipe
    std::filesystem::path outputTo = {};        // its standard output goes here instead, unread
    std::vector<std::string> environment = {};  // "NAME=value", set for it alone
};

// Starts the tool with `arguments` in `folder`, reading `input` when it is a descriptor
// (-1: nothing), its standard output and error going to files that endedRun reads.
pid_t startTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const ToolStreams& streams, int input);

// What a tool started by startTool printed, once it ended with wait status `status`; its
// output files are removed.
ToolRun endedRun(int status, const std::filesystem::path& folder, const ToolStreams& streams);

// Runs the tool with `arguments` in `folder`.
ToolRun runTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const ToolStreams& streams = {});

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

#endif
