#include <gtest/gtest.h>

#include "map_file.hpp"
#include "record_collector.hpp"

namespace {

// The state a part leaves after beginning at an unknown set end: its own
// newest segments, then the earlier part's; its claim id, else the earlier.
TEST(RecordCollector, APartsSetEndIsCompletedByTheStateItBeganFrom) {
    zr::SetEndState before, part;
    for (int i = 0; i < zr::SegmentHistory::kSize; ++i) {
        before.history[static_cast<std::size_t>(i)] = "old" + std::to_string(i);
        part.history[static_cast<std::size_t>(i)] = i < 3 ? "new" + std::to_string(i) : "";
    }
    before.claimId = "C1";
    part.claimId = "";
    const zr::SetEndState s = part.after(before, 3, false);
    EXPECT_EQ(s.history[0], "new0");
    EXPECT_EQ(s.history[2], "new2");
    EXPECT_EQ(s.history[3], "old0");
    EXPECT_EQ(s.history[7], "old4");
    EXPECT_EQ(s.claimId, "C1");
    part.claimId = "C9";
    EXPECT_EQ(part.after(before, 3, true).claimId, "C9");
}

// Reading what an unknown set end would have fixed is noted: the history
// before the part's own segments, the claim id before the part's first.
TEST(RecordCollector, ReadingBeforeAnUnknownSetEndIsNoted) {
    const zr::MapFile map = zr::parseMapText(
        "KEYFIELD=HL,,,22\r\nKEYLINEFIELD=SV1\r\n"
        "FIELD=NAME,200,ISA,,,1,,,,5\r\nFIELD=AFTERSE,10,ST,,,2,,NAME,,,,,,,,SE\r\n");
    zr::CollectorSetup setup;
    setup.keys = map.keys;
    setup.source = "in.x12";  // the condition of AFTERSE holds
    zr::ByteBuffer out;
    zr::RecordCollector c(setup, zr::FieldTable(map.fields), nullptr);
    c.setOutput(&out, nullptr);
    c.startUnknown();
    c.handleSegment("GE*1*1");
    EXPECT_FALSE(c.readUnknown());
    c.handleSegment("ST*837*2");  // looks back for an SE past its part's start
    EXPECT_TRUE(c.readUnknown());
    zr::SetEndState known;
    known.history[0] = "SE*3*1";
    c.startAt(known);
    c.handleSegment("ST*837*2");
    EXPECT_FALSE(c.readUnknown());
}

}  // namespace
