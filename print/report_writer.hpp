// The X12 report writer's portable half: the report assembled as text,
// HTML or RTF from the screens' report parts, and the 837 claims part in
// each of those modes. Values are escaped here, where the report is put
// together, so a claim value or segment holding markup cannot break it.
#pragma once

#include <string>
#include <vector>

#include "paged_print.hpp"
#include "report_lines.hpp"  // htmlEscape, rtfEscape

namespace zr {

enum class ReportFormat { Text, Html, Rtf, Pdf };

// The picker's letter ("A" text, "B" HTML, "C" RTF, "D" PDF) to a format;
// false for any other answer.
bool reportFormatFromLetter(const std::string& letter, ReportFormat& format);
// "format.txt", "format.htm", "format.rtf", "format.pdf".
std::string reportDefaultFileName(ReportFormat format);
// "Formatting to Text" and so on.
std::string reportDialogTitle(ReportFormat format);

// One claim of the 837 claims part, with its own values.
struct ReportClaim {
    std::string subscriberFirst;
    std::string subscriberMiddle;
    std::string subscriberLast;
    std::string claimId;
    std::string amount; // the CLAIMAMT text
    std::vector<std::string> detail;
};

// The claims screen's report modes: 100 text, 101 HTML, 102 RTF; "" for
// any other mode. fileName is shown above the HTML segment data.
std::string claimsReportPart(int mode, const std::vector<ReportClaim>& claims, const std::string& claimType,
                             const std::string& fileName);

// The whole report around the parts (already in the format's mode).
// PDF is not assembled here: it goes through the printer object.
std::string assembleReport(ReportFormat format, const std::string& claimsPart, const std::string& segmentPart,
                           const std::string& date, const std::string& time);

// The writer's answer: "Format File <name> Complete" (CR LF after it for
// text), or "" when nothing was written.
std::string reportCompleteMessage(ReportFormat format, const std::string& fileName, bool written);

// What the report holds, by the report kind the screens pass (1 an 837
// set, 2 a 277 set, any other a set reported by its segment data only).
enum class ReportKind { Claims837 = 1, ClaimStatus277 = 2, SegmentsOnly = 3 };
ReportKind reportKindOf(int kind);

// The screens' report mode each part is asked in: 100 text, 101 HTML, 102
// RTF. The PDF is laid out from the text report, so it asks for 100.
int reportPartMode(ReportFormat format);
// Whether the report holds a claims part: 837 sets in every format, 277
// sets in text, HTML and PDF (their screen has no RTF part), others never.
bool reportHasClaimsPart(ReportKind kind, ReportFormat format);

// The output file named by the request: its second comma-separated item,
// trimmed; "" when it names none (then the user is asked).
std::string reportRequestedFile(const std::string& request);

// The PDF report's pages: the text report's lines on the portrait listing
// grid, 60 to a page, three lines and three columns in. A line longer than
// the 80 columns of the sheet goes on in the next line, so nothing is cut.
std::vector<PrintedPage> reportPdfPages(const std::string& textReport, const PageGrid& grid);

// How CTL394RPTB opens a finished report, by its kind (1 text, 2 HTML, 3
// RTF, 4 PDF): text in Notepad, HTML and RTF through the shell's "open",
// PDF not at all. When that program cannot start, the user is told
// reportReadyMessage instead.
enum class ReportOpener { Notepad, Shell, None };
ReportOpener reportOpenerFor(int kind);
int reportKindNumber(ReportFormat format);
// "<file> is Ready."
std::string reportReadyMessage(const std::string& fileName);

} // namespace zr
