// Collecting values from segments into the field table, and its routines without a caller.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "field_rows.hpp"
#include "field_table.hpp"
#include "record_writer.hpp"
#include "segment_table.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using zrtest::field;

// Values seen in place survive the text they pointed into once owned.
TEST(FieldCollection, OwnedViewsOutliveTheirBlock) {
    zr::FieldTable t(std::vector<zr::FieldRow>{field("NAME,NM1,,,3"), field("ID,NM1,,,9")});
    std::string block = "NM1*85*2*SMITH";
    t.setValue(0, std::string_view(block).substr(9, 5));
    zr::FieldTable::Snapshot s;
    t.snapshot(s);
    t.ownViews();
    zr::FieldTable::ownViews(s);
    zr::SegmentHistory h;
    h.push(block);
    h.own();
    block.assign(block.size(), 'x');
    EXPECT_EQ(t.value(0), "SMITH");
    EXPECT_EQ(h.entry(0), "NM1*85*2*SMITH");
    t.clearAll();
    t.restore(s);
    EXPECT_EQ(t.value(0), "SMITH");
}


// Collects fields from one segment at line 0, the segment alone in the
// history. Values are views into the text: it must outlive the table (a
// string literal does).
void collect(zr::FieldTable& t, std::string_view text) {
    zr::SegmentView s;
    s.reset(text, '*');
    zr::SegmentHistory h;
    h.push(text);
    zr::CollectContext c{s, h, '*', ':', 0};
    zr::CTL48400B(t, c);
}

TEST(FieldCollection, AtLineZeroTheWalkStepsOverLineFieldsOnlyAtItsPosition) {
    // CLAIM matches nothing in an SV1; the search from it finds AMT1 (line
    // 1, no condition) and takes it although the segment is at line 0.
    zr::FieldTable t({field("CLAIM,5,CLM,,,1"), field("AMT1,5,SV1,,,2,,,,,1"), field("AMT2,5,SV1,,,2,,,,,2")});
    collect(t, "SV1*HC:1*40");
    EXPECT_EQ(t.value(1), "40");
    EXPECT_EQ(t.value(2), "");
}

TEST(FieldCollection, PreviousSegmentTestTakesTheNewestEntryOfThatId) {
    zr::FieldTable t({field("ID,5,NM1,,,9"), field("ADDR,5,N3,,,1,,ID,,,,,,,,NM1,IL,2,PAY"), field("PAY,5,XX,,,1")});
    t.setValue(0, "W1");
    std::string nm1pr = "NM1*PR*2", nm1il = "NM1*IL*1", n3 = "N3*12 OAK";
    zr::SegmentView s;
    s.reset(n3, '*');
    zr::SegmentHistory h;
    h.push(nm1il);
    h.push(nm1pr);  // the newest NM1 is the payer's: the test fails
    h.push(n3);
    zr::CollectContext c{s, h, '*', ':', 0};
    zr::CTL48400B(t, c);
    EXPECT_EQ(t.value(1), "");
    h.push(nm1il);
    h.push(n3);
    zr::CTL48400B(t, c);
    EXPECT_EQ(t.value(1), "12 OAK");
}

// A segment is not its own previous segment: a second PER is told from the
// first by the PER before it.
TEST(FieldCollection, PreviousSegmentTestLooksBeforeTheSegmentHandled) {
    zr::FieldTable t({field("FIRST,5,PER,IC,2,2"), field("SECOND,5,PER,,,2,,FIRST,,,,,,,,PER,IC,2")});
    std::string nm1 = "NM1*41*2*SENDER", first = "PER*IC*ANN", second = "PER*IC*BOB";
    zr::SegmentHistory h;
    zr::SegmentView s;
    h.push(nm1);
    h.push(first);
    s.reset(first, '*');
    zr::CollectContext c{s, h, '*', ':', 0};
    zr::CTL48400B(t, c);
    EXPECT_EQ(t.value(0), "ANN");
    EXPECT_EQ(t.value(1), "");  // the PER before the first is none
    h.push(second);
    s.reset(second, '*');
    zr::CTL48400B(t, c);
    EXPECT_EQ(t.value(1), "BOB");
}

TEST(FieldCollection, ConditionNamingNoFieldStopsOnlyFieldsWithoutQualifier) {
    zr::FieldTable t({field("A,5,NM1,,,3,,NOSUCH"), field("B,5,NM1,IL,2,3,,NOSUCH")});
    collect(t, "NM1*IL*1*SMITH");
    EXPECT_EQ(t.value(0), "");
    EXPECT_EQ(t.value(1), "SMITH");
}

TEST(FieldCollection, SegmentIdsMatchFieldsWhoseSegmentItemBeginsWithThem) {
    zr::FieldTable t({field("A,5,NM1,,,1"), field("B,5,N,,,1,,,,,2"), field("C,5,NM,,,0")});
    auto fields = [&](std::string_view id) {
        std::vector<std::pair<int, int>> out;
        for (const zr::Candidate& k : t.candidates(id)) out.push_back({k.field, k.onlyAtLine});
        return out;
    };
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(fields("NM"), (V{{0, -1}, {2, 0}}));  // C takes no element: never
    EXPECT_EQ(fields("N"), (V{{0, -1}, {1, -1}, {2, 0}}));  // no condition: any line
    EXPECT_EQ(fields("NM1X"), V{});
    EXPECT_EQ(fields("SEGMENTIDLONG"), V{});
}


TEST(NoCallerRoutines, PieceTestAndSegmentClear) {
    EXPECT_EQ(zr::CTL48400O("ABCDE", "CD"), "CD");
    EXPECT_EQ(zr::CTL48400O("ABCDE", "X"), "");
    zr::FieldTable t({field("A,5,NM1,,,1"), field("B,5,N3,,,1")});
    t.setValue(0, "a");
    t.setValue(1, "b");
    zr::CTL48400AC(t, "NM1");
    EXPECT_EQ(t.value(0), "");
    EXPECT_EQ(t.value(1), "b");
}

}  // namespace
