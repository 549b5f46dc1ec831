// The record and array browse on a live window: keys, wheel and thumb
// messages move it through a long list and the current row is read back;
// the change closure reports each move once, in order; the header and the
// selected row are painted in their colours; the in-cell edit field.
#include "wbrowse.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "font.hpp"
#include "message_sequence.hpp"
#include "parent_window.hpp"

namespace {

using namespace wl;
using zrtest::MessageSequence;

struct BrowseParent : wltest::Parent {
    BrowseParent() : wltest::Parent(400, 400) {}
};

// A browse of `count` rows "Claim N" on the parent, 300 x 200 pixels in a
// pinned 14-pixel Arial; each move records ("change", current row).
struct Browse {
    TWBrowse b;
    int count;
    MessageSequence seq;
    Browse(TWindow& parent, int n, std::vector<int> sizes = {}) : count(n) {
        WBrowseNew a;
        a.oWnd = &parent;
        a.lPixel = true;
        a.nWidth = 300;
        a.nHeight = 200;
        a.aHeaders = {"Claim"};
        a.aColSizes = std::move(sizes);
        a.oFont = TFont::New(FontSpec{"Arial", 0, -14});
        a.bLine = [this] { return ValueList{Value("Claim " + std::to_string(b.nAt))}; };
        a.bChange = [this](TControl&) { seq.record("change", b.nAt); };
        b.New(a);
        b.SetArray([this] { return count; });
        seq.clear();
    }
    void key(WPARAM vk) { SendMessageA(b.hWnd, WM_KEYDOWN, vk, 0); }
    void thumb(int pos) { SendMessageA(b.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0); }
    void wheel(int delta, int clientY) {
        POINT p{20, clientY};
        ClientToScreen(b.hWnd, &p);
        SendMessageA(b.hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
    }
    int barPos() const { return GetScrollPos(b.hWnd, SB_VERT); }
};

TEST(WBrowse, KeysWheelAndThumbLandOnTheAimedRowOf600000) {
    BrowseParent p;
    Browse br(p.w, 600000);
    ASSERT_GT(br.b.nRowCount(), 3);
    const int rows = br.b.nRowCount();
    struct Step {
        const char* name;
        std::function<void()> act;
        int at, bar;
    };
    const Step steps[] = {
        // 60 items to a bar step: the first ones all stand at 1.
        {"down", [&] { br.key(VK_DOWN); }, 2, 1},
        {"wheel down", [&] { br.wheel(-120, 20); }, 3, 1},
        {"wheel up", [&] { br.wheel(120, 20); }, 2, 1},
        {"page down", [&] { br.key(VK_NEXT); }, 2 + rows, 1},
        {"thumb 5000", [&] { br.thumb(5000); }, 300000, 5000},
        {"up", [&] { br.key(VK_UP); }, 299999, 4999},
        {"end", [&] { br.key(VK_END); }, 600000, 10000 - rows + 1},
        {"home", [&] { br.key(VK_HOME); }, 1, 1},
        {"line down on the bar", [&] { SendMessageA(br.b.hWnd, WM_VSCROLL, SB_LINEDOWN, 0); }, 2, 1},
        {"thumb 9990", [&] { br.thumb(9990); }, 599400, 9990},
    };
    for (const Step& s : steps) {
        br.seq.clear();
        s.act();
        EXPECT_EQ(br.b.nAt, s.at) << s.name;
        EXPECT_EQ(br.b.nVScrollPos(), s.at) << s.name;
        // Windows keeps the thumb within max - page + 1.
        EXPECT_EQ(br.barPos(), s.bar) << s.name;
        EXPECT_EQ(br.seq.mismatch({{"change", s.at}}), "") << s.name;
    }
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(br.b.hWnd, SB_VERT, &si);
    EXPECT_EQ(si.nMin, 1);
    EXPECT_EQ(si.nMax, 10000);
}

TEST(WBrowse, ShortListAndEmptyListEnds) {
    BrowseParent p;
    Browse br(p.w, 3);
    br.key(VK_NEXT);
    EXPECT_EQ(br.b.nAt, 3);
    EXPECT_EQ(br.b.nRowPos(), 3);
    EXPECT_TRUE(br.b.lHitBottom());
    br.seq.clear();
    br.key(VK_DOWN);
    EXPECT_TRUE(br.seq.empty());  // latched at the bottom: no move, no report
    br.key(VK_UP);
    br.key(VK_UP);
    br.key(VK_UP);
    EXPECT_EQ(br.seq.mismatch({{"change", 2}, {"change", 1}, {"change", 1}}), "");
    EXPECT_TRUE(br.b.lHitTop());

    Browse empty(p.w, 0);
    for (WPARAM k : {VK_DOWN, VK_NEXT, VK_END, VK_UP}) empty.key(k);
    empty.thumb(5);
    EXPECT_TRUE(empty.seq.empty());
    const LPARAM onLine2 = MAKELPARAM(20, empty.b.nLineHeight() * 2 + 2);
    SendMessageA(empty.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, onLine2);
    SendMessageA(empty.b.hWnd, WM_LBUTTONUP, 0, onLine2);
    EXPECT_TRUE(empty.seq.empty());
}

TEST(WBrowse, ClicksMoveToTheClickedRowButNotBelowTheLast) {
    BrowseParent p;
    Browse br(p.w, 5);
    const int h = br.b.nLineHeight();
    for (int line : {4, 9}) {
        const LPARAM at = MAKELPARAM(30, line * h + h / 2);
        SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(br.b.nAt, 4);
    EXPECT_EQ(br.b.nRowPos(), 4);
    EXPECT_EQ(br.seq.mismatch({{"change", 4}}), "");
}

TEST(WBrowse, WheelInTheLowestFifthMovesColumns) {
    BrowseParent p;
    Browse br(p.w, 50, {100, 100, 100, 100});
    RECT c{};
    GetClientRect(br.b.hWnd, &c);
    br.wheel(-120, c.bottom - 3);
    EXPECT_EQ(br.b.nColAct(), 2);
    EXPECT_EQ(br.b.nAt, 1);
    EXPECT_EQ(GetScrollPos(br.b.hWnd, SB_HORZ), 2);
    SendMessageA(br.b.hWnd, WM_HSCROLL, SB_RIGHT, 0);  // code 7: the last column
    EXPECT_EQ(br.b.nColPos(), 4);
    SendMessageA(br.b.hWnd, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(br.b.nColAct(), 3);
}

TEST(WBrowse, DraggingAColumnBorderResizesIt) {
    BrowseParent p;
    Browse br(p.w, 10, {60, 80});
    const int y = br.b.nLineHeight() / 2;
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, y));
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, y));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(90, y));
    EXPECT_EQ(br.b.GetColSizes(), (std::vector<int>{90, 80}));
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, y));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, y));
    EXPECT_EQ(br.b.GetColSizes(), (std::vector<int>{5, 80}));
}

