#include "dbf_structure_dialog.hpp"

#include <cstdlib>

#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "text.hpp"
#include "value_conversion.hpp"
#include "xbrowse.hpp"

namespace wl {

namespace {

enum DbfStructColumn { kName = 1, kType, kLength, kDecimals, kAdo, kInclude };

ValueList dbfStructLines(const std::vector<DbfStructRow>& rows) {
    ValueList lines;
    for (const DbfStructRow& r : rows)
        lines.push_back(Value(ValueList{Value(r.name), Value(dbfStructTypeCaption(r.type)), Value(r.length),
                                        Value(r.decimals), Value(r.adoType), Value(r.include)}));
    return lines;
}

// A typed type: its caption or its letter, in any case; 0 when neither.
char dbfStructTypeTyped(const std::string& typed) {
    const std::string t = upper(alltrim(typed));
    for (const DbfStructType& type : dbfStructTypes())
        if (upper(type.caption) == t || (t.size() == 1 && t[0] == type.type)) return type.type;
    return 0;
}

int dbfStructNumber(const Value& typed) {
    return typed.isNumber() ? static_cast<int>(typed.number()) : static_cast<int>(std::strtol(alltrim(CVALTOCHAR(typed)).c_str(), nullptr, 10));
}

}  // namespace

bool EDITDBFSTRUCT(std::vector<DbfStructRow>& rows, TWindow* owner) {
    constexpr int kWidth = 500, kHeight = 400, kMargin = 10;
    constexpr int kButtonWidth = 76, kButtonHeight = 26;
    std::vector<DbfStructRow> edited = rows;
    auto font = TFont::New(FontSpec{"Tahoma", 0, -14});

    TDialog d;
    DialogNew dn;
    dn.lPixel = true;
    dn.nBottom = kHeight;
    dn.nRight = kWidth;
    dn.cCaption = "DBF STRUCTURE";
    dn.oWnd = owner;
    dn.oFont = font;
    d.New(dn);

    const int browseWidth = kWidth - 2 * kMargin - 16;
    const int browseHeight = kHeight - 3 * kMargin - kButtonHeight - 40;
    TXBrowse browse;
    XBrowseModel& m = browse.model();
    m.SetArray(dbfStructLines(edited));
    const char* headers[] = {"FieldName", "Type", "Len", "Dec", "ADO", "Include"};
    for (std::size_t i = 0; i < m.aCols.size() && i < 6; ++i) m.aCols[i].cHeader = headers[i];
    auto refresh = [&] {
        m.aArrayData = dbfStructLines(edited);
        browse.Refresh();
    };
    auto current = [&]() -> DbfStructRow* {
        const int n = m.nArrayAt;
        return n >= 1 && n <= static_cast<int>(edited.size()) ? &edited[static_cast<std::size_t>(n - 1)] : nullptr;
    };
    std::vector<std::string> captions;
    for (const DbfStructType& t : dbfStructTypes()) captions.push_back(t.caption);
    m.aCols[kType - 1].nEditType = 2;
    m.aCols[kType - 1].aEditListTxt = captions;
    m.aCols[kAdo - 1].lReadOnly = true;
    m.aCols[kLength - 1].bEditWhen = [&] { return current() && dbfStructLengthEditable(*current()); };
    m.aCols[kDecimals - 1].bEditWhen = [&] { return current() && dbfStructDecimalsEditable(*current()); };
    auto onEdit = [&](int column) {
        return [&, column](TXBrwColumn&, const Value& typed, int key) {
            DbfStructRow* row = current();
            if (key == 27 || !row) return;
            const std::size_t index = static_cast<std::size_t>(m.nArrayAt - 1);
            switch (column) {
                case kName:
                    if (dbfStructNameAccepted(edited, index, CVALTOCHAR(typed))) row->name = alltrim(CVALTOCHAR(typed));
                    break;
                case kType:
                    if (const char t = dbfStructTypeTyped(CVALTOCHAR(typed))) dbfStructSetType(*row, t);
                    break;
                case kLength: dbfStructSetLength(*row, dbfStructNumber(typed)); break;
                case kDecimals: dbfStructSetDecimals(*row, dbfStructNumber(typed)); break;
                case kInclude:
                    row->include = typed.isLogical() ? typed.logical() : upper(alltrim(CVALTOCHAR(typed))) == ".T.";
                    break;
                default: break;
            }
            refresh();
        };
    };
    for (int c : {kName, kType, kLength, kDecimals, kInclude}) m.aCols[static_cast<std::size_t>(c - 1)].bOnPostEdit = onEdit(c);
    browse.New(&d, kMargin, kMargin, browseWidth, browseHeight, font);

    bool accepted = false;
    TButton cancel, ok;
    ButtonNew bn;
    bn.oWnd = &d;
    bn.lPixel = true;
    bn.nRow = kMargin + browseHeight + kMargin;
    bn.nWidth = kButtonWidth;
    bn.nHeight = kButtonHeight;
    bn.oFont = font;
    bn.nCol = kMargin + browseWidth - 80;
    bn.cCaption = "OK";
    bn.bAction = [&](TWindow&) {
        accepted = true;
        d.End(1);
    };
    ok.New(bn);
    bn.nCol -= 86;
    bn.cCaption = "Cancel";
    bn.lCancel = true;
    bn.bAction = [&](TWindow&) { d.End(2); };
    cancel.New(bn);

    DialogActivate act;
    act.lCentered = true;
    act.bInit = [&](TWindow&) { browse.SetFocus(); };
    d.Activate(act);
    if (!accepted) return false;
    dbfStructTrimNames(edited);
    rows = edited;
    return true;
}

}  // namespace wl
