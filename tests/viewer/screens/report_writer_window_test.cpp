// The X12 report writer under Wine: "Format" pressed on the 837, 277 and
// 835 screens over shared samples, the format and the file chosen by a
// scripted user, the report read back from the file it wrote (the PDF's
// pages through the private CUPS printer and the library's PDF writer),
// and the program that would show it recorded instead of started.
#include "report_writer_window.hpp"

#include <gtest/gtest.h>

#include "claim_status_window.hpp"
#include "claims_screen_window.hpp"
#include "progress_meter.hpp"
#include "unix_tools.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

constexpr char kReportPrinter[] = "ZRPDF";

std::string reportSample(const std::string& path) { return std::string(ZR_SAMPLES) + "/" + path; }

auto reportPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

// What the report writer shows and starts: dialogs, programs, meter.
struct ReportRecord {
    std::vector<std::string> dialogs;
    std::vector<std::string> notepad, shell;
    std::vector<MeterEvent> meter;
    bool starts = true;  // whether the recorded programs "start"
    MeterObserver previous = setMeterObserver([this](const MeterEvent& e) { meter.push_back(e); });
    ~ReportRecord() { setMeterObserver(previous); }

    ViewerUi ui() {
        ViewerUi u;
        u.shown = [this](const ShownDialog& d) { dialogs.push_back(d.caption); };
        u.print = PrintTarget{"", kReportPrinter};
        u.open.notepad = [this](const std::string& f) { notepad.push_back(f); return starts; };
        u.open.shellOpen = [this](const std::string& f) { shell.push_back(f); return starts; };
        return u;
    }
    // Every meter opened was closed again.
    bool meterClosed() const {
        int open = 0;
        for (const MeterEvent& e : meter) {
            if (e.kind == MeterEvent::Kind::Open) ++open;
            if (e.kind == MeterEvent::Kind::Close) --open;
        }
        return open == 0;
    }
};

// A screen call over a loaded table in a mode that shows "Format".
struct ReportScreen {
    SegmentTable table;
    TransactionScreenCall call;
    ReportScreen(const std::string& file, const std::string& setId) : table(zrtest::loadX12(file)) {
        call.fileName = file;
        call.table = &table;
        call.claims = CTL39400C(table, 1);
        call.setId = setId;
        call.version = "5010";
        call.mode = 2;
    }
};

std::size_t reportCount(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(ReportWriterWindow, ClaimsScreenFormatWritesTheTextReportAndOpensNotepad) {
    ZR_REQUIRE_SAMPLES();
    zrtest::ScratchDir dir("report-837-text");
    ReportScreen s(reportSample("imsweb-x12-parser/x12_many_claims.txt"), "837");
    const std::string file = dir.file("claims report.txt");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(file);
    ReportRecord rec;
    const std::string title = "View X12 837 Version 5010 CLAIM TYPE ERROR";
    UserScript script({{title, reportPress("Format")},
                       {"Select Format", reportPress("Text")},
                       {title, reportPress("Exit")}});
    EXPECT_EQ(CTLD39406(s.call, rec.ui()), "");
    EXPECT_TRUE(UserScript::done());
    ASSERT_FALSE(prompts.prompts().empty());
    EXPECT_EQ(prompts.prompts()[0].caption, "Formatting to Text");
    const std::string text = zrtest::readBytes(file);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.rfind("X12 Report\r\n" + std::string(60, '-') + "\r\n\r\nX12 837 Claims Report.\r\n", 0), 0u);
    EXPECT_EQ(reportCount(text, "Claim # :"), 820u);
    // The segment data: every row but the last, then the stamp in the
    // report's date form.
    EXPECT_EQ(reportCount(text, " - CLM*"), 820u);
    EXPECT_NE(text.find("\r\nGenerated - Date:20"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 64), std::string(60, '-') + "\r\n\r\n");
    EXPECT_EQ(rec.notepad, std::vector<std::string>{file});
    EXPECT_TRUE(rec.shell.empty());
    ASSERT_FALSE(rec.meter.empty());
    EXPECT_EQ(rec.meter.front().text, "Formatting File");
    EXPECT_EQ(rec.meter.front().caption, "Please Wait..");
    EXPECT_TRUE(rec.meterClosed());
    EXPECT_EQ(prompts.texts().size(), 1u);  // Notepad started: no "is Ready."
}

