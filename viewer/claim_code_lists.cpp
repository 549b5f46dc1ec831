#include "claim_code_lists.hpp"

#include "code_list_text.hpp"

namespace zr {

namespace {

// The dictionary's transaction slot of the 837.
constexpr int k837Slot = 2;

// Where each list stands in the dictionary: segment slot, element and
// component of the 837 transaction slot.
struct ListSlot {
    int segment;
    int element;
    int component;
};

ListSlot slotOf(ClaimCodeList list) {
    switch (list) {
    case ClaimCodeList::ProviderIdQualifier: return {13, 8, 0};
    case ClaimCodeList::PayerSequence: return {25, 1, 0};
    case ClaimCodeList::SubscriberRelation: return {25, 2, 0};
    case ClaimCodeList::ClaimFilingIndicator: return {25, 9, 0};
    case ClaimCodeList::PatientRelation: return {47, 1, 0};
    case ClaimCodeList::FacilityCode: return {55, 5, 1};
    case ClaimCodeList::ReferenceQualifier: return {111, 2, 0};
    }
    return {0, 0, 0};
}

}  // namespace

std::string claimCodeText(ClaimCodeList list, std::string_view code) {
    const ListSlot at = slotOf(list);
    return codeListText(k837Slot, at.segment, at.element, at.component, code);
}

}  // namespace zr
