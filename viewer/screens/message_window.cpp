#include "message_window.hpp"

#include "data_sheet_window.hpp"
#include "message_screen.hpp"
#include "segment_list_window.hpp"

namespace zr {

std::string CTLD39409(const ScreenCall& call, const ViewerUi& ui) {
    if (auto text = messageOutput(call.mode)) return *text;
    const std::string title = messageTitleLine(*call.table);
    ViewerDialog d("View X12 ", 600, 180);
    d.label(10, 10, 100, 10, [] { return std::string("Message Title :  "); });
    d.label(20, 10, 100, 10, [&] { return title; });
    d.button(10, 220, 60, 12, "Exit", [&] { d.close(); });
    d.button(30, 220, 60, 12, "View Data", [&] { showSegmentList(call, ui); });
    d.button(50, 220, 60, 12, "Print", [&] { CTL394PRTG(call.fileName, *call.table, ui.print); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, {"Message Title :  ", title}, 1}; });
    return "";
}

}  // namespace zr
