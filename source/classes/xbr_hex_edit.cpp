#include "xbr_hex_edit.hpp"

#include <memory>
#include <vector>

#include "button_row.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "xbr_hex.hpp"
#include "xbrowse.hpp"

namespace wl {

namespace {

constexpr int kHexWidth = 620, kHexHeight = 360, kHexButtonWidth = 70, kHexButtonHeight = 22;
constexpr int kHexColumn = 3;  // LineHex, Text, HexChar

ValueList hexRows(const std::string& bytes) {
    ValueList rows;
    for (const XbrHexLine& l : xbrHexLines(bytes))
        rows.emplace_back(ValueList{Value(l.cLineHex), Value(l.cText), Value(l.cHexChar)});
    return rows;
}

// The bytes of every row's hex text (each row was checked when edited).
std::string hexRowsBytes(const ValueList& rows, const std::string& original) {
    std::string bytes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t expected = std::min<std::size_t>(16, original.size() - i * 16);
        const auto line = xbrHexBytes(rows[i].list()[kHexColumn - 1].text(), expected);
        bytes += line ? *line : original.substr(i * 16, expected);
    }
    return bytes;
}

}  // namespace

bool XBRHEXEDIT(std::string& bytes, bool readOnly, const std::string& title) {
    FontSpec spec;
    spec.cFaceName = "Courier New";
    spec.nHeight = -13;
    const std::shared_ptr<TFont> font = TFont::New(spec);
    TDialog dlg;
    DialogNew dn;
    dn.cCaption = title;
    dn.nWidth = kHexWidth;
    dn.nHeight = kHexHeight;
    dn.oFont = font;
    dlg.New(dn);
    RECT probe{0, 0, kHexWidth, kHexHeight};
    AdjustWindowRect(&probe, dn.nStyle, FALSE);
    const int clientW = 2 * kHexWidth - int(probe.right - probe.left);
    const int clientH = 2 * kHexHeight - int(probe.bottom - probe.top);

    TXBrowse brw;
    XBrowseModel& m = brw.model();
    m.SetArray(hexRows(bytes));
    const char* headers[] = {"LineHex", "Text", "HexChar"};
    const int widths[] = {80, 140, 16 * 3 * 8 + 8};
    for (std::size_t i = 0; i < m.aCols.size() && i < 3; ++i) {
        m.aCols[i].cHeader = headers[i];
        m.aCols[i].nWidth = widths[i];
        m.aCols[i].nEditType = 0;
    }
    if (m.aCols.size() < 3) {  // no bytes: the three columns, no rows
        m.aCols.clear();
        m.aDisplay.clear();
        for (int i = 0; i < 3; ++i) {
            TXBrwColumn& c = m.AddCol();
            c.cHeader = headers[i];
            c.nWidth = widths[i];
        }
    }
    TXBrwColumn& hex = m.aCols[kHexColumn - 1];
    if (!readOnly) {
        hex.nEditType = 1;
        // A line's hex is taken only when it gives the line's own count of
        // bytes; its text follows.
        hex.bOnPostEdit = [&m, &bytes](TXBrwColumn&, const Value& v, int key) {
            if (key == VK_ESCAPE || !v.isText() || m.nArrayAt < 1) return;
            const std::size_t row = std::size_t(m.nArrayAt) - 1;
            const std::size_t expected = std::min<std::size_t>(16, bytes.size() - row * 16);
            const auto line = xbrHexBytes(v.text(), expected);
            if (!line) return;
            const XbrHexLine shown = xbrHexLines(*line).front();
            ValueList r = m.aArrayData[row].list();
            r[1] = Value(shown.cText);
            r[2] = Value(shown.cHexChar);
            m.aArrayData[row] = Value(r);
        };
    }
    brw.New(&dlg, 10, 10, clientW - 20, clientH - 30 - kHexButtonHeight, font);

    bool saved = false;
    ButtonRow buttons(dlg, clientH - kHexButtonHeight - 8, kHexButtonWidth, kHexButtonHeight);
    if (!readOnly)
        buttons.Add("Save", [&](TWindow&) {
            brw.CancelEdit();
            saved = true;
            dlg.End(1);
        });
    buttons.Add("Cancel", [&](TWindow&) { dlg.End(2); });

    DialogActivate da;
    da.lCentered = true;
    da.bInit = [&](TWindow&) { SetFocus(brw.hWnd); };
    dlg.Activate(da);
    if (!saved) return false;
    const std::string edited = hexRowsBytes(m.aArrayData, bytes);
    if (edited == bytes) return false;
    bytes = edited;
    return true;
}

}  // namespace wl
