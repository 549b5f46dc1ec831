// The CMS-1500 form on the real printing path: the forms written through
// the printer object to the library's PDF writer, read back as pictures
// and compared with the text grid; the alignment dialog's offsets move the
// printed form.
#include "claim_form_window.hpp"

#include <gtest/gtest.h>

#include "png_decoder.hpp"
#include "print_settings.hpp"
#include "profile_files.hpp"
#include "unix_tools.hpp"
#include "user_script.hpp"

namespace {

constexpr char kFormPrinter[] = "ZRPDF";

// With ZR_PRINT_PICTURES naming a folder, the first page is kept there as
// a PNG (the README's pictures of printed pages).
void keepFormPicture(const std::string& dir, const std::string& pdf, const std::string& name) {
    const char* out = std::getenv("ZR_PRINT_PICTURES");
    if (!out) return;
    zrtest::runUnix(dir, "pdftoppm -r 80 -png -f 1 -l 1 -singlefile '" + zrtest::unixPath(pdf) + "' '" +
                             std::string(out) + "/" + name + "'");
}

struct FormFile {
    zr::SegmentTable table;
    zr::ClaimIndex index;
    explicit FormFile(const std::string& name = "claims_837p.x12") {
        const std::string x12 = std::string(ZR_FIXTURES) + "/x12/" + name;
        table = zr::loadSegmentTable(x12, zr::readDelimiters(x12, 0));
        index = zr::CTL39400C(table, 2);
    }
    zr::ClaimFields fields() const { return zr::ClaimFields(table, index); }
};

// The printed page against the text grid: every letter or digit of the
// grid leaves ink in its cell (row height 1/6 inch, column 1/10 inch, from
// 0.3 of a row below the top), and a cell blank with blank neighbours stays
// white. The page is A4 at `dpi`; the offsets move the grid, in inches.
struct FormInk {
    int missing = 0, stray = 0, letters = 0;
};
FormInk formInkAgainstGrid(const wl::PixelImage& page, const zr::FormRows& form, int dpi, double downInches,
                           double rightInches) {
    FormInk ink;
    auto share = [&](double topIn, double leftIn, double bottomIn, double rightIn) {
        return zrtest::darkShare(page, topIn * dpi / page.height, leftIn * dpi / page.width,
                                 bottomIn * dpi / page.height, rightIn * dpi / page.width);
    };
    auto at = [&](std::size_t r, std::size_t c) { return r < form.size() && c < form[r].size() ? form[r][c] : ' '; };
    for (std::size_t r = 0; r < form.size(); ++r)
        for (std::size_t c = 0; c < 80; ++c) {
            const double top = (0.3 + r) / 6 + downInches, left = 0.001 + c * 0.1 + rightInches;
            const char ch = at(r, c);
            if (std::isalnum(static_cast<unsigned char>(ch))) {
                ++ink.letters;
                if (share(top, left, top + 1.0 / 6, left + 0.1) == 0) ++ink.missing;
            } else if (ch == ' ' && at(r, c + 1) == ' ' && (c == 0 || at(r, c - 1) == ' ') &&
                       (r == 0 || at(r - 1, c) == ' ') && at(r + 1, c) == ' ') {
                if (share(top + 0.02, left + 0.02, top + 1.0 / 6 - 0.02, left + 0.08) > 0.02) ++ink.stray;
            }
        }
    return ink;
}

// The ZRPDF printer's pixels per inch (rows and columns of the offsets).
std::pair<int, int> formPrinterResolution() {
    wl::PrinterOptions o;
    o.cModel = std::string(kFormPrinter) + "," + wl::GETPROFSTRING(std::string("Devices"), std::string(kFormPrinter));
    wl::TPrinter p(o);
    return {p.nLogPixelX(), p.nLogPixelY()};
}

constexpr int kFormDpi = 100;

TEST(ClaimFormWindow, PrinterPathPutsEveryBoxWhereTheGridSays) {
    zrtest::ScratchDir dir("form-print");
    zrtest::PromptRecorder prompts;
    const FormFile f;
    const zr::PrintTarget target{dir.file("zr form print.pdf"), kFormPrinter};
    EXPECT_EQ(zr::CTL394PRTI(f.fields(), 1, 1, dir.path(), target), "");
    ASSERT_TRUE(std::filesystem::exists(target.pdfFile));
    const std::vector<zr::FormRows> forms = zr::cms1500Range(f.fields(), 1, 1);
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, kFormDpi);
    ASSERT_EQ(pages.size(), forms.size());
    const FormInk ink = formInkAgainstGrid(pages[0], forms[0], kFormDpi, 0, 0);
    EXPECT_GT(ink.letters, 150);
    EXPECT_EQ(ink.missing, 0);
    EXPECT_EQ(ink.stray, 0);
    ASSERT_FALSE(prompts.texts().empty());
    EXPECT_EQ(prompts.texts().front(), "CMS-1500 Printing/Preview");
    keepFormPicture(dir.path(), target.pdfFile, "printed-cms1500");
}

