// "Select Format" under Wine: each button's letter, Cancel and closing,
// and kind 3's "Form Control", which stays open.
#include "format_picker.hpp"

#include <gtest/gtest.h>

#include "user_script.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto formatPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

TEST(FormatPicker, EachButtonAnswersItsLetter) {
    struct Case {
        int kind;
        std::string button, letter;
    };
    const std::vector<Case> cases = {{1, "Text", "A"}, {1, "PDF", "D"},   {1, "Cancel", ""}, {2, "XML", "B"},
                                     {2, "Cancel", ""}, {3, "Print", "A"}, {4, "TIF", "C"},    {4, "BMP", "A"}};
    for (const Case& c : cases) {
        UserScript script({{"Select Format", formatPress(c.button)}});
        EXPECT_EQ(CTLD39417(c.kind, ""), c.letter) << c.kind << " " << c.button;
        EXPECT_TRUE(UserScript::done());
    }
    UserScript closed({{"Select Format", [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }}});
    EXPECT_EQ(CTLD39417(1, ""), "");
}

TEST(FormatPicker, FormControlOpensTheAlignmentAndStaysOpen) {
    std::vector<std::string> opened;
    std::vector<ShownDialog> shown;
    UserScript script({{"Select Format", formatPress("Form Control")}, {"Select Format", formatPress("Print")}});
    EXPECT_EQ(CTLD39417(3, "form.cfg", [&](const std::string& v) { opened.push_back(v); },
                        ViewerUi{[&shown](const ShownDialog& d) { shown.push_back(d); }}),
              "A");
    EXPECT_EQ(opened, std::vector<std::string>{"form.cfg"});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].lines, (std::vector<std::string>{"Print", "Form Control", "Cancel"}));
    // Without an alignment to open, the button is greyed.
    bool greyed = false;
    UserScript without({{"Select Format", [&greyed](HWND w) {
                             HWND b = FindWindowExA(w, nullptr, "Button", "Form Control");
                             greyed = b && !IsWindowEnabled(b);
                             pressButton(w, "Cancel");
                         }}});
    EXPECT_EQ(CTLD39417(3, ""), "");
    EXPECT_TRUE(greyed);
}

}  // namespace
