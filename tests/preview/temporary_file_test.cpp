// The temporary file a write goes into: a name no one can plant a link under beforehand,
// and never left behind, whether the write is abandoned or a signal ends the process; and
// the temporary folder a look folder is written into, which never replaces anything.
#include "tools/preview/temporary_file.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "preview_fixture.h"
#include "tools/preview/atomic_write.h"
#include "tools/preview/temporary_folder.h"

namespace {

using TemporaryFiles = PreviewTest;
using preview::TemporaryFile;
using preview::TemporaryFolder;

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
            auto folder = TemporaryFolder::beside(file("look").string());
            const bool added = folder && folder.value()->add("look.txt", "color = 1,0,0\n");
            std::raise(signal);
            _exit(temporary && added ? 0 : 1);  // not reached when the signal ends the process
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
        const base::Status written =
            preview::writeAtomically(file("out.png").string(), [](std::FILE* stream) {
                const std::string bytes(65536, 'x');
                std::fwrite(bytes.data(), 1, bytes.size(), stream);
                return base::succeeded();
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

// A device is written directly, also where it opens as descriptor 0: the tool was started
// with its standard input closed.
TEST_F(TemporaryFiles, ADeviceIsWrittenWhenItOpensAsDescriptorZero) {
    const pid_t child = fork();
    if (child == 0) {  // standard input stays open in this process
        ::close(0);
        bool called = false;
        const base::Status written = preview::writeAtomically("/dev/null", [&](std::FILE*) {
            called = true;
            return base::succeeded();
        });
        _exit(written && called ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(TemporaryFiles, AFolderAppearsWholeAndNeverOverAnother) {
    const std::string destination = file("look").string();
    {
        auto abandoned = TemporaryFolder::beside(destination);
        ASSERT_TRUE(abandoned && abandoned.value()->add("look.txt", "one"));
    }
    EXPECT_TRUE(entries().empty());
    // An empty folder that appeared meanwhile, which a plain rename would replace.
    std::filesystem::create_directory(destination);
    {
        auto late = TemporaryFolder::beside(destination);
        ASSERT_TRUE(late && late.value()->add("look.txt", "two"));
        const base::Status placed = late.value()->moveIntoPlace();
        ASSERT_FALSE(placed);
        EXPECT_NE(placed.error().find("something is there already"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_empty(destination));
    EXPECT_EQ(entries(), std::vector<std::string>{"look"});
    std::filesystem::remove(destination);
    auto placed = TemporaryFolder::beside(destination);
    ASSERT_TRUE(placed && placed.value()->add("look.txt", "three"));
    ASSERT_TRUE(placed.value()->moveIntoPlace());
    placed.value().reset();  // a folder in place stays
    EXPECT_EQ(readFile(file("look/look.txt")), "three");
    EXPECT_EQ(entries(), std::vector<std::string>{"look"});
}

}  // namespace
