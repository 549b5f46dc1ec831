#include "eligibility_listing.hpp"

#include <cstdlib>

#include "report_lines.hpp"
#include "text.hpp"

namespace zr {

namespace {

bool isResponse(const std::string& st01) { return wl::prefixMatch(st01, "271"); }

// Last name, the middle initial and ". " when there is one, first name.
std::string eligibilityName(const EligibilityReader& r, std::size_t k, const std::string& who) {
    std::string name = r.itemField(k, who + "LNAME") + " ";
    const std::string mi = r.itemField(k, who + "MI");
    if (!mi.empty()) name += mi + ". ";
    return name + r.itemField(k, who + "FNAME");
}

void addEligibilityLine(std::vector<std::string>& lines, const std::string& label, const std::string& value) {
    if (!value.empty()) lines.push_back(label + value);
}

bool positiveAmount(const std::string& amount) { return std::strtod(amount.c_str(), nullptr) > 0; }

}  // namespace

std::vector<std::string> eligibilityListing(const EligibilityReader& r, const std::string& st01) {
    const std::size_t n = r.itemCount();
    if (n == 0) {
        if (isResponse(st01)) return {"Reject Reason Code Blank ", ""};
        return {"No Requests Detected"};
    }
    std::vector<std::string> lines;
    lines.reserve(n);
    for (std::size_t k = 1; k <= n; ++k) {
        const std::string name = eligibilityName(r, k, "SUB");
        lines.push_back(isResponse(st01) ? fillToColumn(fillToColumn(name, 32), 52) : name);
    }
    return lines;
}

bool eligibilityListsReject(const EligibilityReader& r, const std::string& st01) {
    return r.itemCount() == 0 && isResponse(st01);
}

std::vector<std::string> CTL39412E(const EligibilityReader& r, std::size_t k, const std::string& st01) {
    auto v = [&](const std::string& name) { return r.itemField(k, name); };
    std::vector<std::string> lines;
    if (wl::prefixMatch(st01, "270")) lines.push_back("Request");
    if (isResponse(st01)) lines.push_back("Response");

    if (!v("SUBLNAME").empty() || !v("SUBFNAME").empty()) {
        lines.push_back("Subscriber:");
        lines.push_back("     " + eligibilityName(r, k, "SUB"));
    }
    addEligibilityLine(lines, "     ", v("SUBADDR1"));
    addEligibilityLine(lines, "     ", v("SUBADDR2"));
    const std::string city = v("SUBCITY") + ", " + v("SUBST") + " " + v("SUBZIP");
    if (wl::alltrim(city).size() > 1) lines.push_back("     " + city);

    const std::string qualifier = v("SUBIDQUAL");
    const std::string idLabel = qualifier == "MI" ? "Member Number : " : qualifier == "ZZ" ? "Mutually Defined : " : "ID : ";
    addEligibilityLine(lines, std::string(10, ' ') + idLabel, v("SUBID"));
    if (!v("SUBADDIDCODE").empty()) lines.push_back(std::string(10, ' ') + v("SUBADDIDCODEDESC") + " : " + v("SUBADDID"));
    addEligibilityLine(lines, "          Date of Birth : ", v("SUBDOB"));
    if (v("SUBGENDER") == "M") lines.push_back("          Gender : Male");
    if (v("SUBGENDER") == "F") lines.push_back("          Gender : Female");

    if (!v("DEPLNAME").empty()) {
        lines.push_back("Dependent:");
        lines.push_back("     " + eligibilityName(r, k, "DEP"));
    }
    addEligibilityLine(lines, "     Dependent  :  ", v("DEPID"));

    addEligibilityLine(lines, "Information Receiver  : ", r.fileField("INFORMATIONRECEIVERNAME"));
    if (!r.fileField("INFORMATIONRECEIVERIDCODE").empty())
        lines.push_back("       " + r.fileField("INFORMATIONRECEIVERIDTYPEDESC") + " : " +
                        r.fileField("INFORMATIONRECEIVERIDCODE"));

    addEligibilityLine(lines, "Requested Valid Response Code  : ", v("REQVALRESPONSECODE"));
    addEligibilityLine(lines, "Requested Valid Reject Reason Code  : ", v("REQVALREJECTREASONCODE"));
    addEligibilityLine(lines, "  ", v("REQVALREJECTREASONDESC"));
    addEligibilityLine(lines, "Requested Valid Follow Up Action Code  : ", v("REQVALFOLLOWUPCODE"));

    addEligibilityLine(lines, "Trace Reference ID  : ", v("TRACEREFID"));
    addEligibilityLine(lines, "Trace Original ID  : ", v("TRACEORGID"));
    addEligibilityLine(lines, "Trace Reference ID  : ", v("TRACEREFRENCEID"));

    addEligibilityLine(lines, " Eligibility Benefit Inqury Code  : ", v("INQUIRYCODE"));
    addEligibilityLine(lines, " Eligibility Benefit Inqury Description  : ", v("INQUIRYDESC"));
    addEligibilityLine(lines, " Service Date : ", v("SERVICEDATE"));
    addEligibilityLine(lines, " Issue Date : ", v("ISSUEDATE"));
    addEligibilityLine(lines, " Eligibility Date : ", v("ELIGIBILITYDATE"));
    addEligibilityLine(lines, " Admission Date : ", v("ADMISSIONSERVICEDATE"));

    for (std::size_t n = 1; n <= r.benefitCount(k); ++n) {
        auto b = [&](std::string_view name) { return r.benefitField(k, name, n); };
        addEligibilityLine(lines, "Benefit Eligability Information :", b("BENEFIT"));
        addEligibilityLine(lines, "Coverage Level  : ", b("COVERAGELEVEL"));
        addEligibilityLine(lines, "Service Type  : ", b("SERVICETYPE"));
        addEligibilityLine(lines, "Service Type Code : ", b("SERVICECODE"));
        addEligibilityLine(lines, "Insurance Type  : ", b("INSURANCETYPE"));
        addEligibilityLine(lines, "Plan Description : ", b("DESCRIPTION"));
        addEligibilityLine(lines, "Time Period : ", b("TIMEPERIOD"));
        if (positiveAmount(b("AMOUNT"))) lines.push_back("Monetary Amount : " + b("AMOUNT"));
    }
    return lines;
}

std::optional<std::string> eligibilityDetailOutput(const EligibilityReader& r, std::size_t k, const std::string& st01,
                                                   int mode) {
    if (mode == 103) return "Claim # :" + std::to_string(k);
    if (mode == 104) {
        std::string out;
        for (const std::string& line : CTL39412E(r, k, st01)) out += line + "\r\n";
        return out;
    }
    if (mode < 100 || mode > 102) return std::nullopt;
    return reportLines(CTL39412E(r, k, st01), mode);
}

std::optional<std::string> eligibilityReport(const EligibilityReader& r, const std::string& st01, int mode) {
    if (mode < 100 || mode > 103) return std::nullopt;
    const std::vector<std::string> listing = eligibilityListing(r, st01);
    std::string out;
    for (std::size_t k = 1; k <= listing.size(); ++k) {
        const std::string detail = r.itemCount() == 0 ? "" : *eligibilityDetailOutput(r, k, st01, mode);
        switch (mode) {
        case 101: out += "<B>" + listing[k - 1] + "</B><BR>" + detail; break;
        case 102: out += listing[k - 1] + "\\par\r\n" + detail; break;
        default: out += listing[k - 1] + "\r\n" + detail + (mode == 103 ? "\r\n" : ""); break;
        }
    }
    return out;
}

}  // namespace zr
