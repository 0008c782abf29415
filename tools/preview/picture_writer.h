// Pictures written in a thread of their own, in the order they are given, while the caller
// renders the next: a small picture takes about as long to write whole, synced to the
// disk, as to render, so that a series written in turn would spend half its time waiting
// for the disk.
#ifndef PELORIX3_TOOLS_PREVIEW_PICTURE_WRITER_H
#define PELORIX3_TOOLS_PREVIEW_PICTURE_WRITER_H

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

#include "base/result.h"
#include "render/panel_painter.h"
#include "render/thread_team.h"

namespace preview {

class PictureWriter {
public:
    PictureWriter() = default;
    PictureWriter(const PictureWriter&) = delete;
    PictureWriter& operator=(const PictureWriter&) = delete;
    // Writes what is queued, as finish() does; a failure then is the caller's to have seen.
    ~PictureWriter() { static_cast<void>(finish()); }

    // Starts the writing thread; a failure when the system cannot start it.
    base::Status start();
    // Queues `picture` to be written as a PNG file to `path`, waiting while two pictures
    // wait already, so that no more than those are held. False once a write has failed:
    // nothing more is written then.
    bool write(render::Image picture, std::string path);
    // Waits until every picture queued is written; the first failure.
    base::Status finish();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<render::Image, std::string>> queue_;
    bool closing_ = false;
    base::Status failure_ = base::succeeded();
    render::ThreadTeam thread_;
};

}  // namespace preview

#endif
