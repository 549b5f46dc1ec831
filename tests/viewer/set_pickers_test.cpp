// What the interchange and set pickers list, and the one-set table.
#include "set_pickers.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

std::vector<std::string> ids(const SegmentTable& t) {
    std::vector<std::string> out;
    for (std::size_t r = 1; r <= t.size(); ++r) out.emplace_back(t.id(r));
    return out;
}

TEST(SetPickers, LinesNameEachInterchangeAndSet) {
    const SegmentTable two = zrtest::loadX12(zrtest::x12Fixture("two_interchanges.x12"));
    EXPECT_EQ(interchangeLines(two),
              (std::vector<std::string>{"837  000000001  005010X222A1", "835  000000002  005010X221A1"}));
    const SegmentTable sets = zrtest::loadX12(zrtest::x12Fixture("837p_two_sets.x12"));
    const std::vector<std::string> lines = setLines(sets);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "837  005010X222A1  ACME BILLING");
    EXPECT_EQ(lines[1].substr(0, 17), "837  005010X222A1");
    zrtest::TempDir dir;
    const SegmentTable bare = zrtest::loadX12(dir.write("bare.x12", "GS*X~GE*1~"));
    EXPECT_EQ(interchangeLines(bare), std::vector<std::string>{"Error"});
    EXPECT_EQ(setLines(bare), std::vector<std::string>{"Error"});
}

TEST(SetPickers, OneSetTableKeepsTheEnvelopeAndRenumbersClaims) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "835s.x12",
        zrtest::x12Text({"GS*HP*A*B*1*1*1*X*1", "ST*835*1", "CLP*A", "SE*3*1", "ST*835*2", "CLP*B", "CLP*C", "SE*4*2",
                         "ST*835*3", "CLP*D", "SE*3*3", "GE*3*1", "IEA*1*1"})));
    const SegmentTable second = CTL39424A(2, t);
    EXPECT_EQ(ids(second), (std::vector<std::string>{"ISA", "GS", "ST", "CLP", "CLP", "SE", "GE", "IEA"}));
    EXPECT_EQ(second.claim(4).inFile, 1u);
    EXPECT_EQ(second.claim(5).inInterchange, 2u);
    // The claim columns count CLP within the set; the levels stay the rows' own.
    for (std::size_t r = 3; r <= 6; ++r) {
        EXPECT_EQ(second.column(r, 10), std::vector<std::string>({"", "1", "2", "2"})[r - 3]) << r;
        EXPECT_EQ(second.column(r, 11), second.column(r, 10)) << r;
        EXPECT_EQ(second.level(r), t.level(r + 3)) << r;
    }
    const SegmentTable last = CTL39424A(3, t);
    EXPECT_EQ(ids(last), (std::vector<std::string>{"ISA", "GS", "ST", "CLP", "SE", "GE", "IEA"}));
    // A 270 set comes through unchanged.
    const SegmentTable e = zrtest::loadX12(dir.write(
        "270.x12", zrtest::x12Text({"GS*HS*A*B*1*1*1*X*1", "ST*270*1", "HL*1**20*1", "SE*3*1", "GE*1*1", "IEA*1*1"})));
    const SegmentTable one = CTL39424A(1, e);
    ASSERT_EQ(one.size(), e.size());
    for (std::size_t r = 1; r <= e.size(); ++r) EXPECT_EQ(one.claim(r), e.claim(r)) << r;
}

TEST(SetPickers, OneSetTableOfA277CountsClaimsByTheirHl22) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "277s.x12",
        zrtest::x12Text({"GS*HN*A*B*1*1*1*X*005010X212", "ST*277*1", "HL*1**20*1", "HL*2*1*21*1", "HL*3*2*19*1",
                         "HL*4*3*22*0", "STC*A1:20", "SE*7*1", "ST*277*2", "HL*1**20*1", "HL*2*1*21*1", "HL*3*2*19*1",
                         "HL*4*3*22*0", "STC*A1:20", "HL*5*3*22*0", "STC*A2:20", "SE*9*2", "GE*2*1", "IEA*1*1"})));
    const SegmentTable second = CTL39424A(2, t);
    ASSERT_EQ(second.size(), 13u);  // ISA GS, ST to SE, GE IEA
    // The payer, provider and billing levels open no claim.
    const std::vector<std::string> claims = {"", "", "", "", "", "", "1", "1", "2", "2", "2"};
    for (int k : {8, 10, 11})
        for (std::size_t r = 1; r <= claims.size(); ++r) EXPECT_EQ(second.column(r, k), claims[r - 1]) << k << "/" << r;
    EXPECT_EQ(second.text(9), "HL*5*3*22*0");
    for (std::size_t r = 3; r <= 11; ++r) EXPECT_EQ(second.level(r), t.level(r + 7)) << r;
}

}  // namespace
