#include "eligibility_window.hpp"

#include "export_dialog_window.hpp"
#include "messages.hpp"
#include "segment_list_window.hpp"
#include "text.hpp"

namespace zr {

std::string CTLD39412(const ScreenCall& call, const ViewerUi& ui) {
    const EligibilityReader reader(*call.table);
    if (auto report = eligibilityReport(reader, call.setId, call.mode)) return *report;
    // Mode 109: the batch export, no window.
    if (call.mode == 109) return CTLD39404(exportDialogCall(call, 1), ui);
    if (call.mode == 110 || call.mode == 111) {
        wl::MSGINFO(kEligibilityWrongSet);
        return "";
    }

    const std::vector<std::string> lines = eligibilityListing(reader, call.setId);
    const int kind = eligibilityListsReject(reader, call.setId) ? 1 : 0;
    const bool request = wl::prefixMatch(call.setId, "270");
    ViewerDialog d("View X12 " + call.setId, 600, 400);
    wl::TWBrowse* list = nullptr;
    auto current = [&] { return list ? static_cast<std::size_t>(list->nAt) : 1; };
    d.button(10, 220, 40, 12, "Exit", [&] { d.close(); });
    d.button(10, 160, 40, 12, "Select", [&] {
        if (reader.itemCount() > 0) CTLD39423(reader, current(), call, ui);
    });
    d.button(180, 10, 50, 12, "View Data", [&] { showSegmentList(call, ui); });
    if (call.mode > 1) d.button(180, 180, 50, 12, "Export", [&] { CTLD39404(exportDialogCall(call, 1), ui); });
    list = &d.arrayList(30, 10, 280, 130, request ? "Eligibility Request" : "Eligibility Response",
                        [&](std::size_t n) { return CTL39412V(lines, n, kind); },
                        [&] { return static_cast<int>(lines.size()); });
    d.run(ui, [&] {
        std::vector<std::string> shown;
        for (std::size_t n = 1; n <= lines.size(); ++n) shown.push_back(CTL39412V(lines, n, kind));
        return ShownDialog{"", nullptr, shown, current()};
    });
    return "";
}

std::string CTLD39423(const EligibilityReader& reader, std::size_t k, const ScreenCall& call, const ViewerUi& ui) {
    if (auto text = eligibilityDetailOutput(reader, k, call.setId, call.mode)) return *text;
    const std::vector<std::string> lines = CTL39412E(reader, k, call.setId);
    ViewerDialog d(" Eligibility Data ", 600, 360);
    wl::TWBrowse* list = nullptr;
    list = &d.arrayList(10, 10, 280, 140, "Eligibility Data Detail",
                        [&](std::size_t n) { return n >= 1 && n <= lines.size() ? lines[n - 1] : std::string(); },
                        [&] { return static_cast<int>(lines.size()); });
    d.button(160, 170, 40, 12, "Print", [&] {
        CTL394PRTC(lines, "Eligibility", PrintOrientation::Portrait, ui.print);
        d.close();
    });
    d.button(160, 230, 40, 12, "Exit", [&] { d.close(); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, lines, static_cast<std::size_t>(list->nAt)}; });
    return "";
}

}  // namespace zr
