// The real Scintilla component beside the test program: text in and out,
// the source setup colouring a text through Lexilla, bookmarks, find, and
// closing a modified text whose save fails or is cancelled.
#include "scintilla.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include <thread>

#include "dialog.hpp"
#include "dialog_waiter.hpp"
#include "dlg_find.hpp"
#include "messages.hpp"
#include "parent_window.hpp"
#include "printer.hpp"
#include "profile_files.hpp"
#include "unix_tools.hpp"

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


struct ScintillaShown {
    wltest::Parent p{300, 400};
    TScintilla s;
    ScintillaShown() {
        s.New(0, 0, 380, 280, &p.w);
        s.SetText("first\r\nsecond line\r\nthird\r\nfourth");
    }
};

TEST(Scintilla, OpenLoadsAnExistingFileAndHandsItsNameOn) {
    ScintillaShown f;
    const std::string file = std::string(ZR_FIXTURES) + "/../scintilla_open_test.prg";
    {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fputs("function Main()\r\nreturn nil\r\n", out);
        std::fclose(out);
    }
    Prompts prompts;
    prompts.answer.file = file;
    std::string handed;
    EXPECT_TRUE(f.s.Open([&](const std::string& name) { handed = name; }));
    std::remove(file.c_str());
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].kind, PromptKind::File);
    EXPECT_EQ(f.s.GetText(), "function Main()\r\nreturn nil\r\n");
    EXPECT_EQ(handed, file);
    EXPECT_EQ(f.p.w.GetText(), file);
    EXPECT_FALSE(f.s.GetModify());

    prompts.answer.file = file + ".missing";
    EXPECT_FALSE(f.s.Open());
    prompts.answer.file.clear();
    EXPECT_FALSE(f.s.Open());
    EXPECT_EQ(f.s.GetText(), "function Main()\r\nreturn nil\r\n");
}

TEST(Scintilla, GoToDialogShowsTheLineAndGoesToTheOneTyped) {
    ScintillaShown f;
    f.s.GotoLine(2);
    std::string shown;
    std::thread t = zrtest::whenShown("Go To", [&](HWND box) {
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        char text[32] = {};
        GetWindowTextA(edit, text, sizeof text);
        shown = text;
        SendMessageA(edit, WM_CHAR, '4', 0);
        SendMessageA(FindWindowExA(box, nullptr, "Button", "&Ok"), BM_CLICK, 0, 0);
    });
    f.s.DlgGoToLine();
    t.join();
    EXPECT_EQ(shown, "    2");
    EXPECT_EQ(f.s.nLine(), 4);
}

TEST(Scintilla, FindDialogStartsWithTheSelectionsFirstLineAndSearches) {
    ScintillaShown f;
    f.s.SetSel(7, 20);  // "second line\r\nt"
    TDlgFind* d = f.s.DlgFindText();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->cText(), "second line");
    f.s.GotoPos(0);
    d->bSearch("fourth", true, *d);
    EXPECT_EQ(f.s.GetSelText(), "fourth");
    EXPECT_EQ(f.s.cLastFind, "fourth");
    d->End();
}

