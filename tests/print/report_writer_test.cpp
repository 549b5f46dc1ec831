#include "report_writer.hpp"

#include <gtest/gtest.h>

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

TEST(ReportWriter, HostileSegmentsStayInsideEveryFormat) {
    const std::vector<std::string> segs{"NM1*IL*1*" + kHostile + "~"};
    const auto text = zr::assembleReport(ReportFormat::Text, "", zr::segmentReportPart(100, segs), "2026/12/11",
                                         "10:11:12");
    EXPECT_EQ(text.rfind("X12 Report\r\n" + std::string(60, '-') + "\r\n\r\n", 0), 0u);
    EXPECT_NE(text.find(segs[0] + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Generated - Date:2026/12/11\r\n Time:10:11:12\r\n"), std::string::npos);

    const auto html = zr::assembleReport(ReportFormat::Html, "", zr::segmentReportPart(101, segs), "d", "t");
    EXPECT_NE(html.find("A&amp;B &lt;x&gt; {y}"), std::string::npos);
    EXPECT_EQ(reportCountOf(html, "<x>"), 0u);
    EXPECT_EQ(html.substr(html.size() - 9), "</HTML>\r\n");

    const auto rtf = zr::assembleReport(ReportFormat::Rtf, "", zr::segmentReportPart(102, segs), "d", "t");
    EXPECT_NE(rtf.find("\\{y\\} \\\\z \\'c9~\\par"), std::string::npos);
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
