#include <gtest/gtest.h>

#include <map>

#include "main_menu.hpp"
#include "recent_files.hpp"

namespace {

// A profile section in memory: key to value, as the profile file holds it.
struct Section {
    std::map<std::string, std::string> keys;
    wl::MruStore store() {
        return {[this](const std::string& k) { auto it = keys.find(k); return it == keys.end() ? std::string() : it->second; },
                [this](const std::string& k, const std::string& v) { keys[k] = v; },
                [this](const std::string& k) { keys.erase(k); },
                [this] { keys.clear(); }};
    }
    std::vector<std::string> inKeyOrder() const {
        std::vector<std::string> out;
        for (int k = 1; k <= 30; ++k)
            if (auto it = keys.find(std::to_string(k)); it != keys.end()) out.push_back(it->second);
        return out;
    }
};

using Names = std::vector<std::string>;

TEST(RecordViewedFile, MostRecentFirstWholePathWithoutRegardToCase) {
    struct Case {
        const char* what;
        Names before;  // keys "1" .. in order
        std::string viewed;
        Names after;
    };
    const Case cases[] = {
        {"first file", {}, "C:\\x\\a.x12", {"C:\\x\\a.x12"}},
        {"viewed twice, recorded once", {"C:\\x\\a.x12"}, "C:\\x\\a.x12", {"C:\\x\\a.x12"}},
        {"a prefix of a recorded path is a file of its own", {"C:\\x\\a.x12.bak"}, "C:\\x\\a.x12",
         {"C:\\x\\a.x12", "C:\\x\\a.x12.bak"}},
        {"a recorded path moves to the top", {"b", "c", "a"}, "a", {"a", "b", "c"}},
        {"the same path in another case keeps its recorded spelling", {"b", "C:\\X\\A.X12"}, "c:\\x\\a.x12",
         {"C:\\X\\A.X12", "b"}},
        {"blanks around the name are not part of it", {"b"}, "  a.x12  ", {"a.x12", "b"}},
        {"a blank file records nothing", {"b"}, "   ", {"b"}},
    };
    for (const Case& c : cases) {
        Section s;
        for (std::size_t i = 0; i < c.before.size(); ++i) s.keys[std::to_string(i + 1)] = c.before[i];
        zr::CTLD48400E(s.store(), c.viewed);
        EXPECT_EQ(s.inKeyOrder(), c.after) << c.what;
    }
}

TEST(RecordViewedFile, AFullListTakesTheNewFileAndDropsTheOldest) {
    Section s;
    for (int k = 1; k <= 25; ++k) s.keys[std::to_string(k)] = "f" + std::to_string(k);
    zr::CTLD48400E(s.store(), "new");
    const Names got = s.inKeyOrder();
    ASSERT_EQ(got.size(), 25u);
    EXPECT_EQ(got.front(), "new");
    EXPECT_EQ(got[1], "f1");
    EXPECT_EQ(got.back(), "f24");
}

TEST(RecordViewedFile, TheMenuListAndTheToolbarShareOneList) {
    // The menu's list holds the entries it read; a file recorded through the
    // toolbar updates that same list, so the next menu save keeps it.
    Section s;
    s.keys = {{"1", "a"}, {"3", "b"}};
    wl::MruList menu(zr::kViewerListMax);
    menu.load(s.store());
    zr::recordViewedFile(menu, s.store(), "B");  // the toolbar
    zr::recordViewedFile(menu, s.store(), "c");  // the menu
    EXPECT_EQ(s.inKeyOrder(), (Names{"c", "b", "a"}));
    ASSERT_EQ(menu.entries().size(), 3u);
    EXPECT_EQ(menu.entries()[1].name, "b");
}

TEST(DropDown, AtMostTwentyEntriesInKeyOrderSkippingEmptyKeys) {
    Section s;
    for (int k = 1; k <= 25; ++k) s.keys[std::to_string(k)] = "f" + std::to_string(k);
    s.keys["2"] = "";
    const auto entries = zr::CTLD48400F(s.store());
    ASSERT_EQ(entries.size(), 19u);
    EXPECT_EQ(entries.front().key, 1);
    EXPECT_EQ(entries[1].key, 3);
    EXPECT_EQ(entries.back().key, 20);
    EXPECT_EQ(entries.back().file, "f20");

    Section empty;
    EXPECT_TRUE(zr::CTLD48400F(empty.store()).empty());
}

TEST(DropDown, ListedKeysAndTargets) {
    Section s;
    s.keys = {{"1", "a"}, {"3", "c"}, {"21", "u"}, {"22", "v"}};
    const auto values = zr::CTLD48400H(s.store());
    ASSERT_EQ(values.size(), 21u);
    EXPECT_EQ(values[0], "a");
    EXPECT_EQ(values[1], "");
    EXPECT_EQ(values[20], "u");
    EXPECT_EQ(zr::CTLD48400I(s.store(), 22), "v");

    // Section names are recognised by prefix.
    EXPECT_EQ(zr::dropDownTarget("Viewer-Files"), zr::DropDownTarget::Viewer);
    EXPECT_EQ(zr::dropDownTarget("Database-Files"), zr::DropDownTarget::Conversion);
    EXPECT_EQ(zr::dropDownTarget("Other"), zr::DropDownTarget::None);
}

TEST(MruFile, NamedAfterTheModelInTheCurrentFolder) {
    const std::string path = zr::mruFilePath("ZRK7W315");
    EXPECT_EQ(path.substr(0, 1), ".");
    EXPECT_EQ(path.substr(2), "ZRK7W315.mru");
}

}  // namespace
