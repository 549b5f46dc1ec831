#include "paged_print.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using zr::PlacedText;
using zr::PrintOrientation;

const zr::PrintStamp kPagedStamp{"10:20:30", "12/11/26"};
// 600 pixels per inch: 100-pixel lines and 60-pixel columns in portrait.
const zr::PageGrid kPagedGrid = zr::listingGrid(600, 600, PrintOrientation::Portrait);

std::vector<std::string> pagedNumbered(int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

bool pagedHolds(const zr::PrintedPage& page, const PlacedText& item) {
    return std::find(page.begin(), page.end(), item) != page.end();
}

int pagedCountOf(const zr::PrintedPage& page, const std::string& prefix) {
    return static_cast<int>(
        std::count_if(page.begin(), page.end(), [&](const PlacedText& t) { return t.text.rfind(prefix, 0) == 0; }));
}

TEST(PagedPrint, GridFollowsResolutionAndOrientation) {
    struct Case {
        int dpiX, dpiY;
        PrintOrientation o;
        int lineHeight, columnWidth;
    } cases[] = {
        {600, 600, PrintOrientation::Portrait, 100, 60},
        {600, 600, PrintOrientation::Landscape, 71, 40},
        {300, 600, PrintOrientation::Portrait, 100, 30},
        {0, 0, PrintOrientation::Portrait, 0, 0},
    };
    for (const Case& c : cases) {
        const zr::PageGrid g = zr::listingGrid(c.dpiX, c.dpiY, c.o);
        EXPECT_EQ(g.lineHeight, c.lineHeight);
        EXPECT_EQ(g.columnWidth, c.columnWidth);
    }
    EXPECT_FALSE(zr::listingGrid(0, 0, PrintOrientation::Portrait).usable());
}

TEST(PagedPrint, HeaderHoldsTitlePageTimeDateAndRule) {
    zr::PrintedPage page;
    const int y = zr::CTL394PRTD(page, kPagedGrid, 200, 7, "Claims", PrintOrientation::Portrait, kPagedStamp);
    EXPECT_EQ(y, 500);
    EXPECT_TRUE(pagedHolds(page, {200, 120, "Claims"}));
    EXPECT_TRUE(pagedHolds(page, {100, 52 * 60, "      Page :  7"}));
    EXPECT_TRUE(pagedHolds(page, {200, 52 * 60, "Print Time : 10:20:30"}));
    EXPECT_TRUE(pagedHolds(page, {300, 52 * 60, "Print Date : 12/11/26"}));
    EXPECT_TRUE(pagedHolds(page, {400, 0, std::string(80, '=')}));
    // The rule stands above the first body line (y).
    EXPECT_LT(400, y);
}

TEST(PagedPrint, FiftySevenLinesMakeTwoPagesContinuedAndEnded) {
    const auto pages = zr::listingPages(pagedNumbered(57), "List", PrintOrientation::Portrait, kPagedGrid, kPagedStamp);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pagedHolds(pages[0], {5900, 60 * 60, "Continued."}));
    EXPECT_EQ(pagedCountOf(pages[0], "End of "), 0);
    EXPECT_TRUE(pagedHolds(pages[1], {5900, 36 * 60, "End of List."}));
    // Every line once, the first under the header.
    EXPECT_TRUE(pagedHolds(pages[0], {500, 120, "line 1"}));
    EXPECT_EQ(pagedCountOf(pages[0], "line ") + pagedCountOf(pages[1], "line "), 57);
    EXPECT_EQ(pagedCountOf(pages[1], "      Page :  2"), 1);
}

TEST(PagedPrint, LandscapeBreaksEarlier) {
    const zr::PageGrid g = zr::listingGrid(600, 600, PrintOrientation::Landscape);
    const auto pages = zr::listingPages(pagedNumbered(57), "Wide", PrintOrientation::Landscape, g, kPagedStamp);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pagedHolds(pages[0], {49 * g.lineHeight, 60 * g.columnWidth, "Continued."}));
    EXPECT_TRUE(pagedHolds(pages[1], {49 * g.lineHeight, 36 * g.columnWidth, "End of Wide."}));
}

TEST(PagedPrint, OneBlankLinePrintsNothingAndTextIsLinesWithCrLf) {
    EXPECT_TRUE(zr::listingPages({"   "}, "T", PrintOrientation::Portrait, kPagedGrid, kPagedStamp).empty());
    EXPECT_TRUE(zr::blankListing({""}));
    EXPECT_FALSE(zr::blankListing({"", ""}));
    EXPECT_EQ(zr::listingText({"a", "b c"}), "a\r\nb c\r\n");
}

