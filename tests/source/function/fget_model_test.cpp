// The formatted text document with fixed metrics: font 1 is 8 pixels a
// character and 16 high, font 2 is 10 and 20, so every wrap and caret place
// below can be worked out by hand.
#include "fget_model.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace wl;

class FGetFixedMetrics : public FGetMetrics {
public:
    int charWidth(int font, unsigned char) const override { return font == 2 ? 10 : 8; }
    int height(int font) const override { return font == 2 ? 20 : 16; }
};

const FGetFixedMetrics fgetMetrics;

GtfFont fgetFont(const std::string& face, const std::string& height) {
    GtfFont f;
    f.face = face;
    f.height = height;
    return f;
}

// A model 80 pixels wide (ten characters of font 1) and 64 high.
struct FGetFixture {
    FGetModel m{fgetMetrics, fgetFont("Arial", "16")};
    explicit FGetFixture(const std::string& text = {}, bool vscroll = true) {
        m.lVScroll = vscroll;
        m.ReSize(80, 64);
        if (!text.empty()) m.SetTextFormat(text);
    }
    void type(const std::string& s) {
        for (char c : s) m.Char(c);
    }
    std::vector<std::string> lineTexts() const {
        std::vector<std::string> out;
        for (int i = 1; i <= m.GetLineCount(); ++i) out.push_back(m.GetTextLine(i));
        return out;
    }
};

TEST(FGetModel, TypingPastTheEdgeWrapsAtTheLastBlank) {
    FGetFixture f;
    f.type("hello big world");
    EXPECT_EQ(f.lineTexts(), (std::vector<std::string>{"hello big ", "world"}));
    EXPECT_FALSE(f.m.lines()[0].lCrLf);
    EXPECT_TRUE(f.m.lines()[1].lCrLf);
    EXPECT_EQ(f.m.nLineRow(), 2);
    EXPECT_EQ(f.m.nLineCol(), 5);
    EXPECT_EQ(f.m.nRow(), 16);
    EXPECT_EQ(f.m.nCol(), 40);
}

