// The nearest option to a misspelt one: edits counted as a person makes them (a letter
// left out, added, changed, or two neighbours swapped), in any case, and only near names
// suggested.
#include "tools/preview/option_suggestion.h"

#include <gtest/gtest.h>

namespace {

struct Distance {
    const char* a;
    const char* b;
    std::size_t edits;
};

TEST(OptionSuggestion, CountsTheEditsBetweenTwoNames) {
    const Distance kDistances[] = {
        {"densty", "density", 1}, {"density", "densty", 1}, {"desnity", "density", 1},
        {"ZOOM", "zoom", 0},      {"", "abc", 3},           {"abc", "", 3},
        {"kitten", "sitting", 3}, {"ca", "abc", 3},         {"scene", "shine", 2},
        {"abcdef", "abdcfe", 2},  {"ozom", "zoom", 1},
    };
    for (const Distance& d : kDistances) {
        EXPECT_EQ(preview::editDistance(d.a, d.b), d.edits) << d.a << " / " << d.b;
    }
}

TEST(OptionSuggestion, NamesOnlyAnOptionAFewEditsAway) {
    const std::vector<std::string> names{"--scene", "--zoom", "--density", "--samples", "-o"};
    EXPECT_EQ(preview::nearestOption("--densty=0.5", names), "--density");
    EXPECT_EQ(preview::nearestOption("--zom", names), "--zoom");        // 3 letters: one edit
    EXPECT_EQ(preview::nearestOption("--shine", names), std::nullopt);  // 5 letters: one edit
    EXPECT_EQ(preview::nearestOption("--smaples", names), "--samples");
    EXPECT_EQ(preview::nearestOption("-O", names), "-o");
    EXPECT_EQ(preview::nearestOption("--x", names), std::nullopt);
}

}  // namespace
