// What a render worker sends back through its pipe: each row as it is finished, as a frame
// of the row's number (a 32-bit integer) and its RGB bytes, or once, why it could not
// render, as a frame of -1, the text's length and the text. Both ends are one program on
// one machine, so the integers travel in its own byte order.
#ifndef PELORIX3_TOOLS_PREVIEW_ROW_PIPE_H
#define PELORIX3_TOOLS_PREVIEW_ROW_PIPE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "render/panel_painter.h"
#include "render/renderer.h"

namespace preview {

// The worker's end.
class RowSender {
public:
    explicit RowSender(int fd) : fd_(fd) {}

    // Row y, `bytes` long. False when the pipe cannot take it (the parent has gone).
    bool sendRow(int y, const unsigned char* rgb, std::size_t bytes);
    void sendFailure(const std::string& message);

private:
    int fd_;
};

// The parent's end for one worker: puts each row it receives into `image`, which must be
// as wide and high as the worker's picture.
class RowReceiver {
public:
    RowReceiver(render::Image& image, const render::RowBand& band)
        : image_(image), band_(band), received_(static_cast<std::size_t>(image.height)) {}

    // Takes bytes as they came out of the pipe; `rowArrived` follows each whole row. A
    // failure when they are not frames of the format or name a row outside the band or one
    // already received.
    base::Status take(const char* bytes, std::size_t count,
                      const std::function<void()>& rowArrived);

    int rowsReceived() const { return rows_; }
    // The worker's own account of its failure, when it sent one.
    const std::optional<std::string>& failure() const { return failure_; }

private:
    // Takes the frame at pending_[at] when it is whole: its length, or 0 while it is not.
    base::Result<std::size_t> takeFrame(std::size_t at, const std::function<void()>& rowArrived);

    render::Image& image_;
    render::RowBand band_;
    std::vector<bool> received_;  // by row number: a row comes once
    std::vector<char> pending_;
    int rows_ = 0;
    std::optional<std::string> failure_;
};

// The number of rows of a `height`-row picture that `band` covers.
int rowsOf(const render::RowBand& band, int height);

}  // namespace preview

#endif
