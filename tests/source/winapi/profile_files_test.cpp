#include <gtest/gtest.h>

#include "profile_files.hpp"
#include "test_support.hpp"

namespace {

const std::string kIni = "[one]\r\nk1=v1\r\nk2=v2\r\n[two]\r\nx=12\r\n";

class ProfileFiles : public ::testing::Test {
protected:
    zrtest::TempDir dir;
    std::string file = dir.write("test.ini", kIni);
};

TEST_F(ProfileFiles, ReadsEntriesDefaultsAndNumbers) {
    EXPECT_EQ(wl::GETPVPROFSTRING("one", "k1", "", file), "v1");
    EXPECT_EQ(wl::GETPVPROFSTRING("one", "missing", "dflt", file), "dflt");
    EXPECT_EQ(wl::GETPVPROFSTRING("one", "missing", "", file), "");
    EXPECT_EQ(wl::GETPVPROFSTRING("nothere", "k1", "d", file), "d");
    EXPECT_EQ(wl::GETPVPROFINT("two", "x", 0, file), 12);
    EXPECT_EQ(wl::GETPVPROFINT("two", "y", 5, file), 5);
}

TEST_F(ProfileFiles, NameListsEndEachNameWithAZeroByte) {
    EXPECT_EQ(wl::GETPVPROFSTRING("one", std::nullopt, "", file), std::string("k1\0k2\0", 6));
    EXPECT_EQ(wl::GETPVPROFSTRING(std::nullopt, std::nullopt, "", file), std::string("one\0two\0", 8));
}

TEST_F(ProfileFiles, WritesAndRemovalsChangeTheFileAsExpected) {
    struct Case {
        const char* what;
        bool (*change)(const std::string& file);
        std::string expected;
    };
    const Case cases[] = {
        {"new entry", [](const std::string& f) { return wl::WRITEPPROSTRING("one", "k3", "v3", f); },
         "[one]\r\nk1=v1\r\nk2=v2\r\nk3=v3\r\n[two]\r\nx=12\r\n"},
        {"changed entry", [](const std::string& f) { return wl::WRITEPPROSTRING("two", "x", "7", f); },
         "[one]\r\nk1=v1\r\nk2=v2\r\n[two]\r\nx=7\r\n"},
        {"new section", [](const std::string& f) { return wl::WRITEPPROSTRING("three", "a", "b", f); },
         "[one]\r\nk1=v1\r\nk2=v2\r\n[two]\r\nx=12\r\n[three]\r\na=b\r\n"},
        {"removed entry", [](const std::string& f) { return wl::DELINIENTRY("one", "k1", f); },
         "[one]\r\nk2=v2\r\n[two]\r\nx=12\r\n"},
        {"removed section", [](const std::string& f) { return wl::DELINISECTION("one", f); },
         "[two]\r\nx=12\r\n"},
    };
    for (const auto& c : cases) {
        std::string f = dir.write(std::string(c.what) + ".ini", kIni);
        EXPECT_TRUE(c.change(f)) << c.what;
        EXPECT_EQ(zrtest::readBytes(f), c.expected) << c.what;
    }
}

TEST(WinIni, WritesReadsAndRemovesASection) {
    const std::string section = "zrtest-profile";
    ASSERT_TRUE(wl::WRITEPROFSTRING(section, "count", "42"));
    ASSERT_TRUE(wl::WRITEPROFSTRING(section, "name", "x12"));
    EXPECT_EQ(wl::GETPROFINT(section, "count", 0), 42);
    EXPECT_EQ(wl::GETPROFSTRING(section, "name", ""), "x12");
    EXPECT_EQ(wl::GETPROFSTRING(section, "missing", "dflt"), "dflt");
    EXPECT_EQ(wl::GETPROFSTRING(section, std::nullopt, ""), std::string("count\0name\0", 11));
    EXPECT_TRUE(wl::WRITEPROFSTRING(section, "name", std::nullopt));
    EXPECT_EQ(wl::GETPROFSTRING(section, "name", "gone"), "gone");
    EXPECT_TRUE(wl::WRITEPROFSTRING(section, std::nullopt, std::nullopt));
    EXPECT_EQ(wl::GETPROFINT(section, "count", -1), -1);
}

}  // namespace
