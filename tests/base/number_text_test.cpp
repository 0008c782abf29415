// Doubles to text and back give the same results on every target: pinned texts and a
// pinned digest over a sweep of varied doubles, the same constants on every build; where
// the C++ library has floating-point to_chars and from_chars, the C library's path is also
// held to them value by value.
#include "base/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/bit_cast.h"

namespace {

namespace nt = base::number_text;
using pelorix3::bitCast;

using Formatter = std::to_chars_result (*)(char*, char*, double);

std::string fixed6(double value) {
    char text[400];
    const auto result = nt::fixed(text, text + sizeof text, value, 6);
    return result.ec == std::errc() ? std::string(text, result.ptr) : "<too large>";
}

std::string format(Formatter formatter, double value) {
    char text[400];
    const auto result = formatter(text, text + sizeof text, value);
    return result.ec == std::errc() ? std::string(text, result.ptr) : "<too large>";
}

struct Parsed {
    std::errc ec;
    std::ptrdiff_t used;
    double value;
};

Parsed parse(const std::string& text,
             std::from_chars_result (*parser)(const char*, const char*, double&) = nt::parse) {
    double value = -7.0;
    const auto result = parser(text.data(), text.data() + text.size(), value);
    return {result.ec, result.ptr - text.data(), value};
}

struct FormatCase {
    double value;
    const char* fixed;
    const char* scientific;
    const char* shortest;
};

TEST(NumberText, FormatsPinnedValues) {
    const FormatCase cases[] = {
        {0.0, "0.000000", "0e+00", "0"},
        {-0.0, "-0.000000", "-0e+00", "-0"},
        {0.33, "0.330000", "3.3e-01", "0.33"},
        {0.1, "0.100000", "1e-01", "0.1"},
        {1.0, "1.000000", "1e+00", "1"},
        {100.0, "100.000000", "1e+02", "100"},
        {-2.0, "-2.000000", "-2e+00", "-2"},
        {0.4980392156862745, "0.498039", "4.980392156862745e-01", "0.4980392156862745"},
        {double(0.33f), "0.330000", "3.3000001311302185e-01", "0.33000001311302185"},
        {123e-7, "0.000012", "1.23e-05", "1.23e-05"},
        {1e15, "1000000000000000.000000", "1e+15", "1e+15"},
        {1.2345678901234568e+20, "123456789012345683968.000000", "1.2345678901234568e+20",
         "123456789012345683968"},
        {9007199254740993.0, "9007199254740992.000000", "9.007199254740992e+15",
         "9007199254740992"},
        {5e-324, "0.000000", "5e-324", "5e-324"},
        {std::numeric_limits<double>::max(), nullptr, "1.7976931348623157e+308",
         "1.7976931348623157e+308"},
        {std::numeric_limits<double>::infinity(), "inf", "inf", "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf", "-inf", "-inf"},
        {0.0000005, "0.000000", "5e-07", "5e-07"},  // a little below 5e-7 in binary
        {0.0000025, "0.000003", "2.5e-06", "2.5e-06"},
        {2.5, "2.500000", "2.5e+00", "2.5"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.shortest);
        if (c.fixed) {
            EXPECT_EQ(fixed6(c.value), c.fixed);
        }
        EXPECT_EQ(format(nt::scientific, c.value), c.scientific);
        EXPECT_EQ(format(nt::shortest, c.value), c.shortest);
    }
    char small[400];
    // 1.7976931348623157e308 in fixed needs 316 characters: a smaller buffer refuses it.
    EXPECT_EQ(nt::fixed(small, small + 300, std::numeric_limits<double>::max(), 6).ec,
              std::errc::value_too_large);
    EXPECT_EQ(nt::fixed(small, small + 4, 1.0, 6).ec, std::errc::value_too_large);
}

TEST(NumberText, ParsesAsFromCharsDoes) {
    struct Case {
        const char* text;
        std::errc ec;
        std::ptrdiff_t used;
        double value;  // -7 where the value is left alone
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"0.330000", std::errc(), 8, 0.33},
        {"1e", std::errc(), 1, 1.0},
        {"1e+", std::errc(), 1, 1.0},
        {"1.", std::errc(), 2, 1.0},
        {".5", std::errc(), 2, 0.5},
        {"-0", std::errc(), 2, -0.0},
        {"2.5e3x", std::errc(), 5, 2500.0},
        {"0x1p3", std::errc(), 1, 0.0},
        {"inf", std::errc(), 3, inf},
        {"-INFINITY", std::errc(), 9, -inf},
        {"4e-320", std::errc(), 6, 4e-320},
        {"2.4703282292062328e-324", std::errc(), 23, 5e-324},
        {"  1", std::errc::invalid_argument, 0, -7.0},
        {"+1", std::errc::invalid_argument, 0, -7.0},
        {"e5", std::errc::invalid_argument, 0, -7.0},
        {"", std::errc::invalid_argument, 0, -7.0},
        {"-", std::errc::invalid_argument, 0, -7.0},
        {"1e400", std::errc::result_out_of_range, 5, -7.0},
        {"-1e400", std::errc::result_out_of_range, 6, -7.0},
        {"1e-400", std::errc::result_out_of_range, 6, -7.0},
        {"2.4703282292062327e-324", std::errc::result_out_of_range, 23, -7.0},
        {"0e-999", std::errc(), 6, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Parsed parsed = parse(c.text);
        EXPECT_EQ(parsed.ec, c.ec);
        EXPECT_EQ(parsed.used, c.used);
        EXPECT_EQ(bitCast<std::uint64_t>(parsed.value), bitCast<std::uint64_t>(c.value));
    }
    for (const char* text : {"nan", "nan(123)", "NaN", "nanx"}) {
        SCOPED_TRACE(text);
        const Parsed parsed = parse(text);
        EXPECT_EQ(parsed.ec, std::errc());
        EXPECT_TRUE(std::isnan(parsed.value));
    }
    EXPECT_EQ(parse("nan(123)").used, 8);
    EXPECT_EQ(parse("nanx").used, 3);
    EXPECT_EQ(parse("nan(1").used, 3);
}

// Varied doubles made with integer arithmetic, the same on every target: random bit
// patterns, every power of two and its neighbours, whole numbers, short decimals, tiny
// and huge values.
std::vector<double> sweepValues() {
    std::vector<double> values;
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state;
    };
    for (int i = 0; i < 12000; ++i) {
        const double value = bitCast<double>(next());
        if (std::isfinite(value)) values.push_back(value);
    }
    for (int k = -1074; k <= 1023; k += 1) {
        const double power = std::ldexp(1.0, k);
        values.push_back(power);
        values.push_back(std::nextafter(power, 0.0));
        values.push_back(std::nextafter(power, 2.0 * power));
    }
    for (int i = 0; i < 4000; ++i) {
        values.push_back(static_cast<double>(next() >> (11 + i % 50)));
        values.push_back(static_cast<double>(next() % 2000001) / 1000000.0);
        values.push_back(-static_cast<double>(next() % 100001) / 100000.0 *
                         std::ldexp(1.0, i % 60 - 30));
    }
    return values;
}

