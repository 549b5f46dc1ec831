// The system Find dialog as a library dialog: Find Next reaches the search
// action, and the dialog's text lives in the library's own buffer.
#include "dlg_find.hpp"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>

#include "parent_window.hpp"

namespace {

using namespace wl;

struct Found {
    std::string text;
    bool down = false;
    int calls = 0;
};

TEST(DlgFind, FindNextHandsTheTextAndDirectionToTheAction) {
    wltest::Parent p;
    Found found;
    auto f = DlgFindText("NM1", &p.w, [&](const std::string& text, bool down, TDlgFind&) {
        found.text = text;
        found.down = down;
        ++found.calls;
    });
    ASSERT_NE(f->hWnd, nullptr);
    EXPECT_NE(TDlgFind::nFindMsgString, 0u);
    SetDlgItemTextA(f->hWnd, edt1, "CLM");
    SendMessageA(GetDlgItem(f->hWnd, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(found.calls, 1);
    EXPECT_EQ(found.text, "CLM");
    EXPECT_TRUE(found.down);
    CheckRadioButton(f->hWnd, rad1, rad2, rad1);
    SendMessageA(GetDlgItem(f->hWnd, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(found.calls, 2);
    EXPECT_FALSE(found.down);
}

// The dialog writes into its buffer for as long as it is open: the
// caller's text may be gone, and a long text still fits whole.
TEST(DlgFind, TheSearchTextOutlivesTheCallersText) {
    wltest::Parent p;
    std::unique_ptr<TDlgFind> f;
    {
        std::string temporary(300, 'S');
        f = DlgFindText(temporary, &p.w);
        temporary.assign(300, 'X');
    }
    ASSERT_NE(f->hWnd, nullptr);
    EXPECT_EQ(f->cText(), std::string(300, 'S'));
    const std::string typed(400, 'T');
    SetDlgItemTextA(f->hWnd, edt1, typed.c_str());
    EXPECT_EQ(f->cText(), typed);
}

}  // namespace
