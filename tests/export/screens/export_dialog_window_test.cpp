// The export dialog under Wine on a shared remittance: picking fields and
// exporting them, the header switch, Cancel in the format question, the
// 835 listing's "Print Field Select" and the batch mode of the screens.
#include "export_dialog_window.hpp"

#include <algorithm>

#include <gtest/gtest.h>

#include "clip_board.hpp"
#include "pickers.hpp"
#include "remittance_windows.hpp"
#include "viewer_windows.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "unix_tools.hpp"
#include "user_script.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto exportPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

struct ExportDialogSample {
    zrtest::TempDir dir;
    SegmentTable table =
        zrtest::loadX12(std::string(ZR_SAMPLES) + "/stupidedi/X221A1-multiple-claims-single-check.edi");
    ClaimIndex index = CTL39400C(table, 3);
    std::vector<ShownDialog> shown;

    ExportDialogCall call(int kind) {
        ExportDialogCall c;
        c.kind = kind;
        c.modelCode = "ZRK7W315";
        c.fileName = "remit.edi";
        c.table = &table;
        c.index = &index;
        c.st01 = "835";
        c.folder = dir.path();
        c.workFolder = dir.path();
        return c;
    }
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
    // The CSV lines the file's own CLP segments give for CLP03 and CLP01.
    std::string expectedRows() const {
        std::string out;
        for (std::size_t r = 1; r <= table.size(); ++r)
            if (table.id(r) == "CLP")
                out += std::string(table.element(r, 3)) + "," + std::string(table.element(r, 1)) + "\r\n";
        return out;
    }
};

TEST(ExportDialogWindow, PicksFieldsAndExportsTheSample) {
    ZR_REQUIRE_SAMPLES();
    ExportDialogSample s;
    s.dir.write("zr835.xml", "<CONFIGURATION><FIELD>CLAIMTOTALCHARGE</FIELD></CONFIGURATION>");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(s.dir.file("picked.csv"));
    UserScript script({{"Select Format", exportPress("CSV")},
                       {"Export Data to CSV", [](HWND w) {
                            // Add the first two dictionary rows, remove the
                            // last one added, header on, export.
                            for (const char* b : {"Add", "Add", "Remove", "-", "Begin"}) exportPress(b)(w);
                        }}});
    EXPECT_EQ(CTLD39404(s.call(1), s.ui()), "");
    EXPECT_TRUE(UserScript::done());
    ASSERT_GE(s.shown.size(), 2u);
    EXPECT_EQ(s.shown[1].caption, "Export Data to CSV");
    const ExportDictionary dictionary = exportDictionary("835", 0);
    const std::string total = CTL39404B("CLAIMTOTALCHARGE", dictionary);
    EXPECT_EQ(s.shown[1].lines, std::vector<std::string>{total});
    EXPECT_EQ(s.shown.back().lines, (std::vector<std::string>{total, "Claim Patient Control Number"}));
    // Two rows added: the third row is current.
    EXPECT_EQ(s.shown.back().current, 3u);
    EXPECT_EQ(zrtest::readBytes(s.dir.file("picked.csv")), "CLAIMTOTALCHARGE,CLAIMPATCTL\r\n" + s.expectedRows());
    EXPECT_NE(zrtest::readBytes(s.dir.file("export.log")).find(" File Created " + s.dir.file("picked.csv")),
              std::string::npos);
}

TEST(ExportDialogWindow, CancelInTheFormatQuestionShowsNoDialog) {
    ZR_REQUIRE_SAMPLES();
    ExportDialogSample s;
    UserScript script({{"Select Format", exportPress("Cancel")}});
    EXPECT_EQ(CTLD39404(s.call(1), s.ui()), "");
    ASSERT_EQ(s.shown.size(), 1u);
    EXPECT_EQ(s.shown[0].caption, "Select Format");
}

// A step pressing one of the paged printer's "Send to:" buttons.
zrtest::Step exportSendTo(const std::string& caption) {
    return {"Send to:", [caption](HWND w) {
                HWND b = FindWindowExA(w, nullptr, "Button", caption.c_str());
                ASSERT_NE(b, nullptr) << caption;
                PostMessageA(b, BM_CLICK, 0, 0);
            }};
}