// The browse painted into a bitmap through WM_PRINTCLIENT.
struct Picture {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    explicit Picture(HWND h) {
        HDC screen = GetDC(h);
        dc = CreateCompatibleDC(screen);
        RECT r{};
        GetClientRect(h, &r);
        bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(h, screen);
        old = SelectObject(dc, bmp);
        SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    ~Picture() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
};

TEST(WBrowse, HeaderAndSelectedRowArePaintedInTheirColours) {
    BrowseParent p;
    Browse br(p.w, 20);
    br.b.nClrBackHead = RGB(0, 128, 0);
    br.b.nClrBackFocus = RGB(0, 0, 200);
    br.b.nClrPane = RGB(255, 255, 255);
    SetFocus(br.b.hWnd);
    br.key(VK_DOWN);
    br.key(VK_DOWN);
    const int h = br.b.nLineHeight();
    const int x = 250;  // right of the text, inside the only column
    Picture focused(br.b.hWnd);
    EXPECT_EQ(focused.at(x, h / 2), RGB(0, 128, 0));          // header
    EXPECT_EQ(focused.at(x, 3 * h + h / 2), RGB(0, 0, 200));  // row 3, current
    EXPECT_EQ(focused.at(x, 2 * h + h / 2), RGB(255, 255, 255));
    EXPECT_EQ(focused.at(x, 4 * h + h / 2), RGB(255, 255, 255));
    // The grey grid line at the bottom of each data cell.
    EXPECT_EQ(focused.at(x, 2 * h - 1), RGB(128, 128, 128));
    SetFocus(nullptr);
    Picture unfocused(br.b.hWnd);
    EXPECT_EQ(unfocused.at(x, 3 * h + h / 2), RGB(128, 128, 128));
}

TEST(WBrowse, PaintingAMillionRowsAsksOnlyForTheVisibleLines) {
    BrowseParent p;
    Browse br(p.w, 1000000);
    int lines = 0;
    br.b.bLine = [&] {
        ++lines;
        return ValueList{Value(br.b.nAt)};
    };
    br.key(VK_END);
    Picture pic(br.b.hWnd);
    EXPECT_EQ(lines, br.b.nRowCount());
    EXPECT_EQ(br.b.nAt, 1000000);
}

TEST(WBrowse, EditFieldOverTheCellHandsBackTheTextOrNothingOnEscape) {
    BrowseParent p;
    Browse br(p.w, 5, {80, 120});
    SetFocus(br.b.hWnd);
    MessageSequence done;
    std::string edited;
    auto onDone = [&](const std::optional<std::string>& text, int key, TWBrowse&) {
        done.record(text ? "text" : "none", key);
        if (text) edited = *text;
    };
    for (WPARAM k : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        br.b.EditCol(2, "old", onDone);
        ASSERT_TRUE(br.b.IsEditing());
        HWND edit = GetFocus();
        ASSERT_NE(edit, br.b.hWnd);
        RECT r{};
        GetWindowRect(edit, &r);
        MapWindowPoints(nullptr, br.b.hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 80);
        EXPECT_EQ(r.top, br.b.nLineHeight());
        SetWindowTextA(edit, "new value");
        SendMessageA(edit, WM_KEYDOWN, k, 0);
        EXPECT_FALSE(br.b.IsEditing());
        EXPECT_EQ(GetFocus(), br.b.hWnd);
    }
    EXPECT_EQ(done.mismatch({{"text", 13}, {"none", 27}}), "");
    EXPECT_EQ(edited, "new value");
}

}  // namespace
