#include "looks/parameter_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

#include "framework/bit_cast.h"
#include "host/storage_states.h"
#include "looks/input_file.h"
#include "looks/stored_number.h"

namespace looks {
namespace {

using FileResult = base::Result<ParameterFile>;

constexpr std::size_t kBinaryValueSize = 4;
constexpr std::size_t kBinaryBlockSize = ParameterBlock::count * kBinaryValueSize;

bool isTextByte(unsigned char c) {
    return (c >= 0x20 && c < 0x7F) || c == '\n' || c == '\r' || c == '\t';
}

HostStorageMode detectMode(const std::string& bytes) {
    const bool text = std::all_of(bytes.begin(), bytes.end(),
                                  [](char c) { return isTextByte(static_cast<unsigned char>(c)); });
    return text ? HOST_IO_ASCII : HOST_IO_BINARY;
}

bool isBlank(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Lines as the host's text storage reads them back: without "\n" or "\r\n". Blank lines
// at the end (an editor often adds one) are no part of the block.
std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream stream(bytes);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    while (!lines.empty() && isBlank(lines.back())) lines.pop_back();
    return lines;
}

FileResult parseText(const std::string& path, const std::string& bytes) {
    ParameterFile file;
    file.mode = HOST_IO_ASCII;
    file.lines = splitLines(bytes);
    if (file.lines.size() != ParameterBlock::count) {
        return FileResult::failure(path + " is not a parameter file: it holds " +
                                   std::to_string(file.lines.size()) +
                                   " lines of text, a parameter block has 7 values");
    }
    std::array<double, ParameterBlock::count> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::optional<double> value = parseStoredNumber(file.lines[i]);
        if (!value) {
            return FileResult::failure(path + " is damaged: line " + std::to_string(i + 1) +
                                       " is not a number: \"" + file.lines[i] + "\"");
        }
        values[i] = *value;
    }
    file.block = ParameterBlock::fromValues(values);
    return FileResult::success(std::move(file));
}

double bigEndianFloat(const std::string& bytes, std::size_t at) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < kBinaryValueSize; ++i) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return static_cast<double>(pelorix3::bitCast<float>(bits));
}

FileResult parseBinary(const std::string& path, const std::string& bytes) {
    if (bytes.size() != kBinaryBlockSize) {
        return FileResult::failure(path + " is not a binary parameter file: it is " +
                                   std::to_string(bytes.size()) +
                                   " bytes long, a binary parameter block is 28");
    }
    std::array<double, ParameterBlock::count> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = bigEndianFloat(bytes, i * kBinaryValueSize);
        if (!std::isfinite(values[i])) {
            return FileResult::failure(path + " is damaged: value " + std::to_string(i + 1) +
                                       " is not a finite number");
        }
    }
    ParameterFile file;
    file.mode = HOST_IO_BINARY;
    file.block = ParameterBlock::fromValues(values);
    file.bytes = bytes;
    return FileResult::success(std::move(file));
}

}  // namespace

base::Result<ParameterFile> parseParameterData(const std::string& name, const std::string& bytes,
                                               StorageMode mode) {
    const HostStorageMode resolved = mode == StorageMode::Auto   ? detectMode(bytes)
                                     : mode == StorageMode::Text ? HOST_IO_ASCII
                                                                 : HOST_IO_BINARY;
    return resolved == HOST_IO_ASCII ? parseText(name, bytes) : parseBinary(name, bytes);
}

base::Result<ParameterFile> readParameterFile(const std::string& path, StorageMode mode) {
    const base::Result<std::string> bytes =
        readInputFile(path, mode == StorageMode::Text ? kParameterTextInput : kParameterInput);
    if (!bytes) return FileResult::failure(bytes.error());
    return parseParameterData(inputName(path), bytes.value(), mode);
}

base::Status loadInto(standin::ShaderInstance& instance, const ParameterFile& file) {
    const standin::MemoryLoadState state = file.mode == HOST_IO_BINARY
                                               ? standin::MemoryLoadState::binary(file.bytes)
                                               : standin::MemoryLoadState::text(file.lines);
    if (const HostError error = instance.load(state.state())) {
        return base::Status::failure(std::string("the module refused the parameter file: ") +
                                     error);
    }
    return base::succeeded();
}

}  // namespace looks
