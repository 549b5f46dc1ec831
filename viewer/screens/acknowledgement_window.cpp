#include "acknowledgement_window.hpp"

#include "acknowledgement_screen.hpp"
#include "data_sheet_window.hpp"
#include "segment_list_window.hpp"

namespace zr {

std::string CTLD39408(const ScreenCall& call, const ViewerUi& ui) {
    if (auto text = acknowledgementOutput(call.fileName, *call.table, call.mode)) return *text;
    const SegmentTable& table = *call.table;
    const std::vector<std::string> header = acknowledgementHeaderLines(table);
    const std::vector<std::string> errors = acknowledgementErrorLines(table);
    ViewerDialog d("997/999 Acknowledgement", 600, 400);
    for (std::size_t k = 0; k < header.size(); ++k)
        d.label(10.0 + 10.0 * static_cast<double>(k), 10, 300, 10, [line = header[k]] { return line; });
    wl::TWBrowse& list =
        d.arrayList(100, 10, 270, 70, "Error Information",
                    [&](std::size_t n) { return n >= 1 && n <= errors.size() ? errors[n - 1] : std::string(); },
                    [&] { return static_cast<int>(errors.size()); });
    d.button(180, 10, 60, 12, "View Data", [&] { showSegmentList(call, ui); });
    d.button(180, 140, 60, 12, "Print", [&] {
        CTL394PRTE(call.fileName, table, ui.print);
        d.close();
    });
    d.button(180, 220, 60, 12, "Exit", [&] { d.close(); });
    d.run(ui, [&] {
        std::vector<std::string> shown = header;
        shown.insert(shown.end(), errors.begin(), errors.end());
        return ShownDialog{"", nullptr, shown, static_cast<std::size_t>(list.nAt)};
    });
    return "";
}

}  // namespace zr
