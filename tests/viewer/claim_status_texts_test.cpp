// The claim status category and status code texts: exact match.
#include "claim_status_texts.hpp"

#include <gtest/gtest.h>

namespace {

using namespace zr;

TEST(ClaimStatusTexts, EveryCategory) {
    const std::pair<const char*, const char*> cases[] = {
        {"A1", "Acknowledgement Receipt"},
        {"A2", "Acknowledgement Accepted into adjudication system"},
        {"A3", "Acknowledgement Returned"},
        {"A4", "Acknowledgement Not Found"},
        {"P1", "Pending In Process"},
        {"P3", "Pending Requested Information"},
        {"F0", "Finalized"},
        {"F1", "Finalized Payment"},
        {"F2", "Finalized Denied"},
        {"F3", "Finalized Revised"},
        {"F3F", "Finalized Forward"},
        {"E0", "Error in Submitted Data"},
        {"E1", "Response Not Possible"},
        {"F", "F Industry Code Not Found"},
        {"F3FX", "F3FX Industry Code Not Found"},
        {"a1", "a1 Industry Code Not Found"},
        {"", " Industry Code Not Found"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(CTL39410E(code), text) << code;
    EXPECT_EQ(claimStatusCategoryCount(), 13u);
}

TEST(ClaimStatusTexts, StatusCodesByExactMatch) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "For more detail information, see Remittance Advice"},
        {"21", "Missing or invalid information."},
        {"54", "Duplicate of a previously processed claim/line."},
        {"487", "Claim not found; claim should have been submitted to/through another entity. "},
        {"2", "2 F2 Industry Status Code Not Found"},
        {"01", "01 F2 Industry Status Code Not Found"},
        {"48", "Referral/authorization."},
        {"4", "4 F2 Industry Status Code Not Found"},
        {"", " F2 Industry Status Code Not Found"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(CTL39410H(code), text) << code;
    // "12" has a text of its own, never that of "1".
    EXPECT_NE(CTL39410H("12"), CTL39410H("1"));
    EXPECT_EQ(CTL39410H("12").find("Not Found"), std::string::npos);
    EXPECT_EQ(claimStatusCodeCount(), 50u);
    for (const char* code : {"1",   "3",   "9",   "12",  "16",  "21",  "24",  "28",  "33",  "41",  "46",  "48",  "50",
                             "52",  "54",  "56",  "81",  "83",  "84",  "88",  "89",  "90",  "92",  "94",  "95",  "97",
                             "98",  "100", "101", "107", "109", "114", "116", "122", "123", "158", "159", "182", "184",
                             "187", "280", "287", "317", "363", "365", "414", "454", "474", "483", "487"})
        EXPECT_EQ(CTL39410H(code).find("Not Found"), std::string::npos) << code;
}

}  // namespace
