// The frame of the examples and projects windows under Wine: its controls
// where they stand, "Folder" closing it, the folder field feeding the local
// tree, and "View File Using" opening a chosen file each way.
#include "download_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "examples_window.hpp"
#include "dialog_acts.hpp"
#include "test_support.hpp"
#include "user_script.hpp"

namespace {

using Texts = std::vector<std::string>;

// Runs the thread's messages until `done` or two seconds have passed.
template <class Done>
void pumpUntil(Done done) {
    const DWORD end = GetTickCount() + 2000;
    while (!done() && GetTickCount() < end) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(10);
    }
}

RECT frameChildRect(HWND parent, const std::string& text) {
    HWND child = zrtest::childWithText(parent, text);
    RECT r{};
    if (!child) return r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

zr::DownloadPlaces framePlaces(const zrtest::TempDir& dir) {
    zr::DownloadPlaces p;
    p.folder = dir.file("qa");
    p.currentFolder = dir.path();
    p.server = "127.0.0.1:1";
    return p;
}

TEST(DownloadWindow, ControlsStandWhereTheirPlacesSay) {
    zrtest::TempDir dir;
    auto w = std::make_unique<zr::ExamplesWindow>(framePlaces(dir), zr::DownloadWindowHooks{});
    HWND h = w->window().hWnd;
    ASSERT_TRUE(IsWindow(h));
    struct Case {
        const char* text;
        RECT place;  // left, top, right, bottom
    };
    const Case cases[] = {
        {"Download List of Available Examples", {9, 16, 9 + 320, 16 + 27}},
        {"Folder", {495, 24, 495 + 64, 24 + 18}},
        {"Browse Files", {360, 48, 360 + 128, 48 + 27}},
        {"Parse Log", {684, 48, 684 + 96, 48 + 27}},
        {"Exit", {684, 16, 684 + 64, 16 + 27}},
        {"X12 Examples Folder", {360, 8, 360 + 160, 8 + 18}},
    };
    for (const Case& c : cases) {
        const RECT r = frameChildRect(h, c.text);
        EXPECT_EQ(r.left, c.place.left) << c.text;
        EXPECT_EQ(r.top, c.place.top) << c.text;
        // The library's pixel controls may take one pixel more than asked.
        EXPECT_NEAR(r.right, c.place.right, 1) << c.text;
        EXPECT_NEAR(r.bottom, c.place.bottom, 1) << c.text;
    }
    RECT tree{};
    GetWindowRect(w->localTree().hWnd, &tree);
    EXPECT_EQ(tree.right - tree.left, 340);
    EXPECT_EQ(tree.bottom - tree.top, 300);
    // "Folder" closes the window.
    PostMessageA(zrtest::childWithText(h, "Folder"), BM_CLICK, 0, 0);
    pumpUntil([&] { return !IsWindow(h); });
    EXPECT_FALSE(IsWindow(h));
}

TEST(DownloadWindow, ParseLogButtonAndTheFolderField) {
    zrtest::TempDir dir;
    int logs = 0;
    zr::DownloadWindowHooks hooks;
    hooks.showParseLog = [&] { ++logs; };
    auto w = std::make_unique<zr::ExamplesWindow>(framePlaces(dir), hooks);
    PostMessageA(zrtest::childWithText(w->window().hWnd, "Parse Log"), BM_CLICK, 0, 0);
    pumpUntil([&] { return logs > 0; });
    EXPECT_EQ(logs, 1);
    std::filesystem::create_directories(dir.file("other/qat8"));
    dir.write("other/qat8/qat8a.cfg", "map");
    w->setFolder(dir.file("other"));
    EXPECT_EQ(w->places().folder, dir.file("other"));
    ASSERT_EQ(w->localTree().aItems.size(), 1u);
    ASSERT_EQ(w->localTree().aItems[0]->aItems.size(), 1u);
    EXPECT_EQ(w->localTree().aItems[0]->aItems[0]->GetText(), "277 Claim Status Response Basic");
    w->window().End();
}

TEST(DownloadWindow, ViewFileUsingOpensTheChosenFileEachWay) {
    zrtest::TempDir dir;
    const std::string file = dir.write("output.csv", "A,B\r\n1,2\r\n");
    struct Case {
        const char* button;
        Texts x12, csv, notepad;
    };
    const Case cases[] = {
        {"CSV Viewer", {}, {file}, {}},
        {"Notepad", {}, {}, {file}},
        {"Cancel", {}, {}, {}},
    };
    for (const Case& c : cases) {
        Texts x12, csv, notepad;
        zr::DownloadWindowHooks hooks;
        hooks.actions.viewX12 = [&](const std::string& f) { x12.push_back(f); };
        hooks.actions.viewCsv = [&](const std::string& f) { csv.push_back(f); };
        hooks.notepad = [&](const std::string& f) {
            notepad.push_back(f);
            return true;
        };
        zrtest::PromptRecorder prompts;
        prompts.answerFile(file);
        Texts buttons;
        zrtest::UserScript script({{"View File Using", [&](HWND d) {
                                        buttons = zrtest::childTexts(d, "Button");
                                        zr::pressButton(d, c.button);
                                    }}});
        zr::viewFileUsing(dir.path(), hooks);
        EXPECT_TRUE(zrtest::UserScript::done()) << c.button;
        EXPECT_EQ(buttons, (Texts{"X12 Viewer", "CSV Viewer", "Notepad", "Cancel"}));
        EXPECT_EQ(x12, c.x12) << c.button;
        EXPECT_EQ(csv, c.csv) << c.button;
        EXPECT_EQ(notepad, c.notepad) << c.button;
        ASSERT_FALSE(prompts.prompts().empty());
        EXPECT_EQ(prompts.prompts()[0].caption, "Select File");
    }
    // A cancelled choice opens nothing.
    zrtest::PromptRecorder none;
    zr::viewFileUsing(dir.path(), {});
}

}  // namespace
