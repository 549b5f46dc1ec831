#include "report_writer.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::string htmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string rtfEscape(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (byte >= 0x80) {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
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

std::string segmentReportPart(int mode, const std::vector<std::string>& segments) {
    std::string out;
    for (const auto& s : segments) {
        if (mode == 100) out += s + kCrLf;
        else if (mode == 101) out += htmlEscape(s) + kCrLf;
        else if (mode == 102) out += rtfEscape(s) + "\\par" + kCrLf;
    }
    return out;
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

std::string reportCompleteMessage(ReportFormat format, const std::string& fileName, bool written) {
    if (!written) return "";
    return "Format File " + fileName + " Complete" + (format == ReportFormat::Text ? kCrLf : "");
}

} // namespace zr
