#include "tools/preview/band_workers.h"

#include <poll.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <string>

namespace preview {
namespace {

using standin::Status;

[[noreturn]] void runWorker(const standin::RowBand& band, int fd, const BandWorkers::Work& work) {
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

}  // namespace

standin::Result<std::unique_ptr<BandWorkers>> BandWorkers::start(int count, const Work& work) {
    using Outcome = standin::Result<std::unique_ptr<BandWorkers>>;
    std::unique_ptr<BandWorkers> workers(new BandWorkers(count));
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
    workers_.push_back({number, pid, ends[0]});
    return standin::succeeded();
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

Status BandWorkers::gather(standin::Image& image, const std::function<void()>& rowArrived) {
    std::vector<RowReceiver> receivers;
    receivers.reserve(workers_.size());
    for (const Worker& worker : workers_)
        receivers.emplace_back(image, standin::RowBand{worker.number, count_});
    if (Status read = readPipes(receivers, rowArrived); !read) {
        for (Worker& worker : workers_) stop(worker);
        return read;
    }
    Status outcome = standin::succeeded();
    for (std::size_t i = 0; i < workers_.size(); ++i) {
        Status finished = finish(workers_[i], receivers[i], image.height);
        if (outcome && !finished) outcome = std::move(finished);
    }
    return outcome;
}

Status BandWorkers::readPipes(std::vector<RowReceiver>& receivers,
                              const std::function<void()>& rowArrived) {
    std::vector<char> buffer(1 << 16);
    std::vector<pollfd> open;
    std::vector<std::size_t> whose;
    for (;;) {
        open.clear();
        whose.clear();
        for (std::size_t i = 0; i < workers_.size(); ++i) {
            if (workers_[i].fd < 0) continue;
            open.push_back({workers_[i].fd, POLLIN, 0});
            whose.push_back(i);
        }
        if (open.empty()) return standin::succeeded();
        if (::poll(open.data(), open.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return Status::failure(systemError("cannot wait for the render workers"));
        }
        for (std::size_t j = 0; j < open.size(); ++j) {
            if (open[j].revents == 0) continue;
            Worker& worker = workers_[whose[j]];
            const ssize_t count = ::read(worker.fd, buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) {  // the worker has ended, or its pipe broke: finish() tells which
                ::close(worker.fd);
                worker.fd = -1;
                continue;
            }
            Status taken = receivers[whose[j]].take(buffer.data(), static_cast<std::size_t>(count),
                                                    rowArrived);
            if (!taken)
                return Status::failure(workerName(worker.number, worker.pid) + " sent " +
                                       taken.error());
        }
    }
}

Status BandWorkers::finish(Worker& worker, const RowReceiver& receiver, int height) {
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
    const int expected = rowsOf({worker.number, count_}, height);
    if (receiver.rowsReceived() != expected) {
        return Status::failure(name + " ended after sending " +
                               std::to_string(receiver.rowsReceived()) + " of its " +
                               std::to_string(expected) + " rows");
    }
    return standin::succeeded();
}

}  // namespace preview
