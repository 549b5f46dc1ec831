// The rich edit button bar over a live rich edit: its buttons in order,
// which of them a selection and read-only allow, the formats they toggle;
// and the RichEdit dialog showing its text.
#include "rich_edit_dialog.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include "parent_window.hpp"
#include "rich_edit.hpp"

namespace {

using namespace wl;

struct RichBarLibrary {
    HMODULE lib = LoadLibraryA("riched20.dll");
    ~RichBarLibrary() { FreeLibrary(lib); }
};

struct RichBarFixture {
    RichBarLibrary lib;
    wltest::Parent p{300, 700};
    Value text{std::string()};
    TRichEdit edit;
    std::unique_ptr<RichEditBar> bar;
    explicit RichBarFixture(bool readOnly = false) {
        RichEditNew n;
        n.oWnd = &p.w;
        n.lPixel = true;
        n.nRow = 40;
        n.nWidth = 380;
        n.nHeight = 200;
        n.bSetGet = bindTo(text);
        n.lReadOnly = readOnly;
        edit.New(n);
        edit.SetText("plain words here");
        bar = BuildRichEditBar(p.w, edit);
    }
    bool enabled(const char* tip) const { return IsWindowEnabled(bar->button(tip)->hWnd) != 0; }
};

TEST(RichEditBar, HoldsTheButtonsInOrderWithTheirGroups) {
    RichBarFixture f;
    ASSERT_EQ(f.bar->buttons.size(), 22u);
    EXPECT_EQ(f.bar->buttons.front()->cMsg, "Create a new file");
    EXPECT_EQ(f.bar->buttons.back()->cMsg, "Exit");
    int groups = 0;
    for (const auto& b : f.bar->buttons) groups += b->lGroup ? 1 : 0;
    EXPECT_EQ(groups, 8);
    // Built-in pictures where the program has no resource of the name.
    EXPECT_NE(f.bar->button("Underline")->hBitmap1, nullptr);
    EXPECT_NE(f.bar->button("New")->hBitmap1, nullptr);
}

TEST(RichEditBar, ButtonsFollowTheSelectionAndReadOnly) {
    struct Case {
        bool readOnly, select;
        bool cut, copy, paste, bold;
    };
    const Case cases[] = {
        {false, false, false, false, true, true},
        {false, true, true, true, true, true},
        {true, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.readOnly) + std::to_string(c.select));
        RichBarFixture f(c.readOnly);
        if (c.select) f.edit.SetSel(0, 5);
        f.bar->Update(f.edit);
        EXPECT_EQ(f.enabled("Cut"), c.cut);
        EXPECT_EQ(f.enabled("Copy"), c.copy);
        EXPECT_EQ(f.enabled("Paste"), c.paste);
        EXPECT_EQ(f.enabled("Bold"), c.bold);
        EXPECT_TRUE(f.enabled("New"));
    }
}

TEST(RichEditBar, BoldTogglesAndShowsPressedAlignmentAndNumberingApply) {
    RichBarFixture f;
    f.edit.SetSel(0, 5);
    f.bar->button("Bold")->Click();
    EXPECT_TRUE(f.edit.GetCharFormat().dwEffects & CFE_BOLD);
    EXPECT_TRUE(f.bar->button("Bold")->lPressed);
    f.bar->button("Bold")->Click();
    EXPECT_FALSE(f.edit.GetCharFormat().dwEffects & CFE_BOLD);
    EXPECT_FALSE(f.bar->button("Bold")->lPressed);
    f.bar->button("Center")->Click();
    EXPECT_EQ(f.edit.GetAlign(), 3);
    f.bar->button("Right")->Click();
    EXPECT_EQ(f.edit.GetAlign(), 2);
    f.bar->button("Numbering")->Click();
    EXPECT_TRUE(f.edit.GetNumbering());
    EXPECT_FALSE(f.enabled("Bullets"));
}

TEST(RichEditBar, NewEmptiesTheText) {
    RichBarFixture f;
    f.bar->button("New")->Click();
    EXPECT_EQ(f.edit.cText(), "");
}

// Reads the rich dialog's text once it is up, then closes it.
std::string richDialogShown;
void CALLBACK richDialogReadAndClose(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA(nullptr, "Rich test");
    if (!box) return;
    HWND edit = FindWindowExA(box, nullptr, "RichEdit20A", nullptr);
    if (!edit) return;
    char text[128] = {};
    GetWindowTextA(edit, text, sizeof text);
    richDialogShown = text;
    PostMessageA(box, WM_CLOSE, 0, 0);
}

TEST(RichEditDialog, ShowsItsTextAndAnswersFalse) {
    std::string& shown = richDialogShown;
    shown.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 30, richDialogReadAndClose);
    MemoEditFrame frame;
    frame.cTitle = "Rich test";
    EXPECT_FALSE(RichEdit("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard rich {\\b text}\\par}", frame));
    KillTimer(nullptr, timer);
    EXPECT_EQ(shown, "rich text");
}

}  // namespace
