// The conversion dialog under Wine, reached as a user reaches it: the main
// window's "X12 Parser" command opens it through the conversion driver.
#include "conversion_dialog.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "dialog_acts.hpp"
#include "main_window.hpp"
#include "paths.hpp"
#include "progress_meter_window.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "user_script.hpp"

namespace {

using namespace zr;

const std::string kDialogSource = std::string(ZR_FIXTURES) + "/x12/837p_realistic.x12";
const char kCaption[] = "X12 Torvel Parser";

class ConversionDialogRun : public ::testing::Test {
protected:
    void SetUp() override {
        installMeterWindow();
        // Records the meter's events on their way to the window.
        window_ = setMeterObserver({});
        setMeterObserver([this](const MeterEvent& e) {
            window_(e);
            if (e.kind == MeterEvent::Kind::Open) meterShown = meterWindowHandle() != nullptr;
            meter.push_back(e.kind);
        });
        std::filesystem::create_directory(out());
    }
    void TearDown() override { setMeterObserver(window_); }

    std::string out() const { return dir.file("out"); }
    MainContext context() const {
        MainContext c;
        c.currentFolder = dir.path();
        c.workingFolder = dir.path();
        return c;
    }
    // Runs "X12 Parser" with the engine counted; `user` acts on the dialog.
    template <class User>
    void runParser(MainWindow& main, User user) {
        std::thread t([&] {
            HWND box = zrtest::waitForDialog(kCaption);
            ASSERT_NE(box, nullptr);
            dialog = box;
            user(box);
        });
        main.Run(MainCommand::X12Parser);
        t.join();
    }

