// The rich edit control over Windows' riched20: RTF in and out, formats,
// find, read-only refusals, the source colouring and which links open.
#include "rich_edit.hpp"

#include <richedit.h>

#include <gtest/gtest.h>

#include "parent_window.hpp"

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

}  // namespace
