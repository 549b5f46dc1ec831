// One claim's lines in the detail, loop and form-box views: golden texts
// over the professional, institutional and dental fixtures (the screen's
// own spellings included), and the blocks the views repeat or leave out.
#include "claim_text_views.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct ViewsFile {
    zr::SegmentTable table;
    ClaimIndex index;
    explicit ViewsFile(const std::string& path) : table(zrtest::loadX12(path)), index(CTL39400C(table, 2)) {}
};

std::string viewsGolden(const std::string& name) {
    std::ifstream in(std::string(ZR_FIXTURES) + "/viewer/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string viewsText(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

bool viewsHas(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::size_t viewsCount(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

TEST(ClaimTextViews, GoldenViewsOfTheThreeClaimTypes) {
    for (const char* type : {"837p", "837i", "837d"}) {
        const ViewsFile f(zrtest::x12Fixture(std::string("claims_") + type + ".x12"));
        const ClaimFields fields(f.table, f.index);
        for (int view = 0; view <= 2; ++view) {
            const std::string golden = std::string("claim_view_") + type + "_" + std::to_string(view) + ".txt";
            const auto lines = CTL39403C({""}, fields, 1, static_cast<ClaimView>(view), 1);
            EXPECT_EQ(viewsText(lines), viewsGolden(golden)) << golden;
        }
    }
}

TEST(ClaimTextViews, DetailWritesFromTheLastElementTheOthersFromTheFirst) {
    const ViewsFile f(zrtest::x12Fixture("claims_837d.x12"));
    const ClaimFields fields(f.table, f.index);
    const auto detail = CTL39403C({"kept", "placeholder"}, fields, 1, ClaimView::Detail, 1);
    ASSERT_GE(detail.size(), 3u);
    EXPECT_EQ(detail[0], "kept");
    EXPECT_EQ(detail[1], "Subscriber:");
    EXPECT_EQ(detail.back(), "");  // the detail ends with an empty element
    EXPECT_EQ(detail[detail.size() - 2], "Claim Type : Dental");
    const auto loops = CTL39403C({"placeholder", "old"}, fields, 1, ClaimView::ByLoop, 1);
    EXPECT_EQ(loops[0], "Loop 2000A : - Billing Pay-Provider Name");
    EXPECT_EQ(loops[1], "  -Loop 2010AA : -  Billing Provider : ");
}

TEST(ClaimTextViews, CoverageWithAMiddleInitial) {
    const ViewsFile f(zrtest::x12Fixture("claims_837p.x12"));
    const auto lines = CTL39403C({""}, ClaimFields(f.table, f.index), 1, ClaimView::Detail, 1);
    const auto heading = std::find(lines.begin(), lines.end(), "Primary Insurance Subscriber:");
    ASSERT_NE(heading, lines.end());
    EXPECT_EQ(*(heading + 1), "      JOHN Q. SMITH");
}

TEST(ClaimTextViews, EveryClmOfTheLoopUpToTheSubClaim) {
    const ViewsFile f(zrtest::x12Fixture("claims_837p.x12"));
    const ClaimFields fields(f.table, f.index);
    const auto two = CTL39403C({""}, fields, 2, ClaimView::Detail, 2);
    EXPECT_TRUE(viewsHas(two, "   Claim : 1"));
    EXPECT_TRUE(viewsHas(two, "   Claim : 2"));
    EXPECT_TRUE(viewsHas(two, "Claim ID : KID-A   Claim Amount : 0.10"));
    EXPECT_TRUE(viewsHas(two, "Claim ID : KID-B   Claim Amount : 0.20"));
    const auto one = CTL39403C({""}, fields, 2, ClaimView::Detail, 1);
    EXPECT_EQ(viewsCount(one, "   Claim : "), 0u);
    EXPECT_TRUE(viewsHas(one, "Claim ID : KID-A   Claim Amount : 0.10"));
    EXPECT_FALSE(viewsHas(one, "Claim ID : KID-B   Claim Amount : 0.20"));
}

TEST(ClaimTextViews, SixServiceLinesOnTheFormAllInTheDetail) {
    // The first CLM of claim 3 has twelve service lines.
    const ViewsFile f(zrtest::x12Fixture("claims_837p.x12"));
    const ClaimFields fields(f.table, f.index);
    const auto detail = CTL39403C({""}, fields, 3, ClaimView::Detail, 1);
    EXPECT_EQ(viewsCount(detail, "   Service Line "), 12u);
    EXPECT_TRUE(viewsHas(detail, "   Service Line 12 : "));
    const auto form = CTL39403C({""}, fields, 3, ClaimView::ByFormBox, 1);
    EXPECT_EQ(viewsCount(form, "Line "), 6u);
    EXPECT_TRUE(viewsHas(form, "Line 6 :"));
    EXPECT_FALSE(viewsHas(form, "Line 7 :"));
}

// An institutional claim with value codes, occurrence codes and ten other
// diagnoses: one line per repeat, the labels of fixed width.
TEST(ClaimTextViews, InstitutionalRepeatsEachOnItsOwnLine) {
    zrtest::TempDir dir;
    const std::string file = dir.write(
        "repeats.x12",
        zrtest::x12Text({"GS*HC*A*B*20261210*1253*1*X*005010X223A2", "ST*837*0001", "BHT*0019*00*X",
                         "HL*1**20*1", "NM1*85*2*HOSPITAL*****XX*1", "HL*2*1*22*0", "SBR*P*18", "NM1*IL*1*DOE*JANE",
                         "CLM*R-1*10***11:A:1", "HI*BK:100",
                         "HI*BF:01*BF:02*BF:03*BF:04*BF:05*BF:06*BF:07*BF:08*BF:09*BF:10",
                         "HI*BH:A1:D8:20260101*BH:A2:D8:20260102*BH:A3*BH:A4*BH:A5*BH:A6*BH:A7*BH:A8*BH:A9*BH:B1",
                         "HI*BE:01:::11.00*BE:02:::22.00*BE:03:::33.00", "LX*1", "SV2*0450*HC:99284*10*UN*1",
                         "SE*14*0001", "GE*1*1", "IEA*1*000000001"}));
    const ViewsFile f(file);
    const auto lines = CTL39403C({""}, ClaimFields(f.table, f.index), 1, ClaimView::Detail, 1);
    for (const char* line :
         {"   Value Code 1 : 01   Amount : 11.00", "   Value Code 2 : 02   Amount : 22.00",
          "   Value Code 3 : 03   Amount : 33.00", "     Other Diagnosis 1 : 01", "     Other Diagnosis 9 : 09",
          "    Other Diagnosis 10 : 10", "Occurrence Code 1 : A1   Date : 20260101",
          " Occurrence Code 2 : A2   Date : 20260102", " Occurrence Code 9 : A9", "Occurrence Code 10 : B1"})
        EXPECT_TRUE(viewsHas(lines, line)) << line;
    EXPECT_EQ(viewsCount(lines, "   Value Code "), 3u);
}

TEST(ClaimTextViews, NoFormForAClaimOfNoKnownType) {
    zrtest::TempDir dir;
    // No service line: the claim type is an error.
    const std::string file = dir.write(
        "untyped.x12", zrtest::x12Text({"GS*HC*A*B*20261210*1253*1*X*005010X222A1", "ST*837*0001", "BHT*0019*00*X",
                                        "HL*1**20*1", "HL*2*1*22*0", "SBR*P*18", "NM1*IL*1*DOE*JANE", "CLM*U-1*10",
                                        "SE*8*0001", "GE*1*1", "IEA*1*000000001"}));
    const ViewsFile f(file);
    const ClaimFields fields(f.table, f.index);
    EXPECT_EQ(CTL39403C({""}, fields, 1, ClaimView::ByFormBox, 1), std::vector<std::string>{""});
    const auto detail = CTL39403C({""}, fields, 1, ClaimView::Detail, 1);
    EXPECT_EQ(detail[detail.size() - 2], "Claim Type : Claim Type Error");
    EXPECT_EQ(viewsCount(detail, "   Place of Sevice"), 0u);
}

}  // namespace