TEST(PagedPrint, ReportDateFormIsTheHandedApplications) {
    zr::Application app;
    const std::size_t processForm = zr::printStampNow().date.size();
    EXPECT_EQ(zr::printStampNow(app).date.size(), 8u);
    zr::useReportDateForm(app);
    EXPECT_EQ(zr::printStampNow(app).date.size(), 10u);
    EXPECT_EQ(zr::printStampNow().date.size(), processForm);
}

TEST(PagedPrint, ReportDateFormIsLongOnceAReportWasWritten) {
    EXPECT_EQ(zr::printStampNow().date.size(), 8u);  // MM/DD/YY
    zr::useReportDateForm();
    const std::string date = zr::printStampNow().date;
    EXPECT_EQ(date.size(), 10u);
    EXPECT_EQ(date[4], '/');
}

// An 837 whose seventh segment is 200 characters long and whose eighth
// carries both notes.
struct PagedDump {
    zrtest::TempDir dir;
    std::string path;
    std::string bytes;
    zr::SegmentTable table;
    PagedDump() {
        bytes = zrtest::x12Text({"GS*HC*A*B*20261210*1253*1*X*005010X222A1", "ST*837*0001*005010X222A1",
                                 "BHT*0019*00*1*20261210*1253*CH", "NM1*41*2*" + std::string(180, 'L'),
                                 "PER*IC*JANE", "NM1*40*2*RECEIVER", "HL*1**20*1", "SE*8*0001", "GE*1*1",
                                 "IEA*1*000000001"},
                                "\r\n");
        path = dir.write("dump.x12", bytes);
        table = zrtest::loadX12(path);
        table.setSegmentNote(6, "Segment PER is out of place");
        table.setElementNote(6, "Element PER02 is too long");
        table.setSegmentNote(2, "Envelope notes are not printed");
    }
};

TEST(PagedPrint, DumpCutsLongSegmentsAndKeepsNotesOnTheirSegment) {
    PagedDump f;
    const auto lines = zr::dumpLines(f.bytes, '~', f.table);
    // 11 segments: the ISA (106 characters) in two lines, NM1*41 (190) in three.
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0].text.substr(0, 9), "    > ISA");
    EXPECT_EQ(lines[4].text, "2> BHT*0019*00*1*20261210*1253*CH~");
    EXPECT_EQ(lines[5].text.size(), 3u + 80u);
    EXPECT_EQ(lines[7].text, "5> " + std::string(29, 'L') + "~");
    // PER is segment 6 but print line 9: its markers and notes follow it there.
    EXPECT_EQ(lines[8].text, "**6> PER*IC*JANE~");
    ASSERT_EQ(lines[8].notes.size(), 2u);
    EXPECT_EQ(lines[8].notes[0], std::string(10, ' ') + "- Segment Error : Segment PER is out of place");
    EXPECT_EQ(lines[8].notes[1], std::string(15, ' ') + "- Element Error : Element PER02 is too long");
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (i != 8) EXPECT_TRUE(lines[i].notes.empty()) << i;
    EXPECT_EQ(lines[9].text.substr(0, 3), "7> ");
    // The text device: every line and note with CR LF.
    const std::string text = zr::dumpText(lines);
    EXPECT_NE(text.find("**6> PER*IC*JANE~\r\n" + std::string(10, ' ') + "- Segment Error"), std::string::npos);
}

TEST(PagedPrint, DumpPagesBreakAfterFiftyEightLinesAndEndBelowTheBody) {
    std::vector<zr::DumpLine> lines(60, zr::DumpLine{"x", {}});
    const auto pages = zr::dumpPages(lines, "f.x12", kPagedGrid, kPagedStamp);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pagedHolds(pages[0], {6000, 50 * 60, "Continued on next page."}));
    EXPECT_TRUE(pagedHolds(pages[0], {0, 120, "ANSI X12 837 File Printing (80 column segment dump)"}));
    EXPECT_TRUE(pagedHolds(pages[0], {200, 120, "  File : f.x12"}));
    EXPECT_TRUE(pagedHolds(pages[1], {5600, 50 * 60, "End of X12 File Printing."}));
    EXPECT_EQ(pagedCountOf(pages[0], "x") + pagedCountOf(pages[1], "x"), 60);
    // A body that reaches line 55 puts the end on a page of its own.
    std::vector<zr::DumpLine> fifty(50, zr::DumpLine{"y", {}});
    const auto more = zr::dumpPages(fifty, "f.x12", kPagedGrid, kPagedStamp);
    ASSERT_EQ(more.size(), 2u);
    EXPECT_EQ(pagedCountOf(more[1], "y"), 0);
    const auto few = zr::dumpPages(std::vector<zr::DumpLine>(3, zr::DumpLine{"z", {}}), "f", kPagedGrid, kPagedStamp);
    EXPECT_EQ(few.size(), 1u);
}

}  // namespace
