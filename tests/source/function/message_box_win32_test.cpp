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
    std::string text;
    int defaultButton = 0;
};

// Waits for a top-level dialog with that caption, records its text and
// default button, then presses `button`.
std::thread pressWhenShown(const char* caption, int button, SeenBox& seen) {
    return std::thread([caption, button, &seen] {
        for (int i = 0; i < 500; ++i) {
            HWND box = FindWindowA("#32770", caption);
            if (box) {
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
    });
}

TEST(RealMessageBox, NoYesDefaultsToNoAndReportsYes) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    SeenBox seen;
    std::thread presser = pressWhenShown("Select an option", IDYES, seen);
    bool yes = wl::MSGNOYES("Overwite File?");
    presser.join();
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
    EXPECT_FALSE(yes);
    EXPECT_EQ(seen.defaultButton, IDYES);
}

TEST(RealMessageBox, WqoutShowsAnAlert) {
    wl::ScopedPromptHook real{wl::PromptHook{}};
    SeenBox seen;
    std::thread presser = pressWhenShown("Alert", IDOK, seen);
    wl::WQOUT(wl::ValueList{"Cfile <ERROR> FC-Open # 2 x.x12"});
    presser.join();
    // The static control shows the text with its leading line break.
    EXPECT_NE(seen.text.find("Cfile <ERROR> FC-Open # 2 x.x12"), std::string::npos) << seen.text;
}

}  // namespace
