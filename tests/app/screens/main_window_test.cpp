// The main window under Wine, in-process: built, activated, driven through
// its commands; batch runs that convert and close the window.
#include "main_window.hpp"

#include <gtest/gtest.h>

#include "error_dialog.hpp"
#include "error_report.hpp"
#include "loopback_http_server.hpp"
#include "message_loop.hpp"
#include "module_state.hpp"
#include "paths.hpp"
#include "popup_menus.hpp"
#include "progress_meter_window.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_dialog.hpp"

namespace {

using namespace zr;

// Ends a message loop that would otherwise never end, and says so.
class LoopGuard {
public:
    explicit LoopGuard(UINT ms = 30000) { timer_ = SetTimer(nullptr, 0, ms, &LoopGuard::fire); }
    ~LoopGuard() { KillTimer(nullptr, timer_); }
    static bool fired() { return fired_; }

private:
    static void CALLBACK fire(HWND, UINT, UINT_PTR, DWORD) {
        fired_ = true;
        PostQuitMessage(9);
    }
    UINT_PTR timer_ = 0;
    static inline bool fired_ = false;
};

MainContext contextFor(const std::vector<std::string>& words, const std::string& folder) {
    MainContext c;
    c.currentFolder = folder;
    c.line = settleCommandLine(words, folder);
    c.workingFolder = c.line.workingFolder;
    return c;
}

std::string windowText(HWND h) {
    char buffer[256] = {};
    GetWindowTextA(h, buffer, sizeof buffer);
    return buffer;
}

const std::string kSource = std::string(ZR_FIXTURES) + "/x12/837p_realistic.x12";

TEST(MainWindow, TitleIconFontsAndSize) {
    zrtest::TempDir dir;
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    HWND h = main.window().hWnd;
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(windowText(h), "X12 Parser");
    EXPECT_NE(SendMessageA(h, WM_GETICON, ICON_BIG, 0), 0);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE));
    for (DWORD bit : {DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(WS_MINIMIZEBOX), DWORD(WS_MAXIMIZEBOX)})
        EXPECT_EQ(style & bit, bit);
    // Rows 1 to 30 by columns 1 to 100, in 16 x 8 pixel units; the
    // library's rectangles hold both edges.
    RECT r{};
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 99 * 8 + 1);
    EXPECT_EQ(r.bottom - r.top, 29 * 16 + 1);

    ASSERT_EQ(main.fonts().size(), 5u);
    const int heights[] = {16, 16, 14, 12, 14};
    for (std::size_t i = 0; i < 5; ++i) {
        LOGFONTA lf{};
        GetObjectA(main.fonts()[i]->hFont, sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, "Courier New");
        EXPECT_EQ(std::abs(lf.lfHeight), heights[i]);
    }
    EXPECT_EQ(std::any_cast<wl::TWindow*>(moduleState().mainWindow), &main.window());
}

TEST(MainWindow, ASecondInstanceOpensCascadedNotOverTheFirst) {
    zrtest::TempDir dir;
    MainWindow first(contextFor({}, dir.path()));
    first.Build();
    ShowWindow(first.window().hWnd, SW_SHOWNOACTIVATE);
    MainWindow second(contextFor({}, dir.path()));
    second.Build();
    RECT a{}, b{};
    GetWindowRect(first.window().hWnd, &a);
    GetWindowRect(second.window().hWnd, &b);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(b.left - a.left, step);
    EXPECT_EQ(b.top - a.top, step);
    EXPECT_EQ(b.right - b.left, a.right - a.left);  // the same size
    ShowWindow(second.window().hWnd, SW_SHOWNOACTIVATE);
    MainWindow third(contextFor({}, dir.path()));
    third.Build();
    RECT c{};
    GetWindowRect(third.window().hWnd, &c);
    EXPECT_EQ(c.left - a.left, 2 * step);
}

TEST(MainWindow, QuitEndsTheLoop) {
    zrtest::TempDir dir;
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    main.Run(MainCommand::Quit);
    LoopGuard guard;
    EXPECT_EQ(main.Activate(), 0);
    EXPECT_FALSE(LoopGuard::fired());
    EXPECT_EQ(main.window().hWnd, nullptr);
}

