#include "claim_status_listing.hpp"

#include "report_lines.hpp"
#include "text.hpp"

namespace zr {

namespace {

// Last name, first name and the middle initial with a "." when there is one.
std::string statusListingName(const ClaimStatusReader& r, std::size_t k, const std::string& who) {
    std::string name = r.claimField(k, who + "LNAME") + " " + r.claimField(k, who + "FNAME") + " ";
    const std::string mi = r.claimField(k, who + "MI");
    if (!mi.empty()) name += mi + ".";
    return name;
}

// First name, the middle initial and ". " when there is one, last name.
std::string statusDetailName(const ClaimStatusReader& r, std::size_t k, const std::string& who) {
    std::string name = r.claimField(k, who + "FNAME") + " ";
    const std::string mi = r.claimField(k, who + "MI");
    if (!mi.empty()) name += mi + ". ";
    return name + r.claimField(k, who + "LNAME");
}

bool namesFields(const std::vector<std::string>& names, std::size_t longerThan) {
    return !names.empty() && names[0].size() > longerThan;
}

// The page of the [X12837SCREEN] fields: line, column and width of each.
std::vector<std::string> statusLaidOutPage(const ClaimStatusReader& r, std::size_t k, const ViewerFieldLists& f) {
    std::vector<std::string> page(64);
    const std::vector<std::string>& names = f.screen[0];
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int width = listNumber(f.screen[1], i), line = listNumber(f.screen[2], i),
                  column = listNumber(f.screen[3], i);
        if (width <= 0 || line <= 0 || line >= 61 || column <= 0) continue;
        std::string& at = page[static_cast<std::size_t>(line - 1)];
        at = fillToColumn(at, static_cast<std::size_t>(column)) +
             r.field(k, names[i]).substr(0, static_cast<std::size_t>(width));
    }
    return page;
}

void addIfPresent(std::vector<std::string>& lines, const std::string& label, const std::string& value) {
    if (!value.empty()) lines.push_back(label + value);
}

std::vector<std::string> statusStandardText(const ClaimStatusReader& r, std::size_t k) {
    auto v = [&](const std::string& name) { return r.claimField(k, name); };
    std::vector<std::string> lines{"Subscriber:"};
    addIfPresent(lines, "      Subscriber ID Code : ", v("SUBIDCODE"));
    lines.push_back("      " + statusDetailName(r, k, "SUB"));
    if (!v("SUBADDR1").empty()) {
        lines.push_back("       " + v("SUBADDR1"));
        addIfPresent(lines, "       ", v("SUBADDR2"));
        lines.push_back("       " + v("SUBCITY") + ", " + v("SUBST") + " " + v("SUBZIP"));
    }
    addIfPresent(lines, "      Subscriber Date of Birth : ", v("SUBDOB"));
    if (!v("PATLNAME").empty()) {
        lines.insert(lines.end(), {"", "", "  Patient:", "      " + statusDetailName(r, k, "PAT")});
        if (!v("PATADDR1").empty()) {
            lines.push_back("      " + v("PATADDR1"));
            addIfPresent(lines, "      ", v("PATADDR2"));
            lines.push_back("      " + v("PATCITY") + ", " + v("PATST") + " " + v("PATZIP"));
        }
    }
    lines.insert(lines.end(), {"", "      Check Number : " + v("CLAIMCHECKNUMBER"),
                               "      Check Date: " + v("CLAIMCHECKDATE") + " ",
                               "      Payment Method : " + v("CLAIMPAYMENTMETHODCODE") + " ",
                               "      Total Claim Amount : " + v("CLAIMTOTALAMOUNT"),
                               "      Claim Status Codes: " + v("CLAIMSTATUSCODE1") + " " + v("CLAIMSTATUSCODE2") + " " +
                                   v("CLAIMSTATUSCODE3") + " "});
    if (!v("CLAIMSTATUS1").empty()) {
        lines.push_back("      Claim Status : ");
        lines.push_back("      " + v("CLAIMSTATUS1"));
        addIfPresent(lines, "      ", v("CLAIMSTATUS2"));
        addIfPresent(lines, "      Claim Status Entity : ", v("CLAIMSTATUS3"));
        addIfPresent(lines, "      Claim Trace Reference ID : ", v("TRACEID"));
        addIfPresent(lines, "      Claim Period Start : ", v("CLAIMPERIODDATESTART"));
        addIfPresent(lines, "      Date Received : ", v("DATERECEIVED"));
        addIfPresent(lines, "      Date of Service : ", v("DATEOFSERVICE"));
    }
    for (std::size_t n = 1; n <= r.serviceLineCount(k); ++n) {
        const std::string s = std::to_string(n);
        addIfPresent(lines, "      Service Line Code " + s + ": ", r.serviceField(k, "SERVICELINECODE" + s));
        addIfPresent(lines, "      Service Line Amount " + s + " : ", r.serviceField(k, "SERVICELINEAMT" + s));
        addIfPresent(lines, "      Service Line Payment Amount " + s + " : ", r.serviceField(k, "SERVICELINEPAYAMT" + s));
        addIfPresent(lines, "      Service Line Revenue Code " + s + " : ",
                     r.serviceField(k, "SERVICELINEREVENUECODE" + s));
    }
    return lines;
}

}  // namespace

