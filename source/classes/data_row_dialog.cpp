#include "data_row_dialog.hpp"

#include <memory>

#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "value_conversion.hpp"
#include "xbrowse.hpp"

namespace wl {

namespace {

// A child's rectangle in its parent's client coordinates.
RECT dataRowChildRect(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

void SETEDITDLG(TDialog& d, TXBrowse& browse, const std::vector<TButton*>& buttons, int rows) {
    XBrowseModel& m = browse.model();
    if (m.aCols.size() >= 2) {
        m.aCols[0].nWidth = editPromptWidth(m.aCols[0].nWidth);
        m.aCols[1].nWidth = editValueWidth(m.aCols[1].nWidth);
    }
    const RECT br = dataRowChildRect(browse.hWnd, d.hWnd);
    const SIZE fit = browse.BrwFitSize(false, rows);
    RECT dr{};
    GetWindowRect(d.hWnd, &dr);
    const EditDialogLayout l =
        editDialogLayout(br.left, br.right - br.left, br.bottom - br.top, fit.cx, fit.cy, dr.right - dr.left,
                         dr.bottom - dr.top, static_cast<int>(buttons.size()));
    SetWindowPos(d.hWnd, nullptr, 0, 0, l.dialogWidth, l.dialogHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    browse.Move(br.top, br.left, l.browseWidth, l.browseHeight);
    m.nStretchCol = 2;
    m.ColStretch();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const RECT r = dataRowChildRect(buttons[i]->hWnd, d.hWnd);
        buttons[i]->Move(r.top - l.shiftUp, l.buttonLeft[i]);
    }
    d.Center();
    browse.Refresh();
    browse.SetFocus();
}

bool DataRowEditDialog(TDataRow& row, bool readOnly, TWindow* owner) {
    constexpr int kWidth = 900, kHeight = 600, kMargin = 10;
    constexpr int kButtonWidth = 76, kButtonHeight = 26, kButtonStep = 86;
    bool saved = false;
    auto font = TFont::New(FontSpec{"Tahoma", 0, -14});

    TDialog d;
    DialogNew dn;
    dn.lPixel = true;
    dn.nTop = 0;
    dn.nLeft = 0;
    dn.nBottom = kHeight;
    dn.nRight = kWidth;
    dn.cCaption = "EDIT";
    dn.oWnd = owner;
    dn.oFont = font;
    d.New(dn);

    const int browseWidth = kWidth - 2 * kMargin - 16;
    const int browseHeight = kHeight - 3 * kMargin - kButtonHeight - 40;
    TXBrowse browse;
    XBrowseModel& m = browse.model();
    ValueList lines;
    for (int n = 1; n <= row.FCount(); ++n) lines.push_back(Value(ValueList{Value(row.FieldPrompt(n)), Value(n)}));
    m.SetArray(lines);
    m.nFreeze = 1;
    TXBrwColumn& field = m.aCols[0];
    field.cHeader = "Field";
    field.lReadOnly = true;
    TXBrwColumn& value = m.aCols[1];
    value.cHeader = "Value";
    value.cDataType = 'C';
    value.bEditValue = [&row, &m](const Value* v) -> Value {
        const int n = m.nArrayAt;
        if (!v) return Value(row.EditValueText(n));
        return *v;
    };

    TButton undo, save, close;
    auto follow = [&] {
        if (!readOnly) {
            row.EditCanUndo() ? undo.Enable() : undo.Disable();
            row.EditCanSave(readOnly) ? save.Enable() : save.Disable();
        }
        close.SetText(row.EditCloseCaption());
        browse.Refresh();
    };
    // A typed text becomes a value of the field's type; rows that may not
    // be edited keep their value.
    value.bOnPostEdit = [&](TXBrwColumn&, const Value& typed, int key) {
        const int n = m.nArrayAt;
        if (key == 27 || readOnly || !row.EditCellEditable(n)) return;
        const char type = row.FieldType(n);
        const std::string text = typed.isText() ? typed.text() : CVALTOCHAR(typed);
        const Value v = type == 'C' || type == 'U' ? Value(text) : UCHARTOVAL(text, std::string(1, type));
        row.FieldPut(n, v);
        follow();
    };
    browse.New(&d, kMargin, kMargin, browseWidth, browseHeight, font);

    // The buttons from the right: the last at the browse's right less 80,
    // each earlier one 86 further left.
    ButtonNew bn;
    bn.oWnd = &d;
    bn.lPixel = true;
    bn.nRow = kMargin + browseHeight + kMargin;
    bn.nWidth = kButtonWidth;
    bn.nHeight = kButtonHeight;
    bn.oFont = font;
    int col = kMargin + browseWidth - 80;
    bn.nCol = col;
    bn.cCaption = "&Close";
    bn.lCancel = true;
    bn.bAction = [&](TWindow&) {
        if (row.EditMayClose(readOnly)) d.End(2);
    };
    close.New(bn);
    bn.lCancel = false;
    if (!readOnly) {
        bn.nCol = col -= kButtonStep;
        bn.cCaption = "&Save";
        bn.bAction = [&](TWindow&) {
            if (row.Save()) saved = true;
            follow();
        };
        save.New(bn);
        bn.nCol = col - kButtonStep;
        bn.cCaption = "&Undo";
        bn.bAction = [&](TWindow&) {
            row.Undo();
            follow();
        };
        undo.New(bn);
    }

    DialogActivate act;
    act.lCentered = true;
    act.bInit = [&](TWindow&) {
        std::vector<TButton*> buttons;
        if (!readOnly) buttons = {&undo, &save};
        buttons.push_back(&close);
        SETEDITDLG(d, browse, buttons, row.FCount());
        follow();
    };
    d.Activate(act);
    return saved;
}

bool EditDataRow(TDataRow& row, std::optional<bool> readOnly) {
    row.editWindow = [](TDataRow& r, bool ro) { return DataRowEditDialog(r, ro); };
    return row.Edit(readOnly);
}

}  // namespace wl
