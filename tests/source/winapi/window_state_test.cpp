#include "window_state.hpp"

#include <gtest/gtest.h>

#include "test_windows.hpp"
#include "window_coordinates.hpp"

namespace {

using wltest::TestWindow;

TEST(WindowState, ShowWindowDefaultsToNormalAndRefusesNonWindows) {
    TestWindow w;
    ASSERT_FALSE(IsWindowVisible(w));
    wl::SHOWWINDOW(w);  // one argument: shown normally
    EXPECT_TRUE(wl::ISWINDOWVISIBLE(w));
    EXPECT_FALSE(wl::ISICONIC(w));
    EXPECT_TRUE(wl::SHOWWINDOW(w, SW_HIDE));  // it was visible
    EXPECT_FALSE(wl::ISWINDOWVISIBLE(w));
    EXPECT_FALSE(wl::SHOWWINDOW(nullptr));
    EXPECT_FALSE(wl::SHOWWINDOW(nullptr, SW_SHOW));
}

TEST(WindowState, NonWindowsAnswerFalseAndChangeNothing) {
    TestWindow w;
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(wl::ISWINDOW(gone));
    EXPECT_FALSE(wl::ENABLEWINDOW(gone, false));
    EXPECT_FALSE(wl::DESTROYWINDOW(gone));
    EXPECT_FALSE(wl::SETFOREGROUND(gone));
    wl::SETFOCUS(gone);  // nothing happens

    EXPECT_FALSE(wl::ENABLEWINDOW(w, false));  // it was enabled
    EXPECT_FALSE(wl::ISWINDOWENABLED(w));
    EXPECT_TRUE(wl::ENABLEWINDOW(w, true));  // it was disabled
    EXPECT_TRUE(wl::DESTROYWINDOW(w));
    EXPECT_FALSE(wl::ISWINDOW(w));
}

TEST(WindowState, ParentsChildrenAndLongs) {
    TestWindow parent;
    TestWindow child(WS_CHILD | WS_VISIBLE, parent, 5, 5, 50, 20);
    EXPECT_EQ(wl::GETPARENT(child), parent.hwnd());
    EXPECT_TRUE(wl::ISCHILD(parent, child));
    EXPECT_EQ(wl::GETWINDOW(parent, GW_CHILD), child.hwnd());
    EXPECT_EQ(wl::GETWINDOWTHREADPROCESSID(parent), GetCurrentThreadId());

    // Whole pointers survive the window's user data on both builds.
    static int marker;
    auto value = reinterpret_cast<LONG_PTR>(&marker);
    wl::SETWINDOWLONG(parent, GWLP_USERDATA, value);
    EXPECT_EQ(wl::GETWINDOWLONG(parent, GWLP_USERDATA), value);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(wl::GETWINDOWLONG(parent, GWLP_WNDPROC)), wltest::recordingProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(wl::GETCLASSLONG(parent, GCLP_WNDPROC)), wltest::recordingProc);
    EXPECT_FALSE(wl::GETSTYLEBIT1(parent));
    EXPECT_EQ(wl::FINDWINDOW(std::string(wltest::recordingClass()), std::nullopt), parent.hwnd());
}

TEST(WindowState, ClassInfo) {
    auto info = wl::GETCLASSINFO(wl::GETINSTANCE(), wltest::recordingClass());
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->windowProc, wltest::recordingProc);
    EXPECT_EQ(info->className, wltest::recordingClass());
    EXPECT_EQ(info->menuName, "");
    EXPECT_FALSE(wl::GETCLASSINFO(wl::GETINSTANCE(), "NoSuchClassAnywhere").has_value());
    EXPECT_EQ(wl::GETINSTANCE(), GetModuleHandleA(nullptr));
}

TEST(WindowState, CreateWithCreationDataAndExtendedStyle) {
    std::string param = "creation data";
    HWND w = wl::MGETCREATE(wltest::recordingClass(), "Made", WS_POPUP, 1, 2, 30, 40, nullptr, 0, param,
                            WS_EX_TOOLWINDOW);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(wltest::lastCreateText(), "creation data");
    EXPECT_TRUE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(wl::GETWNDRECT(w), (wl::RectArray{2, 1, 42, 31}));
    DestroyWindow(w);
    w = wl::MGETCREATE(wltest::recordingClass(), "Plain", WS_POPUP, 0, 0, 10, 10, nullptr, 0);
    EXPECT_EQ(wltest::lastCreateText(), "");
    DestroyWindow(w);
}

TEST(WindowState, CentresOnTheDesktopOrOnAnotherWindow) {
    TestWindow w(WS_POPUP, nullptr, 0, 0, 201, 101);
    wl::RectArray desk = wl::GETWNDRECT(GetDesktopWindow());
    wl::WNDCENTER(w);  // hRelative 0: the desktop
    wl::RectArray r = wl::GETWNDRECT(w);
    EXPECT_EQ(r.left, desk.left + desk.width() / 2 - 201 / 2);
    EXPECT_EQ(r.top, desk.top + desk.height() / 2 - 101 / 2);
    EXPECT_EQ(r.width(), 201);
    EXPECT_EQ(r.height(), 101);

    TestWindow ref(WS_POPUP, nullptr, 100, 100, 400, 300);
    wl::WNDCENTER(w, ref);
    EXPECT_EQ(wl::GETWNDRECT(w), (wl::RectArray{100 + 150 - 50, 100 + 200 - 100, 100 + 150 - 50 + 101,
                                                 100 + 200 - 100 + 201}));
}

}  // namespace
