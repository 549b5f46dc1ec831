// The paged print on the real printing path: the "Send to:" dialog driven
// by a scripted user, the pages written by the library's PDF writer over
// the private CUPS printer's device context, and read back as pictures.
#include "paged_print_window.hpp"

#include <gtest/gtest.h>

#include "clip_board.hpp"
#include "unix_tools.hpp"
#include "user_script.hpp"

namespace {

constexpr char kPagedPrinter[] = "ZRPDF";

// A step pressing one of the "Send to:" buttons.
zrtest::Step pagedSendTo(const std::string& caption) {
    return {"Send to:", [caption](HWND w) {
                HWND b = FindWindowExA(w, nullptr, "Button", caption.c_str());
                ASSERT_NE(b, nullptr) << caption;
                PostMessageA(b, BM_CLICK, 0, 0);
            }};
}

std::vector<std::string> pagedLines(int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) lines.push_back("Claim line " + std::to_string(i) + " SMITH, JOHN   125.00");
    return lines;
}

TEST(PagedPrintWindow, PrinterPathPrintsTheListingOnTwoReadablePages) {
    zrtest::ScratchDir dir("paged-listing");
    zrtest::PromptRecorder prompts;
    const zr::PrintTarget target{dir.file("zr paged listing.pdf"), kPagedPrinter};
    zrtest::UserScript user({pagedSendTo("Printer")});
    zr::CTL394PRTC(pagedLines(57), "Claims Listing", zr::PrintOrientation::Portrait, target);
    EXPECT_TRUE(zrtest::UserScript::done());
    ASSERT_TRUE(std::filesystem::exists(target.pdfFile));
    ASSERT_FALSE(prompts.texts().empty());
    EXPECT_EQ(prompts.texts().front(), "Printing Claims Listing ....");
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, 60);
    ASSERT_EQ(pages.size(), 2u);
    // Body text in the left half of page 1 from the top; "Continued." at
    // its foot on the right; the end line on page 2 at the middle.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.10, 0.05, 0.75, 0.45), 0.01);
    EXPECT_GT(zrtest::darkShare(pages[0], 0.80, 0.68, 0.88, 0.85), 0.003);
    EXPECT_LT(zrtest::darkShare(pages[0], 0.80, 0.50, 0.88, 0.65), 0.001);
    EXPECT_GT(zrtest::darkShare(pages[1], 0.80, 0.40, 0.88, 0.60), 0.003);
    EXPECT_LT(zrtest::darkShare(pages[1], 0.80, 0.72, 0.88, 0.85), 0.001);
}

TEST(PagedPrintWindow, ClipboardReceivesTheTextTheFileWould) {
    zrtest::ScratchDir dir("paged-clip");
    zrtest::PromptRecorder prompts;
    const std::vector<std::string> lines = pagedLines(3);
    {
        zrtest::UserScript user({pagedSendTo("Clipboard")});
        zr::CTL394PRTC(lines, "Clip", zr::PrintOrientation::Portrait, {});
    }
    const std::string clip = wl::TClipBoard(CF_TEXT).GetText();
    EXPECT_EQ(clip, zr::listingText(lines));
    const std::string file = dir.file("listing.txt");
    prompts.answerFile(file);
    {
        zrtest::UserScript user({pagedSendTo("File")});
        zr::CTL394PRTC(lines, "Clip", zr::PrintOrientation::Portrait, {});
    }
    EXPECT_EQ(zrtest::readBytes(file), clip);
}

TEST(PagedPrintWindow, CancelAndAnEmptyFileNameWriteNothing) {
    zrtest::ScratchDir dir("paged-cancel");
    zrtest::PromptRecorder prompts;
    const zr::PrintTarget target{dir.file("zr paged cancel.pdf"), kPagedPrinter};
    {
        zrtest::UserScript user({pagedSendTo("Cancel")});
        zr::CTL394PRTC(pagedLines(2), "None", zr::PrintOrientation::Portrait, target);
    }
    prompts.answerFile("");
    {
        zrtest::UserScript user({pagedSendTo("File")});
        zr::CTL394PRTC(pagedLines(2), "None", zr::PrintOrientation::Portrait, target);
    }
    EXPECT_FALSE(std::filesystem::exists(target.pdfFile));
    // No "Printing ..." message either: both ended before printing.
    for (const std::string& text : prompts.texts()) EXPECT_EQ(text.find("Printing"), std::string::npos) << text;
}

TEST(PagedPrintWindow, SegmentDumpPrintsTheFileWithItsNotes) {
    zrtest::ScratchDir dir("paged-dump");
    zrtest::PromptRecorder prompts;
    const std::string x12 = std::string(ZR_FIXTURES) + "/x12/837p_two_claims.x12";
    zr::SegmentTable table = zr::loadSegmentTable(x12, zr::readDelimiters(x12, 0));
    table.setSegmentNote(5, "Segment marked by the acknowledgement");
    const std::string clipText = [&] {
        zrtest::UserScript user({pagedSendTo("Clipboard")});
        zr::CTL394PRTA(x12, table, {});
        return wl::TClipBoard(CF_TEXT).GetText();
    }();
    EXPECT_NE(clipText.find("- Segment Error : Segment marked by the acknowledgement\r\n"), std::string::npos);
    const zr::PrintTarget target{dir.file("zr paged dump.pdf"), kPagedPrinter};
    {
        zrtest::UserScript user({pagedSendTo("Printer")});
        zr::CTL394PRTA(x12, table, target);
    }
    ASSERT_TRUE(std::filesystem::exists(target.pdfFile));
    const auto pages = zrtest::pdfPages(dir.path(), target.pdfFile, 60);
    ASSERT_GE(pages.size(), 1u);
    // The header's rule and the body's segments under it.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.10, 0.05, 0.40, 0.60), 0.01);
    EXPECT_GT(zrtest::darkShare(pages.back(), 0.77, 0.55, 0.83, 0.85), 0.003);
}

TEST(PagedPrintWindow, PastedX12IsWrittenBesideTheBaseName) {
    zrtest::ScratchDir dir("paged-paste");
    zrtest::PromptRecorder prompts;
    const std::string base = dir.file("pasted");
    {
        zrtest::UserScript user({{"Paste and Load X12 File", [](HWND w) {
                                      zrtest::typeInto(FindWindowExA(w, nullptr, "Edit", nullptr), "ISA*00~IEA*1~");
                                      PostMessageA(FindWindowExA(w, nullptr, "Button", "Continue"), BM_CLICK, 0, 0);
                                  }}});
        EXPECT_EQ(zr::CTL394PRTQ(base), base + ".tmp");
        EXPECT_TRUE(zrtest::UserScript::done());
    }
    EXPECT_EQ(zrtest::readBytes(base + ".tmp"), "ISA*00~IEA*1~");
    // Closed without "Continue": no file, no name.
    std::filesystem::remove(base + ".tmp");
    {
        zrtest::UserScript user({{"Paste and Load X12 File", [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }}});
        EXPECT_EQ(zr::CTL394PRTQ(base), "");
    }
    EXPECT_FALSE(std::filesystem::exists(base + ".tmp"));
}

}  // namespace
