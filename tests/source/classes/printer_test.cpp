// TPrinter and the print commands on the real printing path: Wine's
// gdi32 and winspool, a private CUPS server and its PDF printer "ZRPDF"
// (started by the test command, see scripts/with-print-server).
#include "printer.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "messages.hpp"
#include "print_commands.hpp"
#include "print_settings.hpp"
#include "profile_files.hpp"
#include "unix_tools.hpp"

namespace {

constexpr char kPrinter[] = "ZRPDF";

std::shared_ptr<wl::TFont> bigFont(HDC dc) {
    wl::FontSpec spec;
    spec.cFaceName = "Arial";
    spec.nHeight = -48;  // points on the printer
    spec.lBold = true;
    spec.oDevice = dc;
    return wl::TFont::New(spec);
}

// Two pages, each a filled block and a line of text at a known place.
void drawTwoPages(wl::TPrinter& p) {
    for (int page = 1; page <= 2; ++page) {
        wl::PAGEBEGIN();
        const auto font = bigFont(p.hDC);
        // Page 1: the block top left; page 2: bottom right.
        const int w = p.nHorzRes(), h = p.nVertRes();
        RECT block = page == 1 ? RECT{w / 10, h / 10, w * 4 / 10, h * 3 / 10}
                               : RECT{w * 6 / 10, h * 7 / 10, w * 9 / 10, h * 9 / 10};
        p.FillRect(block, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        p.Say(h / 2, w / 10, page == 1 ? "PAGE ONE" : "PAGE TWO", font);
        font->End();
        wl::PAGEEND();
    }
}

void expectBlocks(const std::vector<wl::PixelImage>& pages) {
    ASSERT_EQ(pages.size(), 2u);
    // Page 1: dark top left (away from the printer's margins), white bottom right.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.15, 0.15, 0.25, 0.35), 0.9);
    EXPECT_LT(zrtest::darkShare(pages[0], 0.72, 0.65, 0.88, 0.85), 0.01);
    EXPECT_GT(zrtest::darkShare(pages[1], 0.72, 0.65, 0.88, 0.85), 0.9);
    EXPECT_LT(zrtest::darkShare(pages[1], 0.15, 0.15, 0.25, 0.35), 0.01);
    // The text line: some dark, mostly light.
    for (const auto& page : pages) {
        const double text = zrtest::darkShare(page, 0.49, 0.08, 0.56, 0.45);
        EXPECT_GT(text, 0.05);
        EXPECT_LT(text, 0.8);
    }
}

TEST(PrintCommands, PickAPrinterByPositionOrName) {
    const std::vector<std::string> devices{"Office Laser", "ZRPDF", "Label Writer"};
    struct Case {
        wl::PrinterChoice choice;
        std::string picked;
    };
    const Case cases[] = {
        {2, "ZRPDF"},
        {0, ""},  // 0 picks nothing
        {4, ""},  // beyond the list
        {std::string("zrpdf"), "ZRPDF"},         // equal, ignoring case
        {std::string("writer"), "Label Writer"},  // contained
        {std::string("Office"), "Office Laser"},
        {std::string("Plotter"), ""},
        {std::monostate{}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(wl::pickPrinter(devices, c.choice), c.picked);
}

TEST(PrintSettings, ThePrivatePdfPrinterIsInstalled) {
    const std::vector<std::string> printers = wl::AGETPRINTERS();
    ASSERT_NE(std::find(printers.begin(), printers.end(), kPrinter), printers.end())
        << "CUPS_SERVER=" << (std::getenv("CUPS_SERVER") ? std::getenv("CUPS_SERVER") : "(unset)");
}

TEST(PrintSettings, SwitchingTheDefaultPrinterPutsTheUsersEntryBackOnEveryPath) {
    const std::string before = wl::GETPROFSTRING(std::string("windows"), std::string("device"));
    try {
        wl::DefaultPrinterSwitch use("Somewhere,winspool,FILE:");
        EXPECT_EQ(wl::GETPROFSTRING(std::string("windows"), std::string("device")), "Somewhere,winspool,FILE:");
        throw std::runtime_error("a failure while the other printer is in use");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(wl::GETPROFSTRING(std::string("windows"), std::string("device")), before);
}

// A job for a printer that is not there must not leave the process
// without a default printer: the next job finds it.
TEST(PrintSettings, AJobForAMissingPrinterLeavesTheDefaultToTheNextJob) {
    int stops = 0;
    wl::ScopedPromptHook quiet([&](const wl::Prompt&) {
        ++stops;
        return wl::PromptAnswer{};
    });
    wl::DefaultPrinterSwitch use("ZRPDF," + wl::GETPROFSTRING(std::string("Devices"), std::string(kPrinter)));
    {
        wl::PrinterOptions o;
        o.cModel = "Nowhere,winspool,FILE:";
        wl::TPrinter missing(o);
        EXPECT_EQ(missing.hDC, nullptr);
    }
    EXPECT_EQ(stops, 1);
    wl::TPrinter found;
    EXPECT_NE(found.hDC, nullptr);
    EXPECT_EQ(stops, 1);
}

TEST(TPrinter, PrintsTwoPagesToTheCupsPdfPrinter) {
    zrtest::ScratchDir dir("print-cups");
    const std::vector<std::string> before = zrtest::pdfsNow();
    wl::TPrinter* p = wl::PRINTBEGIN("zr two pages", false, false, std::string(kPrinter));
    ASSERT_NE(p, nullptr);
    ASSERT_NE(p->hDC, nullptr) << "no device context for " << kPrinter;
    EXPECT_FALSE(p->lMeta);
    EXPECT_EQ(p->cModel.substr(0, 6), "ZRPDF,");
    drawTwoPages(*p);
    wl::PRINTEND();
    EXPECT_EQ(wl::currentPrinter(), nullptr);
    const std::string pdf = zrtest::awaitNewPdf(before);
    ASSERT_FALSE(pdf.empty()) << "CUPS wrote no PDF";
    const std::string copy = dir.file("printed.pdf");
    std::filesystem::copy_file(pdf, copy);
    std::filesystem::remove(pdf);
    const zrtest::ToolRun info = zrtest::runUnix(dir.path(), "pdfinfo printed.pdf");
    EXPECT_TRUE(zrtest::hasLine(info.output, "Pages:", "2")) << info.output;
    expectBlocks(zrtest::pdfPages(dir.path(), copy));
}

// Raw PostScript handed to the printer: a black block in the sheet's own
// coordinates (points from the bottom left), whatever the driver's.
constexpr char kRawBlock[] =
    "gsave initgraphics 0 setgray\n"
    "72 540 216 180 rectfill\n"
    "grestore\n";

TEST(TPrinter, ImportRawSendsTheFilesPostScriptToThePrinter) {
    zrtest::ScratchDir dir("print-raw");
    const std::string raw = dir.file("block.ps");
    std::ofstream(raw, std::ios::binary) << kRawBlock;
    const std::vector<std::string> before = zrtest::pdfsNow();
    wl::TPrinter* p = wl::PRINTBEGIN("zr raw page", false, false, std::string(kPrinter));
    ASSERT_NE(p, nullptr);
    ASSERT_NE(p->hDC, nullptr);
    wl::PAGEBEGIN();
    // A missing file sends nothing; the device answers the escapes.
    p->ImportRAW(dir.file("none.ps"));
    EXPECT_GT(wl::IMPORTRAWFILE(p->hDCOut, raw), 0);
    EXPECT_EQ(wl::IMPORTRAWFILE(p->hDCOut, dir.file("none.ps")), 0);
    wl::PAGEEND();
    wl::PRINTEND();
    const std::string pdf = zrtest::awaitNewPdf(before);
    ASSERT_FALSE(pdf.empty()) << "CUPS wrote no PDF";
    const std::string copy = dir.file("raw.pdf");
    std::filesystem::copy_file(pdf, copy);
    std::filesystem::remove(pdf);
    const std::vector<wl::PixelImage> pages = zrtest::pdfPages(dir.path(), copy);
    ASSERT_EQ(pages.size(), 1u);
    // The block: 1 to 4 inches across, 7.5 to 10 inches up a sheet of 11
    // (or more): its middle is dark, the sheet's lower half white.
    const wl::PixelImage& page = pages[0];
    const double inchX = page.width / 8.5, inchY = page.height / 11.0;
    const double top = page.height - 9.5 * inchY, bottom = page.height - 8 * inchY;
    EXPECT_GT(zrtest::darkShare(page, top / page.height, 1.5 * inchX / page.width, bottom / page.height,
                                3.5 * inchX / page.width),
              0.9);
    EXPECT_LT(zrtest::darkShare(page, 0.6, 0.1, 0.9, 0.9), 0.01);
}

TEST(TPrinter, ImportRawOnAPageFileSendsNothing) {
    // Page files (the preview and PDF) take no raw data: the escapes are
    // refused and the call answers 0.
    wl::PrinterOptions o;
    o.cModel = std::string(kPrinter) + "," + wl::GETPROFSTRING(std::string("Devices"), std::string(kPrinter));
    o.lPreview = true;
    wl::TPrinter p(o);
    ASSERT_NE(p.hDC, nullptr);
    zrtest::ScratchDir dir("print-raw-meta");
    const std::string raw = dir.file("block.ps");
    std::ofstream(raw, std::ios::binary) << kRawBlock;
    p.StartPage();
    EXPECT_EQ(wl::IMPORTRAWFILE(p.hDCOut, raw), 0);
    p.EndPage();
    p.End();
}

TEST(TPrinter, UnitsFollowTheDeviceAndRowZeroStaysOnThePage) {
    wl::PrinterOptions o;
    o.cModel = std::string(kPrinter) + "," + wl::GETPROFSTRING(std::string("Devices"), std::string(kPrinter));
    wl::TPrinter p(o);
    ASSERT_NE(p.hDC, nullptr);
    const wl::DeviceMetrics d = p.metrics();
    EXPECT_GT(d.horzRes, 0);
    EXPECT_GT(d.horzSize, 0);
    double row = 0, col = 0;
    p.Cmtr2Pix(row, col);
    EXPECT_EQ(row, 0);  // never a negative row, whatever the offset
    double r2 = 2.54, c2 = 2.54;
    p.Cmtr2Pix(r2, c2);
    EXPECT_NEAR(r2, 25.4 * d.vertRes / d.vertSize - d.yOffset, 1e-6);
    const auto [w, h] = p.SizeInch2Pix(1, 1);
    EXPECT_NEAR(w, 25.4 * d.horzRes / d.horzSize, 1);
    EXPECT_NEAR(h, 25.4 * d.vertRes / d.vertSize, 1);
    const auto [phyW, phyH] = p.GetPhySize();
    EXPECT_GT(phyW, 150);  // a real sheet, in millimetres
    EXPECT_GT(phyH, phyW);
}

TEST(TPrinter, GetPixelReadsThePixelItDoesNotSetIt) {
    wl::TPrinter p;  // the default printer
    // Drawing goes to hDCOut: point it at a small memory page to read back.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 20, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    HDC saved = p.hDCOut;
    p.hDCOut = mem;
    PatBlt(mem, 0, 0, 20, 20, WHITENESS);
    p.SetPixel(5, 7, RGB(255, 0, 0));
    EXPECT_EQ(p.GetPixel(5, 7), RGB(255, 0, 0));
    EXPECT_EQ(p.GetPixel(6, 7), RGB(255, 255, 255));  // read, not painted
    EXPECT_EQ(p.GetPixel(6, 7), RGB(255, 255, 255));
    p.hDCOut = saved;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

TEST(TPrinter, APdfFileNameSwitchesToMetafilePagesAndTheLibrarysOwnPdf) {
    zrtest::ScratchDir dir("print-pdf");
    const std::string target = dir.file("Two Pages.PDF");
    wl::TPrinter* p = wl::PRINTBEGIN("zr metafile pages", false, false, std::string(kPrinter), false, false, target);
    ASSERT_NE(p->hDC, nullptr);
    EXPECT_TRUE(p->lMeta);
    drawTwoPages(*p);
    ASSERT_EQ(p->aMeta.size(), 2u);
    const std::vector<std::string> pages = p->aMeta;
    for (const std::string& page : pages) EXPECT_TRUE(std::filesystem::exists(page));
    wl::PRINTEND();
    for (const std::string& page : pages) EXPECT_FALSE(std::filesystem::exists(page));  // erased at the end
    // The extension is always written "pdf".
    const std::string written = dir.file("Two Pages.pdf");
    ASSERT_TRUE(std::filesystem::exists(written));
    const zrtest::ToolRun check = zrtest::runUnix(dir.path(), "qpdf --check 'Two Pages.pdf'");
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const zrtest::ToolRun info = zrtest::runUnix(dir.path(), "pdfinfo 'Two Pages.pdf'");
    EXPECT_TRUE(zrtest::hasLine(info.output, "Pages:", "2")) << info.output;
    EXPECT_TRUE(zrtest::hasLine(info.output, "Page size:", "595 x 842 pts (A4)")) << info.output;
    EXPECT_TRUE(zrtest::hasLine(info.output, "PDF version:", "1.3")) << info.output;
    const zrtest::ToolRun images = zrtest::runUnix(dir.path(), "pdfimages -list 'Two Pages.pdf' | grep -c ' jpeg '");
    EXPECT_EQ(images.output, "2\n") << images.output;
    expectBlocks(zrtest::pdfPages(dir.path(), written));
}

// A 24-bit picture file of one colour.
void printerWriteBmp(const std::string& file, int width, int height, COLORREF color) {
    const int row = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(row * height);
    std::string pixels(static_cast<std::size_t>(row * height), '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = &pixels[static_cast<std::size_t>(y * row + x * 3)];
            p[0] = static_cast<char>(GetBValue(color));
            p[1] = static_cast<char>(GetGValue(color));
            p[2] = static_cast<char>(GetRValue(color));
        }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

TEST(TPrinter, SayImageSizesThePictureByItsProportions) {
    zrtest::ScratchDir dir("print-image");
    const std::string picture = dir.file("red.bmp");
    printerWriteBmp(picture, 200, 100, RGB(255, 0, 0));
    struct Case {
        int width, height;
        bool stretch;
        int align;
        int right, bottom;  // the last red column and row (exclusive end)
        int col;            // where the picture starts
    };
    const Case cases[] = {
        {0, 100, true, 1, 20 + 200, 10 + 100, 20},   // the width follows the height
        {100, 0, true, 1, 20 + 100, 10 + 50, 20},    // the height follows the width
        {300, 50, false, 1, 120 + 100, 10 + 50, 20 + (300 - 100) / 2},  // fitted, centred across
    };
    for (const Case& k : cases) {
        wl::TPrinter p;
        ASSERT_NE(p.hDC, nullptr);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP page = CreateCompatibleBitmap(screen, 400, 200);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(mem, page);
        PatBlt(mem, 0, 0, 400, 200, WHITENESS);
        HDC saved = p.hDCOut;
        p.hDCOut = mem;
        p.SayImage(10, 20, picture, k.width, k.height, SRCCOPY, k.stretch, 255, k.align);
        EXPECT_EQ(p.GetPixel(10, k.col), RGB(255, 0, 0)) << k.width;
        EXPECT_EQ(p.GetPixel(k.bottom - 1, k.right - 1), RGB(255, 0, 0)) << k.width;
        EXPECT_EQ(p.GetPixel(10, k.right + 1), RGB(255, 255, 255)) << k.width;
        EXPECT_EQ(p.GetPixel(k.bottom + 1, k.col), RGB(255, 255, 255)) << k.width;
        if (k.col > 20) EXPECT_EQ(p.GetPixel(10, k.col - 2), RGB(255, 255, 255)) << k.width;
        p.hDCOut = saved;
        SelectObject(mem, old);
        DeleteObject(page);
        DeleteDC(mem);
    }
}

}  // namespace
