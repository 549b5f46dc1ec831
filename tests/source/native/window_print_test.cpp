// Printing a window's image: the paths that need no printer answer cleanly.
#include "window_print.hpp"

#include <gtest/gtest.h>

namespace {

TEST(WindowPrint, NoPrinterContextPrintsNothing) {
    HWND w = CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(wl::printWindowPage(nullptr, w, "Job", 0, 0, 4));
    DestroyWindow(w);
}

TEST(WindowPrint, NoWindowPrintsNothing) {
    HDC printer = wl::openPrinterDC(false);
    if (!printer) GTEST_SKIP() << "no default printer on this machine";
    EXPECT_FALSE(wl::printWindowPage(printer, nullptr, "Job", 0, 0, 4));
    DeleteDC(printer);
}

TEST(WindowPrint, DefaultPrinterWithoutAskingNeverWaits) {
    // Whatever the machine has, the call returns at once: a context or 0.
    HDC printer = wl::openPrinterDC(false);
    if (printer) {
        EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
        DeleteDC(printer);
    }
}

}  // namespace
