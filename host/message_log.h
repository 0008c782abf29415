// The host's "Info Messages" service: every message the module shows the user is kept
// here, in order, so tests can read what the module reported.
#ifndef PELORIX3_HOST_MESSAGE_LOG_H
#define PELORIX3_HOST_MESSAGE_LOG_H

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "framework/host_interface.h"

namespace standin {

enum class MessageKind { Info, Error, Warning };

struct Message {
    MessageKind kind;
    std::optional<std::string> first;   // absent when the module passed null
    std::optional<std::string> second;  // absent when the module passed null
};

// Thread-safe record of messages.
class MessageLog {
public:
    void record(MessageKind kind, const char* first, const char* second);
    std::vector<Message> messages() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};

// The table served as "Info Messages"; its functions record into the host's log.
MessageFuncs* messageTable();

}  // namespace standin

#endif
