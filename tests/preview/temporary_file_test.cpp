// The temporary file a write goes into: a name no one can plant a link under beforehand,
// and never left behind, whether the write is abandoned or a signal ends the process.
#include "tools/preview/temporary_file.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "preview_fixture.h"

namespace {

using TemporaryFiles = PreviewTest;
using preview::TemporaryFile;

TEST_F(TemporaryFiles, NamesAreFreshEachTimeAndNothingStaysBehind) {
    const std::string destination = file("out.png").string();
    {
        auto first = TemporaryFile::beside(destination);
        auto second = TemporaryFile::beside(destination);
        ASSERT_TRUE(first && second);
        const std::vector<std::string> names = entries();
        ASSERT_EQ(names.size(), 2u);
        EXPECT_NE(names[0], names[1]);
        for (const std::string& name : names) {
            EXPECT_EQ(name.find(std::to_string(getpid())), std::string::npos) << name;
        }
    }
    EXPECT_TRUE(entries().empty());  // abandoned: removed
}

TEST_F(TemporaryFiles, ASignalThatEndsTheProcessRemovesThem) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = fork();
        if (child == 0) {
            auto temporary = TemporaryFile::beside(file("out.png").string());
            std::raise(signal);
            _exit(temporary ? 0 : 1);  // not reached when the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(entries().empty()) << signal;
    }
}

}  // namespace
