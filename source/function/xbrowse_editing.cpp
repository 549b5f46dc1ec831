#include "xbrowse_editing.hpp"

#include <algorithm>
#include <cctype>

#include "text.hpp"

namespace wl {

namespace {

constexpr int kKeyTab = 9, kKeyEnter = 13, kKeyUp = 0x26, kKeyDown = 0x28;

bool xbrIsMultiLine(const Value& v) { return v.isText() && v.text().find_first_of("\r\n") != std::string::npos; }

// The display position (from 1) of the next or previous editable column
// from `from`, 0 when none in that direction.
int xbrEditableFrom(XBrowseModel& brw, int from, int step) {
    const auto d = brw.Display();
    for (int i = from; i >= 1 && i <= int(d.size()); i += step)
        if (xbrCanEdit(brw, brw.aCols[size_t(d[size_t(i) - 1]) - 1])) return i;
    return 0;
}

}  // namespace

bool xbrCanEdit(const XBrowseModel& brw, const TXBrwColumn& col) {
    if (brw.lReadOnly || col.lReadOnly || col.nEditType == 0 || brw.nLen == 0) return false;
    return !col.bEditWhen || col.bEditWhen();
}

bool xbrViewsMemo(const XBrowseModel& brw, const TXBrwColumn& col) {
    return col.nEditType == 3 && !col.bEditBlock && col.IsMemo() && brw.nLen > 0 && !xbrCanEdit(brw, col);
}

bool xbrCanOpen(const XBrowseModel& brw, const TXBrwColumn& col) {
    return xbrCanEdit(brw, col) || xbrViewsMemo(brw, col);
}

XbrEditPlan xbrEditPlan(const XBrowseModel& brw, const TXBrwColumn& col, int key) {
    XbrEditPlan plan;
    if (key == 0 && xbrViewsMemo(brw, col)) {
        plan.kind = XbrEditor::MemoDialog;
        plan.readOnly = true;
        plan.start = col.GetValue();
        return plan;
    }
    if (!xbrCanEdit(brw, col) || col.nEditType < 0) return plan;
    plan.start = col.GetValue();
    plan.picture = col.cEditPicture;
    const int type = col.nEditType;
    if (type == 2 || type == 4) {
        if (col.aEditListTxt.empty()) {
            plan.error = "oCol:aEditListTxt not defined";
            return plan;
        }
        plan.listIndex = xbrListIndexOf(col, plan.start);
    }
    if (type == 3 || type == 5) {
        if (!col.bEditBlock && !col.IsMemo()) {
            plan.error = "oCol:bEditBlock not defined";
            return plan;
        }
    }
    switch (type) {
        case 2: plan.kind = XbrEditor::List; return plan;
        case 3: plan.kind = col.bEditBlock ? XbrEditor::Button : XbrEditor::MemoDialog; return plan;
        case 6: plan.kind = XbrEditor::Date; return plan;
        default: break;
    }
    if (type >= 7) {
        plan.kind = XbrEditor::Time;
        return plan;
    }
    plan.withButton = type == 4 || type == 5;
    plan.withList = type == 4;
    plan.formula = key == '=' && brw.lFormulaEdit && col.DataType() == 'N';
    if (plan.formula) {
        plan.start = Value(std::string(128, ' '));
        plan.picture = "@S" + std::to_string(std::max(1, col.nWidth / 8));
    }
    const bool multiLine = (col.DataType() == 'M' || xbrIsMultiLine(plan.start)) && plan.picture.empty();
    plan.kind = multiLine && !plan.formula ? XbrEditor::Memo : XbrEditor::Get;
    plan.exitOnTypeOut = plan.kind == XbrEditor::Get && brw.lExitGetOnTypeOut && !plan.formula;
    plan.passKeyOn = plan.exitOnTypeOut && brw.lFastEdit;
    return plan;
}

XbrMemoKind xbrMemoKind(std::string_view data) {
    const auto starts = [&](std::string_view magic) { return data.substr(0, magic.size()) == magic; };
    if (starts("BM") && data.size() > 54) return XbrMemoKind::Image;
    if (starts("\x89PNG\r\n\x1A\n") || starts("\xFF\xD8\xFF") || starts("GIF87a") || starts("GIF89a"))
        return XbrMemoKind::Image;
    for (char c : data) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 && c != '\t' && c != '\r' && c != '\n') return XbrMemoKind::Binary;
    }
    return XbrMemoKind::Text;
}

