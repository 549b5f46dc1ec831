// The rich edit control over Windows' riched20: RTF in and out, formats,
// find, read-only refusals, the source colouring and which links open.
#include "rich_edit.hpp"

#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialog.hpp"
#include "parent_window.hpp"
#include "popup_menus.hpp"

namespace {

using namespace wl;

struct RichEditLibrary {
    HMODULE lib = LoadLibraryA("riched20.dll");
    ~RichEditLibrary() { FreeLibrary(lib); }
};

struct Fixture {
    RichEditLibrary lib;
    wltest::Parent p{300, 400};
    Value text{std::string()};
    int changes = 0;
    TRichEdit r;
    explicit Fixture(bool readOnly = false, bool highlight = false) {
        RichEditNew n;
        n.oWnd = &p.w;
        n.lPixel = true;
        n.nWidth = 380;
        n.nHeight = 280;
        n.bSetGet = bindTo(text);
        n.lReadOnly = readOnly;
        n.lHighlight = highlight;
        n.bChange = [this](TControl&) { ++changes; };
        r.New(n);
    }
};

TEST(RichEdit, LoadsAndSavesRtf) {
    Fixture f;
    ASSERT_NE(f.r.hWnd, nullptr);
    f.r.LoadRTF("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\plain first {\\b bold} line\\par second\\par}");
    // The document's last paragraph mark is not text.
    EXPECT_EQ(f.r.cText(), "first bold line\rsecond");
    EXPECT_FALSE(f.r.IsModify());
    EXPECT_EQ(f.r.GetLineCount(), 2);
    EXPECT_EQ(f.r.GetLine(0), "first bold line\r");
    f.r.SetSel(6, 10);
    EXPECT_EQ(f.r.GetSel(), "bold");
    EXPECT_TRUE(f.r.GetCharFormat().dwEffects & CFE_BOLD);

    // What it saves loads back to the same text, here and in another control.
    const std::string rtf = f.r.SaveAsRTF();
    EXPECT_TRUE(IsRTF(rtf));
    Fixture g;
    g.r.LoadRTF(rtf);
    EXPECT_EQ(g.r.cText(), f.r.cText());
    g.r.SetSel(6, 10);
    EXPECT_TRUE(g.r.GetCharFormat().dwEffects & CFE_BOLD);

    // Our own RTF writer's output reads in the control too.
    g.r.LoadRTF(GtfToRtf(TxtToGtf("from GTF")));
    EXPECT_EQ(g.r.cText(), "from GTF");
}

TEST(RichEdit, FormatsAndFind) {
    Fixture f;
    f.r.cText("alpha beta gamma beta");
    EXPECT_EQ(std::get<std::string>(f.text.storage()), "alpha beta gamma beta");
    f.r.SetSel(0, 5);
    f.r.SetItalic();
    EXPECT_TRUE(f.r.GetCharFormat().dwEffects & CFE_ITALIC);
    f.r.SetAlign(PFA_CENTER);
    EXPECT_EQ(f.r.GetAlign(), PFA_CENTER);

    f.r.SetIndent(1, 0.5, 0.25);
    EXPECT_EQ(f.r.GetIndent(), std::make_tuple(1.0, 0.5, 0.25));
    f.r.SetParagraph(0.2, 0.4);
    EXPECT_EQ(f.r.GetParagraph(), std::make_pair(0.2, 0.4));

    f.r.SetPos(0);
    EXPECT_TRUE(f.r.Find("beta"));
    EXPECT_EQ(f.r.GetSel(), "beta");
    EXPECT_EQ(f.r.GetPos(), 6);
    EXPECT_TRUE(f.r.Find("BETA"));  // from the end of the last match, any case
    EXPECT_EQ(f.r.GetPos(), 17);
    EXPECT_FALSE(f.r.Find("BETA", true, true));
    EXPECT_FALSE(f.r.Find("missing"));
}

TEST(RichEdit, ZoomOnlyInRange) {
    Fixture f;
    if (!f.r.lRE30) GTEST_SKIP() << "rich edit older than 3.0: no zoom";
    f.r.SetZoom(2, 1);
    EXPECT_EQ(f.r.GetZoom(), std::make_pair(2, 1));
    f.r.SetZoom(0, 1);
    f.r.SetZoom(64, 1);
    EXPECT_EQ(f.r.GetZoom(), std::make_pair(2, 1));
}

TEST(RichEdit, ReadOnlyRefusesChangesButCopies) {
    Fixture f(true);
    f.r.cText("keep this");
    f.r.SetSel(0, 4);
    EXPECT_TRUE(f.r.CanCopy());
    EXPECT_FALSE(f.r.CanCut());
    EXPECT_FALSE(f.r.CanPaste());
    EXPECT_FALSE(f.r.CanUndo());
    SendMessageA(f.r.hWnd, WM_KEYDOWN, VK_BACK, 0);
    SendMessageA(f.r.hWnd, WM_CHAR, 'x', 0);
    f.r.Cut();
    f.r.Del();
    EXPECT_EQ(f.r.cText(), "keep this");
}

TEST(RichEdit, HighlightColoursTokens) {
    Fixture f(false, true);
    f.r.cText("local nValue := \"text\"\r// note");
    auto colourAt = [&](int pos) {
        f.r.SetSel(pos, pos + 1);
        return f.r.GetCharFormat().crTextColor;
    };
    const HighlightScheme s;
    EXPECT_EQ(colourAt(0), s.nClrKey2);
    EXPECT_EQ(colourAt(7), s.nClrText);
    EXPECT_EQ(colourAt(13), s.nClrSeparator);
    EXPECT_EQ(colourAt(18), s.nClrString);
    EXPECT_EQ(colourAt(25), s.nClrComment);
}

TEST(RichEdit, LinksOpenOnlyWebAndMail) {
    Fixture f;
    std::vector<std::string> opened;
    f.r.bOpenLink = [&](const std::string& url) { opened.push_back(url); };
    f.r.cText("file:///c:/windows/system32/calc.exe http://example.org/x");
    auto click = [&](int from, int to) {
        ENLINK link{};
        link.nmhdr.hwndFrom = f.r.hWnd;
        link.nmhdr.idFrom = static_cast<UINT_PTR>(f.r.nId);
        link.nmhdr.code = EN_LINK;
        link.msg = WM_LBUTTONDOWN;
        link.chrg = {from, to};
        SendMessageA(f.p.w.hWnd, WM_NOTIFY, link.nmhdr.idFrom, reinterpret_cast<LPARAM>(&link));
    };
    click(0, 36);
    click(37, 57);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "http://example.org/x");
}


