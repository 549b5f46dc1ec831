// TDialog and TControl under Wine: modal dialogs built in memory, run and
// ended by a scripted timer that reads texts and presses buttons; focus and
// validation order; Enter and Escape; control placement in dialog units.
#include "dialog.hpp"
#include "menu.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

#include "button.hpp"
#include "control.hpp"
#include "dialog_template.hpp"
#include "dialogs.hpp"
#include "get.hpp"
#include "library_error.hpp"
#include "message_loop.hpp"
#include "meter.hpp"
#include "help_keys.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

// Runs one step per timer tick while a modal dialog is open.
class Script {
public:
    explicit Script(std::deque<std::function<void()>> steps) {
        steps_ = std::move(steps);
        timer_ = SetTimer(nullptr, 0, 20, &Script::tick);
    }
    ~Script() {
        KillTimer(nullptr, timer_);
        steps_.clear();
    }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (steps_.empty()) return;
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
    }
    static inline std::deque<std::function<void()>> steps_;
    UINT_PTR timer_ = 0;
};

// A plain edit field as a control, for validation tests.
class Field : public TControl {
public:
    std::string ClassName() const override { return "TFIELD"; }
    std::string WindowClass() const override { return "EDIT"; }
    Field& New(TWindow* parent, int top, int left, int width, int height) {
        oWnd = parent;
        nTop = top;
        nLeft = left;
        nBottom = top + height - 1;
        nRight = left + width - 1;
        nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER;
        createOrDefer();
        return *this;
    }
};

