#include "window_messages.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_windows.hpp"

namespace {

using wltest::TestWindow;

TEST(WindowMessages, DefaultHandlingGetsWholeHandlesInWParam) {
    // WM_ERASEBKGND carries the device context in wParam; the default
    // handling paints with it only when it arrives whole.
    TestWindow w(WS_POPUP);
    HDC dc = GetDC(w);
    EXPECT_NE(wl::DEFWINDOWPROC(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(w, dc);
}

TEST(WindowMessages, DefaultHandlingKeepsTheHighWordOfWParam) {
    // A child passes an unhandled wheel message to its parent: the wheel
    // delta sits in the high word and must arrive there.
    TestWindow parent;
    TestWindow child(WS_CHILD | WS_VISIBLE, parent, 0, 0, 50, 50);
    wltest::received().clear();
    wl::DEFWINDOWPROC(child, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(10, 10));
    ASSERT_EQ(wltest::countOf(parent, WM_MOUSEWHEEL), 1);
    for (const auto& r : wltest::received()) {
        if (r.hwnd == parent.hwnd() && r.msg == WM_MOUSEWHEEL) {
            EXPECT_EQ(HIWORD(r.wParam), 120);
        }
    }
}

TEST(WindowMessages, SendAndPost) {
    TestWindow w;
    EXPECT_EQ(wl::SENDMESSAGE(w, WM_SETTEXT, 0, std::string("Sent text")), TRUE);
    char buf[32] = {};
    GetWindowTextA(w, buf, sizeof buf);
    EXPECT_STREQ(buf, "Sent text");
    EXPECT_EQ(wl::SENDMESSAGE(w, WM_GETTEXTLENGTH), 9);
    EXPECT_EQ(wl::SENDMESSAGE(nullptr, WM_GETTEXTLENGTH), 0);

    wltest::received().clear();
    EXPECT_TRUE(wl::POSTMESSAGE(w, WM_APP + 5, 7, 8));
    EXPECT_FALSE(wl::POSTMESSAGE(nullptr, WM_APP + 5, 7, 8));
    wltest::pump();
    EXPECT_EQ(wltest::countOf(w, WM_APP + 5), 1);
}

std::wstring wideCopy;
LRESULT CALLBACK wideProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP + 9) {
        wideCopy = reinterpret_cast<const wchar_t*>(lParam);
        return 77;
    }
    return DefWindowProcA(h, msg, wParam, lParam);
}

TEST(WindowMessages, WideStringMessageSendsUtf16) {
    TestWindow w;
    auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wideProc)));
    EXPECT_EQ(wl::SENDWIDESTRINGMESSAGE(w, WM_APP + 9, 0, "Caf\xE9 \x80"), 77);
    EXPECT_EQ(wideCopy, L"Caf\u00E9 \u20AC");
    EXPECT_EQ(wl::CALLWINDOWPROC(wideProc, w, WM_APP + 9, 0, reinterpret_cast<LPARAM>(L"x")), 77);
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    EXPECT_EQ(wl::SENDWIDESTRINGMESSAGE(nullptr, WM_APP + 9, 0, "x"), 0);
}

TEST(WindowMessages, EnumerateChildrenWithAndWithoutAParameter) {
    TestWindow parent;
    TestWindow a(WS_CHILD, parent, 0, 0, 10, 10), b(WS_CHILD, parent, 0, 0, 10, 10);
    TestWindow grandchild(WS_CHILD, a, 0, 0, 5, 5);
    int seen = 0;
    EXPECT_TRUE(wl::ENUMCHILDWINDOWS(parent, [&](HWND) { ++seen; }));
    EXPECT_EQ(seen, 3);
    LPARAM sum = 0;
    wl::ENUMCHILDWINDOWS(parent, std::function<void(HWND, LPARAM)>([&](HWND, LPARAM p) { sum += p; }), 5);
    EXPECT_EQ(sum, 15);
}

TEST(WindowMessages, DialogItemsAndLongs) {
    TestWindow parent;
    HWND item = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_TABSTOP, 0, 0, 10, 10, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xFFFF)), nullptr, nullptr);
    EXPECT_EQ(wl::GETDLGITEM(parent, -1), item);  // taken as 65535
    EXPECT_EQ(wl::NMAKELONG(-1, 2), 0x2FFFFL);
    EXPECT_EQ(wl::NMAKELONG(0x1234, 0x5678), 0x56781234L);
}

TEST(WindowMessages, PaintBracket) {
    TestWindow w;
    ShowWindow(w, SW_SHOW);
    InvalidateRect(w, nullptr, TRUE);
    PAINTSTRUCT ps{};
    HDC dc = wl::BEGINPAINT(w, ps);
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(ps.hdc, dc);
    wl::ENDPAINT(w, ps);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
}

}  // namespace