TEST(ReportWriterWindow, ClaimStatusHtmlAndRtfThroughTheShellOrIsReady) {
    ZR_REQUIRE_SAMPLES();
    zrtest::ScratchDir dir("report-277");
    ReportScreen s(reportSample("LinuxForHealth-x12/claim-level-status.277"), "277");
    const std::string html = dir.file("status.htm"), rtf = dir.file("status.rtf");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(html);
    prompts.answerFile(rtf);
    ReportRecord rec;
    rec.starts = false;  // no program takes the file: the user is told where it is
    const std::string title = "View X12 277";
    UserScript script({{title, reportPress("Format")},
                       {"Select Format", reportPress("HTML")},
                       {title, reportPress("Format")},
                       {"Select Format", reportPress("RTF")},
                       {title, reportPress("Exit")}});
    EXPECT_EQ(CTLD39410(s.call, rec.ui()), "");
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(rec.shell, (std::vector<std::string>{html, rtf}));
    const std::vector<std::string> texts = prompts.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), html + " is Ready."), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), rtf + " is Ready."), texts.end());

    const std::string page = zrtest::readBytes(html);
    EXPECT_EQ(page.rfind("<HTML>\r\n<HEAD>\r\n<TITLE>X12 Report</TITLE>", 0), 0u);
    // The claim status part (each claim's heading) before the segment data.
    const std::size_t claims = page.find("<H3>"), segments = page.find(" - ST*277*");
    ASSERT_NE(claims, std::string::npos);
    ASSERT_NE(segments, std::string::npos);
    EXPECT_LT(claims, segments);
    EXPECT_EQ(page.substr(page.size() - 9), "</HTML>\r\n");

    // A 277's RTF report is its segment data only.
    const std::string doc = zrtest::readBytes(rtf);
    EXPECT_EQ(doc.rfind("{\\rtf1\\ansi", 0), 0u);
    EXPECT_EQ(doc.find("<H3>"), std::string::npos);
    EXPECT_NE(doc.find(" - ST*277*"), std::string::npos);
    EXPECT_EQ(doc.substr(doc.size() - 3), "}\r\n");
}

TEST(ReportWriterWindow, RemittanceFormatWritesThePdfThroughThePrinter) {
    ZR_REQUIRE_SAMPLES();
    zrtest::ScratchDir dir("report-835-pdf");
    const std::string file = dir.file("remittance report.pdf");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(file);
    ReportRecord rec;
    const std::string title = "View X12 835 Version 5010";
    UserScript script({{title, reportPress("Format")},
                       {"Select Format", reportPress("PDF")},
                       {title, reportPress("Exit")}});
    viewX12File("ZRK7W315", reportSample("stupidedi/X221A1-multiple-claims-single-check.edi"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(zrtest::readBytes(file).rfind("%PDF", 0), 0u);
    const auto pages = zrtest::pdfPages(dir.path(), file, 60);
    ASSERT_GE(pages.size(), 1u);
    // Text from the top left of the first page down.
    EXPECT_GT(zrtest::darkShare(pages[0], 0.03, 0.02, 0.30, 0.40), 0.005);
    EXPECT_TRUE(rec.notepad.empty());
    EXPECT_TRUE(rec.shell.empty());
    EXPECT_TRUE(rec.meterClosed());
    // No temporary file is left beside the report.
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_TRUE(e.path().extension() != ".zrtmp" && e.path().extension() != ".part") << e.path();
}

TEST(ReportWriterWindow, CancelsAndReportModesWriteNothing) {
    zrtest::ScratchDir dir("report-cancel");
    ReportScreen s(zrtest::x12Fixture("837p_two_claims.x12"), "837");
    s.call.startFolder = dir.path();
    ReportRecord rec;
    zrtest::PromptRecorder prompts;
    {
        // Cancel in the format question: no meter, no file dialog.
        UserScript script({{"Select Format", reportPress("Cancel")}});
        EXPECT_EQ(CTL394RPTA("", s.call, 1, rec.ui()), "");
        EXPECT_TRUE(UserScript::done());
    }
    EXPECT_TRUE(prompts.prompts().empty());
    {
        // An empty answer to the save dialog closes the meter.
        prompts.answerFile("");
        UserScript script({{"Select Format", reportPress("RTF")}});
        EXPECT_EQ(CTL394RPTA("", s.call, 1, rec.ui()), "");
        EXPECT_TRUE(UserScript::done());
    }
    EXPECT_FALSE(rec.meter.empty());
    EXPECT_TRUE(rec.meterClosed());
    // A screen in a report mode never writes a report.
    s.call.mode = 100;
    const std::size_t dialogs = rec.dialogs.size();
    EXPECT_EQ(CTL394RPTA("X12," + dir.file("never.txt"), s.call, 1, rec.ui()), "");
    EXPECT_EQ(rec.dialogs.size(), dialogs);
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.txt")));
    EXPECT_TRUE(rec.notepad.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

TEST(ReportWriterWindow, RequestNamesTheFileAndTheAnswerSaysComplete) {
    zrtest::ScratchDir dir("report-request");
    ReportScreen s(zrtest::x12Fixture("837p_two_claims.x12"), "837");
    const std::string file = dir.file("named.htm");
    ReportRecord rec;
    zrtest::PromptRecorder prompts;
    UserScript script({{"Select Format", reportPress("HTML")}});
    EXPECT_EQ(CTL394RPTA("X12," + file, s.call, 1, rec.ui()), "Format File " + file + " Complete");
    EXPECT_TRUE(UserScript::done());
    EXPECT_TRUE(prompts.prompts().empty());  // no save dialog
    const std::string page = zrtest::readBytes(file);
    for (const char* anchor : {"<A name=0000>", "<A name=1>", "<A name=2>", "<A name=9999>"})
        EXPECT_EQ(reportCount(page, anchor), 1u) << anchor;
    EXPECT_EQ(rec.shell, std::vector<std::string>{file});
}

}  // namespace