// "Fields" and "Totals" reach the paged printer: the clipboard receives
// the listing's lines as the printer would print them.
TEST(ExportDialogWindow, PrintFieldSelectListingsReachThePrinter) {
    ZR_REQUIRE_SAMPLES();
    struct Case {
        const char* button;
        int subMode;
    };
    for (const Case c : {Case{"Fields", 1}, Case{"Totals", 2}}) {
        ExportDialogSample s;
        s.dir.write("zr835.xml", "<CONFIGURATION><FIELD>CLAIMPATCTL</FIELD><FIELD>CLAIMTOTALPAID</FIELD></CONFIGURATION>");
        zrtest::PromptRecorder prompts;
        UserScript script({{"Print Field Select", exportPress(c.button)}, exportSendTo("Clipboard")});
        const std::string answered = CTLD39404(s.call(2), s.ui());
        EXPECT_TRUE(UserScript::done()) << c.button;
        const FieldListing listing = CTL39404H(c.subMode, "835", exportDictionary("835", 0),
                                               {"CLAIMPATCTL", "CLAIMTOTALPAID"},
                                               remittanceListingSource(s.table, s.index, 3));
        ASSERT_FALSE(listing.text.empty());
        EXPECT_EQ(wl::TClipBoard(CF_TEXT).GetText(), zr::listingText(wl::crLines(listing.text))) << c.button;
        // Only the fields listing is answered as well.
        EXPECT_EQ(answered, c.subMode == 1 ? listing.text : "") << c.button;
        EXPECT_EQ(answered.substr(0, c.subMode == 1 ? 23 : 0), c.subMode == 1 ? "Basic Field Location:\r\n" : "");
    }
}

// "Print" prints the claim listing on landscape pages.
TEST(ExportDialogWindow, PrintFieldSelectPrintsTheClaimListingInLandscape) {
    ZR_REQUIRE_SAMPLES();
    ExportDialogSample s;
    s.dir.write("zr835.xml", "<CONFIGURATION><FIELD>CLAIMPATCTL</FIELD><FIELD>CLAIMTOTALCHARGE</FIELD></CONFIGURATION>");
    zrtest::PromptRecorder prompts;
    ViewerUi ui = s.ui();
    ui.print = PrintTarget{s.dir.file("zr export listing.pdf"), "ZRPDF"};
    UserScript script({{"Print Field Select", exportPress("Print")}, exportSendTo("Printer")});
    EXPECT_EQ(CTLD39404(s.call(2), ui), "");
    EXPECT_TRUE(UserScript::done());
    ASSERT_TRUE(std::filesystem::exists(ui.print.pdfFile));
    ASSERT_FALSE(prompts.texts().empty());
    EXPECT_EQ(prompts.texts().front(), "Printing Listing ....");
    // pdftoppm reads the pages in a folder with a Unix path.
    zrtest::ScratchDir pdfDir("export-listing-pdf");
    const std::string readable = pdfDir.path() + "\\listing.pdf";
    std::filesystem::copy_file(ui.print.pdfFile, readable);
    // The listing's print is small: at 30 dpi its letters are grey, not dark.
    const auto pages = zrtest::pdfPages(pdfDir.path(), readable, 60);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width, pages[0].height);
    // The sample's claims are a short block under the header: the patient
    // control numbers on the left, the charges beside them, nothing below
    // them down to "End of Listing." at two thirds of the page.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.06, 0.00, 0.20, 0.08), 0.01);
    EXPECT_GT(zrtest::darkShare(pages[0], 0.06, 0.12, 0.20, 0.16), 0.01);
    EXPECT_LT(zrtest::darkShare(pages[0], 0.25, 0.00, 0.65, 1.00), 0.001);
    EXPECT_GT(zrtest::darkShare(pages[0], 0.67, 0.15, 0.72, 0.30), 0.002);
}

// Another set has no listings: nothing is asked or printed.
TEST(ExportDialogWindow, AnotherSetsListingPrintsNothing) {
    zrtest::TempDir dir;
    const SegmentTable table = zrtest::loadX12(zrtest::x12Fixture("277_stc.x12"));
    const ClaimIndex index = CTL39400C(table, 3);
    ExportDialogCall c;
    c.kind = 2;
    c.table = &table;
    c.index = &index;
    c.st01 = "277";
    c.workFolder = dir.path();
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(CTL39404A(c, ExportLetter::Csv, {"TRACEID"}, "", 3, exportDictionary("277", 0), {}), "");
    EXPECT_TRUE(prompts.texts().empty());
}

