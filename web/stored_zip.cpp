#include "web/stored_zip.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <optional>
#include <utility>

#include "web/crc32.h"

namespace studio {
namespace {

using EntriesResult = base::Result<std::vector<ZipEntry>>;

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndSize = 22;
constexpr std::uint16_t kVersion = 10;  // 1.0: stored entries, no folders
constexpr std::uint16_t kEncrypted = 1;

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFFu);
    out += static_cast<char>((value >> 8) & 0xFFu);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

std::uint32_t get16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

std::uint32_t get32(const std::string& bytes, std::size_t at) {
    return get16(bytes, at) | (get16(bytes, at + 2) << 16);
}

// The DOS time and date of now, local time, as zip tools show it.
std::pair<std::uint16_t, std::uint16_t> dosNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr || local->tm_year < 80) return {0, (1 << 5) | 1};  // 1980-01-01
    const auto time = static_cast<std::uint16_t>((local->tm_hour << 11) | (local->tm_min << 5) |
                                                 (local->tm_sec / 2));
    const auto date = static_cast<std::uint16_t>(((local->tm_year - 80) << 9) |
                                                 ((local->tm_mon + 1) << 5) | local->tm_mday);
    return {time, date};
}

// What the local and the central header share, from "version needed" to the name's length.
std::string commonHeader(const ZipEntry& entry, std::pair<std::uint16_t, std::uint16_t> when) {
    std::string out;
    put16(out, kVersion);
    put16(out, 0);  // flags
    put16(out, 0);  // stored
    put16(out, when.first);
    put16(out, when.second);
    put32(out, crc32(entry.bytes));
    put32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    put32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    put16(out, static_cast<std::uint32_t>(entry.name.size()));
    put16(out, 0);  // no extra field
    return out;
}

bool isBareName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string::npos &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Where the end of the central directory starts: the last signature that leaves room for
// the record and its comment.
std::optional<std::size_t> endOfDirectory(const std::string& bytes) {
    if (bytes.size() < kEndSize) return std::nullopt;
    const std::size_t lowest =
        bytes.size() > kEndSize + 0xFFFF ? bytes.size() - kEndSize - 0xFFFF : 0;
    for (std::size_t at = bytes.size() - kEndSize + 1; at-- > lowest;) {
        if (get32(bytes, at) == kEndOfDirectory &&
            at + kEndSize + get16(bytes, at + 20) == bytes.size()) {
            return at;
        }
    }
    return std::nullopt;
}

// The entry whose central header starts at `at`; `next` is set past that header.
base::Result<ZipEntry> readEntry(const std::string& bytes, std::size_t at, std::size_t end,
                                 const std::string& archive, std::size_t& next) {
    using EntryResult = base::Result<ZipEntry>;
    const auto damaged = [&archive](const std::string& what) {
        return EntryResult::failure(archive + " is damaged: " + what);
    };
    if (at > end || end - at < kCentralHeaderSize || get32(bytes, at) != kCentralHeader) {
        return damaged("its list of files is cut short");
    }
    const std::size_t nameLength = get16(bytes, at + 28);
    next = at + kCentralHeaderSize + nameLength + get16(bytes, at + 30) + get16(bytes, at + 32);
    if (next > end) return damaged("its list of files is cut short");
    ZipEntry entry{bytes.substr(at + kCentralHeaderSize, nameLength), {}};
    if (!isBareName(entry.name)) {
        return EntryResult::failure(
            archive + " holds \"" + entry.name +
            "\": a look file holds its files under bare names, in no folder");
    }
    if (get16(bytes, at + 8) & kEncrypted) {
        return EntryResult::failure(archive + ": " + entry.name + " is encrypted");
    }
    if (get16(bytes, at + 10) != 0) {
        return EntryResult::failure(
            archive + ": " + entry.name +
            " is compressed; the studio reads zip files whose entries are stored, as it writes "
            "them (zip -0 makes one)");
    }
    const std::uint32_t size = get32(bytes, at + 24);
    const std::size_t local = get32(bytes, at + 42);
    if (get32(bytes, at + 20) != size || local > end || end - local < kLocalHeaderSize ||
        get32(bytes, local) != kLocalHeader) {
        return damaged(entry.name + " is not where its list says");
    }
    const std::size_t data =
        local + kLocalHeaderSize + get16(bytes, local + 26) + get16(bytes, local + 28);
    if (data > end || size > end - data) return damaged(entry.name + " is cut short");
    entry.bytes = bytes.substr(data, size);
    if (crc32(entry.bytes) != get32(bytes, at + 16)) {
        return damaged(entry.name + " does not match its checksum");
    }
    return EntryResult::success(std::move(entry));
}

}  // namespace

std::string storedZip(const std::vector<ZipEntry>& entries) {
    const auto when = dosNow();
    std::string out;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const auto offset = static_cast<std::uint32_t>(out.size());
        const std::string common = commonHeader(entry, when);
        put32(out, kLocalHeader);
        out += common + entry.name + entry.bytes;
        put32(directory, kCentralHeader);
        put16(directory, kVersion);  // made by: MS-DOS, version 1.0
        directory += common;
        put16(directory, 0);  // no comment
        put16(directory, 0);  // disk 0
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory += entry.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, kEndOfDirectory);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(entries.size()));
    put16(out, static_cast<std::uint32_t>(entries.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);  // no comment
    return out;
}

bool looksLikeZip(const std::string& bytes) {
    return bytes.size() >= 4 && get32(bytes, 0) == kLocalHeader;
}

EntriesResult readStoredZip(const std::string& bytes, const std::string& name) {
    const std::optional<std::size_t> end = endOfDirectory(bytes);
    if (!looksLikeZip(bytes) || !end) return EntriesResult::failure(name + " is not a zip file");
    if (get16(bytes, *end + 4) != 0 || get16(bytes, *end + 6) != 0 ||
        get16(bytes, *end + 8) != get16(bytes, *end + 10)) {
        return EntriesResult::failure(name + " is one part of a zip file split into several");
    }
    std::vector<ZipEntry> entries;
    std::size_t at = get32(bytes, *end + 16);
    for (std::uint32_t i = 0; i < get16(bytes, *end + 10); ++i) {
        std::size_t next = 0;
        base::Result<ZipEntry> entry = readEntry(bytes, at, *end, name, next);
        if (!entry) return EntriesResult::failure(entry.error());
        const bool repeated =
            std::any_of(entries.begin(), entries.end(),
                        [&entry](const ZipEntry& e) { return e.name == entry->name; });
        if (repeated) return EntriesResult::failure(name + " holds " + entry->name + " twice");
        entries.push_back(std::move(entry.value()));
        at = next;
    }
    return EntriesResult::success(std::move(entries));
}

}  // namespace studio
