// Multi-line fields on a live window: read-only refusals in the key
// handlers, the context menu, line operations, the bound value following
// the text, saving, the Go To dialog, printing without a printer and the
// find dialog. These run beside the private PDF printer.
#include "multiget.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <thread>
#include <fstream>
#include <sstream>
#include <vector>

#include "dialog_waiter.hpp"
#include "dlg_find.hpp"
#include "get.hpp"
#include "messages.hpp"
#include "parent_window.hpp"
#include "popup_menus.hpp"
#include "profile_files.hpp"
#include "unix_tools.hpp"
#include "window_picture.hpp"

namespace {

using namespace wl;

struct Shown : wltest::Parent {
    Shown() : wltest::Parent(300, 400) {
        SetWindowPos(w.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(w.hWnd);
    }
};

// Holds a key down in the thread's keyboard state while it lives.
struct HeldKey {
    int key;
    explicit HeldKey(int k) : key(k) { set(0x80); }
    ~HeldKey() { set(0); }
    void set(BYTE state) const {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[key] = state;
        SetKeyboardState(keys);
    }
};

MultiGetNew memo(TWindow* parent, Value& v, bool readOnly = false, int row = 10) {
    MultiGetNew n;
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

void putOnClipboard(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

TEST(MultiGet, UpdateReReadsAFieldThatFollowsItsValue) {
    Shown p;
    Value v("first text");
    TMultiGet m;
    MultiGetNew n = memo(&p.w, v);
    n.lUpdate = true;
    m.New(n);
    v = Value("second text");
    p.w.Update();
    char text[64] = {};
    GetWindowTextA(m.hWnd, text, sizeof text);
    EXPECT_STREQ(text, "second text");
}

TEST(MultiGet, ReadOnlyRefusesEveryChangeButEnterMovesOn) {
    Shown p;
    Value v("line one\r\nline two"), other("x");
    TMultiGet m, next;
    m.New(memo(&p.w, v, true));
    next.New(memo(&p.w, other, false, 150));
    SetFocus(m.hWnd);
    putOnClipboard(m.hWnd, "pasted");
    SendMessageA(m.hWnd, EM_SETSEL, 0, 4);
    SendMessageA(m.hWnd, WM_CHAR, 'z', 0);
    SendMessageA(m.hWnd, WM_KEYDOWN, VK_DELETE, 0);
    {
        HeldKey ctrl(VK_CONTROL);
        SendMessageA(m.hWnd, WM_KEYDOWN, 'V', 0);
        SendMessageA(m.hWnd, WM_KEYDOWN, 'X', 0);
    }
    {
        HeldKey shift(VK_SHIFT);
        SendMessageA(m.hWnd, WM_KEYDOWN, VK_INSERT, 0);
    }
    EXPECT_EQ(m.GetText(), "line one\r\nline two");
    EXPECT_EQ(v.text(), "line one\r\nline two");
    SendMessageA(m.hWnd, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(GetFocus(), next.hWnd);
    EXPECT_EQ(m.GetText(), "line one\r\nline two");
}

TEST(MultiGet, WritableFieldTypesAndStoresEveryChange) {
    Shown p;
    Value v("ab");
    TMultiGet m;
    MultiGetNew n = memo(&p.w, v);
    std::vector<int> keys;
    n.bChange = [&](int key, LPARAM, TMultiGet&) { keys.push_back(key); };
    m.New(n);
    SetFocus(m.hWnd);
    SendMessageA(m.hWnd, EM_SETSEL, 2, 2);
    SendMessageA(m.hWnd, WM_CHAR, 'c', 0);
    EXPECT_EQ(v.text(), "abc");
    SendMessageA(m.hWnd, EM_SETSEL, 0, 1);
    SendMessageA(m.hWnd, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(v.text(), "bc");
    m.Append("\r\nmore");
    EXPECT_EQ(v.text(), "bc\r\nmore");
    EXPECT_EQ((std::vector<int>{'c', VK_DELETE}), keys);
}

struct MenuState {
    std::vector<std::pair<int, bool>> items;  // command, enabled
    bool enabled(int command) const {
        for (const auto& [id, on] : items)
            if (id == command) return on;
        return false;
    }
};

MenuState openMenu(TMultiGet& m) {
    MenuState state;
    setPopupMenuHook([&](HMENU menu, HWND, int, int) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT id = GetMenuItemID(menu, i);
            if (id == 0 || id == static_cast<UINT>(-1)) continue;
            state.items.push_back({static_cast<int>(id), !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)});
        }
    });
    SendMessageA(m.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 80));
    setPopupMenuHook(nullptr);
    return state;
}

TEST(MultiGet, ContextMenuOffersOnlyWhatTheFieldAllows) {
    struct Case {
        bool readOnly;
        bool cut, copy, paste, del;
    };
    const Case cases[] = {{true, false, true, false, false}, {false, true, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readOnly ? "read-only" : "writable");
        Shown p;
        Value v("some text");
        TMultiGet m;
        m.New(memo(&p.w, v, c.readOnly));
        SetFocus(m.hWnd);
        putOnClipboard(m.hWnd, "clip");
        SendMessageA(m.hWnd, EM_SETSEL, 0, 4);
        const MenuState menu = openMenu(m);
        EXPECT_EQ(menu.enabled(kMultiGetCut), c.cut);
        EXPECT_EQ(menu.enabled(kMultiGetCopy), c.copy);
        EXPECT_EQ(menu.enabled(kMultiGetPaste), c.paste);
        EXPECT_EQ(menu.enabled(kMultiGetDelete), c.del);
        EXPECT_TRUE(menu.enabled(kMultiGetSelectAll));
        EXPECT_TRUE(menu.enabled(kMultiGetPrint));
        SendMessageA(m.hWnd, WM_COMMAND, kMultiGetSelectAll, 0);
        EXPECT_EQ(m.GetSel(), "some text");
    }
}

TEST(MultiGet, ReadOnlyCutAndDeleteSayWhy) {
    Shown p;
    std::vector<Prompt> prompts;
    ScopedPromptHook hook([&](const Prompt& pr) {
        prompts.push_back(pr);
        return PromptAnswer{};
    });
    Value v("keep");
    TMultiGet m;
    m.New(memo(&p.w, v, true));
    m.SelectAll();
    m.Cut();
    m.Del();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0].text, "The get is read only!");
    EXPECT_EQ(prompts[0].caption, "Can't cut");
    EXPECT_EQ(prompts[1].caption, "Can't delete");
    EXPECT_EQ(m.GetText(), "keep");
}