TEST(MainWindow, DocumentationOpensThePageBesideTheProgram) {
    zrtest::TempDir dir;
    std::vector<std::string> opened;
    INT_PTR answer = 42;
    MainHooks hooks;
    hooks.openDocument = [&](HWND, const std::string& page) {
        opened.push_back(page);
        return answer;
    };
    MainWindow main(contextFor({}, dir.path()), hooks);
    main.Build();
    zrtest::PromptRecorder prompts;
    main.Run(MainCommand::Documentation);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(wl::fileNamePart(opened[0]), "zrk7w315.htm");
    EXPECT_TRUE(prompts.prompts().empty());

    // A failed open is reported, not passed over.
    answer = 2;
    main.Run(MainCommand::Documentation);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_NE(prompts.prompts()[0].text.find("could not be opened"), std::string::npos);
}

// Presses "&Quit" in the first "Window Library" dialog and notes it was seen.
class QuitPresser {
public:
    QuitPresser() { timer_ = SetTimer(nullptr, 0, 30, &QuitPresser::tick); }
    ~QuitPresser() { KillTimer(nullptr, timer_); }
    static bool seen() { return seen_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA(nullptr, "Window Library");
        if (!box || seen_) return;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char text[64] = {};
            GetWindowTextA(c, text, sizeof text);
            if (std::string(text) == "&Quit") {
                seen_ = true;
                PostMessageA(c, BM_CLICK, 0, 0);
            }
        }
    }
    UINT_PTR timer_ = 0;
    static inline bool seen_ = false;
};

TEST(MainWindow, AnErrorInsideAButtonActionWritesTheReportAndShowsTheDialog) {
    zrtest::TempDir dir;
    const std::string folder = wl::SETERRORPATH(dir.path());
    int exitCode = -1;
    wl::ErrorExit previous = wl::setErrorExit([&](int code) {
        exitCode = code;
        PostQuitMessage(code);
    });
    MainHooks hooks;
    hooks.openDocument = [](HWND, const std::string&) -> INT_PTR { throw std::runtime_error("the page broke"); };
    hooks.built = [](MainWindow& main) {
        PostMessageA(main.window().hWnd, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED),
                     reinterpret_cast<LPARAM>(main.toolbar()->hWnd));
    };
    QuitPresser presser;
    LoopGuard guard;
    MAIN({}, hooks);
    // The quit that ended MAIN inside the error dialog is posted again as
    // each modal loop ends: left queued, it would end the next test's
    // dialogs before they show.
    MSG pending;
    while (PeekMessageA(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    EXPECT_FALSE(LoopGuard::fired());
    EXPECT_TRUE(QuitPresser::seen());
    EXPECT_EQ(exitCode, 1);
    const std::string report = zrtest::readBytes(wl::errorLogPath());
    EXPECT_NE(report.find("the page broke"), std::string::npos);
    wl::setEventErrorHook(nullptr);
    wl::setErrorExit(previous);
    wl::SETERRORPATH(folder);
}

TEST(MainWindow, DocumentationThroughTheShellReportsAMissingPage) {
    // The test program has no page beside it: the shell answers a failure at
    // once and no viewer starts.
    zrtest::TempDir dir;
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    ASSERT_FALSE(wl::fileExists(main.documentationPath()));
    zrtest::PromptRecorder prompts;
    main.Run(MainCommand::Documentation);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::Stop);
}

TEST(MainWindow, ViewXmlFileAsksAndDoesNothingMore) {
    zrtest::TempDir dir;
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    zrtest::PromptRecorder prompts;
    prompts.answerFile(dir.write("a.xml", "<a/>"));
    main.Run(MainCommand::ViewXml);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_EQ(prompts.prompts()[0].caption.empty() ? prompts.prompts()[0].text : prompts.prompts()[0].caption,
              "Select an XML file");
}

TEST(MainWindow, ViewCsvFileAsksForTheFileAndShowsIt) {
    zrtest::TempDir dir;
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    zrtest::PromptRecorder prompts;
    prompts.answerFile(dir.write("a.csv", "NAME,ID\r\nSMITH,1\r\n"));
    zrtest::UserScript script({{"View CSV File", [](HWND w) { EXPECT_TRUE(pressButton(w, "Exit")); }}});
    main.Run(MainCommand::ViewCsv);
    EXPECT_TRUE(zrtest::UserScript::done());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_EQ(prompts.prompts()[0].caption.empty() ? prompts.prompts()[0].text : prompts.prompts()[0].caption,
              "Select a CSV file");
}

