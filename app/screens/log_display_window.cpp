#include "log_display_window.hpp"

#include <algorithm>
#include <memory>

#include "button.hpp"
#include "control.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "multiget.hpp"
#include "screen_font.hpp"
#include "messages.hpp"
#include "odbc_view_window.hpp"
#include "programs.hpp"
#include "system_facts.hpp"
#include "text.hpp"
#include "viewer_dialog.hpp"

namespace zr {

namespace {

// A dialog of 300 x 533 pixels with the text and "Exit".
void showText(const std::string& title, const std::string& text) {
    auto font = courierFont(8, 14);
    wl::TDialog dialog;
    wl::DialogNew d;
    d.cCaption = title;
    d.nWidth = 533;
    d.nHeight = 300;
    d.oFont = font;
    dialog.New(d);
    // The log's text, read only.
    std::string shown = text;
    wl::TMultiGet log;
    wl::MultiGetNew m;
    m.oWnd = &dialog;
    m.lPixel = true;
    m.nRow = 8;
    m.nCol = 8;
    m.nWidth = 533 - 24;
    m.nHeight = 300 - 80;
    m.lHScroll = true;
    m.lReadOnly = true;
    m.bSetGet = wl::bindTo(shown);
    log.New(m);
    wl::TButton exit;
    wl::ButtonNew b;
    b.oWnd = &dialog;
    b.lPixel = true;
    b.nRow = 300 - 64;
    b.nCol = (533 - 96) / 2;
    b.nWidth = 96;
    b.nHeight = 24;
    b.cCaption = "Exit";
    b.oFont = font;
    b.bAction = [&dialog](wl::TWindow&) { dialog.End(1); };
    exit.New(b);
    wl::DialogActivate a;
    a.lCentered = true;
    dialog.Activate(a);
    font->End();
}

}  // namespace

void CTLD33500(LogMode mode, HWND /*owner*/, const LogDisplayContext& context) {
    if (opensNotepad(mode)) {
        const std::string command = notepadCommand(wl::GETWINDIR(), notepadFile(mode, context.lastRunLog));
        if (context.start)
            context.start(command);
        else
            wl::WINEXEC(command);
        return;
    }
    if (!textModeFile(mode).empty()) {
        showText(logTitle(mode), textModeContent(mode, context.currentFolder));
        return;
    }
    if (mode == LogMode::ViewFile) {
        const std::string name = CTLD33501("");
        if (!wl::alltrim(name).empty()) showText(logTitle(mode), viewFileContent(name, context.currentFolder));
        return;
    }
    if (mode == LogMode::OdbcData) {
        odbcDataView();
        return;
    }
    // The table views need work areas and the table browse, which this
    // version does not have.
    wl::MSGINFO(wl::Value("Not available."), wl::Value(logTitle(mode)));
}

std::string CTLD33501(const std::string& fileName) {
    std::string name = wl::padRight(fileName, std::max<std::size_t>(60, fileName.size()));
    std::string result;
    ViewerDialog d("Enter File Name", 400, 120);
    d.label(8, 6, 50, 10.8, [] { return std::string("View File:"); });
    wl::TGet& field = d.edit(8, 56, 130, 10.8, wl::bindTo(name));
    d.button(30, 6, 40, 10.8, "Browse", [&] {
        wl::FileDialogRequest r;
        r.filter = "*.*";
        r.title = "Select File";
        const std::string chosen = wl::CGETFILE(r);
        if (chosen.empty()) return;
        const std::string kept = viewFileName(chosen);
        name = wl::padRight(kept, std::max<std::size_t>(60, kept.size()));
        field.Refresh();
    });
    d.button(30, 80, 48, 10.8, "Continue", [&] {
        result = wl::alltrim(name);
        d.close();
    });
    d.button(30, 150, 40, 10.8, "Exit", [&] { d.close(); });
    d.run({}, {});
    return result;
}

}  // namespace zr
