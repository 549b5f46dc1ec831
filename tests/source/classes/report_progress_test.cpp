// The "Printing page" window: shows the page, Cancel is seen by the report
// at its next look, and a report that may not be cancelled has it disabled.
#include "report_progress.hpp"

#include <gtest/gtest.h>

#include "dialog_waiter.hpp"
#include "message_loop.hpp"

namespace {

std::string progressText(HWND box, int n) {
    // The labels in creation order: "Printing page", then the page number.
    HWND label = nullptr;
    for (int i = 0; i < n; ++i) label = FindWindowExA(box, label, "Static", nullptr);
    char text[64] = {};
    if (label) GetWindowTextA(label, text, sizeof text);
    return text;
}

TEST(PrintingPageDialog, ShowsThePageAndCancelStopsTheReport) {
    wl::PrintingPageDialog progress;
    progress.Start("zr progress report", true);
    HWND box = FindWindowA("#32770", "zr progress report");
    ASSERT_NE(box, nullptr);
    progress.Page(3);
    EXPECT_EQ(progressText(box, 1), "Printing page");
    EXPECT_EQ(progressText(box, 2), "3");
    EXPECT_FALSE(progress.Cancelled());
    HWND cancel = FindWindowExA(box, nullptr, "Button", "&Cancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(IsWindowEnabled(cancel));
    PostMessageA(cancel, BM_CLICK, 0, 0);
    bool cancelled = false;
    for (int i = 0; i < 200 && !cancelled; ++i) {
        cancelled = progress.Cancelled();
        Sleep(5);
    }
    EXPECT_TRUE(cancelled);
    progress.Close();
    wl::SYSREFRESH();
    EXPECT_EQ(FindWindowA("#32770", "zr progress report"), nullptr);
}

TEST(PrintingPageDialog, CancelIsDisabledWhenTheReportMayNotStop) {
    wl::PrintingPageDialog progress;
    progress.Start("zr progress fixed", false);
    HWND box = FindWindowA("#32770", "zr progress fixed");
    ASSERT_NE(box, nullptr);
    HWND cancel = FindWindowExA(box, nullptr, "Button", "&Cancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_FALSE(IsWindowEnabled(cancel));
    progress.Close();
}

}  // namespace