// Runs in a fresh current folder: the recently-used file and a run's default
// map are written there.
class InTempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        installMeterWindow();
        char here[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, here);
        before_ = here;
        SetCurrentDirectoryA(dir.path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryA(before_.c_str()); }
    std::string before_;
    zrtest::TempDir dir;
};

// The entries of a menu as shown: the items' captions (pop-up entries are
// drawn by the program, so Windows holds no text for them) and the states
// Windows holds.
std::vector<std::string> menuTexts(const wl::TMenu& menu) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < menu.aItems().size(); ++i) {
        const auto& item = *menu.aItems()[i];
        const UINT state = GetMenuState(menu.hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        out.push_back(state & MF_SEPARATOR ? "-" : std::string(state & MF_GRAYED ? "(grey) " : "") + item.cPrompt);
    }
    EXPECT_EQ(out.size(), static_cast<std::size_t>(GetMenuItemCount(menu.hMenu)));
    return out;
}
const wl::TMenu& popup(MainWindow& main, std::size_t n) { return *main.menu()->aItems()[n]->oSubMenu; }

using Texts = std::vector<std::string>;

class MainMenus : public InTempFolder {};

TEST_F(MainMenus, HoldTheEntriesInOrderWithTheUnbuiltOnesGreyed) {
    dir.write("ZRK7W315.mru", "[Viewer-Files]\r\n1=C:\\a.x12\r\n3=C:\\b.x12\r\n");
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    ASSERT_EQ(GetMenu(main.window().hWnd), main.menu()->hMenu);
    EXPECT_EQ(menuTexts(*main.menu()), (Texts{"&Functions", "&Exit"}));
    EXPECT_EQ(menuTexts(popup(main, 0)),
              (Texts{"X12 Parser", "View X12 File", "-", "&1 C:\\a.x12", "&3 C:\\b.x12",
                     "Clear Viewer File List", "-", "View CSV File", "View XML File", "View Parse Log",
                     "View Map Log", "Mapping Tool", "X12 File Information",
                     "X12 File Compare", "X12 File De-Identifier", "X12 Torvel Parser Examples",
                     "X12 Torvel Parser Projects", "Data Dictionary", "Information",
                     "Documentation"}));
    EXPECT_EQ(menuTexts(popup(main, 1)), (Texts{"Quit Application"}));
}

TEST_F(MainMenus, QuitApplicationEndsTheLoop) {
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    const UINT id = GetMenuItemID(GetSubMenu(GetMenu(main.window().hWnd), 1), 0);
    PostMessageA(main.window().hWnd, WM_COMMAND, id, 0);
    LoopGuard guard;
    EXPECT_EQ(main.Activate(), 0);
    EXPECT_FALSE(LoopGuard::fired());
}

// The id of the "Functions" entry with this caption.
UINT functionsItemId(MainWindow& main, const std::string& caption) {
    for (const auto& item : popup(main, 0).aItems())
        if (item->cPrompt == caption) return static_cast<UINT>(item->nId);
    return 0;
}

TEST_F(MainMenus, TheUtilitiesOpenFromTheMenuAndWorkOnASharedSample) {
    const std::string sample = std::string(ZR_SAMPLES) + "/LinuxForHealth-x12/two-claims-single-provider.837i";
    const std::string copy = dir.file("claims.837i");
    CopyFileA(sample.c_str(), copy.c_str(), FALSE);
    zrtest::PromptRecorder prompts;
    for (int i = 0; i < 4; ++i) prompts.answerFile(copy);
    MainHooks hooks;
    std::size_t claims = 0;
    std::string report = "<none>";
    hooks.informationOpened = [&](FileInformationWindow& w) {
        w.selectFile();
        claims = w.summary().claims;
        w.window().End();
    };
    hooks.compareOpened = [&](FileCompareWindow& w) {
        w.selectFiles();
        report = w.report();
        w.window().End();
    };
    MainWindow main(contextFor({}, dir.path()), hooks);
    main.Build();
    for (const char* entry : {"X12 File Information", "X12 File Compare", "X12 File De-Identifier"}) {
        const UINT id = functionsItemId(main, entry);
        ASSERT_NE(id, 0u) << entry;
        PostMessageA(main.window().hWnd, WM_COMMAND, id, 0);
    }
    PostMessageA(main.window().hWnd, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(main.window().hWnd), 1), 0), 0);
    LoopGuard guard;
    EXPECT_EQ(main.Activate(), 0);
    EXPECT_FALSE(LoopGuard::fired());
    EXPECT_EQ(claims, 2u);
    EXPECT_EQ(report, "");
    // The de-identified copy stands beside the input, its names masked.
    const std::string masked = zrtest::readBytes(dir.file("DI_claims.837i"));
    EXPECT_EQ(masked.size(), zrtest::readBytes(copy).size());
    EXPECT_EQ(masked.find("SMITH"), std::string::npos);
}

