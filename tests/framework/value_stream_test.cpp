#include "framework/value_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "host/storage_states.h"

namespace pelorix3 {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

std::string textItem(double value) {
    standin::MemorySaveState saved(HOST_IO_ASCII);
    writeStoredValue(&saved.state(), value);
    EXPECT_EQ(saved.items().size(), 1u);
    return saved.items().empty() ? std::string() : saved.items()[0];
}

std::string binaryBytes(double value) {
    standin::MemorySaveState saved(HOST_IO_BINARY);
    writeStoredValue(&saved.state(), value);
    return saved.bytes();
}

std::optional<double> readText(std::vector<std::string> items) {
    auto load = standin::MemoryLoadState::text(std::move(items));
    return readValue(&load.state());
}

std::optional<double> readBinary(std::string bytes) {
    auto load = standin::MemoryLoadState::binary(std::move(bytes));
    return readValue(&load.state());
}

struct TextCase {
    double value;
    const char* text;  // without the leading space and the terminator
};

// The same bytes on every platform: this table runs in the Linux and the Windows builds.
TEST(StoredValues, TextIsSpaceFixedSixDecimalsAndTerminator) {
    const TextCase cases[] = {
        {0.5, "0.500000"},
        {-2.0, "-2.000000"},
        {0.1, "0.100000"},
        {0.33, "0.330000"},
        {1.0 / 3.0, "0.333333"},
        {2.0 / 3.0, "0.666667"},
        {-0.0, "-0.000000"},
        {1e-7, "0.000000"},
        {std::numeric_limits<double>::denorm_min(), "0.000000"},
        {123456.7890125, "123456.789012"},
        {1e20, "100000000000000000000.000000"},
        {-1e41, "-100000000000000000620008645040778319495168.000000"},
        {1e42, "1000000000000000044885712678075916785549312.000000"},
        {-1e42, "-1e+42"},
        {1e43, "1e+43"},
        {-1.5e300, "-1.5e+300"},
        {inf, "inf"},
        {-inf, "-inf"},
        {nan, "nan"},
        {-nan, "nan"},
    };
    for (const TextCase& c : cases) {
        const std::string expected = std::string(" ") + c.text + std::string(1, '\0');
        EXPECT_EQ(textItem(c.value), expected) << c.text;
    }
}

TEST(StoredValues, TextNeverOverflowsTheBuffer) {
    for (double v : {1e41, 9.99e41, -9.99e41, 1e42, std::numeric_limits<double>::max(),
                     -std::numeric_limits<double>::max()}) {
        const std::string item = textItem(v);
        EXPECT_LE(item.size(), static_cast<std::size_t>(storedTextBufferSize)) << v;
        EXPECT_EQ(item.back(), '\0');
        EXPECT_EQ(readText({item}), v) << ::testing::PrintToString(item);  // read back exactly
    }
}

// The formatted text ends with its own terminator, whatever the buffer held before: the
// terminator is part of the stored item.
TEST(StoredValues, FormattedTextTerminatesItselfInADirtyBuffer) {
    for (double v : {0.5, -1e43, inf, nan}) {
        char buffer[storedTextBufferSize];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        const int length = formatStoredText(v, buffer, storedTextBufferSize);
        ASSERT_GT(length, 0);
        ASSERT_LT(length, storedTextBufferSize);
        EXPECT_EQ(buffer[length], '\0') << v;
        EXPECT_EQ(std::string(buffer).size(), static_cast<std::size_t>(length)) << v;
    }
}

#ifndef _WIN32
// Where the fixed-point form fits, the bytes are those of the C library's " %lf".
TEST(StoredValues, TextMatchesTheCLibraryFormat) {
    std::vector<double> values = {0.0,
                                  1.0,
                                  -1.0,
                                  0.33,
                                  0.1,
                                  5e-7,
                                  4.9999995e-7,
                                  0.0000005,
                                  1e15 + 0.5,
                                  2.5e-6,
                                  1234567.0000005,
                                  9.99e40};
    for (int i = -30; i <= 30; ++i) values.push_back(std::ldexp(1.2345678901234567, i * 3));
    for (double v : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, " %lf", v);
        EXPECT_EQ(textItem(v), std::string(expected) + std::string(1, '\0')) << expected;
    }
}
#endif

TEST(StoredValues, TextIgnoresTheProcessLocale) {
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany"};
    const char* active = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_ALL, name)) {
            active = name;
            break;
        }
    }
    if (active == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string written = textItem(0.5);
    const std::optional<double> read = readText({" 0.250000"});
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(written, std::string(" 0.500000") + std::string(1, '\0')) << active;
    EXPECT_EQ(read, 0.25) << active;
}

