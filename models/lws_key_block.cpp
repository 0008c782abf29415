#include "models/lws_key_block.h"

#include <cmath>
#include <optional>

#include "base/message_text.h"
#include "base/number_text.h"
#include "models/lws_values.h"
#include "models/obj_words.h"

namespace models {
namespace {

// Each number takes a digit and a blank or line end at the least.
constexpr std::size_t kLeastBytesPerNumber = 2;
// A key's frame, linear flag, tension, continuity and bias.
constexpr std::size_t kKeyShapeNumbers = 5;

std::string keyName(std::size_t key, std::size_t keys) {
    return "key " + std::to_string(key + 1) + " of " + std::to_string(keys);
}

class KeyBlockReader {
public:
    KeyBlockReader(LwsLines& lines, std::size_t channels, const std::string& name)
        : lines_(lines),
          channels_(channels),
          name_(name),
          headerLine_(lines.number()),
          header_(base::excerpt(lines.keyword())),
          block_(std::string(channels == 1 ? "the envelope of " : "the motion of ") + header_ +
                 " (line " + std::to_string(lines.number()) + ")") {}

    base::Result<Motion> read();

private:
    using Number = base::Result<double>;

    std::string faultHere(const std::string& what) const {
        return sceneFault(name_, lines_.number(), what);
    }

    Number next(const std::string& what);
    base::Result<std::size_t> count(const std::string& what, std::size_t lowest,
                                    std::size_t highest);
    base::Status readChannelCount();
    base::Status readKey(std::size_t key, std::size_t keys, Motion& motion);
    base::Status readEnd(Motion& motion);

