#include "report_engine.hpp"

#include <gtest/gtest.h>

#include "report_text_file.hpp"
#include "test_support.hpp"

namespace {

struct Claim {
    std::string payer, patient;
    double amount;
};

const std::vector<Claim> kClaims = {
    {"AETNA", "DOE JOHN", 120.5}, {"AETNA", "ROE JANE", 80},     {"CIGNA", "POE ANN", 200},
    {"CIGNA", "LOE TOM", 15.25},  {"CIGNA", "MOE SUE", 4.75},   {"HUMANA", "KOE BOB", 1000},
};

// A claim list by payer with amounts totalled per payer and in all, as a
// text file of `lines` lines a page.
std::string claimReport(const zrtest::TempDir& dir, int lines) {
    std::size_t at = 0;
    auto file = std::make_unique<wl::TRFile>(dir.file("claims.txt"), "Claims");
    file->SetHeight(lines);
    wl::ReportOptions o;
    o.aTitle = {[] { return wl::Value("CLAIMS BY PAYER"); }};
    o.aHeader = {[] { return wl::Value("X12 Parser"); }};
    o.aFooter = {[] { return wl::Value("End of page"); }};
    wl::RPTBEGIN(std::move(file), o);
    wl::RPTADDGROUP([&] { return wl::Value(at < kClaims.size() ? kClaims[at].payer : ""); },
                    [&] { return wl::Value("Payer: " + (at < kClaims.size() ? kClaims[at].payer : std::string())); });
    wl::ColumnOptions payer;
    payer.aTitle = {[] { return wl::Value("Payer"); }};
    payer.aData = {[&] { return wl::Value(kClaims[std::min(at, kClaims.size() - 1)].payer); }};
    payer.nSize = 8;
    wl::RPTADDCOLUMN(payer);
    wl::ColumnOptions patient;
    patient.aTitle = {[] { return wl::Value("Patient"); }};
    patient.aData = {[&] { return wl::Value(kClaims[std::min(at, kClaims.size() - 1)].patient); }};
    patient.nSize = 10;
    wl::RPTADDCOLUMN(patient);
    wl::ColumnOptions amount;
    amount.aTitle = {[] { return wl::Value("Amount"); }};
    amount.aData = {[&] { return wl::Value(kClaims[std::min(at, kClaims.size() - 1)].amount); }};
    amount.nSize = 9;
    amount.aPicture = {"99,999.99"};
    amount.lTotal = true;
    wl::RPTADDCOLUMN(amount);
    std::unique_ptr<wl::TReport> report = wl::RPTEND();
    report->cGrandTotal = "Grand total";
    report->bSkip = [&](int n) { at += static_cast<std::size_t>(n); };
    report->Activate({}, [&] { return at < kClaims.size(); });
    report.reset();
    return zrtest::readBytes(dir.file("claims.txt"));
}

std::vector<std::string> pages(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0, ff;
    while ((ff = text.find('\x0C', start)) != std::string::npos) {
        out.push_back(text.substr(start, ff - start));
        start = ff + 1;
    }
    return out;
}

TEST(TReport, ATextFileReportGroupsAndTotalsAsGolden) {
    zrtest::TempDir dir;
    const std::string text = claimReport(dir, 64);
    const std::string golden = zrtest::readBytes(std::string(ZR_FIXTURES) + "/print/claims_report.txt");
    EXPECT_EQ(text, golden);
}

TEST(TReport, ShortPagesBreakWithPageTotalsAndTheGrandTotalOnTheLast) {
    zrtest::TempDir dir;
    const std::vector<std::string> p = pages(claimReport(dir, 20));
    ASSERT_GE(p.size(), 2u);
    for (const std::string& page : p) EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 20) << page;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) EXPECT_EQ(p[i].find("Grand total"), std::string::npos);
    EXPECT_NE(p.back().find("Grand total"), std::string::npos);
    EXPECT_NE(p.back().find(" 1,420.50"), std::string::npos) << p.back();
}

TEST(TReport, ToExcelEndsInItsAlertOrTheCallersAction) {
    zrtest::TempDir dir;
    wl::TReport report(std::make_unique<wl::TRFile>(dir.file("x.txt")));
    zrtest::PromptRecorder prompts;
    report.ToExcel();
    ASSERT_EQ(prompts.texts(), std::vector<std::string>{"Excel not installed"});
    int called = 0;
    report.bToExcel = [&](wl::TReport&) { ++called; };
    report.ToExcel();
    EXPECT_EQ(called, 1);
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

TEST(TRFile, WritesRowsKeepingWhatFollowsAndCondensesWideRows) {
    zrtest::TempDir dir;
    {
        wl::TRFile f(dir.file("t.txt"));
        f.SetHeight(3);
        f.StartPage();
        f.Say(0, 0, "abcdefghij", 1);
        f.Say(0, 2, "XY", 1);          // over the middle: the rest stays
        f.Say(1, 4, "ok", 1, 5);       // filled with blanks to its width
        f.Say(7, 0, "outside", 1);     // beyond the page: ignored
        f.EndPage();
        f.StartPage();
        f.Say(2, 75, "0123456789", 1);  // wider than 80 columns
        f.EndPage();
        f.End();
        EXPECT_FALSE(f.failed());
    }
    EXPECT_EQ(zrtest::readBytes(dir.file("t.txt")),
              "abXYefghij\r\n    ok   \r\n\r\n\x0C"
              "\x0F\r\n\r\n                                                                           0123456789\r\n\x0C");
}

}  // namespace