std::uint64_t digest(std::uint64_t hash, const std::string& text) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    hash ^= 0xFF;
    return hash * 1099511628211ULL;
}

// The digest of every text of the sweep, pinned: computed once natively (through the C++
// library), and every build must arrive at it.
constexpr std::uint64_t kSweepDigest = 0x68efe9c0df000d1cULL;

TEST(NumberText, SweepGivesThePinnedTextsAndReadsBack) {
    std::uint64_t hash = 14695981039346656037ULL;
    int notReadBack = 0;
    for (const double value : sweepValues()) {
        const std::string texts[] = {format(nt::shortest, value), format(nt::scientific, value),
                                     fixed6(value)};
        for (const std::string& text : texts) hash = digest(hash, text);
        for (const std::string& text : {texts[0], texts[1]}) {
            const Parsed parsed = parse(text);
            if (parsed.ec != std::errc() || parsed.value != value ||
                parsed.used != static_cast<std::ptrdiff_t>(text.size()))
                ++notReadBack;
        }
        const Parsed fixedBack = parse(texts[2]);
        hash = digest(hash, format(nt::shortest, fixedBack.value));
    }
    EXPECT_EQ(notReadBack, 0);
    EXPECT_EQ(hash, kSweepDigest) << std::hex << "digest 0x" << hash;
}

