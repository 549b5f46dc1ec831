// The two type pickers under Wine: their buttons, a choice, and closing
// without one.
#include "type_pickers.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "dialog_acts.hpp"

namespace {

TEST(TypePickers, SourceFormatOffersThreeButtonsAndKeepsTheTypeWhenClosed) {
    std::vector<std::string> buttons;
    std::thread user([&] {
        HWND box = zrtest::waitForDialog("Source Format");
        ASSERT_NE(box, nullptr);
        buttons = zrtest::childTexts(box, "Button");
        zrtest::postClick(zrtest::childOf(box, "Button", "CSV"));
    });
    EXPECT_EQ(zr::CTLD48404("X12,CSV"), "CSV");
    user.join();
    EXPECT_EQ(buttons, (std::vector<std::string>{"X12", "CSV", "XML"}));

    std::thread closer([] {
        HWND box = zrtest::waitForDialog("Source Format");
        ASSERT_NE(box, nullptr);
        PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(zr::CTLD48404("X12,CSV"), "X12,CSV");
    closer.join();
}

TEST(TypePickers, OutputTypeAsksOnlyForAnX12Source) {
    std::vector<std::string> buttons;
    std::thread user([&] {
        HWND box = zrtest::waitForDialog("Parser Output Type");
        ASSERT_NE(box, nullptr);
        buttons = zrtest::childTexts(box, "Button");
        zrtest::postClick(zrtest::childOf(box, "Button", "XML"));
    });
    EXPECT_EQ(zr::CTLD48402("X12"), "X12,XML");
    user.join();
    EXPECT_EQ(buttons, (std::vector<std::string>{"CSV", "XML"}));
    // No dialog for the other sources.
    EXPECT_EQ(zr::CTLD48402("CSV"), "CSV,X12");
    EXPECT_EQ(zr::CTLD48402("XML"), "XML,X12");
}

}  // namespace
