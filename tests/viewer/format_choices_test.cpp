// The buttons, letters and places of each kind of "Select Format" question.
#include "format_choices.hpp"

#include <gtest/gtest.h>

namespace {

using namespace zr;

std::string formatButtonsOf(int kind) {
    std::string out;
    for (const FormatButton& b : formatQuestion(kind).buttons)
        out += b.caption + "=" + (b.letter ? *b.letter : "-") + "@" + std::to_string(static_cast<int>(b.row)) + " ";
    return out;
}

TEST(FormatChoices, ButtonsOfEachKind) {
    const std::vector<std::pair<int, std::string>> cases = {
        {1, "Text=A@10 HTML=B@30 RTF=C@50 PDF=D@70 Cancel=@90 "},
        {2, "CSV=A@10 XML=B@30 Cancel=@50 "},
        {3, "Print=A@10 Form Control=-@30 Cancel=@70 "},
        {4, "BMP=A@10 JPG=B@30 TIF=C@50 Cancel=@70 "},
        {0, "Cancel=@10 "},
    };
    for (const auto& [kind, buttons] : cases) EXPECT_EQ(formatButtonsOf(kind), buttons) << kind;
    EXPECT_EQ(formatQuestion(1).height, 260);
    EXPECT_EQ(formatQuestion(2).height, 180);
    EXPECT_EQ(formatQuestion(4).width, 180);
}

}  // namespace
