// MDI frames, their client and children: creation, activation, arranging,
// closing with validation, and the client docked between the bars.
#include "mdi.hpp"

#include <gtest/gtest.h>

#include "msgbar.hpp"
#include "toolbar.hpp"

namespace {

using namespace wl;

class MdiTest : public ::testing::Test {
protected:
    TMdiFrame frame;
    void SetUp() override {
        MdiFrameNew n;
        n.lPixel = true;
        n.nTop = 0;
        n.nLeft = 0;
        n.nBottom = 399;
        n.nRight = 599;
        n.cTitle = "Frame";
        frame.New(n);
    }
    RECT clientPlace() const {
        RECT r{};
        GetWindowRect(frame.oWndClient->hWnd, &r);
        MapWindowPoints(nullptr, frame.hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(MdiTest, FrameMakesItsClientAndDefaultMenu) {
    EXPECT_EQ(GETWNDFRAME(), &frame);
    ASSERT_TRUE(frame.oWndClient && frame.oWndClient->hWnd);
    char cls[32] = {};
    GetClassNameA(frame.oWndClient->hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "MDIClient");
    HMENU bar = GetMenu(frame.hWnd);
    ASSERT_TRUE(bar);
    char text[32] = {};
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Childs");
    EXPECT_EQ(frame.nMenuInfo, 1) << "the \"&Window\" menu lists the children";
    SendMessageA(frame.hWnd, WM_COMMAND, TMdiFrame::kCmdNewChild, 0);
    ASSERT_EQ(frame.oWndClient->aWnd.size(), 1u);
    EXPECT_EQ(frame.oWndClient->aWnd[0]->GetText(), "MDI Child 1");
}

TEST_F(MdiTest, ChildrenActivateInTurnAndTheFrameKnowsTheActiveOne) {
    TMdiChild& a = frame.ChildNew("First");
    TMdiChild& b = frame.ChildNew("Second");
    EXPECT_EQ(frame.oWndClient->GetActive(), &b);
    EXPECT_EQ(frame.oWndActive, &b);
    frame.Select(1);
    EXPECT_EQ(frame.oWndClient->GetActive(), &a);
    EXPECT_EQ(frame.oWndActive, &a) << "followed through WM_MDIACTIVATE";
    frame.NextWindow();
    EXPECT_EQ(frame.oWndClient->GetActive(), &b);
    // A window-list command (the child's identifier) activates it.
    SendMessageA(frame.hWnd, WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(a.hWnd)), 0);
    EXPECT_EQ(frame.oWndActive, &a);
}

TEST_F(MdiTest, CascadeAndTileMoveTheChildren) {
    ShowWindow(frame.hWnd, SW_SHOWNORMAL);  // the client arranges shown children only
    TMdiChild& a = frame.ChildNew();
    TMdiChild& b = frame.ChildNew();
    frame.Cascade();
    RECT ra{}, rb{};
    GetWindowRect(a.hWnd, &ra);
    GetWindowRect(b.hWnd, &rb);
    EXPECT_NE(ra.left, rb.left);
    EXPECT_NE(ra.top, rb.top);
    frame.Tile(true);
    GetWindowRect(a.hWnd, &ra);
    GetWindowRect(b.hWnd, &rb);
    RECT both{};
    EXPECT_FALSE(IntersectRect(&both, &ra, &rb)) << "tiled children do not overlap";
}

TEST_F(MdiTest, ClosingAllStopsAtAChildThatRefuses) {
    TMdiChild& a = frame.ChildNew();
    frame.ChildNew();
    frame.ChildNew();
    bool ended = false;
    a.bValid = [](TWindow&) { return false; };
    frame.oWndClient->aWnd[1]->bPostEnd = [&](TMdiChild&) { ended = true; };
    EXPECT_FALSE(frame.CloseAll());
    EXPECT_TRUE(ended);
    ASSERT_EQ(frame.oWndClient->aWnd.size(), 1u);
    EXPECT_EQ(frame.oWndClient->aWnd[0], &a);
    a.bValid = nullptr;
    EXPECT_TRUE(frame.CloseAll());
    EXPECT_TRUE(frame.oWndClient->aWnd.empty());
    EXPECT_EQ(frame.oWndActive, nullptr);
}

TEST_F(MdiTest, EscapeEndsAChild) {
    TMdiChild& a = frame.ChildNew();
    SendMessageA(a.hWnd, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_TRUE(frame.oWndClient->aWnd.empty());
}

TEST_F(MdiTest, ClientStandsBetweenTheToolbarAndTheMessageBar) {
    TToolBar tb;
    tb.New(&frame, 40, 30);
    TMsgBar mb;
    MsgBarNew n;
    n.oWnd = &frame;
    mb.New(n);
    frame.ReSize();
    auto place = [&](HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, frame.hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT client = place(frame.oWndClient->hWnd), top = place(tb.hWnd), bottom = place(mb.hWnd);
    // Adjacent to both bars, overlapping neither by more than their shared edge.
    EXPECT_GE(client.top, top.bottom - 1);
    EXPECT_LE(client.top, top.bottom + 1);
    EXPECT_LE(client.bottom, bottom.top + 1);
    EXPECT_GE(client.bottom, bottom.top - 1);
}

}  // namespace

#include "window_natives.hpp"

namespace {

using namespace wl;

TEST(MdiActivate, TheClientTakesThePaintingClicksAndLineScrolling) {
    TMdiFrame f;
    MdiFrameNew n;
    n.lPixel = true;
    n.nBottom = 299;
    n.nRight = 399;
    n.lVScroll = true;
    f.New(n);
    ASSERT_TRUE(f.oWndClient && f.oWndClient->oVScroll);
    TMdiChild child;
    MdiChildNew cn;
    cn.oWnd = &f;
    cn.nTop = 10;
    cn.nLeft = 10;
    cn.nWidth = 120;
    cn.nHeight = 80;
    child.New(cn);
    WindowActivate a;
    a.bPainted = [](HDC, const PAINTSTRUCT*, TWindow&) {};
    a.bLClicked = [](int, int, WPARAM, TWindow&) {};
    bool clientHasThem = false, frameHasThem = true;
    int moved = 0;
    f.bInit = [&](TWindow& self) {
        clientHasThem = f.oWndClient->bPainted && f.oWndClient->bLClicked;
        frameHasThem = self.bPainted || self.bLClicked;
        const int before = windowRectInParent(child.hWnd).top;
        SendMessageA(f.oWndClient->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(f.oWndClient->hWnd);
        moved = windowRectInParent(child.hWnd).top - before;
        self.End();
    };
    f.Activate(a);  // runs until the frame ends
    EXPECT_TRUE(clientHasThem);
    EXPECT_FALSE(frameHasThem);
    EXPECT_EQ(moved, -20);
}

TEST(MdiNatives, TheFrameProcedureFindsItsClient) {
    // Unhandled frame messages get the MDI frame defaults: WM_SIZE fits the
    // client to the frame's client area.
    TMdiFrame f;
    MdiFrameNew n;
    n.lPixel = true;
    n.nBottom = 299;
    n.nRight = 399;
    f.New(n);
    EXPECT_EQ(f.nOldProc, GETFRAMEPROC());
    HWND client = f.oWndClient->hWnd;
    SetWindowPos(client, nullptr, 0, 0, 10, 10, SWP_NOZORDER);
    CallWindowProcA(GETFRAMEPROC(), f.hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    RECT r{};
    GetClientRect(client, &r);
    EXPECT_GT(r.right, 250);
    DestroyWindow(f.hWnd);
}

}  // namespace
