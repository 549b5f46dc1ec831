#include "claim_form.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "decimal_amount.hpp"
#include "revenue_codes.hpp"
#include "tagged_text.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The claim's value of a name: claim-level names through the sub-claim,
// header and group names through the claim.
class FormValues {
public:
    FormValues(const ClaimFields& fields, long long k, int j) : f_(fields), k_(k), j_(j) {}
    std::string operator()(std::string_view name) const {
        const int group = f_.groupOf(name);
        const bool claimLevel = group >= 201 && group <= 246 && !(group >= 239 && group <= 244);
        return claimLevel ? f_.claim(j_, k_, name) : f_.header(k_, name);
    }
    std::string line(std::string_view name, std::size_t n) const { return (*this)(std::string(name) + std::to_string(n)); }

private:
    const ClaimFields& f_;
    long long k_;
    int j_;
};

// Places a value at a column: blanks up to it, or straight after a row
// already that long, so nothing is overwritten.
void place(std::string& row, std::size_t column, const std::string& value) {
    if (row.size() < column) row.resize(column, ' ');
    row += value;
}

std::string cut(const std::string& s, std::size_t n) { return s.substr(0, std::min(n, s.size())); }

bool startsUpper(const std::string& value, std::string_view prefix) { return wl::prefixMatch(wl::upper(value), prefix); }

std::string personName(const FormValues& v, const std::string& prefix) {
    std::string name = v(prefix + "LNAME") + ", " + v(prefix + "FNAME");
    const std::string mi = v(prefix + "MI");
    if (!mi.empty()) name += " " + mi + ".";
    return name;
}

// CCYYMMDD as month, day and two-digit year separated by blanks.
std::string birthDate(const std::string& ccyymmdd) {
    if (ccyymmdd.size() < 8) return ccyymmdd;
    return ccyymmdd.substr(4, 2) + " " + ccyymmdd.substr(6, 2) + " " + ccyymmdd.substr(2, 2);
}

void sexMark(std::string& row, const std::string& sex, const Cms1500Layout& layout) {
    if (startsUpper(sex, "M"))
        place(row, layout.maleColumn, "X");
    else if (startsUpper(sex, "F"))
        place(row, layout.femaleColumn, "X");
}

std::size_t relationColumn(const std::string& relation) {
    if (startsUpper(relation, "SELF")) return 32;
    if (startsUpper(relation, "SPOUSE")) return 35;
    if (startsUpper(relation, "CHILD")) return 38;
    return 41;
}

// One side's address rows (11, 13, 15) for the person of the prefix.
void addressRows(FormRows& rows, const FormValues& v, const std::string& prefix, std::size_t at) {
    place(rows[10], at, v(prefix + "ADDR1"));
    place(rows[12], at, v(prefix + "CITY"));
    place(rows[12], at + 25, v(prefix + "ST"));
    place(rows[14], at, v(prefix + "ZIP"));
}

void payerRows(FormRows& rows, const FormValues& v) {
    place(rows[0], 35, v("PAYERNAME"));
    place(rows[1], 35, v("PAYERADDR1"));
    const std::string cityLine = v("PAYERCITY") + ", " + v("PAYERSTATE") + " " + v("PAYERZIP");
    const std::string addr2 = v("PAYERADDR2");
    if (!addr2.empty()) {
        place(rows[2], 35, addr2);
        place(rows[3], 35, cityLine);
    } else {
        place(rows[2], 35, cityLine);
    }
}

void insuranceRow(FormRows& rows, const FormValues& v) {
    const std::string type = wl::upper(v("SUBCLMTYPECODE"));
    std::size_t column = 30;
    if (wl::prefixMatch(type, "MB")) column = 0;
    else if (wl::prefixMatch(type, "MC")) column = 7;
    else if (wl::prefixMatch(type, "CH")) column = 14;
    else if (wl::prefixMatch(type, "VA")) column = 23;
    place(rows[6], column, "X");
    place(rows[6], 50, v("SUBID"));
}

