#include "data_sheets.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using zr::PlacedText;

const zr::PrintStamp kSheetStamp{"08:09:10", "2026/12/11"};
const zr::PageGrid kSheetGrid = zr::listingGrid(600, 600, zr::PrintOrientation::Portrait);

int sheetCount(const zr::PrintedPage& page, const std::string& prefix) {
    return static_cast<int>(
        std::count_if(page.begin(), page.end(), [&](const PlacedText& t) { return t.text.rfind(prefix, 0) == 0; }));
}

bool sheetHolds(const zr::PrintedPage& page, const std::string& text) {
    return std::any_of(page.begin(), page.end(), [&](const PlacedText& t) { return t.text == text; });
}

TEST(DataSheets, AcknowledgementErrorsAreNumberedWithTheirElements) {
    const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("997_for_837p.x12"));
    const auto lines = zr::acknowledgementSheetLines(t);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0].substr(0, 17), "1) In Segment 8, ");
    EXPECT_EQ(lines[0].substr(lines[0].size() - 7), "the NM1");
    EXPECT_EQ(lines[2], "   - Within this segment, element 2");
    EXPECT_EQ(lines[3], "     which is element 66 of the transaction,");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6].substr(0, 18), "2) In Segment 27, ");
    EXPECT_EQ(zr::acknowledgementSheetErrors(t), 2u);
    const auto pages = zr::acknowledgementSheetPages(t, kSheetGrid, kSheetStamp);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(sheetHolds(pages[0], "Total Error Count = 2"));
    EXPECT_TRUE(sheetHolds(pages[0], "End of 997 Acknowledgement Data Sheet."));
    EXPECT_TRUE(sheetHolds(pages[0], "Print Date : 2026/12/11"));
}

TEST(DataSheets, A999sIk3AndIk4ReadAsAk3AndAk4) {
    const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("999_for_837p.x12"));
    const auto lines = zr::acknowledgementSheetLines(t);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].substr(0, 17), "1) In Segment 8, ");
    EXPECT_EQ(lines[2], "   - Within this segment, element 2");
    EXPECT_EQ(zr::acknowledgementSheetErrors(t), 1u);
}

TEST(DataSheets, AcknowledgementWithoutErrorsAndLongListsBreakPages) {
    zrtest::TempDir dir;
    const zr::SegmentTable none = zrtest::loadX12(
        dir.write("ok.997", zrtest::x12Text({"GS*FA*A*B*20261210*1253*1*X*005010", "ST*997*0001", "AK1*HC*1",
                                             "AK9*A*1*1*1", "SE*4*0001", "GE*1*1", "IEA*1*000000001"})));
    EXPECT_EQ(zr::acknowledgementSheetLines(none), std::vector<std::string>{""});
    // 12 AK3s with an AK4 each: 72 lines, 29 a page (the header counts 11).
    std::vector<std::string> segments{"GS*FA*A*B*20261210*1253*1*X*005010", "ST*997*0001", "AK1*HC*1",
                                      "AK2*837*0001"};
    for (int i = 1; i <= 12; ++i) {
        segments.push_back("AK3*NM1*" + std::to_string(i) + "**8");
        segments.push_back("AK4*2*66*1");
    }
    for (const char* s : {"AK5*R*5", "AK9*R*1*1*0", "SE*30*0001", "GE*1*1", "IEA*1*000000001"}) segments.push_back(s);
    const zr::SegmentTable many = zrtest::loadX12(dir.write("many.997", zrtest::x12Text(segments)));
    const auto pages = zr::acknowledgementSheetPages(many, kSheetGrid, kSheetStamp);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(sheetCount(pages[0], "Continued."), 1);
    EXPECT_EQ(sheetCount(pages[2], "End of 997"), 1);
    EXPECT_EQ(sheetCount(pages[1], "      Page :  2"), 1);
    int numbered = 0;
    for (const auto& page : pages) numbered += sheetCount(page, "   - Within");
    EXPECT_EQ(numbered, 12);
}

TEST(DataSheets, MessageReportPrintsEveryMessageAndBreaksLongOnes) {
    const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("864_message.x12"));
    const auto lines = zr::messageReportLines(t);
    EXPECT_EQ(lines, (std::vector<std::string>{"First line of the notice", "Second line", "Third line"}));
    const auto pages = zr::messageReportPages(lines, "m.864", kSheetGrid, kSheetStamp);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(sheetHolds(pages[0], "End of 864 Report.     File:m.864     Printed:2026/12/11 08:09:10"));
    // 100 lines: 45 a page, none lost.
    std::vector<std::string> hundred(100, "msg");
    const auto long_ = zr::messageReportPages(hundred, "m.864", kSheetGrid, kSheetStamp);
    ASSERT_EQ(long_.size(), 3u);
    int printed = 0;
    for (const auto& page : long_) {
        printed += sheetCount(page, "msg");
        for (const auto& item : page) EXPECT_LE(item.y, 47 * kSheetGrid.lineHeight);
    }
    EXPECT_EQ(printed, 100);
}

TEST(DataSheets, RemittanceSheetsStartEachClaimOnAPage) {
    const std::vector<std::vector<std::string>> claims = {{"a1", "a2"}, {"b1"}, {"c1"}, {"d1"}};
    const zr::PageGrid landscape = zr::listingGrid(600, 600, zr::PrintOrientation::Landscape);
    const auto eob = zr::remittanceSheetPages(claims, zr::RemittanceSheet::Eob, landscape, kSheetStamp);
    ASSERT_EQ(eob.size(), 4u);
    for (const auto& page : eob) {
        EXPECT_EQ(sheetCount(page, "End of EOB."), 1);
        EXPECT_EQ(sheetCount(page, "      Page"), 0);  // no header
    }
    EXPECT_EQ(eob[0][0], (PlacedText{2 * landscape.lineHeight, 2 * landscape.columnWidth, "a1"}));
    const auto sheets = zr::remittanceSheetPages(claims, zr::RemittanceSheet::DataSheet, kSheetGrid, kSheetStamp);
    ASSERT_EQ(sheets.size(), 4u);
    EXPECT_TRUE(sheetHolds(sheets[0], "Remittance Data Sheet"));
    EXPECT_TRUE(sheetHolds(sheets[3], "End of Remittance Data Sheet."));
    // A claim longer than a page goes on with "Continued.".
    const auto longClaim = zr::remittanceSheetPages({std::vector<std::string>(60, "x")}, zr::RemittanceSheet::Eob,
                                                    landscape, kSheetStamp);
    ASSERT_EQ(longClaim.size(), 2u);
    EXPECT_EQ(sheetCount(longClaim[0], "Continued."), 1);
    EXPECT_EQ(sheetCount(longClaim[0], "x") + sheetCount(longClaim[1], "x"), 60);
    EXPECT_EQ(zr::remittanceSheetPages({}, zr::RemittanceSheet::Eob, landscape, kSheetStamp).size(), 0u);
}

}  // namespace
