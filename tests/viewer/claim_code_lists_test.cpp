// The words of the 837 code lists the claim fields show, from the X12
// code-list dictionary.
#include "claim_code_lists.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using zr::ClaimCodeList;

TEST(ClaimCodeLists, EachListReadsItsOwnSlotAndComparesWhole) {
    const std::vector<std::tuple<ClaimCodeList, std::string, std::string>> cases = {
        {ClaimCodeList::ProviderIdQualifier, "XX", "National Provider ID"},
        {ClaimCodeList::PayerSequence, "P", "Primary"},
        {ClaimCodeList::PayerSequence, "S", "Secondary"},
        {ClaimCodeList::PayerSequence, "T", "Tertiary"},
        {ClaimCodeList::ClaimFilingIndicator, "09", "Self Pay"},
        {ClaimCodeList::FacilityCode, "11", "Office"},
        {ClaimCodeList::FacilityCode, "1", ""},     // never the start of "11"
        {ClaimCodeList::FacilityCode, "111", ""},   // nor a longer code
        {ClaimCodeList::PayerSequence, "p", ""},
        {ClaimCodeList::ProviderIdQualifier, "P", ""},  // the other list's code
        {ClaimCodeList::PayerSequence, "", ""},
    };
    for (const auto& [list, code, text] : cases)
        EXPECT_EQ(zr::claimCodeText(list, code), text) << static_cast<int>(list) << " " << code;
}

}  // namespace