TEST(MultiGet, LinesAreReadAndCutOneAtATime) {
    Shown p;
    const std::string longLine(300, 'x');
    Value v("first\r\nsecond\r\n" + longLine);
    TMultiGet m;
    MultiGetNew n = memo(&p.w, v);
    n.lHScroll = true;  // no wrapping: one line each
    m.New(n);
    EXPECT_EQ(m.GetLineCount(), 3);
    EXPECT_EQ(m.GetLine(2), "second");
    EXPECT_EQ(m.GetLine(3), std::string(255, 'x'));
    m.DelLine(3);  // the last line: from its start to the end of the text
    EXPECT_EQ(v.text(), "first\r\nsecond\r\n");
    m.DelLine(1);
    EXPECT_EQ(v.text(), "second\r\n");
    m.SetSel(3);
    EXPECT_EQ(m.GetRow(), 1);
    EXPECT_EQ(m.GetCol(), 4);
}

TEST(MultiGet, SaveToFileReplacesTheFileOrAnswersFalse) {
    Shown p;
    Value v("CLM*1~\r\nCLM*2~");
    TMultiGet m;
    m.New(memo(&p.w, v));
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    const std::string file = std::string(dir) + "zr_multiget_save.txt";
    {
        std::ofstream old(file, std::ios::binary);
        old << "an older and longer text than the new one";
    }
    ASSERT_TRUE(m.SaveToFile(file));
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), "CLM*1~\r\nCLM*2~");
    in.close();
    std::remove(file.c_str());
    EXPECT_FALSE(m.SaveToFile(std::string(dir) + "no such folder\\x.txt"));
}

// The dialog shows the current row counted from 1: Ok without a change
// stays on it, a typed row goes to that row.
TEST(MultiGet, GoToLandsOnTheRowEntered) {
    struct Case {
        std::string typed;
        int rowAfter;
    };
    const Case cases[] = {{"", 3}, {"5", 5}, {"1", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("typed '" + c.typed + "'");
        Shown p;
        Value v("1\r\n2\r\n3\r\n4\r\n5\r\n6");
        TMultiGet m;
        m.New(memo(&p.w, v));
        m.GoTo(2);
        ASSERT_EQ(m.GetRow(), 3);
        std::string shownRow;
        std::thread t = zrtest::whenShown("Go To", [&](HWND box) {
            HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
            char text[32] = {};
            GetWindowTextA(edit, text, sizeof text);
            shownRow = text;
            for (char ch : c.typed) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(ch), 0);
            HWND ok = FindWindowExA(box, nullptr, "Button", "&Ok");
            SendMessageA(ok, BM_CLICK, 0, 0);
        });
        m.DlgGoLine();
        t.join();
        EXPECT_EQ(shownRow, "    3");
        EXPECT_EQ(m.GetRow(), c.rowAfter);
    }
}

