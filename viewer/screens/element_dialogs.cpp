#include "element_dialogs.hpp"

#include "elements.hpp"
#include "segment_lines.hpp"

namespace zr {

void CTLD39401(const std::string& segmentId, const std::string& segmentText, const X12Delimiters& delimiters, int mode,
               const ViewerUi& ui) {
    const std::vector<std::string> lines = elementLines(segmentText, delimiters);
    ViewerDialog d(segmentId + " Segment ", 500, 200);
    d.button(10, 200, 40, 12, "Exit", [&] { d.close(); });
    wl::TWBrowse* list = nullptr;
    d.button(30, 200, 40, 12, "Select", [&] {
        if (!lines.empty() && list) CTLD39402(list->nAt, segmentId, segmentText, delimiters, mode, ui);
    });
    list = &d.arrayList(
        10, 10, 180, 80, "Line Data", [&](std::size_t n) { return n >= 1 && n <= lines.size() ? lines[n - 1] : ""; },
        [&] { return static_cast<int>(lines.size()); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, lines, static_cast<std::size_t>(list->nAt)}; });
}

void CTLD39402(int k, const std::string& segmentId, const std::string& segmentText, const X12Delimiters& delimiters,
               int /*mode*/, const ViewerUi& ui) {
    const std::string value(CTL39400AU(segmentText, k, delimiters.element));
    ViewerDialog d("Segment " + segmentId + " Element " + std::to_string(k), 600, 180);
    d.label(10, 10, 100, 10, [] { return std::string("Current Value:"); });
    d.label(20, 10, 360, 10, [&] { return value; });
    d.button(70, 90, 40, 12, "Exit", [&] { d.close(); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, {value}, 1}; });
}

}  // namespace zr