// Rows 9 to 15: the patient and the insured, by the three cases.
void personRows(FormRows& rows, const FormValues& v, const Cms1500Layout& layout) {
    std::string relation = v("PATREL");
    if (relation.empty()) relation = v("SUBREL");
    if (startsUpper(v("SUBCLMTYPECODE"), "MB")) {
        place(rows[8], 0, personName(v, "SUB"));
        place(rows[8], 30, birthDate(v("SUBDOB")));
        sexMark(rows[8], v("PATSEX"), layout);
        place(rows[8], 50, "SAME");
        place(rows[10], 0, v("SUBADDR1"));
        place(rows[10], 30, "X");
        place(rows[12], 0, v("SUBCITY"));
        place(rows[12], 25, v("SUBST"));
        place(rows[14], 0, v("SUBZIP"));
        return;
    }
    const bool self = startsUpper(relation, "SELF");
    const bool patientGiven = !v("PATLNAME").empty();
    const std::string left = (self && !patientGiven) ? "SUB" : "PAT";
    place(rows[8], 0, personName(v, left));
    place(rows[8], 30, birthDate(v(left + "DOB")));
    sexMark(rows[8], v(self ? "SUBSEX" : "PATSEX"), layout);
    place(rows[8], 50, personName(v, "SUB"));
    // Row 11: the left address, the relationship mark, then the right one.
    place(rows[10], 0, v(left + "ADDR1"));
    place(rows[10], relationColumn(relation), "X");
    place(rows[10], 50, v("SUBADDR1"));
    place(rows[12], 0, v(left + "CITY"));
    place(rows[12], 25, v(left + "ST"));
    place(rows[12], 50, v("SUBCITY"));
    place(rows[12], 75, v("SUBST"));
    place(rows[14], 0, v(left + "ZIP"));
    place(rows[14], 50, v("SUBZIP"));
}

void causeAndReferralRows(FormRows& rows, const FormValues& v) {
    const std::string cause = wl::upper(v("RELATEDCAUSECODE"));
    if (wl::prefixMatch(cause, "AA")) place(rows[18], 35, "X");
    if (wl::prefixMatch(cause, "EM")) place(rows[20], 35, "X");
    if (wl::prefixMatch(cause, "OA")) place(rows[22], 35, "X");
    place(rows[32], 0, v("REFFNAME") + " " + v("REFLNAME"));
    place(rows[32], 32, v("REFID"));
    place(rows[36], 3, v("DX1"));
    place(rows[36], 15, v("DX2"));
    place(rows[36], 29, v("DX3"));
    place(rows[36], 42, v("DX4"));
}

void serviceLineRow(std::string& row, const FormValues& v, std::size_t n) {
    place(row, 0, v.line("MM_DD_YY_DOSF", n));
    place(row, 10, v.line("MM_DD_YY_DOST", n));
    place(row, 19, v.line("POSCODE", n));
    place(row, 25, v.line("PROC", n));
    place(row, 32, v.line("MODA", n));
    place(row, 35, v.line("MODB", n));
    place(row, 38, v.line("MODC", n));
    place(row, 45, CTL394PRTU(v.line("DXLINK", n)));
    place(row, 49, v.line("AMT", n));
    place(row, 59, v.line("UNITS", n));
}

const std::string kBillingProvider = "HIERARCHIALCLAIMBILLINGPROVIDER";

// The claim's tax id: EMPLOYERIDNUM, else the billing provider's first
// secondary identifier when it is an "EI".
std::string claimTaxId(const FormValues& v) {
    const std::string& bp = kBillingProvider;
    std::string taxId = v("EMPLOYERIDNUM");
    if (taxId.empty() && v(bp + "SECONDARYIDCODE") == "EI") taxId = v(bp + "SECONDARYID");
    return taxId;
}

void providerRows(FormRows& rows, const FormValues& v, const Cms1500Layout& layout) {
    const std::string& bp = kBillingProvider;
    place(rows[54], 1, layout.taxIdFromBillingId ? v(bp + "ID") : claimTaxId(v));
    place(rows[54], 18, "X");
    place(rows[54], 24, v("CLAIMID"));
    const std::string assign = v("PROVACCEPTASSIGNMENTCODE");
    if (wl::prefixMatch(assign, "Assigned")) place(rows[54], 38, "X");
    else if (wl::prefixMatch(assign, "Not Assigned")) place(rows[54], 45, "X");
    place(rows[54], 53, v("CLAIMAMT"));

    std::string facility = v("FACILITYNAME");
    if (facility.empty()) facility = v("SERVICELOCATIONNAME");
    place(rows[56], 23, cut(facility, 26));
    place(rows[56], 50, cut(wl::alltrim(v(bp + "NAME")), 29));
    place(rows[57], 23, v("FACILITYADDR1"));
    place(rows[57], 50, cut(v(bp + "ADDR1"), 29));
    place(rows[58], 1, cut(v("RENFNAME") + " " + v("RENLNAME"), 26));
    // City, state and zip apart, as on the billing side (joined they ran
    // together into one word).
    const std::string facilityCity = v("FACILITYCITY");
    if (!facilityCity.empty() || !v("FACILITYZIP").empty())
        place(rows[58], 23, facilityCity + " " + v("FACILITYST") + " " + v("FACILITYZIP"));
    place(rows[58], 50, cut(v(bp + "CITY"), 21) + " " + v(bp + "ST") + " " + v(bp + "ZIP"));
    if (wl::prefixMatch(v(bp + "IDTYPE"), "National Provider ID")) place(rows[59], 50, v(bp + "ID"));
    place(rows[59], 63, v(bp + "SECONDARYIDCODE") + v(bp + "SECONDARYID"));
}

