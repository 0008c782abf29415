// One stored number in the host's two storage modes: text " %lf" with its terminator, or
// a 4-byte big-endian single-precision float.
#ifndef PELORIX3_FRAMEWORK_VALUE_STREAM_H
#define PELORIX3_FRAMEWORK_VALUE_STREAM_H

#include <optional>

#include "framework/host_interface.h"

namespace pelorix3 {

// Size of the buffer a text value is formatted into and read back from.
inline constexpr int storedTextBufferSize = 52;

// Writes value in the state's mode. Text is independent of the process locale.
void writeStoredValue(const SaveState* state, double value);

// Reads one value; empty when the host delivered no value (end of data, no number in a
// text item, fewer than four bytes in binary mode).
std::optional<double> readValue(const LoadState* state);

// The stored text form of value without the leading space and terminator: fixed-point with
// six decimals when it fits the buffer, else a round-trip exponent form; "inf", "-inf" and
// "nan" for the special values.
int formatStoredText(double value, char* buffer, int size);

// Rounds value to single precision (to nearest), infinities beyond the float range.
float toSingle(double value);

}  // namespace pelorix3

#endif
