#include "claim_data_window.hpp"

#include <algorithm>

#include "claim_form_window.hpp"
#include "segment_list_window.hpp"
#include "x12_generation.hpp"

namespace zr {

namespace {

// The generic segment list on the claim's table, without loop list and
// check table.
void claimDataSegmentList(const ClaimDataCall& call, const ViewerUi& ui) {
    TransactionScreenCall list;
    list.fileName = call.fileName;
    list.startFolder = call.startFolder;
    list.currentFolder = call.currentFolder;
    list.table = call.table;
    list.delimiters = call.delimiters;
    list.mode = static_cast<int>(call.mode);
    list.claims = call.claims;
    showSegmentList(list, ui);
}

}  // namespace

std::string CTLD39403(const ClaimDataCall& call, const ViewerUi& ui) {
    if (!call.table) return "";
    const ClaimFields fields(*call.table, call.claims, call.currentFolder);
    if (auto out = claimDataOutput(call, fields)) return *out;

    ClaimDataLines lines(fields, call.claim);
    const ClaimDataButtons buttons =
        claimDataButtons(call.mode, claimDataClaimType(fields, call.claimCount), call.app->module.viewerState);
    ViewerDialog d(" Claim Data ", 600, 400);
    wl::TWBrowse& browse = d.arrayList(
        10, 10, 280, 140, "Claim Data", [&](std::size_t n) { return CTL39403A(lines.lines(), n); },
        [&] { return static_cast<int>(lines.lines().size()); });
    d.button(160, 250, 40, 12, "Exit", [&] { d.close(); });
    d.button(160, 200, 40, 12, "Print",
             [&] { CTL394PRTC(lines.lines(), "X12 837 Claim Data", PrintOrientation::Portrait, ui.print); });
    // The form printer reads "form.cfg" of the working folder.
    if (buttons.cms1500)
        d.button(160, 150, 40, 12, "CMS-1500", [&] { CTL394PRTI(fields, call.claim, call.claim, "", ui.print); });
    // The files are named after the claim the dialog opened on: its last CLM.
    const auto k = static_cast<std::size_t>(std::max(0LL, call.claim));
    const int clm = std::max(1, static_cast<int>(fields.clmCount(call.claim)));
    if (buttons.create837)
        d.button(180, 10, 50, 12, "Create 837", [&] { CTL39406AD(fields, call.startFolder, k, clm, call.fileName); });
    if (buttons.create276)
        d.button(180, 70, 50, 12, "Create 276", [&] {
            CTL39406AC(fields, call.claimCount, call.currentFolder, call.startFolder, k, clm,
                       generatorContext(call.currentFolder, call.fileName));
        });
    if (buttons.viewData) d.button(160, 70, 50, 12, "View Data", [&] { claimDataSegmentList(call, ui); });
    d.button(160, 10, 50, 12, "Change View", [&] {
        lines.changeView();
        browse.GoTop();
        browse.Display();
        d.shownAgain();
    });
    d.run(ui, [&] { return ShownDialog{"", nullptr, lines.lines(), static_cast<std::size_t>(browse.nAt)}; });
    return "";
}

}  // namespace zr
