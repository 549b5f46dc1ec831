// TControl under Wine: help requests of controls; design mode and drag and
// drop, driven by real mouse and key messages on controls of a visible window.
#include "control.hpp"

#include <gtest/gtest.h>

#include "help_keys.hpp"
#include "meter.hpp"
#include "parent_window.hpp"
#include "test_support.hpp"

namespace {

class HelpParent : public wl::TWindow {
public:
    int asked = 0;
    wl::Answer HelpTopic() override {
        ++asked;
        return 1;
    }
};

// A control bound to a text the caller owns reads it and writes it back;
// a value of another type arrives as its text.
TEST(ControlBinding, ATextVariableTakesWhatTheControlWrites) {
    std::string text = "first";
    const wl::SetGet bound = wl::bindTo(text);
    EXPECT_EQ(bound(std::nullopt).text(), "first");
    struct Case {
        wl::Value written;
        std::string stored;
    };
    const Case cases[] = {{wl::Value("second"), "second"}, {wl::Value(std::int64_t{42}), "42"}, {wl::Value(true), ".T."}};
    for (const Case& c : cases) {
        EXPECT_EQ(bound(c.written).text(), c.stored);
        EXPECT_EQ(text, c.stored);
    }
}

TEST(ControlHelp, TopicOfTheControlOrTheParentsHelp) {
    zrtest::PromptRecorder prompts;
    wl::SETHELPFILE("");
    HelpParent parent;
    wl::WindowNew n;
    n.lPixel = true;
    n.nBottom = 99;
    n.nRight = 99;
    parent.New(n);
    wl::TScrollBar bar;
    bar.New(0, 0, 0, 10, 1, true, &parent, 16, 40, true);
    HELPINFO hi{};
    hi.cbSize = sizeof hi;
    hi.iContextType = HELPINFO_WINDOW;
    hi.hItemHandle = bar.hWnd;

    // Without a topic the request goes on to the parent window.
    SendMessageA(bar.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(parent.asked, 1);
    EXPECT_TRUE(prompts.prompts().empty());

    // A text topic is the control's own: the parent is not asked.
    bar.nHelpId = wl::Value("Scrolling");
    EXPECT_EQ(SendMessageA(bar.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi)), 0);
    EXPECT_EQ(parent.asked, 1);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "No Help file defined with SetHelpFile()");
    wl::removeHelpKeyHook();
    DestroyWindow(parent.hWnd);
}

}  // namespace



#include <string>
#include <vector>

#include "design_grid.hpp"
#include "parent_window.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

// A plain control of the library's own window class.
class Box : public TControl {
public:
    std::string ClassName() const override { return "TDESIGNBOX"; }
    Box& New(TWindow* parent, int top, int left, int width, int height) {
        oWnd = parent;
        nTop = top;
        nLeft = left;
        nBottom = top + height - 1;
        nRight = left + width - 1;
        nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        Register();
        createOrDefer();
        return *this;
    }
};

struct Shown : wltest::Parent {
    Shown() : wltest::Parent(240, 320) {
        SetWindowPos(w.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(w.hWnd);
    }
};

LPARAM at(int row, int col) { return MAKELPARAM(static_cast<WORD>(col), static_cast<WORD>(row)); }

RECT placeOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

TEST(DesignMode, DraggingMovesTheControlInWholeGridSteps) {
    Shown p;
    Box b;
    b.New(&p.w, 16, 24, 80, 24);
    b.lDrag = true;
    std::vector<std::pair<int, int>> moves;
    int posted = 0;
    b.bDrag = [&](int top, int left) { moves.push_back({top, left}); };
    b.bPostDrag = [&](TControl&) { ++posted; };
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(GetCapture(), b.hWnd);
    EXPECT_EQ(p.w.nLastKey, kLastKeyMouse);
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(5 + 3, 5 + 4));  // less than a step: no move
    EXPECT_TRUE(moves.empty());
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(5 + 19, 5 - 9));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], (std::pair<int, int>{32, 16}));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(5 + 19, 5 - 9));
    const RECT r = placeOf(b.hWnd);
    EXPECT_EQ(r.top, 32);
    EXPECT_EQ(r.left, 16);
    EXPECT_EQ(r.right - r.left, 80);
    EXPECT_EQ(b.nTop, 32);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), b.hWnd);
}

