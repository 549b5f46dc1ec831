// What a transaction screen function is asked to do: open its screen, or
// produce something without showing it (a report, the listing, derived
// files, claim forms, an export). Screens receive the number; these names
// are how the program speaks of it.
#pragma once

#include <optional>

namespace zr {

enum class OutputMode : int {
    Screen = 1,
    TextReport = 100,
    HtmlReport = 101,
    RtfReport = 102,
    PdfReport = 103,       // the PDF output functions write nothing
    NoAction = 104,        // tested by the detail screens only
    Cms1500Print = 105,    // with preview
    Cms1500Text = 106,
    Cms1500Pdf = 107,
    Cms1500Screen = 108,
    Export = 109,
    Files837 = 110,        // one ".837" per claim
    Files276 = 111,        // ".276" claim status requests
    Files835 = 112,
    SelectedClaims835 = 113,
    Hl7File = 114,
    Listing = 200,         // the listing array, nothing shown
    File997 = 99999,
};

// The pieces a file writer asks of the Claim Data function per claim; their
// numbers lie between the writers' own modes.
enum class ClaimDataPiece {
    Request276,    // 111.1: one request of a combined ".276" file
    Claim835Block, // 112.1
    Ack997Block,   // 113.1
    Hl7Block,      // 114.1
};
double claimDataPieceMode(ClaimDataPiece piece);
// The piece of a fractional mode; none for any other number.
std::optional<ClaimDataPiece> claimDataPieceOf(double mode);

// What the 837 claims screen does for a mode.
enum class ClaimsScreenAction {
    OpenScreen,   // mode 1 and every mode not named below
    Report,       // 100-102: the claims as text, HTML or RTF
    Nothing,      // 103: the PDF variant, which writes nothing
    Cms1500,      // 105-108
    Export,       // 109
    WriteFiles,   // 110-114 and 99999
    Listing,      // 200
};
ClaimsScreenAction claimsScreenAction(int mode);

// The buttons that need a mode above 1 (Export, CMS-1500, Format, Create
// 276) stand on the screen.
inline bool showsModeAboveOneButtons(int mode) { return mode > 1; }

}  // namespace zr
