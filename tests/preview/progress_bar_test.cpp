// The progress bar shows only on a terminal, only for long work, and leaves no trace.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/preview/progress_bar.h"

namespace {

std::string contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
}

TEST(ProgressBar, SilentWhenNotATerminal) {
    std::FILE* stream = std::tmpfile();
    {
        preview::ProgressBar bar(4, stream, false, std::chrono::seconds(0));
        for (int i = 0; i < 4; ++i) bar.advance();
    }
    EXPECT_EQ(contents(stream), "");
    std::fclose(stream);
}

TEST(ProgressBar, SilentForShortWork) {
    std::FILE* stream = std::tmpfile();
    {
        preview::ProgressBar bar(4, stream, true, std::chrono::hours(1));
        for (int i = 0; i < 4; ++i) bar.advance();
    }
    EXPECT_EQ(contents(stream), "");
    std::fclose(stream);
}

TEST(ProgressBar, DrawsOnATerminalAndWipesItself) {
    std::FILE* stream = std::tmpfile();
    preview::ProgressBar bar(4, stream, true, std::chrono::seconds(0));
    bar.advance();
    bar.advance();
    EXPECT_NE(contents(stream).find(" 50%"), std::string::npos) << contents(stream);
    std::fseek(stream, 0, SEEK_END);
    bar.advance();
    bar.advance();
    bar.finish();
    const std::string text = contents(stream);
    EXPECT_NE(text.find("100%"), std::string::npos);
    EXPECT_EQ(text.back(), '\r');  // the line is blanked and the cursor back at its start
}

}  // namespace
