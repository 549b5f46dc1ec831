#include <gtest/gtest.h>

#include "acknowledgement.hpp"
#include "claim_index.hpp"
#include "table_rewriters.hpp"
#include "x12_fixtures.hpp"

namespace {

using zrtest::columnOf;
using zrtest::loadX12;
using zrtest::x12Fixture;
using zrtest::x12Text;
using Strings = std::vector<std::string>;

// The billing provider a claim shows: the nearest NM1*85 above its first row.
std::string billingProviderOf(const zr::SegmentTable& t, std::size_t claimRow) {
    for (std::size_t r = claimRow; r >= 1; --r)
        if (t.id(r) == "NM1" && t.element(r, 1) == "85") return std::string(t.element(r, 3));
    return "";
}

TEST(Merging, OneSetGivesTheWholeTable) {
    auto t = loadX12(x12Fixture("837p_two_claims.x12"));
    auto m = zr::CTL39400AH(t, 1);
    ASSERT_EQ(m.size(), t.size());
    for (int k : {1, 2, 3, 4, 8, 10, 11, 12, 13}) EXPECT_EQ(columnOf(m, k), columnOf(t, k)) << k;
}

TEST(Merging, ClaimsOfAllSetsAreRenumberedAndKeepTheirProvider) {
    auto t = loadX12(x12Fixture("837p_two_sets.x12"));
    auto m = zr::CTL39400AH(t, 2);
    auto idx = zr::CTL39400C(m, 2);
    ASSERT_EQ(idx.size(), 4u);
    Strings claims, providers;
    for (auto row : idx) {
        claims.push_back(m.column(row, 8));
        providers.push_back(billingProviderOf(m, row));
    }
    EXPECT_EQ(claims, (Strings{"1", "2", "3", "4"}));
    // The second set's claims keep its own billing provider, not the first set's.
    EXPECT_EQ(providers, (Strings{"FAMILY CLINIC", "FAMILY CLINIC", "RIVER HOSPITAL", "RIVER HOSPITAL"}));
    // One ST remains; files-wide numbers are kept.
    int sts = 0;
    for (std::size_t r = 1; r <= m.size(); ++r) sts += m.id(r) == "ST";
    EXPECT_EQ(sts, 1);
    EXPECT_EQ(m.column(idx[3], 10), "4");
    EXPECT_EQ(m.size(), t.size() - 1);
}

TEST(Merging, StcRowsDoNotSplitAClaim) {
    auto t = loadX12(x12Fixture("277_stc.x12"));
    auto m = zr::CTL39400AH(t, 1);
    Strings stcClaims;
    for (std::size_t r = 1; r <= m.size(); ++r)
        if (m.id(r) == "STC") stcClaims.push_back(m.column(r, 8));
    EXPECT_EQ(stcClaims, (Strings{"1", "2", "2"}));
    EXPECT_EQ(zr::CTL39400C(m, 2).size(), 2u);
}

TEST(Interchanges, CutOutOneInterchange) {
    auto t = loadX12(x12Fixture("two_interchanges.x12"));
    auto second = zr::CTL39405A(2, t);
    ASSERT_GT(second.size(), 2u);
    EXPECT_EQ(second.id(1), "ISA");
    EXPECT_EQ(second.element(1, 13), "000000002");
    EXPECT_EQ(second.id(second.size()), "IEA");
    EXPECT_EQ(zr::CTL39400AB(second, 1, 1, "ST"), "835");
    EXPECT_EQ(zr::CTL39405A(3, t).size(), 0u);
    auto first = zr::CTL39405A(1, t);
    EXPECT_EQ(first.size() + second.size(), t.size());
}

TEST(Acknowledgement, NotesFromA997) {
    zrtest::PromptRecorder rec;
    auto t = zr::CTL39400O(x12Fixture("997_for_837p.x12"), loadX12(x12Fixture("837p_two_claims.x12")));
    EXPECT_EQ(t.column(10, 5), "Segment has data element errors");
    EXPECT_EQ(t.column(10, 6), "Mandatory data element missing");
    // Position 27 is row 29; element code 10 is not code 1.
    EXPECT_EQ(t.column(29, 5), "Segment has data element errors");
    EXPECT_EQ(t.column(29, 6), "Exclusion condition violated");
    EXPECT_EQ(t.column(11, 5), "");
    EXPECT_TRUE(rec.prompts().empty());
    EXPECT_EQ(zr::CTL39400P(x12Fixture("997_for_837p.x12"), t, 2), "One or more segments in error");
    EXPECT_EQ(zr::CTL39400P(x12Fixture("997_for_837p.x12"), t, 1), "Rejected Advised");
}

TEST(Acknowledgement, A999WorksLikeA997AndReadsIk5) {
    zrtest::PromptRecorder rec;
    const std::string ack = x12Fixture("999_for_837p.x12");
    auto t = zr::CTL39400O(ack, loadX12(x12Fixture("837p_two_claims.x12")));
    EXPECT_EQ(t.column(10, 5), "Segment has data element errors CLM01 PAT001");
    EXPECT_EQ(t.column(10, 6), "Mandatory data element missing");
    EXPECT_EQ(zr::CTL39400P(ack, t, 2), "One or more segments in error");
    EXPECT_EQ(zr::CTL39400P(ack, t, 1), "Rejected Advised");
}

TEST(Acknowledgement, NotesGoToTheSetTheAk2Names) {
    zrtest::PromptRecorder rec;
    auto t = loadX12(x12Fixture("837p_two_sets.x12"));
    std::size_t secondSt = 0;
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == "ST" && t.element(r, 2) == "0002") secondSt = r;
    ASSERT_GT(secondSt, 3u);
    t = zr::CTL39400O(x12Fixture("997_for_set2.x12"), t);
    EXPECT_EQ(t.column(secondSt + 7, 1), "NM1");
    EXPECT_EQ(t.column(secondSt + 7, 5), "Segment has data element errors");
    EXPECT_EQ(t.column(10, 5), "");  // the first set's row at that position stays clean
    EXPECT_TRUE(rec.prompts().empty());
}