int xbrListIndexOf(const TXBrwColumn& col, const Value& value) {
    const int n = int(col.aEditListTxt.size());
    if (n == 0) return 0;
    if (!col.aEditListBound.empty()) {
        for (size_t i = 0; i < col.aEditListBound.size() && int(i) < n; ++i)
            if (xbrSameCode(col.aEditListBound[i], value)) return int(i) + 1;
    }
    const std::string text = value.isText() ? rtrim(value.text()) : CVALTOCHAR(value);
    if (value.isText()) {
        for (size_t len = text.size(); len > 0; --len)
            for (int i = 0; i < n; ++i)
                if (upper(col.aEditListTxt[size_t(i)]).rfind(upper(text.substr(0, len)), 0) == 0) return i + 1;
    }
    for (int i = 0; i < n; ++i)
        if (upper(col.aEditListTxt[size_t(i)]) >= upper(text)) return i + 1;
    return 1;
}

Value xbrListValue(const TXBrwColumn& col, int n) {
    if (n < 1 || n > int(col.aEditListTxt.size())) return {};
    if (size_t(n) <= col.aEditListBound.size()) return col.aEditListBound[size_t(n) - 1];
    return Value(col.aEditListTxt[size_t(n) - 1]);
}

bool xbrKeyStartsEdit(const XBrowseModel& brw, const TXBrwColumn& col, int ch, bool fastEdit) {
    if (!xbrCanEdit(brw, col) || col.hChecked || col.nEditType == 2 || col.nEditType == 3) return false;
    if (brw.nMarqueeStyle > 3) return false;
    const char type = col.DataType();
    const bool formula = ch == '=' && brw.lFormulaEdit && type == 'N';
    if (!fastEdit && !formula) return false;
    if (formula) return true;
    if (ch < 32 || ch > 255) return false;
    const char c = char(ch);
    if (!col.cEditKeys.empty()) return col.cEditKeys.find(c) != std::string::npos;
    if (type == 'N') return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    if (type == 'D') return std::isdigit(static_cast<unsigned char>(c)) != 0;
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

void xbrGoNextCtrl(XBrowseModel& brw, int key, int moveType, bool fastEdit) {
    if (key == kKeyTab) key = kKeyEnter;
    if (key == kKeyUp) return brw.GoUp();
    if (key == kKeyDown) return brw.GoDown();
    if (key != kKeyEnter) return;
    if (!fastEdit && moveType >= 5) return;
    switch (moveType) {
        case 1: brw.GoRight(); return;
        case 2: brw.GoLeft(); return;
        case 3: brw.GoUp(); return;
        case 4: brw.GoDown(); return;
        case 6: {
            if (const int next = xbrEditableFrom(brw, brw.nColSel + 1, 1)) {
                brw.nColSel = next;
            } else if (brw.KeyNo() < brw.nLen) {
                brw.GoDown();
                if (const int first = xbrEditableFrom(brw, 1, 1)) brw.nColSel = first;
            }
            return;
        }
        case 7: {
            if (const int prev = xbrEditableFrom(brw, brw.nColSel - 1, -1)) {
                brw.nColSel = prev;
            } else if (brw.KeyNo() > 1) {
                brw.GoUp();
                if (const int last = xbrEditableFrom(brw, int(brw.Display().size()), -1)) brw.nColSel = last;
            }
            return;
        }
        default: return;
    }
}

}  // namespace wl