// While it lives, runs an action on the first window titled `title` that
// the thread opens (a system dialog), once.
class RichDialogDriver {
public:
    RichDialogDriver(std::string title, std::function<void(HWND)> act) {
        title_ = std::move(title);
        act_ = std::move(act);
        timer_ = SetTimer(nullptr, 0, 30, &RichDialogDriver::tick);
    }
    ~RichDialogDriver() {
        KillTimer(nullptr, timer_);
        act_ = nullptr;
    }

private:
    static BOOL CALLBACK cancelDialog(HWND h, LPARAM) {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (IsWindowVisible(h) && std::string(cls) == "#32770") {
            PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(h, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (title_.empty()) {
            // Every dialog box the thread shows is cancelled.
            EnumThreadWindows(GetCurrentThreadId(), &RichDialogDriver::cancelDialog, 0);
            return;
        }
        HWND box = FindWindowA(nullptr, title_.c_str());
        if (!box || !act_ || !IsWindowVisible(box)) return;
        auto act = std::move(act_);
        act_ = nullptr;
        act(box);
    }
    static inline std::string title_;
    static inline std::function<void(HWND)> act_;
    UINT_PTR timer_ = 0;
};

TEST(RichEdit, ContextMenuOffersWhatTheControlAllows) {
    struct Case {
        bool readOnly, select;
        bool cut, copy, del, font;
    };
    const Case cases[] = {{false, false, false, false, false, true},
                          {false, true, true, true, true, true},
                          {true, true, false, true, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.readOnly) + std::to_string(c.select));
        Fixture f(c.readOnly);
        f.r.SetText("some words");
        if (c.select) f.r.SetSel(0, 4);
        std::vector<std::pair<UINT, bool>> items;
        setPopupMenuHook([&](HMENU menu, HWND, int, int) {
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                const UINT id = GetMenuItemID(menu, i);
                if (id == 0 || id == static_cast<UINT>(-1)) continue;
                items.push_back({id, !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)});
            }
        });
        SendMessageA(f.r.hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
        setPopupMenuHook(nullptr);
        auto enabled = [&](UINT id) {
            for (auto& [i, on] : items)
                if (i == id) return on;
            return false;
        };
        EXPECT_EQ(enabled(kRichEditCut), c.cut);
        EXPECT_EQ(enabled(kRichEditCopy), c.copy);
        EXPECT_EQ(enabled(kRichEditDelete), c.del);
        EXPECT_EQ(enabled(kRichEditFont), c.font);
        EXPECT_TRUE(enabled(kRichEditSelectAll));
        EXPECT_EQ(GetFocus(), f.r.hWnd);
    }
}

