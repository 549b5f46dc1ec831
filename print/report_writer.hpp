// The X12 report writer's portable half: the report assembled as text,
// HTML or RTF from the screens' report parts, and the 837 claims part in
// each of those modes. Values are escaped here, where the report is put
// together, so a claim value or segment holding markup cannot break it.
#pragma once

#include <string>
#include <vector>

namespace zr {

enum class ReportFormat { Text, Html, Rtf, Pdf };

// The picker's letter ("A" text, "B" HTML, "C" RTF, "D" PDF) to a format;
// false for any other answer.
bool reportFormatFromLetter(const std::string& letter, ReportFormat& format);
// "format.txt", "format.htm", "format.rtf", "format.pdf".
std::string reportDefaultFileName(ReportFormat format);
// "Formatting to Text" and so on.
std::string reportDialogTitle(ReportFormat format);

// "&", "<", ">" (and the quote) as entities.
std::string htmlEscape(const std::string& text);
// "\", "{", "}" escaped and bytes of 0x80 and above as \'hh.
std::string rtfEscape(const std::string& text);

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

// The segment data part from raw segment texts: one line each, escaped
// for the format (mode 100 text, 101 HTML, 102 RTF).
std::string segmentReportPart(int mode, const std::vector<std::string>& segments);

// The whole report around the parts (already in the format's mode).
// PDF is not assembled here: it goes through the printer object.
std::string assembleReport(ReportFormat format, const std::string& claimsPart, const std::string& segmentPart,
                           const std::string& date, const std::string& time);

// The writer's answer: "Format File <name> Complete" (CR LF after it for
// text), or "" when nothing was written.
std::string reportCompleteMessage(ReportFormat format, const std::string& fileName, bool written);

} // namespace zr
