// The memo dialog picks its editor by the text's format; Ok hands the
// edited text back in that format, Cancel leaves the caller's text alone.
#include "memo_edit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gtf_rtf.hpp"

namespace {

// While it lives, finds the open "Memo test" dialog, hands its editor
// window (of the class asked for) to an action, then presses a button.
class MemoDriver {
public:
    MemoDriver(std::string editorClass, std::function<void(HWND)> act, std::string press) {
        editorClass_ = std::move(editorClass);
        act_ = std::move(act);
        press_ = std::move(press);
        found_ = false;
        timer_ = SetTimer(nullptr, 0, 30, &MemoDriver::tick);
    }
    ~MemoDriver() {
        KillTimer(nullptr, timer_);
        act_ = nullptr;
    }
    static inline bool found_ = false;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA(nullptr, "Memo test");
        if (!box || !act_) return;
        HWND editor = FindWindowExA(box, nullptr, editorClass_.c_str(), nullptr);
        HWND button = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char text[64] = {};
            GetWindowTextA(c, text, sizeof text);
            if (press_ == text) button = c;
        }
        if (!button) return;
        found_ = editor != nullptr;
        if (editor) act_(editor);
        act_ = nullptr;
        PostMessageA(button, BM_CLICK, 0, 0);
    }
    static inline std::string editorClass_, press_;
    static inline std::function<void(HWND)> act_;
    UINT_PTR timer_ = 0;
};

wl::MemoEditFrame memoFrame() {
    wl::MemoEditFrame f;
    f.cTitle = "Memo test";
    return f;
}

std::string memoWindowText(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

TEST(MemoEdit, PlainTextIsEditedInTheMultiLineFieldAndComesBackPlain) {
    std::string text = "first note";
    std::string shown;
    {
        MemoDriver d("Edit", [&](HWND e) {
            shown = memoWindowText(e);
            SetWindowTextA(e, "changed note");
        }, "&Ok");
        EXPECT_TRUE(wl::MemoEdit(text, memoFrame()));
    }
    EXPECT_TRUE(MemoDriver::found_);
    EXPECT_EQ(shown, "first note");
    EXPECT_EQ(text, "changed note");
}

TEST(MemoEdit, CancelLeavesTheTextAndAnswersFalse) {
    std::string text = "kept";
    {
        MemoDriver d("Edit", [](HWND e) { SetWindowTextA(e, "lost"); }, "&Cancel");
        EXPECT_FALSE(wl::MemoEdit(text, memoFrame()));
    }
    EXPECT_EQ(text, "kept");
}

TEST(MemoEdit, RtfIsEditedInRichEditAndComesBackAsRtf) {
    std::string text = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard rich {\\b words}\\par}";
    {
        MemoDriver d("RichEdit20A", [](HWND) {}, "&Ok");
        EXPECT_TRUE(wl::MemoEdit(text, memoFrame()));
    }
    EXPECT_TRUE(MemoDriver::found_);
    ASSERT_TRUE(wl::IsRTF(text));
    auto gtf = wl::rtfToGtf(text);
    ASSERT_TRUE(gtf);
    EXPECT_EQ(wl::GtfToTxt(*gtf).substr(0, 10), "rich words");
}

TEST(MemoEdit, GtfIsEditedInTheFormattedEditorAndComesBackAsGtf) {
    std::string text = wl::TxtToGtf("abc");
    {
        MemoDriver d("TFGET", [](HWND e) {
            SendMessageA(e, WM_KEYDOWN, VK_END, 0);
            SendMessageA(e, WM_CHAR, 'd', 0);
        }, "&Ok");
        EXPECT_TRUE(wl::MemoEdit(text, memoFrame()));
    }
    EXPECT_TRUE(MemoDriver::found_);
    ASSERT_TRUE(wl::IsGTF(text));
    EXPECT_EQ(wl::GtfToTxt(text), "abcd");
}

TEST(MemoEdit, AClosureShowsItsTextAndIsNotWrittenBack) {
    int calls = 0;
    std::string shown;
    {
        MemoDriver d("Edit", [&](HWND e) {
            shown = memoWindowText(e);
            SetWindowTextA(e, "edited");
        }, "&Ok");
        EXPECT_TRUE(wl::MemoEdit([&] {
            ++calls;
            return std::string("from the closure");
        }, memoFrame()));
    }
    EXPECT_EQ(shown, "from the closure");
    EXPECT_EQ(calls, 1);
}

}  // namespace
