// The error handler under Wine: the report file and the "Window Library"
// dialog with the buttons the error allows, answered by a scripted timer.
#include "error_dialog.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "window.hpp"

namespace {

using namespace wl;

struct Seen {
    std::vector<std::string> buttons;
    std::string caption;
    int logoPixels = 0;  // pixels of the logo's square that are not the face colour
};

// Presses the button with that caption in the first "Window Library" dialog.
class Presser {
public:
    Presser(std::string press, Seen& seen) {
        press_ = std::move(press);
        seen_ = &seen;
        timer_ = SetTimer(nullptr, 0, 30, &Presser::tick);
    }
    ~Presser() { KillTimer(nullptr, timer_); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA(nullptr, "Window Library");
        // A modal dialog shows itself only when its loop first goes idle; a
        // tick already due then (the 32-bit report's CPU measuring outlasts
        // the timer) would find it hidden, with nothing painted to look at.
        if (!box || !IsWindowVisible(box) || !seen_ || !seen_->buttons.empty()) return;
        seen_->caption = "Window Library";
        UpdateWindow(box);
        HDC dc = GetDC(box);
        const COLORREF face = GetPixel(dc, 2, 2);
        for (int y = 6; y < 38; ++y)
            for (int x = 6; x < 38; ++x) seen_->logoPixels += GetPixel(dc, x, y) != face;
        ReleaseDC(box, dc);
        HWND target = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char cls[32] = {}, text[128] = {};
            GetClassNameA(c, cls, sizeof cls);
            GetWindowTextA(c, text, sizeof text);
            if (lstrcmpiA(cls, "Button") == 0) {
                seen_->buttons.push_back(text);
                if (press_ == text) target = c;
            }
        }
        if (target) PostMessageA(target, BM_CLICK, 0, 0);
    }
    static inline std::string press_;
    static inline Seen* seen_ = nullptr;
    UINT_PTR timer_ = 0;
};

class ErrorDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = SETERRORPATH(tmp_.path());
        exit_ = setErrorExit([this](int code) { exitCode_ = code; });
    }
    void TearDown() override {
        SETERRORPATH(folder_);
        setErrorExit(exit_);
    }
    zrtest::TempDir tmp_;
    std::string folder_;
    ErrorExit exit_;
    int exitCode_ = -1;
};

TEST_F(ErrorDialogTest, DefaultAnswerWritesTheReport) {
    ErrorInfo e;
    e.subSystem = "BASE";
    e.subCode = 1003;
    e.description = "Variable does not exist & more";
    e.canRetry = true;
    e.canDefault = true;
    Seen seen;
    Presser p("&Default", seen);
    ErrorChoice c;
    {
        CallFrame here;
        c = ERRORDIALOG(e);
    }
    EXPECT_EQ(c, ErrorChoice::Default);
    EXPECT_EQ(exitCode_, -1);
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Retry", "&Quit", "&Default", "See error.log file"}));
    EXPECT_GT(seen.logoPixels, 100) << "the logo at the top left";
    const std::string report = zrtest::readBytes(errorLogPath());
    EXPECT_NE(report.find("   Error description: Error BASE/1003  Variable does not exist & more\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("   Called from: "), std::string::npos);
}

TEST_F(ErrorDialogTest, WithoutRetryOrDefaultOnlyQuitAndItEndsTheProgram) {
    ErrorInfo e = *_WLGENERROR(3, "Title: x");
    Seen seen;
    Presser p("&Quit", seen);
    EXPECT_EQ(ERRORDIALOG(e), ErrorChoice::Quit);
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Quit", "See error.log file"}));
    EXPECT_EQ(exitCode_, 1);
}

TEST_F(ErrorDialogTest, AFailingDialogEndsTheProgramAndTheNextErrorIsShownAgain) {
    ErrorInfo e = *_WLGENERROR(3, "Title: x");
    PostErrorAction before = SETPOSTERRORACTION([](const std::string&, const ErrorInfo&) {
        throw std::runtime_error("dialog failed");
    });
    {
        Seen seen;
        Presser p("&Quit", seen);
        EXPECT_EQ(ERRORDIALOG(e), ErrorChoice::Quit);
    }
    SETPOSTERRORACTION(before);
    EXPECT_EQ(exitCode_, 1);
    EXPECT_FALSE(zrtest::readBytes(errorLogPath()).empty());
    // Not taken for an error inside the handler: the dialog shows again.
    exitCode_ = -1;
    Seen seen;
    Presser p("&Quit", seen);
    EXPECT_EQ(ERRORDIALOG(e), ErrorChoice::Quit);
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Quit", "See error.log file"}));
}

TEST_F(ErrorDialogTest, TheReportNamesTheClassesInUseAndTheMemory) {
    TWindow w;
    WindowNew n;
    n.lPixel = true;
    n.nBottom = 20;
    n.nRight = 20;
    w.New(n);
    const ReportFacts f = currentReportFacts();
    EXPECT_NE(std::find(f.classes.begin(), f.classes.end(), "TWINDOW"), f.classes.end());
    EXPECT_GT(f.memoryInUse, 0u);
    EXPECT_GE(f.memoryHighest, f.memoryInUse);
    // The CPU line (and its measured speed) is the 32-bit report's.
    if (f.wide)
        EXPECT_EQ(f.cpuSpeedMHz, 0);
    else
        EXPECT_GT(f.cpuSpeedMHz, 0);
    for (int percent : {f.freeSystemPercent, f.freeGdiPercent, f.freeUserPercent}) {
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
    }
    DestroyWindow(w.hWnd);
}

TEST_F(ErrorDialogTest, SilentCases) {
    ErrorInfo divide;
    divide.genCode = 5;
    EXPECT_EQ(ERRORDIALOG(divide), ErrorChoice::Default);
    ErrorInfo sharing;
    sharing.genCode = 21;
    sharing.osCode = 32;
    sharing.canDefault = true;
    EXPECT_EQ(ERRORDIALOG(sharing), ErrorChoice::Default);
    EXPECT_TRUE(networkErrorFlag());
    EXPECT_EQ(exitCode_, -1);
}

}  // namespace
