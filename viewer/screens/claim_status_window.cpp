#include "claim_status_window.hpp"

#include "export_dialog_window.hpp"
#include "report_writer_window.hpp"
#include "segment_list_window.hpp"

namespace zr {

namespace {

// The call's "zr.ini" field lists; none given reads as lists naming nothing.
ViewerFieldLists statusFields(const ScreenCall& call) { return call.fields ? *call.fields : ViewerFieldLists{}; }

// Every line of a list as the observer is told it.
std::vector<std::string> shownStatusLines(const std::vector<std::string>& lines, bool numbered) {
    std::vector<std::string> out;
    for (std::size_t n = 1; n <= lines.size(); ++n) out.push_back(numbered ? CTL39410V(lines, n) : lines[n - 1]);
    return out;
}

}  // namespace

std::string CTLD39410(const ScreenCall& call, const ViewerUi& ui) {
    const ClaimStatusReader reader(*call.table);
    const ViewerFieldLists fields = statusFields(call);
    if (auto report = claimStatusReport(reader, fields, call.mode)) return *report;
    // Mode 109: the batch export, no window.
    if (call.mode == 109) return CTLD39404(exportDialogCall(call, 1), ui);

    const std::vector<std::string> lines = claimStatusListing(reader, fields);
    ViewerDialog d("View X12 " + call.setId, 600, 400);
    wl::TWBrowse* list = nullptr;
    auto current = [&] { return list ? static_cast<std::size_t>(list->nAt) : 1; };
    d.button(10, 100, 50, 12, "Print", [&] {
        CTL394PRTC(lines, "X12 277 Batch Listing", PrintOrientation::Portrait, ui.print);
    });
    d.button(10, 160, 50, 12, "Select", [&] {
        if (reader.claimCount() > 0) CTLD39425(reader, current(), call, ui);
    });
    d.button(10, 220, 50, 12, "Exit", [&] { d.close(); });
    d.button(180, 80, 60, 12, "View Data", [&] { showSegmentList(call, ui); });
    if (call.mode > 1) {
        d.button(180, 150, 60, 12, "Export", [&] { CTLD39404(exportDialogCall(call, 1), ui); });
        d.button(180, 220, 50, 12, "Format", [&] { CTL394RPTA("", call, 2, ui); });
    }
    list = &d.arrayList(30, 10, 280, 130, "Response", [&](std::size_t n) { return CTL39410V(lines, n); },
                        [&] { return static_cast<int>(lines.size()); });
    d.label(170, 10, 100, 10, [] { return std::string("997 Not Loaded"); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, shownStatusLines(lines, true), current()}; });
    return "";
}

std::string CTLD39425(const ClaimStatusReader& reader, std::size_t k, const ScreenCall& call, const ViewerUi& ui) {
    const ViewerFieldLists fields = statusFields(call);
    if (auto text = claimStatusDetailOutput(reader, k, fields, call.mode)) return *text;
    const std::vector<std::string> lines = claimStatusDetailLines(reader, k, fields);
    ViewerDialog d(" Response Data ", 600, 360);
    wl::TWBrowse* list = nullptr;
    list = &d.arrayList(10, 10, 280, 140, "Claim Data",
                        [&](std::size_t n) { return n >= 1 && n <= lines.size() ? lines[n - 1] : std::string(); },
                        [&] { return static_cast<int>(lines.size()); });
    d.button(160, 140, 60, 12, "Print", [&] {
        CTL394PRTC(lines, "X12 277 Response Data", PrintOrientation::Portrait, ui.print);
    });
    d.button(160, 230, 40, 12, "Exit", [&] { d.close(); });
    d.run(ui, [&] {
        return ShownDialog{"", nullptr, shownStatusLines(lines, false), static_cast<std::size_t>(list->nAt)};
    });
    return "";
}

}  // namespace zr
