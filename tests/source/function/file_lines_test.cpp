#include "file_lines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"

namespace {

TEST(FReadLine, ReadsUpToCrLfAndLeavesTheFileAfterIt) {
    zrtest::TempDir dir;
    wl::InputFile file(dir.write("a.txt", "first\r\nsecond\r\nlast"));
    std::string line;
    EXPECT_TRUE(wl::FREADLINE(file, line));
    EXPECT_EQ(line, "first\r\n");
    EXPECT_TRUE(wl::FREADLINE(file, line, 3));
    EXPECT_EQ(line, "sec");  // no CR LF within the bytes read: all of them
    EXPECT_TRUE(wl::FREADLINE(file, line));
    EXPECT_EQ(line, "ond\r\n");
    EXPECT_TRUE(wl::FREADLINE(file, line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(wl::FREADLINE(file, line));
    EXPECT_EQ(line, "");
}

TEST(FReadCrLine, LinesEndWithAZeroByteAndTheEndGivesEmpty) {
    zrtest::TempDir dir;
    wl::InputFile file(dir.write("b.txt", "ab\r\n\r\nc"));
    EXPECT_EQ(wl::FREADCRLINE(file), std::string("ab\0", 3));
    EXPECT_EQ(wl::FREADCRLINE(file), std::string("\0", 1));
    EXPECT_EQ(wl::FREADCRLINE(file), std::string("c\0", 2));
    EXPECT_EQ(wl::FREADCRLINE(file), "");
}

TEST(FLineCount, StopsAtTheEndOfTheFile) {
    zrtest::TempDir dir;
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"", 0}, {"one", 1}, {"one\r\n", 1}, {"one\r\ntwo\r\n", 2}, {"one\r\n\r\nthree", 3}, {"a\nb\n", 1},
    };
    for (const auto& [bytes, count] : cases)
        EXPECT_EQ(wl::FLINECOUNT(dir.write("c.txt", bytes)), count) << '"' << bytes << '"';
    EXPECT_EQ(wl::FLINECOUNT(dir.file("missing.txt")), 0u);
}

}  // namespace
