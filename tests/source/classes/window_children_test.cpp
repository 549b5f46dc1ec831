// TWindow's bookkeeping of its controls: the list, the focus and the
// docking slots change only through the parent's methods, and a parent
// that goes first leaves its controls without a parent to write into.
#include "window.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "button.hpp"
#include "parent_window.hpp"

namespace {

using wl::TWindow;
using Dock = TWindow::Dock;

TEST(WindowChildren, AControlOutlivingItsParentLosesIt) {
    auto parent = std::make_unique<wltest::Parent>();
    wl::TButton button;
    wl::ButtonNew a;
    a.oWnd = &parent->w;
    a.lPixel = true;
    a.nRow = 10;
    a.nCol = 10;
    button.New(a);
    ASSERT_EQ(button.oWnd, &parent->w);
    ASSERT_EQ(parent->w.aControls.size(), 1u);
    parent->w.dock(Dock::Client, &button);
    parent->w.focusControl(&button);
    parent.reset();
    // The button's own end must not touch the freed parent.
    EXPECT_EQ(button.oWnd, nullptr);
}

TEST(WindowChildren, SlotsFocusAndListChangeThroughTheParent) {
    wltest::Parent parent;
    TWindow& w = parent.w;
    TWindow a, b;
    const struct {
        Dock side;
        TWindow* TWindow::*field;
    } slots[] = {{Dock::Top, &TWindow::oTop},       {Dock::Left, &TWindow::oLeft},   {Dock::Bottom, &TWindow::oBottom},
                 {Dock::Right, &TWindow::oRight},   {Dock::Client, &TWindow::oClient}, {Dock::Bar, &TWindow::oBar},
                 {Dock::MsgBar, &TWindow::oMsgBar}};
    for (const auto& s : slots) {
        w.dock(s.side, &a);
        EXPECT_EQ(w.*s.field, &a);
        w.undock(&b, {s.side});  // another control leaves the slot alone
        EXPECT_EQ(w.*s.field, &a);
        w.undock(&a, {s.side});
        EXPECT_EQ(w.*s.field, nullptr);
    }
    w.AddControl(&a);
    w.AddControl(&b);
    w.focusControl(&b);
    EXPECT_EQ(w.oCtlFocus, &b);
    EXPECT_EQ(w.hCtlFocus, b.hWnd);
    w.forgetControl(&a);
    EXPECT_EQ(w.oCtlFocus, &b);
    w.forgetControl(&b);
    EXPECT_EQ(w.oCtlFocus, nullptr);
    EXPECT_TRUE(w.aControls.empty());
}

}  // namespace
