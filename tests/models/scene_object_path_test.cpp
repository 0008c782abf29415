// A scene's object paths searched for: the places each form of path gives, in order, the
// search stopping at the first found, and the files of a content folder matched
// regardless of case.
#include "models/scene_object_path.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "models/scene_content_folder.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Places = std::vector<std::string>;

TEST(SceneObjectPath, EachFormOfPathGivesItsPlacesInOrder) {
    const struct {
        const char* written;
        Places places;
    } cases[] = {
        {"Objects\\Props\\Cup.lwo", {"Objects/Props/Cup.lwo"}},
        {"C:\\LW\\Objects\\Cup.lwo", {"LW/Objects/Cup.lwo", "Objects/Cup.lwo", "Cup.lwo"}},
        {"C:Objects\\Cup.lwo", {"Objects/Cup.lwo", "Cup.lwo"}},
        {"\\\\host\\share\\LW\\Cup.lwo", {"LW/Cup.lwo", "Cup.lwo"}},
        {"Work:Objects/Cup.lwo", {"Objects/Cup.lwo", "Cup.lwo"}},
        {"/LW/./Objects//Cup.lwo", {"LW/Objects/Cup.lwo", "Objects/Cup.lwo", "Cup.lwo"}},
        {"Objects/../Props/Cup.lwo", {"Props/Cup.lwo"}},
        {"Objects/Cup 2.lwo", {"Objects/Cup 2.lwo"}},
    };
    for (const auto& c : cases) {
        const auto places = models::objectPathPlaces(c.written);
        ASSERT_TRUE(places) << c.written << ": " << places.error();
        EXPECT_EQ(places.value(), c.places) << c.written;
    }
}

TEST(SceneObjectPath, PathsThatLeaveTheContentFolderOrNameNothingAreRefused) {
    for (const char* written : {"..\\Cup.lwo", "Objects/../../Cup.lwo", "C:\\..\\Cup.lwo"}) {
        const auto places = models::objectPathPlaces(written);
        ASSERT_FALSE(places) << written;
        EXPECT_THAT(places.error(), HasSubstr("climbs above the content folder"));
    }
    for (const char* written : {"C:\\", "\\\\host\\share", "Objects/.."}) {
        EXPECT_FALSE(models::objectPathPlaces(written)) << written;
    }
}

TEST(SceneObjectPath, TheSearchStopsAtTheFirstPlaceFound) {
    Places asked;
    const auto search =
        models::searchObjectPath("C:\\LW\\Objects\\Cup.lwo", [&](const std::string& p) {
            asked.push_back(p);
            return p == "Objects/Cup.lwo" ? std::optional<std::string>("found") : std::nullopt;
        });
    ASSERT_TRUE(search);
    EXPECT_EQ(search->found, "found");
    EXPECT_THAT(search->tried, ElementsAre("LW/Objects/Cup.lwo", "Objects/Cup.lwo"));
    EXPECT_EQ(asked, search->tried);
    EXPECT_EQ(models::fileNameOf("Work:Objects\\Props/Cup.lwo"), "Cup.lwo");
    EXPECT_TRUE(models::sameNameIgnoringCase("Cup.LWO", "cup.lwo"));
    EXPECT_FALSE(models::sameNameIgnoringCase("Cup.lwo", "Cup.lw"));
}

class ContentFolder : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder of each test's own, as the tests may run side by side.
        root_ = fs::path(::testing::TempDir()) /
                (std::string("pelorix3-content-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Objects" / "Props");
        std::ofstream(root_ / "Objects" / "Props" / "CUP.LWO") << "FORM";
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_;
};

TEST_F(ContentFolder, FindsAFileWhoseFoldersAndNameDifferInCase) {
    const auto found =
        models::findObjectFile("D:\\Work\\objects\\props\\Cup.lwo", {root_ / "missing", root_});
    ASSERT_TRUE(found) << found.error();
    EXPECT_EQ(found.value(), root_ / "Objects" / "Props" / "CUP.LWO");
    // A folder is not an object file.
    EXPECT_FALSE(models::findInFolder(root_, "objects/props"));
}

TEST_F(ContentFolder, AFileNotFoundIsNamedWithEveryPlaceTried) {
    const auto found = models::findObjectFile("C:Objects\\Mug.lwo", {root_ / "a", root_});
    ASSERT_FALSE(found);
    EXPECT_EQ(found.error(), "object file \"C:Objects\\\\Mug.lwo\" not found; tried " +
                                 (root_ / "a" / "Objects/Mug.lwo").string() + ", " +
                                 (root_ / "a" / "Mug.lwo").string() + ", " +
                                 (root_ / "Objects/Mug.lwo").string() + ", " +
                                 (root_ / "Mug.lwo").string());
}

}  // namespace
