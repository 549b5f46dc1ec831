// Stand-alone tooltips under Wine: the control, its one tool and its texts.
#include "tooltips.hpp"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Owner {
    HWND h = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 120, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ~Owner() { DestroyWindow(h); }
};

TEST(ToolTips, CreateToolTipCoversTheClientAreaWithOneTool) {
    Owner o;
    HWND tip = wl::CREATETOOLTIP(o.h, "Open a file");
    ASSERT_NE(tip, nullptr);
    char cls[64] = {};
    GetClassNameA(tip, cls, sizeof cls);
    EXPECT_STREQ(cls, "tooltips_class32");
    EXPECT_EQ(GetWindow(tip, GW_OWNER), o.h);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(tip, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & (TTS_NOPREFIX | TTS_ALWAYSTIP), static_cast<DWORD>(TTS_NOPREFIX | TTS_ALWAYSTIP));
    EXPECT_FALSE(style & TTS_BALLOON);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 120);
    EXPECT_EQ(wl::toolTipText(tip), "Open a file");

    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    RECT client{};
    GetClientRect(o.h, &client);
    EXPECT_EQ(ti.hwnd, o.h);
    EXPECT_TRUE(EqualRect(&ti.rect, &client));
    EXPECT_EQ(ti.uFlags & (TTF_SUBCLASS | TTF_TRANSPARENT), static_cast<UINT>(TTF_SUBCLASS | TTF_TRANSPARENT));
    DestroyWindow(tip);
}

TEST(ToolTips, BalloonsAndNoOwner) {
    Owner o;
    HWND tip = wl::CREATETOOLTIP(o.h, "Tip", true);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON);
    DestroyWindow(tip);
    EXPECT_EQ(wl::CREATETOOLTIP(nullptr, "Tip"), nullptr);
    EXPECT_EQ(wl::toolTipText(nullptr), "");
}

TEST(ToolTips, WindowToolTipKeepsItsOwnCopyOfTheText) {
    Owner o;
    wl::ToolTipText t;
    t.text = std::string(70, 'x');
    HWND tip = wl::showWindowToolTip(o.h, t, false, 250);
    t.text = "changed";
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(wl::toolTipText(tip), std::string(70, 'x'));
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 250);
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
    DestroyWindow(tip);
}

TEST(ToolTips, ATipPlacedAtAPointShowsThereAtOnceWithItsText) {
    Owner o;
    ShowWindow(o.h, SW_SHOWNOACTIVATE);
    HWND tip = wl::CREATETOOLTIP(o.h, "Claims total");
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(IsWindowVisible(tip));
    wl::TOOLTIPAT(tip, 120, 90);
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT r{};
    GetWindowRect(tip, &r);
    EXPECT_NEAR(r.left, 120, 2);
    EXPECT_NEAR(r.top, 90, 2);
    EXPECT_EQ(wl::toolTipText(tip), "Claims total");
    wl::TOOLTIPAT(nullptr, 0, 0);  // no tip: nothing
    DestroyWindow(tip);
}

}  // namespace