char option(std::string_view options, std::size_t position) {
    return position >= 1 && position <= options.size() ? options[position - 1] : 'A';
}

}  // namespace

std::string formConfigText(const FormConfig& c) {
    return ZQK_0001B(c.art, "ARTSWITCH") + ZQK_0001B(c.revision, "FORMREVISION") +
           ZQK_0001B(wl::padLeft(std::to_string(c.vertical), 3), "VERTICAL") +
           ZQK_0001B(wl::padLeft(std::to_string(c.horizontal), 3), "HORIZONTAL");
}

std::string formConfigPath(const std::string& folder) {
    if (folder.empty()) return "form.cfg";
    const char last = folder.back();
    if (last == '\\' || last == '/') return folder + "form.cfg";
    return folder + (folder.find('\\') != std::string::npos ? "\\" : "/") + "form.cfg";
}

FormConfig readFormConfig(const std::string& folder, const std::string& defaultRevision) {
    FormConfig c;
    c.revision = defaultRevision;
    std::ifstream in(formConfigPath(folder), std::ios::binary);
    if (!in) return c;
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    c.art = ZQK_0001A(text, "ARTSWITCH");
    c.revision = ZQK_0001A(text, "FORMREVISION");
    // A value that is not a number moves nothing.
    auto number = [](const std::string& s) {
        try {
            return std::stoi(wl::alltrim(s));
        } catch (...) {
            return 0;
        }
    };
    c.vertical = number(ZQK_0001A(text, "VERTICAL"));
    c.horizontal = number(ZQK_0001A(text, "HORIZONTAL"));
    return c;
}

std::string CTL394PRTL(const std::string& fileName, int vertical, int horizontal, const std::string& art,
                       const std::string& revision) {
    const std::string text = formConfigText({art, revision, vertical, horizontal});
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return out ? text : std::string();
}

std::string CTL394PRTU(std::string_view pointer) {
    const std::string p = wl::alltrim(pointer);
    for (int n = 1; n <= 12; ++n)
        if (p == std::to_string(n)) return std::string(1, static_cast<char>('A' + n - 1));
    return "";
}

std::size_t formServiceLines(const ClaimFields& fields, long long k, int j) {
    const FormValues v(fields, k, j);
    std::size_t n = 0;
    // The file format allows 50 lines a claim; a longer one is read whole.
    while (n < 999 && !v.line("PROC", n + 1).empty()) ++n;
    return n;
}

std::vector<FormRows> cms1500Forms(const ClaimFields& fields, long long k, int j, const Cms1500Layout& layout) {
    const FormValues v(fields, k, j);
    FormRows page{};
    payerRows(page, v);
    insuranceRow(page, v);
    personRows(page, v, layout);
    causeAndReferralRows(page, v);
    providerRows(page, v, layout);
    const std::size_t lines = formServiceLines(fields, k, j);
    const std::size_t count = std::max<std::size_t>(1, (lines + 5) / 6);
    std::vector<FormRows> forms;
    for (std::size_t f = 1; f <= count; ++f) {
        FormRows form = page;
        for (std::size_t i = 0; i < 6; ++i) {
            const std::size_t n = 6 * (f - 1) + i + 1;
            if (n <= lines) serviceLineRow(form[42 + 2 * i], v, n);
        }
        forms.push_back(std::move(form));
    }
    return forms;
}

