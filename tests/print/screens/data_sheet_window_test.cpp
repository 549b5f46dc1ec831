// The data sheets on the real printing path: each written through the
// printer object to the library's PDF writer and read back as pictures.
#include "data_sheet_window.hpp"

#include <gtest/gtest.h>

#include "claim_index.hpp"
#include "remittance_detail.hpp"
#include "unix_tools.hpp"

namespace {

constexpr char kSheetPrinter[] = "ZRPDF";

// With ZR_PRINT_PICTURES naming a folder, the first page is kept there as
// a PNG (the README's pictures of printed pages).
void keepSheetPicture(const std::string& dir, const std::string& pdf, const std::string& name) {
    const char* out = std::getenv("ZR_PRINT_PICTURES");
    if (!out) return;
    zrtest::runUnix(dir, "pdftoppm -r 80 -png -f 1 -l 1 -singlefile '" + zrtest::unixPath(pdf) + "' '" +
                             std::string(out) + "/" + name + "'");
}

zr::SegmentTable sheetFixture(const std::string& name) {
    const std::string x12 = std::string(ZR_FIXTURES) + "/x12/" + name;
    return zr::loadSegmentTable(x12, zr::readDelimiters(x12, 0));
}

TEST(DataSheetWindow, AcknowledgementSheetPrintsItsErrors) {
    zrtest::ScratchDir dir("sheet-997");
    zrtest::PromptRecorder prompts;
    const std::string x12 = std::string(ZR_FIXTURES) + "/x12/999_for_837p.x12";
    const zr::SegmentTable t = sheetFixture("999_for_837p.x12");
    const zr::PrintTarget target{dir.file("zr sheet 997.pdf"), kSheetPrinter};
    zr::CTL394PRTE(x12, t, target);
    ASSERT_TRUE(std::filesystem::exists(target.pdfFile));
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, 60);
    ASSERT_EQ(pages.size(), 1u);
    // The header at the top left, the error lines below it, the end line.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.02, 0.02, 0.25, 0.45), 0.01);
    EXPECT_GT(zrtest::darkShare(pages[0], 0.26, 0.02, 0.34, 0.45), 0.005);
    EXPECT_GT(zrtest::darkShare(pages[0], 0.80, 0.40, 0.88, 0.80), 0.003);
    EXPECT_EQ(prompts.texts().front(), "Printing X12 997 Data Sheet ....");
    // A file no longer there prints nothing.
    const zr::PrintTarget gone{dir.file("zr sheet gone.pdf"), kSheetPrinter};
    zr::CTL394PRTE(dir.file("removed.997"), t, gone);
    EXPECT_FALSE(std::filesystem::exists(gone.pdfFile));
}

TEST(DataSheetWindow, MessageReportPrintsEveryMessageLine) {
    zrtest::ScratchDir dir("sheet-864");
    zrtest::PromptRecorder prompts;
    const zr::SegmentTable t = sheetFixture("864_message.x12");
    const zr::PrintTarget target{dir.file("zr sheet 864.pdf"), kSheetPrinter};
    zr::CTL394PRTG("m.864", t, target);
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, 60);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width, pages[0].height);  // landscape
    // Three lines at the top, nothing below them down to the end line.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.01, 0.01, 0.12, 0.30), 0.01);
    EXPECT_LT(zrtest::darkShare(pages[0], 0.20, 0.01, 0.70, 0.90), 0.001);
}

TEST(DataSheetWindow, EobAllPrintsOnePagePerClaim) {
    ZR_REQUIRE_SAMPLES();
    zrtest::ScratchDir dir("sheet-eob");
    zrtest::PromptRecorder prompts;
    const std::string x12 = std::string(ZR_SAMPLES) + "/stupidedi/X221A1-multiple-claims-single-check.edi";
    const zr::SegmentTable t = zr::loadSegmentTable(x12, zr::readDelimiters(x12, 0));
    const zr::ClaimIndex index = zr::CTL39400C(t, 2);
    std::vector<std::vector<std::string>> claims;
    for (std::size_t k = 1; k <= 4; ++k) claims.push_back(zr::CTL39407Y(index, t, k, 2));
    ASSERT_FALSE(claims[0].empty());
    const zr::PrintTarget target{dir.file("zr sheet eob.pdf"), kSheetPrinter};
    zr::CTL394PRTJ(claims, zr::RemittanceSheet::Eob, target);
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, 60);
    ASSERT_EQ(pages.size(), 4u);
    keepSheetPicture(dir.path(), target.pdfFile, "printed-eob");
    for (const auto& page : pages) {
        EXPECT_GT(page.width, page.height);
        EXPECT_GT(zrtest::darkShare(page, 0.02, 0.01, 0.40, 0.60), 0.005);
    }
    // No claims, no job.
    const zr::PrintTarget none{dir.file("zr sheet none.pdf"), kSheetPrinter};
    zr::CTL394PRTJ({}, zr::RemittanceSheet::DataSheet, none);
    EXPECT_FALSE(std::filesystem::exists(none.pdfFile));
}

}  // namespace