TEST_F(MainMenus, TheDataDictionaryOpensFromTheMenuOverTheCurrentFolder) {
    MainHooks hooks;
    std::vector<std::string> roots;
    hooks.dictionaryOpened = [&](DataDictionaryWindow& w) {
        for (const auto& item : w.left().aItems)
            for (const auto& child : item->aItems) roots.push_back(child->cPrompt);
        w.window().End();
    };
    MainWindow main(contextFor({}, dir.path()), hooks);
    main.Build();
    const UINT id = functionsItemId(main, "Data Dictionary");
    ASSERT_NE(id, 0u);
    PostMessageA(main.window().hWnd, WM_COMMAND, id, 0);
    PostMessageA(main.window().hWnd, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(main.window().hWnd), 1), 0), 0);
    LoopGuard guard;
    EXPECT_EQ(main.Activate(), 0);
    EXPECT_FALSE(LoopGuard::fired());
    EXPECT_EQ(roots, (std::vector<std::string>{"Create a Primary Table", "Options"}));
}

TEST_F(MainMenus, ExamplesAndProjectsOpenFromTheMenuOnTheServerOfZrIni) {
    zrtest::LoopbackHttpServer server;
    server.serveFolder(std::string(ZR_FIXTURES) + "/../../examples/served");
    dir.write("zr.ini", "[EXAMPLES]\r\nSERVER=" + server.address() + "\r\n");
    MainHooks hooks;
    std::vector<std::string> examples, projects;
    std::string examplesTitle, projectsTitle;
    auto offered = [](wl::TTreeView& tree) {
        std::vector<std::string> texts;
        for (const auto& item : tree.aItems.at(0)->aItems) texts.push_back(item->GetText());
        return texts;
    };
    hooks.examplesOpened = [&](ExamplesWindow& w) {
        examplesTitle = windowText(w.window().hWnd);
        w.downloadList();
        examples = offered(w.availableTree());
        w.window().End();
    };
    hooks.projectsOpened = [&](ProjectsWindow& w) {
        projectsTitle = windowText(w.window().hWnd);
        w.downloadList();
        projects = offered(w.availableTree());
        w.window().End();
    };
    MainWindow main(contextFor({}, dir.path()), hooks);
    main.Build();
    for (const char* entry : {"X12 Torvel Parser Examples", "X12 Torvel Parser Projects"}) {
        const UINT id = functionsItemId(main, entry);
        ASSERT_NE(id, 0u) << entry;
        PostMessageA(main.window().hWnd, WM_COMMAND, id, 0);
    }
    PostMessageA(main.window().hWnd, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(main.window().hWnd), 1), 0), 0);
    LoopGuard guard;
    EXPECT_EQ(main.Activate(), 0);
    EXPECT_FALSE(LoopGuard::fired());
    EXPECT_EQ(examplesTitle, "X12 Torvel Parser Examples");
    EXPECT_EQ(projectsTitle, "X12 Torvel Parser Project Samples");
    ASSERT_EQ(examples.size(), 8u);
    EXPECT_EQ(examples.front(), "835 Remittance");
    EXPECT_EQ(examples.back(), "277 Claim Status Response");
    EXPECT_EQ(projects, (std::vector<std::string>{"Professional Claims to CSV", "Remittance to XML"}));
}

