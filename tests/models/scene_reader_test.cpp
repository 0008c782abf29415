// Scene files read and their items placed: the listing a user checks a scene by, at key
// frames and between them; parents turned and moved, pivots and targets; lights and the
// camera with their values; bones passed over without taking the object's lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "models/lws_reader.h"
#include "models/scene_frame_size.h"
#include "models/scene_item_list.h"
#include "models/scene_pose.h"
#include "scene_texts.h"

namespace {

namespace st = scene_texts;
using ::testing::HasSubstr;

models::SceneFile read(const std::string& text) {
    auto scene = models::readScene(text, "shot.lws");
    EXPECT_TRUE(scene) << scene.error();
    return scene ? std::move(scene.value()) : models::SceneFile{};
}

void expectNear(const base::Triple& actual, const base::Triple& expected, const char* what) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(actual[axis], expected[axis], 1e-9) << what << ", axis " << axis;
    }
}

// A line of the item list: what it begins with (`object "Cup.lwo"`, `light "Key" spot`),
// and the numbers after each label.
struct Listed {
    std::string head;
    std::map<std::string, std::vector<double>> numbers;
};

std::vector<Listed> listed(const std::string& list) {
    std::vector<Listed> items;
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t position = line.find(" position ");
        Listed item{line.substr(0, position), {}};
        std::istringstream words(line.substr(position + 1));
        std::string label;
        for (std::string word; words >> word;) {
            if (std::isalpha(static_cast<unsigned char>(word[0]))) {
                label = word;
            } else {
                item.numbers[label].push_back(std::stod(word));
            }
        }
        items.push_back(item);
    }
    return items;
}

void expectListed(const Listed& item, const std::string& label, const base::Triple& expected) {
    ASSERT_EQ(item.numbers.at(label).size(), 3u) << item.head << " " << label;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(item.numbers.at(label)[axis], expected[axis], 1e-12)
            << item.head << " " << label << ", axis " << axis;
    }
}

// The example of the format's own text: a cup that moves 1.5 m along x over 48 frames
// while it turns from heading 30 to -60, written with CR LF line ends.
const std::string kCupScene =
    "LWSC\r\n1\r\n\r\nFirstFrame 1\r\nLastFrame 48\r\nFrameStep 1\r\n"
    "FramesPerSecond 24.000000\r\n\r\nLoadObject Objects\\Props\\Cup.lwo\r\nShowObject 4 7\r\n"
    "ObjectMotion (unnamed)\r\n  9\r\n  2\r\n  0.0 0.25 0.0 30.0 0.0 0.0 1.0 1.0 1.0\r\n"
    "  0 0 0.0 0.0 0.0\r\n  1.5 0.25 0.0 -60.0 0.0 0.0 1.0 1.0 1.0\r\n  48 0 0.0 0.0 0.0\r\n"
    "EndBehavior 1\r\nShadowOptions 7\r\n\r\n" +
    st::camera("0 1 -4 0 10 0");

TEST(SceneReader, ListsEachItemAtItsKeys) {
    const models::SceneFile scene = read(kCupScene);
    const double c30 = std::sqrt(3.0) / 2;
    const std::vector<Listed> at0 = listed(models::itemList(scene, 0));
    ASSERT_EQ(at0.size(), 2u);
    EXPECT_EQ(at0[0].head, "object \"Cup.lwo\"");
    expectListed(at0[0], "position", {0, 0.25, 0});
    expectListed(at0[0], "right", {c30, 0, -0.5});
    expectListed(at0[0], "up", {0, 1, 0});
    expectListed(at0[0], "forward", {0.5, 0, c30});
    EXPECT_EQ(at0[1].head, "camera \"Camera\"");
    expectListed(at0[1], "forward", {0, -std::sin(M_PI / 18), std::cos(M_PI / 18)});
    EXPECT_EQ(at0[1].numbers.at("zoom"), std::vector<double>{3.2});
    const std::string list48 = models::itemList(scene, 48);
    const Listed cup48 = listed(list48)[0];
    expectListed(cup48, "position", {1.5, 0.25, 0});
    expectListed(cup48, "forward", {-c30, 0, 0.5});
    EXPECT_EQ(models::itemList(scene, 60), list48);  // EndBehavior 1 holds the last key
}

