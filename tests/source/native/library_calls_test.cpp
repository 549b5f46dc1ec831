#include "library_calls.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support.hpp"

namespace {

TEST(LibraryCalls, CallsByNameAndReportsAMissingLibrary) {
    zrtest::TempDir dir;
    const std::string ini = dir.write("t.ini", "[MAP]\r\nA=1\r\nB=two\r\n");
    const auto section = wl::GETPVPRFSE("MAP", ini);
    ASSERT_TRUE(section);
    EXPECT_EQ(*section, std::string("A=1\0B=two\0", 10));

    zrtest::PromptRecorder recorder;
    using Fn = int(WINAPI*)();
    EXPECT_FALSE(wl::callLibrary<Fn>("zr_no_such_library.dll", "Anything"));
    ASSERT_EQ(recorder.prompts().size(), 1u);
    EXPECT_EQ(recorder.prompts()[0].text, "Error code: 126 loading zr_no_such_library.dll");
    EXPECT_FALSE(wl::callLibrary<Fn>("kernel32.dll", "NoSuchEntryPoint"));  // quietly nothing
    EXPECT_EQ(recorder.prompts().size(), 1u);
}

TEST(LibraryCalls, WindowModuleAndLibraryHandles) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    const auto module = wl::GETWINDOWMODULEFILENAME(w);
    DestroyWindow(w);
    ASSERT_TRUE(module);
    EXPECT_NE(module->find("native_test"), std::string::npos) << *module;

    HMODULE lib = wl::LOADLIB32("version.dll");
    EXPECT_NE(lib, nullptr);
    EXPECT_TRUE(wl::FREELIB32(lib));
    EXPECT_FALSE(wl::FREELIB32(nullptr));
}

TEST(LibraryCalls, RegistryDefaultValueThroughAdvapi) {
    const auto rc = wl::REGSETVALUE(HKEY_CURRENT_USER, "Software\\ZRTest\\Calls", "value");
    ASSERT_TRUE(rc);
    EXPECT_EQ(*rc, ERROR_SUCCESS);
    char buf[32] = {};
    LONG size = sizeof buf;
    EXPECT_EQ(RegQueryValueA(HKEY_CURRENT_USER, "Software\\ZRTest\\Calls", buf, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buf, "value");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZRTest\\Calls");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZRTest");
}

}  // namespace
