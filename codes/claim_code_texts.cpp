#include "claim_code_texts.hpp"

#include <charconv>

#include "text.hpp"

namespace zr {

namespace {

struct CodeText {
    std::string_view code;
    std::string_view text;
};

template <std::size_t N>
const CodeText* byPrefix(const CodeText (&table)[N], std::string_view value) {
    const std::string up = wl::upper(value);
    for (const CodeText& e : table)
        if (wl::prefixMatch(up, e.code)) return &e;
    return nullptr;
}

template <std::size_t N>
std::string textOrCode(const CodeText (&table)[N], std::string_view value) {
    const CodeText* e = byPrefix(table, value);
    return e ? std::string(e->text) : std::string(value);
}

std::string errorText(std::string_view code) { return "Error = " + std::string(code); }

constexpr CodeText kYesNo[] = {{"Y", "Yes"}, {"N", "No"}};

constexpr CodeText kAssignment[] = {
    {"A", "Assigned"}, {"N", "Not Assigned"}, {"P", "Patient Refuses to Assign Benefits"}};

constexpr CodeText kRelatedCause[] = {
    {"AA", "Auto Accident"}, {"AB", "Auto Abuse"}, {"EM", "Employment"}, {"OA", "Other Accident"}};

constexpr CodeText kToothSurface[] = {{"B", "Buccal"},  {"D", "Distal"},  {"F", "Facial"},  {"I", "Incisal"},
                                      {"L", "Lingual"}, {"M", "Mesial"}, {"O", "Occlusal"}};

// The texts below are shown as the program has always shown them,
// spelling included: stored reports and exports carry them.
constexpr CodeText kAdmissionType[] = {{"1", "Emergency"}, {"2", "Urgent"},  {"3", "Elective"},
                                       {"4", "Newborn"},   {"7", "Emergency Room"}, {"9", "Information Not Available"}};

constexpr CodeText kAdmissionSource[] = {{"1", "Physician Referal"},
                                         {"2", "Clinic Referal"},
                                         {"3", "HMO Referal"},
                                         {"4", "Transfer form a Hospital"},
                                         {"5", "Transfer form SNF"},
                                         {"6", "Transfer form Another care Facility"},
                                         {"7", "Emergency Room"},
                                         {"8", "Court/Law Enforcement"},
                                         {"9", "Information Not Available"},
                                         {"A", "Transfer form a Rural Primary Care Hospital"}};

struct NumberText {
    int code;
    std::string_view text;
};

constexpr NumberText kPatientStatus[] = {
    {1, "Discharged to home or self care (routine discharge)"},
    {2, "Discharged/transfered to another short-term general hospital"},
    {3, "Discharged/transfered to SNF"},
    {4, "Discharged/transfered to an ICF"},
    {5, "Discharged/transfered to another type of institution"},
    {6, "Discharged/transfered to home under care of Home Health Service "},
    {7, "Left against advice or dicontinued care"},
    {8, "Discharged/transfered to home under care of IV drug therapy provider"},
    {9, "Admitted as an inpatient to this hospital"},
    {20, "Expired (Christian Science Patient"},
    {30, "Still patient or or expected to return to outpatient services"},
    {40, "Expired at home (Hospice Only)"},
    {41, "Expired in medical facility"},
    {42, "Expired place unknown (Hospice Only)"},
    {50, "Hospice - home"},
    {51, "Hospice - medical facility"},
};

// The whole number the code begins with (after blanks); 0 when none.
int leadingNumber(std::string_view code) {
    const std::string_view s = wl::alltrimView(code);
    int n = 0;
    std::from_chars(s.data(), s.data() + s.size(), n);
    return n;
}

}  // namespace

std::string CTL39406AF(std::string_view code) { return textOrCode(kYesNo, code); }
std::string CTL39406AG(std::string_view code) { return textOrCode(kAssignment, code); }
std::string CTL39406AH(std::string_view code) { return textOrCode(kRelatedCause, code); }
std::string CTL39406AE(std::string_view code) { return textOrCode(kToothSurface, code); }

std::string admissionTypeText(std::string_view cl101) {
    const CodeText* e = byPrefix(kAdmissionType, cl101);
    return e ? std::string(e->text) : errorText(cl101);
}

std::string admissionSourceText(std::string_view cl102) {
    const CodeText* e = byPrefix(kAdmissionSource, cl102);
    return e ? std::string(e->text) : errorText(cl102);
}

std::string patientStatusText(std::string_view cl103) {
    const int n = leadingNumber(cl103);
    for (const NumberText& e : kPatientStatus)
        if (e.code == n) return std::string(e.text);
    return errorText(cl103);
}

}  // namespace zr