TEST(SceneReader, PlacesAnItemBetweenItsKeysOnTheCurve) {
    const models::SceneFile scene = read(kCupScene);
    // Two keys with no tension: both tangents are the whole change d, and the curve
    // h1 v0 + h2 (v0 + d) + (h3 + h4) d is then v0 + s d: a quarter of the way at frame 12.
    const models::ItemPose cup = models::posesAt(scene, 12).objects[0];
    expectNear(cup.position, {0.375, 0.25, 0.0}, "position");
    const double heading = (30.0 - 22.5) * M_PI / 180.0;
    expectNear(cup.matrix.forward, {std::sin(heading), 0.0, std::cos(heading)}, "forward");
}

TEST(SceneReader, AChildIsPlacedInItsTurnedAndMovedParent) {
    // The parent null stands at (1, 0, 0) turned a quarter to the right and doubled in
    // size; its child stands 2 m along the parent's own +z.
    const std::string parent = "AddNullObject Rig\n" +
                               st::motion("ObjectMotion", {{"1 0 0 90 0 0 2 2 2", "0 0 0 0 0"}}) +
                               st::object("Kids\\Child.lwo", "0 0 2 0 0 0", "ParentObject 1\n");
    const models::SceneFile scene = read(st::scene(parent));
    EXPECT_THAT(models::itemList(scene, 1),
                HasSubstr("object \"Rig\" position 1 0 0 right 0 0 -2 up 0 2 0 forward 2 0 0\n"
                          "object \"Child.lwo\" position 5 0 0 right 0 0 -2 up 0 2 0 "
                          "forward 2 0 0\n"));
}

TEST(SceneReader, AnObjectTurnsAboutItsPivot) {
    const models::SceneFile scene =
        read(st::scene(st::object("Door.lwo", "0 0 0 90 0 0", "PivotPoint 1 0 0\n") +
                       st::null("Knob", "0 0 0 0 0 0", "ParentObject 1\n")));
    const models::ScenePoses poses = models::posesAt(scene, 0);
    // The pivot stays where the door's position puts it; its own origin swings about it.
    expectNear(poses.objects[0].position, {0, 0, 0}, "pivot");
    expectNear(poses.objects[0].matrix.point({0, 0, 0}), {0, 0, 1}, "door's origin");
    expectNear(poses.objects[0].matrix.point({1, 0, 0}), {0, 0, 0}, "door's pivot");
    // A child's position is in its parent's own coordinates, measured from the origin.
    expectNear(poses.objects[1].position, {0, 0, 1}, "child");
}

TEST(SceneReader, ItemsWithTargetsPointTheirForwardAxisAtThem) {
    // The camera hangs from a null turned a quarter; the target hangs from a moved null
    // that comes after the object aiming at it, level with it.
    const std::string objects =
        st::null("Aimer", "0 -3 0 0 0 0", "TargetObject 3\n") + st::null("Turned", "0 0 0 90 0 0") +
        st::null("Goal", "4 -3 -5 0 0 0", "ParentObject 4\n") + st::null("Moved", "0 0 5 0 0 0");
    const std::string lights = st::light("Spot", "0 3 0 0 0 0", "TargetObject 3\nLightType 2\n") +
                               st::light("Sun", "0 0 0 60 30 0");
    const models::SceneFile scene = read(
        st::scene(objects, lights, st::camera("1 0 0 0 0 15", "ParentObject 2\nTargetObject 3\n")));
    const models::ScenePoses poses = models::posesAt(scene, 0);
    const base::Triple goal = poses.objects[2].position;
    expectNear(goal, {4, -3, 0}, "target");
    for (const models::ItemPose& aimed : {poses.objects[0], poses.lights[0], poses.camera}) {
        expectNear(base::unitOr(aimed.matrix.forward, {}), base::unitOr(goal - aimed.position, {}),
                   "aimed");
    }
    expectNear(poses.camera.position, {0, 0, -1}, "camera in its turned parent");
    // Bank stays as keyed: the camera's right axis is turned 15 degrees out of the level.
    const base::Triple& f = poses.camera.matrix.forward;
    const base::Triple level = base::unitOr({f[2], 0, -f[0]}, {});
    EXPECT_NEAR(base::dot(base::unitOr(poses.camera.matrix.right, {}), level),
                std::cos(15 * M_PI / 180), 1e-9);
    // A light without a target: heading 60 and pitch 30 shine right, down and forward.
    expectNear(poses.lights[1].matrix.forward, {0.75, -0.5, std::sqrt(3.0) / 4}, "sun");
}

