#include "report_writer.hpp"

#include <gtest/gtest.h>

#include "segment_list.hpp"
#include "x12_fixtures.hpp"

namespace {

using zr::ReportFormat;

const std::string kHostile = "A&B <x> {y} \\z \xC9";

std::vector<zr::ReportClaim> reportThreeClaims() {
    return {
        {"ANN", "Q", "SMITH", "C1", "10.25", {"line one", "a&b <c>"}},
        {"BOB", "", "JONES & SON", "C2", "20.50", {"two"}},
        {"CY", "", "{RTF}", "C3", "0.30", {"\\three\xE9"}},
    };
}

std::size_t reportCountOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(ReportWriter, EscapingTable) {
    struct Case {
        std::string in, html, rtf;
    };
    const Case cases[] = {
        {"plain", "plain", "plain"},
        {"a&b", "a&amp;b", "a&b"},
        {"<t>", "&lt;t&gt;", "<t>"},
        {"{x}", "{x}", "\\{x\\}"},
        {"c:\\d", "c:\\d", "c:\\\\d"},
        {"\xC9\x80\xFF", "\xC9\x80\xFF", "\\'c9\\'80\\'ff"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zr::htmlEscape(c.in), c.html) << c.in;
        EXPECT_EQ(zr::rtfEscape(c.in), c.rtf) << c.in;
    }
}

TEST(ReportWriter, HtmlIndexUsesEachClaimsOwnValuesAndSumsTheTotal) {
    const auto part = zr::claimsReportPart(101, reportThreeClaims(), "Professional", "in<1>.x12");
    EXPECT_NE(part.find("<I>Claim 1 -  </I>ANN Q. SMITH<BR> - Claim ID C1<BR> - Amount $10.25"), std::string::npos);
    EXPECT_NE(part.find("<I>Claim 2 -  </I>BOB JONES &amp; SON<BR> - Claim ID C2"), std::string::npos);
    EXPECT_NE(part.find("<I>Claim 3 -  </I>CY {RTF}<BR> - Claim ID C3<BR> - Amount $0.30"), std::string::npos);
    EXPECT_NE(part.find("Claims in file=         3<BR>"), std::string::npos);
    EXPECT_NE(part.find("Total claims amount=$        31.05<BR>"), std::string::npos);
    for (const char* anchor : {"<A name=0000>", "<A name=1>", "<A name=2>", "<A name=3>", "<A name=9999>"})
        EXPECT_EQ(reportCountOf(part, anchor), 1u) << anchor;
    EXPECT_NE(part.find("a&amp;b &lt;c&gt;<BR>"), std::string::npos);
    EXPECT_NE(part.find("File=in&lt;1&gt;.x12"), std::string::npos);
    EXPECT_EQ(part.find("<c>"), std::string::npos);
}

TEST(ReportWriter, ClaimsModesTextAndRtf) {
    const auto claims = reportThreeClaims();
    EXPECT_EQ(zr::claimsReportPart(100, {claims[1]}, "P", "f"),
              "X12 837 Claims Report.\r\n\r\nClaim # :1\r\ntwo\r\n\r\n");
    EXPECT_EQ(zr::claimsReportPart(102, {claims[2]}, "P", "f"),
              "Claim # :1\\par\r\n\\\\three\\'e9\\par\r\n\\par \\par\r\n");
    EXPECT_EQ(zr::claimsReportPart(103, claims, "P", "f"), "");
    EXPECT_EQ(zr::claimsReportPart(5, claims, "P", "f"), "");
}

// The segment data as the generic list gives it in each mode.
std::string reportSegmentPart(int mode, const std::string& segment) {
    zrtest::TempDir dir;
    const zr::SegmentTable t = zrtest::loadX12(dir.write("hostile.x12", zrtest::x12Text({segment, "SE*1*1"})));
    return zr::segmentListReport(t, mode).value_or("");
}

TEST(ReportWriter, HostileSegmentsStayInsideEveryFormat) {
    const std::string seg = "NM1*IL*1*" + kHostile;
    const auto text = zr::assembleReport(ReportFormat::Text, "", reportSegmentPart(100, seg), "2026/12/11",
                                         "10:11:12");
    EXPECT_EQ(text.rfind("X12 Report\r\n" + std::string(60, '-') + "\r\n\r\n", 0), 0u);
    EXPECT_NE(text.find(seg + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Generated - Date:2026/12/11\r\n Time:10:11:12\r\n"), std::string::npos);

    const auto html = zr::assembleReport(ReportFormat::Html, "", reportSegmentPart(101, seg), "d", "t");
    EXPECT_NE(html.find("A&amp;B &lt;x&gt; {y}"), std::string::npos);
    EXPECT_EQ(reportCountOf(html, "<x>"), 0u);
    EXPECT_EQ(html.substr(html.size() - 9), "</HTML>\r\n");

    const auto rtf = zr::assembleReport(ReportFormat::Rtf, "", reportSegmentPart(102, seg), "d", "t");
    EXPECT_NE(rtf.find("\\{y\\} \\\\z \\'c9\\par"), std::string::npos);
    // Braces balance, so the document ends where it should.
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') { ++i; continue; }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}') --depth;
        EXPECT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
    for (unsigned char c : rtf) EXPECT_LT(c, 0x80);
}

TEST(ReportWriter, PartsByKindAndFormat) {
    struct Case {
        int kind;
        ReportFormat format;
        bool claims;
        int mode;
    };
    const Case cases[] = {
        {1, ReportFormat::Text, true, 100}, {1, ReportFormat::Html, true, 101}, {1, ReportFormat::Rtf, true, 102},
        {1, ReportFormat::Pdf, true, 100},  {2, ReportFormat::Text, true, 100}, {2, ReportFormat::Html, true, 101},
        // A 277's screen gives no RTF claims part: its RTF report is the segment data.
        {2, ReportFormat::Rtf, false, 102}, {2, ReportFormat::Pdf, true, 100}, {3, ReportFormat::Html, false, 101},
        {0, ReportFormat::Text, false, 100}, {7, ReportFormat::Rtf, false, 102},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zr::reportHasClaimsPart(zr::reportKindOf(c.kind), c.format), c.claims) << c.kind;
        EXPECT_EQ(zr::reportPartMode(c.format), c.mode) << c.kind;
    }
}

TEST(ReportWriter, RequestNamesTheFileInItsSecondItem) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"X12", ""}, {"X12,", ""}, {"X12,  ,OUT", ""}, {"X12,out.txt", "out.txt"},
        {"X12, c:\\r\\my report.htm ,C:\\,OW", "c:\\r\\my report.htm"},
    };
    for (const auto& [request, file] : cases) EXPECT_EQ(zr::reportRequestedFile(request), file) << request;
}

