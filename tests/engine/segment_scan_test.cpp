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
    const std::vector<std::string> expected{"AB*1 2", "CD*34", ""};
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
        {' ', "A,B C", {"A", "B"}},  // a comma turns blank before the test
        {',', "A,B,C", {}},          // and so never ends a segment
    };
    for (Case c : cases) {
        std::vector<std::string> out;
        zr::forEachSegment(c.bytes, c.terminator, [&](std::string_view t, std::size_t) { out.emplace_back(t); });
        EXPECT_EQ(out, c.segments) << int(c.terminator);
    }
}

}  // namespace