std::string textOf(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

void click(HWND button) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

TDialog& pixelDialog(TDialog& d, const std::string& caption = "Test dialog") {
    DialogNew n;
    n.cCaption = caption;
    n.nWidth = 300;
    n.nHeight = 200;
    return d.New(n);
}

ButtonNew buttonAt(TWindow* parent, int top, int left, const std::string& caption,
                   std::function<void(TWindow&)> action) {
    ButtonNew b;
    b.oWnd = parent;
    b.nRow = top;
    b.nCol = left;
    b.lPixel = true;
    b.nWidth = 80;
    b.nHeight = 24;
    b.cCaption = caption;
    b.bAction = std::move(action);
    return b;
}

TEST(Dialog, ModalRunsAndEndsFromItsButton) {
    TDialog d;
    pixelDialog(d, "Hello");
    TButton ok;
    ok.New(buttonAt(&d, 10, 10, "&OK", [&](TWindow&) { d.End(1); }));
    EXPECT_EQ(ok.hWnd, nullptr);  // bound when the dialog starts
    std::string caption, buttonText;
    Script s({[&] {
        caption = textOf(d.hWnd);
        buttonText = textOf(ok.hWnd);
        click(ok.hWnd);
    }});
    d.Activate();
    EXPECT_EQ(caption, "Hello");
    EXPECT_EQ(buttonText, "&OK");
    ASSERT_TRUE(d.nResult);
    EXPECT_EQ(*d.nResult, 1);
    EXPECT_FALSE(d.lVisible);
}

TEST(Dialog, EscapeEndsWithTwoAndEnterPressesTheDefaultButton) {
    {
        TDialog d;
        pixelDialog(d);
        TButton b;
        b.New(buttonAt(&d, 10, 10, "Go", [&](TWindow&) { d.End(7); }));
        Script s({[&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }});
        d.Activate();
        EXPECT_EQ(d.nResult.value_or(-1), 2);
    }
    {
        TDialog d;
        pixelDialog(d);
        TButton b;
        auto n = buttonAt(&d, 10, 10, "Go", [&](TWindow&) { d.End(7); });
        n.lDefault = true;
        b.New(n);
        Script s({[&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }});
        d.Activate();
        EXPECT_EQ(d.nResult.value_or(-1), 7);
    }
}

// A field that wants every key keeps Escape from the dialog manager: it
// passes the key up, and the dialog still ends as Escape ends it, unless
// the Escape switch is off.
TEST(Dialog, EscapeInAFieldThatTakesEveryKeyEndsTheDialog) {
    for (bool escapeOn : {true, false}) {
        SCOPED_TRACE(escapeOn ? "switch on" : "switch off");
        const bool before = SETDIALOGESC(escapeOn);
        TDialog d;
        pixelDialog(d);
        TGet field;
        GetNew g;
        g.oWnd = &d;
        g.lPixel = true;
        g.nRow = 10;
        g.nCol = 10;
        g.nWidth = 120;
        g.nHeight = 22;
        field.New(g);
        TButton b;
        b.New(buttonAt(&d, 60, 10, "Go", [&](TWindow&) { d.End(7); }));
        Script s({[&] { PostMessageA(field.hWnd, WM_CHAR, VK_ESCAPE, 1); },
                  [&] { PostMessageA(b.hWnd, BM_CLICK, 0, 0); }});
        d.Activate();
        SETDIALOGESC(before);
        EXPECT_EQ(d.nResult.value_or(-1), escapeOn ? 2 : 7);
    }
}

TEST(Dialog, ClickOnOkIsIgnoredWhileTheFocusedFieldRefusesCancelIsNot) {
    TDialog d;
    pixelDialog(d);
    Field field;
    field.New(&d, 10, 10, 100, 22);
    bool fieldOk = false;
    int validations = 0;
    field.bValid = [&](TWindow&) {
        ++validations;
        return fieldOk;
    };
    int okRuns = 0;
    TButton ok, cancel;
    ok.New(buttonAt(&d, 50, 10, "OK", [&](TWindow&) {
        ++okRuns;
        d.End(1);
    }));
    auto c = buttonAt(&d, 50, 100, "Cancel", [&](TWindow&) { d.End(2); });
    c.lCancel = true;
    cancel.New(c);
    bool focusBack = false;
    Script s({[&] { SetFocus(field.hWnd); },
              [&] { click(ok.hWnd); },
              [&] { focusBack = GetFocus() == field.hWnd; },
              [&] { click(cancel.hWnd); }});
    d.Activate();
    EXPECT_EQ(okRuns, 0);
    EXPECT_GE(validations, 1);
    EXPECT_TRUE(focusBack);
    EXPECT_EQ(d.nResult.value_or(-1), 2);
}

TEST(Dialog, ClickOnOkRunsOnceTheFieldAccepts) {
    TDialog d;
    pixelDialog(d);
    Field field;
    field.New(&d, 10, 10, 100, 22);
    field.bValid = [&](TWindow&) { return true; };
    int okRuns = 0;
    TButton ok;
    ok.New(buttonAt(&d, 50, 10, "OK", [&](TWindow&) {
        ++okRuns;
        d.End(1);
    }));
    Script s({[&] { SetFocus(field.hWnd); }, [&] { click(ok.hWnd); }});
    d.Activate();
    EXPECT_EQ(okRuns, 1);
    EXPECT_EQ(d.nResult.value_or(-1), 1);
}

TEST(Dialog, EveryWayOfPressingOkValidatesTheFocusedFieldFirst) {
    struct Case {
        const char* how;
        std::function<void(TButton&, HWND field)> press;
    };
    const Case cases[] = {
        {"mouse", [](TButton& ok, HWND) { click(ok.hWnd); }},
        {"Enter in the field", [](TButton&, HWND field) { PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0); }},
        {"from code", [](TButton& ok, HWND) { ok.Click(); }},
    };
    for (const Case& c : cases) {
        TDialog d;
        pixelDialog(d);
        Field field;
        field.New(&d, 10, 10, 100, 22);
        bool fieldOk = false;
        field.bValid = [&](TWindow&) { return fieldOk; };
        int okRuns = 0;
        TButton ok;
        auto n = buttonAt(&d, 50, 10, "OK", [&](TWindow&) {
            ++okRuns;
            d.End(1);
        });
        n.lDefault = true;
        ok.New(n);
        bool focusBack = false;
        Script s({[&] { SetFocus(field.hWnd); },
                  [&] { c.press(ok, field.hWnd); },
                  [&] {
                      focusBack = GetFocus() == field.hWnd;
                      fieldOk = true;
                  },
                  [&] { c.press(ok, field.hWnd); }});
        d.Activate();
        EXPECT_TRUE(focusBack) << c.how;
        EXPECT_EQ(okRuns, 1) << c.how;  // only once the field accepted
        EXPECT_EQ(d.nResult.value_or(-1), 1) << c.how;
    }
}

