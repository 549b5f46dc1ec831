// The 835 code tables: every code of both lists is there, nothing else is,
// the lookup matches whole codes only, and the rows the remittance screens
// are known to show read exactly as stored.
#include "adjustment_codes.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace zr;

// "B1" ... "B23" for (prefix "B", 1, 23); width pads with zeros ("MA01").
std::vector<std::string> adjustmentCodeRun(const std::string& prefix, int first, int last, int width = 0) {
    std::vector<std::string> codes;
    for (int n = first; n <= last; ++n) {
        std::string digits = std::to_string(n);
        if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
        codes.push_back(prefix + digits);
    }
    return codes;
}

std::vector<std::string> adjustmentReasonCodes() {
    std::vector<std::string> codes = adjustmentCodeRun("", 1, 225);
    for (const auto& run : {adjustmentCodeRun("A", 0, 8), adjustmentCodeRun("B", 1, 23), adjustmentCodeRun("D", 1, 22),
                            adjustmentCodeRun("W", 1, 1)})
        codes.insert(codes.end(), run.begin(), run.end());
    return codes;
}

std::vector<std::string> remittanceRemarkCodes() {
    std::vector<std::string> codes = adjustmentCodeRun("M", 1, 144);
    for (const auto& run : {adjustmentCodeRun("MA", 1, 134, 2), adjustmentCodeRun("N", 1, 504)})
        codes.insert(codes.end(), run.begin(), run.end());
    std::erase(codes, "N367");
    return codes;
}

// A code is in a table when its text differs from the code itself.
int adjustmentCodesKnown(std::string (*lookup)(std::string_view), const std::vector<std::string>& codes) {
    int known = 0;
    for (const std::string& code : codes) {
        const std::string text = lookup(code);
        EXPECT_NE(text, code) << code << " has no description";
        EXPECT_FALSE(text.empty()) << code;
        if (text != code) ++known;
    }
    return known;
}

TEST(AdjustmentCodes, EveryReasonCodeHasADescription) {
    EXPECT_EQ(adjustmentCodesKnown(CTL00015, adjustmentReasonCodes()), 280);
}

TEST(AdjustmentCodes, EveryRemarkCodeHasADescription) {
    EXPECT_EQ(adjustmentCodesKnown(CTL00016, remittanceRemarkCodes()), 781);
}

TEST(AdjustmentCodes, CodesOutsideTheListsComeBackUnchanged) {
    const struct {
        std::string (*lookup)(std::string_view);
        const char* code;
    } cases[] = {
        {CTL00015, "Z9"},  {CTL00015, "0"},    {CTL00015, "226"},  {CTL00015, "01"},  {CTL00015, "A9"},
        {CTL00015, "B0"},  {CTL00015, "B24"},  {CTL00015, "D23"},  {CTL00015, "W2"},  {CTL00015, "b1"},
        {CTL00015, "45 "}, {CTL00015, " 45"},  {CTL00015, ""},     {CTL00015, "M2"},  {CTL00016, "N367"},
        {CTL00016, "M145"}, {CTL00016, "M0"},  {CTL00016, "MA1"},  {CTL00016, "MA135"}, {CTL00016, "MA00"},
        {CTL00016, "N505"}, {CTL00016, "N0"},  {CTL00016, "m2"},   {CTL00016, ""},    {CTL00016, "45"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.lookup(c.code), c.code) << c.code;
}

TEST(AdjustmentCodes, LookupMatchesTheWholeCode) {
    // A longer code never reads as its prefix's row, nor the other way round.
    const struct {
        std::string (*lookup)(std::string_view);
        const char* code;
        const char* other;
    } cases[] = {
        {CTL00015, "45", "4"},    {CTL00015, "4", "45"},    {CTL00015, "19", "1"},   {CTL00015, "B10", "B1"},
        {CTL00015, "D2", "D22"},  {CTL00016, "M10", "M1"},  {CTL00016, "M28", "M2"}, {CTL00016, "MA13", "MA130"},
        {CTL00016, "N50", "N504"},
    };
    for (const auto& c : cases) EXPECT_NE(c.lookup(c.code), c.lookup(c.other)) << c.code << " / " << c.other;
}

TEST(AdjustmentCodes, KnownRowsReadAsStored) {
    const struct {
        std::string (*lookup)(std::string_view);
        const char* code;
        const char* text;
    } cases[] = {
        {CTL00015, "1", "Deductible Amount"},
        {CTL00015, "2", "Coinsurance Amount"},
        {CTL00015, "3", "Co-payment Amount"},
        {CTL00015, "A0", "Patient refund amount."},
        {CTL00015, "B1", "Non-covered visits."},
        {CTL00015, "W1", "Workers Compensation State Fee Schedule Adjustment"},
        {CTL00016, "M2", "Not paid separately when the patient is an inpatient."},
        {CTL00016, "MA130",
         "Your claim contains incomplete and/or invalid information, and no appeal rights are afforded because the "
         "claim is unprocessable. Please submit a new claim with the complete/correct information."},
        {CTL00016, "N504", "Incomplete/invalid Work Status Report."},
    };
    for (const auto& c : cases) EXPECT_EQ(c.lookup(c.code), c.text) << c.code;
}

}  // namespace
