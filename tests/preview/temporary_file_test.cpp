// The temporary file a write goes into: a name no one can plant a link under beforehand,
// and never left behind, whether the write is abandoned or a signal ends the process.
#include "tools/preview/temporary_file.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "preview_fixture.h"
#include "tools/preview/atomic_write.h"

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

// A write the file system refuses (here a file size limit, as a full disk would) is a
// failure that says so, and the file it was to replace keeps what it held.
TEST_F(TemporaryFiles, AFailedWriteIsReportedAndReplacesNothing) {
    writeFile(file("out.png"), "old");
    const pid_t child = fork();
    if (child == 0) {  // the limit and the ignored signal stay in this process
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
        const preview::Status written =
            preview::writeAtomically(file("out.png").string(), [](std::FILE* stream) {
                const std::string bytes(65536, 'x');
                std::fwrite(bytes.data(), 1, bytes.size(), stream);
                return standin::succeeded();
            });
        if (written) _exit(1);
        if (written.error().find("a write failed") == std::string::npos) _exit(2);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported as written, 2: another reason";
    EXPECT_EQ(readFile(file("out.png")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.png"});
}

}  // namespace
