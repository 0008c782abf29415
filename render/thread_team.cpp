#include "render/thread_team.h"

#include <exception>
#include <string>
#include <system_error>

namespace render {
namespace {

std::string whyNoThread(const std::exception& error) {
    std::string reason = "cannot start a thread: " + std::string(error.what());
    const auto* system = dynamic_cast<const std::system_error*>(&error);
    if (system && system->code() == std::errc::resource_unavailable_try_again)
        reason += " (too many processes and threads: see ulimit -u)";
    return reason;
}

}  // namespace

base::Status ThreadTeam::start(int count, const std::function<void()>& work) {
    for (int started = 0; started < count; ++started) {
        try {
            threads_.emplace_back(work);
        } catch (const std::exception& error) {
            return base::Status::failure(whyNoThread(error));
        }
    }
    return base::succeeded();
}

void ThreadTeam::join() {
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
}

}  // namespace render
