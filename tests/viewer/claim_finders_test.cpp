// The search primitives under the 837 getters: pieces, the claim, header,
// service-line and group searches, and the CLM and service-line counts.
#include "claim_finders.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct FinderFile {
    SegmentTable table = zrtest::loadX12(zrtest::x12Fixture("claims_837p.x12"));
    ClaimIndex index = CTL39400C(table, 2);
    std::size_t first(std::size_t k) const { return index[k - 1]; }
    std::uint32_t key(std::size_t k) const { return claimKey(table, index, k); }
};

TEST(ClaimFinders, PiecesAndTheirCount) {
    EXPECT_EQ(CTL39406G("CLM*A1*100", 1, "*"), "CLM");
    EXPECT_EQ(CTL39406G("CLM*A1*100", 2, "*"), "A1");
    EXPECT_EQ(CTL39406G("CLM*A1*100", 5, "*"), "");
    EXPECT_EQ(CTL39406F("NM1*85*2", "*"), 3);
    EXPECT_EQ(CTL39406F("A*B*", "*"), 2);
}

TEST(ClaimFinders, QualifiersCompareWholeWithTheFirstComponent) {
    const FinderFile f;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"D", "12.34"}, {"D8", "7.00"}, {"DY", "8.00"}, {"T", "1.50"}, {"T2", "3.00"}, {"", "7.00"}, {"X", ""}};
    for (const auto& [q, amount] : cases)
        EXPECT_EQ(CTL39406C(f.table, 1, f.key(1), f.first(1), {"AMT", q, 3}), amount) << q;
    // A composite first element: the qualifier is its first component.
    EXPECT_EQ(CTL39406D(f.table, 1, f.key(1), f.first(1), {"HI", "ABK", 2}, 2), "J449");
    EXPECT_EQ(CTL39406D(f.table, 1, f.key(1), f.first(1), {"HI", "AB", 2}, 2), "");
}

TEST(ClaimFinders, ClaimSearchStaysInsideTheClaim) {
    const FinderFile f;
    // Claim 1 has no patient: the next claim's NM1*QC is not looked at.
    EXPECT_EQ(CTL39406C(f.table, 1, f.key(1), f.first(1), {"NM1", "QC", 4}), "");
    EXPECT_EQ(CTL39406C(f.table, 1, f.key(2), f.first(2), {"NM1", "QC", 4}), "BROWN");
    // A second step ends at a further S when a qualifier is given.
    EXPECT_EQ(CTL39406C(f.table, 1, f.key(1), f.first(1), {"NM1", "IL", 2, "N3", {}}), "5 ELM ST");
    EXPECT_EQ(CTL39406C(f.table, 1, f.key(1), f.first(1), {"NM1", "PR", 2, "REF", "SY"}), "");
    // Sub-claim j passes over the first j-1 segments S.
    EXPECT_EQ(CTL39406C(f.table, 2, f.key(2), f.first(2), {"CLM", {}, 2}), "KID-B");
    EXPECT_EQ(CTL39406C(f.table, 3, f.key(2), f.first(2), {"CLM", {}, 2}), "");
    EXPECT_EQ(CTL39406C(f.table, 1, 0, f.first(2), {"CLM", {}, 2}), "");
}

TEST(ClaimFinders, NthMatchesAndFollowingSegments) {
    const FinderFile f;
    EXPECT_EQ(CTL39406DS(f.table, 1, f.key(1), f.first(1), {"DTP", {}, 2}, 3), "296");
    EXPECT_EQ(CTL39406DS(f.table, 1, f.key(1), f.first(1), {"NM1", "DN", 3, "REF", {}}, 2), "UPIN66");
    EXPECT_EQ(CTL39406DS(f.table, 1, f.key(1), f.first(1), {"NM1", "DN", 3, "REF", {}}, 3), "");
    EXPECT_EQ(CTL39406DT(f.table, 1, f.key(3), f.first(3), {"HI", "ABF", 2}, 2, 1), "C01");
    // The n-th S2 after the first S, the first j segments S passed over.
    EXPECT_EQ(CTL39406H(f.table, 0, f.key(1), f.first(1), {"NM1", "DN", 3, "REF", {}}, 1), "LIC55");
    EXPECT_EQ(CTL39406H(f.table, 0, f.key(1), f.first(1), {"NM1", "DN", 3, "REF", {}}, 3), "");
}