TEST(Dialog, ValidRefusalKeepsTheDialogOpen) {
    TDialog d;
    pixelDialog(d);
    TButton ok;
    ok.New(buttonAt(&d, 10, 10, "OK", [](TWindow&) {}));
    bool allow = false;
    bool firstEnd = true, stillOpen = false;
    Script s({[&] {
                  firstEnd = d.End(1);
              },
              [&] {
                  stillOpen = IsWindowVisible(d.hWnd) != 0;
                  allow = true;
                  d.End(1);
              }});
    DialogActivate a;
    a.bValid = [&](TWindow&) { return allow; };
    d.Activate(a);
    EXPECT_FALSE(firstEnd);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(d.nResult.value_or(-1), 1);
}

TEST(Dialog, WhenRefusingNeverShowsAndLeavesTwo) {
    TDialog d;
    pixelDialog(d);
    bool initRan = false;
    DialogActivate a;
    a.bWhen = [] { return false; };
    a.bInit = [&](TWindow&) { initRan = true; };
    d.Activate(a);
    EXPECT_FALSE(initRan);
    EXPECT_EQ(d.nResult.value_or(-1), 2);
}

// A command chosen from the dialog's menu or pop-up runs the item's action
// instead of ending the dialog as a command without a control would.
TEST(Dialog, MenuCommandsRunTheirItemsAndKeepTheDialogOpen) {
    TDialog d;
    pixelDialog(d);
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    ASSERT_TRUE(d.hWnd);
    int runs = 0;
    auto menu = wl::MENUBEGIN();
    wl::MenuItemNew n;
    n.cPrompt = "&Run";
    n.bAction = [&](wl::TMenuItem&) { ++runs; };
    auto runItem = wl::MENUADDITEM(n);
    wl::MENUEND();
    d.SetMenu(menu);
    SendMessageA(d.hWnd, WM_COMMAND, MAKEWPARAM(runItem->nId, 0), 0);
    SendMessageA(d.hWnd, WM_COMMAND, MAKEWPARAM(runItem->nId, 1), 0);  // its accelerator
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(IsWindow(d.hWnd));

    auto popup = wl::MENUBEGIN(true);
    auto pick = wl::MENUADDITEM(n);
    wl::MENUEND();
    d.oPopup = popup;
    SendMessageA(d.hWnd, WM_COMMAND, MAKEWPARAM(pick->nId, 0), 0);
    EXPECT_EQ(popup->oMenuItemPopup, pick.get());
    EXPECT_TRUE(IsWindow(d.hWnd));
    d.oPopup.reset();
    DestroyWindow(d.hWnd);
}

TEST(Dialog, RowBoundsAndCaptionCut) {
    TDialog d;
    DialogNew n;
    n.cCaption = std::string(200, 'x');
    d.New(n);
    EXPECT_EQ(d.nTop, 0);
    EXPECT_EQ(d.nLeft, 0);
    EXPECT_EQ(d.nBottom, 151);
    EXPECT_EQ(d.nRight, 316);
    EXPECT_EQ(d.cCaption.size(), 140u);
}

TEST(Dialog, DuplicatedAndUndefinedIdentifiers) {
    TDialog d;
    pixelDialog(d);
    TButton a, b;
    a.ReDefine(500, nullptr, &d);
    try {
        b.ReDefine(500, nullptr, &d);
        FAIL() << "no error";
    } catch (const LibraryError& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_STREQ(e.what(), "Duplicated Id");
        EXPECT_EQ(e.operation(), "No:    500");
    }
    // A control whose item the template lacks (its item carries another
    // identifier, as a resource made without it would): error 1 at start.
    struct Missing : TButton {
        std::string cToChar(const std::string& cls) override {
            const int real = nId;
            nId = real + 1000;
            std::string t = TButton::cToChar(cls);
            nId = real;
            return t;
        }
    };
    TDialog d2;
    pixelDialog(d2);
    Missing missing;
    missing.ReDefine(602, nullptr, &d2);
    try {
        d2.Activate();
        FAIL() << "no error";
    } catch (const LibraryError& e) {
        EXPECT_EQ(e.code(), 1);
        EXPECT_STREQ(e.what(), "Non defined Id");
        EXPECT_EQ(e.operation(), "No:    602");
    }
}

