// The X12 code lists whose words some 837 fields show ("XX" as "National
// Provider ID"), found in the X12 code-list dictionary.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// Each list is one element of a segment slot of the dictionary's 837
// transaction.
enum class ClaimCodeList {
    ProviderIdQualifier,    // NM108
    PayerSequence,          // SBR01
    SubscriberRelation,     // SBR02
    ClaimFilingIndicator,   // SBR09
    PatientRelation,        // PAT01
    FacilityCode,           // CLM05 component 1, SV105
    ReferenceQualifier,     // REF01
};

// The code's description, compared exactly; "" for an empty code or one
// the list does not hold.
std::string claimCodeText(ClaimCodeList list, std::string_view code);

}  // namespace zr
