// The formatted text editor on a live window: typing and keys through its
// messages, the value stored as GTF when the focus leaves, the clipboard
// forms (whole past 65,535 characters), read-only refusals, the beep of a
// text that would not fit, the context menu and the painted pixels.
#include "fget.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <thread>

#include "dialog_waiter.hpp"
#include "get.hpp"
#include "messages.hpp"
#include "parent_window.hpp"
#include "window_picture.hpp"
#include "popup_menus.hpp"

namespace {

using namespace wl;

struct FGetShown : wltest::Parent {
    FGetShown() : wltest::Parent(300, 400) {
        SetWindowPos(w.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(w.hWnd);
    }
};

struct FGetHeldKey {
    int key;
    explicit FGetHeldKey(int k) : key(k) { set(0x80); }
    ~FGetHeldKey() { set(0); }
    void set(BYTE state) const {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[key] = state;
        SetKeyboardState(keys);
    }
};

// Insert mode on and the beep counted while a test runs.
struct FGetSwitches {
    GetSwitches saved = TGet::oSwitches;
    int beeps = 0;
    FGetSwitches() {
        TGet::oSwitches.insert = true;
        TGet::bBeep = [this] { ++beeps; };
    }
    ~FGetSwitches() {
        TGet::oSwitches = saved;
        TGet::bBeep = nullptr;
    }
};

FGetNew fgetArgs(TWindow* parent, Value& v, bool readOnly = false, int row = 10) {
    FGetNew n;
    n.oWnd = parent;
    n.bSetGet = bindTo(v);
    n.lPixel = true;
    n.nRow = row;
    n.nCol = 10;
    n.nWidth = 300;
    n.nHeight = 120;
    n.lReadOnly = readOnly;
    return n;
}

void fgetType(HWND h, const std::string& text) {
    for (unsigned char c : text) SendMessageA(h, WM_CHAR, c, 0);
}

void fgetPutText(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

TEST(FGet, TypedTextIsStoredAsGtfWhenTheFocusLeaves) {
    FGetSwitches sw;
    FGetShown p;
    Value v(std::string("ab"));
    TFGet f;
    f.New(fgetArgs(&p.w, v));
    SetFocus(f.hWnd);
    SendMessageA(f.hWnd, WM_KEYDOWN, VK_END, 0);
    fgetType(f.hWnd, "cd\rxy");
    EXPECT_EQ(f.cText(), "abcd\r\nxy");
    SetFocus(p.w.hWnd);
    ASSERT_TRUE(IsGTF(v.text()));
    EXPECT_EQ(GtfToTxt(v.text()), "abcd\r\nxy");
}

TEST(FGet, MousePosIsInClientUnitsAndDelayLetsTheWindowAnswer) {
    // Two windows apart see the resting pointer apart by their distance
    // (the pointer itself is not moved: later tests' drags would feel it).
    FGetShown p;
    wltest::Parent other(200, 100);
    SetWindowPos(other.w.hWnd, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT a{0, 0}, b{0, 0};
    ClientToScreen(p.w.hWnd, &a);
    ClientToScreen(other.w.hWnd, &b);
    ASSERT_TRUE(a.x != b.x || a.y != b.y);
    const POINT inP = MousePos(p.w.hWnd), inOther = MousePos(other.w.hWnd);
    EXPECT_EQ(inP.x - inOther.x, b.x - a.x);
    EXPECT_EQ(inP.y - inOther.y, b.y - a.y);
    // A message posted before the wait is handled during it, and the wait lasts.
    static bool handled;
    handled = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { handled = true; });
    const ULONGLONG start = GetTickCount64();
    Delay(0.1);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(handled);
    EXPECT_GE(GetTickCount64() - start, 100u);
    Delay(-1);  // nothing to wait
}

TEST(FGet, ShiftAndArrowsSelectAndCtrlZUndoesTwice) {
    FGetSwitches sw;
    FGetShown p;
    Value v(std::string("hello world"));
    TFGet f;
    f.New(fgetArgs(&p.w, v));
    SetFocus(f.hWnd);
    {
        FGetHeldKey shift(VK_SHIFT);
        FGetHeldKey ctrl(VK_CONTROL);
        SendMessageA(f.hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    }
    EXPECT_EQ(f.model()->GetBlockText(), "hello ");
    SendMessageA(f.hWnd, WM_CHAR, 'X', 0);
    EXPECT_EQ(f.cText(), "Xworld");
    SendMessageA(f.hWnd, WM_CHAR, 26, 0);
    EXPECT_EQ(f.cText(), "hello world");
    SendMessageA(f.hWnd, WM_CHAR, 26, 0);
    EXPECT_EQ(f.cText(), "Xworld");
}

TEST(FGet, ReadOnlyRefusesChangesButCopies) {
    FGetSwitches sw;
    FGetShown p;
    Value v(std::string("fixed text"));
    TFGet f;
    f.New(fgetArgs(&p.w, v, true));
    SetFocus(f.hWnd);
    fgetPutText(f.hWnd, "pasted");
    f.model()->SelectAll();
    fgetType(f.hWnd, "z\b");
    SendMessageA(f.hWnd, WM_CHAR, 22, 0);
    SendMessageA(f.hWnd, WM_CHAR, 24, 0);
    SendMessageA(f.hWnd, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(f.cText(), "fixed text");
    SendMessageA(f.hWnd, WM_CHAR, 3, 0);
    EXPECT_EQ(GetFClipData(f.hWnd, CF_TEXT).value_or(""), "fixed text");
}

TEST(FGet, CopyAndPasteKeepMoreThan65535CharactersInEveryForm) {
    FGetSwitches sw;
    FGetShown p;
    std::string big(70001, 'q');
    for (size_t i = 50; i < big.size(); i += 51) big[i] = ' ';
    Value v(big);
    TFGet from;
    from.New(fgetArgs(&p.w, v));
    from.SelectAll();
    from.Copy();
    const auto text = GetFClipData(from.hWnd, CF_TEXT);
    const auto gtf = GetFClipData(from.hWnd, gtfClipboardFormat());
    const auto rtf = GetFClipData(from.hWnd, rtfClipboardFormat());
    ASSERT_TRUE(text && gtf && rtf);
    EXPECT_EQ(*text, big);
    EXPECT_EQ(GtfToTxt(*gtf), big);
    EXPECT_GT(rtf->size(), big.size());
    Value w{std::string()};
    TFGet to;
    to.New(fgetArgs(&p.w, w, false, 150));
    to.Paste();
    EXPECT_EQ(to.cText(), big);
}

TEST(FGet, PasteOfPlainTextTakesTheFormatAtTheCaret) {
    FGetSwitches sw;
    FGetShown p;
    GtfFont font;
    font.face = "Arial";
    font.height = "-14";
    Value v(TxtToGtf("red", 0, font, RGB(255, 0, 0)));
    TFGet f;
    f.New(fgetArgs(&p.w, v));
    f.model()->GoBottom();
    fgetPutText(f.hWnd, "der");
    f.Paste();
    EXPECT_EQ(f.cText(), "redder");
    EXPECT_EQ(f.model()->lines()[0].aColors, (std::vector<Color>{RGB(255, 0, 0)}));
}

TEST(FGet, ALineThatWouldNotFitWithoutScrollBarBeepsAndLeavesTheText) {
    FGetSwitches sw;
    FGetShown p;
    Value v(std::string("one"));
    FGetNew n = fgetArgs(&p.w, v);
    n.lNoVScroll = true;
    n.nHeight = 40;
    TFGet f;
    f.New(n);
    SetFocus(f.hWnd);
    SendMessageA(f.hWnd, WM_KEYDOWN, VK_END, 0);
    for (int i = 0; i < 10; ++i) SendMessageA(f.hWnd, WM_CHAR, VK_RETURN, 0);
    EXPECT_GE(sw.beeps, 1);
    EXPECT_LE(f.model()->textHeight(), f.model()->nHeight());
    EXPECT_EQ(f.cText().substr(0, 3), "one");
}

TEST(FGet, ContextMenuOffersOnlyWhatTheEditorAllows) {
    FGetSwitches sw;
    struct Case {
        bool readOnly;
        bool cut, copy, del, font;
    };
    const Case cases[] = {{true, false, true, false, false}, {false, true, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readOnly ? "read-only" : "writable");
        FGetShown p;
        Value v(std::string("some text"));
        TFGet f;
        f.New(fgetArgs(&p.w, v, c.readOnly));
        f.model()->SelectAll();
        std::vector<std::pair<UINT, bool>> items;
        setPopupMenuHook([&](HMENU menu, HWND, int, int) {
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                const UINT id = GetMenuItemID(menu, i);
                if (id == 0 || id == static_cast<UINT>(-1)) continue;
                items.push_back({id, !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)});
            }
        });
        SendMessageA(f.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
        setPopupMenuHook(nullptr);
        auto enabled = [&](UINT id) {
            for (auto& [i, on] : items)
                if (i == id) return on;
            return false;
        };
        EXPECT_EQ(enabled(kFGetCut), c.cut);
        EXPECT_EQ(enabled(kFGetCopy), c.copy);
        EXPECT_EQ(enabled(kFGetDelete), c.del);
        EXPECT_EQ(enabled(kFGetFont), c.font);
        EXPECT_TRUE(enabled(kFGetSelectAll));
    }
}

TEST(FGet, AClickPlacesTheCaretAndADoubleClickSelectsTheWord) {
    FGetSwitches sw;
    FGetShown p;
    Value v(std::string("alpha beta gamma"));
    TFGet f;
    f.New(fgetArgs(&p.w, v));
    SendMessageA(f.hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 5));
    SendMessageA(f.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(1, 5));
    EXPECT_EQ(f.model()->caret(), (FGetPos{0, 0}));
    EXPECT_EQ(GetFocus(), f.hWnd);
    f.model()->GoTo({0, 7});
    SendMessageA(f.hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(f.model()->nCol() + 1, 5));
    EXPECT_EQ(f.model()->GetBlockText(), "beta");
}

TEST(FGet, PaintsEachRunInItsColourOnTheBackground) {
    FGetShown p;
    GtfFont font;
    font.face = "Arial";
    font.height = "-20";
    font.bold = true;
    const std::string body = std::string("\x11") + "0\x05\x0f" + "1\x05\x10" + std::to_string(RGB(255, 0, 0)) +
                             "\x05WWWW\x10" + std::to_string(RGB(0, 0, 255)) + "\x05WWWW";
    Value v(writeGtf({font}, body));
    FGetNew n = fgetArgs(&p.w, v);
    n.nClrBack = RGB(255, 255, 255);
    TFGet f;
    f.New(n);
    const TFLine& line = f.model()->lines()[0];
    ASSERT_EQ(line.aText.size(), 2u);
    zrtest::WindowPicture pic(f.hWnd);
    f.model()->GoTo({0, 4});
    const int split = f.model()->nCol() + 1;
    EXPECT_TRUE(pic.has({0, 0, split, line.height}, RGB(255, 0, 0)));
    EXPECT_FALSE(pic.has({0, 0, split, line.height}, RGB(0, 0, 255)));
    EXPECT_TRUE(pic.has({split, 0, split * 2 + 4, line.height}, RGB(0, 0, 255)));
    EXPECT_EQ(pic.at(250, 80), RGB(255, 255, 255));
}


TEST(FGet, DraggingBelowTheWindowKeepsSelectingDownwards) {
    FGetSwitches sw;
    FGetShown p;
    std::string text;
    for (int i = 1; i <= 30; ++i) text += (i > 1 ? "\r\n" : "") + ("line " + std::to_string(i));
    Value v(text);
    TFGet f;
    f.New(fgetArgs(&p.w, v));
    SendMessageA(f.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(f.hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 200));
    const int before = f.model()->nLineRow();
    const DWORD until = GetTickCount() + 400;
    MSG m;
    while (GetTickCount() < until) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    SendMessageA(f.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 200));
    EXPECT_GT(f.model()->nLineRow(), before + 2);
    EXPECT_GT(f.model()->nLineFirst(), 1);
    EXPECT_EQ(f.model()->block().first, (FGetPos{0, 0}));
}

TEST(FGet, TheFontDialogFormatsTheSelectionAndSaysWhenCancelled) {
    FGetSwitches sw;
    FGetShown p;
    Value v(std::string("some words"));
    TFGet f;
    f.New(fgetArgs(&p.w, v));
    f.model()->GoTo({0, 5});
    f.model()->GoEndLine(true);
    std::string chosen;
    std::thread t = zrtest::whenShown("Font", [&](HWND box) {
        HWND faces = GetDlgItem(box, 1136);
        const int count = static_cast<int>(SendMessageA(faces, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char face[LF_FACESIZE + 1] = {};
            SendMessageA(faces, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
            if (face[0] != '@' && std::string(face) != f.model()->aFonts[0].face) {
                chosen = face;
                SendMessageA(faces, CB_SETCURSEL, i, 0);
                SendMessageA(box, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
                break;
            }
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    f.GetFontColor();
    t.join();
    ASSERT_FALSE(chosen.empty());
    ASSERT_EQ(f.model()->aFonts.size(), 2u);
    EXPECT_EQ(f.model()->aFonts[1].face, chosen);
    EXPECT_EQ(f.model()->lines()[0].aFonts, (std::vector<int>{1, 2}));

    std::vector<Prompt> prompts;
    ScopedPromptHook hook([&](const Prompt& pr) {
        prompts.push_back(pr);
        return PromptAnswer{};
    });
    std::thread c = zrtest::whenShown("Font", [](HWND box) { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); });
    f.GetFontColor();
    c.join();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "cancelado...");
}

}  // namespace
