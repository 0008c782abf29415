// The keyed motions of a scene's items and the envelopes of its single values, and their
// values at any frame. Keys lie at whole frames; between two keys a channel follows a
// curve through them (shaped by each key's tension, continuity and bias) or a straight
// line, and past the last key it holds, repeats or resets as the motion's end behaviour
// says. Before the first key a channel holds the first key's value.
#ifndef PELORIX3_MODELS_SCENE_MOTION_H
#define PELORIX3_MODELS_SCENE_MOTION_H

#include <cstddef>
#include <optional>
#include <vector>

namespace models {

enum class EndBehavior { Reset = 0, Stop = 1, Repeat = 2 };

// When a key lies and how a channel passes through it.
struct KeyShape {
    double frame = 0.0;
    // The span from the key before this one to this one is a straight line.
    bool linear = false;
    // Each from -1 to 1.
    double tension = 0.0;
    double continuity = 0.0;
    double bias = 0.0;
};

// An item's motion has nine channels, in the order a key lists them: position (metres),
// heading, pitch and bank (degrees, never reduced to one turn), scale (factors).
enum MotionChannel : std::size_t {
    kPositionX,
    kPositionY,
    kPositionZ,
    kHeading,
    kPitch,
    kBank,
    kScaleX,
    kScaleY,
    kScaleZ,
};
inline constexpr std::size_t kItemChannels = 9;

// Channels keyed together: every key gives a value to each channel. An item's motion has
// nine, an envelope one.
struct Motion {
    std::size_t channels = 1;
    std::vector<KeyShape> keys;  // at least one, frames strictly increasing
    std::vector<double> values;  // `channels` values a key, key after key
    EndBehavior end = EndBehavior::Stop;

    double value(std::size_t key, std::size_t channel) const {
        return values[key * channels + channel];
    }
    // The channel's value at `frame`.
    double at(std::size_t channel, double frame) const;
};

// A motion that stays at `values`, one for each channel: a single key at frame 0.
Motion stillMotion(std::vector<double> values);

// A single value of the scene, or its envelope when the scene keys it.
struct AnimatedValue {
    double value = 0.0;
    std::optional<Motion> envelope;  // one channel

    double at(double frame) const { return envelope ? envelope->at(0, frame) : value; }
};

}  // namespace models

#endif