TEST_F(MainMenus, ViewedFilesAreRecordedOnceMostRecentFirst) {
    const std::string a = dir.write("a.x12", "ISA"), bak = dir.write("a.x12.bak", "ISA");
    std::vector<std::string> viewed;
    MainHooks hooks;
    hooks.openViewer = [&](const std::string& f) { viewed.push_back(f); };
    const std::string mru = dir.file("ZRK7W315.mru");
    {
        MainWindow main(contextFor({}, dir.path()), hooks);
        main.Build();
        zrtest::PromptRecorder prompts;
        prompts.answerFile(bak);
        prompts.answerFile(a);
        prompts.answerFile(a);
        for (int i = 0; i < 3; ++i) main.viewAndRecord();
        EXPECT_EQ(viewed, (Texts{bak, a, a}));
        // A path that begins like a recorded one is a file of its own.
        EXPECT_EQ(zrtest::readBytes(mru), "[Viewer-Files]\r\n1=" + a + "\r\n2=" + bak + "\r\n");
        // The same path in other case moves the recorded one to the top.
        std::string upperBak = bak;
        for (auto& c : upperBak) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        main.CTLD48400E(upperBak);
        EXPECT_EQ(zrtest::readBytes(mru), "[Viewer-Files]\r\n1=" + bak + "\r\n2=" + a + "\r\n");
        // The menu's list shows what the file holds.
        EXPECT_EQ(menuTexts(popup(main, 0))[3], "&1 " + bak);
        EXPECT_EQ(menuTexts(popup(main, 0))[4], "&2 " + a);
    }
}

TEST_F(MainMenus, ViewX12FileOpensTheViewerOnTheChosenFileAndRecordsIt) {
    const std::string file = std::string(ZR_FIXTURES) + "/x12/837p_two_claims.x12";
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    zrtest::PromptRecorder prompts;
    prompts.answerFile(file);
    zrtest::UserScript user(
        {{"View X12 837 Version 5010 PROFESSIONAL", [](HWND w) { EXPECT_TRUE(pressButton(w, "Exit")); }}});
    const wl::TMenuItem& view = *popup(main, 0).aItems()[1];
    ASSERT_EQ(view.cPrompt, "View X12 File");
    SendMessageA(main.window().hWnd, WM_COMMAND, view.nId, 0);
    EXPECT_TRUE(zrtest::UserScript::done());  // the claims screen showed and was left
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_EQ(zrtest::readBytes(dir.file("ZRK7W315.mru")), "[Viewer-Files]\r\n1=" + file + "\r\n");
}

TEST_F(MainMenus, AFullListTakesTheNewFileAndClearEmptiesTheSection) {
    std::string full = "[Viewer-Files]\r\n";
    for (int k = 1; k <= 25; ++k) full += std::to_string(k) + "=f" + std::to_string(k) + ".x12\r\n";
    dir.write("ZRK7W315.mru", full);
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    zrtest::PromptRecorder prompts;
    main.CTLD48400E("new.x12");
    std::string expected = "[Viewer-Files]\r\n1=new.x12\r\n";
    for (int k = 2; k <= 25; ++k) expected += std::to_string(k) + "=f" + std::to_string(k - 1) + ".x12\r\n";
    EXPECT_EQ(zrtest::readBytes(dir.file("ZRK7W315.mru")), expected);

    const UINT clear = GetMenuItemID(GetSubMenu(GetMenu(main.window().hWnd), 0), 3 + 25);
    SendMessageA(main.window().hWnd, WM_COMMAND, clear, 0);
    EXPECT_EQ(zrtest::readBytes(dir.file("ZRK7W315.mru")), "");
    EXPECT_EQ(menuTexts(popup(main, 0))[2], "Clear Viewer File List");
}

TEST_F(MainMenus, DropDownListsAtMostTwentyAndOpensTheChosenKey) {
    std::string section = "[Viewer-Files]\r\n";
    for (int k = 1; k <= 25; ++k)
        if (k != 2) section += std::to_string(k) + "=f" + std::to_string(k) + ".x12\r\n";
    dir.write("ZRK7W315.mru", section);
    std::vector<std::string> viewed;
    MainHooks hooks;
    hooks.openViewer = [&](const std::string& f) { viewed.push_back(f); };
    MainWindow main(contextFor({}, dir.path()), hooks);
    main.Build();
    auto drop = main.CTLD48400D("Viewer-Files");
    ASSERT_EQ(drop->aItems().size(), 19u);  // keys 1 and 3 to 20
    EXPECT_EQ(GetMenuItemCount(drop->hMenu), 19);
    EXPECT_EQ(drop->aItems()[1]->cPrompt, "f3.x12");
    auto& last = *drop->aItems().back();
    EXPECT_EQ(last.cPrompt, "f20.x12");
    last.bAction(last);
    EXPECT_EQ(viewed, (Texts{"f20.x12"}));
    drop->End();

    // Nobody writes the conversion button's section: its drop-down is empty.
    auto database = main.CTLD48400D("Database-Files");
    EXPECT_TRUE(database->aItems().empty());
    database->End();
}

