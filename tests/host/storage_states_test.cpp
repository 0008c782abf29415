#include "host/storage_states.h"

#include <fstream>

#include "host/storage_files.h"
#include "host_test_fixture.h"

namespace {

using standin::MemoryLoadState;
using standin::MemorySaveState;

using HostStorageStates = HostTest;

int read(const MemoryLoadState& load, char* buffer, int maxLength) {
    return load.state().read(load.state().readData, buffer, maxLength);
}

void write(const MemorySaveState& save, const char* bytes, int length) {
    save.state().write(save.state().writeData, bytes, length);
}

TEST_F(HostStorageStates, TextItemsRoundTripOneAReadThenMinusOne) {
    MemorySaveState save(HOST_IO_ASCII);
    write(save, "abc", 4);  // with its zero byte
    write(save, "de", 2);
    write(save, nullptr, 3);  // ignored
    write(save, "x", -1);     // ignored
    ASSERT_EQ(save.items().size(), 2u);
    EXPECT_EQ(save.items()[0], std::string("abc\0", 4));
    EXPECT_EQ(save.items()[1], "de");

    const MemoryLoadState load = MemoryLoadState::from(save);
    EXPECT_NE(load.state().ioMode, HOST_IO_BINARY);
    char buffer[16];
    EXPECT_EQ(read(load, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(read(load, buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "de");
    EXPECT_EQ(read(load, buffer, sizeof buffer), -1);
    EXPECT_EQ(read(load, buffer, sizeof buffer), -1);
}

TEST_F(HostStorageStates, LongTextItemIsCutToTheBufferWithoutOverrun) {
    const MemoryLoadState load = MemoryLoadState::text({"abcdef"});
    char buffer[8] = {'_', '_', '_', '_', '_', '_', '_', '_'};
    EXPECT_EQ(read(load, buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 5), "abcd_");  // no room for a terminator: none written
}

TEST_F(HostStorageStates, BinaryBytesComeBackFewerAtTheEndThenMinusOne) {
    MemorySaveState save(HOST_IO_BINARY);
    write(save, "\x01\x00\x02", 3);
    write(save, "\x03\x04\x05\x06\x07", 5);
    EXPECT_EQ(save.bytes(), std::string("\x01\x00\x02\x03\x04\x05\x06\x07", 8));
    const MemoryLoadState load = MemoryLoadState::from(save);
    EXPECT_EQ(load.state().ioMode, HOST_IO_BINARY);
    char buffer[5];
    EXPECT_EQ(read(load, buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 5), std::string("\x01\x00\x02\x03\x04", 5));
    EXPECT_EQ(read(load, buffer, 5), 3);
    EXPECT_EQ(std::string(buffer, 3), "\x05\x06\x07");
    EXPECT_EQ(read(load, buffer, 5), -1);
}

TEST_F(HostStorageStates, DamagedHostReadsShortOrFillsWithoutTerminator) {
    MemoryLoadState binary = MemoryLoadState::binary("abcdef");
    binary.limitBytesPerRead(2);
    char buffer[8];
    EXPECT_EQ(read(binary, buffer, 8), 2);
    EXPECT_EQ(std::string(buffer, 2), "ab");

    MemoryLoadState text = MemoryLoadState::text({"ab", "abcdef"});
    text.fillTextWithoutTerminator(true);
    EXPECT_EQ(read(text, buffer, 6), 6);
    EXPECT_EQ(std::string(buffer, 6), "ab####");
    text.fillTextWithoutTerminator(false);
    text.limitBytesPerRead(3);
    EXPECT_EQ(read(text, buffer, 8), 3);
    EXPECT_STREQ(buffer, "abc");
}

TEST_F(HostStorageStates, StatesStayUsableAfterAMove) {
    MemorySaveState original(HOST_IO_ASCII);
    MemorySaveState moved = std::move(original);
    write(moved, "kept", 4);
    MemoryLoadState load = MemoryLoadState::from(moved);
    const MemoryLoadState movedLoad = std::move(load);
    char buffer[8];
    EXPECT_EQ(read(movedLoad, buffer, 8), 4);
}

TEST_F(HostStorageStates, TextFileHoldsOneItemPerLineWithoutZeroBytes) {
    MemorySaveState save(HOST_IO_ASCII);
    write(save, "first 1 2", 10);
    write(save, "", 1);
    write(save, "last", 4);
    const std::string path = tempPath("stored.txt");
    ASSERT_TRUE(standin::saveToFile(save, path).ok());
    EXPECT_EQ(standin::readBinaryFile(path).value(), "first 1 2\n\nlast\n");

    const auto load = standin::loadFromFile(path, HOST_IO_ASCII);
    ASSERT_TRUE(load.ok()) << load.error();
    char buffer[16];
    EXPECT_EQ(read(load.value(), buffer, 16), 9);
    EXPECT_EQ(read(load.value(), buffer, 16), 0);
    EXPECT_EQ(read(load.value(), buffer, 16), 4);
    EXPECT_EQ(read(load.value(), buffer, 16), -1);

    std::ofstream(path, std::ios::binary) << "one\r\ntwo";
    EXPECT_EQ(standin::readTextFile(path).value(), (std::vector<std::string>{"one", "two"}));
    EXPECT_FALSE(standin::writeTextFile(path, {"two\nlines"}).ok());
}

TEST_F(HostStorageStates, BinaryFileRoundTripsEveryByteAndAMissingFileIsAnError) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    const std::string path = tempPath("stored.bin");
    ASSERT_TRUE(standin::writeBinaryFile(path, bytes).ok());
    EXPECT_EQ(standin::readBinaryFile(path).value(), bytes);

    const std::string absent = tempPath("absent.bin");
    const auto load = standin::loadFromFile(absent, HOST_IO_BINARY);
    ASSERT_FALSE(load.ok());
    EXPECT_NE(load.error().find("cannot read " + absent), std::string::npos) << load.error();
    EXPECT_FALSE(standin::loadFromFile(absent, HOST_IO_ASCII).ok());
}

}  // namespace
