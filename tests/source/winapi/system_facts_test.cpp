#include <gtest/gtest.h>

#include "system_facts.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

TEST(SystemFacts, ProcessorSpeedIsMeasured) {
    int mhz = wl::GETCPUSPEED();
    RecordProperty("mhz", mhz);
    EXPECT_GT(mhz, 100);
    EXPECT_LT(mhz, 20000);
}

TEST(SystemFacts, Folders) {
    char expected[MAX_PATH] = {};
    GetWindowsDirectoryA(expected, MAX_PATH);
    EXPECT_EQ(wl::GETWINDIR(), expected);
    EXPECT_EQ(wl::GETWINDIR2(), expected);
    EXPECT_EQ(wl::upper(wl::GETWINDIR()), "C:\\WINDOWS");
    EXPECT_EQ(wl::upper(wl::GETSYSDIR()), "C:\\WINDOWS\\SYSTEM32");
    std::string self = wl::upper(wl::GETMODULEFILENAME(nullptr));
    ASSERT_GE(self.size(), 15u);
    EXPECT_EQ(self.substr(self.size() - 15), "WINAPI_TEST.EXE");
}

TEST(SystemFacts, Versions) {
    wl::WindowsVersion v = wl::GETVERSION();
    EXPECT_GE(v.major, 5u);
    EXPECT_EQ(v.platformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(wl::WINVERSION(), std::make_pair(static_cast<int>(v.major), static_cast<int>(v.minor)));
    EXPECT_TRUE(wl::ISWINNT());
    EXPECT_FALSE(wl::ISWIN95());
    EXPECT_EQ(wl::ISEXE64(), sizeof(void*) == 8);
    if (sizeof(void*) == 8) {
        EXPECT_FALSE(wl::ISWOW64());
    }
    EXPECT_EQ(wl::BORLANDC(), 0);
}

TEST(SystemFacts, FoldersAreMadeEnteredAndRemoved) {
    zrtest::TempDir dir;
    std::string before = wl::CURRENTDIR();
    std::string sub = dir.file("made");
    EXPECT_TRUE(wl::LMKDIR(sub));
    EXPECT_FALSE(wl::LMKDIR(sub));
    EXPECT_FALSE(wl::LCHDIR(std::nullopt));
    EXPECT_TRUE(wl::LCHDIR(sub));
    EXPECT_EQ(wl::upper(wl::CURRENTDIR()), wl::upper(sub));
    wl::SETCURRENTDIR(before);
    EXPECT_EQ(wl::CURRENTDIR(), before);
    EXPECT_TRUE(wl::LRMDIR(sub));
    EXPECT_FALSE(wl::LRMDIR(sub));
}

TEST(SystemFacts, DrivesTicksAndMetrics) {
    EXPECT_FALSE(wl::ISCDROM("C:\\"));
    EXPECT_FALSE(wl::ISDISKETTE("C:\\"));
    DWORD start = wl::GETTICKCOUNT();
    wl::SLEEP(60);
    EXPECT_GE(wl::GETTICKCOUNT() - start, 30u);
    EXPECT_EQ(wl::GETSYSMETRICS(SM_CXSCREEN), GetSystemMetrics(SM_CXSCREEN));
    HDC dc = CreateCompatibleDC(nullptr);  // at least one GDI object of ours
    EXPECT_GE(wl::GUIRESOURCES(GR_GDIOBJECTS), 0u);
    DeleteDC(dc);
}

}  // namespace
