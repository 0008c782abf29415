// Scene files that cannot be read: other versions refused by name, and damage refused by
// the line where it is, with what is wrong there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "models/lws_reader.h"
#include "scene_texts.h"

namespace {

namespace st = scene_texts;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::size_t lineOf(const std::string& text, const std::string& marker) {
    const std::size_t at = text.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n'));
}

TEST(SceneVersions, OtherVersionsAreRefusedByWhoWroteThem) {
    const struct {
        const char* version;
        const char* said;
    } cases[] = {
        {"2", "version 2 is an interim layout that no LightWave 4.0 to 5.6 release wrote"},
        {"3", "version 3 was saved by LightWave 6.0 or later"},
        {"5", "version 5 was saved by LightWave 6.0 or later"},
        {"0", "version 0 is not one any release wrote"},
        {"1.5", "must be a whole number, not \"1.5\""},
        {"\n1", "belongs on line 2"},
    };
    for (const auto& c : cases) {
        const auto scene = models::readScene(std::string("LWSC\n") + c.version + "\n\n", "s.lws");
        ASSERT_FALSE(scene) << c.version;
        EXPECT_THAT(scene.error(), StartsWith("s.lws, line 2: ")) << c.version;
        EXPECT_THAT(scene.error(), HasSubstr(c.said)) << c.version;
    }
}

struct Damage {
    const char* what;
    std::string text;
    std::string marker;  // the text of the line the message names
    std::string said;
};

std::string cup(const std::string& more) {
    return st::scene(st::object("Cup.lwo", "0 0 0 0 0 0", more));
}

std::string cupMotion(const std::string& block) {
    return st::scene("LoadObject Cup.lwo\nObjectMotion (unnamed)\n" + block);
}

std::string withLight(const std::string& more) {
    return st::scene(st::null("Rig", "0 0 0 0 0 0"), st::light("Key", "0 0 0 0 0 0", more));
}

std::string withCamera(const std::string& more) {
    return st::scene(st::null("Rig", "0 0 0 0 0 0"), "", st::camera("0 0 0 0 0 0", more));
}

std::string twoNulls(const std::string& first, const std::string& second) {
    return st::scene(st::null("A", "0 0 0 0 0 0", first) + st::null("B", "1 0 0 0 0 0", second));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

const std::string kKey = "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n";

TEST(SceneDamage, IsRefusedByItsLine) {
    const Damage cases[] = {
        {"not a scene", "LWSX\n1\n", "LWSX", "not a scene file"},
        {"a control byte", withLight("LightName K\x01y\n"), "K\x01y", "control byte (\\x01)"},
        {"a line past the limit", cup("Comment " + std::string(9000, 'x') + "\n"), "Comment",
         "longer than 8192 bytes"},
        {"a motion of eight channels", cupMotion("  8\n  1\n" + kKey + "EndBehavior 1\n"), "  8",
         "channel count of the motion of ObjectMotion (line 10) is 8; a motion has 9 channels"},
        {"no keys", cupMotion("  9\n  0\nEndBehavior 1\n"), "  0\n", "key count"},
        {"more keys than the file holds", cupMotion("  9\n  40\n" + kKey + "EndBehavior 1\n"),
         "  40", "more than the rest of the file could hold"},
        {"the file ends in a motion",
         "LWSC\n1\nLoadObject a.lwo\nObjectMotion (unnamed)\n 9\n 1\n"
         "  0  0  0  0  0  0  1  1  1\n  0  0  0  0.0",
         "0.0",
         "the file ends inside the motion of ObjectMotion (line 4), before its "
         "tension, continuity and bias of key 1 of 1"},
        {"EndBehavior missing", cupMotion("  9\n  1\n" + kKey + "ShadowOptions 7\n"),
         "ShadowOptions", "\"ShadowOptions\" stands where the EndBehavior"},
        {"a word among the keys", cupMotion("  9\n  2\n" + kKey + "EndBehavior 1\n"), "EndBehavior",
         "\"EndBehavior\" stands where the values of key 2 of 2"},
        {"numbers left over",
         cupMotion("  9\n  1\n  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0 7\nEndBehavior 1\n"),
         "  0 0 0 0 0 7", "numbers are left over"},
        {"frames that do not rise",
         cupMotion("  9\n  2\n" + kKey + "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\nEndBehavior 1\n"),
         "  0 0 0 0 0\nEndBehavior", "not after the key before it"},
        {"a fractional frame",
         cupMotion("  9\n  1\n  0 0 0 0 0 0 1 1 1\n  2.5 0 0 0 0\nEndBehavior 1\n"), "  2.5",
         "not a whole number of 0 or more"},
        {"a linear flag of 2",
         cupMotion("  9\n  1\n  0 0 0 0 0 0 1 1 1\n  0 2 0 0 0\nEndBehavior 1\n"), "  0 2",
         "not 0 or 1"},
        {"a tension past 1",
         cupMotion("  9\n  1\n  0 0 0 0 0 0 1 1 1\n  0 0 1.5 0 0\nEndBehavior 1\n"), "  0 0 1.5",
         "must be from -1 to 1"},
        {"not a finite number",
         cupMotion("  9\n  1\n  0 nan 0 0 0 0 1 1 1\n  0 0 0 0 0\nEndBehavior 1\n"), "nan",
         "\"nan\" is not a finite number"},
        {"EndBehavior 3", cupMotion("  9\n  1\n" + kKey + "EndBehavior 3\n"), "EndBehavior 3",
         "from 0 to 2"},
        {"an external motion file",
         replaced(cup(""), "ObjectMotion (unnamed)\n  9", "ObjectMotion cup.mot\nEndBehavior 1"),
         "ObjectMotion cup.mot", "external motion file"},
        {"a stray EndBehavior", cup("EndBehavior 1\n"), "EndBehavior 1\n\nAmb",
         "no motion or envelope has ended"},
        {"LightType 5", withLight("LightType 5\n"), "LightType 5", "from 0 to 2"},
        {"an area light", withLight("LightType 4\n"), "LightType 4", "an area light"},
        {"a colour past 255", withLight("LightColor 256 0 0\n"), "LightColor 256", "from 0 to 255"},
        {"an envelope of a colour", withLight("LightColor (envelope)\n"), "LightColor (",
         "takes no envelope"},
        {"a number for an envelope only", cup("") + "GlobalFlareIntensity 1\n",
         "GlobalFlareIntensity", "takes only an envelope"},
        {"a zoom of 0", withCamera("ZoomFactor 0\n"), "ZoomFactor 0", "greater than 0"},
        {"a zoom key below 0",
         withCamera("ZoomFactor (envelope)\n 1\n 1\n -2\n 0 0 0 0 0\nEndBehavior 1\n"),
         "ZoomFactor (", "every key of the envelope of ZoomFactor must be greater than 0"},
        {"a frame of no width", withCamera("CustomSize 0 480\n"), "CustomSize", "from 1 to 16384"},
        {"FrameStep 0", st::kHeader + "FrameStep 0\n", "FrameStep 0", "from 1 to"},
        {"FramesPerSecond 0", cup("FramesPerSecond 0\n"), "FramesPerSecond 0", "greater than 0"},
        {"frames backwards", replaced(cup(""), "LastFrame 48", "LastFrame 0"), "LastFrame 0",
         "LastFrame 0 comes before FirstFrame 1"},
        {"a second camera", withCamera("ShowCamera 1 7\n"), "ShowCamera 1 7\n\nSolid",
         "a second camera"},
        {"no camera", st::scene(st::null("A", "0 0 0 0 0 0"), "", ""), "BackdropColor",
         "no camera"},
        {"a light keyword in an object", cup("LightColor 1 2 3\n"), "LightColor 1",
         "\"LightColor\" belongs to a light's lines (begun by AddLight), but stands among the "
         "lines of the object begun at line 9"},
        {"an object without motion", st::scene("LoadObject Cup.lwo\nShadowOptions 7\n"),
         "LoadObject", "object 1 (\"Cup.lwo\") has no ObjectMotion"},
        {"an object file not named", st::scene("LoadObject \n"), "LoadObject",
         "names no object file"},
        {"ParentObject 0", twoNulls("ParentObject 0\n", ""), "ParentObject 0",
         "objects are numbered from 1"},
        {"a parent past the objects", twoNulls("", "ParentObject 3\n"), "ParentObject 3",
         "ParentObject 3, but the scene has 2 objects"},
        {"its own parent", twoNulls("", "ParentObject 2\n"), "ParentObject 2",
         "object 2 (\"B\") names itself"},
        {"parents in a loop", twoNulls("ParentObject 2\n", "ParentObject 1\n"), "ParentObject 2",
         "ParentObject links go round in a loop: object 1 (\"A\") hangs from object 2 (\"B\"), "
         "which hangs from object 1 (\"A\")"},
        {"a target hanging from its aimer", twoNulls("TargetObject 2\n", "ParentObject 1\n"),
         "TargetObject", "object 1 (\"A\") aims at object 2 (\"B\"), which hangs from object 1"},
        {"bones in a loop",
         cup("AddBone\n" + st::still("BoneMotion", "0 0 0 0 0 0") + "ParentObject 2\nAddBone\n" +
             st::still("BoneMotion", "0 0 0 0 0 0") + "ParentObject 1\n"),
         "ParentObject 2",
         "the bones of object 1 (\"Cup.lwo\") hang from each other in a loop: "
         "bone 1 hangs from bone 2, which hangs from bone 1"},
        {"a bone parent past the bones",
         cup("AddBone\n" + st::still("BoneMotion", "0 0 0 0 0 0") + "ParentObject 2\n"),
         "ParentObject 2", "the bone's object has 1 bone"},
    };
    for (const Damage& c : cases) {
        const auto scene = models::readScene(c.text, "shot.lws");
        ASSERT_FALSE(scene) << c.what;
        const std::string line =
            "shot.lws, line " + std::to_string(lineOf(c.text, c.marker)) + ": ";
        EXPECT_THAT(scene.error(), StartsWith(line)) << c.what;
        EXPECT_THAT(scene.error(), HasSubstr(c.said)) << c.what;
    }
}

TEST(SceneDamage, TwoObjectsMayAimAtEachOther) {
    EXPECT_TRUE(models::readScene(twoNulls("TargetObject 2\n", "TargetObject 1\n"), "s.lws"));
}

}  // namespace
