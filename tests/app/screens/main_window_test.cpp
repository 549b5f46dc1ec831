// The main window under Wine, in-process: built, activated, driven through
// its commands; batch runs that convert and close the window.
#include "main_window.hpp"

#include <gtest/gtest.h>

#include "message_loop.hpp"
#include "module_state.hpp"
#include "paths.hpp"
#include "progress_meter_window.hpp"
#include "test_support.hpp"

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

class BatchRun : public ::testing::Test {
protected:
    // A run creates its default map in the current folder: the test's own.
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

TEST_F(BatchRun, WithoutOverwriteTheQuestionDecides) {
    std::filesystem::create_directory(out());
    const std::string before = "earlier output\r\n";
    std::ofstream(csv(), std::ios::binary) << before;
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(false);
        run({"X12,CSV", kSource, out(), "HO"});
        ASSERT_FALSE(prompts.prompts().empty());
        EXPECT_NE(prompts.prompts()[0].text.find("already exists. Overwrite it?"), std::string::npos);
        EXPECT_EQ(zrtest::readBytes(csv()), before);
        EXPECT_TRUE(closed);
    }
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(true);
        EXPECT_EQ(run({"X12,CSV", kSource, out(), "HO"}), 0);
        ASSERT_FALSE(prompts.prompts().empty());
        EXPECT_NE(zrtest::readBytes(csv()).find("BILLINGPROVIDERNAME"), std::string::npos);
    }
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
