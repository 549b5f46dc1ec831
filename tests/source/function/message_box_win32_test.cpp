// The real message boxes under Wine: a helper thread finds the box, reads
// it and presses a button, so no test ever waits for a click.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "messages.hpp"

namespace {

struct SeenBox {
    bool found = false;
    std::string text;
    int defaultButton = 0;
};

// Presses the first button of a dialog box of this process. A named
// callback: a lambda would not have the system's calling convention on
// 32-bit Windows.
BOOL CALLBACK endBox(HWND w, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (process != GetCurrentProcessId() || lstrcmpA(cls, "#32770") != 0) return TRUE;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char child[16] = {};
        GetClassNameA(c, child, sizeof child);
        if (lstrcmpiA(child, "Button") == 0) {
            PostMessageA(c, BM_CLICK, 0, 0);
            break;
        }
    }
    return TRUE;
}

// Clicks the first button of every dialog box of this process, so that a
// box shown under another caption than the one awaited ends too and the
// test fails at once instead of waiting for a click that never comes.
void endEveryBox() { EnumWindows(endBox, 0); }

// Waits (five seconds at most) for a top-level dialog with that caption,
// records its text and default button, then presses `button`; a box not
// found in time is ended all the same and `seen.found` stays false.
std::thread pressWhenShown(const char* caption, int button, SeenBox& seen) {
    return std::thread([caption, button, &seen] {
        for (int i = 0; i < 250; ++i) {
            HWND box = FindWindowA("#32770", caption);
            if (box) {
                seen.found = true;
                char buf[512] = {};
                GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);  // the box's message text
                seen.text = buf;
                for (int id : {IDOK, IDYES, IDNO}) {
                    HWND b = GetDlgItem(box, id);
                    if (b && (GetWindowLongA(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) seen.defaultButton = id;
                }
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                return;
            }
            Sleep(20);
        }
        // Whatever box appeared late or under another caption is ended
        // until the caller returns.
        for (int i = 0; i < 100; ++i) {
            endEveryBox();
            Sleep(50);
        }
    });
}

TEST(RealMessageBox, NoYesDefaultsToNoAndReportsYes) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    SeenBox seen;
    std::thread presser = pressWhenShown("Select an option", IDYES, seen);
    bool yes = wl::MSGNOYES("Overwite File?");
    presser.join();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(yes);
    EXPECT_EQ(seen.text, "Overwite File?");
    EXPECT_EQ(seen.defaultButton, IDNO);
}

TEST(RealMessageBox, YesNoDefaultsToYesAndReportsNo) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    SeenBox seen;
    std::thread presser = pressWhenShown("Select an option", IDNO, seen);
    bool yes = wl::MSGYESNO("Continue?");
    presser.join();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(yes);
    EXPECT_EQ(seen.defaultButton, IDYES);
}

TEST(RealMessageBox, WqoutShowsAnAlert) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    SeenBox seen;
    std::thread presser = pressWhenShown("Alert", IDOK, seen);
    wl::WQOUT(wl::ValueList{"Cfile <ERROR> FC-Open # 2 x.x12"});
    presser.join();
    ASSERT_TRUE(seen.found);
    // The static control shows the text with its leading line break.
    EXPECT_NE(seen.text.find("Cfile <ERROR> FC-Open # 2 x.x12"), std::string::npos) << seen.text;
}

}  // namespace
