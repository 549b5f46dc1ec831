#include "report_writer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text.hpp"

namespace zr {

namespace {

const std::string kCrLf = "\r\n";
const std::string kRule = std::string(60, '-') + "\r\n\r\n";

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// The sum of the claims' amounts in cents, so the total does not drift.
long long amountCents(const std::string& amount) {
    return std::llround(std::strtod(amount.c_str(), nullptr) * 100.0);
}

std::string totalText(const std::vector<ReportClaim>& claims) {
    long long cents = 0;
    for (const auto& c : claims) cents += amountCents(c.amount);
    const bool negative = cents < 0;
    const long long whole = (negative ? -cents : cents);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%lld.%02lld", negative ? "-" : "", whole / 100, whole % 100);
    return rightAligned(buffer, 13);
}

std::string claimsText(const std::vector<ReportClaim>& claims) {
    std::string out = "X12 837 Claims Report." + kCrLf + kCrLf;
    for (std::size_t k = 0; k < claims.size(); ++k) {
        out += "Claim # :" + std::to_string(k + 1) + kCrLf;
        for (const auto& line : claims[k].detail) out += line + kCrLf;
        out += kCrLf;
    }
    return out;
}

std::string claimsIndexEntry(std::size_t k, const ReportClaim& c) {
    std::string name = htmlEscape(c.subscriberFirst) + " ";
    if (!c.subscriberMiddle.empty()) name += htmlEscape(c.subscriberMiddle) + ". ";
    name += htmlEscape(c.subscriberLast);
    return "<A HREF=\"#" + std::to_string(k) + "\"><I>Claim " + std::to_string(k) + " -  </I>" + name +
           "<BR> - Claim ID " + htmlEscape(c.claimId) + "<BR> - Amount $" + htmlEscape(c.amount) +
           "</A><BR><BR>";
}

std::string claimsHtml(const std::vector<ReportClaim>& claims, const std::string& claimType,
                       const std::string& fileName) {
    std::string out = "<A name=0000>";
    out += "<H2>837 " + htmlEscape(claimType) + " Claims Data.</H2><HR>";
    out += "Claims in file=" + rightAligned(std::to_string(claims.size()), 10) + "<BR>";
    out += "Total claims amount=$" + totalText(claims) + "<BR>";
    out += "<A HREF=\"#9999\"> [Segment Data]</A>";
    out += "<HR>";
    // Each claim's index entry from its own values.
    for (std::size_t k = 0; k < claims.size(); ++k) out += claimsIndexEntry(k + 1, claims[k]);
    out += "<HR>";
    for (std::size_t k = 0; k < claims.size(); ++k) {
        const std::string n = std::to_string(k + 1);
        out += "<H3>Claim # :" + n + "</H3><A name=" + n + "><A HREF=\"#0000\"> [TOP] - </A>";
        for (const auto& line : claims[k].detail) out += htmlEscape(line) + "<BR>";
        out += "<BR><HR>";
    }
    out += "<A name=9999><A HREF=\"#0000\"> [TOP]</A><H3>Segment Data</H3>File=" + htmlEscape(fileName) +
           "<BR><BR>";
    return out;
}

std::string claimsRtf(const std::vector<ReportClaim>& claims) {
    std::string out;
    for (std::size_t k = 0; k < claims.size(); ++k) {
        out += "Claim # :" + std::to_string(k + 1) + "\\par" + kCrLf;
        for (const auto& line : claims[k].detail) out += rtfEscape(line) + "\\par" + kCrLf;
        out += "\\par \\par" + kCrLf;
    }
    return out;
}

} // namespace

bool reportFormatFromLetter(const std::string& letter, ReportFormat& format) {
    if (letter == "A") format = ReportFormat::Text;
    else if (letter == "B") format = ReportFormat::Html;
    else if (letter == "C") format = ReportFormat::Rtf;
    else if (letter == "D") format = ReportFormat::Pdf;
    else return false;
    return true;
}

std::string reportDefaultFileName(ReportFormat format) {
    switch (format) {
    case ReportFormat::Text: return "format.txt";
    case ReportFormat::Html: return "format.htm";
    case ReportFormat::Rtf: return "format.rtf";
    case ReportFormat::Pdf: return "format.pdf";
    }
    return "";
}

std::string reportDialogTitle(ReportFormat format) {
    switch (format) {
    case ReportFormat::Text: return "Formatting to Text";
    case ReportFormat::Html: return "Formatting to HTML";
    case ReportFormat::Rtf: return "Formatting to RTF";
    case ReportFormat::Pdf: return "Formatting to PDF";
    }
    return "";
}

std::string claimsReportPart(int mode, const std::vector<ReportClaim>& claims, const std::string& claimType,
                             const std::string& fileName) {
    switch (mode) {
    case 100: return claimsText(claims);
    case 101: return claimsHtml(claims, claimType, fileName);
    case 102: return claimsRtf(claims);
    default: return "";
    }
}

std::string assembleReport(ReportFormat format, const std::string& claimsPart, const std::string& segmentPart,
                           const std::string& date, const std::string& time) {
    switch (format) {
    case ReportFormat::Text:
        return "X12 Report" + kCrLf + kRule + claimsPart + segmentPart + kRule + "Generated - Date:" + date + kCrLf +
               " Time:" + time + kCrLf + kRule;
    case ReportFormat::Html:
        return "<HTML>" + kCrLf + "<HEAD>" + kCrLf + "<TITLE>X12 Report</TITLE>" + kCrLf + "</HEAD>" + kCrLf +
               "<BODY BGCOLOR=\"ffffff\">" + kCrLf + "<PRE>" + kCrLf + claimsPart + segmentPart + "</PRE><HR>" +
               kCrLf + "Generated - Date:" + htmlEscape(date) + kCrLf + " Time:" + htmlEscape(time) + "<BR>" +
               kCrLf + "<HR>" + kCrLf + "</BODY>" + kCrLf + "</HTML>" + kCrLf;
    case ReportFormat::Rtf:
        return std::string("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Tms Rmn;}{\\f20\\froman emperorPS;}"
                           "{Fsl240\\f5\\fmodern elite;}}") +
               "\\par X12 Report \\par" + kCrLf + "\\par" + claimsPart + segmentPart + "\\par" + kCrLf +
               "Generated - Date:" + rtfEscape(date) + kCrLf + " Time:" + rtfEscape(time) + kCrLf + "\\par" +
               kCrLf + "\\par" + kCrLf + "}" + kCrLf;
    case ReportFormat::Pdf: return "";
    }
    return "";
}

ReportKind reportKindOf(int kind) {
    if (kind == 1) return ReportKind::Claims837;
    if (kind == 2) return ReportKind::ClaimStatus277;
    return ReportKind::SegmentsOnly;
}

int reportPartMode(ReportFormat format) {
    switch (format) {
    case ReportFormat::Html: return 101;
    case ReportFormat::Rtf: return 102;
    default: return 100;
    }
}

bool reportHasClaimsPart(ReportKind kind, ReportFormat format) {
    if (kind == ReportKind::Claims837) return true;
    return kind == ReportKind::ClaimStatus277 && format != ReportFormat::Rtf;
}

std::string reportRequestedFile(const std::string& request) {
    const std::size_t first = request.find(',');
    if (first == std::string::npos) return "";
    const std::size_t second = request.find(',', first + 1);
    return wl::alltrim(
        request.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1));
}

