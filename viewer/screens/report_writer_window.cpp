#include "report_writer_window.hpp"

#include <filesystem>

#include "claim_status_window.hpp"
#include "claims_screen_window.hpp"
#include "file_io.hpp"
#include "format_picker.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "programs.hpp"
#include "progress_meter.hpp"
#include "report_writer.hpp"
#include "segment_list_window.hpp"
#include "viewer_windows.hpp"

namespace zr {

namespace {

TransactionScreenCall inMode(const TransactionScreenCall& call, int mode) {
    TransactionScreenCall c = call;
    c.mode = mode;
    return c;
}

// The screen that gives the claims part: the claims screen of an 837, the
// claim status screen of a 277.
std::string claimsPart(const TransactionScreenCall& call, ReportKind kind, int mode, const ViewerUi& ui) {
    switch (kind) {
    case ReportKind::Claims837: return CTLD39406(inMode(call, mode), ui);
    case ReportKind::ClaimStatus277: return CTLD39410(inMode(call, mode), ui);
    default: return "";
    }
}

// The whole report in the format; the PDF's pages are laid out from the
// text report.
std::string reportText(const TransactionScreenCall& call, ReportKind kind, ReportFormat format, const ViewerUi& ui) {
    const int mode = reportPartMode(format);
    const std::string claims = reportHasClaimsPart(kind, format) ? claimsPart(call, kind, mode, ui) : "";
    const std::string segments = CTLD39420(inMode(call, mode), ui);
    const PrintStamp stamp = printStampNow();
    const ReportFormat assembled = format == ReportFormat::Pdf ? ReportFormat::Text : format;
    return assembleReport(assembled, claims, segments, stamp.date, stamp.time);
}

std::string askReportFile(ReportFormat format, const std::string& startFolder) {
    wl::FileDialogRequest ask;
    ask.title = reportDialogTitle(format);
    ask.save = true;
    ask.initialFile = reportDefaultFileName(format);
    if (!startFolder.empty()) ask.initialDir = startFolder;
    return wl::CGETFILE(ask);
}

// The PDF through the printer object: recorded on a printer's device
// context and written by the library's PDF writer into a file beside the
// target, which replaces the target only once it holds the pages.
bool writeReportPdf(const std::string& file, const std::string& text, const PrintTarget& print) {
    std::string reserved;
    int error = 0;
    std::FILE* f = wl::createTemporaryFile(file, reserved, error);
    if (!f) {
        wl::MSGALERT(file + " was not written (" + std::to_string(error) + ")", "Format");
        return false;
    }
    std::fclose(f);
    // The PDF writer takes a file name for its pages only when it ends in
    // ".pdf" (any other name is asked for), and makes the file itself: the
    // pages go to a fresh name beside the reserved one.
    const std::string temp = reserved + ".pdf";
    printLaidOutPages("X12 Report", PrintOrientation::Portrait, PrintTarget{temp, print.printer},
                      [&](const PageGrid& grid) { return reportPdfPages(text, grid); });
    wl::removeTemporaryFile(reserved);
    std::error_code ec;
    if (std::filesystem::file_size(temp, ec) == 0 || ec) {
        std::filesystem::remove(temp, ec);
        wl::MSGALERT("PDF is not available: no printer to lay the pages out on.");
        return false;
    }
    error = wl::replaceFile(temp, file);
    if (error != 0) {
        std::filesystem::remove(temp, ec);
        wl::MSGALERT(file + " was not written (" + std::to_string(error) + ")", "Format");
        return false;
    }
    return true;
}

bool writeReport(const std::string& file, ReportFormat format, const std::string& text, const ViewerUi& ui) {
    if (format == ReportFormat::Pdf) return writeReportPdf(file, text, ui.print);
    if (const int error = wl::writeFileAtomically(file, text)) {
        wl::MSGALERT(file + " was not written (" + std::to_string(error) + ")", "Format");
        return false;
    }
    return true;
}

}  // namespace

std::string CTL394RPTA(const std::string& request, const TransactionScreenCall& call, int kind, const ViewerUi& ui) {
    // From the first report on, dates read YYYY/MM/DD for good.
    useReportDateForm();
    // A screen asked for its report text never writes a report itself.
    if (call.mode >= 100) return "";
    ReportFormat format{};
    if (!reportFormatFromLetter(CTLD39417(1, "", {}, ui), format)) return "";
    ScopedMeter meter(MeterMode::Show, "Formatting File", "Please Wait..");
    std::string file = reportRequestedFile(request);
    if (file.empty()) file = askReportFile(format, call.startFolder);
    if (file.empty()) return "";
    const std::string text = reportText(call, reportKindOf(kind), format, ui);
    if (!writeReport(file, format, text, ui)) return "";
    CTL394RPTB(file, reportKindNumber(format), ui);
    return reportCompleteMessage(format, file, true);
}

void CTL394RPTB(const std::string& fileName, int kind, const ViewerUi& ui) {
    bool started = false;
    switch (reportOpenerFor(kind)) {
    case ReportOpener::Notepad:
        started = ui.open.notepad ? ui.open.notepad(fileName) : startNotepadOn(fileName);
        break;
    case ReportOpener::Shell:
        started = ui.open.shellOpen ? ui.open.shellOpen(fileName)
                                    : wl::SHELLEXECUTE(nullptr, "open", fileName) > 32;
        break;
    case ReportOpener::None: return;
    }
    if (!started) wl::MSGINFO(reportReadyMessage(fileName));
}

}  // namespace zr
