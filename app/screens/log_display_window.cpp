#include "log_display_window.hpp"

#include <algorithm>
#include <memory>

#include "browse_function.hpp"
#include "button.hpp"
#include "dbf_area.hpp"
#include "control.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "multiget.hpp"
#include "screen_font.hpp"
#include "messages.hpp"
#include "odbc_view_window.hpp"
#include "programs.hpp"
#include "system_facts.hpp"
#include "system_info.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "viewer_dialog.hpp"
#include "wbrowse.hpp"

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

// A pop-up menu of the items at the client point of the browse; nothing is
// done with the item chosen (the menu only shows).
void showItems(wl::TWBrowse& browse, int row, int col, const std::vector<std::string>& items) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    UINT id = 1;
    for (const std::string& item : items) AppendMenuA(menu, MF_STRING, id++, item.c_str());
    POINT p{col, row};
    ClientToScreen(browse.hWnd, &p);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, p.x, p.y, 0, browse.hWnd, nullptr);
    DestroyMenu(menu);
}

// The text of the field on record n of the area, trimmed.
std::string fieldText(wl::DbfArea& area, int pos, std::uint32_t n) {
    area.GoTo(n);
    const wl::Value v = area.FieldGet(pos);
    return v.isText() ? wl::alltrim(v.text()) : std::string();
}

// Modes 2 and 3: one line per record of the table's field in a browse on
// a dialog of 300 x 533 pixels with "Exit" (and "Search" for the command
// log). The table is opened for the dialog and closed when it ends.
void showTableListing(LogMode mode, const std::string& path) {
    const bool commandLog = mode == LogMode::CommandLog;
    const std::string alias = commandLog ? "COMMAND" : "XVQ";
    const std::shared_ptr<wl::DbfArea> area = wl::USEAREA(path, alias);
    if (!area) {
        wl::MSGINFO(wl::Value("File Not Present"), wl::Value(logTitle(mode)));
        return;
    }
    wl::dbfSelect(alias);
    const int pos = area->FieldPos(tableModeField(mode));
    auto lineOf = [&](std::uint32_t n) {
        const std::string text = fieldText(*area, pos, n);
        return commandLog ? CTLD35500C(n, text) : text;
    };
    auto font = courierFont(8, 14);
    wl::TDialog dialog;
    wl::DialogNew d;
    d.cCaption = logTitle(mode);
    d.nWidth = 533;
    d.nHeight = 300;
    d.nClrText = RGB(0, 0, 0);  // "B/W+*": black on bright white
    d.nClrBack = RGB(255, 255, 255);
    d.oFont = font;
    dialog.New(d);
    wl::TWBrowse list;
    wl::WBrowseNew b;
    b.oWnd = &dialog;
    b.lPixel = true;
    b.nRow = 8;
    b.nCol = 8;
    b.nWidth = 533 - 24;
    b.nHeight = 300 - 88;
    b.oFont = font;
    b.aHeaders = {commandLog ? "Command Log" : "XVQ Imported Data"};
    b.aColSizes = {(533 - 24) * 4};
    b.bLine = [&] { return wl::ValueList{wl::Value(lineOf(static_cast<std::uint32_t>(list.nAt)))}; };
    list.New(b);
    list.SetArray([&] { return area->RecCount(); });
    list.bRClicked = [&](int row, int col, WPARAM, wl::TWindow&) {
        const auto n = static_cast<std::uint32_t>(list.nAt);
        if (n < 1 || n > static_cast<std::uint32_t>(area->RecCount())) return;
        const std::string text = fieldText(*area, pos, n);
        if (commandLog) CTLD35500E(list, row, col, text, n);
        else CTLD35500D(list, row, col, text);
    };
    auto button = [&](wl::TButton& control, int col, const std::string& caption, std::function<void()> act) {
        wl::ButtonNew n;
        n.oWnd = &dialog;
        n.lPixel = true;
        n.nRow = 300 - 64;
        n.nCol = col;
        n.nWidth = 96;
        n.nHeight = 24;
        n.cCaption = caption;
        n.oFont = font;
        n.bAction = [act = std::move(act)](wl::TWindow&) { act(); };
        control.New(n);
    };
    wl::TButton search, exit;
    if (commandLog)
        button(search, 533 / 2 - 112, "Search", [&] {
            if (list.nAt >= 1) area->GoTo(static_cast<std::uint32_t>(list.nAt));
            CTLD33500A("");
            if (area->RecCount() > 0) list.nAt = static_cast<int>(std::min<std::uint32_t>(
                                          area->RecNo(), static_cast<std::uint32_t>(area->RecCount())));
            list.Display();
        });
    button(exit, commandLog ? 533 / 2 + 16 : (533 - 96) / 2, "Exit", [&] { dialog.End(1); });
    wl::DialogActivate a;
    a.lCentered = true;
    dialog.Activate(a);
    font->End();
    wl::dbfCloseArea(alias);
}

// Mode 7: the table in the library's table browse, closed when it ends.
void showTableBrowse(LogMode mode, const std::string& path) {
    const std::string alias = "QVWDATA";
    if (!wl::USEAREA(path, alias)) {
        wl::MSGINFO(wl::Value("File Not Present"), wl::Value(logTitle(mode)));
        return;
    }
    wl::dbfSelect(alias);
    wl::BrowseArgs args;
    args.cTitle = logTitle(mode);
    wl::BROWSE(args);
    wl::dbfCloseArea(alias);
}

}  // namespace

std::string CTLD33500A(const std::string& text) {
    std::string typed = wl::padRight(text, std::max<std::size_t>(40, text.size()));
    ViewerDialog d("Command Log Search for String", 400, 90);
    d.edit(8, 6, 180, 10.8, wl::bindTo(typed));
    d.button(26, 6, 48, 10.8, "Locate", [&] {
        CTLD35500B(typed);
        d.close();
    });
    d.run({}, {});
    return wl::alltrim(typed);
}

void CTLD35500D(wl::TWBrowse& browse, int row, int col, const std::string& text) {
    showItems(browse, row, col, {text});
}

void CTLD35500E(wl::TWBrowse& browse, int row, int col, const std::string& text, long long record) {
    showItems(browse, row, col, wordPositionItems(text, record));
}

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
    const std::string table = tableModeFile(mode);
    if (table.empty()) return;
    const std::string path = wl::joinPath(context.currentFolder.empty() ? wl::currentFolder() : context.currentFolder, table);
    if (!wl::fileExists(path)) {
        wl::MSGINFO(wl::Value("File Not Present"), wl::Value(logTitle(mode)));
        return;
    }
    if (mode == LogMode::QvwData) showTableBrowse(mode, path);
    else showTableListing(mode, path);
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
