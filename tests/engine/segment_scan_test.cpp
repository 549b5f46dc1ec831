// Cutting a block of bytes into segments.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "segment_scan.hpp"

namespace {

namespace fs = std::filesystem;

TEST(SegmentScan, CleansSegmentsInPlaceSoThatASecondWalkSeesTheSame) {
    std::string bytes = "AB*1,2~\r\nCD*3\r\n4~~EF";
    auto walk = [&] {
        std::vector<std::string> out;
        zr::forEachSegment(bytes, '~', [&](std::string_view t, std::size_t) { out.emplace_back(t); });
        return out;
    };
    // A comma stays (it was a blank once, and "HART, WELL" came back "HART  WELL").
    const std::vector<std::string> expected{"AB*1,2", "CD*34", ""};
    EXPECT_EQ(walk(), expected);
    EXPECT_EQ(walk(), expected);
}

TEST(SegmentScan, TerminatorsThatAreLineBreaksBlanksOrCommas) {
    struct Case {
        char terminator;
        std::string bytes;
        std::vector<std::string> segments;
    };
    const Case cases[] = {
        {'\n', "A*1\r\nB*2\n", {"A*1", "B*2"}},
        {' ', "A,B C", {"A", "B"}},  // with a blank terminator a comma ends a segment too
        {',', "A,B,C", {}},          // a comma terminator never ends one
    };
    for (Case c : cases) {
        std::vector<std::string> out;
        zr::forEachSegment(c.bytes, c.terminator, [&](std::string_view t, std::size_t) { out.emplace_back(t); });
        EXPECT_EQ(out, c.segments) << int(c.terminator);
    }
}

}  // namespace