// Decides the dialog-unit reading: each control lands on its pixel bounds.
TEST(Dialog, ControlsLandOnTheirPixelBounds) {
    TDialog d;
    pixelDialog(d);
    TButton b1, b2;
    b1.New(buttonAt(&d, 40, 60, "One", nullptr));
    b2.New(buttonAt(&d, 120, 150, "Two", nullptr));
    RECT r1{}, r2{};
    Script s({[&] {
        GetWindowRect(b1.hWnd, &r1);
        MapWindowPoints(nullptr, d.hWnd, reinterpret_cast<POINT*>(&r1), 2);
        GetWindowRect(b2.hWnd, &r2);
        MapWindowPoints(nullptr, d.hWnd, reinterpret_cast<POINT*>(&r2), 2);
        d.End(1);
    }});
    d.Activate();
    // Rounding down to whole dialog units loses at most one unit (2 pixels
    // across, 2 down with the usual 8 x 16 base units).
    EXPECT_NEAR(r1.top, 40, 2);
    EXPECT_NEAR(r1.left, 60, 2);
    EXPECT_NEAR(r1.bottom - r1.top, 25, 3);
    EXPECT_NEAR(r1.right - r1.left, 81, 3);
    EXPECT_NEAR(r2.top, 120, 2);
    EXPECT_NEAR(r2.left, 150, 2);
}

// The other reading (16 and 8 for controls) puts a control at twice its
// coordinates: measured here so the choice above stays justified.
TEST(Dialog, SixteenAndEightWouldDoubleTheCoordinates) {
    struct Doubled : TButton {
        std::string cToChar(const std::string& cls) override {
            const long units = GETDLGBASEUNITS();
            const int bx = units & 0xFFFF, by = (units >> 16) & 0xFFFF;
            return CCTRL2CHR(16 * nTop / by, 8 * nLeft / bx, 16 * nBottom / by, 8 * nRight / bx, nId,
                             WS_CHILD | WS_VISIBLE, cls.empty() ? "BUTTON" : cls, cCaption);
        }
    };
    TDialog d;
    pixelDialog(d);
    Doubled b;
    b.New(buttonAt(&d, 40, 60, "One", nullptr));
    RECT r{};
    Script s({[&] {
        GetWindowRect(b.hWnd, &r);
        MapWindowPoints(nullptr, d.hWnd, reinterpret_cast<POINT*>(&r), 2);
        d.End(1);
    }});
    d.Activate();
    EXPECT_NEAR(r.top, 80, 4);
    EXPECT_NEAR(r.left, 120, 4);
}

TEST(Control, EndValidatesBeforeLeavingItsParent) {
    TDialog d;
    pixelDialog(d);
    Field field;
    field.New(&d, 10, 10, 100, 22);
    bool allow = false;
    field.bValid = [&](TWindow&) { return allow; };
    bool firstEnd = true;
    std::size_t kept = 0;
    Script s({[&] {
        firstEnd = field.End();
        kept = d.aControls.size();
        allow = true;
        field.End();
        d.End(1);
    }});
    d.Activate();
    EXPECT_FALSE(firstEnd);
    EXPECT_EQ(kept, 1u);  // still navigated and refreshed
    EXPECT_TRUE(d.aControls.empty());
}

TEST(Dialog, ModelessDialogRunsAndCloses) {
    TDialog d;
    pixelDialog(d, "Modeless");
    TButton b;
    b.New(buttonAt(&d, 10, 10, "Close", [&](TWindow&) { d.End(5); }));
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    ASSERT_NE(d.hWnd, nullptr);
    EXPECT_EQ(textOf(d.hWnd), "Modeless");
    EXPECT_NE(b.hWnd, nullptr);
    HWND h = d.hWnd;
    click(b.hWnd);
    for (int i = 0; i < 20 && IsWindow(h); ++i) SYSREFRESH();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(d.nResult.value_or(-1), 5);
}

