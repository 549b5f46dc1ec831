#include "segment_list_window.hpp"

#include "element_dialogs.hpp"
#include "messages.hpp"
#include "module_state.hpp"
#include "prompts.hpp"
#include "segment_list.hpp"

namespace zr {

std::string CTLD39420(const ScreenCall& call, const ViewerUi& ui) {
    if (call.app->module.viewerState == ViewerState::Unattended) return "";
    if (auto text = segmentListOutput(*call.table, call.mode)) return *text;
    showSegmentList(call, ui);
    return "";
}

void showSegmentList(const ScreenCall& call, const ViewerUi& ui) {
    SegmentListModel model(*call.table);
    const std::string footer = segmentListFooter(call.rowCount(), call.delimiters);
    ViewerDialog d("View X12 ", 600, 400);
    wl::TSay& heading = d.label(10, 10, 100, 10, [&] { return model.heading(); });
    wl::TWBrowse* list = nullptr;
    auto repaint = [&] {
        heading.SetText(wl::Value(model.heading()));
        if (list) list->Display();
    };
    d.button(30, 10, 60, 12, "Change View", [&] {
        model.changeView();
        repaint();
    });
    d.button(30, 80, 60, 12, "Go To", [&] {
        const long long answer = CTL394GOTO(static_cast<long long>(model.current()), ui);
        list->GoTop();
        model.goTo(answer);
        repaint();
    });
    d.button(30, 150, 60, 12, "Search", [&] {
        const std::string answer = CTL394SEEK(model.searchText(), ui);
        list->GoTop();
        const bool found = model.search(answer);
        repaint();
        if (!found) wl::MSGINFO(model.searchText() + " Not Found");
    });
    d.button(30, 220, 60, 12, "Select", [&] {
        const std::size_t r = model.current();
        if (r >= 1 && r <= model.rowCount())
            CTLD39401(std::string(model.table().id(r)), std::string(model.table().text(r)), call.delimiters, call.mode,
                      ui);
    });
    list = &d.list(50, 10, 280, 120, "Line Data", [&] { return model.line(model.current()); });
    list->bGoTop = [&] { model.goTop(); };
    list->bGoBottom = [&] { model.goBottom(); };
    list->bSkip = [&](int n) { return model.skip(n); };
    list->bLogicLen = [&] { return static_cast<int>(model.rowCount()); };
    d.label(172, 10, 100, 30, [&] { return footer; });
    d.button(180, 150, 60, 12, "Print", [&] { CTL394PRTA(call.fileName, *call.table, ui.print); });
    d.button(180, 220, 60, 12, "Exit", [&] { d.close(); });
    d.run(ui, [&] {
        std::vector<std::string> lines;
        // The current row and the eleven after it.
        for (std::size_t r = model.current(); r < model.current() + 12 && r <= model.rowCount(); ++r)
            lines.push_back(model.line(r));
        return ShownDialog{"", nullptr, lines, model.current()};
    });
}

}  // namespace zr
