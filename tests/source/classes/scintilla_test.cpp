// The real Scintilla component beside the test program: text in and out,
// the source setup colouring a text through Lexilla, bookmarks, find, and
// closing a modified text whose save fails or is cancelled.
#include "scintilla.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "messages.hpp"
#include "parent_window.hpp"

namespace {

using namespace wl;

struct Prompts {
    std::vector<Prompt> seen;
    PromptAnswer answer;
    ScopedPromptHook hook{[this](const Prompt& p) {
        seen.push_back(p);
        return answer;
    }};
};

TEST(Scintilla, LoadsTheComponentAndEditsText) {
    ASSERT_TRUE(TScintilla::Load()) << "SciLexer.DLL beside the program";
    wltest::Parent p(300, 400);
    TScintilla s;
    s.New(0, 0, 380, 280, &p.w);
    ASSERT_NE(s.hWnd, nullptr);
    char cls[32] = {};
    GetClassNameA(s.hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "Scintilla");

    s.SetText("first\r\nsecond line\r\n\r\nfourth");
    EXPECT_EQ(s.GetText(), "first\r\nsecond line\r\n\r\nfourth");
    EXPECT_EQ(s.GetLineCount(), 4);
    EXPECT_EQ(s.GetLine(2), "second line\r\n");
    EXPECT_EQ(s.GetLine(3), "\r\n");
    EXPECT_EQ(s.GetLine(9), "");
    EXPECT_EQ(s.GetTextRange(2, 1, 2, 6), "second");
    s.GotoLine(2);
    EXPECT_EQ(s.nLine(), 2);
    EXPECT_EQ(s.nCol(), 1);

    // View switches toggle without an argument.
    s.SetViewSpace(true);
    EXPECT_EQ(s.Send(2020), 1);
    s.SetViewSpace();
    EXPECT_EQ(s.Send(2020), 0);
    s.SetEOL();
    EXPECT_EQ(s.Send(2355), 1);
    s.SetIndent();
    EXPECT_EQ(s.Send(2133), 3);

    // Undo history is emptied with Scintilla's own message.
    s.AddText("x");
    EXPECT_TRUE(s.CanUndo());
    s.EmptyUndoBuffer();
    EXPECT_FALSE(s.CanUndo());

    // F2 inserts the separator block and leaves the caret after it.
    s.ClearAll();
    SendMessageA(s.hWnd, WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(s.GetText(), "//" + std::string(76, '-') + "//\r\n\r\n");
    EXPECT_EQ(s.GetCurrentPos(), 84);
}

TEST(Scintilla, SetupColoursSourceThroughLexilla) {
    wltest::Parent p(300, 400);
    TScintilla s;
    s.New(0, 0, 380, 280, &p.w);
    s.Setup();
    const std::string text = "// a comment\r\nlocal nValue := \"text\"\r\nreturn 42\r\n";
    s.SetText(text);
    s.Send(4003, 0, -1);  // colour the whole text now
    auto styleAt = [&](std::string_view token) {
        return static_cast<int>(s.Send(2010, text.find(token)));
    };
    const int comment = styleAt("a comment"), keyword = styleAt("local"), string = styleAt("\"text\"");
    const int number = styleAt("42"), name = styleAt("nValue");
    EXPECT_NE(comment, 0);
    EXPECT_NE(keyword, name);
    EXPECT_NE(string, name);
    EXPECT_NE(number, name);
    EXPECT_EQ(std::set<int>({comment, keyword, string, number}).size(), 4u);
    EXPECT_EQ(styleAt("return"), styleAt("return"));
}

TEST(Scintilla, BookmarksAndFind) {
    Prompts prompts;
    wltest::Parent p(300, 400);
    TScintilla s;
    s.New(0, 0, 380, 280, &p.w);
    s.SetText("alpha\r\nbeta\r\ngamma beta\r\n");
    s.BookmarkNext();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, "No bookmarks...");
    s.SetToggle();  // on line 1, the current one: still none to go to
    s.BookmarkNext();
    EXPECT_EQ(prompts.seen.size(), 2u);
    s.GotoLine(3);
    s.SetToggle();
    s.GotoLine(1);
    s.BookmarkNext();
    EXPECT_EQ(s.nLine(), 3);
    EXPECT_EQ(prompts.seen.size(), 2u);

    s.GotoPos(0);
    EXPECT_TRUE(s.FindText("beta"));
    EXPECT_EQ(s.GetSelText(), "beta");
    EXPECT_EQ(s.nLine(), 2);
    EXPECT_TRUE(s.FindNext());  // the selected text again
    EXPECT_EQ(s.nLine(), 3);
    EXPECT_FALSE(s.FindNext());
    EXPECT_EQ(s.cLastFind, "beta");
}

TEST(Scintilla, CloseKeepsTheTextWhenTheSaveFails) {
    Prompts prompts;
    wltest::Parent p(300, 400);
    TScintilla s;
    s.New(0, 0, 380, 280, &p.w);
    s.SetText("unsaved work");
    ASSERT_TRUE(s.GetModify());

    // Yes to saving, then Cancel in the save dialog: nothing is closed.
    prompts.answer.yes = true;
    EXPECT_FALSE(s.Close());
    EXPECT_EQ(s.GetText(), "unsaved work");
    EXPECT_TRUE(s.GetModify());

    // A file that cannot be written: reported, text and state kept.
    s.cFileName = "no-such-folder\\deeper\\out.prg";
    prompts.seen.clear();
    EXPECT_FALSE(s.Close());
    EXPECT_EQ(s.GetText(), "unsaved work");
    EXPECT_TRUE(s.GetModify());
    ASSERT_GE(prompts.seen.size(), 2u);
    EXPECT_EQ(prompts.seen[0].text, "Save the changes ?");
    EXPECT_EQ(prompts.seen[0].caption, "File has changed");

    // A good save closes; the file holds the text.
    s.cFileName = "scintilla_close.prg";
    EXPECT_TRUE(s.Close());
    EXPECT_EQ(s.GetText(), "");
    EXPECT_EQ(s.cFileName, "");
    EXPECT_FALSE(s.GetModify());
    TScintilla back;
    back.New(0, 0, 100, 100, &p.w);
    EXPECT_TRUE(back.OpenFile("scintilla_close.prg"));
    EXPECT_EQ(back.GetText(), "unsaved work");
    std::remove("scintilla_close.prg");

    // An unmodified text closes without a question.
    prompts.seen.clear();
    EXPECT_TRUE(back.Close());
    EXPECT_TRUE(prompts.seen.empty());
}

}  // namespace
