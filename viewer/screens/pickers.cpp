#include "pickers.hpp"

#include "claim_index.hpp"
#include "export_dialog_window.hpp"
#include "segment_lines.hpp"
#include "segment_list_window.hpp"
#include "set_pickers.hpp"
#include "table_rewriters.hpp"

namespace zr {

namespace {

// The shared layout: Exit, the choice, View Data (and the interchange
// picker's Listing), a numbered list; answers the chosen line, 0 for Exit.
std::size_t pick(const std::string& caption, const std::string& choose, const std::string& header,
                 const std::vector<std::string>& lines, const ScreenCall& call, const ViewerUi& ui,
                 bool listing = false) {
    ViewerDialog d(caption, 600, 200);
    std::size_t chosen = 0;
    wl::TWBrowse* list = nullptr;
    d.button(10, 220, 60, 12, "Exit", [&] { d.close(); });
    d.button(30, 220, 60, 12, choose, [&] {
        chosen = list ? static_cast<std::size_t>(list->nAt) : 1;
        d.close();
    });
    d.button(50, 220, 60, 12, "View Data", [&] { showSegmentList(call, ui); });
    // The printed listing's field picker over the whole table.
    if (listing) d.button(70, 220, 60, 12, "Listing", [&] { CTLD39404(exportDialogCall(call, 2), ui); });
    list = &d.arrayList(10, 10, 200, 60, header, [&](std::size_t n) { return CTL39405V(lines, n); },
                        [&] { return static_cast<int>(lines.size()); });
    d.run(ui, [&] {
        std::vector<std::string> shown;
        for (std::size_t n = 1; n <= lines.size(); ++n) shown.push_back(CTL39405V(lines, n));
        return ShownDialog{"", nullptr, shown, static_cast<std::size_t>(list->nAt)};
    });
    return chosen;
}

}  // namespace

std::optional<SegmentTable> CTLD39405(const ScreenCall& call, const ViewerUi& ui) {
    if (picksWithoutAsking(call.mode)) return CTL39405A(call.number, *call.table);
    const std::size_t k = pick("Select Interchange Control Batch (ISA)", "Select Batch", "Batches",
                               interchangeLines(*call.table), call, ui, true);
    if (k == 0) return std::nullopt;
    return CTL39405A(k, *call.table);
}

std::optional<SegmentTable> CTLD39424(const ScreenCall& call, const ViewerUi& ui) {
    if (CTL39400AA("ST", *call.table) > 0 && picksWithoutAsking(call.mode)) return CTL39424A(call.number, *call.table);
    const std::size_t k =
        pick("Select Transaction Set (ST)", "Select Set", "Batch Sets", setLines(*call.table), call, ui);
    if (k == 0) return std::nullopt;
    return CTL39424A(k, *call.table);
}

}  // namespace zr