TEST(ReportWriter, PdfPagesHoldEveryLineSixtyToAPage) {
    const zr::PageGrid grid{50, 30};
    std::string text;
    for (int i = 1; i <= 119; ++i) text += "line " + std::to_string(i) + "\r\n";
    text += std::string(80, 'a') + std::string(5, 'b') + "\r\n";  // one line past the sheet's 80 columns
    const auto pages = zr::reportPdfPages(text, grid);
    ASSERT_EQ(pages.size(), 3u);
    ASSERT_EQ(pages[0].size(), 60u);
    EXPECT_EQ(pages[0][0], (zr::PlacedText{3 * 50, 3 * 30, "line 1"}));
    EXPECT_EQ(pages[0][59], (zr::PlacedText{62 * 50, 3 * 30, "line 60"}));
    EXPECT_EQ(pages[1].back(), (zr::PlacedText{62 * 50, 3 * 30, std::string(80, 'a')}));
    // The long line goes on at the top of the next page.
    ASSERT_EQ(pages[2].size(), 1u);
    EXPECT_EQ(pages[2][0], (zr::PlacedText{3 * 50, 3 * 30, "bbbbb"}));
    // Empty lines take their place on the page but print nothing.
    const auto gaps = zr::reportPdfPages("a\r\n\r\nb\r\n", grid);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0], (zr::PrintedPage{{150, 90, "a"}, {250, 90, "b"}}));
    EXPECT_TRUE(zr::reportPdfPages("", grid).empty());
}

TEST(ReportWriter, EachKindOpensInItsProgram) {
    using zr::ReportOpener;
    const std::tuple<ReportFormat, int, ReportOpener> cases[] = {
        {ReportFormat::Text, 1, ReportOpener::Notepad},
        {ReportFormat::Html, 2, ReportOpener::Shell},
        {ReportFormat::Rtf, 3, ReportOpener::Shell},
        {ReportFormat::Pdf, 4, ReportOpener::None},
    };
    for (const auto& [format, kind, opener] : cases) {
        EXPECT_EQ(zr::reportKindNumber(format), kind);
        EXPECT_EQ(zr::reportOpenerFor(kind), opener) << kind;
    }
    EXPECT_EQ(zr::reportReadyMessage("c:\\format.txt"), "c:\\format.txt is Ready.");
}

TEST(ReportWriter, PdfIsNotAssembledAndNothingWrittenIsNotComplete) {
    EXPECT_EQ(zr::assembleReport(ReportFormat::Pdf, "a", "b", "d", "t"), "");
    EXPECT_EQ(zr::reportCompleteMessage(ReportFormat::Pdf, "format.pdf", false), "");
    EXPECT_EQ(zr::reportCompleteMessage(ReportFormat::Text, "format.txt", true), "Format File format.txt Complete\r\n");
    EXPECT_EQ(zr::reportCompleteMessage(ReportFormat::Html, "format.htm", true), "Format File format.htm Complete");
}

TEST(ReportWriter, PickerLettersNamesAndTitles) {
    struct Case {
        const char* letter;
        ReportFormat format;
        const char* file;
        const char* title;
    };
    const Case cases[] = {{"A", ReportFormat::Text, "format.txt", "Formatting to Text"},
                          {"B", ReportFormat::Html, "format.htm", "Formatting to HTML"},
                          {"C", ReportFormat::Rtf, "format.rtf", "Formatting to RTF"},
                          {"D", ReportFormat::Pdf, "format.pdf", "Formatting to PDF"}};
    for (const auto& c : cases) {
        ReportFormat f{};
        ASSERT_TRUE(zr::reportFormatFromLetter(c.letter, f));
        EXPECT_EQ(f, c.format);
        EXPECT_EQ(zr::reportDefaultFileName(f), c.file);
        EXPECT_EQ(zr::reportDialogTitle(f), c.title);
    }
    ReportFormat f{};
    EXPECT_FALSE(zr::reportFormatFromLetter("", f));
    EXPECT_FALSE(zr::reportFormatFromLetter("E", f));
}

} // namespace