TEST(ClaimFormWindow, AlignmentDialogMovesTheFormByOneRowAndOneColumn) {
    zrtest::ScratchDir dir("form-align");
    zrtest::PromptRecorder prompts;
    const auto [dpiX, dpiY] = formPrinterResolution();
    ASSERT_GT(dpiY, 0);
    const int row = dpiY * 11 / 66, column = dpiX * 85 / 10 / 85;
    std::string shown;
    zrtest::UserScript user({{"Form Alignment Offset", [&](HWND w) {
                                  HWND height = FindWindowExA(w, nullptr, "Edit", nullptr);
                                  HWND width = FindWindowExA(w, height, "Edit", nullptr);
                                  zrtest::retypeInto(height, std::to_string(row));
                                  zrtest::retypeInto(width, std::to_string(column));
                                  HWND b = FindWindowExA(w, nullptr, "Button", "Use Preprinted Forms");
                                  PostMessageA(b, BM_CLICK, 0, 0);
                              }}});
    const std::string written = zr::CTL394PRTK(dir.path());
    EXPECT_TRUE(zrtest::UserScript::done());
    const zr::FormConfig config = zr::readFormConfig(dir.path());
    EXPECT_EQ(config, (zr::FormConfig{"OFF", "0805", row, column}));
    EXPECT_EQ(written, zr::formConfigText(config));

    const FormFile f;
    const zr::PrintTarget target{dir.file("zr form aligned.pdf"), kFormPrinter};
    EXPECT_EQ(zr::CTL394PRTI(f.fields(), 1, 1, dir.path(), target), "");
    const std::vector<zr::FormRows> forms = zr::cms1500Range(f.fields(), 1, 1);
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, kFormDpi);
    ASSERT_EQ(pages.size(), forms.size());
    const FormInk moved = formInkAgainstGrid(pages[0], forms[0], kFormDpi, 1.0 / 6, 0.1);
    EXPECT_EQ(moved.missing, 0);
    EXPECT_EQ(moved.stray, 0);
    // Where the form stood before, the letters are now mostly off their cells.
    const FormInk before = formInkAgainstGrid(pages[0], forms[0], kFormDpi, 0, 0);
    EXPECT_GT(before.missing + before.stray, 20);
}

TEST(ClaimFormWindow, PdfPathWritesTheFormsThroughThePdfWriter) {
    zrtest::ScratchDir dir("form-pdf");
    zrtest::PromptRecorder prompts;
    const FormFile f;
    const zr::PrintTarget target{dir.file("zr form pdf.pdf"), kFormPrinter};
    EXPECT_EQ(zr::CTL394PRTM(f.fields(), 1, 2, dir.path(), target), target.pdfFile);
    ASSERT_TRUE(std::filesystem::exists(target.pdfFile));
    EXPECT_EQ(prompts.texts().back(), "zr form pdf.pdf  Created");
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, kFormDpi);
    const std::vector<zr::FormRows> forms = zr::cms1500Range(f.fields(), 1, 2);
    ASSERT_EQ(pages.size(), forms.size());
    EXPECT_EQ(formInkAgainstGrid(pages.back(), forms.back(), kFormDpi, 0, 0).missing, 0);
}

TEST(ClaimFormWindow, UbFormPrintsThroughTheOutputChoice) {
    zrtest::ScratchDir dir("form-ub");
    zrtest::PromptRecorder prompts;
    const FormFile f("claims_837i.x12");
    const zr::PrintTarget target{dir.file("zr form ub.pdf"), kFormPrinter};
    // Only "A", the printer, prints; "Form Control" does nothing here.
    zr::CTL394PRTV(f.fields(), 1, dir.path(), [](const std::function<void()>& control) {
        control();
        return std::string("B");
    }, target);
    EXPECT_FALSE(std::filesystem::exists(target.pdfFile));
    zr::CTL394PRTV(f.fields(), 1, dir.path(), [](const std::function<void()>&) { return std::string("A"); }, target);
    ASSERT_TRUE(std::filesystem::exists(target.pdfFile));
    ASSERT_FALSE(prompts.texts().empty());
    EXPECT_EQ(prompts.texts().front(), "CMS-1450 Printing/Preview");
    const std::vector<zr::FormRows> forms = zr::ubRange(f.fields(), 1, 1);
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, kFormDpi);
    ASSERT_EQ(pages.size(), forms.size());
    const FormInk ink = formInkAgainstGrid(pages[0], forms[0], kFormDpi, 0, 0);
    EXPECT_GT(ink.letters, 40);
    EXPECT_EQ(ink.missing, 0);
    EXPECT_EQ(ink.stray, 0);
}