TEST(StoredValues, BinaryIsBigEndianSingle) {
    const struct {
        double value;
        std::string bytes;
    } cases[] = {
        {0.5, std::string("\x3F\x00\x00\x00", 4)},
        {1.0, std::string("\x3F\x80\x00\x00", 4)},
        {0.1, std::string("\x3D\xCC\xCC\xCD", 4)},
        {0.33, std::string("\x3E\xA8\xF5\xC3", 4)},
        {-2.0, std::string("\xC0\x00\x00\x00", 4)},
        {3.4028234663852886e38, std::string("\x7F\x7F\xFF\xFF", 4)},
        {3.40282347e38 * 1.0000000001, std::string("\x7F\x7F\xFF\xFF", 4)},
        {3.4028236e38, std::string("\x7F\x80\x00\x00", 4)},
        {1e39, std::string("\x7F\x80\x00\x00", 4)},
        {-1e300, std::string("\xFF\x80\x00\x00", 4)},
        {inf, std::string("\x7F\x80\x00\x00", 4)},
    };
    for (const auto& c : cases) EXPECT_EQ(binaryBytes(c.value), c.bytes) << c.value;
}

TEST(StoredValues, SingleRoundingAtTheTopOfTheRange) {
    const double maxFloat = std::numeric_limits<float>::max();
    EXPECT_EQ(toSingle(maxFloat + 0x1p102), std::numeric_limits<float>::max());
    EXPECT_EQ(toSingle(maxFloat + 0x1p103), std::numeric_limits<float>::infinity());
    EXPECT_EQ(toSingle(-(maxFloat + 0x1p103)), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(toSingle(nan)));
}

TEST(StoredValues, RoundTripsKeepSixDecimalsOrSinglePrecision) {
    EXPECT_EQ(readText({textItem(0.33)}), 0.33);
    EXPECT_EQ(readText({textItem(0.1)}), 0.1);
    EXPECT_EQ(readText({textItem(1.0 / 3.0)}), 0.333333);
    EXPECT_EQ(readBinary(binaryBytes(0.33)), 0.33000001311302185);
    EXPECT_EQ(readBinary(binaryBytes(0.1)), 0.10000000149011612);
    EXPECT_EQ(readBinary(binaryBytes(1.0)), 1.0);
}

TEST(StoredValues, SpecialValuesReadBackAsSuch) {
    EXPECT_EQ(readText({textItem(inf)}), inf);
    EXPECT_EQ(readText({textItem(-inf)}), -inf);
    const std::optional<double> n = readText({textItem(nan)});
    ASSERT_TRUE(n.has_value());
    EXPECT_TRUE(std::isnan(*n));
}

TEST(StoredValues, TextReadingSkipsSpaceAndStopsAtTheFirstNonNumber) {
    EXPECT_EQ(readText({"   \t0.75xyz"}), 0.75);
    EXPECT_EQ(readText({"+2.5"}), 2.5);
    EXPECT_EQ(readText({"-1e3 7"}), -1000.0);
    EXPECT_EQ(readText({"1e999"}), inf);
    EXPECT_EQ(readText({"-1e999"}), -inf);
    EXPECT_EQ(readText({"1e-999"}), 0.0);
}

TEST(StoredValues, NoNumberIsNoValue) {
    EXPECT_FALSE(readText({"abc"}).has_value());
    EXPECT_FALSE(readText({""}).has_value());
    EXPECT_FALSE(readText({" ,5"}).has_value());
    EXPECT_FALSE(readText({"+-5"}).has_value());  // one sign at most, as the C library reads
    EXPECT_FALSE(readText({"++5"}).has_value());
    EXPECT_FALSE(readText({}).has_value());  // the host's -1 at the end of data
    EXPECT_FALSE(readBinary("").has_value());
    EXPECT_FALSE(readBinary(std::string("\x3F\x80\x00", 3)).has_value());
}

TEST(StoredValues, AnUnterminatedTextItemIsReadSafely) {
    auto load = standin::MemoryLoadState::text({" 12.5"});
    load.fillTextWithoutTerminator(true);
    const std::optional<double> v = readValue(&load.state());
    EXPECT_EQ(v, 12.5);  // the padding stops the number; nothing is read past the buffer
}

TEST(StoredValues, ShortBinaryReadsAreNoValue) {
    auto load = standin::MemoryLoadState::binary(std::string("\x3F\x80\x00\x00", 4));
    load.limitBytesPerRead(2);
    EXPECT_FALSE(readValue(&load.state()).has_value());
}

}  // namespace
}  // namespace pelorix3
