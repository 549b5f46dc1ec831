#include "xbrowse_dialog.hpp"

#include <algorithm>
#include <memory>
#include <vector>

#include "button.hpp"
#include "checkbox.hpp"
#include "font.hpp"
#include "message_loop.hpp"
#include "messages.hpp"
#include "text.hpp"
#include "xbrowse_source.hpp"

namespace wl {

namespace {

// Buttons and labels 35 x 11 and 14 high in the dialog's units of two pixels.
constexpr int kXbdButtonWidth = 70, kXbdButtonHeight = 22, kXbdSearchLine = 14;

std::shared_ptr<TFont> xbdFont() {
    if (HWND main = GETWNDAPP())
        if (TWindow* w = OWNDFROMHWND(main); w && w->oFont) return w->oFont;
    FontSpec spec;
    spec.cFaceName = "TAHOMA";
    spec.nHeight = -std::max(8, GetSystemMetrics(SM_CXSCREEN) / 100);
    return TFont::New(spec);
}

}  // namespace

void FITSIZES(TDialog& dialog, TXBrowse& browse) {
    if (!dialog.hWnd || !browse.hWnd) return;
    XBrowseModel& m = browse.model();
    int want = int(browse.BrwFitSize().cx);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    want = std::clamp(want, 300, std::max(300, int(work.right - work.left) * 9 / 10));
    RECT b{};
    GetWindowRect(browse.hWnd, &b);
    const int delta = want - int(b.right - b.left);
    RECT d{};
    GetWindowRect(dialog.hWnd, &d);
    SetWindowPos(dialog.hWnd, nullptr, 0, 0, int(d.right - d.left) + delta, int(d.bottom - d.top),
                 SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(browse.hWnd, nullptr, 0, 0, want, int(b.bottom - b.top), SWP_NOMOVE | SWP_NOZORDER);
    // The last column takes what is left of the width.
    const auto shown = m.Display();
    RECT client{};
    GetClientRect(browse.hWnd, &client);
    int used = 0;
    for (int c : shown) used += m.aCols[size_t(c) - 1].nWidth;
    if (!shown.empty() && used < client.right) m.aCols[size_t(shown.back()) - 1].nWidth += int(client.right) - used;
    browse.Refresh();
    // Centred on the screen.
    GetWindowRect(dialog.hWnd, &d);
    SetWindowPos(dialog.hWnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - int(d.right - d.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - int(d.bottom - d.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetFocus(browse.hWnd);
}

void XBROWSE(const XBrowseArgs& args) {
    const std::shared_ptr<TFont> font = xbdFont();
    const int width = GetSystemMetrics(SM_CXSCREEN) * 3 / 4, height = GetSystemMetrics(SM_CYSCREEN) / 2;
    TDialog dlg;
    DialogNew dn;
    dn.cCaption = args.cTitle;
    dn.nWidth = width;
    dn.nHeight = height;
    dn.oFont = font;
    dlg.New(dn);
    RECT probe{0, 0, width, height};
    AdjustWindowRect(&probe, dn.nStyle, FALSE);
    const int clientW = width - int(probe.right - probe.left - width), clientH = height - int(probe.bottom - probe.top - height);

    TXBrowse brw;
    // Searching needs a sorted column: with auto-search the columns sort. A
    // table opened here is closed afterwards and the area selected before
    // is selected again.
    const std::string before = dbfSelected() ? dbfSelected()->Alias() : std::string();
    const std::string opened = XBRWSETDATASOURCE(brw.model(), args.uData, args.aCols, args.lAutoSearch);
    XBrowseModel& m = brw.model();
    m.nMarqueeStyle = 3;
    brw.nRowDividerStyle = brw.nColDividerStyle = 1;
    brw.lColDividerComplete = true;
    for (TXBrwColumn& c : m.aCols) {
        if (c.DataType() == 'L') c.SetCheck({}, args.lFastEdit ? std::optional<int>(1) : std::nullopt);
        if (args.lFastEdit) c.nEditType = 1;
    }
    m.lFastEdit = args.lFastEdit;
    const int searchLine = args.lAutoSearch ? kXbdSearchLine : 0;
    // The dialog less 30 pixels (and the search line) around the browse;
    // the buttons' line below it.
    brw.New(&dlg, 10 + searchLine, 10, clientW - 20, clientH - 30 - searchLine - kXbdButtonHeight, font);
    brw.nStyle &= ~DWORD(WS_BORDER);
    brw.nClrSelFocusText = RGB(255, 255, 255);
    brw.nClrSelFocusBack = RGB(0, 0, 128);

    std::vector<std::unique_ptr<TControl>> controls;
    Value wild(m.lSeekWild);
    if (args.lAutoSearch) {
        auto label = std::make_unique<TSay>();
        SayNew sn;
        sn.nRow = 2, sn.nCol = 10, sn.lPixel = true, sn.nWidth = 70, sn.nHeight = kXbdSearchLine;
        sn.bText = [] { return Value("Search For :"); };
        sn.oWnd = &dlg;
        label->New(sn);
        auto seek = std::make_unique<TSay>();
        sn.nCol = 85, sn.nWidth = 150;
        sn.bText = [&m] { return Value(m.cSeek); };
        sn.nClrText = Color(128), sn.nClrBack = Color(65535);
        seek->New(sn);
        brw.oSeek = seek.get();
        auto check = std::make_unique<TCheckBox>();
        CheckBoxNew cn;
        cn.nRow = 0, cn.nCol = 250, cn.lPixel = true, cn.nWidth = 90, cn.nHeight = kXbdSearchLine + 2;
        cn.cCaption = "WildSeek";
        cn.bSetGet = bindTo(wild);
        cn.oWnd = &dlg;
        // Changing it searches again with the new rule.
        cn.bChange = [&](const Value& v, TControl&) {
            m.lSeekWild = v.logical();
            if (!m.cSeek.empty()) m.Seek(m.cSeek);
            brw.Refresh();
        };
        check->New(cn);
        controls.push_back(std::move(label));
        controls.push_back(std::move(seek));
        controls.push_back(std::move(check));
    }

    const int row = clientH - kXbdButtonHeight - 6;
    int col = 10;
    auto button = [&](const std::string& caption, std::function<void(TWindow&)> action) {
        auto b = std::make_unique<TButton>();
        ButtonNew bn;
        bn.nRow = row, bn.nCol = col, bn.lPixel = true;
        bn.nWidth = kXbdButtonWidth, bn.nHeight = kXbdButtonHeight;
        bn.cCaption = caption;
        bn.oWnd = &dlg;
        bn.bAction = std::move(action);
        b->New(bn);
        b->nStyle &= ~DWORD(WS_TABSTOP);
        col += kXbdButtonWidth + 6;
        controls.push_back(std::move(b));
    };
    button("Print", [&](TWindow&) { brw.Report(args.cTitle); });
    if (args.lExcel) button("Excel", [&](TWindow&) { m.ToExcel(); });
    else button("Calc", [&](TWindow&) { m.ToCalc(); });
    auto select = [&] {
        args.bSelect(brw, m.SelectedCol());
        dlg.End(1);
    };
    if (args.bSelect) {
        button("Select", [&](TWindow&) { select(); });
        brw.bKeyChar = [&](WPARAM key, LPARAM) -> Answer {
            if (key != VK_RETURN || brw.Editor()) return std::nullopt;
            select();
            return 0;
        };
        brw.bLDblClick = [&](int, int, WPARAM, TWindow&) -> Answer {
            select();
            return 0;
        };
    }
    button(args.bSelect ? "Cancel" : "Close", [&](TWindow&) { dlg.End(2); });
    if (args.bSetUp) args.bSetUp(brw);

    DialogActivate da;
    da.bValid = args.bValid ? args.bValid : [](TWindow&) { return true; };
    da.bInit = [&](TWindow&) { FITSIZES(dlg, brw); };
    dlg.Activate(da);
    brw.oSeek = nullptr;
    brw.model().SetArray({});
    if (!opened.empty()) dbfCloseArea(opened);
    if (!before.empty()) dbfSelect(before);
}

std::string TXBrowse::ToDbf(const std::string& path, bool confirm) {
    CancelEdit();
    std::vector<DbfField> fields = m_.DbfStructure();
    if (confirm && !fields.empty()) {
        // The structure as rows of name, type, length and decimals, edited
        // in place; the rows are read back as the dialog closes.
        ValueList rows;
        for (const DbfField& f : fields)
            rows.emplace_back(ValueList{Value(f.name), Value(std::string(1, f.type)), Value(f.length), Value(f.decimals)});
        TXBrowse* grid = nullptr;
        XBrowseArgs a;
        a.uData = Value(rows);
        a.cTitle = path + ":STRUCTURE";
        a.lFastEdit = true;
        a.bSetUp = [&grid](TXBrowse& b) {
            grid = &b;
            const char* headers[] = {"Field Name", "Type", "Len", "Dec"};
            const char* pictures[] = {"@!", "!", "99", "99"};
            for (size_t i = 0; i < b.model().aCols.size() && i < 4; ++i) {
                b.model().aCols[i].cHeader = headers[i];
                b.model().aCols[i].cEditPicture = pictures[i];
            }
        };
        a.bValid = [&](TWindow&) {
            if (grid) rows = grid->model().aArrayData;
            return true;
        };
        XBROWSE(a);
        for (size_t i = 0; i < fields.size() && i < rows.size(); ++i) {
            const ValueList& r = rows[i].list();
            if (r.size() < 4) continue;
            fields[i].name = rtrim(CVALTOCHAR(r[0]));
            fields[i].type = CVALTOCHAR(r[1]).empty() ? 'C' : CVALTOCHAR(r[1])[0];
            fields[i].length = int(r[2].number());
            fields[i].decimals = int(r[3].number());
        }
    }
    const std::string error = m_.ToDbf(path, fields);
    Refresh();
    if (error.empty() && confirm && MSGYESNO(Value("View " + path + " ?"), Value("Please select"))) {
        XBrowseArgs view;
        view.uData = Value(path);
        view.cTitle = path;
        XBROWSE(view);
    }
    return error;
}

}  // namespace wl
