#include <gtest/gtest.h>

#include "resources.hpp"
#include "test_support.hpp"

namespace {

// Every Windows library carries its version resource (type 16, number 1);
// the test program itself carries none.
const int kVersion = 16;

std::string wide(const std::string& ascii) {
    std::string out;
    for (char c : ascii) out += {c, '\0'};
    return out;
}

TEST(Resources, TheResourceModuleIsTheProgramUntilALibraryIsSet) {
    EXPECT_EQ(wl::GETRESOURCES(), GetModuleHandleA(nullptr));
    EXPECT_EQ(wl::CRESTOSTR(1, kVersion), "");

    HMODULE lib = wl::SETRESOURCES(std::string("version.dll"));
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(wl::GETRESOURCES(), lib);
    EXPECT_EQ(wl::SETRESOURCES(std::string("VERSION.DLL")), lib);  // loaded once
    std::string info = wl::CRESTOSTR(1, kVersion);
    ASSERT_GT(info.size(), 40u);
    EXPECT_NE(info.find(wide("VS_VERSION_INFO")), std::string::npos);

    wl::FREERESOURCES();
    EXPECT_EQ(wl::GETRESOURCES(), GetModuleHandleA(nullptr));
    EXPECT_EQ(wl::SETRESOURCES(GetModuleHandleA("kernel32.dll")), GetModuleHandleA("kernel32.dll"));
    wl::FREERESOURCES();
}

TEST(Resources, FindLoadAndLock) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    HRSRC info = wl::FINDRESOURCE(kernel, 1, kVersion);
    ASSERT_NE(info, nullptr);
    HGLOBAL data = wl::LOADRESOURCE(kernel, info);
    ASSERT_NE(data, nullptr);
    EXPECT_NE(wl::LOCKRESOURCE(data), nullptr);
    wl::FREERESOURCE(data);
    EXPECT_EQ(wl::FINDRESOURCE(kernel, "NO_SUCH_RESOURCE", kVersion), nullptr);
}

TEST(Resources, MissingResourcesGiveEmptyResults) {
    EXPECT_FALSE(wl::HASICONRESOURCE("NO_SUCH_ICON"));
    EXPECT_EQ(wl::HTMLRESOURCE(nullptr, "NO_SUCH_PAGE"), "");
    zrtest::TempDir dir;
    std::string file = dir.write("out.bin", "old bytes");
    wl::RESOURCETOFILE(nullptr, "NO_SUCH_DATA", file);  // no checks: the file is truncated
    EXPECT_EQ(zrtest::readBytes(file), "");
}

}  // namespace
