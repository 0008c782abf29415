// Files to remove should SIGINT, SIGTERM or SIGHUP end the process: the temporary files
// and folders a write leaves beside its destination until it is renamed into place. The
// handler only unlinks the files registered and removes the folders registered once they
// are empty, then hands the signal on as it was handled before, so the
// process ends by the signal as it would have without it. A signal the process ignored
// stays ignored.
#ifndef PELORIX3_TOOLS_PREVIEW_REMOVAL_ON_SIGNAL_H
#define PELORIX3_TOOLS_PREVIEW_REMOVAL_ON_SIGNAL_H

#include <csignal>
#include <string>

namespace preview {

// Blocks the three signals in the calling thread for its lifetime, so that a file and its
// registration come and go together.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// Registers `path` for removal and returns its ticket, or -1 when no more can be held (a
// few at a time) or the path is too long to keep; call with SignalsHeld.
int removeOnSignal(const std::string& path);
// Forgets the file of `ticket` (-1 is ignored), once it is removed or in its place; call
// with SignalsHeld.
void forgetRemoval(int ticket);

}  // namespace preview

#endif
