// Recorded pages to PDF through the library's writer: rendering of page
// files, the file name rules and failures that must not pass as success.
#include "pdf_export.hpp"

#include <gtest/gtest.h>

#include "pdf_writer.hpp"
#include "print_settings.hpp"
#include "profile_files.hpp"
#include "unix_tools.hpp"

namespace {

std::unique_ptr<wl::TPrinter> previewPrinter(const std::string& document) {
    wl::PrinterOptions o;
    o.cDocument = document;
    o.lPreview = true;
    o.cModel = "ZRPDF," + wl::GETPROFSTRING(std::string("Devices"), std::string("ZRPDF"));
    return std::make_unique<wl::TPrinter>(o);
}

void onePage(wl::TPrinter& p, bool drawn) {
    p.StartPage();
    if (drawn) p.Say(100, 100, "x");  // a small mark in the top left corner only
    p.EndPage();
}

TEST(EMF2JPEG, RendersTheWholePageEvenWhenLittleIsDrawnOnIt) {
    auto p = previewPrinter("sparse");
    ASSERT_NE(p->hDC, nullptr);
    onePage(*p, true);
    const std::string jpeg = wl::EMF2JPEG(p->aMeta[0]);
    const wl::JpegSize size = wl::jpegSize(jpeg);
    // Half the device's resolution over the whole sheet, in the sheet's
    // proportions, not the few pixels around the mark.
    const double sheet = static_cast<double>(p->nHorzSize()) / p->nVertSize();
    ASSERT_GT(size.width, 100);
    EXPECT_NEAR(static_cast<double>(size.width) / size.height, sheet, 0.02);
    EXPECT_NEAR(size.width, p->nHorzRes() / 2, p->nHorzRes() / 20);
    EXPECT_EQ(wl::EMF2JPEG(p->aMeta[0] + ".missing"), "");
}

TEST(WLSAVEPREVIEWTOPDF, ATextNameIsWrittenAsPdfAndAFailedWriteIsToldNotAnswered) {
    zrtest::ScratchDir dir("pdf-export");
    auto p = previewPrinter("named");
    ASSERT_NE(p->hDC, nullptr);
    onePage(*p, true);
    zrtest::PromptRecorder prompts;
    const auto written = wl::WLSAVEPREVIEWTOPDF(*p, dir.file("report.txt"), false);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, dir.file("report.pdf"));
    EXPECT_TRUE(std::filesystem::exists(dir.file("report.pdf")));
    EXPECT_TRUE(prompts.prompts().empty());
    // A folder that does not exist: no file, no answer, and the user is told.
    const std::string missing = dir.file("no-such-folder") + "\\report.pdf";
    EXPECT_FALSE(wl::WLSAVEPREVIEWTOPDF(*p, missing, false));
    EXPECT_FALSE(std::filesystem::exists(missing));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::Stop);
    EXPECT_NE(prompts.prompts()[0].text.find(missing), std::string::npos);
    // Without lView the user is asked whether to open it (No here).
    prompts.answerNext(false);
    EXPECT_TRUE(wl::WLSAVEPREVIEWTOPDF(*p, dir.file("asked.pdf")));
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[1].text, "\xBF View " + dir.file("asked.pdf") + " (Y/N) ?");
    EXPECT_EQ(prompts.prompts()[1].caption, "Please select");
}

TEST(WLJPGTOPDF, OnePagePerJpegAndABlankPageForAFileThatIsNone) {
    zrtest::ScratchDir dir("jpg-to-pdf");
    auto p = previewPrinter("jpegs");
    ASSERT_NE(p->hDC, nullptr);
    onePage(*p, true);
    const std::string jpeg = wl::EMF2JPEG(p->aMeta[0]);
    std::ofstream(dir.file("a.jpg"), std::ios::binary) << jpeg;
    std::ofstream(dir.file("b.jpg"), std::ios::binary) << "not a jpeg";
    const std::string pdf = dir.file("jpegs.pdf");
    EXPECT_EQ(wl::WLJPGTOPDF({dir.file("a.jpg"), dir.file("b.jpg"), dir.file("gone.jpg")}, pdf), pdf);
    const zrtest::ToolRun check = zrtest::runUnix(dir.path(), "qpdf --check jpegs.pdf");
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const zrtest::ToolRun info = zrtest::runUnix(dir.path(), "pdfinfo jpegs.pdf");
    EXPECT_TRUE(zrtest::hasLine(info.output, "Pages:", "3")) << info.output;
    const zrtest::ToolRun images = zrtest::runUnix(dir.path(), "pdfimages -list jpegs.pdf | grep -c ' jpeg '");
    EXPECT_EQ(images.output, "1\n") << images.output;
}

}  // namespace