TEST(Control, LabelsShowTheirValue) {
    TDialog d;
    pixelDialog(d);
    TSay say;
    SayNew n;
    n.oWnd = &d;
    n.bText = [] { return Value(42); };
    n.lPixel = true;
    n.nRow = 5;
    n.nCol = 5;
    n.nWidth = 100;
    n.lAdjust = true;
    say.New(n);
    std::string before, after;
    int widthAfter = 0;
    Script s({[&] {
        before = textOf(say.hWnd);
        say.SetText(Value("a much longer label text than before"));
        after = textOf(say.hWnd);
        widthAfter = say.nWidth();
        d.End(1);
    }});
    d.Activate();
    EXPECT_EQ(before, "42");
    EXPECT_EQ(after, "a much longer label text than before");
    EXPECT_GT(widthAfter, 100);
}

// ---- dialogs from the program's resources (dialog_templates.rc) ----

TDialog& resourceDialog(TDialog& d, DialogResource name, const std::string& caption = {}) {
    DialogNew n;
    n.cResName = std::move(name);
    n.cCaption = caption;
    return d.New(n);
}

int widthOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r.right - r.left;
}

TEST(ResourceDialog, ByNameKeepsItsCaptionAndBindsControlsToItsItems) {
    TDialog d;
    resourceDialog(d, std::string("NAMEDDLG"));
    TSay label;
    label.ReDefine(501, [] { return Value("Claim number"); }, &d);
    std::string caption, labelText;
    DialogActivate a;
    a.bInit = [&](TWindow&) {
        caption = textOf(d.hWnd);
        labelText = textOf(label.hWnd);
        PostMessageA(d.GetItem(IDOK), BM_CLICK, 0, 0);
    };
    d.Activate(a);
    EXPECT_EQ(caption, "Named template");
    EXPECT_EQ(labelText, "Claim number");
    EXPECT_EQ(d.nResult.value_or(-1), 1);
}

TEST(ResourceDialog, ByNumberAndWidenedOnRequest) {
    int plain = 0, wide = 0, itemLeft = 0, itemLeftWide = 0;
    for (bool resize : {false, true}) {
        TDialog d;
        resourceDialog(d, 100, "Own caption");
        TButton go;
        go.ReDefine(502, [&](TWindow&) { d.End(5); }, &d);
        std::string caption;
        DialogActivate a;
        a.lResize16 = resize;
        a.bInit = [&](TWindow&) {
            caption = textOf(d.hWnd);
            RECT r{};
            GetWindowRect(go.hWnd, &r);
            MapWindowPoints(nullptr, d.hWnd, reinterpret_cast<POINT*>(&r), 2);
            (resize ? wide : plain) = widthOf(d.hWnd);
            (resize ? itemLeftWide : itemLeft) = r.left;
            PostMessageA(go.hWnd, BM_CLICK, 0, 0);
        };
        d.Activate(a);
        EXPECT_EQ(caption, "Own caption");
        EXPECT_EQ(d.nResult.value_or(-1), 5);
        EXPECT_NE(d.nStyle & WS_CAPTION, 0u);
    }
    ASSERT_GT(plain, 0);
    EXPECT_EQ(wide, static_cast<int>(plain * 1.16668));
    EXPECT_EQ(itemLeftWide, static_cast<int>(itemLeft * 1.16668));
}

TEST(ResourceDialog, MissingTemplateRaisesCannotCreateWithItsName) {
    for (DialogResource name : {DialogResource(std::string("NOSUCHDLG")), DialogResource(4321)}) {
        TDialog d;
        resourceDialog(d, name);
        try {
            d.Activate();
            ADD_FAILURE() << "no error for " << resourceText(name);
        } catch (const LibraryError& e) {
            EXPECT_EQ(e.code(), kErrorCannotCreateDialog);
            EXPECT_EQ(e.operation(), "\r\n" + std::string(22, ' ') + "Resource: " + resourceText(name));
        }
        DialogActivate modeless;
        modeless.lModal = false;
        EXPECT_THROW(d.Activate(modeless), LibraryError);
    }
}

TEST(ResourceDialog, ModelessFromTheResourcesRunsUntilClosed) {
    TDialog d;
    resourceDialog(d, std::string("NAMEDDLG"));
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    ASSERT_NE(d.hWnd, nullptr);
    EXPECT_EQ(textOf(d.hWnd), "Named template");
    EXPECT_TRUE(IsWindowVisible(d.hWnd));
    HWND h = d.hWnd;
    d.End(3);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(d.nResult.value_or(-1), 3);
}

