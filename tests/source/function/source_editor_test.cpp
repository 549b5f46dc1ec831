#include "source_editor.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ScintillaCommand, NamesGiveScintillaMessages) {
    const struct {
        const char* name;
        std::optional<int> message;
    } cases[] = {
        {"EmptyUndoBuffer", 2175},  // Scintilla's own, not the edit control's 205
        {"emptyundobuffer", 2175},
        {"GoLeft", 2304},
        {"Charleft", 2304},
        {"Undo", 2176},
        {"Redo", 2011},
        {"Stutteredpagedownextend", 2438},
        {"Wordrightextend", 2311},
        {"Nothing", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(wl::scintillaCommand(c.name), c.message) << c.name;
}

// Every source line is listed, empty ones and long runs of them included.
TEST(SourceListing, NumbersEveryLine) {
    std::string text;
    for (int i = 1; i <= 130; ++i) text += (i % 2 ? "x\tline" : "") + std::string("\r\n");
    text += "last";
    auto lines = wl::sourceListing(text);
    ASSERT_EQ(lines.size(), 131u);
    EXPECT_EQ(lines[0], "00001  x   line");
    EXPECT_EQ(lines[1], "00002  ");
    EXPECT_EQ(lines[130], "00131  last");
    EXPECT_EQ(wl::sourceListing("a\nb\rc\r\n"), (std::vector<std::string>{"00001  a", "00002  b", "00003  c"}));
    EXPECT_TRUE(wl::sourceListing("").empty());
    // A long line goes on in the next rows; the numbering counts lines.
    EXPECT_EQ(wl::sourceListing(std::string(10, 'a') + "\nb", 8),
              (std::vector<std::string>{"00001  a", "aaaaaaaa", "a", "00002  b"}));
}

}  // namespace