TEST(Scintilla, CtrlFOpensTheFindDialog) {
    ScintillaShown f;
    f.s.cLastFind = "third";
    SendMessageA(f.s.hWnd, WM_CHAR, 6, 0);
    HWND box = FindWindowA("#32770", nullptr);
    char text[64] = {};
    HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
    if (edit) GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "third");
    if (box) SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(Scintilla, OptionSetFontSetsTheCurrentStyleAndSaysWhenCancelled) {
    ScintillaShown f;
    f.s.StyleSet(32);
    std::string chosen;
    std::thread t = zrtest::whenShown("Font", [&](HWND box) {
        HWND faces = GetDlgItem(box, 1136);
        const int count = static_cast<int>(SendMessageA(faces, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char face[LF_FACESIZE + 1] = {};
            SendMessageA(faces, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
            if (face[0] != '@') {
                chosen = face;
                SendMessageA(faces, CB_SETCURSEL, i, 0);
                SendMessageA(box, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
                break;
            }
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    f.s.OptionSetFont();
    t.join();
    char face[LF_FACESIZE + 1] = {};
    f.s.Send(2486, 32, reinterpret_cast<LPARAM>(face));  // the style's font
    EXPECT_EQ(std::string(face), chosen);

    Prompts prompts;
    std::thread c = zrtest::whenShown("Font", [](HWND box) { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); });
    f.s.OptionSetFont();
    c.join();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].kind, PromptKind::Stop);
    EXPECT_EQ(prompts.seen[0].text, "Cancelled");
}

TEST(Scintilla, ReDefineBindsTheComponentInADialog) {
    TDialog d;
    DialogNew n;
    n.cResName = std::string("SCIDLG");
    d.New(n);
    TScintilla s;
    s.ReDefine(701, &d);
    std::string cls, text;
    LRESULT back = 0;
    DialogActivate a;
    a.bInit = [&](TWindow&) {
        back = s.Send(2482, 32);  // the default style's background
        char name[32] = {};
        GetClassNameA(s.hWnd, name, sizeof name);
        cls = name;
        s.SetText("bound");
        text = s.GetText();
        PostMessageA(d.GetItem(IDOK), BM_CLICK, 0, 0);
    };
    d.Activate(a);
    EXPECT_EQ(cls, "Scintilla");
    EXPECT_EQ(text, "bound");
    EXPECT_EQ(back, 10526880);
}

// The listing goes through the printer's pages into the PDF the job
// names (a job that names one must not end without it): 150 lines, each
// carried on to a second row past 76 columns, fill more than one page,
// each page written from its top margin and none into its bottom margin.
TEST(Scintilla, PrintListsEveryLineIntoTheJobsPdf) {
    ASSERT_TRUE(TScintilla::Load());
    wltest::Parent p(300, 400);
    TScintilla s;
    s.New(0, 0, 380, 280, &p.w);
    std::string text;
    for (int i = 1; i <= 150; ++i) text += "\tCLM*" + std::to_string(i) + "*" + std::string(90, '7') + "~\r\n";
    s.SetText(text);
    zrtest::ScratchDir dir("scintilla-print");
    PrinterOptions o;
    o.cModel = "ZRPDF," + GETPROFSTRING(std::string("Devices"), std::string("ZRPDF"));
    o.cFile = dir.file("listing.pdf");
    s.Print(o);
    ASSERT_TRUE(std::filesystem::exists(o.cFile)) << "the job's PDF was not written";
    const auto pages = zrtest::pdfPages(dir.path(), o.cFile);
    ASSERT_GE(pages.size(), 2u);
    for (const auto& page : pages) {
        EXPECT_GT(zrtest::darkShare(page, 0.0, 0.0, 0.1, 1.0), 0.0003);  // small print at 30 dpi
        EXPECT_LT(zrtest::darkShare(page, 0.985, 0.0, 1.0, 1.0), 0.001);
    }
}

TEST(Scintilla, PrintWithoutAPrinterSaysSo) {
    ASSERT_TRUE(TScintilla::Load());
    wltest::Parent p(300, 400);
    TScintilla s;
    s.New(0, 0, 380, 280, &p.w);
    s.SetText("ST*837*0001~");
    Prompts prompts;
    PrinterOptions o;
    o.cModel = "Nowhere,winspool,FILE:";
    s.Print(o);
    // The printer layer may first say that no printer is installed.
    ASSERT_FALSE(prompts.seen.empty());
    EXPECT_EQ(prompts.seen.back().kind, PromptKind::Stop);
    EXPECT_EQ(prompts.seen.back().text, "Printer not ready!");
}

// Without its component the control is a label that says so, and every
// operation answers nothing. The component, once loaded, stays for the
// process's life, so this runs in a copy of the test program in a folder
// of its own, where no component lies beside it.
constexpr const char* kAloneVariable = "ZR_SCINTILLA_ALONE";

TEST(Scintilla, WithoutItsComponentTheControlSaysSo) {
    if (const char* marker = std::getenv(kAloneVariable)) {
        EXPECT_FALSE(TScintilla::Load());
        EXPECT_FALSE(TScintilla::Loaded());
        wltest::Parent p(300, 400);
        TScintilla s;
        s.New(0, 0, 380, 280, &p.w);
        ASSERT_NE(s.hWnd, nullptr);
        char cls[32] = {}, text[256] = {};
        GetClassNameA(s.hWnd, cls, sizeof cls);
        GetWindowTextA(s.hWnd, text, sizeof text);
        EXPECT_EQ(lstrcmpiA(cls, "STATIC"), 0) << cls;
        EXPECT_STREQ(text, TScintilla::kNotLoaded);
        EXPECT_EQ(s.Send(2181, 0, 0), 0);
        s.SetText("ignored");
        EXPECT_EQ(s.GetText(), "");
        EXPECT_EQ(s.GetLineCount(), 0);
        if (!::testing::Test::HasFailure()) std::ofstream(marker) << "passed";
        return;
    }
    zrtest::ScratchDir dir("scintilla-alone");
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof self), 0u);
    const std::string copy = dir.file("alone.exe");
    std::filesystem::copy_file(self, copy);
    const std::string marker = dir.file("passed.txt");
    ASSERT_TRUE(SetEnvironmentVariableA(kAloneVariable, marker.c_str()));
    std::string line = "\"" + copy + "\" --gtest_filter=Scintilla.WithoutItsComponentTheControlSaysSo";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        dir.path().c_str(), &si, &pi);
    SetEnvironmentVariableA(kAloneVariable, nullptr);
    ASSERT_TRUE(started);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 120000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(std::filesystem::exists(marker)) << "the copy ran no test";
}

}  // namespace