namespace {

// The forms of claims first..last, each CLM of each claim in turn.
template <class FormsOf>
std::vector<FormRows> formsOfRange(const ClaimFields& fields, long long first, long long last, FormsOf formsOf) {
    std::vector<FormRows> forms;
    for (long long k = first; k <= last; ++k) {
        const std::size_t clms = fields.clmCount(k);
        for (std::size_t j = 1; j <= clms; ++j) {
            std::vector<FormRows> more = formsOf(k, static_cast<int>(j));
            forms.insert(forms.end(), more.begin(), more.end());
        }
    }
    return forms;
}

std::string cityLine(const FormValues& v, const std::string& prefix) {
    const std::string city = v(prefix + "CITY");
    if (city.empty()) return "";
    return city + ", " + v(prefix + "ST") + " " + v(prefix + "ZIP");
}

// Rows 1 to 3: the billing provider at column 1, the pay-to provider at 25.
void ubProviderRows(FormRows& rows, const FormValues& v) {
    const std::pair<std::string, std::size_t> sides[] = {{kBillingProvider, 1},
                                                         {"HIERARCHIALCLAIMPAYTOPROVIDER", 25}};
    for (const auto& [prefix, column] : sides) {
        // The billing side is cut so that the pay-to side keeps its column.
        const std::size_t width = column == 1 ? 23 : 26;
        place(rows[0], column, cut(wl::alltrim(v(prefix + "NAME")), width));
        place(rows[1], column, cut(v(prefix + "ADDR1"), width));
        place(rows[2], column, cut(cityLine(v, prefix), width));
    }
}

// CCYYMMDD as MMDDYY, the form's six-digit date (two of them fill the
// seven columns of the statement period's boxes).
std::string sixDigitDate(const std::string& ccyymmdd) {
    return ccyymmdd.size() == 8 ? ccyymmdd.substr(4, 4) + ccyymmdd.substr(2, 2) : ccyymmdd;
}

// Rows 1, 2 and 4: the claim's numbers, the type of bill, the tax id and
// the statement period (the two dates of "CCYYMMDD-CCYYMMDD").
void ubClaimRows(FormRows& rows, const FormValues& v) {
    place(rows[0], 52, v("CLAIMID"));
    place(rows[1], 52, v("MEDICALRECORDNUMBER"));
    place(rows[1], 75, v("FREQUENCYTYPECODE") + v("FACILITYCODEVALUE"));
    place(rows[3], 49, claimTaxId(v));
    const std::string period = v("STATEMENTDATE");
    if (period.size() == 17) {
        place(rows[3], 58, sixDigitDate(period.substr(0, 8)));
        place(rows[3], 65, sixDigitDate(period.substr(9, 8)));
    }
}

// Rows 5 to 8: the patient (the subscriber when the claim names no other
// patient) and the admission.
void ubPatientRows(FormRows& rows, const FormValues& v) {
    const std::string who = v("PATLNAME").empty() ? "SUB" : "PAT";
    place(rows[4], 1, personName(v, who));
    place(rows[4], 40, v(who + "ADDR1"));
    place(rows[5], 40, cityLine(v, who));
    place(rows[6], 1, birthDate(v(who + "DOB")));
    place(rows[6], 12, v(who + "SEX"));
    place(rows[6], 15, v("ADMISSIONDATETIME"));
    place(rows[7], 1, v("ADMISSIONTYPE"));
    place(rows[7], 28, v("ADMISSIONSOURCE"));
    place(rows[7], 55, v("DISCHARGEHOUR"));
    place(rows[7], 60, v("PATIENTSTATUSCODE"));
}

void ubServiceLineRow(std::string& row, const FormValues& v, std::size_t n) {
    const std::string revenue = v.line("IREVCODE", n);
    place(row, 1, revenue);
    place(row, 5, cut(CTL39406DX(revenue), 29));
    place(row, 35, v.line("IPROC", n));
    place(row, 43, v.line("IDOS", n));
    place(row, 53, v.line("IUNITS", n));
    place(row, 60, ubAmount(v.line("IAMT", n)));
}

// The principal diagnosis and the twelve others, eight a row, ten columns apart.
void ubDiagnosisRows(FormRows& rows, const FormValues& v) {
    std::vector<std::string> codes{v("PRINCIPALDX")};
    for (int n = 1; n <= 12; ++n) codes.push_back(v((n < 10 ? "OTHERDX0" : "OTHERDX") + std::to_string(n)));
    std::size_t slot = 0;
    for (const std::string& code : codes) {
        if (code.empty()) continue;
        place(rows[kUbDiagnosisRow - 1 + slot / 8], 1 + 10 * (slot % 8), code);
        ++slot;
    }
}

}  // namespace

