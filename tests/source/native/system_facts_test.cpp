#include <windows.h>

#include "system_facts.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(SystemFacts, ScreenAndVersionFactsAgree) {
    const auto size = wl::SCRRESOLUTION();
    EXPECT_EQ(size[0], wl::SCREENWIDTH());
    EXPECT_EQ(size[1], wl::SCREENHEIGHT());
    EXPECT_GT(size[0], 0);
    EXPECT_GE(wl::COLORSQTY(), 2u);
    EXPECT_EQ(wl::LARGEFONTS(), wl::DISPFONTPERSIZE() >= 1.25);

    const std::string version = wl::CWINVERSION();
    const std::set<std::string> known = {"Vista", "7", "8", "Server 2003", "XP", "2000", "NT", "ME", "98", "95", ""};
    EXPECT_TRUE(known.count(version)) << version;
    EXPECT_EQ(wl::ISWIN8(), version == "8");
    EXPECT_EQ(wl::ISWINXP(), version == "XP");
    EXPECT_EQ(wl::GETSYSFONT(), "Ms Sans Serif");
    EXPECT_EQ(wl::GETFREESYSTEMRESOURCES(), 90);
    EXPECT_EQ(wl::BORLANDVERSION(), 0);
}

TEST(SystemFacts, TimeZoneIsWithinADay) {
    const double hours = wl::TIMEZONE();
    EXPECT_GE(hours, -14);
    EXPECT_LE(hours, 14);
}

TEST(SystemFacts, TasksAreSortedOnePerModule) {
    HWND w = CreateWindowExA(0, "STATIC", "ZR task list probe", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    const auto tasks = wl::GETTASKS();
    DestroyWindow(w);
    EXPECT_TRUE(std::is_sorted(tasks.begin(), tasks.end()));
    std::set<std::string> modules;
    for (const auto& t : tasks) EXPECT_TRUE(modules.insert(t.substr(t.find(", "))).second) << t;
    const bool ours = std::any_of(tasks.begin(), tasks.end(),
                                  [](const std::string& t) { return t.find("native_test.exe") != std::string::npos; });
    EXPECT_TRUE(ours);
}

}  // namespace

#include <fstream>

#include "test_support.hpp"

namespace {

TEST(SystemFacts, DesktopIsSavedAsPng) {
    zrtest::TempDir dir;
    const std::string file = dir.file("desktop.png");
    ASSERT_TRUE(wl::SAVEDESKTOP(file));
    const std::string bytes = zrtest::readBytes(file);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // The header's width and height (big-endian) are the screen's.
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), wl::SCREENWIDTH());
    EXPECT_EQ(be32(20), wl::SCREENHEIGHT());
}

}  // namespace
