#include <gtest/gtest.h>

#include <map>

#include "mru_list.hpp"

namespace {

// A profile section in memory.
struct FakeSection {
    std::map<std::string, std::string> keys;
    bool removed = false;
    wl::MruStore store() {
        return {[this](const std::string& k) { auto it = keys.find(k); return it == keys.end() ? std::string() : it->second; },
                [this](const std::string& k, const std::string& v) { keys[k] = v; },
                [this](const std::string& k) { keys.erase(k); },
                [this] { keys.clear(); removed = true; }};
    }
};

std::vector<std::string> names(const wl::MruList& l) {
    std::vector<std::string> out;
    for (const auto& e : l.entries()) out.push_back(e.name);
    return out;
}

TEST(MruList, CaptionsAndNames) {
    EXPECT_EQ(wl::mruCaption(1, "C:\\x12\\a.x12"), "&1 C:\\x12\\a.x12");
    EXPECT_EQ(wl::mruCaption(12, "b.x12"), "&12 b.x12");
    EXPECT_EQ(wl::mruNameOfCaption("&3 C:\\My Files\\c.x12"), "C:\\My Files\\c.x12");
}

TEST(MruList, LoadKeepsKeyNumbersAndSaveRenumbers) {
    FakeSection s{{{"1", "a"}, {"3", "c"}, {"12", "beyond"}}};
    wl::MruList list(10);
    list.load(s.store());
    ASSERT_EQ(names(list), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.entries()[1].number, 3);
    auto r = list.save("a", s.store());
    EXPECT_EQ(r.movedFrom, std::size_t{0});
    EXPECT_EQ(list.entries()[1].number, 2);
    EXPECT_EQ(s.keys["2"], "c");
    EXPECT_EQ(s.keys.count("3"), 0u);  // the gap's old key is gone
}

TEST(MruList, SavingMovesTheNameToTheTop) {
    FakeSection s{{{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}}};
    wl::MruList list(10);
    list.load(s.store());
    auto r = list.save("c", s.store());
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(names(list), (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_EQ(list.entries()[3].number, 4);
    // Exact comparison, case included: "C" is a new name.
    r = list.save("C", s.store());
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(names(list), (std::vector<std::string>{"C", "c", "a", "b", "d"}));
    EXPECT_EQ(s.keys, (std::map<std::string, std::string>{{"1", "C"}, {"2", "c"}, {"3", "a"}, {"4", "b"}, {"5", "d"}}));
}

TEST(MruList, FullListDropsTheOldestAndNoStaleKeysRemain) {
    FakeSection s{{{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "stale"}}};
    wl::MruList list(3);
    list.load(s.store());
    ASSERT_EQ(names(list), (std::vector<std::string>{"a", "b", "c"}));
    auto r = list.save("new", s.store());
    EXPECT_TRUE(r.droppedLast);
    EXPECT_FALSE(r.separatorAdded);
    EXPECT_EQ(names(list), (std::vector<std::string>{"new", "a", "b"}));

    // A list shorter than the section: the keys above its length are removed,
    // so they cannot come back as duplicates at the next start.
    FakeSection t{{{"1", "a"}, {"2", "b"}, {"3", "a"}}};
    wl::MruList shortList(5);
    shortList.load(t.store());
    shortList.clear(t.store());
    EXPECT_TRUE(t.removed);
    t.keys = {{"1", "x"}, {"2", "y"}, {"3", "z"}};
    wl::MruList fresh(5);
    auto first = fresh.save("only", t.store());
    EXPECT_TRUE(first.separatorAdded);
    EXPECT_EQ(t.keys, (std::map<std::string, std::string>{{"1", "only"}}));
    wl::MruList reread(5);
    reread.load(t.store());
    EXPECT_EQ(names(reread), (std::vector<std::string>{"only"}));
}

}  // namespace
