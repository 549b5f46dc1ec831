// The segment walk shared by the X12 tools: pieces, counts, numbers, and
// the walk over a file in blocks.
#include <gtest/gtest.h>

#include "segment_walk.hpp"
#include "test_support.hpp"

namespace {

struct WalkPieceCase {
    std::string segment;
    std::size_t n;
    std::string piece;
};

struct WalkSeen {
    std::vector<std::string> segments;
    std::vector<std::int64_t> offsets;
    std::vector<std::pair<int, std::int64_t>> controls;
};

WalkSeen walkSeen(const std::string& file, char terminator, zr::SegmentWalkResult* result = nullptr) {
    WalkSeen seen;
    zr::SegmentWalkEvents events;
    events.segment = [&](std::string_view s, std::int64_t at) {
        seen.segments.emplace_back(s);
        seen.offsets.push_back(at);
    };
    events.controlByte = [&](unsigned char c, std::int64_t at) { seen.controls.emplace_back(c, at); };
    const zr::SegmentWalkResult r = zr::walkSegments(file, terminator, events);
    if (result) *result = r;
    return seen;
}

}  // namespace

TEST(SegmentWalk, PiecesLeaveOutTheTerminatorAndAnswerEmptyPastTheEnd) {
    const WalkPieceCase cases[] = {
        {"NM1*IL*1*ABC~", 1, "NM1"},   {"NM1*IL*1*ABC~", 4, "ABC"},   {"NM1*IL*1*ABC~", 5, ""},
        {"\r\nREF*EA*77~", 1, "\r\nREF"}, {"CLM*A**B~", 3, ""},         {"CLM*A**B~", 4, "B"},
        {"SE~", 1, "SE"},              {"", 1, ""},                   {"N4*X*~", 3, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(zr::segmentPiece(c.segment, '*', c.n), c.piece) << c.segment << " " << c.n;
}

TEST(SegmentWalk, ElementCountIncludesTheIdAndIgnoresTheLastCharacter) {
    EXPECT_EQ(zr::segmentElementCount("NM1*IL*1~", '*'), 3u);
    EXPECT_EQ(zr::segmentElementCount("SE~", '*'), 1u);
    // A terminator that equals the separator is the last character, not a separator.
    EXPECT_EQ(zr::segmentElementCount("A*B*", '*'), 2u);
    EXPECT_EQ(zr::segmentId("\r\n CLP*1~", '*'), "CLP");
}

TEST(SegmentWalk, LeadingNumbers) {
    const std::pair<const char*, double> cases[] = {
        {"100", 100}, {"25.50", 25.5}, {"", 0}, {"ABC", 0}, {" 7.25X", 7.25}, {"-3.5", -3.5}, {".5", 0.5}, {"12.", 12},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(zr::leadingAmount(text), value) << text;
}

TEST(SegmentWalk, SegmentsCarryTheLineBreaksBeforeThemAndTheTailIsKeptApart) {
    zrtest::TempDir dir;
    const std::string file = dir.write("a.x12", "ISA*1~\r\nGS*2~\r\nSE~\r\n");
    zr::SegmentWalkResult r;
    const WalkSeen seen = walkSeen(file, '~', &r);
    EXPECT_EQ(seen.segments, (std::vector<std::string>{"ISA*1~", "\r\nGS*2~", "\r\nSE~"}));
    EXPECT_EQ(seen.offsets, (std::vector<std::int64_t>{0, 6, 13}));
    EXPECT_EQ(r.tail, "\r\n");
    EXPECT_EQ(seen.controls.size(), 6u);
    EXPECT_EQ(seen.controls[0], std::make_pair(13, std::int64_t{6}));
    EXPECT_EQ(seen.controls[1], std::make_pair(10, std::int64_t{7}));
}

TEST(SegmentWalk, ASegmentAcrossBlockBoundariesComesWhole) {
    zrtest::TempDir dir;
    const std::string longElement(3'000'000, 'A');
    const std::string file = dir.write("long.x12", "ST*1~NTE*" + longElement + "~SE~");
    const WalkSeen seen = walkSeen(file, '~');
    ASSERT_EQ(seen.segments.size(), 3u);
    EXPECT_EQ(seen.segments[1], "NTE*" + longElement + "~");
    EXPECT_EQ(seen.offsets[2], static_cast<std::int64_t>(5 + 5 + longElement.size()));
}

TEST(SegmentWalk, AMissingFileIsSaidAndNothingIsWalked) {
    zr::SegmentWalkResult r;
    const WalkSeen seen = walkSeen("/no/such/file.x12", '~', &r);
    EXPECT_TRUE(r.missing);
    EXPECT_TRUE(seen.segments.empty());
}