// The toolbar and message bar of the main window, driven through the
// messages the controls send.
class MainBars : public InTempFolder {
protected:
    void SetUp() override {
        InTempFolder::SetUp();
        wl::setPopupMenuHook([this](HMENU m, HWND owner, int, int) {
            shownOwner = owner;
            // The user picks the last entry; Windows posts its command.
            const int n = GetMenuItemCount(m);
            shownCount = n;
            if (n > 0) PostMessageA(owner, WM_COMMAND, GetMenuItemID(m, n - 1), 0);
        });
    }
    void TearDown() override {
        wl::setPopupMenuHook(nullptr);
        InTempFolder::TearDown();
    }
    static std::string ansiTip(wl::TToolBar& bar, HWND parent, int id) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(bar.hWnd, TB_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = static_cast<UINT_PTR>(id);
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText == info.szText ? std::string(info.szText) : "?";
    }
    static LRESULT dropDown(wl::TToolBar& bar, HWND parent, int id) {
        NMTOOLBARA nm{};
        nm.hdr.hwndFrom = bar.hWnd;
        nm.hdr.idFrom = static_cast<UINT_PTR>(bar.nId);
        nm.hdr.code = TBN_DROPDOWN;
        nm.iItem = id;
        return SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(bar.nId), reinterpret_cast<LPARAM>(&nm));
    }
    HWND shownOwner = nullptr;
    int shownCount = -1;
};

TEST_F(MainBars, FiveButtonsWithTextsTooltipsPicturesAndTheirStates) {
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    wl::TToolBar& bar = *main.toolbar();
    ASSERT_TRUE(IsWindow(bar.hWnd));
    EXPECT_EQ(SendMessageA(bar.hWnd, TB_BUTTONCOUNT, 0, 0), 5);
    // Buttons of 80 x 50 at least; the control widens them for their texts.
    EXPECT_EQ(bar.nBtnWidth, 80);
    EXPECT_EQ(bar.nBtnHeight, 50);
    const LRESULT size = SendMessageA(bar.hWnd, TB_GETBUTTONSIZE, 0, 0);
    EXPECT_GE(LOWORD(size), 80);
    EXPECT_GE(HIWORD(size), 50);
    EXPECT_EQ(SendMessageA(bar.hWnd, TB_GETTEXTROWS, 0, 0), 2);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(bar.hWnd, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 5);
    const Texts texts = {"Torvel Parser", "View X12 File", "Documentation", "Information", "Exit"};
    const Texts tips = {"Torvel Parser", "View X12 File", "Documentation", "Information", "End Application"};
    const bool enabled[] = {true, true, true, true, true};
    for (int id = 1; id <= 5; ++id) {
        EXPECT_EQ(bar.GetText(id), texts[id - 1]);
        EXPECT_EQ(ansiTip(bar, main.window().hWnd, id), tips[id - 1]);
        EXPECT_EQ(bar.IsButtonEnabled(id), enabled[id - 1]) << id;
    }
    // The two recently-used lists open from arrows beside their buttons.
    for (int id = 1; id <= 5; ++id) {
        TBBUTTON b{};
        SendMessageA(bar.hWnd, TB_GETBUTTON, static_cast<WPARAM>(id - 1), reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ((b.fsStyle & BTNS_DROPDOWN) != 0, id <= 2) << id;
    }
}

// The pop-up shown while a menu is tracked, then the menu is closed.
HMENU g_shownPopup = nullptr;
void CALLBACK notePopupAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND popup = FindWindowA("#32768", nullptr))
        g_shownPopup = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    EndMenu();
}

TEST_F(MainBars, AltFAndAltEOpenTheirMenus) {
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    HWND w = main.window().hWnd;
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    for (const auto& [key, position] : {std::pair{'f', 0}, std::pair{'e', 1}}) {
        g_shownPopup = nullptr;
        SetTimer(nullptr, 0, 50, notePopupAndClose);
        SendMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, key);  // what Alt+key sends
        EXPECT_EQ(g_shownPopup, GetSubMenu(GetMenu(w), position)) << key;
        wl::SYSREFRESH();  // the menu's closing messages
    }
    ShowWindow(w, SW_HIDE);
}