std::vector<FormRows> cms1500Range(const ClaimFields& fields, long long first, long long last,
                                   const Cms1500Layout& layout) {
    return formsOfRange(fields, first, last,
                        [&](long long k, int j) { return cms1500Forms(fields, k, j, layout); });
}

std::string ubAmount(std::string_view amount) {
    DecimalAmount a = DecimalAmount::parse(amount);
    // Rounded half away from zero to two places.
    while (a.decimals > 2) {
        const long long rest = a.units % 10;
        a.units = a.units / 10 + (rest >= 5 ? 1 : rest <= -5 ? -1 : 0);
        --a.decimals;
    }
    a += DecimalAmount{0, 2};
    return wl::padLeft(a.text(), 11);
}

std::size_t ubServiceLines(const ClaimFields& fields, long long k, int j) {
    const FormValues v(fields, k, j);
    std::size_t n = 0;
    while (n < 999 && !v.line("ILINE", n + 1).empty()) ++n;
    return n;
}

std::vector<FormRows> ubForms(const ClaimFields& fields, long long k, int j) {
    const FormValues v(fields, k, j);
    FormRows page{};
    ubProviderRows(page, v);
    ubClaimRows(page, v);
    ubPatientRows(page, v);
    ubDiagnosisRows(page, v);
    const std::size_t lines = ubServiceLines(fields, k, j);
    const std::size_t count = std::max<std::size_t>(1, (lines + kUbLinesPerForm - 1) / kUbLinesPerForm);
    std::vector<FormRows> forms;
    for (std::size_t f = 0; f < count; ++f) {
        FormRows form = page;
        for (std::size_t i = 0; i < kUbLinesPerForm; ++i) {
            const std::size_t n = f * kUbLinesPerForm + i + 1;
            if (n <= lines) ubServiceLineRow(form[kUbFirstLineRow - 1 + i], v, n);
        }
        forms.push_back(std::move(form));
    }
    return forms;
}

std::vector<FormRows> ubRange(const ClaimFields& fields, long long first, long long last) {
    return formsOfRange(fields, first, last, [&](long long k, int j) { return ubForms(fields, k, j); });
}

std::string CTL394PRTN(const std::vector<FormRows>& forms, std::string_view options) {
    const bool formFeed = option(options, 40) == 'B';
    const std::size_t linesPerForm = formFeed ? 65 : 72;
    std::string text;
    for (const FormRows& form : forms) {
        std::vector<std::string> lines(3);
        for (const std::string& row : form) lines.push_back(cut(row, 80));
        lines.resize(linesPerForm);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += lines[i] + "\r\n";
            if (formFeed && i + 1 == lines.size()) text += "\f";
        }
    }
    return text;
}

FormFont formFont(std::string_view options) {
    const char letter = option(options, 29);
    static const char* const faces[] = {"Courier New", "Arial", "Times New Roman", "MS Sans Serif"};
    if (letter < 'A' || letter > 'L') return {"Times New Roman", 10};
    const int n = letter - 'A';
    return {faces[n % 4], 8 + 2 * (n / 4)};
}

FormPlacement formPlacement(int pixelsPerInchX, int pixelsPerInchY, const FormConfig& config) {
    return formPlacementOnSheet(pixelsPerInchX * 8.5, pixelsPerInchY * 11.0, config);
}

FormPlacement formPlacementOnSheet(double width, double height, const FormConfig& config) {
    FormPlacement p;
    p.rowHeight = height / 66;
    p.columnWidth = width / 85;
    if (!p.usable()) return p;
    p.top = 0.30 * p.rowHeight + config.vertical;
    p.left = 0.01 * p.columnWidth + config.horizontal;
    return p;
}

std::string freshFormPictureName(const std::string& folder) {
    const std::string base = formConfigPath(folder);  // the folder's separator
    const std::string stem = base.substr(0, base.size() - std::string("form.cfg").size()) + "test";
    auto taken = [](const std::string& name) {
        std::error_code ec;
        return std::filesystem::exists(name + ".bmp", ec) || std::filesystem::exists(name + ".tif", ec);
    };
    if (!taken(stem)) return stem;
    for (int n = 2;; ++n)
        if (!taken(stem + std::to_string(n))) return stem + std::to_string(n);
}

}  // namespace zr