TEST(Acknowledgement, AnotherGroupOrNoFileShowsTheBatchMessage) {
    zrtest::TempDir dir;
    const std::string other = dir.write(
        "other.x12", x12Text({"GS*FA*A*B*20261210*1253*9*X*005010X230", "ST*997*0001", "AK1*HC*7777",
                              "AK2*837*0001", "AK3*NM1*8**8", "AK5*R*5", "AK9*R*1*1*0", "SE*7*0001", "GE*1*9",
                              "IEA*1*000000001"}));
    for (const std::string& ack : {other, std::string(), dir.file("missing.x12")}) {
        zrtest::PromptRecorder rec;
        auto t = zr::CTL39400O(ack, loadX12(x12Fixture("837p_two_claims.x12")));
        EXPECT_EQ(t.column(10, 5), "") << ack;
        ASSERT_EQ(rec.texts().size(), 1u) << ack;
        EXPECT_EQ(rec.texts()[0], "\r\nThe 997/999 for batch 1001 was not found in this file.");
        EXPECT_EQ(zr::CTL39400P(ack, t, 2), "") << ack;
    }
}

TEST(Acknowledgement, CodeTextsVerbatim) {
    EXPECT_EQ(zr::setSyntaxErrorText("23"), "Set control function unique error ");
    EXPECT_EQ(zr::setSyntaxErrorText("13"), "aithentification failed");
    EXPECT_EQ(zr::setSyntaxErrorText("14"), "");
    EXPECT_EQ(zr::setAcknowledgementText("E"), "Accepted with Errors");
    EXPECT_EQ(zr::segmentErrorText("9"), "");
    EXPECT_EQ(zr::elementErrorText("01"), "");  // codes compare exactly
}

TEST(Acknowledgement, FileChoiceGoesThroughTheDialog) {
    zrtest::PromptRecorder rec;
    rec.answerFile("C:\\acks\\a.997");
    EXPECT_EQ(zr::CTL39400Q(0, "*.997"), "C:\\acks\\a.997");
    ASSERT_EQ(rec.prompts().size(), 1u);
    EXPECT_EQ(rec.prompts()[0].caption, "Select 997 File");
    EXPECT_EQ(rec.prompts()[0].text, "*.997");
    EXPECT_EQ(zr::CTL39400Q(1, "*.997"), "");
    EXPECT_EQ(rec.prompts().size(), 1u);
}

}  // namespace
