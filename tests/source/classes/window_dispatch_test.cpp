// TWindow's dispatch, checked as one sequence across windows: what the
// parent sees, what is handed on to the control, and in which order.
#include "window.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "menu.hpp"
#include "message_loop.hpp"
#include "message_sequence.hpp"

namespace {

using wl::TWindow;
using zrtest::MessageSequence;

const std::map<UINT, std::string>& names() {
    static const std::map<UINT, std::string> n = {
        {WM_NCCREATE, "WM_NCCREATE"},   {WM_CREATE, "WM_CREATE"},       {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_COMMAND, "WM_COMMAND"},     {wl::LM_CLICK, "LM_CLICK"},
        {wl::LM_CHANGE, "LM_CHANGE"},   {wl::LM_CLOSEUP, "LM_CLOSEUP"},
    };
    return n;
}

// Writes the messages of the table that reach the object, under its tag.
class Traced : public TWindow {
public:
    Traced(MessageSequence& seq, std::string tag) : seq_(seq), tag_(std::move(tag)) {}
    wl::Answer HandleEvent(UINT m, WPARAM w, LPARAM l) override {
        if (auto it = names().find(m); it != names().end()) seq_.record(tag_ + " " + it->second, m == WM_COMMAND ? HIWORD(w) : 0);
        return TWindow::HandleEvent(m, w, l);
    }

private:
    MessageSequence& seq_;
    std::string tag_;
};

wl::WindowNew at(int top, TWindow* parent) {
    wl::WindowNew a;
    a.lPixel = true;
    a.nTop = top;
    a.nBottom = top + 100;
    a.nRight = 200;
    a.oWnd = parent;
    return a;
}

TEST(WindowDispatch, CreationAndDestructionInOrderAndNothingAfterDestroy) {
    MessageSequence seq;
    Traced parent(seq, "parent");
    parent.New(at(0, nullptr));
    Traced child(seq, "child");
    child.New(at(10, &parent));
    DestroyWindow(parent.hWnd);
    // The object lets go of its window at WM_DESTROY: WM_NCDESTROY finds nobody.
    EXPECT_EQ(seq.mismatch({{"parent WM_NCCREATE"},
                            {"parent WM_CREATE"},
                            {"child WM_NCCREATE"},
                            {"child WM_CREATE"},
                            {"parent WM_DESTROY"},
                            {"child WM_DESTROY"}}),
              "");
    EXPECT_EQ(parent.hWnd, nullptr);
    EXPECT_EQ(child.hWnd, nullptr);
}

TEST(WindowDispatch, CommandsReachTheControlRightAfterTheParent) {
    MessageSequence seq;
    Traced parent(seq, "parent");
    parent.New(at(0, nullptr));
    Traced child(seq, "child");
    child.New(at(10, &parent));
    seq.clear();
    const auto lp = reinterpret_cast<LPARAM>(child.hWnd);
    for (WORD code : {0, 1, 8}) SendMessageA(parent.hWnd, WM_COMMAND, MAKEWPARAM(7, code), lp);
    EXPECT_EQ(seq.mismatch({{"parent WM_COMMAND", 0},
                            {"child LM_CLICK"},
                            {"parent WM_COMMAND", 1},
                            {"child LM_CHANGE"},
                            {"parent WM_COMMAND", 8},
                            {"child LM_CLOSEUP"}}),
              "");
    DestroyWindow(parent.hWnd);
}

TEST(WindowDispatch, TheProgramsSystemMenuItemsRunTheirActions) {
    TWindow w;
    w.New(at(0, nullptr));
    int ran = 0;
    wl::MENUBEGIN(false, true, &w);
    wl::MenuItemNew n;
    n.cPrompt = "&Remember";
    n.bAction = [&](wl::TMenuItem&) { ++ran; };
    auto item = wl::MENUADDITEM(n);
    wl::MENUEND();
    ASSERT_TRUE(w.oSysMenu);
    ASSERT_LT(item->nId, 61440u);
    EXPECT_EQ(SendMessageA(w.hWnd, WM_SYSCOMMAND, item->nId, 0), 0);
    EXPECT_EQ(ran, 1);
    // The system's own commands are not the menu object's.
    SendMessageA(w.hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(ran, 1);
    DestroyWindow(w.hWnd);
}

}  // namespace
