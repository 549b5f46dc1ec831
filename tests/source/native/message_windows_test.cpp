// The real wait, choice and list windows under Wine: a helper thread finds
// the window, checks it and presses its button, so nothing ever waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "message_windows.hpp"
#include "messages.hpp"

namespace {

std::string textOf(HWND h) {
    char buf[1024] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

HWND waitForDialog(const char* caption) {
    for (int i = 0; i < 500; ++i) {
        // Shown only once its controls are made and placed.
        HWND h = FindWindowA("#32770", caption);
        if (h && IsWindowVisible(h)) return h;
        Sleep(20);
    }
    return nullptr;
}

TEST(RealWaitWindow, IsShownWhileTheActionRunsAndGoesAfter) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    HWND seen = nullptr;
    std::string shownText;
    bool visible = false;
    const wl::Value answer = wl::MSGRUN("Reading the file", "Busy", [&] {
        seen = FindWindowA("WLMsgRun", "Busy");
        if (seen) {
            visible = IsWindowVisible(seen);
            shownText = textOf(GetDlgItem(seen, 90));
        }
        return wl::Value(7);
    });
    EXPECT_EQ(answer.number(), 7);
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(visible);
    EXPECT_EQ(shownText, "Reading the file");
    EXPECT_FALSE(IsWindow(seen));
}

TEST(RealAlert, FocusStartsOnTheDefaultButtonAndThePressedOneIsAnswered) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    std::string message, second;
    int focusId = 0;
    std::thread presser([&] {
        HWND dlg = waitForDialog("Overwrite");
        if (!dlg) return;
        message = textOf(GetDlgItem(dlg, 90));
        second = textOf(GetDlgItem(dlg, 101));
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(dlg, nullptr), &info) && info.hwndFocus)
            focusId = GetDlgCtrlID(info.hwndFocus);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0);
    });
    const int pressed = wl::ALERT("The file exists.", {"&Yes", "&No", "&Cancel"}, "Overwrite", 2);
    presser.join();
    EXPECT_EQ(pressed, 3);
    EXPECT_EQ(message, "The file exists.");
    EXPECT_EQ(second, "&No");
    EXPECT_EQ(focusId, 101);  // control 3: the second button
}

TEST(RealAlert, ClosingAnswersZeroAndALongMessageScrolls) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    std::string longText;
    for (int i = 0; i < 200; ++i) longText += "line " + std::to_string(i) + "\r\n";
    bool scrolls = false;
    RECT messageRect{};
    std::thread closer([&] {
        HWND dlg = waitForDialog("Attention");
        if (!dlg) return;
        HWND edit = GetDlgItem(dlg, 90);
        scrolls = (GetWindowLongPtrA(edit, GWL_STYLE) & WS_VSCROLL) != 0;
        GetWindowRect(edit, &messageRect);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(wl::ALERT(longText), 0);
    closer.join();
    EXPECT_TRUE(scrolls);
    EXPECT_LE(messageRect.bottom - messageRect.top, 400);
}

TEST(RealMsgList, SelectionIsAnsweredOnOkAndCancelGivesZero) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    LRESULT count = 0, firstSelection = -1;
    int width = 0;
    std::thread chooser([&] {
        HWND dlg = waitForDialog("Array list");
        if (!dlg) return;
        HWND list = GetDlgItem(dlg, 92);
        count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        firstSelection = SendMessageA(list, LB_GETCURSEL, 0, 0);
        RECT r{};
        GetWindowRect(dlg, &r);
        width = r.right - r.left;
        SendMessageA(list, LB_SETCURSEL, 2, 0);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    wl::MsgListOptions options;
    options.start = 2;
    EXPECT_EQ(wl::MSGLIST({"837", "835", "277", "997"}, std::nullopt, options), 3);
    chooser.join();
    EXPECT_EQ(count, 4);
    EXPECT_EQ(firstSelection, 1);
    EXPECT_GE(width, 180);

    std::thread canceller([&] {
        HWND dlg = waitForDialog("Pick");
        if (dlg) PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    options.cancel = true;
    EXPECT_EQ(wl::MSGLIST({"a"}, "Pick", options), 0);
    canceller.join();
}

}  // namespace
