#include "data_row_dialog.hpp"

#include <memory>

#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "value_conversion.hpp"
#include "xbrowse.hpp"

namespace wl {

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
        follow();
        browse.SetFocus();
    };
    d.Activate(act);
    return saved;
}

bool EditDataRow(TDataRow& row, std::optional<bool> readOnly) {
    row.editWindow = [](TDataRow& r, bool ro) { return DataRowEditDialog(r, ro); };
    return row.Edit(readOnly);
}

}  // namespace wl