TEST(FGetModel, AWordLongerThanTheLineBreaksAtTheLastCharacterThatFits) {
    FGetFixture f;
    f.type("abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(f.lineTexts(), (std::vector<std::string>{"abcdefghij", "klmnopqrst", "uvwxy"}));
}

TEST(FGetModel, WrapFollowsTheTextAndJoinsLinesAgain) {
    FGetFixture f;
    f.type("aaaa bbbb cccc");
    ASSERT_EQ(f.m.GetLineCount(), 2);
    f.m.GoTop();
    f.m.GoEndLine();
    for (int i = 0; i < 5; ++i) f.m.BackSpace();
    EXPECT_EQ(f.lineTexts(), (std::vector<std::string>{"aaaa cccc"}));
}

TEST(FGetModel, ALineWithAHorizontalScrollIsNeverWrapped) {
    FGetFixture f;
    f.m.lHScroll = true;
    f.type("abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(f.m.GetLineCount(), 1);
    EXPECT_EQ(f.m.nTextWidth(), 200);
    EXPECT_GT(f.m.nLeftMargin(), 0);  // the caret at the end stays in view
    EXPECT_LE(f.m.nCol(), 80);
}

TEST(FGetModel, TypingThatWouldOutgrowAWindowWithoutScrollBarIsRefused) {
    FGetFixture f({}, false);
    f.type("line one");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(f.m.Return());
    const std::string before = f.m.GetTextFormat();
    EXPECT_FALSE(f.m.Return());
    EXPECT_EQ(f.m.GetTextFormat(), before);
    EXPECT_TRUE(f.m.Char('x'));
    f.type("xxxxxxxxxx");  // the eleventh character would need a fifth line
    EXPECT_EQ(f.m.GetLineCount(), 4);
    EXPECT_EQ(f.m.GetTextLine(4), "xxxxxxxxxx");
}

TEST(FGetModel, UndoTwiceRestoresWhatTheFirstUndoRemoved) {
    FGetFixture f;
    f.type("abc");
    EXPECT_TRUE(f.m.UnDo());
    EXPECT_EQ(f.m.cText(), "");
    EXPECT_TRUE(f.m.UnDo());
    EXPECT_EQ(f.m.cText(), "abc");
}

TEST(FGetModel, AMoveEndsTheRunSoTheNextChangeTakesANewCopy) {
    FGetFixture f;
    f.type("abc");
    f.m.GoPrevChar();
    f.type("X");
    f.m.UnDo();
    EXPECT_EQ(f.m.cText(), "abc");
}

TEST(FGetModel, GtfRoundTripKeepsFontsColoursAndAlignment) {
    const std::string body = std::string("\x11") + "1\x05" + "\x0f" + "1\x05" + "\x10" + "255\x05" + "red" + "\x0f" +
                             "2\x05" + "\x10" + "0\x05" + " big\r\n" + "\x11" + "2\x05" + "right";
    const std::string gtf = writeGtf({fgetFont("Arial", "16"), fgetFont("Courier New", "20")}, body);
    FGetFixture f(gtf);
    EXPECT_EQ(f.m.GetTextFormat(), gtf);
    EXPECT_EQ(f.m.cText(), "red big\r\nright");
    ASSERT_EQ(f.m.lines()[0].aText, (std::vector<std::string>{"red", " big"}));
    EXPECT_EQ(f.m.lines()[0].aFonts, (std::vector<int>{1, 2}));
    EXPECT_EQ(f.m.lines()[0].aColors, (std::vector<Color>{255, 0}));
    EXPECT_EQ(f.m.lines()[0].height, 20);
    EXPECT_EQ(f.m.lines()[1].nAlign, 2);
    EXPECT_EQ(f.m.lineX(f.m.lines()[1]), 80 - 5 * 10);
}

TEST(FGetModel, APlainTextLoadsAsOneFormat) {
    FGetFixture f("one\r\ntwo");
    EXPECT_EQ(f.m.cText(), "one\r\ntwo");
    EXPECT_EQ(f.m.GetLineCount(), 2);
}

TEST(FGetModel, KeysMoveByCharacterWordLineAndText) {
    FGetFixture f("alpha beta\r\ngamma");
    struct Step {
        void (FGetModel::*move)(bool);
        FGetPos expected;
    };
    const Step steps[] = {
        {&FGetModel::GoNextWord, {0, 6}}, {&FGetModel::GoNextChar, {0, 7}}, {&FGetModel::GoNextLine, {1, 5}},
        {&FGetModel::GoInitLine, {1, 0}}, {&FGetModel::GoPrevChar, {0, 10}}, {&FGetModel::GoPrevWord, {0, 6}},
        {&FGetModel::GoBottom, {1, 5}},   {&FGetModel::GoTop, {0, 0}},       {&FGetModel::GoEndLine, {0, 10}},
    };
    for (const Step& s : steps) {
        (f.m.*s.move)(false);
        EXPECT_EQ(f.m.caret(), s.expected);
    }
}

TEST(FGetModel, ShiftMovesSelectAndDeletingTheBlockJoinsParagraphs) {
    FGetFixture f("alpha beta\r\ngamma_del");
    f.m.GoNextWord();
    f.m.GoNextLine(true);
    EXPECT_TRUE(f.m.lBlock());
    EXPECT_EQ(f.m.GetBlockText(), "beta\r\ngamma_");
    EXPECT_TRUE(f.m.DelBlock());
    EXPECT_EQ(f.m.cText(), "alpha del");
}

TEST(FGetModel, CtrlBackspaceAndCtrlDeleteTakeAWord) {
    FGetFixture f("one two three");
    f.m.GoTo({0, 7});
    EXPECT_TRUE(f.m.DeleteInit());
    EXPECT_EQ(f.m.cText(), "one  three");
    f.m.GoTo({0, 4});
    EXPECT_TRUE(f.m.DeleteEnd());
    EXPECT_EQ(f.m.cText(), "one three");
}

TEST(FGetModel, BackspaceAtTheStartDoesNothingAndDeleteAtTheEndNeither) {
    FGetFixture f("ab");
    EXPECT_FALSE(f.m.BackSpace());
    f.m.GoBottom();
    EXPECT_FALSE(f.m.Delete());
    EXPECT_EQ(f.m.cText(), "ab");
}

TEST(FGetModel, OverwriteReplacesTheCharacterAtTheCaret) {
    FGetFixture f("abc");
    f.m.Char('X', false);
    EXPECT_EQ(f.m.cText(), "Xbc");
}

TEST(FGetModel, PasteOfGtfKeepsFontsAndColoursAndMergesTheFontTable) {
    FGetFixture f("ab");
    f.m.GoNextChar();
    const std::string block = writeGtf({fgetFont("Courier New", "20")}, std::string("\x0f") + "1\x05\x10" + "255\x05XY");
    EXPECT_TRUE(f.m.Paste(block, std::nullopt, std::string("ignored")));
    EXPECT_EQ(f.m.cText(), "aXYb");
    ASSERT_EQ(f.m.aFonts.size(), 2u);
    EXPECT_EQ(f.m.lines()[0].aFonts, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(f.m.lines()[0].aColors[1], 255u);
    EXPECT_EQ(f.m.caret(), (FGetPos{0, 3}));
}

TEST(FGetModel, PasteOfRtfKeepsItsColour) {
    FGetFixture f;
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                            "\\pard\\f0\\fs20\\cf1 hot\\cf0  cold\\par}";
    EXPECT_TRUE(f.m.Paste(std::nullopt, rtf, std::string("plain")));
    EXPECT_EQ(f.m.cText().substr(0, 8), "hot cold");
    EXPECT_EQ(f.m.lines()[0].aColors[0], 255u);
}

TEST(FGetModel, PasteOfPlainTextTakesTheFormatAtTheCaret) {
    const std::string gtf = writeGtf({fgetFont("Arial", "16")}, std::string("\x0f") + "1\x05\x10" + "255\x05red");
    FGetFixture f(gtf);
    f.m.GoBottom();
    EXPECT_TRUE(f.m.Paste(std::nullopt, std::nullopt, std::string("der")));
    EXPECT_EQ(f.m.cText(), "redder");
    EXPECT_EQ(f.m.lines()[0].aColors, (std::vector<Color>{255}));
}

TEST(FGetModel, ALongPasteIsKeptWhole) {
    FGetFixture f;
    std::string big(70000, 'z');
    for (size_t i = 9; i < big.size(); i += 10) big[i] = ' ';
    EXPECT_TRUE(f.m.Paste(std::nullopt, std::nullopt, big));
    EXPECT_EQ(f.m.Len(), 70000);
    f.m.SelectAll();
    EXPECT_EQ(f.m.GetBlockText().size(), 70000u);
}

TEST(FGetModel, CopiedBlockIsGtfOfTheSelectionOnly) {
    const std::string gtf = writeGtf({fgetFont("Arial", "16")}, std::string("\x11") + "0\x05\x0f" + "1\x05\x10" +
                                                                     "0\x05" + "abc def");
    FGetFixture f(gtf);
    f.m.GoTo({0, 4});
    f.m.GoEndLine(true);
    EXPECT_EQ(f.m.GetBlock(), writeGtf({fgetFont("Arial", "16")},
                                       std::string("\x11") + "0\x05\x0f" + "1\x05\x10" + "0\x05" + "def"));
}

TEST(FGetModel, SetFormatOnASelectionAdoptsAnEqualFont) {
    FGetFixture f("abcd");
    f.m.GoTo({0, 1});
    f.m.GoTo({0, 3}, true);
    f.m.SetFormat(fgetFont("Arial", "16"), 65280);
    EXPECT_EQ(f.m.aFonts.size(), 1u);
    EXPECT_EQ(f.m.lines()[0].aColors, (std::vector<Color>{0, 65280, 0}));
    f.m.SetFormat(fgetFont("Courier New", "20"), 65280);
    EXPECT_EQ(f.m.aFonts.size(), 2u);
    EXPECT_EQ(f.m.lines()[0].aFonts, (std::vector<int>{1, 2, 1}));
}

TEST(FGetModel, SetAlignIsAlwaysLeftWithAHorizontalScroll) {
    FGetFixture f("abc");
    f.m.SetAlign(1);
    EXPECT_EQ(f.m.lineX(f.m.lines()[0]), (80 - 24) / 2);
    FGetFixture g("abc");
    g.m.lHScroll = true;
    g.m.SetAlign(2);
    EXPECT_EQ(g.m.nAlign(), 0);
}

TEST(FGetModel, FindSearchesParagraphsAndSelectsTheMatch) {
    FGetFixture f("one two three two");
    EXPECT_TRUE(f.m.Find("two three", false));  // across a soft wrap
    EXPECT_EQ(f.m.caret(), (FGetPos{0, 4}));
    EXPECT_EQ(f.m.GetBlockText(), "two three");
    EXPECT_TRUE(f.m.Find("two", true));
    EXPECT_EQ(f.m.caret(), (FGetPos{0, 14}));
    EXPECT_FALSE(f.m.Find("two", true));
    EXPECT_FALSE(f.m.Find("four", false));
}

TEST(FGetModel, AClickPutsTheCaretOnTheNearestCharacter) {
    FGetFixture f("abcdef\r\nxyz");
    f.m.SetAlign(0);
    struct Click {
        int x, y;
        FGetPos expected;
    };
    const Click clicks[] = {{0, 0, {0, 0}}, {11, 5, {0, 1}}, {13, 5, {0, 2}}, {500, 5, {0, 6}},
                            {9, 17, {1, 1}}, {9, 500, {1, 1}}};
    for (const Click& c : clicks) {
        f.m.MoveCaret(c.x, c.y);
        EXPECT_EQ(f.m.caret(), c.expected) << c.x << "," << c.y;
    }
}

TEST(FGetModel, DoubleClickSelectsTheWordOrTheLeadingBlanks) {
    FGetFixture f("   lead word");
    f.m.GoTo({0, 9});
    f.m.BlockWord();
    EXPECT_EQ(f.m.GetBlockText(), "word");
    f.m.GoTo({0, 1});
    f.m.BlockWord();
    EXPECT_EQ(f.m.GetBlockText(), "   ");
}

TEST(FGetModel, TheCaretLineStaysInView) {
    FGetFixture f;
    for (int i = 0; i < 8; ++i) {
        f.type("x");
        f.m.Return();
    }
    EXPECT_EQ(f.m.nLineRow(), 9);
    EXPECT_EQ(f.m.nLineFirst(), 6);  // four 16-pixel lines fill 64 pixels
    EXPECT_EQ(f.m.nRow(), 48);
    f.m.GoTop();
    EXPECT_EQ(f.m.nLineFirst(), 1);
}

TEST(FGetModel, AnEmptyParagraphKeepsTheFormatTypedInto) {
    FGetFixture f;
    f.m.SetFormat(fgetFont("Courier New", "20"), 255);
    f.type("a");
    EXPECT_EQ(f.m.lines()[0].aFonts, (std::vector<int>{2}));
    f.m.Return();
    EXPECT_EQ(f.m.lines()[1].height, 20);
    f.type("b");
    EXPECT_EQ(f.m.lines()[1].aColors, (std::vector<Color>{255}));
}

TEST(FGetModel, LeadingAndTrailingBlanksAreCountedWithoutLineEnds) {
    struct Case {
        const char* text;
        int left, right;
    };
    const Case cases[] = {{"  ab \r\n", 2, 1}, {"ab", 0, 0}, {"   \r\n", 3, 3}, {"", 0, 0}, {" a\r\n b ", 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LenLTrim(c.text), c.left);
        EXPECT_EQ(LenRTrim(c.text), c.right);
        EXPECT_EQ(LenTrim(c.text), c.right);
    }
}

}  // namespace
