#include "remittance_getters.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "elements.hpp"
#include "pieces.hpp"
#include "remittance_codes.hpp"
#include "text.hpp"

namespace zr {

namespace {

// Segment ids and qualifiers are compared whole: "AMT*T" is not "AMT*T2",
// "REF*1" not "REF*1A".
bool rowIs(const SegmentTable& t, std::size_t r, std::string_view id, std::string_view qualifier = {}) {
    if (t.id(r) != id) return false;
    return qualifier.empty() || t.element(r, 1) == qualifier;
}

std::string element(const SegmentTable& t, std::size_t r, int n) { return std::string(t.element(r, n)); }

std::string componentOf(const SegmentTable& t, std::string_view el, int c) {
    const std::string& sep = t.delimiters().component;
    if (sep.empty()) return c == 1 ? std::string(el) : std::string();
    return std::string(wl::pieceAt(el, c - 1, sep[0]));
}

// The first row of the range with that id and qualifier; none when absent.
std::optional<std::size_t> findRow(const SegmentTable& t, RemittanceRows range, std::string_view id,
                                   std::string_view qualifier = {}) {
    for (std::size_t r = range.first; r <= range.last; ++r)
        if (rowIs(t, r, id, qualifier)) return r;
    return std::nullopt;
}

std::string elementOfRow(const SegmentTable& t, std::optional<std::size_t> row, int n) {
    return row ? element(t, *row, n) : std::string();
}

// A name split into its base and the number text it ends in ("2", "1.2.3").
struct SuffixedName {
    std::string base;
    std::string suffix;
};
SuffixedName splitSuffix(const std::string& name) {
    std::size_t end = name.size();
    while (end > 0 && ((name[end - 1] >= '0' && name[end - 1] <= '9') || name[end - 1] == '.')) --end;
    return {name.substr(0, end), name.substr(end)};
}

// The dot-separated numbers of a suffix; a missing one is 0.
std::array<std::size_t, 3> suffixNumbers(const std::string& suffix) {
    std::array<std::size_t, 3> out{0, 0, 0};
    std::size_t i = 0;
    for (int part = 0; part < 3 && i < suffix.size(); ++part) {
        std::size_t end = suffix.find('.', i);
        if (end == std::string::npos) end = suffix.size();
        out[part] = static_cast<std::size_t>(std::strtoull(suffix.substr(i, end - i).c_str(), nullptr, 10));
        i = end + 1;
    }
    return out;
}

double amountOf(std::string_view text) {
    const std::string s = wl::alltrim(text);
    return s.empty() ? 0.0 : std::strtod(s.c_str(), nullptr);
}

// The sum of elements first, first+3, ... of a CAS row (six triplets).
std::string casSum(const SegmentTable& t, std::size_t r, int first) {
    double sum = 0;
    for (int e = first; e <= first + 15; e += 3) sum += amountOf(t.element(r, e));
    return remittanceSumText(sum);
}

// ---- claim fields ----

// The CLP fields by name: the element they read, or a description.
struct ClpField {
    int element;
    int descriptionOf;  // 0: the element itself; else the CLP element whose code is described
};
const std::unordered_map<std::string, ClpField>& clpFields() {
    static const std::unordered_map<std::string, ClpField> fields{
        {"CLAIMPATCTL", {1, 0}},      {"CLAIMSTATUSCODE", {2, 0}}, {"CLAIMSTATUSDESC", {2, 2}},
        {"CLAIMSTATUS", {2, 2}},      {"CLAIMTOTALCHARGE", {3, 0}}, {"CLAIMTOTALPAID", {4, 0}},
        {"PATRESPONSIBLE", {5, 0}},   {"FILIND", {6, 0}},           {"FILINDDESC", {6, 6}},
        {"PAYERCLAIMCODE", {7, 0}},   {"FACILITYTYPECODE", {8, 0}}, {"CLAIMFREQ", {9, 0}},
        {"PATSTATCODE", {10, 0}},     {"DRGCODE", {11, 0}},         {"DRGQTY", {12, 0}},
        {"DISCHGPCT", {13, 0}},
    };
    return fields;
}

std::string clpValue(const SegmentTable& t, std::size_t clp, const ClpField& f) {
    const std::string code = element(t, clp, f.element);
    return f.descriptionOf ? remittanceCodeText(20, f.descriptionOf, code) : code;
}

// The names that take PRIMARY, SECONDARY or TERTIARY before them.
bool takesPayerOrder(const std::string& name) {
    static const std::array<const char*, 13> names{"CLAIMPATCTL",    "CLAIMTOTALCHARGE", "CLAIMTOTALPAID",
                                                   "PATRESPONSIBLE", "FILINDDESC",       "FILIND",
                                                   "PAYERCLAIMCODE", "FACILITYTYPECODE", "CLAIMFREQ",
                                                   "PATSTATCODE",    "DRGCODE",          "DRGQTY",
                                                   "DISCHGPCT"};
    for (const char* n : names)
        if (name == n) return true;
    return false;
}

// The claim-level adjustments: the first run of consecutive CAS rows before
// the claim's first service line.
RemittanceRows claimCasRun(const SegmentTable& t, RemittanceRows claim) {
    for (std::size_t r = claim.first; r <= claim.last; ++r) {
        if (t.id(r) == "SVC") break;
        if (t.id(r) != "CAS") continue;
        std::size_t end = r;
        while (end + 1 <= claim.last && t.id(end + 1) == "CAS") ++end;
        return {r, end};
    }
    return {};
}

std::optional<std::string> claimAdjustmentField(const SegmentTable& t, RemittanceRows claim, const std::string& name) {
    const SuffixedName n = splitSuffix(name);
    if (n.suffix.find('.') != std::string::npos) return std::nullopt;
    static const std::unordered_map<std::string, int> elements{
        {"CLMADJGRPCODE", 1}, {"CLMADJGRPDESC", 1}, {"CLMADJCODE", 2},  {"CLMADJAMT", 3},
        {"CLMADJQTY", 4},     {"XCLMADJAMT", 3},    {"XCLMADJQTY", 4},
    };
    const auto it = elements.find(n.base);
    if (it == elements.end()) return std::nullopt;
    const std::size_t nth = n.suffix.empty() ? 1 : suffixNumbers(n.suffix)[0];
    const RemittanceRows run = claimCasRun(t, claim);
    if (run.empty() || nth < 1 || nth > run.last - run.first + 1) return std::string();
    const std::size_t r = run.first + nth - 1;
    if (n.base[0] == 'X') return casSum(t, r, it->second);
    if (n.base == "CLMADJGRPDESC") return remittanceCodeText(21, 1, t.element(r, 1));
    return element(t, r, it->second);
}

// NM1 fields: qualifier, element, and the code slot when it is a description.
struct NameField {
    const char* qualifier;
    int element;
    int descriptionSlot;  // 0: the element itself
};
const std::unordered_map<std::string, NameField>& nameFields() {
    static const std::unordered_map<std::string, NameField> fields{
        {"XOVERCARRIER", {"TT", 3, 0}},         {"SERVICEPROVIDER", {"82", 3, 0}},
        {"SERVICEPROVIDERID", {"82", 9, 0}},    {"SERVICEPROVIDERIDQUAL", {"82", 8, 24}},
        {"SUBLNAME", {"IL", 3, 0}},             {"SUBFNAME", {"IL", 4, 0}},
        {"SUBMI", {"IL", 5, 0}},                {"SUBIDQUALCODE", {"IL", 8, 0}},
        {"SUBIDQUAL", {"IL", 8, 22}},           {"SUBID", {"IL", 9, 0}},
        {"PATLNAME", {"QC", 3, 0}},             {"PATFNAME", {"QC", 4, 0}},
        {"PATMI", {"QC", 5, 0}},                {"PATIDQUALCODE", {"QC", 8, 0}},
        {"PATIDQUAL", {"QC", 8, 22}},           {"PATID", {"QC", 9, 0}},
    };
    return fields;
}

// Fields read as one element of the first segment with a qualifier.
struct QualifiedField {
    const char* id;
    const char* qualifier;
    int element;
};
const std::unordered_map<std::string, QualifiedField>& qualifiedClaimFields() {
    static const std::unordered_map<std::string, QualifiedField> fields = [] {
        std::unordered_map<std::string, QualifiedField> f{
            {"CLMCODELISTQUALIFIER", {"LQ", "", 1}},
            {"CLMREMARKCODE", {"LQ", "", 2}},
            {"CLAIMDATEEXP", {"DTM", "036", 2}},
            {"CLAIMDATEREC", {"DTM", "050", 2}},
            {"CLAIMMSTATEMENTPERIODSTART", {"DTM", "232", 2}},
            {"CLAIMMSTATEMENTPERIODEND", {"DTM", "233", 2}},
            {"MEDICALRECORDIDNUMBER", {"REF", "EA", 2}},
            {"GROUPPOLICYNUMBER", {"REF", "1L", 2}},
            {"MEMBERIDNUMBER", {"REF", "1W", 2}},
            {"REPRICECLAIMREFNUMBER", {"REF", "9A", 2}},
            {"ADJREPRICECLAIMREFNUMBER", {"REF", "9C", 2}},
            {"EMPLOYEEIDNUMBER", {"REF", "A6", 2}},
            {"AUTHORIZATIONNUMBER", {"REF", "BB", 2}},
            {"CLASSCONTRACTCODE", {"REF", "CE", 2}},
            {"ORIGINALREFNUMBER", {"REF", "F8", 2}},
            {"PRIORAUTHORIZATIONMUMBER", {"REF", "G1", 2}},
            {"BENEFITIDNUMBER", {"REF", "G3", 2}},
            {"INSURANCEPOLICYNUMBER", {"REF", "IG", 2}},
            {"SSN", {"REF", "SY", 2}},
            {"RENPROVBLUECROSSID", {"REF", "1A", 2}},
            {"RENPROVBULESHIELDDID", {"REF", "1B", 2}},
            {"RENPROVMEDICAREID", {"REF", "1C", 2}},
            {"RENPROVMEDICAIDID", {"REF", "1D", 2}},
            {"RENPROVUPINID", {"REF", "1G", 2}},
            {"RENPROVCHAMPUSID", {"REF", "1H", 2}},
            {"RENPROVFACILITYID", {"REF", "1J", 2}},
            {"RENPROVNPIID", {"REF", "HPI", 2}},
            {"RENPROVTAXID", {"REF", "TJ", 2}},
        };
        static const std::array<const char*, 13> amounts{"AU", "D8", "DY", "F5", "I",  "NL", "T2",
                                                         "ZK", "ZL", "ZM", "ZN", "ZO", "ZZ"};
        static const std::array<const char*, 15> quantities{"CA", "CD", "LA", "LE", "NA", "NE", "NR", "OU",
                                                            "PS", "VS", "ZK", "ZL", "ZM", "ZN", "ZO"};
        for (const char* q : amounts) f.emplace(std::string("CLAIMSUPPLEMENTALAMT") + q, QualifiedField{"AMT", q, 2});
        for (const char* q : quantities)
            f.emplace(std::string("CLAIMSUPPLEMENTALQTY") + q, QualifiedField{"QTY", q, 2});
        static const std::array<const char*, 9> moa{"MOAPERCENT", "MOAMOUNTPAYABLE", "MOAREMARK1",
                                                    "MOAREMARK2", "MOAREMARK3",      "MOAREMARK4",
                                                    "MOAREMARK5", "MOAPAYMENT",      "MOANONPAYABLE"};
        for (int i = 0; i < 9; ++i) f.emplace(moa[i], QualifiedField{"MOA", "", i + 1});
        static const std::array<const char*, 23> mia{
            "MIACOVDVC",     "MIAOPOUTAMT",  "MIALIFPSYDAYS",    "MIADRGAMT",       "MIAREMARK1",
            "MIASHAREAMT",   "MIAMSPPASSAMT", "MIAPPSCAPAMT",    "MIAFSPDRGAMT",    "MIAHSPDRGAMT",
            "MIADHSDRGAMT",  "MIAOLDCAPAMT", "MIAIMEAMT",        "MIAOHSDRG",       "MIACOSTRPTDATCNT",
            "MIAOFSDRG",     "MIAPPSCAPOUTAMT", "MIAINDTEACHAMT", "MIANONPAYPROAMT", "MIAREMARK2",
            "MIAREMARK3",    "MIAREMARK4",   "MIACAPEXCPAMT"};
        for (int i = 0; i < 23; ++i) f.emplace(mia[i], QualifiedField{"MIA", "", i + 1});
        return f;
    }();
    return fields;
}

std::string claimField(const SegmentTable& t, RemittanceRows claim, const std::string& name) {
    const std::size_t clp = claim.first;
    if (const auto it = clpFields().find(name); it != clpFields().end()) {
        if (t.id(clp) != "CLP") return "";
        return clpValue(t, clp, it->second);
    }
    static const std::array<std::pair<const char*, char>, 3> orders{
        {{"PRIMARY", '1'}, {"SECONDARY", '2'}, {"TERTIARY", '3'}}};
    for (const auto& [prefix, code] : orders) {
        const std::string p(prefix);
        if (name.compare(0, p.size(), p) != 0) continue;
        const std::string rest = name.substr(p.size());
        if (!takesPayerOrder(rest) || t.id(clp) != "CLP") return "";
        if (t.element(clp, 2).substr(0, 1) != std::string_view(&code, 1)) return "";
        return clpValue(t, clp, clpFields().at(rest));
    }
    if (auto v = claimAdjustmentField(t, claim, name)) return *v;
    if (const auto it = nameFields().find(name); it != nameFields().end()) {
        const auto row = findRow(t, claim, "NM1", it->second.qualifier);
        const std::string v = elementOfRow(t, row, it->second.element);
        return it->second.descriptionSlot ? (row ? remittanceCodeText(it->second.descriptionSlot, 8, v) : "") : v;
    }
    if (const auto it = qualifiedClaimFields().find(name); it != qualifiedClaimFields().end())
        return elementOfRow(t, findRow(t, claim, it->second.id, it->second.qualifier), it->second.element);
    if (name == "MOAMIATYPE") {
        if (findRow(t, claim, "MOA")) return "O";
        return findRow(t, claim, "MIA") ? "I" : "N";
    }
    return "";
}

// ---- transaction fields ----

RemittanceRows fromRow(const SegmentTable& t, std::size_t start) { return {start < 1 ? 1 : start, t.size()}; }

// The rows after a party's N1 that still belong to it: up to the next N1.
RemittanceRows partyRows(const SegmentTable& t, std::size_t n1) {
    std::size_t end = n1;
    while (end + 1 <= t.size() && t.id(end + 1) != "N1" && t.id(end + 1) != "LX" && t.id(end + 1) != "CLP") ++end;
    return {n1 + 1, end};
}

std::optional<std::string> partyField(const SegmentTable& t, RemittanceRows all, const std::string& name) {
    const bool payer = name.compare(0, 5, "PAYER") == 0;
    const bool payee = name.compare(0, 5, "PAYEE") == 0;
    if (!payer && !payee) return std::nullopt;
    const std::string field = name.substr(5);
    const auto n1 = findRow(t, all, "N1", payer ? "PR" : "PE");
    static const std::unordered_map<std::string, std::pair<const char*, int>> address{
        {"ADDRESS1", {"N3", 1}}, {"ADDRESS2", {"N3", 2}}, {"CITY", {"N4", 1}},
        {"STATE", {"N4", 2}},    {"ZIPCODE", {"N4", 3}}};
    if (field == "NAME") return elementOfRow(t, n1, 2);
    if (const auto it = address.find(field); it != address.end())
        return n1 ? elementOfRow(t, findRow(t, partyRows(t, *n1), it->second.first), it->second.second) : "";
    if (payer) return std::nullopt;
    if (field == "IDQUAL") return n1 ? remittanceCodeText(13, 3, t.element(*n1, 3)) : "";
    if (field == "ID") return elementOfRow(t, n1, 4);
    if (field == "ADIDQUAL" || field == "ADID") {
        const auto ref = n1 ? findRow(t, partyRows(t, *n1), "REF") : std::nullopt;
        if (!ref) return std::string();
        return field == "ADID" ? element(t, *ref, 2) : remittanceCodeText(16, 1, t.element(*ref, 1));
    }
    return std::nullopt;
}

// The n-th PLB row from the start on.
std::optional<std::size_t> nthRow(const SegmentTable& t, RemittanceRows range, std::string_view id, std::size_t n) {
    for (std::size_t r = range.first; r <= range.last && n > 0; ++r)
        if (t.id(r) == id && --n == 0) return r;
    return std::nullopt;
}

std::optional<std::string> providerAdjustmentField(const SegmentTable& t, RemittanceRows all, const std::string& name) {
    if (name.compare(0, 7, "PROVADJ") != 0) return std::nullopt;
    const SuffixedName n = splitSuffix(name);
    if (n.suffix.find('.') != std::string::npos) return std::nullopt;
    const std::size_t number = n.suffix.empty() ? 0 : suffixNumbers(n.suffix)[0];
    if (n.base == "PROVADJREFID" || n.base == "PROVADJPERIOD")
        return elementOfRow(t, nthRow(t, all, "PLB", number ? number : 1), n.base == "PROVADJREFID" ? 1 : 2);
    // Slot fields: PROVADJAMT3 (slot 3 of the first PLB) or PROVADJAMTC2
    // (slot C of the second).
    static const std::array<std::string_view, 3> bases{"PROVADJREASONCODE", "PROVADJREASONID", "PROVADJAMT"};
    for (std::size_t b = 0; b < bases.size(); ++b) {
        std::string_view base = n.base;
        std::size_t slot = 0, plb = 1;
        if (base == bases[b]) {
            slot = number;
        } else if (base.size() == bases[b].size() + 1 && base.substr(0, bases[b].size()) == bases[b] &&
                   base.back() >= 'A' && base.back() <= 'F') {
            slot = static_cast<std::size_t>(base.back() - 'A' + 1);
            plb = number ? number : 1;
        } else {
            continue;
        }
        if (slot < 1 || slot > 6) return std::string();
        const auto row = nthRow(t, all, "PLB", plb);
        if (!row) return std::string();
        const int e = static_cast<int>(2 * slot + 1);
        if (b == 2) return element(t, *row, e + 1);
        return componentOf(t, t.element(*row, e), b == 0 ? 1 : 2);
    }
    return std::nullopt;
}

std::string transactionField(const SegmentTable& t, std::size_t start, const std::string& name) {
    const RemittanceRows all = fromRow(t, start);
    static const std::unordered_map<std::string, QualifiedField> plain{
        {"SETCONTROLNUMBER", {"ST", "", 2}}, {"TRANSTOTALPAYAMT", {"BPR", "", 2}}, {"TRANSDATE", {"BPR", "", 16}},
        {"TRACEREFID", {"TRN", "", 2}},      {"TRACEORGID", {"TRN", "", 3}},       {"TRACEREFRENCEID", {"TRN", "", 4}},
        {"RECEIVERID", {"REF", "EV", 2}},    {"PRODDATE", {"DTM", "405", 2}},
    };
    if (const auto it = plain.find(name); it != plain.end())
        return elementOfRow(t, findRow(t, all, it->second.id, it->second.qualifier), it->second.element);
    static const std::unordered_map<std::string, std::pair<int, int>> described{
        {"TRANSHANDCODE", {1, 1}}, {"TRANSDC", {3, 4}}, {"TRANSPAYMETHOD", {4, 5}}};
    if (const auto it = described.find(name); it != described.end()) {
        const auto bpr = findRow(t, all, "BPR");
        return bpr ? remittanceCodeText(2, it->second.second, t.element(*bpr, it->second.first)) : "";
    }
    if (auto v = partyField(t, all, name)) return *v;
    if (auto v = providerAdjustmentField(t, all, name)) return *v;
    return "";
}

// ---- service-line fields ----

// The CAS*PR amount of a patient-responsibility reason code on the line.
std::string patientResponsibilityAmount(const SegmentTable& t, RemittanceRows line, std::string_view code) {
    for (std::size_t r = line.first; r <= line.last; ++r) {
        if (!rowIs(t, r, "CAS", "PR")) continue;
        if (t.element(r, 2) == code) return element(t, r, 3);
        if (t.element(r, 5) == code) return element(t, r, 6);
    }
    return "";
}

std::string serviceLineField(const SegmentTable& t, RemittanceRows claim, const std::string& base,
                             const std::array<std::size_t, 3>& numbers) {
    const RemittanceRows line = serviceLineRows(t, claim, numbers[0]);
    if (line.empty()) return "";
    const std::size_t svc = line.first;
    static const std::unordered_map<std::string, int> svcElements{
        {"PROCBILLEDAMT", 2}, {"PROCPAYAMT", 3}, {"PROCREVENUECODE", 4}, {"PROCUNITSPAID", 5}, {"PROCUNITS", 7}};
    if (const auto it = svcElements.find(base); it != svcElements.end()) return element(t, svc, it->second);
    static const std::unordered_map<std::string, int> svcComponents{
        {"PROCEDURECODE", 2}, {"PROCEDURE", 2},     {"PROCEDUREMODA", 3},        {"PROCEDUREMODB", 4},
        {"PROCEDUREMODC", 5}, {"PROCEDUREMODD", 6}, {"PROCEDUREDESCRIPTION", 7}};
    if (const auto it = svcComponents.find(base); it != svcComponents.end())
        return componentOf(t, t.element(svc, 1), it->second);
    static const std::unordered_map<std::string, QualifiedField> qualified{
        {"PROCALLOWEDAMT", {"AMT", "B6", 2}},     {"PROCPERDAYLIMITAMT", {"AMT", "DY", 2}},
        {"PROCDEDUCTIONAMT", {"AMT", "KH", 2}},   {"PROCNETBILLEDAMT", {"AMT", "NE", 2}},
        {"PROCTAXAMT", {"AMT", "T", 2}},          {"PROCTOTALBEFORETAXESAMT", {"AMT", "T2", 2}},
        {"DATEOFSERVICE", {"DTM", "472", 2}},     {"SERVICEDATEFROM", {"DTM", "150", 2}},
        {"SERVICEDATETO", {"DTM", "151", 2}},     {"PROCPRIORAUTHNUMBER", {"REF", "G1", 2}},
        {"PROCCTLNUMBER", {"REF", "6R", 2}},      {"PROCCODELISTQUALIFIER", {"LQ", "", 1}},
        {"PROCREMARKCODE", {"LQ", "", 2}},        {"PROCCOADJAMT", {"CAS", "CO", 3}},
    };
    if (const auto it = qualified.find(base); it != qualified.end())
        return elementOfRow(t, findRow(t, line, it->second.id, it->second.qualifier), it->second.element);
    if (base == "PROCDEDUCTAMT") return patientResponsibilityAmount(t, line, "1");
    if (base == "PROCCOINSAMT") return patientResponsibilityAmount(t, line, "2");
    if (base == "PROCCOPAYAMT") return patientResponsibilityAmount(t, line, "3");
    if (base == "PROCADJGRPCODE" || base == "PROCADJCODE" || base == "PROCADJAMT" || base == "PROCADJQTY" ||
        base == "XPROCADJAMT" || base == "XPROCADJQTY" || base == "CLMADJCODE") {
        const auto cas = nthRow(t, line, "CAS", numbers[1] ? numbers[1] : 1);
        if (!cas) return "";
        if (base == "XPROCADJAMT") return casSum(t, *cas, 3);
        if (base == "XPROCADJQTY") return casSum(t, *cas, 4);
        if (base == "PROCADJGRPCODE") return element(t, *cas, 1);
        const int triplet = static_cast<int>(numbers[2] ? numbers[2] : 1);
        const int e = base == "PROCADJAMT" ? 3 * triplet : base == "PROCADJQTY" ? 3 * triplet + 1 : 3 * triplet - 1;
        return element(t, *cas, e);
    }
    return "";
}

ClaimColumnMode firstNumberedColumn(const SegmentTable& t, std::size_t row) {
    const auto& c = t.claim(row);
    if (c.inFile) return 1;
    if (c.inSet) return 2;
    return 3;
}

}  // namespace

std::uint32_t claimNumberOf(const SegmentTable& table, std::size_t row, ClaimColumnMode mode) {
    const auto& c = table.claim(row);
    switch (mode) {
        case 1: return c.inFile;
        case 2: return c.inSet;
        case 3: return c.inInterchange;
        default: return 0;
    }
}

RemittanceRows remittanceClaimRows(const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                             ClaimColumnMode mode) {
    if (k < 1 || k > index.size()) return {};
    const std::size_t first = index[k - 1];
    if (first < 1 || first > table.size() || claimNumberOf(table, first, mode) != k) return {};
    std::size_t last = first;
    while (last + 1 <= table.size() && claimNumberOf(table, last + 1, mode) == k) ++last;
    return {first, last};
}

RemittanceRows serviceLineRows(const SegmentTable& table, RemittanceRows claim, std::size_t s) {
    if (s < 1) return {};
    const auto svc = nthRow(table, claim, "SVC", s);
    if (!svc) return {};
    std::size_t last = *svc;
    while (last + 1 <= claim.last && table.id(last + 1) != "SVC") ++last;
    return {*svc, last};
}

std::string CTL39407AB(std::size_t, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name, ClaimColumnMode mode) {
    const RemittanceRows claim = remittanceClaimRows(index, table, k, mode);
    if (claim.empty()) return "";
    return claimField(table, claim, name);
}

std::string CTL39407AC(std::size_t startRow, const SegmentTable& table, const std::string& name) {
    if (table.size() == 0) return "";
    return transactionField(table, startRow, name);
}

std::string CTL39407AE(std::size_t, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name, ClaimColumnMode mode) {
    const SuffixedName n = splitSuffix(name);
    if (n.suffix.empty() || n.base == "CLMADJCODE") return "";
    const RemittanceRows claim = remittanceClaimRows(index, table, k, mode);
    if (claim.empty()) return "";
    return serviceLineField(table, claim, n.base, suffixNumbers(n.suffix));
}

std::string CTL39407AL(std::size_t, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name) {
    static const std::array<std::string_view, 14> known{
        "CLMADJCODE",    "PROCREVENUECODE", "PROCEDUREMODA",       "PROCEDUREMODB",  "PROCEDUREMODC",
        "PROCEDUREMODD", "PROCEDURE",       "DATEOFSERVICE",       "SERVICEDATEFROM", "SERVICEDATETO",
        "PROCPRIORAUTHNUMBER", "PROCCTLNUMBER", "PROCADJGRPCODE", "PROCADJCODE"};
    bool isKnown = false;
    for (auto n : known) isKnown = isKnown || n == name;
    if (!isKnown || k < 1 || k > index.size() || index[k - 1] < 1 || index[k - 1] > table.size()) return "";
    const RemittanceRows claim = remittanceClaimRows(index, table, k, firstNumberedColumn(table, index[k - 1]));
    if (claim.empty()) return "";
    for (std::size_t s = 1; s <= 1000; ++s) {
        if (serviceLineRows(table, claim, s).empty()) break;
        std::string v = serviceLineField(table, claim, name, {s, 0, 0});
        if (!v.empty()) return v;
    }
    return "";
}

bool CTL39407AO(const std::string& name) {
    static const std::array<std::string_view, 14> names{
        "ICLAIMPATCTLSEQSERVLINE", "PROCCTLNUMBER",   "PROCREVENUECODE", "PROCEDUREMODA",   "PROCEDUREMODB",
        "PROCEDUREMODC",           "PROCEDUREMODD",   "PROCEDURECODE",   "DATEOFSERVICE",   "SERVICEDATEFROM",
        "SERVICEDATETO",           "PROCPRIORAUTHNUMBER", "PROCADJGRPCODE", "PROCADJCODE"};
    for (auto n : names)
        if (n == name) return true;
    return false;
}

std::size_t CTL39407AA(std::size_t startRow, const std::string& id, const SegmentTable& table) {
    std::size_t count = 0;
    for (std::size_t r = startRow < 1 ? 1 : startRow; r + 1 <= table.size(); ++r)
        if (wl::prefixMatch(table.id(r), id)) ++count;
    return count;
}

namespace {
std::size_t countClaimRows(std::size_t startRow, std::size_t k, const SegmentTable& table, ClaimColumnMode mode,
                           std::string_view id) {
    std::size_t count = 0;
    for (std::size_t r = startRow < 1 ? 1 : startRow; r + 1 <= table.size(); ++r)
        if (table.id(r) == id && claimNumberOf(table, r, mode) == k) ++count;
    return count;
}
}  // namespace

std::size_t CTL39407A(std::size_t startRow, std::size_t k, const SegmentTable& table, ClaimColumnMode mode) {
    return countClaimRows(startRow, k, table, mode, "SVC");
}

std::size_t CTL39407O(std::size_t startRow, std::size_t k, const SegmentTable& table, ClaimColumnMode mode) {
    return countClaimRows(startRow, k, table, mode, "PLB");
}

std::string CTL39407D(std::size_t startRow, int n, std::size_t s, std::size_t k, const SegmentTable& table,
                      ClaimColumnMode mode) {
    RemittanceRows claim;
    for (std::size_t r = startRow < 1 ? 1 : startRow; r <= table.size(); ++r) {
        if (claimNumberOf(table, r, mode) != k) continue;
        claim.first = r;
        claim.last = r;
        while (claim.last + 1 <= table.size() && claimNumberOf(table, claim.last + 1, mode) == k) ++claim.last;
        break;
    }
    const RemittanceRows line = serviceLineRows(table, claim, s);
    if (line.empty()) return n == 0 ? "0" : "";
    const std::string_view svc01 = table.element(line.first, 1);
    if (n == 0) {
        const std::string& sep = table.delimiters().component;
        std::size_t separators = 0;
        for (char c : svc01) separators += !sep.empty() && c == sep[0];
        return std::to_string(separators > 0 ? separators - 1 : 0);
    }
    return componentOf(table, svc01, n + 2);
}

std::string CTL39407AJ(std::size_t startRow, const ClaimIndex& index, const SegmentTable& table, std::size_t k,
                       const std::string& name, ClaimColumnMode mode) {
    // PROCFED1CAT..PROCFED5CAT: the digit is part of the name, the line
    // number follows it.
    if (name.rfind("PROCFED", 0) == 0 && name.size() > 11 && name.compare(8, 3, "CAT") == 0) {
        const char which = name[7];
        if (which < '1' || which > '5') return "";
        const std::size_t s = static_cast<std::size_t>(std::strtoull(name.substr(11).c_str(), nullptr, 10));
        const RemittanceRows line = serviceLineRows(table, remittanceClaimRows(index, table, k, mode), s);
        static const std::array<const char*, 5> qualifiers{"ZK", "ZL", "ZM", "ZN", "ZO"};
        return line.empty() ? "" : elementOfRow(table, findRow(table, line, "AMT", qualifiers[which - '1']), 2);
    }
    return CTL39407AE(startRow, index, table, k, name, mode);
}

std::string CTL39407B(const ClaimIndex& index, const SegmentTable& table, std::size_t k, std::size_t s, int n,
                      ClaimColumnMode mode) {
    const RemittanceRows line = serviceLineRows(table, remittanceClaimRows(index, table, k, mode), s);
    return line.empty() ? "" : componentOf(table, table.element(line.first, 1), n);
}

int CTL39407F(std::string_view text, std::string_view separator) { return CTL39400F(text, separator); }

std::uint64_t CTL39407AD(const SegmentTable& table, std::size_t k) {
    const std::size_t row = CTL39407AQ(table, "CLP", k);
    return row ? table.filePosition(row).value_or(0) : 0;
}

std::size_t CTL39407AQ(const SegmentTable& table, const std::string& id, std::size_t n) {
    return nthRow(table, {1, table.size()}, id, n).value_or(0);
}

std::string_view CTL39407G(std::string_view text, int piece, std::string_view separator) {
    return CTL39400AX(text, piece, separator);
}

void appendDescriptionLines(const std::string& label, const std::string& text, std::vector<std::string>& lines) {
    if (text.size() <= 30) {
        lines.push_back(label + text);
        return;
    }
    const std::string indent(21, ' ');
    bool first = true;
    std::string piece;
    auto put = [&] {
        lines.push_back((first ? label : indent) + piece);
        first = false;
        piece.clear();
    };
    for (char c : text) {
        if (c == ' ' && piece.size() > 28) {
            put();
            continue;
        }
        piece += c;
    }
    if (!piece.empty()) put();
}

std::vector<std::string> CTL39407AG(const std::string& code, std::vector<std::string> lines) {
    appendDescriptionLines("Reason Description = ", adjustmentReasonText(wl::alltrim(code)), lines);
    return lines;
}

std::vector<std::string> CTL39407AH(const std::string& code, std::vector<std::string> lines) {
    appendDescriptionLines("Remark Description = ", remittanceRemarkText(wl::alltrim(code)), lines);
    return lines;
}

std::string remittanceSumText(double sum) {
    if (sum == 0) return "";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", sum);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

}  // namespace zr
