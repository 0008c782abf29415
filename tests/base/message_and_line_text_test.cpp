// The pieces of messages about a file: an excerpt cut short only past its length, and the
// number of the line a byte of the text stands on, whatever its line ends.
#include <gtest/gtest.h>

#include <string>

#include "base/message_text.h"
#include "base/text_lines.h"

namespace {

TEST(MessageText, AnExcerptIsCutOnlyWhenTheTextIsLongerThanItsLength) {
    const std::string full(base::kExcerptLength, 'a');
    EXPECT_EQ(base::excerpt(full), full);
    EXPECT_EQ(base::excerpt(full + "b"), full + "...");
    EXPECT_EQ(base::quotedExcerpt("x\x01"), "\"x\\x01\"");
}

TEST(TextLines, TheLineOfAnOffsetCountsEveryKindOfLineEnd) {
    const std::string text = "a\rb\r\nc\nd";  // a lone CR, CR LF, and LF each end a line
    EXPECT_EQ(base::lineNumberAt(text, text.find('a')), 1u);
    EXPECT_EQ(base::lineNumberAt(text, text.find('b')), 2u);
    EXPECT_EQ(base::lineNumberAt(text, text.find('c')), 3u);
    EXPECT_EQ(base::lineNumberAt(text, text.find('d')), 4u);
}

}  // namespace
