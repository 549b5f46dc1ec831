// Modal and modeless dialogs from templates built in memory, run for real.
// Every dialog here ends itself through a posted message or a timer, so no
// test ever waits for a person.
#include "dialogs.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_template.hpp"
#include "message_pump.hpp"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

std::string dialogTemplate(const std::string& caption, const std::string& controlClass = "BUTTON") {
    return wl::CDLG2CHR(1, 0, 0, 60, 160, caption, kDialogStyle, 8, "MS Shell Dlg") +
           wl::CCTRL2CHR(40, 10, 53, 60, IDOK, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, controlClass, "OK");
}

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

std::vector<std::string> events;

class InnerDialog : public wl::EventTarget {
public:
    HWND outer = nullptr;
    HWND hwnd = nullptr;
    int topWhileOpen = -1;
    wl::Answer HandleEvent(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_INITDIALOG:
                hwnd = reinterpret_cast<HWND>(lParam);
                topWhileOpen = wl::modalDialogStack().top();
                events.push_back("inner init");
                SetTimer(hwnd, 1, 20, nullptr);
                return true;
            case WM_TIMER:
                KillTimer(hwnd, 1);
                SendMessageA(outer, WM_APP + 1, 0, 0);
                PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
                return true;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDCANCEL) {
                    events.push_back("inner ends");
                    wl::ENDDIALOG(hwnd, 21);
                    return true;
                }
                break;
        }
        return {};
    }
};

class OuterDialog : public wl::EventTarget {
public:
    HWND hwnd = nullptr;
    int innerResult = -1;
    InnerDialog inner;
    wl::Answer HandleEvent(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_INITDIALOG:
                hwnd = reinterpret_cast<HWND>(lParam);
                events.push_back("outer init");
                PostMessageA(hwnd, WM_APP, 0, 0);
                return true;
            case WM_APP:
                inner.outer = hwnd;
                innerResult = wl::DIALOGBOXINDIRECT(instance(), dialogTemplate("Inner"), hwnd, &inner);
                events.push_back("inner returned");
                PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                return 0;
            case WM_APP + 1:
                events.push_back("outer reached while inner open");
                return 0;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK) {
                    events.push_back("outer ends");
                    wl::ENDDIALOG(hwnd, 11);
                    return true;
                }
                break;
        }
        return {};
    }
};

TEST(ModalDialogs, NestedTwoDeepEachFindsItsOwnSlot) {
    events.clear();
    OuterDialog outer;
    ASSERT_FALSE(wl::LWRUNNING());
    int result = wl::DIALOGBOXINDIRECT(instance(), dialogTemplate("Outer"), nullptr, &outer);

    EXPECT_EQ(result, 11);
    EXPECT_EQ(outer.innerResult, 21);
    EXPECT_EQ(outer.inner.topWhileOpen, 48);  // the next slot below the outer one
    EXPECT_EQ(events, (std::vector<std::string>{"outer init", "inner init", "outer reached while inner open",
                                                "inner ends", "inner returned", "outer ends"}));
    EXPECT_EQ(wl::modalDialogStack().top(), 50);
    EXPECT_FALSE(wl::LWRUNNING());
    EXPECT_FALSE(IsWindow(outer.hwnd));
    EXPECT_FALSE(IsWindow(outer.inner.hwnd));
}

HWND dialogToEnd = nullptr;
INT_PTR resultToGive = 0;

void CALLBACK endFoundDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = FindWindowA(nullptr, "No object");
    if (!dlg) return;
    KillTimer(nullptr, id);
    dialogToEnd = dlg;
    EndDialog(dlg, resultToGive);
}

TEST(ModalDialogs, ResultIsAnUnsigned16BitNumber) {
    struct Case {
        INT_PTR given;
        int answered;
    } cases[] = {{7, 7}, {0x12345, 0x2345}, {-1, 65535}};
    for (const auto& c : cases) {
        resultToGive = c.given;
        SetTimer(nullptr, 0, 20, endFoundDialog);
        // Without an object the dialog manager handles everything itself.
        EXPECT_EQ(wl::DIALOGBOXINDIRECT(instance(), dialogTemplate("No object"), nullptr, nullptr), c.answered);
    }
}

TEST(ModalDialogs, FailuresAndEmptyTemplates) {
    EXPECT_EQ(wl::DIALOGBOXINDIRECT(instance(), "", nullptr, nullptr), 0);
    EXPECT_FALSE(wl::LWRUNNING());
    // A control of an unknown class makes the dialog fail: -1 comes back as 65535.
    EXPECT_EQ(wl::DIALOGBOXINDIRECT(instance(), dialogTemplate("Broken", "NoSuchWindowClass"), nullptr, nullptr),
              65535);
    EXPECT_EQ(wl::DIALOGBOX(instance(), "NOSUCHDIALOG", nullptr, nullptr), 65535);
    EXPECT_EQ(wl::modalDialogStack().top(), 50);
}

TEST(ModelessDialogs, MinimalProcedureHidesEndsAndMeasures) {
    EXPECT_EQ(wl::CREATEDLGINDIRECT(instance(), "", nullptr), nullptr);
    HWND dlg = wl::CREATEDLGINDIRECT(instance(), dialogTemplate("Modeless"), nullptr);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg));  // hidden until its object shows it

    MEASUREITEMSTRUCT mis{};
    mis.itemHeight = 5;
    wl::SETOWNERDRAWITEMHEIGHT(23);
    SendMessageA(dlg, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 23u);

    EXPECT_TRUE(wl::ENDDIALOG(dlg, 3));  // clears the height too
    mis.itemHeight = 5;
    SendMessageA(dlg, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 5u);
    DestroyWindow(dlg);
    EXPECT_NE(wl::GETDLGBASEUNITS(), 0);
}

}  // namespace
