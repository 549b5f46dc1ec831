// The source editing dialog: Ok hands the edited text back, Cancel leaves
// the caller's text alone.
#include "source_edit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Edits the editor of the open "Source test" dialog, then presses a button.
class Editor {
public:
    Editor(std::string newText, std::string press) {
        text_ = std::move(newText);
        press_ = std::move(press);
        shown_.clear();
        done_ = false;
        timer_ = SetTimer(nullptr, 0, 30, &Editor::tick);
    }
    ~Editor() { KillTimer(nullptr, timer_); }
    static inline std::string shown_;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA(nullptr, "Source test");
        // Once: a later tick before the click is handled would read the new text.
        if (!box || done_) return;
        HWND editor = FindWindowExA(box, nullptr, "Scintilla", nullptr);
        HWND button = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char text[64] = {};
            GetWindowTextA(c, text, sizeof text);
            if (press_ == text) button = c;
        }
        if (!editor || !button) return;
        char shown[256] = {};
        SendMessageA(editor, 2182, sizeof shown - 1, reinterpret_cast<LPARAM>(shown));  // SCI_GETTEXT
        shown_ = shown;
        SendMessageA(editor, 2181, 0, reinterpret_cast<LPARAM>(text_.c_str()));      // SCI_SETTEXT
        PostMessageA(button, BM_CLICK, 0, 0);
        done_ = true;
    }
    static inline std::string text_, press_;
    static inline bool done_ = false;
    UINT_PTR timer_ = 0;
};

TEST(SourceEdit, OkReturnsTheEditedTextCancelKeepsTheOld) {
    std::string text = "function Main()\r\nreturn nil\r\n";
    {
        Editor e("changed", "&Cancel");
        EXPECT_FALSE(wl::SourceEdit(text, "Source test"));
    }
    EXPECT_EQ(Editor::shown_, "function Main()\r\nreturn nil\r\n");
    EXPECT_EQ(text, "function Main()\r\nreturn nil\r\n");
    {
        Editor e("changed", "&Ok");
        EXPECT_TRUE(wl::SourceEdit(text, "Source test", 0xFFFFFF));
    }
    EXPECT_EQ(text, "changed");
}

}  // namespace
