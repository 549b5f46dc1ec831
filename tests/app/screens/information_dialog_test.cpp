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
    std::thread user([&] {
        box = zrtest::waitForDialog("Information");
        ASSERT_NE(box, nullptr);
        texts = zrtest::childTexts(box, "Static");
        for (HWND c = FindWindowExA(box, nullptr, "Static", nullptr); c; c = FindWindowExA(box, c, "Static", nullptr))
            if (GetWindowLongPtrA(c, GWL_STYLE) & SS_BITMAP) pictureDisabled = !IsWindowEnabled(c);
        zrtest::postClick(zrtest::childOf(box, "Button", "Continue"));
    });
    zr::ZRINFO("ZRK7W315", "C:\\zr", "C:\\data");
    user.join();
    EXPECT_FALSE(IsWindow(box));
    for (const char* line : {"Torvel", "Parser", "     Model: ZRK7W315", "   Version: 1.22C-01", "Subversion: 1.23B-22",
                             "Base Directory : C:\\zr", "Data Directory : C:\\data", " X12 Directory : "})
        EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << line;
    EXPECT_TRUE(pictureDisabled);
}

}  // namespace