std::vector<PrintedPage> reportPdfPages(const std::string& textReport, const PageGrid& grid) {
    constexpr std::size_t kLinesPerPage = 60, kColumns = 80, kTop = 3, kLeft = 3;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < textReport.size()) {
        std::size_t end = textReport.find('\n', start);
        if (end == std::string::npos) end = textReport.size();
        std::string line = textReport.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        // A long line continues on the next print line.
        do {
            lines.push_back(line.substr(0, kColumns));
            line.erase(0, std::min(line.size(), kColumns));
        } while (!line.empty());
    }
    std::vector<PrintedPage> pages;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % kLinesPerPage == 0) pages.emplace_back();
        const auto row = static_cast<int>(kTop + i % kLinesPerPage);
        if (!lines[i].empty())
            pages.back().push_back({row * grid.lineHeight, static_cast<int>(kLeft) * grid.columnWidth, lines[i]});
    }
    return pages;
}

ReportOpener reportOpenerFor(int kind) {
    switch (kind) {
    case 1: return ReportOpener::Notepad;
    case 2:
    case 3: return ReportOpener::Shell;
    default: return ReportOpener::None;
    }
}

int reportKindNumber(ReportFormat format) {
    switch (format) {
    case ReportFormat::Text: return 1;
    case ReportFormat::Html: return 2;
    case ReportFormat::Rtf: return 3;
    case ReportFormat::Pdf: return 4;
    }
    return 4;
}

std::string reportReadyMessage(const std::string& fileName) { return fileName + " is Ready."; }

std::string reportCompleteMessage(ReportFormat format, const std::string& fileName, bool written) {
    if (!written) return "";
    return "Format File " + fileName + " Complete" + (format == ReportFormat::Text ? kCrLf : "");
}

} // namespace zr