TEST(ResourceDialog, TemplateBytesHeldByTheObject) {
    TDialog d;
    pixelDialog(d, "From bytes");
    d.cResData = CDLG2CHR(1, 0, 0, 60, 160, "Template caption", WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 8,
                          "MS Shell Dlg") +
                 CCTRL2CHR(40, 10, 53, 60, 601, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, "BUTTON", "Held");
    std::string item;
    DialogActivate a;
    a.bInit = [&](TWindow&) {
        item = textOf(d.GetItem(601));
        d.End(4);
    };
    d.Activate(a);
    EXPECT_EQ(item, "Held");
    EXPECT_EQ(d.nResult.value_or(-1), 4);
}

}  // namespace

namespace {

TEST(Dialog, HelpShowsTheTopicOfTheControlAskedOrTheDialogs) {
    zrtest::PromptRecorder prompts;
    SETHELPFILE("");
    TDialog d;
    pixelDialog(d, "Help");
    Field withTopic, without;
    withTopic.New(&d, 10, 10, 100, 20);
    without.New(&d, 40, 10, 100, 20);
    withTopic.nHelpId = Value("Field topic");
    std::size_t afterOwn = 0;
    Script s({[&] {
                  HELPINFO hi{};
                  hi.cbSize = sizeof hi;
                  hi.iContextType = HELPINFO_WINDOW;
                  hi.hItemHandle = withTopic.hWnd;
                  SendMessageA(d.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
                  afterOwn = prompts.prompts().size();
                  hi.hItemHandle = without.hWnd;
                  SendMessageA(d.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
              },
              [&] { d.End(1); }});
    d.Activate();
    EXPECT_EQ(afterOwn, 1u);                  // the field's own topic
    EXPECT_EQ(prompts.prompts().size(), 2u);  // then the dialog's help
    removeHelpKeyHook();
}

}  // namespace

namespace {

bool hasHelpButton(HWND h) { return (GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0; }

TEST(Dialog, EveryDialogHasTheHelpButtonUnlessItSaysNo) {
    struct Case {
        std::optional<bool> lHelpIcon;
        bool button;
    } const cases[] = {{std::nullopt, true}, {true, true}, {false, false}};
    for (const Case& c : cases) {
        TDialog d;
        pixelDialog(d);
        d.lHelpIcon = c.lHelpIcon;
        bool button = !c.button;
        Script s({[&] {
            button = hasHelpButton(d.hWnd);
            d.End(1);
        }});
        d.Activate();
        EXPECT_EQ(button, c.button);
    }
}

TEST(Dialog, TheHelpButtonThenAClickShowsTheTopicOfTheControlClicked) {
    zrtest::PromptRecorder prompts;
    SETHELPFILE("");
    TDialog d;
    pixelDialog(d, "Context help");
    Field field;
    field.New(&d, 10, 10, 100, 20);
    field.nHelpId = Value("Field topic");
    bool modeOn = false, modeAfter = true;
    Answer printed;
    std::size_t before = 0;
    Script s({[&] {
                  before = prompts.prompts().size();
                  SendMessageA(d.hWnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
                  modeOn = d.lHelpIcon.value_or(false);
                  // A click in the field, as the held mouse reports it to
                  // the dialog.
                  SendMessageA(d.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
                  modeAfter = d.lHelpIcon.value_or(false);
                  // Handled: the dialog manager prints nothing of its own.
                  printed = d.HandleEvent(WM_PRINTCLIENT, 0, PRF_CLIENT);
              },
              [&] { d.End(1); }});
    d.Activate();
    EXPECT_TRUE(modeOn);
    EXPECT_FALSE(modeAfter);
    EXPECT_EQ(prompts.prompts().size(), before + 1);  // the field's topic
    EXPECT_EQ(printed, Answer(1));
    removeHelpKeyHook();
}

TEST(Dialog, AClickOutsideHelpModeIsAnOrdinaryClick) {
    TDialog d;
    pixelDialog(d);
    int clicks = 0;
    d.bLClicked = [&](int, int, WPARAM, TWindow&) { ++clicks; };
    Script s({[&] {
                  SendMessageA(d.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
              },
              [&] { d.End(1); }});
    d.Activate();
    EXPECT_EQ(clicks, 1);
}

}  // namespace

namespace {

const GradientSpec kDialogBlues = {{1.0, NRGB(0, 0, 128), NRGB(128, 192, 255)}};

SayNew dialogLabel(TWindow* parent, const std::string& text) {
    SayNew n;
    n.oWnd = parent;
    n.nRow = 10;
    n.nCol = 10;
    n.lPixel = true;
    n.nWidth = 80;
    n.nHeight = 20;
    n.bText = [text] { return Value(text); };
    return n;
}

// The dialog's client pixel at (x, y) once painted.
COLORREF dialogPixel(HWND h, int x, int y) {
    UpdateWindow(h);
    HDC dc = GetDC(h);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

TEST(Dialog, AGradientPaintsTheBackgroundAndLabelsShowIt) {
    struct Case {
        const char* what;
        GradientSpec own, module;
    } const cases[] = {{"its own", kDialogBlues, {}}, {"the module's", {}, kDialogBlues}};
    for (const Case& c : cases) {
        const GradientSpec before = SETDLGGRADIENT(c.module);
        TDialog d;
        DialogNew n;
        n.nWidth = 300;
        n.nHeight = 200;
        n.aGradColors = c.own;
        d.New(n);
        TSay label;
        label.New(dialogLabel(&d, "&Name:"));
        COLORREF top = 0, bottom = 0;
        Script s({[&] {
            top = dialogPixel(d.hWnd, 150, 60);
            RECT r{};
            GetClientRect(d.hWnd, &r);
            bottom = dialogPixel(d.hWnd, 150, r.bottom - 3);
            d.End(1);
        }});
        d.Activate();
        SETDLGGRADIENT(before);
        EXPECT_TRUE(label.lTransparent) << c.what;
        // Dark blue at the top, light blue at the bottom.
        EXPECT_LT(GetBValue(top), GetBValue(bottom)) << c.what;
        EXPECT_LT(GetRValue(top) + GetGValue(top), GetRValue(bottom) + GetGValue(bottom)) << c.what;
    }
}

TEST(Dialog, WithoutAGradientLabelsKeepTheirBackground) {
    TDialog d;
    pixelDialog(d);
    TSay label;
    label.New(dialogLabel(&d, "Plain"));
    Script s({[&] { d.End(1); }});
    d.Activate();
    EXPECT_FALSE(label.lTransparent);
}

TEST(Dialog, ScrollStylesGetTheirBarObjects) {
    TDialog d;
    DialogNew n;
    n.nWidth = 300;
    n.nHeight = 200;
    n.nStyle |= WS_VSCROLL;
    d.New(n);
    int downs = 0;
    bool made = false;
    Script s({[&] {
        made = d.oVScroll != nullptr && d.oHScroll == nullptr;
        if (d.oVScroll) d.oVScroll->bGoDown = [&] { ++downs; };
        SendMessageA(d.hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
        d.End(1);
    }});
    d.Activate();
    EXPECT_TRUE(made);
    EXPECT_EQ(downs, 1);
}

RECT dialogRectOf(TDialog& d, std::string& caption) {
    RECT r{};
    Script s({[&] {
        caption = textOf(d.hWnd);
        GetWindowRect(d.hWnd, &r);
        d.End(1);
    }});
    d.Activate();
    return r;
}

TEST(Dialog, DefineSetsBoundsAndCaptionBeforeTheWindowExists) {
    TDialog defined;
    defined.New();  // rows 0, 0, 10, 40
    defined.Define(20, 30, 140, 250, std::string(150, 'c'));
    EXPECT_EQ(defined.cCaption.size(), 140u);
    defined.Define(20, 30, 140, 250, "Defined");
    TDialog made;
    DialogNew n;
    n.lPixel = true;
    n.nTop = 20;
    n.nLeft = 30;
    n.nBottom = 140;
    n.nRight = 250;
    made.New(n);
    std::string caption, ignored;
    const RECT r = dialogRectOf(defined, caption);
    const RECT expected = dialogRectOf(made, ignored);
    EXPECT_EQ(caption, "Defined");
    EXPECT_TRUE(EqualRect(&r, &expected));
}

TEST(Dialog, SetControlFillsTheClientArea) {
    TDialog d;
    pixelDialog(d);
    Field field;
    field.New(&d, 10, 10, 50, 20);
    RECT client{}, placed{};
    Script s({[&] {
        d.SetControl(&field);
        GetClientRect(d.hWnd, &client);
        GetWindowRect(field.hWnd, &placed);
        MapWindowPoints(nullptr, d.hWnd, reinterpret_cast<POINT*>(&placed), 2);
        d.End(1);
    }});
    d.Activate();
    EXPECT_EQ(d.oClient, &field);
    // The field (and its border) covers the whole client area.
    EXPECT_LE(placed.left, client.left);
    EXPECT_LE(placed.top, client.top);
    EXPECT_GE(placed.right, client.right);
    EXPECT_GE(placed.bottom, client.bottom);
}

TEST(Dialog, EndOfAModelessDialogHasClosedItWhenItReturns) {
    TDialog d;
    pixelDialog(d, "Modeless");
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    HWND h = d.hWnd;
    ASSERT_TRUE(IsWindow(h));
    EXPECT_TRUE(d.End(4));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(d.nResult.value_or(-1), 4);
}

}  // namespace

namespace {

// Counts the WM_INITDIALOG messages its object is handed.
class DialogInitCounter : public TDialog {
public:
    int inits = 0;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override {
        if (nMsg == WM_INITDIALOG) ++inits;
        return TDialog::HandleEvent(nMsg, w, l);
    }
};

TEST(Dialog, ModalAndModelessDialogsAnswerTheirInitMessageOnce) {
    for (bool modal : {true, false}) {
        SCOPED_TRACE(modal ? "modal" : "modeless");
        DialogInitCounter d;
        pixelDialog(d, "Init");
        int started = 0;
        DialogActivate a;
        a.lModal = modal;
        a.bInit = [&](TWindow&) { ++started; };
        Script script({[&] { d.End(1); }});
        d.Activate(a);
        EXPECT_EQ(d.inits, 1);
        EXPECT_EQ(started, 1);
        if (!modal) d.End(1);
    }
}

TEST(Dialog, AnErrorWhileAModelessDialogStartsIsRaisedAndLeavesNoWindow) {
    TDialog d;
    pixelDialog(d, "Failing start");
    DialogActivate a;
    a.lModal = false;
    a.bInit = [](TWindow&) { throw std::runtime_error("start failed"); };
    EXPECT_THROW(d.Activate(a), std::runtime_error);
    EXPECT_EQ(d.hWnd, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Failing start"), nullptr);
}

}  // namespace

namespace {

// Fails in its own handler when asked by a private message.
class DialogFailingOnAsk : public TDialog {
public:
    static constexpr UINT kAsk = WM_APP + 7;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override {
        if (nMsg == kAsk) throw std::runtime_error("handler failed");
        return TDialog::HandleEvent(nMsg, w, l);
    }
};

TEST(Dialog, AnErrorInAHandlerEndsModalAndModelessDialogsAlike) {
    struct Case {
        bool modal;
        bool raisedByActivate;  // else handed to the error hook
    };
    for (const Case& c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(c.modal ? "modal" : "modeless");
        std::vector<std::string> reported;
        setEventErrorHook([&](const EventError& e) { reported.push_back(e.what); });
        DialogFailingOnAsk d;
        pixelDialog(d, "Failing handler");
        // A refusing validation does not keep a failed dialog open.
        DialogActivate a;
        a.lModal = c.modal;
        a.bValid = [](TWindow&) { return false; };
        Script script({[&] { SendMessageA(d.hWnd, DialogFailingOnAsk::kAsk, 0, 0); }});
        if (c.raisedByActivate) {
            EXPECT_THROW(d.Activate(a), std::runtime_error);
        } else {
            d.Activate(a);
            SendMessageA(d.hWnd, DialogFailingOnAsk::kAsk, 0, 0);
        }
        HWND h = FindWindowA(nullptr, "Failing handler");
        for (int i = 0; i < 20 && h && IsWindow(h); ++i) SYSREFRESH();
        EXPECT_FALSE(h && IsWindow(h));
        EXPECT_EQ(reported, c.raisedByActivate ? std::vector<std::string>{}
                                               : std::vector<std::string>{"handler failed"});
        setEventErrorHook(nullptr);
    }
}

}  // namespace
