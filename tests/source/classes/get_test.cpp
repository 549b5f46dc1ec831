// Single-line fields on a live window: typing through the picture, the
// clipboard limits, read-only refusals, password and cue texts, the spinner,
// focus movement and colours, the file choice and the action button.
#include "get.hpp"

#include <gtest/gtest.h>

#include <cstdio>

#include <cstring>
#include <vector>

#include "button.hpp"
#include "messages.hpp"
#include "parent_window.hpp"
#include "window_picture.hpp"

namespace {

using namespace wl;

struct Shown : wltest::Parent {
    Shown() : wltest::Parent(240, 320) {
        SetWindowPos(w.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(w.hWnd);
    }
};

// The editing switches and the beep, restored after each test.
struct Switches {
    int beeps = 0;
    Switches(bool insert, bool bell, bool confirm) {
        TGet::oSwitches = {insert, bell, confirm};
        TGet::bBeep = [this] { ++beeps; };
    }
    ~Switches() {
        TGet::oSwitches = {};
        TGet::bBeep = nullptr;
    }
};

GetNew field(TWindow* parent, Value& v, const std::string& picture = {}, int row = 10) {
    GetNew n;
    n.oWnd = parent;
    n.bSetGet = bindTo(v);
    n.cPicture = picture;
    n.lPixel = true;
    n.nRow = row;
    n.nCol = 10;
    n.nWidth = 120;
    n.nHeight = 22;
    return n;
}

std::string shown(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

void type(HWND h, const std::string& keys) {
    for (char c : keys) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

void putOnClipboard(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

std::string clipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return "<closed>";
    std::string text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

// The parent's Update re-reads the bound value into fields marked to follow
// it, and leaves the others as they were.
TEST(Get, UpdateReReadsOnlyTheFieldsThatFollowTheirValue) {
    Shown p;
    Value followed("before"), kept("before");
    TGet follows, stays;
    GetNew a = field(&p.w, followed, "@! XXXXXX");
    a.lUpdate = true;
    follows.New(a);
    stays.New(field(&p.w, kept, "@! XXXXXX", 50));
    followed = Value("after");
    kept = Value("after");
    p.w.Update();
    EXPECT_EQ(shown(follows.hWnd), "AFTER ");
    EXPECT_EQ(shown(stays.hWnd), "BEFORE");
}

TEST(Get, TypingFollowsThePictureAndAFullFieldMovesOn) {
    struct Case {
        std::string picture;
        Value start;
        std::string keys;
        bool confirm;
        std::string shownAfter;
        Value valueAfter;
        bool movedOn;
    };
    const std::vector<Case> cases = {
        {"999", Value(0), "12", true, "12 ", Value(12), false},  // typed from the left
        {"999", Value(0), "1x23", true, "123", Value(123), false},
        {"999", Value(0), "123", false, "123", Value(123), true},
        {"@! XXXX", Value("abcd"), "zy", true, "ZYCD", Value("ZYCD"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture + " typing " + c.keys);
        Shown p;
        Switches s(false, true, c.confirm);
        Value v = c.start, other("next");
        TGet g, next;
        g.New(field(&p.w, v, c.picture));
        next.New(field(&p.w, other, {}, 50));
        SetFocus(g.hWnd);
        ASSERT_EQ(GetFocus(), g.hWnd);
        type(g.hWnd, c.keys);
        EXPECT_EQ(shown(g.hWnd), c.shownAfter);
        EXPECT_EQ(CVALTOCHAR(v), CVALTOCHAR(c.valueAfter));
        EXPECT_EQ(GetFocus() == next.hWnd, c.movedOn);
    }
}

TEST(Get, AFullNumberRefusesTheFourthDigitWithTheBell) {
    Shown p;
    Switches s(false, true, true);
    Value v(0);
    TGet g;
    g.New(field(&p.w, v, "999"));
    SetFocus(g.hWnd);
    type(g.hWnd, "123");
    const int before = s.beeps;
    type(g.hWnd, "4");
    EXPECT_EQ(v.number(), 123);
    EXPECT_GT(s.beeps, before);
}

// A paste keeps the field's length: digits that no longer fit leave the
// number as it was, text is cut at the end; both beep.
TEST(Get, PasteIsCutToTheFieldAndBeeps) {
    struct Case {
        std::string picture;
        Value start;
        std::string pasted;
        std::string shownAfter;
        int beeps;
    };
    const std::vector<Case> cases = {
        {"999", Value(0), "12345", "  0", 1},
        {"999", Value(0), "42", " 42", 0},
        {"999", Value(7), "1234", "  7", 1},
        {"XXXXX", Value("     "), "abcdefgh", "abcde", 1},
        {"XXXXX", Value("     "), "ab", "ab   ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture + " pasting " + c.pasted);
        Shown p;
        Switches s(false, false, true);
        Value v = c.start;
        TGet g;
        g.New(field(&p.w, v, c.picture));
        SetFocus(g.hWnd);
        putOnClipboard(g.hWnd, c.pasted);
        SendMessageA(g.hWnd, EM_SETSEL, 0, -1);  // the paste replaces the whole field
        SendMessageA(g.hWnd, WM_PASTE, 0, 0);
        EXPECT_EQ(shown(g.hWnd), c.shownAfter);
        EXPECT_EQ(s.beeps, c.beeps);
        EXPECT_LE(g.oGet.buffer.size(), c.picture.size());
    }
}

TEST(Get, CutOfALeftwardSelectionPutsTheCaretOnItsStart) {
    Shown p;
    Value v("hello world");
    TGet g;
    g.New(field(&p.w, v));
    SetFocus(g.hWnd);
    int changes = 0;
    g.bChange = [&](int, LPARAM, TGet&) {
        ++changes;
        return Value();
    };
    SendMessageA(g.hWnd, EM_SETSEL, 5, 0);  // made from right to left
    SendMessageA(g.hWnd, WM_CUT, 0, 0);
    EXPECT_EQ(clipboardText(g.hWnd), "hello");
    EXPECT_EQ(v.text(), " world     ");
    EXPECT_EQ(g.nPos, 1);
    EXPECT_EQ(g.oGet.pos, 1);
    EXPECT_EQ(changes, 1);
}

TEST(Get, ReadOnlyRefusesTypingCutAndPaste) {
    Shown p;
    std::vector<Prompt> prompts;
    ScopedPromptHook hook([&](const Prompt& pr) {
        prompts.push_back(pr);
        return PromptAnswer{};
    });
    Value v("fixed");
    TGet g;
    GetNew n = field(&p.w, v);
    n.lReadOnly = true;
    g.New(n);
    SetFocus(g.hWnd);
    type(g.hWnd, "xy");
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_DELETE, 0);
    putOnClipboard(g.hWnd, "pasted");
    SendMessageA(g.hWnd, WM_PASTE, 0, 0);
    SendMessageA(g.hWnd, EM_SETSEL, 0, 2);
    SendMessageA(g.hWnd, WM_CUT, 0, 0);
    EXPECT_EQ(v.text(), "fixed");
    EXPECT_EQ(shown(g.hWnd), "fixed");
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "The get is read only!");
    EXPECT_EQ(prompts[0].caption, "Can't cut");
}

TEST(Get, PasswordShowsOneMaskPerCharacterAndKeepsItsBuffer) {
    Shown p;
    Value v("abc   ");
    TGet g;
    GetNew n = field(&p.w, v);
    n.lPassword = true;
    g.New(n);
    const std::string mask = shown(g.hWnd);
    ASSERT_EQ(mask.size(), 3u);
    EXPECT_TRUE(mask == "***" || mask == std::string(3, static_cast<char>(149))) << mask;
    SetFocus(g.hWnd);
    SetFocus(p.w.hWnd);
    EXPECT_EQ(v.text(), "abc   ");
    EXPECT_EQ(g.oGet.buffer, "abc   ");
}

TEST(Get, AnEmptyFieldWithACueTextAnswersItsBlanks) {
    Shown p;
    Value v("     ");
    TGet g;
    GetNew n = field(&p.w, v);
    n.cCueText = "Search for";
    g.New(n);
    EXPECT_EQ(shown(g.hWnd), "");
    EXPECT_EQ(g.cText(), "     ");
    g.cText(std::string("found"));
    EXPECT_EQ(g.cText(), "found");
    EXPECT_EQ(v.text(), "found");
}

TEST(Get, SpinnerStepsWithinItsBoundsAndPageKeysStepToo) {
    Shown p;
    Switches s(false, false, true);
    Value v(8);
    TGet g;
    GetNew n = field(&p.w, v, "999");
    n.lSpinner = true;
    n.bMin = [] { return Value(7); };
    n.bMax = [] { return Value(9); };
    g.New(n);
    EXPECT_TRUE(GetWindowLongPtrA(g.hWnd, GWL_STYLE) & WS_VSCROLL);
    SetFocus(g.hWnd);
    SendMessageA(g.hWnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(v.number(), 9);
    SendMessageA(g.hWnd, WM_VSCROLL, SB_LINEUP, 0);  // beyond the top
    EXPECT_EQ(v.number(), 9);
    EXPECT_EQ(s.beeps, 1);
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_PRIOR, 0);  // Page Up decrements
    EXPECT_EQ(v.number(), 8);
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_NEXT, 0);  // Page Down increments
    EXPECT_EQ(v.number(), 9);
    EXPECT_EQ(shown(g.hWnd), "  9");
}

TEST(Get, SpinnerStepsTheMonthOfADateToTheMonthsLastDay) {
    Shown p;
    Value v(Date{2024, 1, 31});
    TGet g;
    GetNew n = field(&p.w, v);
    n.lSpinner = true;
    g.New(n);
    SetFocus(g.hWnd);
    g.SetPos(1);  // on the month of MM/DD/YY
    g.ScrollDate(1);
    EXPECT_EQ(dateText(std::get<Date>(v.storage())), dateText(Date{2024, 2, 29}));
    int s = 0, e = 0;
    g.GetSelPos(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 2);
}

TEST(Get, TabAfterAChangeMovesOnUnlessTheChangeSaysNo) {
    struct Case {
        Value answer;
        bool movedOn;
    };
    const Case cases[] = {{Value(false), false}, {Value(), true}, {Value(true), true}};
    for (const Case& c : cases) {
        Shown p;
        Value a("one  "), b("two  ");
        TGet first, second;
        first.New(field(&p.w, a));
        second.New(field(&p.w, b, {}, 50));
        first.bChange = [&](int, LPARAM, TGet&) { return c.answer; };
        SetFocus(first.hWnd);
        type(first.hWnd, "x");
        SendMessageA(first.hWnd, WM_CHAR, VK_TAB, 0);
        EXPECT_EQ(GetFocus() == second.hWnd, c.movedOn) << CVALTOCHAR(c.answer);
        EXPECT_EQ(a.text(), "xne  ");
    }
}

TEST(Get, FocusColourShowsWhileFocusedAndGoesBack) {
    Shown p;
    Value a("a"), b("b");
    TGet first, second;
    first.New(field(&p.w, a));
    second.New(field(&p.w, b, {}, 50));
    const Color pane = first.nClrPane;
    const Color previous = SetGetColorFocus(RGB(1, 2, 3));
    SetFocus(first.hWnd);
    EXPECT_EQ(first.nClrPane, RGB(1, 2, 3));
    SetFocus(second.hWnd);
    EXPECT_EQ(first.nClrPane, pane);
    TGet::SetColorFocus(previous);
    TGet::lClrFocus = false;
}

TEST(Get, SelFileStoresTheChoiceAndCancelKeepsTheValue) {
    Shown p;
    std::string answer = "C:\\claims\\in.x12";
    std::vector<Prompt> asked;
    ScopedPromptHook hook([&](const Prompt& pr) {
        asked.push_back(pr);
        PromptAnswer r;
        r.file = answer;
        return r;
    });
    Value v("");
    TGet g;
    g.New(field(&p.w, v));
    EXPECT_EQ(g.SelFile(), answer);
    EXPECT_EQ(v.text(), answer);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Please select a file");
    answer.clear();
    EXPECT_EQ(g.SelFile(), "");
    EXPECT_EQ(v.text(), "C:\\claims\\in.x12");
}

TEST(Get, ActionButtonRunsTheActionForTGetOnly) {
    Shown p;
    Value v("x");
    int runs = 0;
    GetNew n = field(&p.w, v);
    n.bAction = [&](TGet&) { ++runs; };
    TGet g;
    g.New(n);
    ASSERT_NE(g.oBtn, nullptr);
    EXPECT_EQ(shown(g.oBtn->hWnd), "...");
    EXPECT_EQ(g.GetMargins().second, 22);
    SendMessageA(g.oBtn->hWnd, LM_CLICK, 0, 0);
    EXPECT_EQ(runs, 1);

    struct Sub : TGet {
        std::string ClassName() const override { return "TSUBGET"; }
    } sub;
    sub.New(n);
    EXPECT_EQ(sub.oBtn, nullptr);
}

TEST(Get, DeleteAndBackspaceGoThroughTheBuffer) {
    Shown p;
    Value v("abcde");
    TGet g;
    g.New(field(&p.w, v));
    SetFocus(g.hWnd);
    g.SetPos(2);
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(v.text(), "acde ");
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(v.text(), "cde  ");
    EXPECT_EQ(shown(g.hWnd), "cde  ");
}


// A 24-bit bitmap file of the size, for the action button.
std::string getBitmapFile(int width, int height) {
    const std::string file = std::string(ZR_FIXTURES) + "/../get_button_" + std::to_string(width) + ".bmp";
    const int row = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(row * height);
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    bytes.append(static_cast<size_t>(row * height), '\x7f');
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    return file;
}

TEST(Get, ActionButtonFromABitmapFileAdjustsOrStaysSquare) {
    const std::string file = getBitmapFile(30, 10);
    struct Case {
        bool adjust, transparent;
        int width;
        const char* cls;
    };
    const Case cases[] = {{false, false, 18, "TBUTTONBMP"}, {true, false, 35, "TBUTTONBMP"}, {true, true, 35, "TBTNBMP"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cls) + (c.adjust ? " adjusted" : ""));
        Shown p;
        Value v("x");
        GetNew n = field(&p.w, v);
        n.bAction = [](TGet&) {};
        n.cBmpName = file;
        TGet g;
        g.lAdjustBtn = c.adjust;
        g.lBtnTransparent = c.transparent;
        g.New(n);
        ASSERT_NE(g.oBtn, nullptr);
        EXPECT_EQ(g.oBtn->ClassName(), c.cls);
        EXPECT_EQ(g.nBmpWidth, 30);
        RECT r{};
        GetWindowRect(g.oBtn->hWnd, &r);
        EXPECT_EQ(r.right - r.left, c.width);
        if (c.adjust) EXPECT_EQ(g.GetMargins().second, 35);
    }
    std::remove(file.c_str());
}

TEST(Get, KeyUpAfterAPasteKeyTakesTheBufferBackFromTheWindow) {
    Shown p;
    Value v("abcde");
    TGet g;
    g.New(field(&p.w, v));
    SetFocus(g.hWnd);
    SetWindowTextA(g.hWnd, "vwxyz12345");  // what a native paste left
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(g.hWnd, WM_KEYUP, 'V', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(g.oGet.buffer, "vwxyz");
    EXPECT_EQ(shown(g.hWnd), "vwxyz");
    EXPECT_LE(g.oGet.pos, 5);
}

TEST(Get, AnExtendedKeyWithAHotKeyActionRunsItInsteadOfTyping) {
    Switches sw(true, false, false);
    Shown p;
    Value v("     ");
    TGet g;
    g.New(field(&p.w, v));
    SetFocus(g.hWnd);
    int runs = 0;
    TGet::aHotKeys['q'] = [&](TControl& c) {
        ++runs;
        EXPECT_EQ(&c, &g);
    };
    SendMessageA(g.hWnd, WM_CHAR, 'q', 1 << 24);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(g.oGet.buffer, "     ");
    SendMessageA(g.hWnd, WM_CHAR, 'q', 0);  // the plain key types
    TGet::aHotKeys.clear();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(g.oGet.buffer.substr(0, 1), "q");
}

TEST(Get, MouseMoveShowsTheIBeamAndRunsTheMoveAction) {
    Shown p;
    Value v("x");
    TGet g;
    g.New(field(&p.w, v));
    int moves = 0;
    g.bMMoved = [&](int, int, WPARAM) -> Answer {
        ++moves;
        return 0;
    };
    SendMessageA(g.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
}

// The class-wide grey of disabled fields, restored after each test.
struct DisColors {
    bool saved = TGet::lDisColors;
    explicit DisColors(bool on) { TGet::lDisColors = on; }
    ~DisColors() { TGet::lDisColors = saved; }
};

RECT leftPart(HWND h, int parts, int index) {
    RECT r{};
    GetClientRect(h, &r);
    const int w = r.right / parts;
    return {w * index, 0, w * (index + 1), r.bottom};
}

TEST(Get, DisabledAndReadOnlyFieldsPaintThemselves) {
    Shown s;
    Value v(std::string("WWW   "));
    GetNew n = field(&s.w, v);
    n.lRight = true;
    TGet g;
    g.New(n);
    ASSERT_NE(g.hWnd, nullptr);
    int painted = 0;
    g.bPainted = [&](HDC dc, const PAINTSTRUCT*, TWindow& self) {
        EXPECT_NE(dc, nullptr);
        EXPECT_EQ(&self, &g);
        ++painted;
    };
    const COLORREF red = RGB(200, 0, 0), navy = RGB(0, 0, 160);
    g.nClrTextDis = static_cast<long long>(red);
    g.nClrPaneDis = std::function<long long()>([navy] { return static_cast<long long>(navy); });
    RECT client{};
    GetClientRect(g.hWnd, &client);
    {
        DisColors own(false);
        EnableWindow(g.hWnd, FALSE);
        zrtest::WindowPicture pic(g.hWnd);
        EXPECT_EQ(pic.at(1, client.bottom - 1), navy);
        EXPECT_EQ(pic.at(client.right - 1, client.bottom - 1), navy);
        // Right-aligned: the text stands in the right part only.
        EXPECT_TRUE(pic.has(leftPart(g.hWnd, 3, 2), red));
        EXPECT_FALSE(pic.has(leftPart(g.hWnd, 3, 0), red));
        EXPECT_EQ(painted, 1);
        // A negative colour is the field's normal one.
        g.nClrPaneDis = -1LL;
        zrtest::WindowPicture normal(g.hWnd);
        EXPECT_EQ(normal.at(1, client.bottom - 1), g.nClrPane);
        EXPECT_TRUE(normal.has(leftPart(g.hWnd, 3, 2), red));
    }
    {
        DisColors grey(true);
        zrtest::WindowPicture pic(g.hWnd);
        EXPECT_EQ(pic.at(1, client.bottom - 1), GetSysColor(COLOR_WINDOW));
        EXPECT_TRUE(pic.has(leftPart(g.hWnd, 3, 2), GetSysColor(COLOR_GRAYTEXT)));
        EXPECT_FALSE(pic.has(client, red));
    }
    // Enabled and writable: the native control paints, bPainted still runs.
    {
        DisColors own(false);
        EnableWindow(g.hWnd, TRUE);
        const int before = painted;
        zrtest::WindowPicture pic(g.hWnd);
        EXPECT_FALSE(pic.has(client, red));
        EXPECT_EQ(painted, before + 1);
        // A real paint message takes the same road.
        EnableWindow(g.hWnd, FALSE);
        InvalidateRect(g.hWnd, nullptr, TRUE);
        UpdateWindow(g.hWnd);
        EXPECT_EQ(painted, before + 2);
    }

    Value r(std::string("READ  "));
    GetNew rn = field(&s.w, r, {}, 50);
    rn.lReadOnly = true;
    TGet ro;
    ro.New(rn);
    ro.nClrTextDis = static_cast<long long>(red);
    ro.nClrPaneDis = -1LL;  // the pane the read-only field was given
    DisColors own(false);
    zrtest::WindowPicture pic(ro.hWnd);
    EXPECT_EQ(pic.at(1, client.bottom - 1), ro.nClrPane);
    EXPECT_TRUE(pic.has(leftPart(ro.hWnd, 3, 0), red));  // left-aligned
}

TEST(Get, DesignSourceNamesTheFieldItsValueAndItsPlace) {
    Shown s;
    s.w.cVarName = "oDlg";
    Value code(std::string("837P      "));
    GetNew n = field(&s.w, code);
    n.cVarName = "oGet3";
    TGet g;
    g.New(n);
    Value empty(std::string(10, ' '));
    GetNew e = field(&s.w, empty, {}, 40);
    e.cVarName = "oGet4";
    TGet blank;
    blank.New(e);

    EXPECT_EQ(g.GenLocals(), ", oGet3, cGet3 := \"837P\"");
    EXPECT_EQ(blank.GenLocals(), ", oGet4, cGet4 := Space( 20 )");
    EXPECT_NE(s.w.GenLocals().find(", oGet3, cGet3 := \"837P\", oGet4, cGet4 := Space( 20 )"), std::string::npos);
    EXPECT_EQ(g.cGenPrg(), "\r\n   @  10,  10 GET oGet3 VAR cGet3 SIZE 120, 22 PIXEL OF oDlg\r\n");
    EXPECT_EQ(blank.cGenPrg(), "\r\n   @  40,  10 GET oGet4 VAR cGet4 SIZE 120, 22 PIXEL OF oDlg\r\n");
    EXPECT_EQ(g.SaveToRC(3), "   EDITTEXT " + std::to_string(g.nId) + ", 10, 10, 120, 22");
    EXPECT_EQ(blank.SaveToRC(0), "EDITTEXT " + std::to_string(blank.nId) + ", 40, 10, 120, 22");
}

// The caret's size as the system holds it.
SIZE caretSize(HWND h) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetCurrentThreadId(), &info) || info.hwndCaret != h) return {0, 0};
    return {info.rcCaret.right - info.rcCaret.left, info.rcCaret.bottom - info.rcCaret.top};
}

TEST(Get, InsertModeShowsAWideCaret) {
    Shown s;
    Switches sw(true, false, false);
    Value v(std::string("ABC   "));
    TGet g;
    g.New(field(&s.w, v));
    SetFocus(g.hWnd);
    pump();
    const SIZE wide = caretSize(g.hWnd);
    EXPECT_EQ(wide.cx, 6);
    EXPECT_GT(wide.cy, 4);
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_INSERT, 0);  // to overwrite mode
    EXPECT_FALSE(TGet::oSwitches.insert);
    const SIZE narrow = caretSize(g.hWnd);
    EXPECT_EQ(narrow.cx, 2);
    EXPECT_EQ(narrow.cy, wide.cy);
    SendMessageA(g.hWnd, WM_KEYDOWN, VK_INSERT, 0);  // back to insert mode
    const SIZE again = caretSize(g.hWnd);
    EXPECT_EQ(again.cx, 6);
    EXPECT_EQ(again.cy, wide.cy - 1);
}

}  // namespace