    LwsLines& lines_;
    std::size_t channels_;
    const std::string& name_;
    std::size_t headerLine_;
    std::string header_;
    std::string block_;
    base::LineWords words_{std::string_view{}};
};

// The next number of the block, on this line or the next that holds a word.
KeyBlockReader::Number KeyBlockReader::next(const std::string& what) {
    std::string_view word = words_.next();
    bool lineStart = false;
    if (word.empty()) {
        if (!lines_.next()) {
            return Number::failure(
                faultHere("the file ends inside " + block_ + ", before its " + what));
        }
        words_ = base::LineWords(lines_.line());
        word = words_.next();
        lineStart = true;
    }
    if (const std::optional<std::string> fault = numberFault(word)) {
        if (lineStart && !readReal(word)) {
            return Number::failure(faultHere(base::quotedExcerpt(word) + " stands where the " +
                                             what + " of " + block_ + " belongs"));
        }
        return Number::failure(
            faultHere(*fault + ", where the " + what + " of " + block_ + " belongs"));
    }
    return Number::success(numberOf(word));
}

base::Result<std::size_t> KeyBlockReader::count(const std::string& what, std::size_t lowest,
                                                std::size_t highest) {
    using Count = base::Result<std::size_t>;
    const Number value = next(what);
    if (!value) return Count::failure(value.error());
    const double v = value.value();
    if (v != std::floor(v) || v < double(lowest) || v > double(highest)) {
        return Count::failure(faultHere("the " + what + " of " + block_ + " is " +
                                        base::number_text::shortestText(v) +
                                        ", not a whole number from " + std::to_string(lowest) +
                                        " to " + std::to_string(highest)));
    }
    return Count::success(static_cast<std::size_t>(v));
}

// The channel count stands on the line after the header; a motion without one was kept in
// a file of its own, as the oldest writers did.
base::Status KeyBlockReader::readChannelCount() {
    if (lines_.next()) {
        const std::string_view first = base::LineWords(lines_.line()).next();
        lines_.holdBack();
        if (!readReal(first)) {
            return base::Status::failure(sceneFault(
                name_, headerLine_,
                header_ + " is not followed by the channel count of its keys" +
                    (channels_ == 1 ? std::string()
                                    : ": a motion kept in a file of its own (an external "
                                      "motion file), which this reader does not read")));
        }
    }
    const auto channels = count("channel count", 1, kItemChannels);
    if (!channels) return base::Status::failure(channels.error());
    if (channels.value() != channels_) {
        return base::Status::failure(faultHere(
            "the channel count of " + block_ + " is " + std::to_string(channels.value()) + "; " +
            (channels_ == 1 ? "an envelope has 1 channel" : "a motion has 9 channels")));
    }
    return base::succeeded();
}

base::Status KeyBlockReader::readKey(std::size_t key, std::size_t keys, Motion& motion) {
    const std::string name = keyName(key, keys);
    for (std::size_t channel = 0; channel < channels_; ++channel) {
        const Number value = next("values of " + name);
        if (!value) return base::Status::failure(value.error());
        motion.values.push_back(value.value());
    }
    KeyShape shape;
    const Number frame = next("frame of " + name);
    if (!frame) return base::Status::failure(frame.error());
    shape.frame = frame.value();
    if (shape.frame != std::floor(shape.frame) || shape.frame < 0.0) {
        return base::Status::failure(faultHere("the frame of " + name + " of " + block_ + " is " +
                                               base::number_text::shortestText(shape.frame) +
                                               ", not a whole number of 0 or more"));
    }
    if (!motion.keys.empty() && shape.frame <= motion.keys.back().frame) {
        return base::Status::failure(faultHere("the frame of " + name + " of " + block_ + " is " +
                                               base::number_text::shortestText(shape.frame) +
                                               ", not after the key before it"));
    }
    const Number linear = next("linear flag of " + name);
    if (!linear) return base::Status::failure(linear.error());
    if (linear.value() != 0.0 && linear.value() != 1.0) {
        return base::Status::failure(
            faultHere("the linear flag of " + name + " of " + block_ + " is " +
                      base::number_text::shortestText(linear.value()) + ", not 0 or 1"));
    }
    shape.linear = linear.value() == 1.0;
    for (double KeyShape::*const part :
         {&KeyShape::tension, &KeyShape::continuity, &KeyShape::bias}) {
        const Number value = next("tension, continuity and bias of " + name);
        if (!value) return base::Status::failure(value.error());
        if (value.value() < -1.0 || value.value() > 1.0) {
            return base::Status::failure(faultHere("the tension, continuity and bias of " + name +
                                                   " of " + block_ + " must be from -1 to 1, not " +
                                                   base::number_text::shortestText(value.value())));
        }
        shape.*part = value.value();
    }
    motion.keys.push_back(shape);
    return base::succeeded();
}

base::Status KeyBlockReader::readEnd(Motion& motion) {
    if (!words_.next().empty()) {
        return base::Status::failure(
            faultHere("numbers are left over after the last key of " + block_));
    }
    const std::string where = "the EndBehavior of " + block_;
    if (!lines_.next()) {
        return base::Status::failure(faultHere("the file ends where " + where + " belongs"));
    }
    if (!lines_.keywordIs("EndBehavior")) {
        return base::Status::failure(faultHere(base::quotedExcerpt(lines_.keyword()) +
                                               " stands where " + where + " belongs"));
    }
    const base::Result<long long> end = statementWhole(lines_, 0, 2);
    if (!end) return base::Status::failure(faultHere(end.error()));
    motion.end = static_cast<EndBehavior>(end.value());
    return base::succeeded();
}

base::Result<Motion> KeyBlockReader::read() {
    using Read = base::Result<Motion>;
    if (base::Status status = readChannelCount(); !status) return Read::failure(status.error());
    const auto keys = count("key count", 1, kMostKeys);
    if (!keys) return Read::failure(keys.error());
    const std::size_t room = lines_.bytesLeft() + lines_.line().size() + 1;
    const std::size_t numbers = keys.value() * (channels_ + kKeyShapeNumbers);
    if (numbers * kLeastBytesPerNumber > room) {
        return Read::failure(faultHere(block_ + " has " +
                                       base::counted(keys.value(), "key", "keys") +
                                       ", more than the rest of the file could hold"));
    }
    Motion motion;
    motion.channels = channels_;
    motion.keys.reserve(keys.value());
    motion.values.reserve(keys.value() * channels_);
    for (std::size_t key = 0; key < keys.value(); ++key) {
        if (base::Status status = readKey(key, keys.value(), motion); !status) {
            return Read::failure(status.error());
        }
    }
    if (base::Status status = readEnd(motion); !status) return Read::failure(status.error());
    return Read::success(std::move(motion));
}

}  // namespace

base::Result<Motion> readKeyBlock(LwsLines& lines, std::size_t channels, const std::string& name) {
    return KeyBlockReader(lines, channels, name).read();
}

}  // namespace models
