// The words of the small claim codes: prefix or number compare, what an
// unknown code reads, and the texts kept exactly as stored files show them.
#include "claim_code_texts.hpp"

#include <gtest/gtest.h>

namespace {

using namespace zr;

struct Case {
    std::string (*text)(std::string_view);
    const char* code;
    const char* expected;
};

TEST(ClaimCodeTexts, IndicatorsCompareUpperCasedByPrefixAndPassUnknownCodesThrough) {
    const Case cases[] = {
        {CTL39406AF, "Y", "Yes"},
        {CTL39406AF, "YES", "Yes"},
        {CTL39406AF, "y", "Yes"},
        {CTL39406AF, "N", "No"},
        {CTL39406AF, "W", "W"},
        {CTL39406AF, "", ""},
        {CTL39406AG, "A", "Assigned"},
        {CTL39406AG, "N", "Not Assigned"},
        {CTL39406AG, "P", "Patient Refuses to Assign Benefits"},
        {CTL39406AG, "X", "X"},
        {CTL39406AH, "aa", "Auto Accident"},
        {CTL39406AH, "AB", "Auto Abuse"},
        {CTL39406AH, "EM", "Employment"},
        {CTL39406AH, "OA", "Other Accident"},
        {CTL39406AH, "A", "A"},  // shorter than every code: no prefix matches
        {CTL39406AE, "MOD", "Mesial"},
        {CTL39406AE, "B", "Buccal"},
        {CTL39406AE, "Z", "Z"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text(c.code), c.expected) << c.code;
}

TEST(ClaimCodeTexts, InstitutionalCodesReadErrorForUnknownOrEmptyCodes) {
    const Case cases[] = {
        {admissionTypeText, "1", "Emergency"},
        {admissionTypeText, "7", "Emergency Room"},
        {admissionTypeText, "5", "Error = 5"},
        {admissionTypeText, "", "Error = "},
        {admissionSourceText, "4", "Transfer form a Hospital"},
        {admissionSourceText, "a", "Transfer form a Rural Primary Care Hospital"},
        {admissionSourceText, "B", "Error = B"},
        {patientStatusText, "01", "Discharged to home or self care (routine discharge)"},
        {patientStatusText, "6", "Discharged/transfered to home under care of Home Health Service "},
        {patientStatusText, "20", "Expired (Christian Science Patient"},
        {patientStatusText, "51", "Hospice - medical facility"},
        {patientStatusText, "10", "Error = 10"},
        {patientStatusText, "", "Error = "},
        {patientStatusText, "XX", "Error = XX"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text(c.code), c.expected) << c.code;
}

}  // namespace