#if !defined(__EMSCRIPTEN__) && !defined(_WIN32)
// Where both exist, the C library's path gives exactly the C++ library's texts and values.
// Natively only: glibc's conversions are exact, like emscripten's, on which the C library's
// path runs; the Windows C library (msvcrt) rounds some of them otherwise, which is why the
// Windows build keeps the C++ library's path.
TEST(NumberText, CLibraryPathMatchesTheCppLibrary) {
    int differences = 0;
    for (const double value : sweepValues()) {
        char a[400], b[400];
        auto same = [&](std::to_chars_result x, std::to_chars_result y) {
            return x.ec == y.ec && std::string(a, x.ptr) == std::string(b, y.ptr);
        };
        if (!same(std::to_chars(a, a + 400, value), nt::c_library::shortest(b, b + 400, value)) ||
            !same(std::to_chars(a, a + 400, value, std::chars_format::scientific),
                  nt::c_library::scientific(b, b + 400, value)) ||
            !same(std::to_chars(a, a + 400, value, std::chars_format::fixed, 6),
                  nt::c_library::fixed(b, b + 400, value, 6))) {
            ADD_FAILURE() << "texts differ for " << format(nt::shortest, value);
            if (++differences > 10) return;
        }
        const std::string text = format(nt::shortest, value);
        for (const std::string& probe : {text, text + "e", text.substr(0, text.size() / 2),
                                         "-" + text, text + "1e-999", text + "e999"}) {
            const Parsed expected = parse(probe, [](const char* f, const char* l, double& v) {
                return std::from_chars(f, l, v, std::chars_format::general);
            });
            const Parsed actual = parse(probe, nt::c_library::parse);
            if (expected.ec != actual.ec || expected.used != actual.used ||
                bitCast<std::uint64_t>(expected.value) != bitCast<std::uint64_t>(actual.value)) {
                ADD_FAILURE() << "parsing differs for \"" << probe << "\"";
                if (++differences > 10) return;
            }
        }
    }
}
// Zero, its negative, the infinities and not-a-number take their own branch in the C
// library's path; their texts are the C++ library's too.
TEST(NumberText, CLibraryPathWritesTheSpecialValuesAsTheCppLibrary) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const double value : {0.0, -0.0, inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        char a[64], b[64];
        const auto text = [](char* first, std::to_chars_result r) {
            return std::string(first, r.ptr);
        };
        EXPECT_EQ(text(b, nt::c_library::shortest(b, b + 64, value)),
                  text(a, std::to_chars(a, a + 64, value)));
        EXPECT_EQ(text(b, nt::c_library::scientific(b, b + 64, value)),
                  text(a, std::to_chars(a, a + 64, value, std::chars_format::scientific)));
        EXPECT_EQ(text(b, nt::c_library::fixed(b, b + 64, value, 6)),
                  text(a, std::to_chars(a, a + 64, value, std::chars_format::fixed, 6)));
    }
}

// A text handed over with its end inside a number is read up to that end, never beyond,
// even where the bytes after it would continue the number; a not-a-number's tag in
// parentheses belongs to it only once its parenthesis closes.
TEST(NumberText, CLibraryParseReadsNoFurtherThanTheEnd) {
    for (const std::string text :
         {"1e+5", "2.5e-3", "-7.25E+12", "3e5", "nan(1_aZ)", "-NaN()", "-Infinity"}) {
        for (std::size_t end = 1; end <= text.size(); ++end) {
            const char* first = text.data();
            double expected = 0.0;
            double actual = 0.0;
            const auto e =
                std::from_chars(first, first + end, expected, std::chars_format::general);
            const auto a = nt::c_library::parse(first, first + end, actual);
            const std::string shown = text.substr(0, end);
            EXPECT_EQ(a.ptr - first, e.ptr - first) << shown;
            EXPECT_EQ(a.ec, e.ec) << shown;
            if (e.ec == std::errc()) {
                EXPECT_EQ(bitCast<std::uint64_t>(actual), bitCast<std::uint64_t>(expected))
                    << shown;
            }
        }
    }
}
#endif

}  // namespace