TEST(DesignMode, HandlesStandAroundTheFocusedControlAndResizeIt) {
    Shown p;
    Box b;
    b.New(&p.w, 19, 21, 83, 29);
    b.lDrag = true;
    b.CheckDots();  // snapped: (16, 16), 80 x 24
    RECT r = placeOf(b.hWnd);
    EXPECT_EQ(r.top, 16);
    EXPECT_EQ(r.left, 16);
    EXPECT_EQ(r.right - r.left, 80);
    EXPECT_EQ(r.bottom - r.top, 24);
    b.ShowDots();
    const auto dots = TControl::aDots();
    EXPECT_TRUE(IsWindowVisible(dots[0]));
    EXPECT_EQ(placeOf(dots[0]).left, 16 - 3);
    EXPECT_EQ(placeOf(dots[4]).top, 16 + 24 - 3);
    // Handle 5 (bottom right) pulled 17 down and 9 right: one step each way.
    SendMessageA(dots[4], WM_LBUTTONDOWN, MK_LBUTTON, at(1, 1));
    EXPECT_EQ(b.nMResize, 5);
    EXPECT_FALSE(IsWindowVisible(dots[0]));
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(b.nLastRow + 17, b.nLastCol + 9));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(b.nLastRow + 17, b.nLastCol + 9));
    r = placeOf(b.hWnd);
    EXPECT_EQ(r.top, 16);
    EXPECT_EQ(r.left, 16);
    EXPECT_EQ(r.right - r.left, 88);
    EXPECT_EQ(r.bottom - r.top, 40);
    // Handle 7 (bottom left) pulled left widens the control to the left.
    b.ShowDots();
    SendMessageA(dots[6], WM_LBUTTONDOWN, MK_LBUTTON, at(1, 1));
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(b.nLastRow, b.nLastCol - 8));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(b.nLastRow, b.nLastCol - 8));
    r = placeOf(b.hWnd);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.right, 16 + 88);
    EXPECT_EQ(b.nMResize, 0);
    EXPECT_TRUE(IsWindowVisible(dots[0]));  // the focus shows them again
    TControl::HideDots();
    EXPECT_FALSE(IsWindowVisible(dots[0]));
}

TEST(DesignMode, HandlesFollowADockedControl) {
    Shown p;
    Box b;
    b.New(&p.w, 40, 48, 80, 24);
    b.lDrag = true;
    b.ShowDots();
    b.nAlign(2);  // docked at the top: moved to the parent's top-left
    const RECT r = placeOf(b.hWnd);
    EXPECT_NE(r.top, 40);
    const auto dots = TControl::aDots();
    EXPECT_EQ(placeOf(dots[0]).left, r.left - 3);
    EXPECT_EQ(placeOf(dots[0]).top, r.top - 2);
    EXPECT_EQ(placeOf(dots[4]).left, r.right - 3);
    TControl::HideDots();
}

