// Worker processes render bands of rows and send them back through pipes: the rows land
// in their places, and a worker that fails, dies or sends too little or the wrong rows
// fails the render with a message naming it, never a picture with holes.
#include "tools/preview/band_workers.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

namespace {

using base::Status;
using preview::BandWorkers;
using preview::RowSender;
using render::RowBand;

constexpr int kWidth = 5;
constexpr int kHeight = 11;  // not a multiple of the worker counts: the bands differ in size

render::Image blank() {
    return {kWidth, kHeight, std::vector<unsigned char>(3 * kWidth * kHeight, 0)};
}

// Every byte of row y is y + 1, so that a row in the wrong place shows.
std::vector<unsigned char> rowOf(int y) { return std::vector<unsigned char>(3 * kWidth, y + 1); }

bool send(RowSender& sender, int y) {
    const std::vector<unsigned char> row = rowOf(y);
    return sender.sendRow(y, row.data(), row.size());
}

Status sendBand(const RowBand& band, RowSender& sender) {
    for (int y = band.first; y < kHeight; y += band.step) {
        if (!send(sender, y)) return Status::failure("pipe closed");
    }
    return base::succeeded();
}

Status gatherWith(int count, const BandWorkers::Work& work) {
    base::Result<std::unique_ptr<BandWorkers>> workers = BandWorkers::start(count, work);
    if (!workers) return Status::failure("not started: " + workers.error());
    render::Image image = blank();
    return workers.value()->gather(image, {});
}

TEST(BandWorkers, EveryWorkerRowLandsInItsPlace) {
    for (int count : {2, 3, 4}) {
        base::Result<std::unique_ptr<BandWorkers>> workers = BandWorkers::start(count, sendBand);
        ASSERT_TRUE(workers) << workers.error();
        render::Image image = blank();
        int arrived = 0;
        ASSERT_TRUE(workers.value()->gather(image, [&] { ++arrived; }));
        const RowBand own = workers.value()->ownBand();
        EXPECT_EQ(own.step, count);
        EXPECT_EQ(arrived, kHeight - preview::rowsOf(own, kHeight)) << count << " workers";
        for (int y = 0; y < kHeight; ++y) {
            const std::vector<unsigned char> expected =
                own.covers(y) ? std::vector<unsigned char>(3 * kWidth, 0) : rowOf(y);
            const auto row = image.rgb.begin() + 3 * kWidth * y;
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), row))
                << "row " << y << " of " << count << " workers";
        }
    }
}

struct FailingWorker {
    const char* name;
    BandWorkers::Work work;
    const char* message;
};

void PrintTo(const FailingWorker& worker, std::ostream* out) { *out << worker.name; }

const FailingWorker kFailingWorkers[] = {
    {"SaysWhy",
     [](const RowBand&, RowSender&) { return Status::failure("cannot read absent.obj"); },
     "render worker 1 (process "},
    {"Crashes",
     [](const RowBand& band, RowSender& sender) {
         send(sender, band.first);
         ::kill(::getpid(), SIGKILL);  // what no handler, a sanitizer's included, can catch
         return base::succeeded();
     },
     "was ended by signal 9"},
    {"ExitsAfterHalfItsRows",
     [](const RowBand& band, RowSender& sender) {
         send(sender, band.first);
         return base::succeeded();
     },
     "ended after sending 1 of its 5 rows"},
    {"ExitsWithAFailingStatusAfterAllItsRows",
     [](const RowBand& band, RowSender& sender) -> Status {
         if (sendBand(band, sender)) ::_exit(3);  // every row sent, and then a failure
         return Status::failure("pipe closed");
     },
     "stopped with exit status 3"},
    {"SendsARowOfAnotherBand",
     [](const RowBand& band, RowSender& sender) {
         send(sender, band.first + 1);
         return base::succeeded();
     },
     "sent row 2, which it was not given"},
    {"SendsARowTwice",
     [](const RowBand& band, RowSender& sender) {
         send(sender, band.first);
         send(sender, band.first);
         return base::succeeded();
     },
     "sent row 1, which it was not given"},
    {"Throws",
     [](const RowBand&, RowSender&) -> Status { throw std::runtime_error("out of memory"); },
     "out of memory"},
};

