#include "log_display_window.hpp"

#include <memory>

#include "button.hpp"
#include "control.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "multiget.hpp"
#include "screen_font.hpp"
#include "messages.hpp"
#include "programs.hpp"
#include "system_facts.hpp"

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
    // The data views need the table browses and the data source screens,
    // which this version does not have.
    const std::string what = mode == LogMode::OdbcData ? "The data source is not available." : "Not available.";
    wl::MSGINFO(what, wl::Value(logTitle(mode)));
}

}  // namespace zr
