// Revenue codes: leading zeros, exact match, the known rows, and exactly
// the 517 codes of the table.
#include "revenue_codes.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using zr::CTL39406DX;

// The table's codes as runs of numbers (first, last).
const std::vector<std::pair<int, int>> kRevenueCodeRuns = {
    {100, 101}, {110, 160}, {164, 164}, {167, 167}, {169, 174}, {179, 180}, {182, 183}, {185, 185},
    {189, 194}, {199, 204}, {206, 214}, {219, 224}, {229, 235}, {239, 243}, {249, 264}, {269, 280},
    {289, 294}, {299, 307}, {309, 312}, {314, 314}, {319, 324}, {329, 333}, {335, 335}, {339, 344},
    {349, 352}, {359, 362}, {367, 367}, {369, 372}, {374, 374}, {379, 387}, {389, 391}, {399, 404},
    {409, 410}, {412, 413}, {419, 424}, {429, 434}, {439, 444}, {449, 452}, {456, 456}, {459, 460},
    {469, 472}, {479, 483}, {489, 490}, {499, 500}, {509, 517}, {519, 523}, {526, 526}, {529, 531},
    {539, 552}, {559, 562}, {569, 572}, {579, 583}, {589, 590}, {599, 604}, {609, 612}, {614, 616},
    {618, 619}, {621, 624}, {630, 637}, {640, 652}, {655, 657}, {659, 663}, {669, 672}, {679, 684},
    {689, 689}, {700, 700}, {709, 710}, {719, 724}, {729, 732}, {739, 740}, {749, 750}, {759, 762},
    {769, 771}, {779, 780}, {789, 790}, {799, 804}, {809, 814}, {819, 825}, {829, 835}, {839, 845},
    {849, 855}, {859, 859}, {880, 882}, {889, 893}, {899, 907}, {909, 925}, {929, 929}, {931, 932},
    {940, 947}, {949, 952}, {960, 964}, {969, 969}, {971, 979}, {981, 999}, {2100, 2106}, {2109, 2109},
    {3101, 3105}, {3109, 3109},
};

bool revenueCodeListed(int n) {
    for (const auto& [first, last] : kRevenueCodeRuns)
        if (n >= first && n <= last) return true;
    return false;
}

TEST(RevenueCodes, ExactlyTheListedCodesHaveDescriptions) {
    int described = 0;
    for (int n = 0; n <= 4000; ++n) {
        const std::string text = CTL39406DX(std::to_string(n));
        EXPECT_EQ(!text.empty(), revenueCodeListed(n)) << n;
        EXPECT_LE(text.size(), 72u) << n;
        if (!text.empty()) ++described;
    }
    EXPECT_EQ(described, 517);
}

TEST(RevenueCodes, UpToFourLeadingZerosAreDropped) {
    const struct {
        const char* code;
        const char* same;
    } cases[] = {
        {"0250", "250"}, {"00250", "250"}, {"000250", "250"}, {"0000250", "250"}, {"02101", "2101"}, {"0100", "100"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(CTL39406DX(c.same).empty()) << c.same;
        EXPECT_EQ(CTL39406DX(c.code), CTL39406DX(c.same)) << c.code;
    }
    EXPECT_EQ(CTL39406DX("00000250"), "");  // a fifth zero stays
}

TEST(RevenueCodes, UnknownOrPartialCodesGiveNothing) {
    for (const char* code : {"", "0", "0000", "25", "2500", "250 ", " 250", "R250", "205", "3106", "21", "31"})
        EXPECT_EQ(CTL39406DX(code), "") << '"' << code << '"';
    // A code that begins like another is still a code of its own.
    EXPECT_NE(CTL39406DX("2101"), CTL39406DX("210"));
    EXPECT_NE(CTL39406DX("2101"), "");
}

TEST(RevenueCodes, KnownRowsReadAsStored) {
    const struct {
        const char* code;
        const char* text;
    } rows[] = {
        {"100", "All Inclusive Rate"},
        {"110", "Room/Board Private"},
        {"0111", "Medical/Surgical/Gyn"},
        {"3105", "ADULT FOSTER CARE/DAILY ADULT FOSTER DAY"},
        {"3109", "OTHER ADULT CARE"},
    };
    for (const auto& r : rows) EXPECT_EQ(CTL39406DX(r.code), r.text) << r.code;
}

}  // namespace