TEST(DesignMode, ArrowKeysMoveByOneGridStep) {
    Shown p;
    Box b;
    b.New(&p.w, 16, 16, 40, 16);
    b.lDrag = true;
    SendMessageA(b.hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(b.hWnd, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(b.hWnd, WM_KEYDOWN, VK_DOWN, 0);
    SETGRIDSIZE(4, 4);
    SendMessageA(b.hWnd, WM_KEYDOWN, VK_LEFT, 0);
    SETGRIDSIZE(8, 8);
    const RECT r = placeOf(b.hWnd);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 32);
    // Outside design mode the keys do not move it.
    b.lDrag = false;
    SendMessageA(b.hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(placeOf(b.hWnd).left, 20);
}

TEST(DesignMode, DeleteAsksAndRunsTheActionsAroundTheDeletion) {
    Shown p;
    Box b;
    b.New(&p.w, 16, 16, 40, 16);
    b.lDrag = true;
    std::vector<std::string> log;
    b.bPreDelControl = [&](TControl&) { log.push_back("pre"); };
    b.bPostDelControl = [&](TControl&) { log.push_back("post"); };
    {
        zrtest::PromptRecorder no(false);
        SendMessageA(b.hWnd, WM_KEYDOWN, VK_DELETE, 0);
        pump();
        ASSERT_EQ(no.texts().size(), 1u);
        EXPECT_EQ(no.texts()[0], "Delete this control ?");
    }
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(IsWindow(b.hWnd));
    HWND h = b.hWnd;
    {
        zrtest::PromptRecorder yes(true);
        SendMessageA(b.hWnd, WM_KEYDOWN, VK_DELETE, 0);
        pump();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"pre", "post"}));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(p.w.aControls.empty());
}

TEST(DesignMode, AControlWhoseValidationRefusesIsNotDeleted) {
    Shown p;
    Box b;
    b.New(&p.w, 16, 16, 40, 16);
    b.lDrag = true;
    b.bValid = [](TWindow&) { return false; };
    int posted = 0;
    b.bPostDelControl = [&](TControl&) { ++posted; };
    zrtest::PromptRecorder yes(true);
    SendMessageA(b.hWnd, WM_KEYDOWN, VK_DELETE, 0);
    pump();
    EXPECT_TRUE(IsWindow(b.hWnd));
    EXPECT_EQ(p.w.aControls.size(), 1u);
    EXPECT_EQ(posted, 0);
}

TEST(DesignMode, OffAClickNeitherCapturesNorMoves) {
    Shown p;
    Box b;
    b.New(&p.w, 16, 16, 40, 16);
    int clicks = 0;
    b.bLClicked = [&](int, int, WPARAM, TWindow&) { ++clicks; };
    SendMessageA(b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(30, 30));
    SendMessageA(b.hWnd, WM_LBUTTONUP, 0, at(30, 30));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(placeOf(b.hWnd).left, 16);
    EXPECT_EQ(p.w.nLastKey, kLastKeyMouse);
}

TEST(DragAndDrop, ADragFromOneControlDropsOverAnother) {
    Shown p;
    Box source, target, plain;
    source.New(&p.w, 10, 10, 60, 20);
    target.New(&p.w, 100, 150, 80, 40);
    plain.New(&p.w, 10, 200, 60, 20);
    source.oDragCursor = TCursor::New("", "HAND");
    std::vector<std::string> log;
    source.bDragBegin = [&](int row, int col, WPARAM, TControl& c) {
        log.push_back("begin " + std::to_string(row) + "," + std::to_string(col));
        EXPECT_EQ(&c, &source);
        SETDROPINFO(Value("claim 7"));
    };
    target.bDropOver = [&](Value info, int row, int col, WPARAM) {
        log.push_back("drop " + info.text() + " at " + std::to_string(row) + "," + std::to_string(col));
    };
    SendMessageA(source.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageA(source.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(5, 10));  // 5 pixels: not yet
    EXPECT_EQ(TControl::dragging(), nullptr);
    SendMessageA(source.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(5, 11));
    EXPECT_EQ(TControl::dragging(), &source);
    EXPECT_EQ(GetCapture(), source.hWnd);
    // The "no" cursor over a window that takes no drop, the drag cursor
    // over one that does.
    SendMessageA(source.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(5, 195));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_NO));
    // Over the target, 100 - 10 + 7 rows and 150 - 10 + 9 columns away.
    SendMessageA(source.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(97, 149));
    EXPECT_EQ(GetCursor(), source.oDragCursor->hCursor);
    SendMessageA(source.hWnd, WM_LBUTTONUP, 0, at(97, 149));
    EXPECT_EQ(TControl::dragging(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"begin 5,11", "drop claim 7 at 7,9"}));
    // Without a drag cursor a control never starts a drag.
    SendMessageA(plain.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageA(plain.hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(40, 40));
    EXPECT_EQ(TControl::dragging(), nullptr);
    SendMessageA(plain.hWnd, WM_LBUTTONUP, 0, at(40, 40));
}

}  // namespace