    zrtest::TempDir dir;
    MeterObserver window_;
    std::vector<MeterEvent::Kind> meter;
    bool meterShown = false;
    HWND dialog = nullptr;
};

// A cancelled dialog never runs: with "OW,DS" in its options a run would
// replace outputs and delete the source.
TEST_F(ConversionDialogRun, EscapeAndTheCloseBoxStartNothing) {
    const std::string source = dir.write("claims.x12", zrtest::readBytes(kDialogSource));
    const std::string kept = dir.write("out/claims.csv", "keep me");
    int engineCalls = 0;
    MainHooks hooks;
    hooks.driver.engine = [&](const EngineRequest&) {
        ++engineCalls;
        return EngineResult{};
    };
    MainWindow main(context(), hooks);
    main.Build();
    zrtest::PromptRecorder prompts;
    for (bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        prompts.answerFile(source);
        prompts.answerFile(out());
        runParser(main, [&](HWND box) {
            // A complete request, then cancelled.
            zrtest::postClick(zrtest::childOf(box, "Button", "File"));
            zrtest::postClick(zrtest::childOf(box, "Button", "Folder", 1));
            Sleep(200);
            zrtest::typeInto(zrtest::childOf(box, "Edit", nullptr, 2), "OW,DS");
            HWND type = zrtest::childOf(box, "Button", "-");
            zrtest::postClick(type);
            HWND picker = zrtest::waitForDialog("Source Format");
            ASSERT_NE(picker, nullptr);
            zrtest::postClick(zrtest::childOf(picker, "Button", "X12"));
            HWND output = zrtest::waitForDialog("Parser Output Type");
            ASSERT_NE(output, nullptr);
            zrtest::postClick(zrtest::childOf(output, "Button", "CSV"));
            ASSERT_TRUE(zrtest::waitGone(output));
            Sleep(100);
            if (escape)
                PostMessageA(zrtest::childOf(box, "Edit"), WM_KEYDOWN, VK_ESCAPE, 0);
            else
                PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        EXPECT_FALSE(IsWindow(dialog));
    }
    EXPECT_EQ(engineCalls, 0);
    EXPECT_TRUE(meter.empty());
    EXPECT_EQ(zrtest::readBytes(source), zrtest::readBytes(kDialogSource));
    EXPECT_EQ(zrtest::readBytes(kept), "keep me");
    EXPECT_NE(zrtest::readBytes(main.lastRunLog()).find(" - Parameter 1 empty. \r\n"), std::string::npos);
}

TEST_F(ConversionDialogRun, BeginConvertsTheChosenFileWithTheMeter) {
    const std::string source = dir.write("claims.x12", zrtest::readBytes(kDialogSource));
    MainWindow main(context());
    main.Build();
    zrtest::PromptRecorder prompts;
    prompts.answerFile(source);
    prompts.answerFile(out());
    std::vector<std::string> labels;
    std::string sourceField, destinationField;
    runParser(main, [&](HWND box) {
        zrtest::postClick(zrtest::childOf(box, "Button", "-"));
        HWND picker = zrtest::waitForDialog("Source Format");
        ASSERT_NE(picker, nullptr);
        zrtest::postClick(zrtest::childOf(picker, "Button", "X12"));
        HWND output = zrtest::waitForDialog("Parser Output Type");
        ASSERT_NE(output, nullptr);
        zrtest::postClick(zrtest::childOf(output, "Button", "CSV"));
        ASSERT_TRUE(zrtest::waitGone(output));
        zrtest::postClick(zrtest::childOf(box, "Button", "File"));
        zrtest::postClick(zrtest::childOf(box, "Button", "Folder", 1));
        zrtest::typeInto(zrtest::childOf(box, "Edit", nullptr, 2), "HO,PARSELOG=run.log");
        Sleep(200);
        labels = zrtest::childTexts(box, "Static");
        sourceField = zrtest::textOf(zrtest::childOf(box, "Edit"));
        destinationField = zrtest::textOf(zrtest::childOf(box, "Edit", nullptr, 1));
        zrtest::postClick(zrtest::childOf(box, "Button", "Begin"));
    });
    EXPECT_NE(std::find(labels.begin(), labels.end(), "X12,CSV"), labels.end());
    EXPECT_EQ(sourceField, source);
    EXPECT_EQ(wl::rtrim(destinationField), out());
    const std::string csv = zrtest::readBytes(wl::joinPath(out(), "claims.csv"));
    EXPECT_FALSE(csv.empty());
    EXPECT_TRUE(meterShown);
    ASSERT_FALSE(meter.empty());
    EXPECT_EQ(meter.front(), MeterEvent::Kind::Open);
    EXPECT_EQ(meter.back(), MeterEvent::Kind::Close);
    // "View Parse Log" opens what this run wrote ("PARSELOG=").
    EXPECT_EQ(main.lastRunLog(), wl::joinPath(dir.path(), "run.log"));
    EXPECT_NE(zrtest::readBytes(main.lastRunLog()).find("1 converted, 0 converted with lost data, 0 failed, 0 skipped"),
              std::string::npos);
}

// The conversion button's drop-down opens the dialog with the chosen file
// as its source.
TEST_F(ConversionDialogRun, TheDropDownsFileIsTheDialogsSource) {
    char here[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, here);
    SetCurrentDirectoryA(dir.path().c_str());  // the lists live in the current folder
    const std::string source = dir.write("claims.x12", "ISA");
    dir.write("ZRK7W315.mru", "[Database-Files]\r\n1=" + source + "\r\n");
    MainWindow main(context());
    main.Build();
    zrtest::PromptRecorder prompts;
    std::string sourceField;
    std::thread t([&] {
        HWND box = zrtest::waitForDialog(kCaption);
        ASSERT_NE(box, nullptr);
        sourceField = zrtest::textOf(zrtest::childOf(box, "Edit"));
        zrtest::postClick(zrtest::childOf(box, "Button", "Exit"));
    });
    main.CTLD48400G("1", "Database-Files");
    t.join();
    SetCurrentDirectoryA(here);
    EXPECT_EQ(wl::rtrim(sourceField), source);
    EXPECT_TRUE(meter.empty());
}

// A source path with a blank is refused with the warning; the field becomes blank.
TEST_F(ConversionDialogRun, ABlankInTheChosenFolderIsRefused) {
    MainWindow main(context());
    main.Build();
    zrtest::PromptRecorder prompts;
    prompts.answerFile("C:\\my data");
    std::string sourceField = "unread";
    runParser(main, [&](HWND box) {
        zrtest::postClick(zrtest::childOf(box, "Button", "Folder"));
        Sleep(300);
        sourceField = zrtest::textOf(zrtest::childOf(box, "Edit"));
        zrtest::postClick(zrtest::childOf(box, "Button", "Exit"));
    });
    EXPECT_EQ(sourceField, std::string(255, ' '));
    const auto texts = prompts.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "\r\nWARNING : Folder contains a SPACE in it's name. Your selection cannot be used"),
              texts.end());
}

}  // namespace
