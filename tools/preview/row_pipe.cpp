#include "tools/preview/row_pipe.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace preview {
namespace {

using base::Status;

constexpr std::int32_t kFailureFrame = -1;
// Longer accounts of a failure are cut: the parent prints it on one line.
constexpr std::size_t kLongestMessage = 4096;

bool writeAll(int fd, const void* data, std::size_t count) {
    const char* at = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t written = ::write(fd, at, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        at += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

std::int32_t readInt(const char* at) {
    std::int32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::size_t rowBytes(const render::Image& image) {
    return 3 * static_cast<std::size_t>(image.width);
}

}  // namespace

bool RowSender::sendRow(int y, const unsigned char* rgb, std::size_t bytes) {
    const std::int32_t number = y;
    return writeAll(fd_, &number, sizeof number) && writeAll(fd_, rgb, bytes);
}

void RowSender::sendFailure(const std::string& message) {
    const std::string text = message.substr(0, kLongestMessage);
    const std::int32_t header[2] = {kFailureFrame, static_cast<std::int32_t>(text.size())};
    if (writeAll(fd_, header, sizeof header)) writeAll(fd_, text.data(), text.size());
}

Status RowReceiver::take(const char* bytes, std::size_t count,
                         const std::function<void()>& rowArrived) {
    pending_.insert(pending_.end(), bytes, bytes + count);
    std::size_t used = 0;
    for (;;) {
        const base::Result<std::size_t> frame = takeFrame(used, rowArrived);
        if (!frame) return Status::failure(frame.error());
        if (frame.value() == 0) break;
        used += frame.value();
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
    return base::succeeded();
}

base::Result<std::size_t> RowReceiver::takeFrame(std::size_t at,
                                                 const std::function<void()>& rowArrived) {
    using Outcome = base::Result<std::size_t>;
    constexpr std::size_t header = sizeof(std::int32_t);
    const char* frame = pending_.data() + at;
    const std::size_t available = pending_.size() - at;
    if (available < header) return Outcome::success(0);
    const std::int32_t y = readInt(frame);
    if (y == kFailureFrame) {
        if (available < 2 * header) return Outcome::success(0);
        const std::int32_t length = readInt(frame + header);
        if (length < 0 || static_cast<std::size_t>(length) > kLongestMessage)
            return Outcome::failure("an account of its failure that is not text");
        const std::size_t size = 2 * header + static_cast<std::size_t>(length);
        if (available < size) return Outcome::success(0);
        failure_ = std::string(frame + 2 * header, static_cast<std::size_t>(length));
        return Outcome::success(size);
    }
    if (y < 0 || y >= image_.height || !band_.covers(y) || received_[static_cast<std::size_t>(y)])
        return Outcome::failure("row " + std::to_string(y) + ", which it was not given");
    const std::size_t bytes = rowBytes(image_);
    if (available < header + bytes) return Outcome::success(0);
    std::copy_n(
        frame + header, bytes,
        image_.rgb.begin() + static_cast<std::ptrdiff_t>(bytes * static_cast<std::size_t>(y)));
    received_[static_cast<std::size_t>(y)] = true;
    ++rows_;
    if (rowArrived) rowArrived();
    return Outcome::success(header + bytes);
}

int rowsOf(const render::RowBand& band, int height) {
    if (band.first >= height) return 0;
    return (height - band.first + band.step - 1) / band.step;
}

}  // namespace preview