#include "button.hpp"
#include "dialog.hpp"

namespace {

using namespace wl;

// An edit field as a plain control, for the key tests.
class KeysField : public TControl {
public:
    std::string ClassName() const override { return "TKEYSFIELD"; }
    std::string WindowClass() const override { return "EDIT"; }
    int keyUps = 0;
    Answer KeyUp(WPARAM, LPARAM) override {
        ++keyUps;
        return 0;
    }
    KeysField& New(TWindow* parent, int top, int left) {
        oWnd = parent;
        nTop = top;
        nLeft = left;
        nBottom = top + 21;
        nRight = left + 99;
        nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER;
        createOrDefer();
        return *this;
    }
};

ButtonNew keysButton(TWindow* parent, int top, const std::string& caption, int& presses) {
    ButtonNew b;
    b.oWnd = parent;
    b.nRow = top;
    b.nCol = 150;
    b.lPixel = true;
    b.nWidth = 80;
    b.nHeight = 24;
    b.cCaption = caption;
    b.bAction = [&presses](TWindow&) { ++presses; };
    return b;
}

// Alt with a letter, as the keyboard sends it to the control with the focus.
LRESULT keysAlt(HWND focused, char letter) {
    return SendMessageA(focused, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
}

TEST(ControlKeys, AltWithALetterPressesTheControlWithThatHotKey) {
    Shown parent;
    int alpha = 0, beta = 0, gamma = 0;
    TButton a, b, g;
    a.New(keysButton(&parent.w, 10, "&Alpha", alpha));
    b.New(keysButton(&parent.w, 40, "&Beta", beta));
    g.New(keysButton(&parent.w, 70, "&Gamma", gamma));
    g.Disable();
    SayNew label;
    label.oWnd = &parent.w;
    label.nRow = 100;
    label.nCol = 10;
    label.lPixel = true;
    label.nWidth = 60;
    label.nHeight = 20;
    label.bText = [] { return Value("&Name:"); };
    TSay name;
    name.New(label);
    KeysField field;
    field.New(&parent.w, 100, 80);
    SetFocus(a.hWnd);

    keysAlt(a.hWnd, 'b');
    pump();
    EXPECT_EQ(beta, 1);
    EXPECT_EQ(GetFocus(), b.hWnd);

    keysAlt(b.hWnd, 'g');  // disabled: nothing
    keysAlt(b.hWnd, 'z');  // nobody's
    pump();
    EXPECT_EQ(gamma, 0);
    EXPECT_EQ(alpha, 0);
    EXPECT_EQ(GetFocus(), b.hWnd);

    keysAlt(b.hWnd, 'N');  // the label's hot key reaches the field after it
    pump();
    EXPECT_EQ(GetFocus(), field.hWnd);
    EXPECT_EQ(beta, 1);
}

TEST(ControlKeys, AltKeysReachTheSysKeyActionFirst) {
    Shown parent;
    KeysField field;
    field.New(&parent.w, 10, 10);
    std::vector<WPARAM> seen;
    field.bSysKeyDown = [&](WPARAM key, LPARAM, TControl& c) {
        EXPECT_EQ(&c, &field);
        seen.push_back(key);
        return key == 'Q';  // taken: answered
    };
    EXPECT_EQ(SendMessageA(field.hWnd, WM_SYSKEYDOWN, 'Q', 1 << 29), 0);
    SendMessageA(field.hWnd, WM_SYSKEYDOWN, 'W', 1 << 29);
    EXPECT_EQ(seen, (std::vector<WPARAM>{'Q', 'W'}));
}

TEST(ControlKeys, EscapeGoesToTheParentAndTabMovesOn) {
    Shown parent;
    KeysField first, second;
    first.New(&parent.w, 10, 10);
    second.New(&parent.w, 40, 10);
    std::vector<WPARAM> parentChars;
    parent.w.bKeyChar = [&](WPARAM key, LPARAM) {
        parentChars.push_back(key);
        return 0;
    };
    SetFocus(first.hWnd);
    SendMessageA(first.hWnd, WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), second.hWnd);
    EXPECT_EQ(SendMessageA(second.hWnd, WM_CHAR, VK_ESCAPE, 0), 0);
    EXPECT_EQ(parentChars, (std::vector<WPARAM>{VK_ESCAPE}));
    // Neither key reached the edit field as text.
    char text[8] = {};
    GetWindowTextA(first.hWnd, text, sizeof text);
    EXPECT_STREQ(text, "");
}

TEST(ControlKeys, EnterInAFieldPressesTheDialogsDefaultButton) {
    TDialog d;
    DialogNew n;
    n.nWidth = 300;
    n.nHeight = 200;
    d.New(n);
    KeysField field;
    field.New(&d, 10, 10);
    int presses = 0;
    TButton ok;
    auto b = keysButton(&d, 60, "OK", presses);
    b.lDefault = true;
    ok.New(b);
    DialogActivate a;
    a.lModal = false;
    d.Activate(a);
    ASSERT_TRUE(d.hWnd);
    SetFocus(field.hWnd);
    SendMessageA(field.hWnd, WM_CHAR, VK_RETURN, 0);
    pump();
    EXPECT_EQ(presses, 1);
    d.End(1);
    pump();
}

TEST(ControlKeys, KeyUpReachesTheControl) {
    Shown parent;
    KeysField field;
    field.New(&parent.w, 10, 10);
    SendMessageA(field.hWnd, WM_KEYUP, 'A', 0);
    EXPECT_EQ(field.keyUps, 1);
}

// An owner-drawn list that gives its rows a height of its own.
class KeysTallRows : public KeysField {
public:
    Answer FillMeasure(LPARAM item) override {
        reinterpret_cast<MEASUREITEMSTRUCT*>(item)->itemHeight = 33;
        return 1;
    }
};

TEST(ControlKeys, TheParentAsksAnOwnerDrawnControlToMeasure) {
    Shown parent;
    KeysTallRows rows;
    rows.New(&parent.w, 10, 10);
    KeysField plain;
    plain.New(&parent.w, 40, 10);
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_LISTBOX;
    mi.CtlID = static_cast<UINT>(rows.nId);
    mi.itemHeight = 5;
    EXPECT_EQ(SendMessageA(parent.w.hWnd, WM_MEASUREITEM, static_cast<WPARAM>(rows.nId), reinterpret_cast<LPARAM>(&mi)), 1);
    EXPECT_EQ(mi.itemHeight, 33u);
    mi.itemHeight = 5;
    mi.CtlID = static_cast<UINT>(plain.nId);
    EXPECT_EQ(SendMessageA(parent.w.hWnd, WM_MEASUREITEM, static_cast<WPARAM>(plain.nId), reinterpret_cast<LPARAM>(&mi)), 0);
    EXPECT_EQ(mi.itemHeight, 5u);
}

TEST(ControlKeys, CtrlIndexCountsTheParentsControlsOfTheSameClass) {
    Shown parent;
    KeysField a, b;
    a.New(&parent.w, 10, 10);
    b.New(&parent.w, 40, 10);
    Box other;
    other.New(&parent.w, 70, 10, 20, 20);
    EXPECT_EQ(a.GetCtrlIndex(), "2");
    EXPECT_EQ(other.GetCtrlIndex(), "1");
    KeysField unplaced;  // not on the parent yet: the next of its class
    unplaced.oWnd = &parent.w;
    EXPECT_EQ(unplaced.GetCtrlIndex(), "3");
}

}  // namespace