TEST_F(MainBars, ANarrowedToolbarWrapsSoExitStaysWhole) {
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    wl::TToolBar& bar = *main.toolbar();
    HWND w = main.window().hWnd;
    auto barHeight = [&] {
        RECT r{};
        GetWindowRect(bar.hWnd, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    auto exitInside = [&] {
        RECT button{}, client{};
        SendMessageA(bar.hWnd, TB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&button));
        GetClientRect(bar.hWnd, &client);
        // The control's buttons stand one pixel below the bar's design
        // height in every row count; what matters is that none is cut off.
        return button.right <= client.right && button.bottom <= client.bottom + 1;
    };
    SetWindowPos(w, nullptr, 0, 0, 900, 400, SWP_NOMOVE | SWP_NOZORDER);
    const int oneRow = barHeight();
    EXPECT_TRUE(exitInside());
    SetWindowPos(w, nullptr, 0, 0, 200, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(barHeight(), oneRow);
    EXPECT_TRUE(exitInside());
    SetWindowPos(w, nullptr, 0, 0, 900, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(barHeight(), oneRow);
}

TEST_F(MainBars, TheExitButtonEndsTheLoop) {
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    PostMessageA(main.window().hWnd, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED),
                 reinterpret_cast<LPARAM>(main.toolbar()->hWnd));
    LoopGuard guard;
    EXPECT_EQ(main.Activate(), 0);
    EXPECT_FALSE(LoopGuard::fired());
}

TEST_F(MainBars, TheViewerDropDownOpensTheChosenKeyAndListsAtMostTwenty) {
    std::string section = "[Viewer-Files]\r\n";
    for (int k = 1; k <= 25; ++k) section += std::to_string(k) + "=f" + std::to_string(k) + ".x12\r\n";
    dir.write("ZRK7W315.mru", section);
    std::vector<std::string> viewed;
    MainHooks hooks;
    hooks.openViewer = [&](const std::string& f) { viewed.push_back(f); };
    MainWindow main(contextFor({}, dir.path()), hooks);
    main.Build();
    EXPECT_EQ(dropDown(*main.toolbar(), main.window().hWnd, 2), 0);
    EXPECT_EQ(shownOwner, main.window().hWnd);
    EXPECT_EQ(shownCount, 20);
    wl::SYSREFRESH();  // the posted command
    EXPECT_EQ(viewed, (Texts{"f20.x12"}));
    // The main menu's commands still reach the main menu afterwards.
    EXPECT_EQ(main.window().oPopup, nullptr);

    // The conversion button's section is empty: nothing shows.
    shownCount = -1;
    dropDown(*main.toolbar(), main.window().hWnd, 1);
    EXPECT_EQ(shownCount, -1);
}

TEST_F(MainBars, TheMessageBarShowsTheNoticeAndWhatAnEntryDoes) {
    MainWindow main(contextFor({}, dir.path()));
    main.Build();
    wl::TMsgBar& bar = *main.msgBar();
    ASSERT_TRUE(IsWindow(bar.hWnd));
    EXPECT_EQ(bar.cMsgDef, kMessageBarText);
    EXPECT_EQ(main.window().oMsgBar, &bar);
    // Highlighting an entry shows what it does.
    const wl::TMenu& functions = popup(main, 0);
    const wl::TMenuItem* entry = nullptr;
    for (const auto& item : functions.aItems())
        if (item->cPrompt == "X12 Torvel Parser Projects") entry = item.get();
    ASSERT_TRUE(entry);
    SendMessageA(main.window().hWnd, WM_MENUSELECT, MAKEWPARAM(entry->nId, MF_OWNERDRAW),
                 reinterpret_cast<LPARAM>(functions.hMenu));
    EXPECT_EQ(bar.cMsg, entry->cMsg);
    EXPECT_EQ(bar.cMsg, "X12 Torvel Parser Projects");
    // The menu closes: the notice again (an empty message shows it).
    SendMessageA(main.window().hWnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(bar.cMsg, "");

    // A toolbar button's text, then the pointer leaves the buttons.
    wl::TToolBar& tools = *main.toolbar();
    ansiTip(tools, main.window().hWnd, 1);
    EXPECT_NE(bar.cMsg, "");
    NMTBHOTITEM hot{};
    hot.hdr.hwndFrom = tools.hWnd;
    hot.hdr.idFrom = static_cast<UINT_PTR>(tools.nId);
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idOld = 1;
    hot.dwFlags = HICF_LEAVING;
    SendMessageA(main.window().hWnd, WM_NOTIFY, static_cast<WPARAM>(tools.nId), reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(bar.cMsg, "");
}

TEST(ToolbarImages, FivePicturesWithWhiteMaskedOut) {
    HIMAGELIST list = makeToolbarImages();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 5);
    int w = 0, h = 0;
    ImageList_GetIconSize(list, &w, &h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    // Drawn over red, the white corner lets the red through; the picture's
    // middle does not.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, target);
    for (int i = 0; i < 5; ++i) {
        RECT all{0, 0, 32, 32};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &all, red);
        DeleteObject(red);
        ImageList_Draw(list, i, dc, 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0)) << i;
        int notRed = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) notRed += GetPixel(dc, x, y) != RGB(255, 0, 0);
        EXPECT_GT(notRed, 32 * 32 / 4) << i;
    }
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_Destroy(list);
}

class BatchRun : public InTempFolder {
protected:
    std::string out() const { return dir.file("out"); }
    std::string csv() const { return wl::joinPath(out(), "837p_realistic.csv"); }
    int run(const std::vector<std::string>& words, MainHooks hooks = {}) {
        hooks.built = [this](MainWindow& m) { window = m.window().hWnd; };
        MainWindow main(contextFor(words, dir.path()), hooks);
        main.Build();
        LoopGuard guard;
        const int status = main.Activate();
        EXPECT_FALSE(LoopGuard::fired());
        closed = main.window().hWnd == nullptr && !IsWindow(window);
        return status;
    }
    HWND window = nullptr;
    bool closed = false;
};

TEST_F(BatchRun, ConvertsWritesTheLogAndClosesTheWindow) {
    std::filesystem::create_directory(out());
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(run({"X12,CSV", kSource, out(), "OW,HO"}), 0);
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(closed);
    EXPECT_NE(zrtest::readBytes(csv()).find("BILLINGPROVIDERNAME"), std::string::npos);
    EXPECT_NE(zrtest::readBytes(dir.file("parse.log")).find("Parse X12 to CSV."), std::string::npos);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(BatchRun, AFailedConversionEndsWithAFailure) {
    std::filesystem::create_directory(out());
    zrtest::PromptRecorder prompts;
    EXPECT_NE(run({"X12,CSV", dir.file("missing.x12"), out(), "OW"}), 0);
    EXPECT_TRUE(closed);
    EXPECT_NE(run({"X12,CSV", kSource, out(), "OW,MAP=" + dir.file("no-such-map.cfg")}), 0);
    EXPECT_TRUE(closed);
}

// Nobody answers a command-line run: an existing output is kept, the
// log says why, and the run is no success.
TEST_F(BatchRun, WithoutOverwriteAnExistingOutputIsKeptUnasked) {
    std::filesystem::create_directory(out());
    const std::string before = "earlier output\r\n";
    std::ofstream(csv(), std::ios::binary) << before;
    zrtest::PromptRecorder prompts(true);
    EXPECT_NE(run({"X12,CSV", kSource, out(), "HO"}), 0);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(zrtest::readBytes(csv()), before);
    EXPECT_TRUE(closed);
    const std::string log = zrtest::readBytes(dir.file("parse.log"));
    EXPECT_NE(log.find("Unattended Run, Answered No : " + csv() + " already exists. Overwrite it?"), std::string::npos)
        << log;
    EXPECT_NE(log.find("CSV Not Created "), std::string::npos);
}

TEST_F(BatchRun, SurvivesTheUserClosingTheWindowDuringTheConversion) {
    std::filesystem::create_directory(out());
    zrtest::PromptRecorder prompts;
    MainHooks hooks;
    hooks.driver.engine = [this](const EngineRequest& request) {
        // The user closes the main window while the meter drains messages.
        PostMessageA(window, WM_CLOSE, 0, 0);
        wl::SYSREFRESH();
        EXPECT_FALSE(IsWindow(window));
        return CTL48400A(request);
    };
    EXPECT_EQ(run({"X12,CSV", kSource, out(), "OW,HO"}, hooks), 0);
    EXPECT_TRUE(closed);
    EXPECT_NE(zrtest::readBytes(csv()).find("BILLINGPROVIDERNAME"), std::string::npos);
    // The loop that follows is not disturbed by a quit left over.
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