class FailedWorker : public ::testing::TestWithParam<FailingWorker> {};

TEST_P(FailedWorker, FailsTheRenderNamingTheWorker) {
    const Status gathered = gatherWith(2, GetParam().work);
    ASSERT_FALSE(gathered);
    EXPECT_NE(gathered.error().find("render worker 1"), std::string::npos) << gathered.error();
    EXPECT_NE(gathered.error().find(GetParam().message), std::string::npos) << gathered.error();
}

INSTANTIATE_TEST_SUITE_P(BandWorkers, FailedWorker, ::testing::ValuesIn(kFailingWorkers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BandWorkers, OneFailureFailsTheRenderWhateverTheOthersDid) {
    const Status gathered = gatherWith(3, [](const RowBand& band, RowSender& sender) {
        if (band.first == 2) return Status::failure("no module");
        return sendBand(band, sender);
    });
    ASSERT_FALSE(gathered);
    EXPECT_NE(gathered.error().find("render worker 2"), std::string::npos) << gathered.error();
}

// A render that fails in the parent drops its workers: none is left running or waited for.
TEST(BandWorkers, WorkersStillRunningAreStoppedWhenDropped) {
    const auto start = std::chrono::steady_clock::now();
    {
        base::Result<std::unique_ptr<BandWorkers>> workers =
            BandWorkers::start(3, [](const RowBand&, RowSender&) {
                ::sleep(60);
                return base::succeeded();
            });
        ASSERT_TRUE(workers);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

// A failed render closes the pipes of the workers still running at once; dropping the
// workers afterwards must not close those numbers again, which may name files opened since.
TEST(BandWorkers, DroppedAfterAFailureTheyCloseNothingOpenedSince) {
    base::Result<std::unique_ptr<BandWorkers>> workers =
        BandWorkers::start(3, [](const RowBand& band, RowSender&) {
            if (band.first == 1) return Status::failure("no module");
            ::sleep(60);
            return base::succeeded();
        });
    ASSERT_TRUE(workers) << workers.error();
    render::Image image = blank();
    ASSERT_FALSE(workers.value()->gather(image, {}));
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);  // the lowest free numbers: those the workers' pipes had
    workers.value().reset();
    for (const int fd : ends) {
        EXPECT_NE(::fcntl(fd, F_GETFD), -1) << "descriptor " << fd << " was closed";
        ::close(fd);
    }
}

// A pipe hands over bytes in pieces of any size; frames are put together from them.
TEST(RowReceiver, FramesArrivingByteByByteAreReassembled) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    RowSender sender(ends[1]);
    ASSERT_TRUE(send(sender, 3));
    sender.sendFailure("the module went away");
    ::close(ends[1]);
    std::vector<char> bytes;
    char byte;
    while (::read(ends[0], &byte, 1) == 1) bytes.push_back(byte);
    ::close(ends[0]);

    render::Image image = blank();
    preview::RowReceiver receiver(image, RowBand{1, 2});
    int arrived = 0;
    for (char piece : bytes) ASSERT_TRUE(receiver.take(&piece, 1, [&] { ++arrived; }));
    EXPECT_EQ(arrived, 1);
    EXPECT_EQ(receiver.rowsReceived(), 1);
    EXPECT_EQ(image.rgb[3 * kWidth * 3], 4);
    EXPECT_EQ(receiver.failure(), "the module went away");
}

TEST(RowReceiver, AFailureTextOfImpossibleLengthIsRefused) {
    render::Image image = blank();
    preview::RowReceiver receiver(image, RowBand{});
    const std::int32_t frame[2] = {-1, 1 << 30};
    EXPECT_FALSE(receiver.take(reinterpret_cast<const char*>(frame), sizeof frame, {}));
}

}  // namespace
