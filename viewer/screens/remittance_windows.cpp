#include "remittance_windows.hpp"

#include <algorithm>

#include "data_sheet_window.hpp"
#include "export_dialog_window.hpp"
#include "messages.hpp"
#include "prompts.hpp"
#include "remittance_detail.hpp"
#include "remittance_files.hpp"
#include "remittance_getters.hpp"
#include "remittance_listing.hpp"
#include "remittance_modes.hpp"
#include "report_writer_window.hpp"
#include "segment_list_window.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The shown lines of a list: the current line and the eleven after it.
template <class LineOf>
std::vector<std::string> shownLines(std::size_t current, std::size_t count, LineOf lineOf) {
    std::vector<std::string> lines;
    for (std::size_t n = current; n < current + 12 && n <= count; ++n) lines.push_back(lineOf(n));
    return lines;
}

// Every claim's lines for a sheet: its explanation of benefits, or the
// detail screen's lines of mode 104.
std::vector<std::vector<std::string>> remittanceSheets(const ScreenCall& call, std::size_t claims,
                                                       RemittanceSheet kind) {
    std::vector<std::vector<std::string>> sheets;
    for (std::size_t k = 1; k <= claims; ++k) {
        if (kind == RemittanceSheet::Eob) {
            sheets.push_back(CTL39407Y(call.claims, *call.table, k, 2));
        } else {
            const auto out = remittanceDetailOutput(call.claims, *call.table, k, 104, call.request);
            sheets.push_back(out ? out->lines : std::vector<std::string>{});
        }
    }
    return sheets;
}

void showDetail(const ScreenCall& call, std::size_t k, const ViewerUi& ui) {
    RemittanceDetailModel model(call.claims, *call.table, k);
    std::size_t current = 1;
    ViewerDialog d(" Remittance Data ", 600, 360);
    wl::TWBrowse* list = nullptr;
    auto lineAt = [&](std::size_t n) {
        return n >= 1 && n <= model.lines().size() ? model.lines()[n - 1] : std::string();
    };
    list = &d.list(10, 10, 280, 140, "Remittance Data Detail", [&] { return lineAt(current); });
    list->bGoTop = [&] { current = 1; };
    list->bGoBottom = [&] { current = std::max<std::size_t>(1, model.lines().size()); };
    list->bSkip = [&](int n) {
        const long long last = static_cast<long long>(std::max<std::size_t>(1, model.lines().size()));
        const long long to = std::clamp<long long>(static_cast<long long>(current) + n, 1, last);
        const int moved = static_cast<int>(to - static_cast<long long>(current));
        current = static_cast<std::size_t>(to);
        return moved;
    };
    list->bLogicLen = [&] { return static_cast<int>(model.lines().size()); };
    auto describe = [&] {
        return ShownDialog{"", nullptr,
                           shownLines(current, model.lines().size(), lineAt),
                           current};
    };
    d.button(160, 10, 60, 12, "Change View", [&] {
        model.changeView();
        list->GoTop();
        list->Display();
        // The observer sees the new view as it sees a dialog open.
        if (!ui.shown) return;
        ShownDialog shown = describe();
        shown.caption = " Remittance Data ";
        shown.hWnd = d.dialog().hWnd;
        ui.shown(shown);
    });
    d.button(160, 80, 60, 12, "Create 835", [&] {
        CTL39407AP(call.claims, *call.table, CTL39407AA(1, "CLP", *call.table), k, call.currentFolder,
                   call.fileName);
    });
    // Both print through the paged printer and close the detail.
    d.button(160, 160, 30, 12, "EOB", [&] {
        CTL394PRTC(CTL39407Y(call.claims, *call.table, k, 2), "EOB", PrintOrientation::Landscape, ui.print);
        d.close();
    });
    d.button(160, 200, 40, 12, "Print", [&] {
        CTL394PRTC(model.lines(), "X12 835 Reittance", PrintOrientation::Portrait, ui.print);
        d.close();
    });
    d.button(160, 250, 40, 12, "Exit", [&] { d.close(); });
    d.run(ui, describe);
}

void showListing(const ScreenCall& call, const ViewerUi& ui) {
    RemittanceListModel model(remittanceListing(*call.table));
    ViewerDialog d("View X12 " + call.setId + " Version " + call.version, 600, 400);
    wl::TWBrowse* list = nullptr;
    d.button(10, 10, 40, 12, "Search", [&] {
        const std::string answer = CTL394SEEK(model.searchText(), ui);
        list->GoTop();
        const bool found = model.search(answer);
        list->Display();
        if (!found) wl::MSGINFO(wl::alltrim(answer) + " Not Found");
    });
    d.button(10, 76, 50, 12, "View Data", [&] { showSegmentList(call, ui); });
    d.button(10, 160, 40, 12, "Select", [&] {
        if (model.listing().claims() == 0) return;
        CTLD39413(call, model.current(), 1, ui);
    });
    d.button(10, 220, 40, 12, "Exit", [&] { d.close(); });
    list = &d.list(30, 10, 280, 130, kRemittanceListHeader, [&] { return model.line(model.current()); });
    list->bGoTop = [&] { model.goTop(); };
    list->bGoBottom = [&] { model.goBottom(); };
    list->bSkip = [&](int n) { return model.skip(n); };
    list->bLogicLen = [&] { return static_cast<int>(model.count()); };
    const std::string totals = model.listing().totalsLine(), patient = model.listing().patientLine();
    d.label(160, 10, 250, 10, [totals] { return totals; });
    d.label(170, 10, 250, 10, [patient] { return patient; });
    // The 835's report holds its segment data (report kind 3).
    d.button(180, 10, 40, 12, "Format", [&] { CTL394RPTA("", call, 3, ui); });
    d.button(180, 60, 50, 12, "Listing", [&] { CTLD39404(exportDialogCall(call, 2), ui); });
    d.button(180, 120, 50, 12, "Print All", [&] {
        CTL394PRTJ(remittanceSheets(call, model.listing().claims(), RemittanceSheet::DataSheet),
                   RemittanceSheet::DataSheet, ui.print);
    });
    d.button(180, 180, 50, 12, "EOB All", [&] {
        CTL394PRTJ(remittanceSheets(call, model.listing().claims(), RemittanceSheet::Eob), RemittanceSheet::Eob,
                   ui.print);
    });
    if (call.mode > 1) d.button(180, 240, 50, 12, "Export", [&] { CTLD39404(exportDialogCall(call, 1), ui); });
    d.run(ui, [&] {
        std::vector<std::string> lines =
            shownLines(model.current(), model.count(), [&](std::size_t n) { return model.line(n); });
        lines.push_back(totals);
        lines.push_back(patient);
        return ShownDialog{"", nullptr, lines, model.current()};
    });
}

}  // namespace

std::string CTLD39407(const ScreenCall& call, const ViewerUi& ui) {
    // Mode 109: the batch export, no window.
    if (call.mode == 109) return CTLD39404(exportDialogCall(call, 1), ui);
    if (auto text = remittanceListingOutput(call)) return *text;
    showListing(call, ui);
    return "";
}

RemittanceDetailOutput CTLD39413(const ScreenCall& call, std::size_t k, double mode, const ViewerUi& ui) {
    if (auto out = remittanceDetailOutput(call.claims, *call.table, k, mode, call.request)) return *out;
    showDetail(call, k, ui);
    return {};
}

}  // namespace zr
