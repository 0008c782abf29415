// Looks developed by turning the model and comparing looks: a turntable's views step
// evenly around the subject from the orbit on and come together in a strip; a comparison
// holds each look's own render, side by side.
#include "picture_search.h"
#include "png_reader.h"
#include "preview_fixture.h"
#include "tools/preview/comparison.h"

namespace {

const std::vector<std::string> kSmall{"--width", "48", "--height", "36", "--samples", "1"};

std::vector<std::string> with(std::vector<std::string> base, const std::vector<std::string>& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

using LookDevelopment = PreviewTest;

// View 2 of 4 is half a turn on from --orbit, as the one picture at that orbit is, and every
// view is in the strip as rendered (its thumbnail is its own size here).
TEST_F(LookDevelopment, TurntableViewsStepEvenlyFromTheOrbitIntoAStrip) {
    const ToolRun turned =
        run(with(kSmall, {"--turntable", "4", "--orbit", "30", "-o", "turn-%02d.png"}));
    ASSERT_EQ(turned.exitCode, 0) << turned.err;
    ASSERT_EQ(run(with(kSmall, {"--orbit", "210", "-o", "half.png"})).exitCode, 0);
    const auto first = readPng(file("turn-00.png").string());
    const auto half = readPng(file("turn-02.png").string());
    const auto expected = readPng(file("half.png").string());
    const auto strip = readPng(file("turn-strip.png").string());
    ASSERT_TRUE(first && half && expected && strip);
    EXPECT_EQ(half->rgb, expected->rgb);
    EXPECT_NE(first->rgb, half->rgb);
    std::optional<std::pair<int, int>> previous;
    for (const char* name : {"turn-00.png", "turn-01.png", "turn-02.png", "turn-03.png"}) {
        const auto view = readPng(file(name).string());
        ASSERT_TRUE(view) << name;
        const auto at = findPicture(*strip, *view);
        ASSERT_TRUE(at) << name << " is not in the strip";
        EXPECT_GT(at->first, previous ? previous->first : -1) << name << " is not in order";
        previous = at;
    }
}

// Each look compared is its own render, its maps included, with the options of the
// command line over it, as --preset and --load give it, in the order given.
TEST_F(LookDevelopment, ComparisonHoldsEachLooksOwnRenderSideBySide) {
    ASSERT_EQ(run({"--save", "soft.txt", "--density", "0.2"}).exitCode, 0);
    const std::vector<std::string> common = with(kSmall, {"--roughness", "0.1"});
    const ToolRun compared =
        run(with(common, {"--compare", "burnout-velvet,soft.txt", "-o", "both.png"}));
    ASSERT_EQ(compared.exitCode, 0) << compared.err;
    ASSERT_EQ(run(with(common, {"--preset", "burnout-velvet", "-o", "look.png"})).exitCode, 0);
    ASSERT_EQ(run(with(common, {"--load", "soft.txt", "-o", "soft.png"})).exitCode, 0);
    const auto both = readPng(file("both.png").string());
    const auto look = readPng(file("look.png").string());
    const auto soft = readPng(file("soft.png").string());
    ASSERT_TRUE(both && look && soft);
    const auto lookAt = findPicture(*both, *look);
    const auto softAt = findPicture(*both, *soft);
    ASSERT_TRUE(lookAt && softAt);
    EXPECT_LT(lookAt->first, softAt->first);
    EXPECT_EQ(lookAt->second, softAt->second);
}

// The side-by-side picture is bounded before any work: up to two looks of the largest size
// (or their pixels in any shape), no more; the refusal writes nothing and reads no look.
TEST_F(LookDevelopment, ComparisonLargerThanItsBoundIsRefusedBeforeAnyWork) {
    const struct {
        int looks, width, height;
        bool fits;
    } sizes[] = {{2, 8192, 8192, true},
                 {3, 8192, 5461, true},
                 {3, 8192, 5462, false},
                 {12, 8192, 8192, false}};
    for (const auto& [looks, width, height, fits] : sizes) {
        preview::PreviewOptions options;
        options.compared.assign(static_cast<std::size_t>(looks), "felt");
        options.render.width = width;
        options.render.height = height;
        EXPECT_EQ(bool(preview::checkComparisonSize(options)), fits) << looks << " x " << height;
    }
    std::string twelve = "no-such-look";
    for (int i = 1; i < 12; ++i) twelve += ",felt";
    const ToolRun refused =
        run({"--compare", twelve, "--width", "8192", "--height", "8192", "-o", "all.png"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err,
              "pelorix3-preview: --compare: 12 looks of 8192 x 8192 come to 805,306,368 pixels "
              "side by side; a comparison may have 134,217,728 at most (two looks of 8192 x "
              "8192): compare fewer looks or give a smaller --width or --height\n");
    EXPECT_TRUE(entries().empty());
}

}  // namespace
