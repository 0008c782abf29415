#include "tools/preview/band_workers.h"

#include <poll.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace preview {
namespace {

using base::Status;

[[noreturn]] void runWorker(const render::RowBand& band, int fd, const BandWorkers::Work& work) {
    RowSender sender(fd);
    Status done = Status::failure("it stopped on an unknown error");
    try {
        done = work(band, sender);
    } catch (const std::exception& error) {
        done = Status::failure(error.what());
    } catch (...) {
    }
    if (!done) sender.sendFailure(done.error());
    ::close(fd);
    // Ends without the parent's exit handlers and without flushing the parent's copies of
    // the output buffers, which the parent writes itself.
    ::_exit(done ? 0 : 1);
}

std::string workerName(int number, pid_t pid) {
    return "render worker " + std::to_string(number) + " (process " + std::to_string(pid) + ")";
}

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string seconds(BandWorkers::Clock::duration duration) {
    const double count = std::chrono::duration<double>(duration).count();
    char text[32];
    std::snprintf(text, sizeof text, count < 10.0 ? "%.1f" : "%.0f", count);
    return text;
}

// Two rows and more of the widest picture at once.
constexpr std::size_t kReadBytes = 1 << 16;

}  // namespace

base::Result<std::unique_ptr<BandWorkers>> BandWorkers::start(int count, const Work& work,
                                                              Clock::duration leastSilence) {
    using Outcome = base::Result<std::unique_ptr<BandWorkers>>;
    std::unique_ptr<BandWorkers> workers(new BandWorkers(count, leastSilence));
    workers->workers_.reserve(static_cast<std::size_t>(count));  // no allocation after a fork
    for (int number = 1; number < count; ++number) {
        if (Status started = workers->startWorker(number, work); !started)
            return Outcome::failure(started.error());
    }
    return Outcome::success(std::move(workers));
}

Status BandWorkers::startWorker(int number, const Work& work) {
    int ends[2];
    if (::pipe(ends) != 0) return Status::failure(systemError("cannot start a render worker"));
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        const Status failed = Status::failure(systemError("cannot start a render worker"));
        ::close(ends[0]);
        ::close(ends[1]);
        return failed;
    }
    if (pid == 0) {
        // A worker whose parent has gone has no one to render for: it goes too.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(1);
        ::close(ends[0]);
        for (const Worker& sibling : workers_) ::close(sibling.fd);
        runWorker({number, count_}, ends[1], work);
    }
    ::close(ends[1]);
    workers_.push_back({number, pid, ends[0], started_});
    return base::succeeded();
}

BandWorkers::~BandWorkers() {
    for (Worker& worker : workers_) stop(worker);
}