TEST(RichEdit, ContextMenuCommandsAlignAndSelectAll) {
    Fixture f;
    f.r.SetText("line");
    SendMessageA(f.r.hWnd, WM_COMMAND, kRichEditAlignCenter, 0);
    EXPECT_EQ(f.r.GetAlign(), 3);
    SendMessageA(f.r.hWnd, WM_COMMAND, kRichEditSelectAll, 0);
    EXPECT_EQ(f.r.GetSel(), "line");
}

TEST(RichEdit, SetCharFormatAppliesTheFaceChosenInTheFontDialog) {
    Fixture f;
    f.r.SetText("styled");
    f.r.SetSel(0, 6);
    f.r.SetFontName("Arial");
    std::string chosen;
    RichDialogDriver d("Font", [&](HWND box) {
        HWND faces = GetDlgItem(box, 1136);  // the face list
        const int count = static_cast<int>(SendMessageA(faces, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char face[LF_FACESIZE + 1] = {};
            SendMessageA(faces, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
            if (std::string(face) != "Arial" && face[0] != '@') {
                chosen = face;
                SendMessageA(faces, CB_SETCURSEL, i, 0);
                SendMessageA(box, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
                break;
            }
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(f.r.SetCharFormat());
    ASSERT_FALSE(chosen.empty());
    f.r.SetSel(0, 6);
    EXPECT_EQ(std::string(f.r.GetCharFormat().szFaceName), chosen);
    EXPECT_GE(f.changes, 1);
}

TEST(RichEdit, SetCharFormatCancelledChangesNothing) {
    Fixture f;
    f.r.SetText("styled");
    f.r.SetSel(0, 6);
    f.r.SetFontName("Arial");
    RichDialogDriver d("Font", [](HWND box) { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(f.r.SetCharFormat());
    EXPECT_EQ(std::string(f.r.GetCharFormat().szFaceName), "Arial");
}

TEST(RichEdit, PasteSpecialPastesTheChosenForm) {
    Fixture f;
    ASSERT_TRUE(OpenClipboard(f.r.hWnd));
    EmptyClipboard();
    const char text[] = "from the clipboard";
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    memcpy(GlobalLock(mem), text, sizeof text);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    bool shown = false;
    RichDialogDriver d("Paste Special", [&](HWND box) {
        shown = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const bool pasted = f.r.PasteSpecial();
    if (!shown) GTEST_SKIP() << "this system's Paste Special dialog did not open";
    EXPECT_TRUE(pasted);
    EXPECT_EQ(f.r.cText(), "from the clipboard");
}

TEST(RichEdit, PageSetupNeverWaits) {
    Fixture f;
    RichDialogDriver d("", [](HWND) {});
    EXPECT_FALSE(f.r.PageSetup(1000, 1000, 1000, 1000));
}

TEST(RichEdit, ReDefineBindsADialogItemAndLoadsTheValue) {
    RichEditLibrary lib;
    TDialog d;
    DialogNew n;
    n.cResName = std::string("RICHDLG");
    d.New(n);
    Value v(std::string("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard bound {\\b text}\\par}"));
    TRichEdit r;
    RichEditNew a;
    a.lReadOnly = true;
    r.ReDefine(601, bindTo(v), &d, a);
    std::string shown;
    bool readOnly = false;
    DialogActivate act;
    act.bInit = [&](TWindow&) {
        shown = r.cText();
        readOnly = (GetWindowLongPtrA(r.hWnd, GWL_STYLE) & ES_READONLY) != 0;
        PostMessageA(d.GetItem(IDOK), BM_CLICK, 0, 0);
    };
    d.Activate(act);
    EXPECT_EQ(shown, "bound text");
    EXPECT_TRUE(readOnly);
}

}  // namespace
