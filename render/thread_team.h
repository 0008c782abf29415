// Threads started together and joined together. A thread the system cannot start (too
// many processes and threads for the user, ulimit -u) is reported as a failure rather than
// thrown, and no thread is left running, or unjoined, when the team is gone: an unjoined
// std::thread would end the whole process.
#ifndef PELORIX3_RENDER_THREAD_TEAM_H
#define PELORIX3_RENDER_THREAD_TEAM_H

#include <functional>
#include <thread>
#include <vector>

#include "base/result.h"

namespace render {

class ThreadTeam {
public:
    ThreadTeam() = default;
    ThreadTeam(const ThreadTeam&) = delete;
    ThreadTeam& operator=(const ThreadTeam&) = delete;
    ~ThreadTeam() { join(); }

    // Starts `count` threads, each running `work`. At the first that cannot start it stops
    // starting and says why; the threads already started keep running until join().
    base::Status start(int count, const std::function<void()>& work);

    // Waits for every started thread to end.
    void join();

private:
    std::vector<std::thread> threads_;
};

}  // namespace render

#endif