TEST(ClaimFinders, HeaderSearchesStopAtTheirHl) {
    const FinderFile f;
    EXPECT_EQ(CTL39406Q(f.table, 1, {"BHT", {}, 4}, 1), "BATCH42");
    EXPECT_EQ(CTL39406Q(f.table, 1, {"NM1", "85", 4}, 1), "");
    EXPECT_EQ(CTL39406Q(f.table, 1, {"NM1", "85", 4}, 2), "FIRST CLINIC");
    EXPECT_EQ(CTL39406W(f.table, {"NM1", "85", 3, "REF", {}}, 2), "PROV77");
    EXPECT_EQ(CTL39406W(f.table, {"NM1", "99", 3, "REF", {}}, 1), "");
}

TEST(ClaimFinders, ServiceLinesCompareTheirNumberAsANumber) {
    const FinderFile f;
    EXPECT_EQ(CTL39406CL(f.table, 1, f.key(3), f.first(3), "LX", "1", 2, "SV1", {}, 2), "11111");
    EXPECT_EQ(CTL39406CL(f.table, 1, f.key(3), f.first(3), "LX", "01", 2, "SV1", {}, 2), "11111");
    EXPECT_EQ(CTL39406CM(f.table, 1, f.key(3), f.first(3), "LX", "13", 2, "SV1", {}), "");
    EXPECT_EQ(CTL39406CM(f.table, 1, f.key(1), f.first(1), "LX", "2", 3, "REF", "6R"), "");
    EXPECT_EQ(CTL39406CM(f.table, 1, f.key(1), f.first(1), "LX", "", 3, "REF", "6R"), "LINE1");
    EXPECT_EQ(CTL39406CM(f.table, 2, f.key(3), f.first(3), "LX", "1", 3, "SV1", {}), "20");
}

TEST(ClaimFinders, ThreeStepAndGroupSearches) {
    const FinderFile f;
    EXPECT_EQ(CTL39406CK(f.table, f.key(1), f.first(1), {"SBR", "P", 2, "NM1", "PR"}, "N3"), "100 INSURER WAY");
    EXPECT_EQ(groupStart(f.table, f.first(3)), groupStart(f.table, f.first(3) - 3));
    EXPECT_LT(groupStart(f.table, f.first(3)), f.first(3));
    EXPECT_EQ(f.table.id(groupStart(f.table, f.first(3))), "HL");
    EXPECT_EQ(CTL39406CX(f.table, f.first(3), "HL", "", 4, "NM1", "85"), "SECOND CLINIC");
    EXPECT_EQ(CTL39406CX(f.table, f.first(1), "HL", "", 4, "NM1", "87"), "PAYTO CLINIC");
    EXPECT_EQ(CTL39406CX(f.table, f.first(3), "HL", "", 4, "NM1", "87"), "");
    EXPECT_EQ(CTL39406CW(f.table, f.first(2), {"HL", {}, 2, "NM1", "85"}, "N4"), "SPRINGFIELD");
    EXPECT_EQ(CTL39406CV(f.table, f.first(3), {"NM1", "85", 3, "REF", {}}, 2), "444555666");
}

TEST(ClaimFinders, ThirdSegmentsAndFileRefsStayInTheirLoop) {
    const FinderFile f;
    // SBR*S's payer has no N3: the next claim's patient's is not its own.
    EXPECT_EQ(CTL39406CK(f.table, f.key(1), f.first(1), {"SBR", "S", 2, "NM1", "PR"}, "N3"), "");
    EXPECT_EQ(CTL39406CK(f.table, f.key(1), f.first(1), {"SBR", "P", 3, "NM1", "IL"}, "DMG"), "19800101");
    // Two REFs follow NM1*85; the third REF is the pay-to provider's.
    EXPECT_EQ(CTL39406W(f.table, {"NM1", "85", 3, "REF", {}}, 2), "PROV77");
    EXPECT_EQ(CTL39406W(f.table, {"NM1", "85", 3, "REF", {}}, 3), "");
    EXPECT_EQ(CTL39406W(f.table, {"NM1", "87", 3, "REF", {}}, 1), "999888777");
    const std::size_t patient = claimSearchRowOf(f.table, 1, f.key(2), f.first(2), {"NM1", "QC"});
    ASSERT_NE(patient, 0u);
    EXPECT_EQ(pieceInLoop(f.table, patient, "N4", {}, 2), "RIVERTON");
    EXPECT_EQ(pieceInLoop(f.table, patient, "REF", {}, 2), "");
    EXPECT_EQ(pieceInLoop(f.table, 0, "N4", {}, 2), "");
}

