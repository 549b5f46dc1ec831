// The Claim Data dialog without its window: one 837 claim as text lines in
// the three views, what the dialog's buttons are, the screen layout of the
// [X12837SCREEN] fields, and the outputs its modes give without a window
// (the claim's report text, and its pieces of derived files).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "claim_text_views.hpp"
#include "application.hpp"
#include "module_state.hpp"
#include "viewer_settings.hpp"

namespace zr {

// What the claims screen hands the Claim Data function: claim k (its
// selected row), the table with its delimiters, the [X12837SCREEN] and
// [X12837FORM] lists, the file name, the mode (with the writers' fractional
// pieces), the claim index, the folders and the set's claim count.
struct ClaimDataCall {
    long long claim = 1;
    const SegmentTable* table = nullptr;
    X12Delimiters delimiters;
    const ViewerFieldLists* fields = nullptr;
    std::string fileName;
    double mode = 1;
    ClaimIndex claims;
    std::string startFolder;
    std::string currentFolder;
    std::size_t claimCount = 0;
    // The process's state (the viewer state) as the caller hands it down.
    Application* app = &application();
};

// The claim type the dialog goes by: CLAIMTYPE of the set's last claim,
// upper-cased.
std::string claimDataClaimType(const ClaimFields& fields, std::size_t claimCount);

// The detail lines the dialog opens with: the detail view of claim k with
// its CLM count as sub-claim, over a one-line placeholder, ending with an
// empty line.
std::vector<std::string> claimDetailLines(const ClaimFields& fields, long long k);

// CTL39403E: the view after this one (detail, by loop, by form box, detail).
ClaimView CTL39403E(ClaimView view);
// CTL39403A: line i (from 1) of the lines; "" past them.
std::string CTL39403A(const std::vector<std::string>& lines, std::size_t i);
// CTL39403B: the lines, each followed by CR LF, the final element left out.
std::string CTL39403B(const std::vector<std::string>& lines);

// CTL39403D: the claim laid out by the [X12837SCREEN] fields on 64 lines
// (each field at its line and column, cut to its width, read with
// sub-claim 1); when the section names no field, the error notes of the
// claim's rows after its first ("ERRORS NOTED: " and a block per row), none
// when no row carries one.
std::vector<std::string> CTL39403D(const ClaimFields& fields, long long k, const ViewerFieldLists& lists);

// The dialog's lines: the detail view first; each change of view rebuilds
// the claim's lines in the next view with sub-claim 1.
class ClaimDataLines {
public:
    ClaimDataLines(const ClaimFields& fields, long long k);
    void changeView();
    ClaimView view() const { return view_; }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    const ClaimFields* fields_;
    long long k_;
    ClaimView view_ = ClaimView::Detail;
    std::vector<std::string> lines_;
};

// The buttons beside Exit, Print and Change View (which always stand).
struct ClaimDataButtons {
    bool cms1500 = false;    // mode above 1, a professional claim type
    bool create837 = false;  // mode above 1, the interactive viewer
    bool create276 = false;
    bool viewData = false;
};
ClaimDataButtons claimDataButtons(double mode, const std::string& claimType, ViewerState state);

// What a mode gives without a window: the report text (100-103), the
// claim's pieces of derived files (110-114 and their fractional pieces);
// none for the modes that open the dialog.
std::optional<std::string> claimDataOutput(const ClaimDataCall& call, const ClaimFields& fields);

}  // namespace zr
