#include "tools/preview/picture_writer.h"

#include "tools/preview/png_file.h"

namespace preview {
namespace {

constexpr std::size_t kWaiting = 2;

}  // namespace

base::Status PictureWriter::start() {
    return thread_.start(1, [this] { run(); });
}

bool PictureWriter::write(render::Image picture, std::string path) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < kWaiting || !failure_; });
    if (!failure_) return false;
    queue_.emplace_back(std::move(picture), std::move(path));
    changed_.notify_all();
    return true;
}

base::Status PictureWriter::finish() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
    const std::lock_guard lock(mutex_);
    return failure_;
}

void PictureWriter::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
        if (queue_.empty()) return;
        const auto& [picture, path] = queue_.front();
        lock.unlock();
        base::Status written = writePng(picture, path);
        lock.lock();
        queue_.pop_front();
        if (!written && failure_) failure_ = std::move(written);
        if (!failure_) queue_.clear();
        changed_.notify_all();
    }
}

}  // namespace preview
