#include "output_mode.hpp"

#include <cmath>

namespace zr {

double claimDataPieceMode(ClaimDataPiece piece) {
    switch (piece) {
    case ClaimDataPiece::Request276: return 111.1;
    case ClaimDataPiece::Claim835Block: return 112.1;
    case ClaimDataPiece::Ack997Block: return 113.1;
    case ClaimDataPiece::Hl7Block: return 114.1;
    }
    return 0;
}

std::optional<ClaimDataPiece> claimDataPieceOf(double mode) {
    for (ClaimDataPiece p : {ClaimDataPiece::Request276, ClaimDataPiece::Claim835Block, ClaimDataPiece::Ack997Block,
                             ClaimDataPiece::Hl7Block})
        if (std::fabs(mode - claimDataPieceMode(p)) < 1e-9) return p;
    return std::nullopt;
}

ClaimsScreenAction claimsScreenAction(int mode) {
    if (mode >= 100 && mode <= 102) return ClaimsScreenAction::Report;
    if (mode == 103) return ClaimsScreenAction::Nothing;
    if (mode >= 105 && mode <= 108) return ClaimsScreenAction::Cms1500;
    if (mode == 109) return ClaimsScreenAction::Export;
    if ((mode >= 110 && mode <= 114) || mode == 99999) return ClaimsScreenAction::WriteFiles;
    if (mode == 200) return ClaimsScreenAction::Listing;
    return ClaimsScreenAction::OpenScreen;
}

}  // namespace zr
