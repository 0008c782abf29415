// A scene's channels at any frame: through the keys exactly, curves and straight spans
// between them (values worked out by hand from the curve's definition), and past the last
// key as the end behaviour says.
#include "models/scene_motion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using models::EndBehavior;
using models::KeyShape;
using models::Motion;

struct Key {
    double frame;
    double value;
    bool linear = false;
    double tension = 0.0;
    double continuity = 0.0;
    double bias = 0.0;
};

Motion channel(const std::vector<Key>& keys, EndBehavior end = EndBehavior::Stop) {
    Motion motion;
    for (const Key& key : keys) {
        motion.keys.push_back(
            KeyShape{key.frame, key.linear, key.tension, key.continuity, key.bias});
        motion.values.push_back(key.value);
    }
    motion.end = end;
    return motion;
}

// Three keys whose in-between values a later release's own copy of the scene confirms.
const std::vector<Key> kCurve{{0, 0.0}, {20, 2.0691125}, {40, -2.3748658}};

TEST(SceneMotion, PassesThroughEveryKey) {
    const Motion motion = channel(kCurve);
    for (const Key& key : kCurve) EXPECT_DOUBLE_EQ(motion.at(0, key.frame), key.value);
}

TEST(SceneMotion, CurvesBetweenKeysWithTangentsFromTheirNeighbours) {
    const Motion motion = channel(kCurve);
    EXPECT_NEAR(motion.at(0, 10), 1.4416244, 1e-7);
    EXPECT_NEAR(motion.at(0, 30), 0.2541915, 1e-7);
}

TEST(SceneMotion, TensionFlattensTheCurveAtItsKey) {
    // Tension 1 gives the middle key no tangent: from 0 to 10, a quarter of the way
    // along the curve rises as h2 · 10 + h3 · 10 = (0.5 + 0.125) · 10.
    const Motion motion = channel({{0, 0.0}, {10, 10.0, false, 1.0}, {20, 0.0}});
    EXPECT_NEAR(motion.at(0, 5), 6.25, 1e-12);
    EXPECT_NEAR(motion.at(0, 15), 6.25, 1e-12);  // and leaves it flat
}

TEST(SceneMotion, ContinuityAndBiasShapeEachSideOfAKeyByTheSpansLengths) {
    // The middle key, continuity 0.5 and bias 0.25, between spans of 10 and 20 frames:
    // arriving, a' = 0.5 · 1.25 and b' = 1.5 · 0.75 give in = 10/30 · (b' · -10 + a' · 10)
    // = -5/3; leaving, a = 1.5 · 1.25 and b = 0.5 · 0.75 give out = 20/30 · (a · 10 + b ·
    // -10) = 10. Halfway along each span: 5 + 1.25 + 5/24 and 5 + 1.25 + 1.25.
    const Motion motion = channel({{0, 0.0}, {10, 10.0, false, 0.0, 0.5, 0.25}, {30, 0.0}});
    EXPECT_NEAR(motion.at(0, 5), 155.0 / 24.0, 1e-12);
    EXPECT_NEAR(motion.at(0, 20), 7.5, 1e-12);
}

TEST(SceneMotion, ASpanIsStraightWhenItsLaterKeyIsLinear) {
    const Motion motion = channel({{0, 0.0}, {10, 10.0, true}, {20, 0.0}});
    EXPECT_DOUBLE_EQ(motion.at(0, 2.5), 2.5);
    EXPECT_DOUBLE_EQ(motion.at(0, 7), 7.0);
    // The span after it is a curve, leaving the linear key with the plain tangent.
    EXPECT_NE(motion.at(0, 15), 5.0);
}

TEST(SceneMotion, EndBehavioursContinuePastTheLastKey) {
    const std::vector<Key> keys{{5, 1.0}, {15, 3.0, true}};
    struct Case {
        EndBehavior end;
        double frame;
        double value;
    };
    for (const Case& c : {Case{EndBehavior::Stop, 40, 3.0}, Case{EndBehavior::Repeat, 17.5, 1.5},
                          Case{EndBehavior::Repeat, 45, 1.0}, Case{EndBehavior::Repeat, 15, 3.0},
                          Case{EndBehavior::Reset, 16, 1.0}, Case{EndBehavior::Stop, 0, 1.0}}) {
        EXPECT_DOUBLE_EQ(channel(keys, c.end).at(0, c.frame), c.value)
            << "end behaviour " << int(c.end) << " at frame " << c.frame;
    }
}

TEST(SceneMotion, OneKeyHoldsEverywhere) {
    const Motion motion = models::stillMotion({4.0, -2.0});
    for (const double frame : {-3.0, 0.0, 7.5, 1e6}) {
        EXPECT_EQ(motion.at(0, frame), 4.0);
        EXPECT_EQ(motion.at(1, frame), -2.0);
    }
    EXPECT_EQ(channel({{3, 2.0}}, EndBehavior::Repeat).at(0, 50), 2.0);
}

TEST(SceneMotion, ChannelsOfOneMotionKeepTheirOwnValues) {
    Motion motion;
    motion.channels = 2;
    motion.keys = {KeyShape{0, false}, KeyShape{10, true}};
    motion.values = {0.0, 100.0, 10.0, 50.0};
    EXPECT_DOUBLE_EQ(motion.at(0, 5), 5.0);
    EXPECT_DOUBLE_EQ(motion.at(1, 5), 75.0);
}

}  // namespace