void BandWorkers::stop(Worker& worker) {
    if (worker.fd >= 0) ::close(worker.fd);
    worker.fd = -1;
    if (worker.pid <= 0) return;
    ::kill(worker.pid, SIGKILL);
    while (::waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    worker.pid = -1;
}

void BandWorkers::receiveInto(render::Image& image, const std::function<void()>& rowArrived) {
    silence_.noteStep(Clock::now() - started_);
    height_ = image.height;
    buffer_.resize(kReadBytes);
    rowArrived_ = rowArrived;
    receivers_.clear();
    receivers_.reserve(workers_.size());
    for (const Worker& worker : workers_)
        receivers_.emplace_back(image, render::RowBand{worker.number, count_});
}

Status BandWorkers::gather(render::Image& image, const std::function<void()>& rowArrived) {
    receiveInto(image, rowArrived);
    while (!allDone()) {
        if (Status collected = collect(Wait::ForNews); !collected) return collected;
    }
    return base::succeeded();
}

bool BandWorkers::allDone() const {
    for (const Worker& worker : workers_) {
        if (worker.fd >= 0 || worker.pid > 0) return false;
    }
    return true;
}

int BandWorkers::rowsReceived() const {
    int rows = 0;
    for (const RowReceiver& receiver : receivers_) rows += receiver.rowsReceived();
    return rows;
}

Status BandWorkers::collect(Wait wait) {
    std::vector<pollfd> open;
    std::vector<std::size_t> whose;
    for (std::size_t i = 0; i < workers_.size(); ++i) {
        if (workers_[i].fd < 0) continue;
        open.push_back({workers_[i].fd, POLLIN, 0});
        whose.push_back(i);
    }
    if (open.empty()) return base::succeeded();
    const int patience = wait == Wait::No ? 0 : millisecondsOfPatience();
    if (::poll(open.data(), open.size(), patience) < 0 && errno != EINTR)
        return abandon(Status::failure(systemError("cannot wait for the render workers")));
    for (std::size_t j = 0; j < open.size(); ++j) {
        if (open[j].revents == 0) continue;
        if (Status read = readFrom(whose[j]); !read) return abandon(read);
    }
    if (Status alive = checkSilence(); !alive) return abandon(alive);
    return base::succeeded();
}

Status BandWorkers::readFrom(std::size_t i) {
    Worker& worker = workers_[i];
    RowReceiver& receiver = receivers_[i];
    const ssize_t count = ::read(worker.fd, buffer_.data(), buffer_.size());
    if (count < 0 && errno == EINTR) return base::succeeded();
    if (count <= 0) {  // the worker has ended, or its pipe broke: how it ended tells which
        ::close(worker.fd);
        worker.fd = -1;
        return finish(worker, receiver);
    }
    const int rowsBefore = receiver.rowsReceived();
    Status taken = receiver.take(buffer_.data(), static_cast<std::size_t>(count), rowArrived_);
    if (!taken)
        return Status::failure(workerName(worker.number, worker.pid) + " sent " + taken.error());
    if (receiver.rowsReceived() > rowsBefore) {
        const Clock::time_point now = Clock::now();
        silence_.noteStep(now - worker.lastRow);
        worker.lastRow = now;
    }
    return base::succeeded();
}

Status BandWorkers::checkSilence() const {
    const Clock::time_point now = Clock::now();
    const Clock::duration limit = silence_.limit();
    for (const Worker& worker : workers_) {
        if (worker.fd < 0 || now - worker.lastRow <= limit) continue;
        return Status::failure(workerName(worker.number, worker.pid) + " has sent no row for " +
                               seconds(now - worker.lastRow) + " s, longer than the " +
                               seconds(limit) +
                               " s a worker may (ten times the render's slowest step, and at "
                               "least --worker-timeout)");
    }
    return base::succeeded();
}

int BandWorkers::millisecondsOfPatience() const {
    Clock::time_point firstEnd = Clock::time_point::max();
    for (const Worker& worker : workers_) {
        if (worker.fd >= 0) firstEnd = std::min(firstEnd, worker.lastRow + silence_.limit());
    }
    const double left = std::chrono::duration<double, std::milli>(firstEnd - Clock::now()).count();
    // One past the end, so that the silence has run out when poll() returns.
    return static_cast<int>(std::clamp(std::ceil(left) + 1.0, 0.0, double(INT_MAX)));
}

Status BandWorkers::abandon(Status why) {
    for (Worker& worker : workers_) stop(worker);
    return why;
}

Status BandWorkers::finish(Worker& worker, const RowReceiver& receiver) {
    int status = 0;
    while (::waitpid(worker.pid, &status, 0) < 0) {
        if (errno != EINTR) return Status::failure(systemError("cannot wait for a render worker"));
    }
    const std::string name = workerName(worker.number, worker.pid);
    worker.pid = -1;
    if (receiver.failure()) return Status::failure(name + ": " + *receiver.failure());
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        return Status::failure(name + " was ended by signal " + std::to_string(signal) + " (" +
                               ::strsignal(signal) + ")");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Status::failure(name + " stopped with exit status " +
                               std::to_string(WEXITSTATUS(status)));
    const int expected = rowsOf({worker.number, count_}, height_);
    if (receiver.rowsReceived() != expected) {
        return Status::failure(name + " ended after sending " +
                               std::to_string(receiver.rowsReceived()) + " of its " +
                               std::to_string(expected) + " rows");
    }
    return base::succeeded();
}

}  // namespace preview
