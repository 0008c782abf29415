#include "models/scene_motion.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace models {
namespace {

// How a motion that resets continues past its last key. What the renderers that write
// these scenes did is documented nowhere: a reset is taken to return each channel to its
// first key's value, where the item began, rather than to 0, which would shrink an item's
// scale to nothing. Set to false for 0.
constexpr bool kResetReturnsToFirstKey = true;

// One channel of a motion, for the curve's arithmetic.
class Channel {
public:
    Channel(const Motion& motion, std::size_t channel) : motion_(motion), channel_(channel) {}

    std::size_t last() const { return motion_.keys.size() - 1; }
    double t(std::size_t key) const { return motion_.keys[key].frame; }
    double v(std::size_t key) const { return motion_.value(key, channel_); }
    const KeyShape& shape(std::size_t key) const { return motion_.keys[key]; }

    // The tangent with which the curve leaves key i toward key i + 1.
    double outgoing(std::size_t i) const {
        const KeyShape& k = shape(i);
        const double d = v(i + 1) - v(i);
        double a = 1.0;
        double b = 1.0;
        if (!k.linear) {
            a = (1 - k.tension) * (1 + k.continuity) * (1 + k.bias);
            b = (1 - k.tension) * (1 - k.continuity) * (1 - k.bias);
        }
        if (i == 0) return b * d;
        return (t(i + 1) - t(i)) / (t(i + 1) - t(i - 1)) * (a * (v(i) - v(i - 1)) + b * d);
    }

    // The tangent with which the curve arrives at key j from key j - 1.
    double incoming(std::size_t j) const {
        const KeyShape& k = shape(j);
        const double d = v(j) - v(j - 1);
        double a = 1.0;
        double b = 1.0;
        if (!k.linear) {
            a = (1 - k.tension) * (1 - k.continuity) * (1 + k.bias);
            b = (1 - k.tension) * (1 + k.continuity) * (1 - k.bias);
        }
        if (j == last()) return a * d;
        return (t(j) - t(j - 1)) / (t(j + 1) - t(j - 1)) * (b * (v(j + 1) - v(j)) + a * d);
    }

    // The value between key i and key i + 1, shaped by the later key.
    double inSpan(std::size_t i, double frame) const {
        const double s = (frame - t(i)) / (t(i + 1) - t(i));
        if (shape(i + 1).linear) return v(i) + s * (v(i + 1) - v(i));
        const double s2 = s * s;
        const double s3 = s2 * s;
        const double h1 = 2 * s3 - 3 * s2 + 1;
        const double h2 = -2 * s3 + 3 * s2;
        const double h3 = s3 - 2 * s2 + s;
        const double h4 = s3 - s2;
        return h1 * v(i) + h2 * v(i + 1) + h3 * outgoing(i) + h4 * incoming(i + 1);
    }

    // The value at a frame from the first key's to the last key's.
    double within(double frame) const {
        const auto& keys = motion_.keys;
        const auto after =
            std::upper_bound(keys.begin(), keys.end(), frame,
                             [](double f, const KeyShape& key) { return f < key.frame; });
        const auto i = static_cast<std::size_t>(after - keys.begin()) - 1;
        if (i == last() || frame == t(i)) return v(i);
        return inSpan(i, frame);
    }

private:
    const Motion& motion_;
    std::size_t channel_;
};

}  // namespace

double Motion::at(std::size_t channel, double frame) const {
    const Channel c(*this, channel);
    const double first = c.t(0);
    const double last = c.t(c.last());
    if (c.last() == 0 || frame <= first) return c.v(0);
    if (frame <= last) return c.within(frame);
    switch (end) {
        case EndBehavior::Stop:
            return c.v(c.last());
        case EndBehavior::Repeat:
            return c.within(first + std::fmod(frame - first, last - first));
        case EndBehavior::Reset:
            return kResetReturnsToFirstKey ? c.v(0) : 0.0;
    }
    return c.v(c.last());
}

Motion stillMotion(std::vector<double> values) {
    Motion motion;
    motion.channels = values.size();
    motion.keys.push_back(KeyShape{});
    motion.values = std::move(values);
    return motion;
}

}  // namespace models