TEST(ExportDialogWindow, TheRemittanceListingOpensPrintFieldSelect) {
    ZR_REQUIRE_SAMPLES();
    ExportDialogSample s;
    TransactionScreenCall call;
    call.table = &s.table;
    call.claims = s.index;
    call.setId = "835";
    call.version = "5010";
    call.currentFolder = s.dir.path();
    UserScript script({{"View X12 835 Version 5010", exportPress("Listing")},
                       {"Print Field Select", exportPress("Exit")},
                       {"View X12 835 Version 5010", exportPress("Exit")}});
    CTLD39407(call, s.ui());
    EXPECT_TRUE(UserScript::done());
    bool picker = false;
    for (const ShownDialog& d : s.shown) picker = picker || d.caption == "Print Field Select";
    EXPECT_TRUE(picker);
}

TEST(ExportDialogWindow, TheInterchangePickerOpensPrintFieldSelect) {
    ZR_REQUIRE_SAMPLES();
    ExportDialogSample s;
    TransactionScreenCall call;
    call.table = &s.table;
    call.claims = s.index;
    call.setId = "835";
    call.currentFolder = s.dir.path();
    const std::string picker = "Select Interchange Control Batch (ISA)";
    UserScript script({{picker, exportPress("Listing")},
                       {"Print Field Select", exportPress("Exit")},
                       {picker, exportPress("Exit")}});
    EXPECT_FALSE(CTLD39405(call, s.ui()).has_value());
    EXPECT_TRUE(UserScript::done());
    bool opened = false;
    for (const ShownDialog& d : s.shown) opened = opened || d.caption == "Print Field Select";
    EXPECT_TRUE(opened);
}

// Each screen's "Export" (modes above 1) asks the format of the export.
TEST(ExportDialogWindow, TheScreensExportButtonsOpenTheExport) {
    struct Case {
        ScreenKind kind;
        const char* fixture;
        const char* setId;
        const char* title;
    };
    const std::vector<Case> cases{
        {ScreenKind::Claims837, "claims_837p.x12", "837", "View X12 837 Version 5010 PROFESSIONAL"},
        {ScreenKind::Remittance835, "835_remittance.x12", "835", "View X12 835 Version 5010"},
        {ScreenKind::ClaimStatus, "277_stc.x12", "277", "View X12 277"},
        {ScreenKind::Eligibility, "271_three_subscribers.x12", "271", "View X12 271"},
    };
    for (const Case& c : cases) {
        zrtest::TempDir dir;
        const SegmentTable table = zrtest::loadX12(zrtest::x12Fixture(c.fixture));
        TransactionScreenCall call;
        call.table = &table;
        call.claims = CTL39400C(table, 3);
        call.setId = c.setId;
        call.version = "5010";
        call.mode = 2;
        call.currentFolder = dir.path();
        std::vector<std::string> captions;
        UserScript script({{c.title, exportPress("Export")},
                           {"Select Format", exportPress("Cancel")},
                           {c.title, exportPress("Exit")}});
        openTransactionScreen(c.kind, call, ViewerUi{[&](const ShownDialog& d) { captions.push_back(d.caption); }});
        EXPECT_TRUE(UserScript::done()) << c.title;
        EXPECT_NE(std::find(captions.begin(), captions.end(), "Select Format"), captions.end()) << c.title;
    }
}

TEST(ExportDialogWindow, ModeOneHundredNineExportsWithoutAWindow) {
    ZR_REQUIRE_SAMPLES();
    ExportDialogSample s;
    s.dir.write("zr835.xml", "<CONFIGURATION><FIELD>CLAIMTOTALCHARGE</FIELD><FIELD>CLAIMPATCTL</FIELD></CONFIGURATION>");
    TransactionScreenCall call;
    call.table = &s.table;
    call.claims = s.index;
    call.setId = "835";
    call.mode = 109;
    call.currentFolder = s.dir.path();
    call.request.parseType = "CSV";
    call.request.destinationFolder = s.dir.path();
    call.request.destinationFile = "batch";
    EXPECT_EQ(CTLD39407(call, s.ui()), "");
    EXPECT_TRUE(s.shown.empty());
    EXPECT_EQ(zrtest::readBytes(s.dir.file("batch.csv")), s.expectedRows());
}

}  // namespace
