// The "ZR.INI Editor" under Wine: "zr.ini" shown, typed into, and written
// back by "Save"; "Exit" leaves the file as it was.
#include "ini_editor_window.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "dialog_acts.hpp"
#include "test_support.hpp"
#include "user_script.hpp"

namespace {

TEST(IniEditorWindow, SaveWritesTheEditedTextAndExitLeavesTheFile) {
    const std::string ini = "[X12]\r\nFILEMASK=*.x12\r\n";
    for (const char* button : {"Save", "Exit"}) {
        SCOPED_TRACE(button);
        zrtest::TempDir dir;
        const std::string file = dir.write("zr.ini", ini);
        std::string shown;
        std::thread user([&] {
            HWND box = zrtest::waitForDialog("ZR.INI Editor");
            ASSERT_NE(box, nullptr);
            HWND edit = zrtest::childOf(box, "Edit");
            shown = zrtest::textOf(edit);
            zrtest::typeInto(edit, "; ");
            zrtest::postClick(zrtest::childOf(box, "Button", button));
        });
        zr::CTLD28100(dir.path());
        user.join();
        EXPECT_EQ(shown, ini);
        EXPECT_EQ(zrtest::readBytes(file), std::string(button) == "Save" ? "; " + ini : ini);
    }
}

}  // namespace