std::string claimStatusListingLine(const ClaimStatusReader& r, std::size_t k, const ViewerFieldLists& fields) {
    if (namesFields(fields.viewerNames, 1)) {
        std::string line;
        for (std::size_t i = 0; i < fields.viewerNames.size(); ++i)
            line += fitToWidth(r.claimField(k, fields.viewerNames[i]),
                               i < fields.viewerWidths.size() ? fields.viewerWidths[i] : "");
        return line;
    }
    if (!r.claimField(k, "SUBLNAME").empty())
        return fillToColumn(fillToColumn(statusListingName(r, k, "SUB"), 32) + r.claimField(k, "CLAIMTOTALAMOUNT"), 42);
    if (!r.claimField(k, "PATLNAME").empty()) return fillToColumn(statusListingName(r, k, "PAT"), 32);
    return " Health Level Error";
}

std::vector<std::string> claimStatusListing(const ClaimStatusReader& r, const ViewerFieldLists& fields) {
    const std::size_t n = r.claimCount();
    if (n == 0) return {"No Response Detected"};
    std::vector<std::string> lines;
    lines.reserve(n);
    for (std::size_t k = 1; k <= n; ++k) lines.push_back(claimStatusListingLine(r, k, fields));
    return lines;
}

std::vector<std::string> claimStatusDetailLines(const ClaimStatusReader& r, std::size_t k,
                                                const ViewerFieldLists& fields) {
    if (namesFields(fields.screen[0], 0)) return statusLaidOutPage(r, k, fields);
    return statusStandardText(r, k);
}

std::optional<std::string> claimStatusDetailOutput(const ClaimStatusReader& r, std::size_t k,
                                                   const ViewerFieldLists& fields, int mode) {
    if (mode == 103) return "Claim # :" + std::to_string(k);
    if (mode < 100 || mode > 102) return std::nullopt;
    return reportLines(claimStatusDetailLines(r, k, fields), mode);
}

std::optional<std::string> claimStatusReport(const ClaimStatusReader& r, const ViewerFieldLists& fields, int mode) {
    if (mode < 100 || mode > 103) return std::nullopt;
    const std::vector<std::string> listing = claimStatusListing(r, fields);
    std::string out;
    for (std::size_t k = 1; k <= listing.size(); ++k) {
        const std::string detail = r.claimCount() == 0 ? "" : *claimStatusDetailOutput(r, k, fields, mode);
        const std::string line = reportEscaped(listing[k - 1], mode);
        switch (mode) {
        case 101: out += "<H3>" + line + "</H3>" + detail + "<HR>"; break;
        case 102: out += line + "\\par\r\n" + detail + "\\par\r\n"; break;
        default: out += line + "\r\n" + detail + "\r\n"; break;
        }
    }
    return out;
}

}  // namespace zr
