// A report with groups and totals printed into a PDF through the printer
// object's metafile pages and the library's PDF writer.
#include "report_printer.hpp"

#include <gtest/gtest.h>

#include "profile_files.hpp"
#include "report_engine.hpp"
#include "unix_tools.hpp"

namespace {

TEST(ReportPrinter, AGroupedReportWithTotalsBecomesAPdf) {
    zrtest::ScratchDir dir("report-pdf");
    wl::PrinterOptions o;
    o.cDocument = "Claims";
    o.cModel = "ZRPDF," + wl::GETPROFSTRING(std::string("Devices"), std::string("ZRPDF"));
    o.cFile = dir.file("claims.pdf");
    auto printer = std::make_unique<wl::TPrinter>(o);
    ASSERT_NE(printer->hDC, nullptr);
    ASSERT_TRUE(printer->lMeta);
    wl::FontSpec body;
    body.cFaceName = "Arial";
    body.nHeight = -14;
    // 60 claims of three payers: more than one page.
    std::size_t at = 0;
    auto payer = [&] { return at < 60 ? std::string(at < 20 ? "AETNA" : at < 45 ? "CIGNA" : "HUMANA") : std::string(); };
    wl::ReportOptions ro;
    ro.aTitle = {[] { return wl::Value("CLAIMS BY PAYER"); }};
    wl::RPTBEGIN(std::make_unique<wl::ReportPrinter>(std::move(printer), std::vector<wl::FontSpec>{body}), ro);
    wl::RPTADDGROUP([&] { return wl::Value(payer()); }, [&] { return wl::Value("Payer: " + payer()); });
    wl::ColumnOptions name;
    name.aTitle = {[] { return wl::Value("Payer"); }};
    name.aData = {[&] { return wl::Value(payer()); }};
    name.nSize = 12;
    wl::RPTADDCOLUMN(name);
    wl::ColumnOptions amount;
    amount.aTitle = {[] { return wl::Value("Amount"); }};
    amount.aData = {[&] { return wl::Value(static_cast<double>(at) + 0.5); }};
    amount.nSize = 10;
    amount.aPicture = {"99,999.99"};
    amount.lTotal = true;
    wl::RPTADDCOLUMN(amount);
    auto report = wl::RPTEND();
    report->cGrandTotal = "Grand total";
    report->bSkip = [&](int n) { at += static_cast<std::size_t>(n); };
    report->Activate({}, [&] { return at < 60; });
    EXPECT_GE(report->nPage, 2);
    const int pagesPrinted = report->nPage;
    report.reset();
    const zrtest::ToolRun check = zrtest::runUnix(dir.path(), "qpdf --check claims.pdf");
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const zrtest::ToolRun info = zrtest::runUnix(dir.path(), "pdfinfo claims.pdf");
    EXPECT_TRUE(zrtest::hasLine(info.output, "Pages:", std::to_string(pagesPrinted))) << info.output;
    const auto pages = zrtest::pdfPages(dir.path(), dir.file("claims.pdf"));
    ASSERT_EQ(static_cast<int>(pages.size()), pagesPrinted);
    // Text in the top part of every page, and the bottom margin blank.
    for (const auto& page : pages) {
        EXPECT_GT(zrtest::darkShare(page, 0.0, 0.0, 0.5, 1.0), 0.002);
        EXPECT_LT(zrtest::darkShare(page, 0.985, 0.0, 1.0, 1.0), 0.001);
    }
}

}  // namespace
