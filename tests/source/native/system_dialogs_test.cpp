// The system dialogs under Wine, each answered by a helper thread that finds
// the dialog, reads it and presses a button: no dialog ever waits.
#include "system_dialogs.hpp"
#include "dialog_waiter.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "test_support.hpp"
#include "text.hpp"

namespace {

namespace fs = std::filesystem;

using zrtest::whenShown;

TEST(SystemDialogs, MessageBoxAnswersTheButtonPressed) {
    auto t = whenShown("Choose", [](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0); });
    EXPECT_EQ(wl::MSGYESNOCANCEL("Keep it?", "Choose"), IDNO);
    t.join();
}

TEST(SystemDialogs, FileDialogAnswersPathsOf256BytesAndMore) {
    zrtest::TempDir tmp;
    std::string dir = tmp.path();
    // Nested folders until the file's full path passes 256 bytes.
    while (dir.size() < 230) {
        dir += "\\" + std::string(40, 'd');
        dir.resize(std::min<std::size_t>(dir.size(), 235));
    }
    fs::create_directories(fs::path(dir));
    std::string file = dir + "\\" + std::string(258 - dir.size() - 1 - 4, 'f') + ".txt";
    ASSERT_GE(file.size(), 256u);
    ASSERT_LT(file.size(), 260u);
    auto t = whenShown("Save long", [file](HWND box) {
        SetDlgItemTextA(box, 1148, file.c_str());  // the file-name box
        SetDlgItemTextA(box, 1152, file.c_str());
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    wl::FileDialogRequest r;
    r.title = "Save long";
    r.save = true;
    r.flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    const std::string chosen = wl::FILEDIALOG(r);
    t.join();
    EXPECT_EQ(wl::upper(chosen), wl::upper(file));
}

TEST(SystemDialogs, FileDialogCancelAnswersEmptyAndKeepsTheFilter) {
    auto t = whenShown("Pick one", [](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); });
    wl::FileDialogRequest r;
    r.title = "Pick one";
    r.filter = "Text|*.txt|All|*.*";
    r.filterIndex = 2;
    EXPECT_EQ(wl::FILEDIALOG(r), "");
    t.join();
    EXPECT_EQ(wl::LASTFILEFILTER(), 2);
}

// The file list of an open dialog (the shell view's list).
HWND fileList(HWND parent) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "SysListView32") return c;
        if (HWND inner = fileList(c)) return inner;
    }
    return nullptr;
}

// A plain mask such as "*.xml" lists only the files it matches.
TEST(SystemDialogs, APlainMaskFiltersTheFiles) {
    zrtest::TempDir tmp;
    tmp.write("a.xml", "<a/>");
    tmp.write("b.txt", "b");
    tmp.write("c.csv", "c");
    int listed = -1;
    auto t = whenShown("Select an XML file", [&listed](HWND box) {
        // The shell view fills its list after the dialog shows.
        for (int tries = 0; tries < 50 && listed <= 0; ++tries) {
            Sleep(100);
            if (HWND list = fileList(box)) listed = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    });
    wl::FileDialogRequest r;
    r.title = "Select an XML file";
    r.filter = "*.xml";
    r.initialDir = tmp.path();
    EXPECT_EQ(wl::FILEDIALOG(r), "");
    t.join();
    EXPECT_EQ(listed, 1);
}

TEST(SystemDialogs, FindTextOwnsItsBufferAndAnswersTheMessageEveryTime) {
    HWND owner = CreateWindowA("STATIC", "find owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
    UINT first = 0, second = 0;
    HWND dlg = nullptr;
    {
        std::string caller = "needle";
        dlg = wl::FINDTEXT(caller, owner, &first);
        caller.assign(100, 'x');  // the caller's text changes and goes away
    }
    ASSERT_NE(dlg, nullptr);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(wl::findTextBuffer(), "needle");
    char shown[64] = {};
    GetDlgItemTextA(dlg, 1152, shown, sizeof shown);
    EXPECT_STREQ(shown, "needle");
    HWND again = wl::FINDTEXT("", owner, &second);
    EXPECT_EQ(second, first);
    EXPECT_FALSE(IsWindow(dlg));  // one find dialog at a time
    DestroyWindow(again);
    DestroyWindow(owner);
}

TEST(SystemDialogs, ColourDialogAnswersTheStartColourOnOk) {
    auto t = whenShown("Color", [](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    const COLORREF c = wl::CHOOSECOLOR(RGB(10, 20, 30));
    t.join();
    EXPECT_EQ(c, RGB(10, 20, 30));
}

// Finds the first dialog of this process, reads its caption and whether a
// child shows `prompt`, and cancels it: the browser never waits, even when the
// caption is wrong.
struct Look {
    const std::string* prompt;
    bool found;
};
// A stdcall callback, as 32-bit programs need: no lambda converts to it.
BOOL CALLBACK lookForText(HWND child, LPARAM data) {
    auto* l = reinterpret_cast<Look*>(data);
    char t[256] = {};
    GetWindowTextA(child, t, sizeof t);
    if (*l->prompt == t) l->found = true;
    return TRUE;
}
struct SeenBrowser {
    std::string caption;
    bool promptShown = false;
};
std::thread cancelFirstDialog(const std::string& prompt, SeenBrowser& seen) {
    return std::thread([prompt, &seen] {
        for (int i = 0; i < 500; ++i) {
            HWND box = nullptr;
            while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
                DWORD pid = 0;
                GetWindowThreadProcessId(box, &pid);
                if (pid == GetCurrentProcessId() && IsWindowVisible(box)) break;
            }
            if (box) {
                Sleep(100);
                char text[256] = {};
                GetWindowTextA(box, text, sizeof text);
                seen.caption = text;
                Look look{&prompt, false};
                EnumChildWindows(box, &lookForText, reinterpret_cast<LPARAM>(&look));
                seen.promptShown = look.found;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                return;
            }
            Sleep(20);
        }
    });
}

TEST(SystemDialogs, FolderBrowserTitlesItselfWithTheCaptionAndShowsThePrompt) {
    SeenBrowser seen;
    // No prompt hook: a hook answers folder choices itself.
    wl::ScopedPromptHook none({});
    auto t = cancelFirstDialog("Choose the folder of the files", seen);
    EXPECT_EQ(wl::CGETDIR("Source Folder", "", 0, "Choose the folder of the files"), "");
    t.join();
    EXPECT_EQ(seen.caption, "Source Folder");
    EXPECT_TRUE(seen.promptShown);
}

TEST(SystemDialogs, APromptHookAnswersTheFolderChoice) {
    zrtest::PromptRecorder prompts;
    prompts.answerFile("C:\\chosen");
    EXPECT_EQ(wl::CGETDIR("Source Folder", "", 0, "Pick one"), "C:\\chosen");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].function, "CGETDIR");
    EXPECT_EQ(prompts.prompts()[0].caption, "Source Folder");
}

TEST(SystemDialogs, FolderBrowserFlagsDependOnTheRoot) {
    struct Case {
        int root;
        UINT flags;
        UINT expected;
    };
    const Case cases[] = {
        {0, 0, 83u},                         // no root: file-system folders, edit box, new style
        {CSIDL_DESKTOP + 5, 0, 0u},          // a root folder starts from none
        {0, BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORCOMPUTER},
        {CSIDL_PERSONAL, BIF_EDITBOX, BIF_EDITBOX},
    };
    for (const Case& c : cases) EXPECT_EQ(wl::folderBrowserFlags(c.root, c.flags), c.expected) << c.root << "/" << c.flags;
}

}  // namespace
