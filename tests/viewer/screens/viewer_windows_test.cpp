// The viewer's windows under Wine: a scripted user (a timer that acts on the
// top dialog once it is up and enabled) walks the pickers, the segment list,
// its prompts and element dialogs; an observer records what each dialog
// listed when it opened. Also Notepad started on a path with blanks.
#include "viewer_windows.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>
#include <set>

#include "delimiters.hpp"
#include "module_state.hpp"
#include "prompts.hpp"
#include "segment_list_window.hpp"
#include "user_script.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::Step;
using zrtest::UserScript;

auto press(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

// Types into the prompt's edit field and presses its button.
auto answer(const std::string& text, const std::string& button) {
    return [text, button](HWND w) {
        HWND edit = FindWindowExA(w, nullptr, "Edit", nullptr);
        ASSERT_TRUE(edit);
        zrtest::typeInto(edit, text);
        pressButton(w, button);
    };
}

// The claims screen of the professional fixtures.
const std::string kClaims = "View X12 837 Version 5010 PROFESSIONAL";

struct Recorder {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& d : shown) out.push_back(d.caption);
        return out;
    }
};

TEST(ViewerWindows, ViewX12FileOpensTheClaimsScreenOfTheChosenFile) {
    zrtest::PromptRecorder prompts;
    prompts.answerFile(zrtest::x12Fixture("837p_two_claims.x12"));
    Recorder rec;
    UserScript script({{kClaims, press("View Data")}, {"View X12 ", press("Exit")}, {kClaims, press("Exit")}});
    viewX12File("ZRK7W315", "", "", rec.ui());
    ASSERT_EQ(rec.captions(), (std::vector<std::string>{kClaims, "View X12 "}));
    ASSERT_FALSE(rec.shown[0].lines.empty());
    EXPECT_EQ(rec.shown[0].lines[0].substr(0, 19), "1     P SMITH JOHN ");
    ASSERT_FALSE(rec.shown[1].lines.empty());
    EXPECT_EQ(rec.shown[1].lines[0].substr(0, 12), "        - IS");
    EXPECT_EQ(prompts.prompts().at(0).kind, wl::PromptKind::File);
    EXPECT_TRUE(UserScript::done());
}

TEST(ViewerWindows, InterchangePickerListsEachAndOpensTheChosenOne) {
    zrtest::PromptRecorder prompts;
    Recorder rec;
    const std::string pick = "Select Interchange Control Batch (ISA)";
    UserScript script({{pick, press("Select Batch")},
                       {kClaims, press("View Data")},
                       {"View X12 ", press("Exit")},
                       {kClaims, press("Exit")},
                       {pick, press("Exit")}});
    viewX12File("ZRK7W315", zrtest::x12Fixture("two_interchanges.x12"), "", rec.ui());
    ASSERT_EQ(rec.captions(), (std::vector<std::string>{pick, kClaims, "View X12 ", pick}));
    EXPECT_EQ(rec.shown[0].lines,
              (std::vector<std::string>{"1 837  000000001  005010X222A1", "2 835  000000002  005010X221A1"}));
    // The first interchange alone: its one claim, and its ST the list's third row.
    EXPECT_EQ(rec.shown[1].lines.size(), 2u);
    EXPECT_EQ(rec.shown[2].lines.at(2).substr(0, 18), "     1> - ST*837*0");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(ViewerWindows, SetPickerListsTheSetsWhenTheUserWantsThemOneByOne) {
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);
    Recorder rec;
    const std::string pick = "Select Transaction Set (ST)";
    UserScript script({{pick, [](HWND w) {
                            HWND list = FindWindowExA(w, nullptr, "TWBROWSE", nullptr);
                            if (list) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
                            pressButton(w, "Select Set");
                        }},
                       {kClaims, press("Exit")},
                       {pick, press("Exit")}});
    viewX12File("ZRK7W315", zrtest::x12Fixture("837p_two_sets.x12"), "", rec.ui());
    ASSERT_EQ(rec.captions(), (std::vector<std::string>{pick, kClaims, pick}));
    // The second set's two claims.
    EXPECT_EQ(rec.shown[1].lines.at(0).substr(0, 18), "1     P BROWN ANN ");
    ASSERT_EQ(rec.shown[0].lines.size(), 2u);
    EXPECT_EQ(rec.shown[0].lines[1], "2 837  005010X222A1  ACME BILLING");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Would you like to see the individual batchs?"});
}

