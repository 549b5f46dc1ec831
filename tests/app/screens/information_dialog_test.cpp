// The Information dialog under Wine: its texts and "Continue".
#include "information_dialog.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "dialog_acts.hpp"

namespace {

TEST(InformationDialog, ShowsTheProgramAndItsFoldersUntilContinue) {
    std::vector<std::string> texts;
    HWND box = nullptr;
    bool pictureDisabled = false;
    long spaceBelow = -1;
    std::thread user([&] {
        box = zrtest::waitForDialog("Information");
        ASSERT_NE(box, nullptr);
        texts = zrtest::childTexts(box, "Static");
        for (HWND c = FindWindowExA(box, nullptr, "Static", nullptr); c; c = FindWindowExA(box, c, "Static", nullptr))
            if (GetWindowLongPtrA(c, GWL_STYLE) & SS_BITMAP) pictureDisabled = !IsWindowEnabled(c);
        RECT client{};
        GetClientRect(box, &client);
        RECT button{};
        HWND next = zrtest::childOf(box, "Button", "Continue");
        GetWindowRect(next, &button);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&button), 2);
        spaceBelow = client.bottom - button.bottom;
        zrtest::postClick(next);
    });
    zr::ZRINFO("ZRK7W315", "C:\\zr", "C:\\data");
    user.join();
    EXPECT_FALSE(IsWindow(box));
    for (const char* line : {"Torvel", "Parser", "     Model: ZRK7W315", "   Version: 1.22C-01", "Subversion: 1.23B-22",
                             "Base Directory : C:\\zr", "Data Directory : C:\\data", " X12 Directory : "})
        EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << line;
    EXPECT_TRUE(pictureDisabled);
    // The texts fill the dialog: "Continue" sits near its bottom, inside it.
    EXPECT_GE(spaceBelow, 8);
    EXPECT_LE(spaceBelow, 60);
}

}  // namespace
