#include "host/message_log.h"

#include "host/host_globals.h"

namespace standin {
namespace {

std::optional<std::string> textOf(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

template <MessageKind kind>
void recordMessage(const char* first, const char* second) noexcept {
    try {
        Host::instance().messages().record(kind, first, second);
    } catch (...) {
        // Out of memory while recording: the message is lost, the module carries on.
    }
}

}  // namespace

void MessageLog::record(MessageKind kind, const char* first, const char* second) {
    Message message{kind, textOf(first), textOf(second)};
    const std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
}

std::vector<Message> MessageLog::messages() const {
    const std::lock_guard lock(mutex_);
    return messages_;
}

void MessageLog::clear() {
    const std::lock_guard lock(mutex_);
    messages_.clear();
}

MessageFuncs* messageTable() {
    static MessageFuncs table{recordMessage<MessageKind::Info>, recordMessage<MessageKind::Error>,
                              recordMessage<MessageKind::Warning>};
    return &table;
}

}  // namespace standin
