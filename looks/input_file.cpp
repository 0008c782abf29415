#include "looks/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/text_lines.h"

namespace looks {
namespace {

using BytesResult = base::Result<std::string>;

constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
// Text is judged by its first bytes: when more than a quarter of them are control bytes,
// it is not text. A NUL byte anywhere is never text.
constexpr std::size_t kSampleBytes = 4096;

std::string sizeText(std::size_t bytes) {
    constexpr std::size_t kGiB = std::size_t{1} << 30;
    if (bytes % kGiB == 0) return std::to_string(bytes / kGiB) + " GiB";
    return std::to_string(bytes >> 10) + " KiB";
}

std::string systemReason(const std::string& name) {
    return "cannot read " + name + ": " + std::strerror(errno);
}

std::string tooLarge(const std::string& name, const InputKind& kind, const char* measure) {
    return "cannot read " + name + ": it is " + measure + " than " + sizeText(kind.maxBytes) +
           ", more than " + kind.what + " can be";
}

// Judges a file's text as its bytes arrive. A file of a kind that may also be binary is
// judged only once its first bytes show that it is not the binary form.
class TextCheck {
public:
    explicit TextCheck(const char* binaryStart)
        : binaryStart_(binaryStart ? binaryStart : ""),
          form_(binaryStart ? Form::Undecided : Form::Text) {}

    // Why the bytes read so far are not text, looking at those from `newFrom` on; empty
    // while they may be.
    std::string reason(const std::string& bytes, std::size_t newFrom, bool end) {
        if (form_ == Form::Undecided) {
            const std::string_view head(bytes.data(), std::min(bytes.size(), binaryStart_.size()));
            if (head == binaryStart_) {
                form_ = Form::Binary;
            } else if (head == binaryStart_.substr(0, head.size()) && !end) {
                return {};  // the binary form's beginning so far: wait for more
            } else {
                form_ = Form::Text;
                newFrom = 0;  // what was held back is judged now
            }
        }
        if (form_ == Form::Binary) return {};
        const void* nul = std::memchr(bytes.data() + newFrom, '\0', bytes.size() - newFrom);
        if (nul) {
            const auto at = static_cast<const char*>(nul) - bytes.data();
            return "byte " + std::to_string(at + 1) + " is a NUL";
        }
        if (sampled_ || !(end || bytes.size() >= kSampleBytes)) return {};
        sampled_ = true;
        const std::string_view sample = std::string_view(bytes).substr(0, kSampleBytes);
        if (!base::isMostlyControlBytes(sample)) return {};
        return std::to_string(base::controlByteCount(sample)) + " of its first " +
               std::to_string(sample.size()) + " bytes are control characters";
    }

private:
    enum class Form { Undecided, Text, Binary };

    std::string_view binaryStart_;
    Form form_;
    bool sampled_ = false;
};

ssize_t readSome(int fd, char* into, std::size_t count) {
    ssize_t got = 0;
    do {
        got = ::read(fd, into, count);
    } while (got < 0 && errno == EINTR);
    return got;
}

// Reads to the end of `fd`, stopping as soon as the kind's limit is passed or the text
// check fails.
BytesResult readAll(int fd, const std::string& name, const InputKind& kind,
                    std::size_t expectedBytes) {
    std::string bytes;
    TextCheck check(kind.binaryStart);
    for (;;) {
        const std::size_t before = bytes.size();
        // The first chunk alone, so that what is not text is refused from it; then the rest
        // of a regular file in one read, and a stream a chunk at a time.
        const std::size_t rest = expectedBytes >= before ? expectedBytes + 1 - before : 0;
        const std::size_t wanted = before == 0 ? kChunkBytes : std::max(kChunkBytes, rest);
        const std::size_t room = std::min(wanted, kind.maxBytes + 1 - before);
        bytes.resize(before + room);
        const ssize_t got = readSome(fd, bytes.data() + before, room);
        if (got < 0) return BytesResult::failure(systemReason(name));
        bytes.resize(before + static_cast<std::size_t>(got));
        if (bytes.size() > kind.maxBytes) {
            return BytesResult::failure(tooLarge(name, kind, "longer"));
        }
        if (kind.text) {
            const std::string notText = check.reason(bytes, before, got == 0);
            if (!notText.empty()) {
                return BytesResult::failure(name + " is not " + kind.what + ": it is not text (" +
                                            notText + ")");
            }
        }
        if (got == 0) return BytesResult::success(std::move(bytes));
    }
}

const char* typeName(mode_t mode) {
    if (S_ISREG(mode)) return "a regular file";
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "a special file";
}

// What can be known of an opened file before reading it: a directory is refused, a device
// where the kind takes none, and a regular file too large for its kind; its size, for a
// regular file.
base::Result<std::size_t> expectedSize(int fd, const std::string& name, const InputKind& kind) {
    using SizeResult = base::Result<std::size_t>;
    struct stat status {};
    if (fstat(fd, &status) != 0) return SizeResult::failure(systemReason(name));
    if (S_ISDIR(status.st_mode)) {
        return SizeResult::failure("cannot read " + name + ": it is a directory");
    }
    if (!kind.streams && !S_ISREG(status.st_mode)) {
        return SizeResult::failure("cannot read " + name + ": it is " + typeName(status.st_mode) +
                                   "; " + kind.what + " is read from a regular file only");
    }
    if (!kind.devices && !S_ISREG(status.st_mode) && !S_ISFIFO(status.st_mode)) {
        return SizeResult::failure("cannot read " + name + ": it is " + typeName(status.st_mode) +
                                   "; " + kind.what + " is read from a file or a pipe");
    }
    if (!S_ISREG(status.st_mode)) return SizeResult::success(0);
    const auto size = static_cast<std::uintmax_t>(status.st_size);
    if (size > kind.maxBytes) {
        return SizeResult::failure(tooLarge(name, kind, "larger"));
    }
    return SizeResult::success(static_cast<std::size_t>(size));
}

}  // namespace

std::string inputName(const std::string& path) {
    return path == kStandardStream ? "standard input" : path;
}

std::string kindOfFile(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) return "nothing";
    if (!S_ISLNK(link.st_mode)) return typeName(link.st_mode);
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0) return "a link to nothing";
    return std::string("a link to ") + typeName(target.st_mode);
}

std::optional<std::string> whyUnreadable(const std::string& bytes, const InputKind& kind) {
    if (bytes.size() > kind.maxBytes) {
        return "it would take " + std::to_string(bytes.size()) + " bytes, more than the " +
               sizeText(kind.maxBytes) + " " + kind.what + " may take";
    }
    if (!kind.text) return std::nullopt;
    const std::string notText = TextCheck(kind.binaryStart).reason(bytes, 0, true);
    if (notText.empty()) return std::nullopt;
    return "it would not be text (" + notText + ")";
}

base::Result<std::string> readInputFile(const std::string& path, const InputKind& kind) {
    const std::string name = inputName(path);
    const bool standardInput = path == kStandardStream;
    const int flags = O_RDONLY | O_CLOEXEC | (kind.streams ? 0 : O_NONBLOCK);
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), flags);
    if (fd < 0) return BytesResult::failure(systemReason(name));
    const base::Result<std::size_t> size = expectedSize(fd, name, kind);
    BytesResult bytes =
        size ? readAll(fd, name, kind, size.value()) : BytesResult::failure(size.error());
    if (!standardInput) ::close(fd);
    return bytes;
}

}  // namespace looks