TEST(ClaimFormWindow, OlderPrinterPathPrintsItsOwnLayout) {
    zrtest::ScratchDir dir("form-older");
    zrtest::PromptRecorder prompts;
    const FormFile f;
    const zr::PrintTarget target{dir.file("zr form older.pdf"), kFormPrinter};
    EXPECT_EQ(zr::CTL394PRTX(f.fields(), 1, 1, dir.path(), target), "");
    const std::vector<zr::FormRows> forms = zr::cms1500Range(f.fields(), 1, 1, zr::kOlderCms1500Layout);
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, kFormDpi);
    ASSERT_EQ(pages.size(), forms.size());
    EXPECT_EQ(formInkAgainstGrid(pages[0], forms[0], kFormDpi, 0, 0).missing, 0);
}

// A BMP the screen picture wrote, read back through ImageMagick and PNG.
wl::PixelImage formPictureRead(const std::string& dir, const std::string& bmp) {
    const zrtest::ToolRun run =
        zrtest::runUnix(dir, "convert '" + zrtest::unixPath(bmp) + "' PNG24:picture-read.png");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    auto png = wl::decodePngFile(dir + "\\picture-read.png");
    return png ? png->image : wl::PixelImage{};
}

TEST(ClaimFormWindow, ScreenPicturesOneAFormUnderFreshNames) {
    zrtest::ScratchDir dir("form-screen");
    zrtest::PromptRecorder prompts;
    const FormFile f;
    const std::vector<zr::FormRows> forms = zr::cms1500Range(f.fields(), 1, 2);
    ASSERT_GE(forms.size(), 2u);
    auto run = [&](zr::FormPictures& written) {
        zrtest::UserScript user({{"test", [](HWND w) {
                                      EXPECT_TRUE(IsZoomed(w));
                                      PostMessageA(w, WM_CLOSE, 0, 0);
                                  }}});
        EXPECT_EQ(zr::CTL394PRTO(f.fields(), 1, 2, dir.path(), [] { return std::string("A"); }, &written,
                                 dir.path()),
                  "");
        EXPECT_TRUE(zrtest::UserScript::done());
    };
    zr::FormPictures first, second;
    run(first);
    ASSERT_EQ(first.bitmaps.size(), forms.size());
    EXPECT_EQ(first.bitmaps[0], dir.file("test.bmp"));
    EXPECT_EQ(first.bitmaps[1], dir.file("test2.bmp"));
    // A second run keeps the first run's pictures.
    run(second);
    ASSERT_EQ(second.bitmaps.size(), forms.size());
    EXPECT_EQ(second.bitmaps[0], dir.file("test" + std::to_string(forms.size() + 1) + ".bmp"));
    // Without the image library no TIFF is written, and the user is told.
    EXPECT_TRUE(first.tiffs.empty());
    const wl::PixelImage picture = formPictureRead(dir.path(), first.bitmaps[0]);
    ASSERT_EQ(picture.width, zr::kFormPictureWidth);
    ASSERT_EQ(picture.height, zr::kFormPictureHeight);
    // The payer's name on row 1 from column 35; nothing left of it.
    const double rowH = 1.0 / 66, colW = 1.0 / 85;
    EXPECT_GT(zrtest::darkShare(picture, 0.3 * rowH, 35 * colW, 1.3 * rowH, 45 * colW), 0.02);
    EXPECT_EQ(zrtest::darkShare(picture, 0.3 * rowH, 0, 1.3 * rowH, 34 * colW), 0);
    // Cancel at the image format draws and writes nothing.
    zr::FormPictures none;
    EXPECT_EQ(zr::CTL394PRTO(f.fields(), 1, 1, dir.path(), [] { return std::string(); }, &none, dir.path()), "");
    EXPECT_TRUE(none.bitmaps.empty());
}

}  // namespace
