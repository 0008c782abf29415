// A render shared out among worker processes, as among the render nodes of a network
// render: each worker is a process of its own, with its own stand-in host, module and
// render memory, and renders every n-th row, sending its rows back through a pipe while
// the process that started the workers renders the first band itself.
//
// Threads would share one process's ray call list, whose guard every illumination call of
// every thread passes; processes each have their own list, so nothing is shared while
// they shade.
#ifndef PELORIX3_TOOLS_PREVIEW_BAND_WORKERS_H
#define PELORIX3_TOOLS_PREVIEW_BAND_WORKERS_H

#include <sys/types.h>

#include <functional>
#include <memory>
#include <vector>

#include "host/result.h"
#include "render/panel_painter.h"
#include "render/renderer.h"
#include "tools/preview/row_pipe.h"

namespace preview {

class BandWorkers {
public:
    // What a worker does with its band: renders it and sends its rows. Its failure is
    // sent to the parent as the worker's account of it.
    using Work = std::function<standin::Status(const standin::RowBand& band, RowSender& sender)>;

    // Starts `count` - 1 workers by fork(); worker k runs `work` for rows k, k + count, ...
    // and ends, never returning here. Call it before the process starts a thread or loads
    // the module: each worker begins as a copy of the caller and sets up its own host.
    static standin::Result<std::unique_ptr<BandWorkers>> start(int count, const Work& work);

    BandWorkers(const BandWorkers&) = delete;
    BandWorkers& operator=(const BandWorkers&) = delete;
    // Stops any worker still running and waits for it, so none outlives a failed render.
    ~BandWorkers();

    // The rows the caller renders itself.
    standin::RowBand ownBand() const { return {0, count_}; }

    // Receives every worker's rows into `image` (of the picture's size) until all have
    // ended; `rowArrived` follows each row. A failure, naming the worker, when one failed,
    // died or sent less than its band: the image is incomplete then.
    standin::Status gather(standin::Image& image, const std::function<void()>& rowArrived);

private:
    struct Worker {
        int number;  // its band starts at this row
        pid_t pid;
        int fd;  // the reading end of its pipe, -1 once closed
    };

    explicit BandWorkers(int count) : count_(count) {}
    standin::Status startWorker(int number, const Work& work);
    // Reads the workers' pipes until every one is closed; the first fault in what they send.
    standin::Status readPipes(std::vector<RowReceiver>& receivers,
                              const std::function<void()>& rowArrived);
    // Waits for the worker to end and says whether it rendered its whole band.
    standin::Status finish(Worker& worker, const RowReceiver& receiver, int height);
    void stop(Worker& worker);

    int count_;
    std::vector<Worker> workers_;
};

}  // namespace preview

#endif