TEST(ViewerWindows, SearchGoToAndTheElementDialogs) {
    zrtest::PromptRecorder prompts;
    Recorder rec;
    UserScript script({
        {kClaims, press("View Data")},
        {"View X12 ", press("Search")},
        {"Search", answer("clm", "Find")},
        {"View X12 ", press("Select")},
        {"CLM Segment ", press("Select")},
        {"Segment CLM Element 1", press("Exit")},
        {"CLM Segment ", press("Exit")},
        {"View X12 ", press("Go To")},
        {"Go To Segement", answer("0", "Go To")},
        {"View X12 ", press("Select")},
        {"GS Segment ", press("Exit")},
        {"View X12 ", press("Search")},
        {"Search", answer("NOWHERE", "Find")},
        {"View X12 ", press("Exit")},
        {kClaims, press("Exit")},
    });
    viewX12File("ZRK7W315", zrtest::x12Fixture("837p_two_claims.x12"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    const std::vector<std::string> captions = rec.captions();
    ASSERT_EQ(captions.size(), 8u);
    EXPECT_EQ(captions[2], "Search");
    EXPECT_EQ(rec.shown[2].lines.at(0), std::string(40, ' '));  // the offered text, filled to 40
    EXPECT_EQ(captions[3], "CLM Segment ");
    EXPECT_EQ(rec.shown[3].lines.at(0), "Element 1 = PAT001");
    EXPECT_EQ(rec.shown[3].lines.at(4), "Element 5 = 3 Subelements 11:B:1");
    EXPECT_EQ(rec.shown[4].lines.at(0), "PAT001");
    EXPECT_EQ(captions[6], "GS Segment ");
    EXPECT_EQ(rec.shown[7].lines.at(0), "clm" + std::string(37, ' '));  // the last search text offered
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"NOWHERE Not Found"});
}

TEST(ViewerWindows, PromptsReturnTheEditedTextHoweverClosed) {
    UserScript script({{"Search", [](HWND w) {
                            zrtest::typeInto(FindWindowExA(w, nullptr, "Edit", nullptr), "typed");
                            PostMessageA(w, WM_COMMAND, IDCANCEL, 0);  // Escape
                        }}});
    EXPECT_EQ(CTL394SEEK(std::string(50, 'x')).substr(0, 5), "typed");
    UserScript whole({{"Search", [](HWND w) { pressButton(w, "Find"); }}});
    EXPECT_EQ(CTL394SEEK(std::string(50, 'x')), std::string(50, 'x'));  // never shortened
}

TEST(ViewerWindows, AfterAnUnattendedRunTheGenericListShowsNothing) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    ScreenCall call;
    call.table = &t;
    moduleState().viewerState = ViewerState::Unattended;
    Recorder rec;
    EXPECT_EQ(CTLD39420(call, rec.ui()), "");
    moduleState().viewerState = ViewerState::Interactive;
    EXPECT_TRUE(rec.shown.empty());
    call.mode = 100;
    EXPECT_EQ(openTransactionScreen(ScreenKind::SegmentList, call).substr(0, 9), "        -");
    EXPECT_EQ(openTransactionScreen(ScreenKind::Claims837, call).substr(0, 22), "X12 837 Claims Report.");
}