TEST(MultiGet, PrintWithoutAPrinterSaysSo) {
    Shown p;
    std::vector<Prompt> prompts;
    ScopedPromptHook hook([&](const Prompt& pr) {
        prompts.push_back(pr);
        return PromptAnswer{};
    });
    Value v("a note");
    TMultiGet m;
    m.New(memo(&p.w, v));
    m.Print("Nowhere,winspool,FILE:");
    // The printer layer may first say that no printer is installed.
    ASSERT_FALSE(prompts.empty());
    EXPECT_EQ(prompts.back().kind, PromptKind::Stop);
    EXPECT_EQ(prompts.back().text, "Printer not ready!");
}

// Sixty lines to a page: 61 lines print on two pages, each line whole.
TEST(MultiGet, PrintsItsLinesSixtyToAPage) {
    Shown p;
    std::string text;
    for (int i = 1; i <= 61; ++i) text += (i > 1 ? "\r\n" : "") + ("NOTE LINE " + std::to_string(i));
    Value v(text);
    TMultiGet m;
    MultiGetNew n = memo(&p.w, v);
    n.lHScroll = true;
    m.New(n);
    zrtest::ScratchDir dir("print-notes");
    const std::vector<std::string> before = zrtest::pdfsNow();
    m.Print(std::string("ZRPDF,") + GETPROFSTRING(std::string("Devices"), std::string("ZRPDF")));
    const std::string pdf = zrtest::awaitNewPdf(before);
    ASSERT_FALSE(pdf.empty()) << "CUPS wrote no PDF";
    const std::string copy = dir.file("notes.pdf");
    std::filesystem::copy_file(pdf, copy);
    std::filesystem::remove(pdf);
    const zrtest::ToolRun info = zrtest::runUnix(dir.path(), "pdfinfo notes.pdf");
    EXPECT_TRUE(zrtest::hasLine(info.output, "Pages:", "2")) << info.output;
    EXPECT_TRUE(zrtest::hasLine(info.output, "Title:", "Notes")) << info.output;
    const zrtest::ToolRun words = zrtest::runUnix(dir.path(), "pdftotext -layout notes.pdf -");
    EXPECT_NE(words.output.find("NOTE LINE 1"), std::string::npos) << words.output;
    EXPECT_NE(words.output.find("NOTE LINE 60"), std::string::npos);
    EXPECT_NE(words.output.find("NOTE LINE 61"), std::string::npos);
}

TEST(MultiGet, FindOpensTheFindDialogWithoutASearchAction) {
    Shown p;
    Value v("ISA*00~GS*HC~");
    TMultiGet m;
    m.New(memo(&p.w, v));
    TDlgFind* f = m.Find("GS");
    ASSERT_NE(f, nullptr);
    ASSERT_NE(f->hWnd, nullptr);
    EXPECT_EQ(f->cText(), "GS");
    EXPECT_FALSE(f->bSearch);
    SendMessageA(GetDlgItem(f->hWnd, IDOK), BM_CLICK, 0, 0);  // does nothing
    EXPECT_EQ(m.GetText(), "ISA*00~GS*HC~");
}

TEST(MultiGet, PaintedActionDrawsOverTheNativeText) {
    Shown p;
    Value v("WWWW WWWW\r\nsecond line");
    TMultiGet m;
    m.New(memo(&p.w, v));
    const COLORREF mark = RGB(0, 160, 0);
    int painted = 0;
    m.bPainted = [&](HDC dc, const PAINTSTRUCT*, TWindow& self) {
        EXPECT_EQ(&self, &m);
        ++painted;
        HBRUSH b = CreateSolidBrush(mark);
        const RECT corner{0, 0, 8, 8};  // over the first letters
        FillRect(dc, &corner, b);
        DeleteObject(b);
    };
    zrtest::WindowPicture pic(m.hWnd);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(pic.at(2, 2), mark);
    EXPECT_NE(pic.at(20, 30), mark);
    // The text is there beside the mark.
    EXPECT_TRUE(pic.has(RECT{8, 0, 120, 20}, GetSysColor(COLOR_WINDOWTEXT)));
    InvalidateRect(m.hWnd, nullptr, TRUE);
    UpdateWindow(m.hWnd);
    EXPECT_EQ(painted, 2);
}

TEST(MultiGet, InsertModeShowsAWideCaret) {
    Shown p;
    Value v("text"), w("other");
    TMultiGet m, other;
    m.New(memo(&p.w, v));
    other.New(memo(&p.w, w, false, 150));
    const auto caretWidth = [](HWND h) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetCurrentThreadId(), &info) || info.hwndCaret != h) return 0L;
        return info.rcCaret.right - info.rcCaret.left;
    };
    SetFocus(m.hWnd);
    const long native = caretWidth(m.hWnd);
    EXPECT_GT(native, 0);
    EXPECT_LT(native, 6);
    TGet::oSwitches.insert = true;
    SetFocus(other.hWnd);
    EXPECT_EQ(caretWidth(other.hWnd), 6);
    TGet::oSwitches = {};
}

}  // namespace
