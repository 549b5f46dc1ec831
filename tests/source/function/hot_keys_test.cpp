// Hot keys of captions and the control an Alt key reaches.
#include "hot_keys.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TEST(HotKeys, TheCharacterAfterASingleAmpersand) {
    struct Case {
        const char* caption;
        std::optional<char> key;
    } const cases[] = {
        {"&OK", 'O'},         {"Sa&ve", 'V'},     {"Fish && &Chips", 'C'}, {"A && B", std::nullopt},
        {"Plain", std::nullopt}, {"Trailing&", std::nullopt}, {"&&&x", 'X'}, {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(hotKeyOf(c.caption), c.key) << c.caption;
    EXPECT_TRUE(hasHotKey("Sa&ve", 'v'));
    EXPECT_TRUE(hasHotKey("Sa&ve", 'V'));
    EXPECT_FALSE(hasHotKey("Sa&ve", 'S'));
    EXPECT_FALSE(hasHotKey("A && B", 'B'));
}

TEST(HotKeys, TheFirstEnabledControlOrTheOneAfterALabel) {
    const std::vector<HotKeyCandidate> children = {
        {"&Name:", true, true},   // label: hands N to the field after it
        {"", true, false},        // the name field
        {"&Off", false, false},   // disabled: never reached
        {"&Open", true, false},
        {"&Last:", true, true},   // a label with nothing after it that may take the key
        {"&Tail", false, false},
    };
    struct Case {
        char key;
        std::optional<std::size_t> target;
    } const cases[] = {{'n', 1}, {'O', 3}, {'l', std::nullopt}, {'t', std::nullopt}, {'x', std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(hotKeyTarget(children, c.key), c.target) << c.key;
}

TEST(HotKeys, ALabelSkipsFurtherLabelsAndDisabledControls) {
    const std::vector<HotKeyCandidate> children = {
        {"&Amount", true, true}, {"unit", true, true}, {"", false, false}, {"", true, false}};
    EXPECT_EQ(hotKeyTarget(children, 'a'), std::optional<std::size_t>(3));
}

}  // namespace
