// The output modes as the 837 claims screen routes them.
#include "output_mode.hpp"

#include <gtest/gtest.h>

namespace {

using namespace zr;

TEST(OutputMode, ClaimsScreenRoutesEachMode) {
    using A = ClaimsScreenAction;
    const std::vector<std::pair<int, A>> cases = {
        {1, A::OpenScreen},    {2, A::OpenScreen}, {104, A::OpenScreen}, {150, A::OpenScreen}, {0, A::OpenScreen},
        {100, A::Report},      {101, A::Report},   {102, A::Report},     {103, A::Nothing},    {105, A::Cms1500},
        {108, A::Cms1500},     {109, A::Export},   {110, A::WriteFiles}, {114, A::WriteFiles}, {99999, A::WriteFiles},
        {115, A::OpenScreen},  {200, A::Listing},  {201, A::OpenScreen},
    };
    for (const auto& [mode, action] : cases) EXPECT_EQ(claimsScreenAction(mode), action) << mode;
    EXPECT_FALSE(showsModeAboveOneButtons(1));
    EXPECT_TRUE(showsModeAboveOneButtons(2));
    EXPECT_EQ(static_cast<int>(OutputMode::File997), 99999);
}

TEST(OutputMode, ClaimDataPiecesAreTheFractionalModes) {
    for (ClaimDataPiece p : {ClaimDataPiece::Request276, ClaimDataPiece::Claim835Block, ClaimDataPiece::Ack997Block,
                             ClaimDataPiece::Hl7Block})
        EXPECT_EQ(claimDataPieceOf(claimDataPieceMode(p)), p);
    EXPECT_DOUBLE_EQ(claimDataPieceMode(ClaimDataPiece::Request276), 111.1);
    EXPECT_FALSE(claimDataPieceOf(111).has_value());
    EXPECT_FALSE(claimDataPieceOf(115.1).has_value());
}

}  // namespace
