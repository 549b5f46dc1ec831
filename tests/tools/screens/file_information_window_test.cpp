// The "X12 File Information" window under Wine: its controls, a shared
// sample examined through "Select a File", and the loop it runs in.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "file_information_window.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_dialog.hpp"

namespace {

const std::string kInfoSample = std::string(ZR_SAMPLES) + "/LinuxForHealth-x12/two-claims-single-provider.837i";

std::string infoWindowText(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

// The texts of the window's static controls, in creation order.
std::vector<std::string> infoStatics(HWND window) {
    std::vector<std::string> out;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "Static") out.push_back(infoWindowText(c));
    }
    return out;
}

// The first item (depth first) with that text; null when none.
HTREEITEM infoItemWithText(HWND tree, HTREEITEM item, const std::string& text) {
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                 reinterpret_cast<LPARAM>(item)))) {
        char buffer[256] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = sizeof buffer;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        if (text == buffer) return item;
        const auto child = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        if (HTREEITEM found = infoItemWithText(tree, child, text)) return found;
    }
    return nullptr;
}

}  // namespace

TEST(FileInformationWindow, AClaimParentsChildrenAreMadeWhenItIsFirstExpanded) {
    zr::FileInformationWindow info;
    zrtest::PromptRecorder prompts;
    prompts.answerFile(kInfoSample);
    info.selectFile();
    HWND tree = info.tree().hWnd;
    const LRESULT before = SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM sbr = infoItemWithText(tree, root, "SBR");
    ASSERT_NE(sbr, nullptr);
    // Closed, over one stand-in child, until it is expanded.
    EXPECT_EQ(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(sbr), TVIS_EXPANDED) & TVIS_EXPANDED, 0);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(sbr));
    EXPECT_GT(SendMessageA(tree, TVM_GETCOUNT, 0, 0), before + 5);
    EXPECT_NE(infoItemWithText(tree, root, "CLM CLM"), nullptr);
}

TEST(FileInformationWindow, ShowsTheCountsTotalsTreeAndReportOfTheChosenFile) {
    zr::FileInformationWindow info;
    HWND w = info.window().hWnd;
    ASSERT_TRUE(IsWindow(w));
    EXPECT_EQ(infoWindowText(w), "X12 File Information");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(kInfoSample);
    info.selectFile();
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Select X12 File");
    EXPECT_EQ(info.summary().claims, 2u);
    const std::vector<std::string> statics = infoStatics(w);
    ASSERT_EQ(statics.size(), 14u);
    EXPECT_EQ(statics[0], "Batches: ");
    EXPECT_EQ(statics[1], "1");
    EXPECT_EQ(statics[2], "Claims: ");
    EXPECT_EQ(statics[3], "2");
    EXPECT_EQ(statics[5], zr::summaryAmount(info.summary().claimsTotal));
    // The tree holds the file's envelope, expanded.
    HWND tree = info.tree().hWnd;
    EXPECT_GT(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 10);
    // A second file empties the tree first.
    const LRESULT first = SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    prompts.answerFile(kInfoSample);
    info.selectFile();
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), first);
    // Cancelling leaves the root alone and zeros.
    info.selectFile();
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(infoStatics(w)[3], "0");
}

TEST(FileInformationWindow, TheReportShowsTheControlCharacters) {
    zrtest::TempDir dir;
    const std::string file = dir.write("crlf.x12",
        "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000101*0*P*:~\r\n");
    zr::FileInformationWindow info;
    zrtest::PromptRecorder prompts;
    prompts.answerFile(file);
    info.selectFile();
    HWND edit = nullptr;
    for (HWND c = GetWindow(info.window().hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "Edit") edit = c;
    }
    ASSERT_TRUE(edit);
    EXPECT_EQ(infoWindowText(edit), "Character(13):Position(106)\r\nCharacter(10):Position(107)\r\n");
    // The report is read only: typing changes nothing.
    SendMessageA(edit, WM_CHAR, 'x', 1);
    EXPECT_EQ(infoWindowText(edit), "Character(13):Position(106)\r\nCharacter(10):Position(107)\r\n");
}

TEST(FileInformationWindow, RunsItsOwnLoopUntilExitWhenNoneIsRunning) {
    zrtest::PromptRecorder prompts;
    prompts.answerFile(kInfoSample);
    zrtest::UserScript script({
        {"X12 File Information", [](HWND w) { EXPECT_TRUE(zr::pressButton(w, "Select a File")); }},
        {"X12 File Information", [](HWND w) { EXPECT_TRUE(zr::pressButton(w, "Exit")); }},
    });
    std::unique_ptr<zr::FileInformationWindow> info = zr::CTLD47300();
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(info->summary().claims, 2u);
    EXPECT_FALSE(info->isOpen());
}
