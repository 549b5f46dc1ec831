#include "claim_code_lists.hpp"

#include <span>

#include "x12_code_lists.hpp"

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
    if (code.empty()) return "";
    const ListSlot at = slotOf(list);
    const X12Answer answer = ZRX12(at.segment, at.element, at.component, k837Slot, 3);
    const auto* pairs = std::get_if<std::span<const X12CodePair>>(&answer);
    if (!pairs) return "";
    for (const X12CodePair& p : *pairs)
        if (p.code == code) return std::string(p.description);
    return "";
}

}  // namespace zr
