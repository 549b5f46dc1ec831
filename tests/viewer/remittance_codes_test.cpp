// The 835 code words are found by the whole code.
#include "remittance_codes.hpp"

#include <gtest/gtest.h>

namespace {

using namespace zr;

TEST(RemittanceCodes, WholeCodesOnly) {
    // CLP02: "1" has words of its own; "19" is not "1"; nothing for "" or an
    // unknown code.
    const std::string primary = remittanceCodeText(20, 2, "1");
    EXPECT_FALSE(primary.empty());
    EXPECT_NE(remittanceCodeText(20, 2, "19"), primary);
    EXPECT_EQ(remittanceCodeText(20, 2, ""), "");
    EXPECT_EQ(remittanceCodeText(20, 2, "1X"), "");
    EXPECT_EQ(remittanceCodeText(21, 1, "C"), "");  // not the text of "CO"
    EXPECT_EQ(remittanceCodeText(2, 4, "C"), "Credit");
    EXPECT_EQ(remittanceCodeText(21, 1, "PR"), "Patient Responsibility");
    EXPECT_EQ(remittanceCodeText(99, 1, "PR"), "");  // no such slot
    EXPECT_EQ(adjustmentReasonText(""), "");
    EXPECT_NE(adjustmentReasonText("45"), adjustmentReasonText("4"));
}

}  // namespace
