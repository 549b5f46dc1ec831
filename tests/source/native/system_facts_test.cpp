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