TEST(SceneReader, LightsCameraAndAmbientKeepTheirValues) {
    const std::string lights =
        "AddLight\nLightName Key Light\n" + st::still("LightMotion", "0 0 0 0 0 0") +
        "LightColor 255 51 0\nLgtIntensity (envelope)\n  1\n  2\n  0.2\n  0 0 0 0 0\n  1.0\n"
        "  24 1 0 0 0\nEndBehavior 1\nLightType 2\nFallOff 0.1\nConeAngle 30\nEdgeAngle 0\n"
        "ShadowCasting 2\n" +
        st::light("Fill", "0 0 0 0 0 0", "LightType 1\nShadowType 0\n");
    const models::SceneFile scene = read(st::scene(
        st::object("Cup.lwo", "0 0 0 0 0 0", "ShadowOptions 4\n"), lights,
        st::camera("0 0 -5 0 0 0",
                   "RayTraceEffects 7\nResolution 1\nCustomSize 640 480\nPixelAspectRatio -1\n"
                   "CustomPixelRatio 1.25\n")));
    ASSERT_EQ(scene.lights.size(), 2u);
    const models::SceneLight& key = scene.lights[0];
    EXPECT_EQ(key.kind, models::LightKind::Spot);
    EXPECT_EQ(key.shadow, models::ShadowKind::ShadowMap);
    EXPECT_DOUBLE_EQ(key.falloff.at(0), 0.1);
    EXPECT_EQ(key.edgeAngle.at(0), 0.0);  // a hard-edged cone
    EXPECT_DOUBLE_EQ(key.intensity.at(12), 0.6);
    EXPECT_EQ(scene.lights[1].shadow, models::ShadowKind::None);
    EXPECT_EQ(scene.objects[0].shadowOptions, models::kReceivesShadows);
    EXPECT_EQ(scene.camera.customSize, (std::array<int, 2>{640, 480}));
    EXPECT_EQ(scene.camera.pixelAspect, 1.25);
    EXPECT_EQ(scene.camera.rayTraceEffects, 7u);
    EXPECT_EQ(scene.backdrop, (base::Triple{0, 0, 0}));
    const std::vector<Listed> items = listed(models::itemList(scene, 12));
    EXPECT_EQ(items[1].head, "light \"Key Light\" spot");
    expectListed(items[1], "colour", {1, 0.2, 0});
    EXPECT_NEAR(items[1].numbers.at("intensity")[0], 0.6, 1e-12);
    EXPECT_EQ(items[2].head, "light \"Fill\" point");
}

TEST(SceneReader, AFrameSizeIsTheCustomSizeOrTheResolutionPresets) {
    const struct {
        const char* lines;
        std::array<int, 2> size;
    } cases[] = {{"Resolution 2\nCustomSize 720 486\n", {720, 486}},
                 {"Resolution -1\n", {160, 120}},
                 {"Resolution 3\n", {2560, 1920}},
                 {"", {640, 480}}};
    for (const auto& c : cases) {
        const models::SceneFile scene =
            read(st::scene(st::null("N", "0 0 0 0 0 0"), "", st::camera("0 0 0 0 0 0", c.lines)));
        EXPECT_EQ(models::frameSize(scene.camera), c.size) << c.lines;
    }
}

TEST(SceneReader, BonesArePassedOverWithoutTakingTheObjectsLines) {
    const std::string bones =
        "AddBone\nBoneName Upper\nBoneRestPosition 0 0 0\nBoneRestLength 1\n" +
        st::still("BoneMotion", "0 0 0 0 0 0") +
        "AddBone\nBoneName Lower\nParentObject 1\nGoalObject 1\n" +
        st::still("BoneMotion", "0 0 1 0 0 0") + "LockedChannels 0\n";
    const models::SceneFile scene =
        read(st::scene(st::null("Root", "0 0 0 0 0 0") +
                       st::object("Arm.lwo", "0 1 0 0 0 0", bones) + "ShadowOptions 2\n"));
    ASSERT_EQ(scene.objects.size(), 2u);
    EXPECT_EQ(scene.objects[1].bones, 2u);
    EXPECT_FALSE(scene.objects[1].parent);  // the bone's ParentObject is the bone's
    EXPECT_EQ(scene.objects[1].shadowOptions, models::kCastsShadows);
    EXPECT_DOUBLE_EQ(scene.objects[1].motion.at(models::kPositionY, 0), 1.0);
}

TEST(SceneReader, UnknownKeywordsAndStrayNumbersArePassedOver) {
    const models::SceneFile scene = read(st::scene(st::object(
        "Cup.lwo", "0 0 0 0 0 0", "Plugin DisplacementHandler 1 Wave\n 3 4.5\nEndPlugin\n")));
    EXPECT_EQ(scene.objects.size(), 1u);
}

}  // namespace
