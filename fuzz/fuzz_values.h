// Values for the fuzz targets: numbers that stress floating-point code far more often than
// uniformly random bits would, and a check that stops the run when an expectation fails.
#ifndef PELORIX3_FUZZ_FUZZ_VALUES_H
#define PELORIX3_FUZZ_FUZZ_VALUES_H

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace fuzz {

// Stops the run with a message; libFuzzer keeps the input that got here as a crash.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void require(bool condition, const char* what) {
    if (!condition) fail(what);
}

// Half of the time one of the awkward values (not-a-number, infinities, denormals, zeros,
// the extremes, the neighbours of one), otherwise any bit pattern of a double.
inline double anyDouble(FuzzedDataProvider& data) {
    using limits = std::numeric_limits<double>;
    static constexpr double awkward[] = {
        0.0,
        -0.0,
        1.0,
        -1.0,
        0.5,
        0.2,
        1.0 + limits::epsilon(),
        1.0 - limits::epsilon() / 2,
        1e-7,
        limits::denorm_min(),
        -limits::denorm_min(),
        limits::min(),
        limits::max(),
        -limits::max(),
        limits::infinity(),
        -limits::infinity(),
        limits::quiet_NaN(),
        -limits::quiet_NaN(),
        limits::signaling_NaN(),
        1e300,
        -1e300,
        1e-300,
        3.4028235677973366e38,  // just above the largest float
        0.015625,
    };
    if (data.ConsumeBool()) return data.PickValueInArray(awkward);
    return std::bit_cast<double>(data.ConsumeIntegral<std::uint64_t>());
}

// A small signed number with the awkward ones among it.
inline double smallDouble(FuzzedDataProvider& data) {
    if (data.ConsumeBool()) return anyDouble(data);
    return data.ConsumeFloatingPointInRange(-4.0, 4.0);
}

}  // namespace fuzz

#endif
