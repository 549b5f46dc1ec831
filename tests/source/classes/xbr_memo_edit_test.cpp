// A memo cell goes to the dialog its content asks for: text to the memo
// editor, binary data to the hex editor; only a changed value comes back.
#include "xbr_memo_edit.hpp"

#include <gtest/gtest.h>

#include "timer_steps.hpp"

namespace {

using namespace wl;

std::string memoWindowText(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

TEST(XbrMemoEdit, TextGoesToTheMemoEditorAndComesBackWhenChanged) {
    std::string shown;
    zrtest::TimerSteps s({
        [&] {
            HWND box = FindWindowA(nullptr, "Notes");
            HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
            ASSERT_NE(edit, nullptr);
            shown = memoWindowText(edit);
            SetWindowTextA(edit, "line one\r\nline two");
            PostMessageA(FindWindowExA(box, nullptr, "Button", "&Ok"), BM_CLICK, 0, 0);
        },
    });
    const auto v = XBREDITMEMO(Value("line one"), false, "Notes");
    EXPECT_EQ(shown, "line one");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->text(), "line one\r\nline two");

    zrtest::TimerSteps same({
        [&] {
            HWND box = FindWindowA(nullptr, "Notes");
            PostMessageA(FindWindowExA(box, nullptr, "Button", "&Ok"), BM_CLICK, 0, 0);
        },
    });
    EXPECT_FALSE(XBREDITMEMO(Value("unchanged"), false, "Notes"));  // Ok without a change
}

TEST(XbrMemoEdit, BinaryDataGoesToTheHexEditor) {
    bool hexShown = false;
    zrtest::TimerSteps s({
        [&] {
            HWND box = FindWindowA(nullptr, "Blob");
            hexShown = box && FindWindowExA(box, nullptr, "Button", "Save") != nullptr;
            PostMessageA(FindWindowExA(box, nullptr, "Button", "Cancel"), BM_CLICK, 0, 0);
        },
    });
    EXPECT_FALSE(XBREDITMEMO(Value(std::string("\x01\x02\0\x03", 4)), false, "Blob"));
    EXPECT_TRUE(hexShown);
}

}  // namespace
