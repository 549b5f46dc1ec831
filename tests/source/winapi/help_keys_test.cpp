#include "help_keys.hpp"

#include <gtest/gtest.h>

#include "library_messages.hpp"
#include "test_windows.hpp"

namespace {

TEST(HelpKeys, TopicsAreTextOrNumber) {
    wl::SETHELPTOPIC(std::string(150, 't'));
    EXPECT_EQ(wl::GETHELPTOPIC(), std::string(99, 't'));
    wl::SETHELPTOPIC(12);
    EXPECT_EQ(wl::GETHELPTOPIC(), "");
    EXPECT_EQ(wl::helpTopicNumber(), 12);
    wl::SETHELPTOPIC("Claims");
    EXPECT_EQ(wl::helpTopicNumber(), 0);
    wl::SETHELPTOPIC();
    EXPECT_EQ(wl::GETHELPTOPIC(), "");
}

TEST(HelpKeys, F1InAnOpenMenuPostsTheHelpMessageToTheActiveWindow) {
    EXPECT_EQ(wl::GETHELPFILE(), "");
    wltest::TestWindow w(WS_POPUP | WS_VISIBLE);
    SetActiveWindow(w);
    ASSERT_EQ(GetActiveWindow(), w.hwnd());
    wl::SETHELPFILE("zr.hlp");
    EXPECT_EQ(wl::GETHELPFILE(), "zr.hlp");
    ASSERT_TRUE(wl::helpKeyHookInstalled());

    MSG f1{};
    f1.hwnd = w;
    f1.message = WM_KEYDOWN;
    f1.wParam = VK_F1;
    CallMsgFilterA(&f1, MSGF_MENU);
    MSG other = f1;
    other.wParam = VK_F2;
    CallMsgFilterA(&other, MSGF_MENU);
    CallMsgFilterA(&f1, MSGF_DIALOGBOX);  // not a menu: nothing

    MSG got{};
    ASSERT_TRUE(PeekMessageA(&got, w, wl::LM_HELPF1, wl::LM_HELPF1, PM_REMOVE));
    EXPECT_EQ(got.message, 2061u);
    EXPECT_FALSE(PeekMessageA(&got, w, wl::LM_HELPF1, wl::LM_HELPF1, PM_REMOVE));

    wl::removeHelpKeyHook();
    EXPECT_FALSE(wl::helpKeyHookInstalled());
    CallMsgFilterA(&f1, MSGF_MENU);
    EXPECT_FALSE(PeekMessageA(&got, w, wl::LM_HELPF1, wl::LM_HELPF1, PM_REMOVE));
}

}  // namespace