// Wine's notepad runs in its own process: found by its window class once
// it shows the file, read through WM_GETTEXT, then closed.
TEST(ViewerWindows, NotepadOpensAPathWithBlanks) {
    zrtest::TempDir dir;
    std::filesystem::create_directory(dir.file("with blanks"));
    const std::string file = dir.write("with blanks/not x12.txt", "HELLO NOTEPAD");
    const std::string path = file;
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);
    prompts.answerNext(true);
    ViewerWindows windows;
    ViewerRequest r;
    r.fileName = path;
    EXPECT_EQ(CTLD39400(r, windows), path + " ISA segment is unreadable. This may not be a standard X12 file.");
    HWND pad = nullptr;
    std::string text;
    for (int i = 0; i < 300 && text != "HELLO NOTEPAD"; ++i) {
        Sleep(50);
        pad = FindWindowA("Notepad", nullptr);
        if (!pad) continue;
        HWND edit = FindWindowExA(pad, nullptr, "Edit", nullptr);
        char buf[64] = {};
        if (edit) SendMessageA(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        text = buf;
    }
    EXPECT_EQ(text, "HELLO NOTEPAD");
    ASSERT_TRUE(pad);
    DWORD pid = 0;
    GetWindowThreadProcessId(pad, &pid);
    PostMessageA(pad, WM_CLOSE, 0, 0);
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

// The shared samples with their ST01 ("" for none), as their README lists them.
std::vector<std::pair<std::string, std::string>> viewerSampleSets() {
    std::ifstream in(std::string(ZR_SAMPLES) + "/README.md", std::ios::binary);
    std::vector<std::pair<std::string, std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        std::vector<std::string> cells;
        for (std::size_t p = 2, q; (q = line.find(" | ", p)) != std::string::npos; p = q + 3)
            cells.push_back(line.substr(p, q - p));
        if (cells.size() < 4) continue;
        const std::string st01 = cells[3] == "\xE2\x80\x94" ? "" : cells[3];
        rows.emplace_back(cells[0].substr(1, cells[0].size() - 2), st01);
    }
    return rows;
}

// The caption a set's screen opens with.
std::string viewerSampleCaption(const std::string& st01) {
    if (st01 == "837" || st01 == "835" || st01 == "277") return "View X12 " + st01;
    if (st01 == "997" || st01 == "999") return "997/999 Acknowledgement";
    if (st01 == "270" || st01 == "271") return "View X12 " + st01;
    return "View X12 ";
}

// Every shared sample chosen in "View X12 File" opens on the screen of its
// set, and that screen lists something. The user reads a file with text
// before its ISA (without Notepad), wants the sets one by one, takes the
// first interchange and set in a picker, and leaves every screen by "Exit".
TEST(ViewerWindows, EverySharedSampleOpensOnItsScreen) {
    ZR_REQUIRE_SAMPLES();
    const auto samples = viewerSampleSets();
    ASSERT_EQ(samples.size(), 72u);
    for (const auto& [name, st01] : samples) {
        SCOPED_TRACE(name);
        const std::string file = std::string(ZR_SAMPLES) + "/" + name;
        zrtest::PromptRecorder prompts(true);
        if (!CTL39400AK(file)) {
            prompts.answerNext(true);   // read it
            prompts.answerNext(false);  // not in Notepad
        }
        std::vector<ShownDialog> screens;
        std::set<std::string> pickersSeen;
        ViewerUi ui{[&](const ShownDialog& d) {
            const bool picker = d.caption == "Select Interchange Control Batch (ISA)" ||
                                d.caption == "Select Transaction Set (ST)";
            if (!picker) {
                screens.push_back(d);
                pressButton(d.hWnd, "Exit");
            } else if (pickersSeen.insert(d.caption).second) {
                pressButton(d.hWnd, d.caption[7] == 'I' ? "Select Batch" : "Select Set");
            } else {
                pressButton(d.hWnd, "Exit");
            }
        }};
        viewX12File("ZRK7W315", file, "", ui);
        ASSERT_FALSE(screens.empty()) << (prompts.texts().empty() ? "" : prompts.texts().back());
        EXPECT_EQ(screens[0].caption.substr(0, viewerSampleCaption(st01).size()), viewerSampleCaption(st01));
        EXPECT_FALSE(screens[0].lines.empty());
    }
}

}  // namespace
