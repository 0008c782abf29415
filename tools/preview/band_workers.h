// A render shared out among worker processes, as among the render nodes of a network
// render: each worker is a process of its own, with its own stand-in host, module and
// render memory, and renders every n-th row, sending its rows back through a pipe while
// the process that started the workers renders the first band itself and, between its own
// rows, takes theirs and watches that each is still alive and at work.
//
// Threads would share one process's ray call list, whose guard every illumination call of
// every thread passes; processes each have their own list, so nothing is shared while
// they shade.
#ifndef PELORIX3_TOOLS_PREVIEW_BAND_WORKERS_H
#define PELORIX3_TOOLS_PREVIEW_BAND_WORKERS_H

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "base/result.h"
#include "render/panel_painter.h"
#include "render/renderer.h"
#include "tools/preview/row_pipe.h"
#include "tools/preview/silence_limit.h"

namespace preview {

class BandWorkers {
public:
    using Clock = std::chrono::steady_clock;
    // What a worker does with its band: renders it and sends its rows. Its failure is
    // sent to the parent as the worker's account of it.
    using Work = std::function<base::Status(const render::RowBand& band, RowSender& sender)>;

    // Starts `count` - 1 workers by fork(); worker k runs `work` for rows k, k + count, ...
    // and ends, never returning here. Call it before the process starts a thread or loads
    // the module: each worker begins as a copy of the caller and sets up its own host.
    // A worker may go without sending a row for ten times the slowest step of the render
    // seen so far, and for `leastSilence` at least (see SilenceLimit).
    static base::Result<std::unique_ptr<BandWorkers>> start(
        int count, const Work& work, Clock::duration leastSilence = SilenceLimit::kDefaultLeast);

    BandWorkers(const BandWorkers&) = delete;
    BandWorkers& operator=(const BandWorkers&) = delete;
    // Stops any worker still running and waits for it, so none outlives a failed render.
    ~BandWorkers();

    // The rows the caller renders itself.
    render::RowBand ownBand() const { return {0, count_}; }

    // From here on the workers' rows go into `image`, of the picture's size; `rowArrived`
    // follows each row. The time since start() counts as a step of the render: the caller
    // has made its scene meanwhile, as each worker has. Call once, before collect().
    void receiveInto(render::Image& image, const std::function<void()>& rowArrived);

    enum class Wait { No, ForNews };
    // Takes what the workers have sent; with Wait::ForNews, first waits until something
    // arrives or a worker's silence runs out. A failure names the worker that failed, died,
    // sent less or other than its band, or sent no row for too long; every worker is
    // stopped then.
    base::Status collect(Wait wait);

    // A step of the caller's own work (a row), which the limit of silence grows with.
    void noteStep(Clock::duration took) { silence_.noteStep(took); }

    // Whether every worker has ended, having sent its whole band.
    bool allDone() const;
    // The rows the workers have sent so far.
    int rowsReceived() const;

    // receiveInto(), then collect() until every worker is done or one has failed: the
    // image is incomplete then.
    base::Status gather(render::Image& image, const std::function<void()>& rowArrived);

private:
    struct Worker {
        int number;                 // its band starts at this row
        pid_t pid;                  // -1 once it has ended and been waited for
        int fd;                     // the reading end of its pipe, -1 once closed
        Clock::time_point lastRow;  // or its start, before its first row
    };

    BandWorkers(int count, Clock::duration leastSilence)
        : count_(count), silence_(leastSilence), started_(Clock::now()) {}
    base::Status startWorker(int number, const Work& work);
    // Reads what worker i has sent; when its pipe has closed, checks how it ended.
    base::Status readFrom(std::size_t i);
    // A failure naming the first worker whose silence has run out.
    base::Status checkSilence() const;
    // Milliseconds until the first worker's silence runs out, for poll().
    int millisecondsOfPatience() const;
    // Waits for the worker to end and says whether it rendered its whole band.
    base::Status finish(Worker& worker, const RowReceiver& receiver);
    // Stops every worker and passes on why.
    base::Status abandon(base::Status why);
    void stop(Worker& worker);

    int count_;
    SilenceLimit silence_;
    Clock::time_point started_;
    std::vector<Worker> workers_;
    std::vector<RowReceiver> receivers_;  // by worker, once receiveInto() has been called
    std::function<void()> rowArrived_;
    int height_ = 0;
    std::vector<char> buffer_;
};

}  // namespace preview

#endif