TEST(ClaimFinders, TracedServiceLineSearchShowsItsSteps) {
    const FinderFile f;
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(CTL39406CMM(f.table, 1, f.key(1), f.first(1), "LX", "1", 3, "REF", "6R"),
              CTL39406CM(f.table, 1, f.key(1), f.first(1), "LX", "1", 3, "REF", "6R"));
    const std::vector<std::string> texts = prompts.texts();
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0], "A");
    EXPECT_EQ(texts[1], "B");
    EXPECT_EQ(texts[2], "c");
    EXPECT_EQ(texts[3], "tscc+");
    EXPECT_NE(texts[5].find("REF*6R*LINE1"), std::string::npos);
    EXPECT_EQ(f.table.text(std::stoul(texts[4])), texts[5]);
    EXPECT_EQ(texts[6], "LINE1");
    // Nothing found: the two first steps and the empty result.
    EXPECT_EQ(CTL39406CLL(f.table, 1, f.key(1), f.first(1), "LX", "9", 2, "SV1", {}, 2), "");
    EXPECT_EQ(prompts.texts().size(), 10u);
    EXPECT_EQ(CTL39406CLL(f.table, 1, f.key(1), f.first(1), "LX", "2", 2, "SV1", {}, 2), "85025");
}

TEST(ClaimFinders, ClmAndServiceLineCounts) {
    const FinderFile f;
    const std::vector<std::pair<long long, std::size_t>> clms = {{1, 1}, {2, 2}, {3, 3}, {4, 3}, {99, 3}, {0, 0}, {-2, 0}};
    for (const auto& [k, n] : clms) EXPECT_EQ(CTL39406CO(f.index, f.table, k), n) << k;
    EXPECT_EQ(CTL39406DW(f.index, f.table, 1), 2u);
    EXPECT_EQ(CTL39406DW(f.index, f.table, 3), 14u);
    EXPECT_EQ(CTL39406DW(f.index, f.table, 0), 0u);
}

TEST(ClaimFinders, ClmCountEndsWithTheClaimsSet) {
    // Two sets of one claim each: both claims are number 1 of their set.
    std::vector<std::string> segments = {"GS*HC*S*R*20261210*1253*1*X*005010X222A1"};
    for (const char* id : {"A1", "B1"}) {
        for (const std::string& s : {std::string("ST*837*0001*005010X222A1"), std::string("HL*1**20*1"),
                                     std::string("NM1*85*2*CLINIC*****XX*1234567893"), std::string("HL*2*1*22*0"),
                                     std::string("NM1*IL*1*SMITH*JOHN****MI*W1"), "CLM*" + std::string(id) + "*10***11:B:1*Y*A*Y*Y",
                                     std::string("SE*7*0001")})
            segments.push_back(s);
    }
    segments.insert(segments.end(), {"GE*2*1", "IEA*1*000000001"});
    zrtest::TempDir dir;
    const std::string path = dir.write("two.x12", zrtest::x12Text(segments));
    const SegmentTable table = zrtest::loadX12(path);
    const ClaimIndex index = CTL39400C(table, 1);
    EXPECT_EQ(CTL39406CO(index, table, 1), 1u);
    EXPECT_EQ(CTL39406CO(index, table, 2), 1u);
}

TEST(ClaimFinders, LeadingNumbers) {
    const std::vector<std::pair<std::string, long long>> cases = {{"01", 1}, {"1", 1}, {"", 0}, {"A", 0}, {"12B", 12}, {" 7", 7}};
    for (const auto& [text, n] : cases) EXPECT_EQ(leadingNumber(text), n) << text;
}

}  // namespace
