#include "remittance_detail.hpp"

#include <array>

#include "elements.hpp"
#include "placeholders.hpp"
#include "report_lines.hpp"
#include "text.hpp"

namespace zr {

namespace {

bool present(const std::string& v) { return !wl::alltrim(v).empty(); }
std::string money(const std::string& v) { return CTL39400AF(v, "$"); }
std::string date(const std::string& v) { return CTL39400AF(v, "D"); }

// One claim's values, read through the getters.
class ClaimReader {
public:
    ClaimReader(const ClaimIndex& index, const SegmentTable& table, std::size_t k, ClaimColumnMode mode)
        : index_(index), table_(table), k_(k), mode_(mode), rows_(remittanceClaimRows(index, table, k, mode)) {}

    std::string claim(const std::string& name) const { return CTL39407AB(1, index_, table_, k_, name, mode_); }
    std::string transaction(const std::string& name) const { return CTL39407AC(1, table_, name); }
    std::string line(const std::string& name, std::size_t s) const {
        return CTL39407AE(1, index_, table_, k_, name + std::to_string(s), mode_);
    }
    std::size_t serviceLines() const {
        std::size_t n = 0;
        for (std::size_t r = rows_.first; r <= rows_.last; ++r) n += table_.id(r) == "SVC";
        return n;
    }
    std::vector<std::string> modifiers(std::size_t s) const {
        std::vector<std::string> out;
        for (const char* m : {"PROCEDUREMODA", "PROCEDUREMODB", "PROCEDUREMODC", "PROCEDUREMODD"}) {
            std::string v = line(m, s);
            if (present(v)) out.push_back(v);
        }
        return out;
    }
    // The patient-responsibility reason codes of line s (CAS02 and CAS05 of
    // its CAS*PR rows, deductible, coinsurance and copay left out) with the
    // amount that follows each.
    std::vector<std::pair<std::string, std::string>> patientCodes(std::size_t s) const {
        std::vector<std::pair<std::string, std::string>> out;
        const RemittanceRows line = serviceLineRows(table_, rows_, s);
        for (std::size_t r = line.first; r <= line.last; ++r) {
            if (table_.id(r) != "CAS" || table_.element(r, 1) != "PR") continue;
            for (int e : {2, 5}) {
                const std::string code = wl::alltrim(table_.element(r, e));
                if (code.empty() || code == "1" || code == "2" || code == "3") continue;
                out.emplace_back(code, std::string(table_.element(r, e + 1)));
            }
        }
        return out;
    }
    std::size_t providerAdjustments() const { return CTL39407O(1, k_, table_, mode_); }

private:
    const ClaimIndex& index_;
    const SegmentTable& table_;
    std::size_t k_;
    ClaimColumnMode mode_;
    RemittanceRows rows_;
};

// Appends label + value when the value is present.
void add(std::vector<std::string>& lines, const std::string& label, const std::string& value) {
    if (present(value)) lines.push_back(label + value);
}

// First name, middle initial and ". ", last name (or last first in the EOB).
std::string personName(const std::string& first, const std::string& middle, const std::string& last) {
    return first + " " + (present(middle) ? middle + ". " : "") + last;
}

void personBlock(std::vector<std::string>& lines, const ClaimReader& c, const std::string& who,
                 const std::string& prefix, bool lastFirst) {
    const std::string first = c.claim(prefix + "FNAME"), middle = c.claim(prefix + "MI"),
                      last = c.claim(prefix + "LNAME");
    if (present(first) || present(last)) {
        lines.push_back(who + ":");
        lines.push_back("     " + (lastFirst ? personName(last, middle, first) : personName(first, middle, last)));
    }
    const std::string id = c.claim(prefix + "ID");
    if (present(id)) lines.push_back("     " + who + " " + c.claim(prefix + "IDQUAL") + " :  " + id);
}

void partyBlock(std::vector<std::string>& lines, const ClaimReader& c, const std::string& label,
                const std::string& prefix) {
    add(lines, label, c.transaction(prefix + "NAME"));
    const std::string indent(9, ' ');
    add(lines, indent, c.transaction(prefix + "ADDRESS1"));
    add(lines, indent, c.transaction(prefix + "ADDRESS2"));
    const std::string city = c.transaction(prefix + "CITY"), state = c.transaction(prefix + "STATE"),
                      zip = c.transaction(prefix + "ZIPCODE");
    if (present(city) || present(state) || present(zip)) lines.push_back(indent + city + ", " + state + " " + zip);
}

void payeeIds(std::vector<std::string>& lines, const ClaimReader& c) {
    const std::string indent(9, ' ');
    if (present(c.transaction("PAYEEID")))
        lines.push_back(indent + c.transaction("PAYEEIDQUAL") + "=" + c.transaction("PAYEEID"));
    if (present(c.transaction("PAYEEADID")))
        lines.push_back(indent + c.transaction("PAYEEADIDQUAL") + "=" + c.transaction("PAYEEADID"));
}

void serviceLineDetail(std::vector<std::string>& lines, const ClaimReader& c, std::size_t s) {
    std::string procedure = "    Procedure = " + c.line("PROCEDURE", s);
    const std::vector<std::string> mods = c.modifiers(s);
    if (present(c.line("PROCEDUREMODB", s))) {
        procedure += "  Modifiers =";
        for (const auto& m : mods) procedure += " " + m;
    } else if (present(c.line("PROCEDUREMODA", s))) {
        procedure += "  Modifier = " + c.line("PROCEDUREMODA", s);
    }
    lines.push_back(procedure);
    add(lines, "      Service Date = ", date(c.line("DATEOFSERVICE", s)));
    add(lines, "      From Service Date = ", date(c.line("SERVICEDATEFROM", s)));
    add(lines, "      To Service Date = ", date(c.line("SERVICEDATETO", s)));
    add(lines, "      Procedure Description = ", c.line("PROCEDUREDESCRIPTION", s));
    add(lines, "      Revenue Code = ", c.line("PROCREVENUECODE", s));
    add(lines, "      Units Paid = ", c.line("PROCUNITSPAID", s));
    add(lines, "      Units = ", c.line("PROCUNITS", s));
    add(lines, "      Prior Authorization = ", c.line("PROCPRIORAUTHNUMBER", s));
    add(lines, "      Provider Control Number = ", c.line("PROCCTLNUMBER", s));
    if (present(c.line("PROCBILLEDAMT", s)))
        lines.push_back("      Billed = " + money(c.line("PROCBILLEDAMT", s)) + "  Allowed = " +
                        money(c.line("PROCALLOWEDAMT", s)) + "  Paid = " + money(c.line("PROCPAYAMT", s)));
    for (const auto& [label, name] : std::array<std::pair<const char*, const char*>, 3>{
             {{"      Deductable = ", "PROCDEDUCTAMT"},
              {"      Coinsurance = ", "PROCCOINSAMT"},
              {"      Copay = ", "PROCCOPAYAMT"}}})
        if (present(c.line(name, s))) lines.push_back(label + money(c.line(name, s)));
    for (const auto& [code, amount] : c.patientCodes(s))
        lines.push_back("  Patient Responsibility Code : " + code + " = " + money(amount));
    if (present(c.line("PROCCOADJAMT", s)))
        lines.push_back("    Contract Obligation = " + money(c.line("PROCCOADJAMT", s)));
    lines.push_back("");
}

void adjustmentBlock(std::vector<std::string>& lines, const ClaimReader& c) {
    add(lines, "Payer Claim Control Number = ", c.claim("PAYERCLAIMCODE"));
    add(lines, "Patient Claim Control Number = ", c.claim("CLAIMPATCTL"));
    if (present(c.claim("CLMADJGRPDESC")))
        lines.push_back("Claim Adjustment Group = (" + c.claim("CLMADJGRPCODE") + ")  " + c.claim("CLMADJGRPDESC"));
    if (present(c.claim("CLMADJCODE"))) {
        lines.push_back("Claim Adjustment Reason Code = " + c.claim("CLMADJCODE"));
        lines = CTL39407AG(c.claim("CLMADJCODE"), std::move(lines));
    }
    if (present(c.claim("CLMREMARKCODE"))) {
        lines.push_back("Claim Adjustment Reason Code = " + c.claim("CLMREMARKCODE"));
        lines = CTL39407AH(c.claim("CLMREMARKCODE"), std::move(lines));
    }
    if (present(c.claim("CLMADJAMT"))) lines.push_back("Claim Adjustment Amount = " + money(c.claim("CLMADJAMT")));
    add(lines, "Claim Coverage Expiration Date = ", date(c.claim("CLAIMDATEEXP")));
    add(lines, "Claim Date Received by Payer = ", date(c.claim("CLAIMDATEREC")));
    add(lines, "Facility Type Code = ", c.claim("FACILITYTYPECODE"));
    add(lines, "Claim Frequency  Code = ", c.claim("CLAIMFREQ"));
    add(lines, "Service Provider Name = ", c.claim("SERVICEPROVIDER"));
    if (present(c.claim("SERVICEPROVIDERID")))
        lines.push_back(c.claim("SERVICEPROVIDERIDQUAL") + " = " + c.claim("SERVICEPROVIDERID"));
    lines.push_back("");
    static const std::array<std::pair<const char*, const char*>, 9> rendering{{
        {"Rendering Provider Blue Cross ID = ", "RENPROVBLUECROSSID"},
        {"Rendering Provider Blue SHIELD ID = ", "RENPROVBULESHIELDDID"},
        {"Rendering Provider Medicare ID = ", "RENPROVMEDICAREID"},
        {"Rendering Provider Medicaid ID = ", "RENPROVMEDICAIDID"},
        {"Rendering Provider UPIN = ", "RENPROVUPINID"},
        {"Rendering Provider CHAMPUS ID = ", "RENPROVCHAMPUSID"},
        {"Rendering Provider Facility ID = ", "RENPROVFACILITYID"},
        {"Rendering Provider NPI = ", "RENPROVNPIID"},
        {"Rendering Provider Tax ID = ", "RENPROVTAXID"},
    }};
    const std::size_t before = lines.size();
    for (const auto& [label, name] : rendering) add(lines, label, c.claim(name));
    if (lines.size() > before) lines.push_back("");
}

void transactionBlock(std::vector<std::string>& lines, const ClaimReader& c) {
    add(lines, "Transaction Handling : ", c.transaction("TRANSHANDCODE"));
    if (present(c.transaction("TRANSTOTALPAYAMT")))
        lines.push_back("Total Actual Provider Payment Amount : " + money(c.transaction("TRANSTOTALPAYAMT")));
    add(lines, "Transaction Type : ", c.transaction("TRANSDC"));
    add(lines, "Transaction Payment Method : ", c.transaction("TRANSPAYMETHOD"));
    add(lines, "Transaction Date : ", date(c.transaction("TRANSDATE")));
    add(lines, "Trace Reference ID : ", c.transaction("TRACEREFID"));
    add(lines, "Trace Originating Company ID : ", c.transaction("TRACEORGID"));
    add(lines, "Originating Company Supplemental Code : ", c.transaction("TRACEREFRENCEID"));
    add(lines, "Receiver ID : ", c.transaction("RECEIVERID"));
    add(lines, "Production Date : ", date(c.transaction("PRODDATE")));
    lines.push_back("");
}

void providerAdjustmentBlock(std::vector<std::string>& lines, const ClaimReader& c) {
    const std::size_t count = c.providerAdjustments();
    const std::size_t before = lines.size();
    if (count > 1) {
        lines.push_back("Provider Adjustment Segments : " + std::to_string(count));
        for (std::size_t i = 1; i <= count; ++i) {
            const std::string n = std::to_string(i);
            lines.push_back("Provider Adjustment Reference ID Segment(" + n +
                            ") : " + c.transaction("PROVADJREFID" + n));
            lines.push_back("Provider Adjustment Period Segment(" + n + ") : " + c.transaction("PROVADJPERIOD" + n));
            for (char slot = 'A'; slot <= 'F'; ++slot) {
                const std::string s(1, slot);
                add(lines, "Provider Adjustment Reason Code Segment(" + n + ") : ",
                    c.transaction("PROVADJREASONCODE" + s + n));
                add(lines, "Provider Adjustment Reason ID Segment(" + n + ") : ",
                    c.transaction("PROVADJREASONID" + s + n));
                add(lines, "Provider Adjustment Amount Segment(" + n + ") : ", c.transaction("PROVADJAMT" + s + n));
            }
        }
    } else {
        add(lines, "Provider Adjustment Reference ID : ", c.transaction("PROVADJREFID"));
        add(lines, "Provider Adjustment Period  : ", c.transaction("PROVADJPERIOD"));
        for (int j = 1; j <= 6; ++j) {
            const std::string n = std::to_string(j);
            add(lines, "Provider Adjustment Reason Code " + n + " : ", c.transaction("PROVADJREASONCODE" + n));
            add(lines, "Provider Adjustment Reason Code ID " + n + " : ", c.transaction("PROVADJREASONID" + n));
            add(lines, "Provider Adjustment Amount " + n + " : ", c.transaction("PROVADJAMT" + n));
        }
    }
    if (lines.size() > before) lines.push_back("");
}

std::vector<std::string> viewBySubject(const ClaimReader& c) {
    std::vector<std::string> lines{""};
    personBlock(lines, c, "Subscriber", "SUB", false);
    personBlock(lines, c, "Patient", "PAT", false);
    lines.push_back("");
    add(lines, "Status : ", c.claim("CLAIMSTATUS"));
    add(lines, "Crossover Carrier : ", c.claim("XOVERCARRIER"));
    if (present(c.claim("FILIND")))
        lines.push_back("Claim Filing Indicator = (" + c.claim("FILIND") + ") " + c.claim("FILINDDESC"));
    if (present(c.claim("CLAIMTOTALCHARGE"))) {
        std::string billed = "Billed Amount = " + money(c.claim("CLAIMTOTALCHARGE"));
        if (present(c.claim("CLAIMTOTALPAID")))
            billed += "             Paid Amount = " + money(c.claim("CLAIMTOTALPAID"));
        lines.push_back(billed);
    }
    if (present(c.claim("PATRESPONSIBLE")))
        lines.push_back("Patient Resposibility = " + money(c.claim("PATRESPONSIBLE")));
    lines.push_back("");
    for (std::size_t s = 1; s <= c.serviceLines(); ++s) serviceLineDetail(lines, c, s);
    adjustmentBlock(lines, c);
    transactionBlock(lines, c);
    providerAdjustmentBlock(lines, c);
    partyBlock(lines, c, "Payer  : ", "PAYER");
    partyBlock(lines, c, "Payee  : ", "PAYEE");
    payeeIds(lines, c);
    return lines;
}

std::vector<std::string> viewByLoop(const ClaimReader& c) {
    std::vector<std::string> lines{""};
    static const std::array<std::pair<const char*, const char*>, 10> header{{
        {"Transaction Handle Code : ", "TRANSHANDCODE"},
        {"Transaction Total Payment Amount : ", "TRANSTOTALPAYAMT"},
        {"Transaction Debit/Credit : ", "TRANSDC"},
        {"Transaction Payment Method  : ", "TRANSPAYMETHOD"},
        {"Transaction Date : ", "TRANSDATE"},
        {"Tracer Reference ID : ", "TRACEREFID"},
        {"Tracer Original ID : ", "TRACEORGID"},
        {" Tracer Reference ID : ", "TRACEREFRENCEID"},
        {"Receiver ID : ", "RECEIVERID"},
        {"Production Date : ", "PRODDATE"},
    }};
    for (const auto& [label, name] : header) add(lines, label, c.transaction(name));
    for (const auto& [loop, who, prefix] : std::array<std::array<const char*, 3>, 2>{
             {{" Loop - 1000A ", "Payer", "PAYER"}, {" Loop - 1000B ", "Payee", "PAYEE"}}}) {
        lines.push_back(loop);
        const std::string p(prefix), w(who);
        add(lines, "  " + w + " Name : ", c.transaction(p + "NAME"));
        add(lines, "  " + w + " Address : ", c.transaction(p + "ADDRESS1"));
        add(lines, "  " + w + " City : ", c.transaction(p + "CITY"));
        add(lines, "  " + w + " State : ", c.transaction(p + "STATE"));
        add(lines, "  " + w + " Zip : ", c.transaction(p + "ZIPCODE"));
    }
    lines.push_back("     Loop - 2100 ");
    add(lines, "      Patient Control Number : ", c.claim("CLAIMPATCTL"));
    return lines;
}

// Appends blanks until the line is n characters long.
void padTo(std::string& line, std::size_t n) { line = fillToColumn(line, n); }
std::string rightIn9(const std::string& amount) { return wl::padLeft(money(amount), 9); }

void eobServiceLine(std::vector<std::string>& lines, const ClaimReader& c, std::size_t s) {
    std::string line;
    if (present(c.line("DATEOFSERVICE", s))) line += date(c.line("DATEOFSERVICE", s));
    padTo(line, 12);
    line += c.line("PROCEDURE", s);
    padTo(line, 18);
    for (const auto& m : c.modifiers(s)) line += m + " ";
    padTo(line, 29);
    if (present(c.line("PROCBILLEDAMT", s))) {
        line += rightIn9(c.line("PROCBILLEDAMT", s));
        padTo(line, 39);
        line += rightIn9(c.line("PROCALLOWEDAMT", s));
    }
    padTo(line, 43);
    for (const char* name :
         {"PROCDEDUCTIONAMT", "PROCPERDAYLIMITAMT", "PROCNETBILLEDAMT", "PROCTAXAMT", "PROCTOTALBEFORETAXESAMT"})
        if (present(c.line(name, s))) line += money(c.line(name, s));
    const std::array<std::pair<const char*, std::size_t>, 5> columns{{{"PROCDEDUCTAMT", 62},
                                                                      {"PROCCOINSAMT", 70},
                                                                      {"PROCCOPAYAMT", 81},
                                                                      {"PROCCOADJAMT", 90},
                                                                      {"PROCPAYAMT", 0}}};
    for (const auto& [name, padAfter] : columns) {
        if (present(c.line(name, s))) line += rightIn9(c.line(name, s));
        if (padAfter) padTo(line, padAfter);
    }
    for (const auto& [code, amount] : c.patientCodes(s)) {
        padTo(line, 100);
        line += rightIn9(amount) + "  Patient Responsibility Code : " + code;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
}

}  // namespace

std::vector<std::string> CTL39407E(const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                                   ClaimColumnMode mode, int view) {
    const ClaimReader c(index, table, k, mode);
    return view == 2 ? viewByLoop(c) : viewBySubject(c);
}

std::vector<std::string> CTL39407Y(const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                                   ClaimColumnMode mode) {
    const ClaimReader c(index, table, k, mode);
    std::vector<std::string> lines{"Explanation of Benefits", "", ""};
    personBlock(lines, c, "Subscriber", "SUB", true);
    personBlock(lines, c, "Patient", "PAT", true);
    auto addSpaced = [&](const std::string& label, const std::string& value) {
        if (!present(value)) return;
        lines.push_back(label + value);
        lines.push_back("");
    };
    addSpaced("Status : ", c.claim("CLAIMSTATUS"));
    addSpaced("Crossover Carrier : ", c.claim("XOVERCARRIER"));
    if (present(c.claim("FILIND")))
        addSpaced("Claim Filing Indicator = (", c.claim("FILIND") + ") " + c.claim("FILINDDESC"));
    addSpaced("Payer Claim Control Number = ", c.claim("PAYERCLAIMCODE"));
    addSpaced("     Claim Statement Period Start = ", date(c.claim("CLAIMMSTATEMENTPERIODSTART")));
    addSpaced("     Claim Statement Period End = ", date(c.claim("CLAIMMSTATEMENTPERIODEND")));
    for (const auto& [label, name] : std::array<std::pair<const char*, const char*>, 3>{
             {{"       Billed Amount = ", "CLAIMTOTALCHARGE"},
              {"       Paid Amount = ", "CLAIMTOTALPAID"},
              {"       Patient Resposibility = ", "PATRESPONSIBLE"}}})
        if (present(c.claim(name))) lines.push_back(label + money(c.claim(name)));
    if (c.serviceLines() > 0) {
        lines.push_back(
            "Serv. Date  Proc  Mods          Billed   Allowed Deductable CoInsurance   CoPay   Adjusted     Paid     "
            "Other");
        lines.push_back("");
        for (std::size_t s = 1; s <= c.serviceLines(); ++s) eobServiceLine(lines, c, s);
    }
    lines.push_back("");
    lines.push_back("");
    if (present(c.transaction("PAYERNAME"))) lines.push_back("");
    partyBlock(lines, c, "Payer  : ", "PAYER");
    if (present(c.transaction("PAYEENAME"))) lines.push_back("");
    partyBlock(lines, c, "Payee  : ", "PAYEE");
    payeeIds(lines, c);
    return lines;
}

RemittanceDetailModel::RemittanceDetailModel(const ClaimIndex& index, const SegmentTable& table, std::size_t k)
    : index_(index), table_(table), k_(k), lines_(CTL39407E(index, table, k, 1, 1)) {}

void RemittanceDetailModel::changeView() {
    view_ = view_ >= 2 ? 1 : view_ + 1;
    mode_ = 2;
    lines_ = CTL39407E(index_, table_, k_, mode_, view_);
}

std::string remittanceDetailReport(const ClaimIndex& index, const SegmentTable& table, std::size_t k, int mode) {
    const std::vector<std::string> lines = CTL39407E(index, table, k, 1, 1);
    const std::string heading = "Claim # :" + std::to_string(k);
    if (mode == 103) {
        // Laid out for the PDF writer, whose steps write nothing here.
        PDFNEWPAGE("LETTER", "PORTRAIT");
        PDFATSAY(heading, 750, 20, "B");
        int y = 730;
        for (const auto& l : lines) {
            if (y < 40) {
                PDFNEWPAGE("LETTER", "PORTRAIT");
                y = 750;
            }
            PDFATSAY(l, y, 20);
            y -= 12;
        }
        return heading;
    }
    return reportLines(lines, mode).value_or("");
}

}  // namespace zr
