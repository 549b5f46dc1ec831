#include "xbrowse_model.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numeric>

#include "browse_formula.hpp"
#include "browse_layout.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "text.hpp"
#include "value_conversion.hpp"
#include "xbr_row.hpp"
#include "xbrowse_functions.hpp"

namespace wl {

namespace {

constexpr int VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;

bool sameBookmark(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.number() == b.number();
    if (a.isText() && b.isText()) return a.text() == b.text();
    return a.isNil() && b.isNil();
}

std::string lowerText(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Sort comparison of two cells: same-kind texts, dates, logicals and
// numbers directly, anything else by the kind's place in "ULNPDCHO".
int compareCells(const Value& a, const Value& b, bool caseSensitive) {
    const char ta = xbrValueType(a), tb = xbrValueType(b);
    if (ta == tb) {
        switch (ta) {
            case 'C': {
                const std::string x = caseSensitive ? a.text() : lowerText(a.text());
                const std::string y = caseSensitive ? b.text() : lowerText(b.text());
                return x < y ? -1 : x > y ? 1 : 0;
            }
            case 'N': return a.number() < b.number() ? -1 : a.number() > b.number() ? 1 : 0;
            case 'L': return int(a.logical()) - int(b.logical());
            case 'D': {
                const Date& x = std::get<Date>(a.storage());
                const Date& y = std::get<Date>(b.storage());
                const long kx = x.year * 10000L + x.month * 100 + x.day, ky = y.year * 10000L + y.month * 100 + y.day;
                return kx < ky ? -1 : kx > ky ? 1 : 0;
            }
            default: return 0;
        }
    }
    static const std::string order = "ULNPDCHO";
    auto rank = [](char t) {
        const auto p = order.find(t == 'A' ? 'O' : t);
        return p == std::string::npos ? int(order.size()) : int(p);
    };
    return rank(ta) - rank(tb);
}

// "*" any run, "?" any one character, case-insensitive.
bool wildMatch(std::string_view pattern, std::string_view text) {
    if (pattern.empty()) return text.empty();
    if (pattern[0] == '*') {
        for (size_t i = 0; i <= text.size(); ++i)
            if (wildMatch(pattern.substr(1), text.substr(i))) return true;
        return false;
    }
    if (text.empty()) return false;
    if (pattern[0] != '?' && upperChar(pattern[0]) != upperChar(text[0])) return false;
    return wildMatch(pattern.substr(1), text.substr(1));
}

Value cellOf(const Value& row, int element) {
    if (!row.isList()) return element == 1 ? row : Value();
    const ValueList& r = row.list();
    return element >= 1 && size_t(element) <= r.size() ? r[size_t(element) - 1] : Value();
}

// A pasted or exported cell text in the column's type.
Value textAsType(const std::string& text, char type) {
    if (type == 'D' && text.size() == 10 && text[4] == '-' && text[7] == '-') {
        const Date d{std::atoi(text.substr(0, 4).c_str()), std::atoi(text.substr(5, 2).c_str()),
                     std::atoi(text.substr(8, 2).c_str())};
        return Value(d);
    }
    if (type == 'L') {
        const std::string u = upper(alltrim(text));
        if (u == "TRUE" || u == "=(1=1)") return Value(true);
        if (u == "FALSE" || u == "=(1=0)") return Value(false);
    }
    return UCHARTOVAL(text, std::string(1, type));
}

std::vector<std::string> splitOn(std::string_view text, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == sep) {
            out.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

}  // namespace

XBrowseModel::XBrowseModel() { SetArray({}, true); }

// ---- binding --------------------------------------------------------------

void XBrowseModel::bindArrayClosures() {
    arrayFull_ = -1;
    auto len = [this] { return arrayFull_ >= 0 ? nLen : int(aArrayData.size()); };
    src = XbrSource{};
    src.bGoTop = [this, len] { nArrayAt = len() ? 1 : 0; src.bOnSkip(); };
    src.bGoBottom = [this, len] { nArrayAt = len(); src.bOnSkip(); };
    src.bSkip = [this, len](int n) {
        const int old = nArrayAt;
        nArrayAt = len() ? std::clamp(nArrayAt + n, 1, len()) : 0;
        src.bOnSkip();
        return nArrayAt - old;
    };
    src.bBof = [this] { return nArrayAt < 1; };
    src.bEof = [this, len] { return nArrayAt > len() || len() == 0; };
    src.bKeyNo = [this] { return nArrayAt; };
    src.bKeyGoTo = [this, len](int n) { nArrayAt = len() ? std::clamp(n, 1, len()) : 0; };
    src.bKeyCount = len;
    src.bBookMark = [this] { return Value(nArrayAt); };
    src.bBookGoTo = [this, len](const Value& v) { nArrayAt = len() ? std::clamp(int(v.number()), 1, len()) : 0; };
    src.bDelete = [this, len] {
        if (nArrayAt < 1 || nArrayAt > int(aArrayData.size())) return;
        aArrayData.erase(aArrayData.begin() + (nArrayAt - 1));
        if (arrayFull_ >= 0) --nLen, --arrayFull_;
        nArrayAt = std::min(nArrayAt, len());
    };
    src.bAppend = [this] {
        size_t width = 0;
        for (const TXBrwColumn& c : aCols) width = std::max(width, size_t(std::max(0, c.nArrayCol)));
        aArrayData.emplace_back(ValueList(std::max(width, size_t(1))));
        if (arrayFull_ >= 0) ++arrayFull_, ++nLen;
        nArrayAt = int(aArrayData.size());
        return true;
    };
}

void XBrowseModel::SetArray(ValueList rows, bool addColumns, bool autoSort) {
    nDataType = DATATYPE_ARRAY;
    aArrayData = std::move(rows);
    dbf_.reset();
    area_.reset();
    bindArrayClosures();
    nArrayAt = aArrayData.empty() ? 0 : 1;
    if (addColumns) {
        aCols.clear();
        aDisplay.clear();
        size_t width = 0;
        for (const Value& r : aArrayData) width = std::max(width, r.isList() ? r.list().size() : size_t(1));
        for (size_t j = 1; j <= std::max(width, size_t(1)); ++j) {
            TXBrwColumn& c = AddCol();
            c.cHeader = MAKECOLALPHABET(static_cast<long long>(j));
            c.nArrayCol = int(j);
            if (autoSort) c.cSortOrder = Value(int(j));
        }
    }
    for (TXBrwColumn& c : aCols) {
        if (c.nArrayCol < 1 || c.bEditValue) continue;
        const int e = c.nArrayCol;
        c.bEditValue = [this, e](const Value* v) -> Value {
            if (nArrayAt < 1 || nArrayAt > int(aArrayData.size())) return Value();
            Value& row = aArrayData[size_t(nArrayAt) - 1];
            if (!v) return cellOf(row, e);
            ValueList r = row.isList() ? row.list() : ValueList{row};
            if (int(r.size()) < e) r.resize(size_t(e));
            r[size_t(e) - 1] = *v;
            row = Value(std::move(r));
            return *v;
        };
        // The type follows the first row's value.
        if (!aArrayData.empty()) {
            const char t = xbrValueType(cellOf(aArrayData[0], e));
            if (t != 'U' && t != 'A') c.cDataType = t;
        }
    }
    lAutoSort = autoSort;
    nRowSel = 1;
    KeyCount();
    if (autoSort && aCols.size() > 1) SetOrder(1);
}

void XBrowseModel::SetDbf(std::shared_ptr<DbfFile> table, bool addColumns) {
    nDataType = DATATYPE_RDD;
    aArrayData.clear();
    area_.reset();
    dbf_ = std::move(table);
    DbfFile* t = dbf_.get();
    auto count = [t] { return int(t->recordCount()); };
    recNo_ = count() ? 1 : 0;
    src = XbrSource{};
    src.bGoTop = [this, count] { recNo_ = count() ? 1 : 0; };
    src.bGoBottom = [this, count] { recNo_ = std::uint32_t(count()); };
    src.bSkip = [this, count](int n) {
        const int old = int(recNo_);
        recNo_ = count() ? std::uint32_t(std::clamp(old + n, 1, count())) : 0;
        return int(recNo_) - old;
    };
    src.bBof = [this] { return recNo_ < 1; };
    src.bEof = [this, count] { return int(recNo_) > count() || count() == 0; };
    src.bKeyNo = [this] { return int(recNo_); };
    src.bKeyGoTo = [this, count](int n) { recNo_ = count() ? std::uint32_t(std::clamp(n, 1, count())) : 0; };
    src.bKeyCount = count;
    src.bBookMark = [this] { return Value(int(recNo_)); };
    src.bBookGoTo = [this](const Value& v) { src.bKeyGoTo(int(v.number())); };
    // Deleting removes the record for good: mark, pack, stay in range.
    src.bDelete = [this, t, count] {
        if (recNo_ < 1) return;
        t->setDeleted(recNo_, true);
        t->pack();
        recNo_ = std::uint32_t(std::min(int(recNo_), count()));
    };
    src.bAppend = [this, t, count] {
        if (!t->append({})) return false;
        recNo_ = std::uint32_t(count());
        return true;
    };
    if (addColumns) {
        aCols.clear();
        aDisplay.clear();
        const auto& fields = t->fields();
        for (size_t i = 0; i < fields.size(); ++i) {
            TXBrwColumn& c = AddCol();
            c.cHeader = fields[i].name;
            c.cDataType = fields[i].type;
            c.nDataLen = fields[i].length;
            c.nDataDec = fields[i].decimals;
            c.bEditValue = [this, t, i](const Value* v) -> Value {
                if (recNo_ < 1) return Value();
                ValueList rec = t->read(recNo_);
                if (i >= rec.size()) return Value();
                if (!v) return rec[i];
                rec[i] = *v;
                t->write(recNo_, rec);
                return *v;
            };
        }
    }
    nRowSel = 1;
    KeyCount();
}

void XBrowseModel::SetRDD(std::shared_ptr<DbfArea> area, bool addColumns, ValueList records) {
    if (!area) area = dbfSelected();
    if (!area) return;
    nDataType = DATATYPE_RDD;
    aArrayData.clear();
    dbf_.reset();
    area_ = area;
    DbfArea* a = area_.get();
    src = XbrSource{};
    src.bGoTop = [a] { a->GoTop(); };
    src.bGoBottom = [a] { a->GoBottom(); };
    // The browse never stands on the phantom record: a skip past either
    // end stops on the last or first record and answers the rows moved.
    // Rows moved count in the active order (and filter), not in record
    // numbers.
    src.bSkip = [a](int n) {
        if (a->RecCount() == 0) return 0;
        if (!a->HasFilter()) {
            const int old = a->KeyNo();
            a->Skip(n);
            if (a->Eof()) a->GoBottom();
            if (a->Bof()) a->GoTop();
            return a->KeyNo() - old;
        }
        // A filter's positions are counted by walking: step by step.
        const int step = n > 0 ? 1 : -1;
        int moved = 0;
        while (moved != n) {
            a->Skip(step);
            if (a->Eof()) {
                a->GoBottom();
                break;
            }
            if (a->Bof()) break;
            moved += step;
        }
        return moved;
    };
    src.bBof = [a] { return a->Bof() || a->RecCount() == 0; };
    src.bEof = [a] { return a->Eof() || a->RecCount() == 0; };
    // Logical positions follow the active order; the bookmark is the
    // record number.
    src.bKeyNo = [a] {
        const int count = a->KeyCount();
        return count == 0 ? 0 : std::clamp(a->KeyNo(), 1, count);
    };
    src.bKeyGoTo = [a](int n) {
        const int count = a->KeyCount();
        if (count == 0) return;
        n = std::clamp(n, 1, count);
        if (a->IndexOrd() == 0 && !a->HasFilter())
            a->GoTo(std::uint32_t(n));  // the records' own order: straight there
        else
            a->KeyGoTo(n);
    };
    src.bKeyCount = [a] { return a->KeyCount(); };
    src.bBookMark = [a] { return a->RecCount() == 0 ? Value(0) : Value(int(std::min<std::uint32_t>(a->RecNo(), std::uint32_t(a->RecCount())))); };
    src.bBookGoTo = [a](const Value& v) {
        if (a->RecCount() && v.isNumber()) a->GoTo(std::uint32_t(std::clamp(int(v.number()), 1, a->RecCount())));
    };
    src.bLock = [a] { return a->RLock(); };
    src.bUnLock = [a] { a->UnLock(); };
    src.bDelete = [a] {
        if (!a->RLock()) return;
        a->Delete();
        a->UnLock();
    };
    src.bAppend = [a] { return a->Append(); };
    if (addColumns) {
        aCols.clear();
        aDisplay.clear();
        const auto& fields = a->fields();
        for (size_t i = 0; i < fields.size(); ++i) {
            TXBrwColumn& c = AddCol();
            c.cHeader = fields[i].name;
            c.cDataType = fields[i].type;
            c.nDataLen = fields[i].length;
            c.nDataDec = fields[i].decimals;
            const int pos = int(i) + 1;
            c.bEditValue = [a, pos](const Value* v) -> Value {
                if (a->RecCount() == 0) return Value();
                if (v) a->FieldPut(pos, *v);
                return a->FieldGet(pos);
            };
        }
        // A column headed like an index tag sorts by that tag.
        for (int o = 1; o <= a->OrdCount(); ++o)
            for (TXBrwColumn& c : aCols)
                if (upper(alltrim(c.cHeader)) == a->Order(o)->tag) {
                    c.cSortOrder = Value(a->Order(o)->tag);
                    if (a->IndexOrd() == o) c.cOrder = a->Order(o)->descend ? "D" : "A";
                }
    }
    if (!records.empty()) {
        // An array of record numbers: the rows move the area.
        nDataType = DATATYPE_RDD | DATATYPE_ARRAY;
        aArrayData = std::move(records);
        bindArrayClosures();
        src.bOnSkip = [this, a] {
            if (nArrayAt < 1 || nArrayAt > int(aArrayData.size())) return;
            const Value& row = aArrayData[size_t(nArrayAt) - 1];
            const Value rec = row.isList() && !row.list().empty() ? row.list()[0] : row;
            if (rec.isNumber()) a->GoTo(std::uint32_t(std::max(1.0, rec.number())));
        };
        src.bLock = [a] { return a->RLock(); };
        src.bUnLock = [a] { a->UnLock(); };
        nArrayAt = aArrayData.empty() ? 0 : 1;
        src.bOnSkip();
    }
    nRowSel = 1;
    KeyCount();
}

void XBrowseModel::SetTree(std::unique_ptr<TLinkList> tree, std::function<void(TTreeItem&)> onMove) {
    tree_ = std::move(tree);
    nDataType = DATATYPE_TREE;
    TLinkList* t = tree_.get();
    oTreeItem = t ? t->oFirst : nullptr;
    auto moved = [this, onMove] {
        if (onMove && oTreeItem) onMove(*oTreeItem);
    };
    src = XbrSource{};
    src.bGoTop = [this, t, moved] { oTreeItem = t->oFirst; moved(); };
    src.bGoBottom = [this, t, moved] { oTreeItem = t->GetLast(); moved(); };
    src.bSkip = [this, moved](int n) {
        if (!oTreeItem) return 0;
        oTreeItem = oTreeItem->Skip(n);
        moved();
        return n;
    };
    src.bBof = [] { return false; };
    src.bEof = [] { return false; };
    src.bKeyCount = [t] { return int(t->nCount()); };
    src.bKeyNo = [this] { return oTreeItem ? int(oTreeItem->ItemNo()) : 0; };
    src.bKeyGoTo = [this, t, moved](int k) {
        oTreeItem = t->oFirst;
        if (!oTreeItem) return;
        int n = k - 1;
        oTreeItem = oTreeItem->Skip(n);
        moved();
    };
    src.bBookMark = [this] { return Value(KeyNo()); };
    src.bBookGoTo = [this](const Value& v) { src.bKeyGoTo(int(v.number())); };
    // The tree column first, showing the prompt; it does not scroll.
    TXBrwColumn item;
    item.cHeader = "Item";
    item.nWidth = 200;
    item.bEditValue = [this](const Value* v) -> Value {
        if (!oTreeItem) return Value();
        if (v) oTreeItem->cPrompt = CVALTOCHAR(*v);
        return Value(oTreeItem->cPrompt);
    };
    aCols.insert(aCols.begin(), std::move(item));
    for (size_t i = 0; i < aCols.size(); ++i) aCols[i].nCreationOrder = int(i) + 1;
    for (int& c : aDisplay) ++c;
    aDisplay.insert(aDisplay.begin(), 1);
    nFreeze = 1;
    nRowSel = 1;
    KeyCount();
}

// ---- columns --------------------------------------------------------------

TXBrwColumn& XBrowseModel::AddCol() {
    aCols.emplace_back();
    aCols.back().nCreationOrder = int(aCols.size());
    aDisplay.push_back(int(aCols.size()));
    return aCols.back();
}

TXBrwColumn& XBrowseModel::InsCol(int n) {
    const int count = int(aCols.size());
    if (n < 1 || n > count) return AddCol();
    aCols.insert(aCols.begin() + (n - 1), TXBrwColumn{});
    for (size_t i = 0; i < aCols.size(); ++i) aCols[i].nCreationOrder = int(i) + 1;
    for (int& c : aDisplay)
        if (c >= n) ++c;
    // Shown after the column created before it (first when none).
    auto at = std::find(aDisplay.begin(), aDisplay.end(), n - 1);
    aDisplay.insert(at == aDisplay.end() ? aDisplay.begin() : at + 1, n);
    return aCols[size_t(n) - 1];
}

bool XBrowseModel::SwapCols(int a, int b) {
    auto pa = std::find(aDisplay.begin(), aDisplay.end(), a);
    auto pb = std::find(aDisplay.begin(), aDisplay.end(), b);
    if (pa == aDisplay.end() || pb == aDisplay.end() || a == b) return false;
    std::iter_swap(pa, pb);
    return true;
}

void XBrowseModel::ReArrangeCols(const std::vector<int>& cols, bool keepOthers) {
    std::vector<int> order;
    for (int c : cols)
        if (c >= 1 && c <= int(aCols.size()) && std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
    if (order.empty()) return;
    if (keepOthers)
        for (int c : aDisplay)
            if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
    aDisplay = order;
    nColSel = std::clamp(nColSel, 1, std::max(1, int(Display().size())));
}

void XBrowseModel::ColStretch() {
    const auto d = Display();
    if (nStretchCol == 0 || d.empty() || nClientWidth <= 0) return;
    int target = 0;
    if (nStretchCol > 0) {
        if (std::find(d.begin(), d.end(), nStretchCol) != d.end()) target = nStretchCol;
    } else if (nStretchCol == -1) {
        target = d.back();
    } else {
        // The widest text column, else the first memo column.
        for (int c : d) {
            const TXBrwColumn& col = aCols[size_t(c) - 1];
            if (col.DataType() == 'C' && (!target || col.nWidth > aCols[size_t(target) - 1].nWidth)) target = c;
        }
        if (!target)
            for (int c : d)
                if (aCols[size_t(c) - 1].IsMemo()) {
                    target = c;
                    break;
                }
    }
    if (!target) return;
    int used = 0;
    for (int c : d) used += aCols[size_t(c) - 1].nWidth;
    if (used < nClientWidth) aCols[size_t(target) - 1].nWidth += nClientWidth - used;
}

bool XBrowseModel::DelCol(int n) {
    if (aCols.size() <= 1 || n < 1 || n > int(aCols.size())) return false;
    aCols.erase(aCols.begin() + (n - 1));
    for (size_t i = 0; i < aCols.size(); ++i) aCols[i].nCreationOrder = int(i) + 1;
    std::vector<int> d;
    for (int c : aDisplay)
        if (c != n) d.push_back(c > n ? c - 1 : c);
    aDisplay = d;
    nColSel = std::clamp(nColSel, 1, std::max(1, int(Display().size())));
    return true;
}

TXBrwColumn* XBrowseModel::oCol(const Value& x) {
    for (TXBrwColumn& c : aCols)
        if (c.SameColAs(x)) return &c;
    return nullptr;
}

std::vector<int> XBrowseModel::Display() const {
    std::vector<int> d;
    for (int c : aDisplay)
        if (!aCols[size_t(c) - 1].lHide) d.push_back(c);
    return d;
}

TXBrwColumn* XBrowseModel::SelectedCol() {
    const auto d = Display();
    if (nColSel < 1 || nColSel > int(d.size())) return nullptr;
    return &aCols[size_t(d[size_t(nColSel) - 1]) - 1];
}

bool XBrowseModel::MoveCol(int from, int to, bool respectFreeze) {
    const int n = int(aDisplay.size());
    if (from < 1 || from > n || to < 1 || to > n || from == to) return false;
    if (respectFreeze && (from <= nFreeze) != (to <= nFreeze)) return false;
    TXBrwColumn& moving = aCols[size_t(aDisplay[size_t(from) - 1]) - 1];
    const std::string& target = aCols[size_t(aDisplay[size_t(to) - 1]) - 1].cGrpHdr;
    if (moving.cGrpHdr != target) {
        if (!lAllowColReGroup) return false;
        moving.cGrpHdr = target;
    }
    const int c = aDisplay[size_t(from) - 1];
    aDisplay.erase(aDisplay.begin() + (from - 1));
    aDisplay.insert(aDisplay.begin() + (to - 1), c);
    if (bOnSwapCol) bOnSwapCol(from, to);
    return true;
}

TXBrwColumn& XBrowseModel::SetGroupHeader(const std::string& text, int first, int last) {
    last = std::min(last, int(aDisplay.size()));
    for (int i = std::max(first, 1); i <= last; ++i) aCols[size_t(aDisplay[size_t(i) - 1]) - 1].cGrpHdr = text;
    return aCols[size_t(aDisplay[size_t(std::max(first, 1)) - 1]) - 1];
}

double XBrowseModel::SumOfCols(const std::vector<int>& cols, int type) const {
    std::optional<double> out;
    for (int n : cols) {
        if (n < 1 || n > int(aCols.size())) continue;
        const Value v = aCols[size_t(n) - 1].GetValue();
        if (!v.isNumber()) continue;
        const double x = v.number();
        if (!out) out = x;
        else if (type == AGGR_MIN) out = std::min(*out, x);
        else if (type == AGGR_MAX) out = std::max(*out, x);
        else *out += x;
    }
    return out.value_or(0.0);
}

std::vector<int> XBrowseModel::GroupCols(const std::string& group) const {
    std::vector<int> cols;
    for (int c : aDisplay)
        if (!group.empty() && upper(aCols[size_t(c) - 1].cGrpHdr) == upper(group)) cols.push_back(c);
    return cols;
}

TXBrwColumn& XBrowseModel::SetGroupTotal(const std::string& group, const std::string& header, int type) {
    return SetGroupTotal(GroupCols(group), header, type);
}

TXBrwColumn& XBrowseModel::SetGroupTotal(const std::vector<int>& cols, const std::string& header, int type) {
    // After the listed column that stands furthest right.
    size_t after = 0;
    for (size_t i = 0; i < aDisplay.size(); ++i)
        if (std::find(cols.begin(), cols.end(), aDisplay[i]) != cols.end()) after = i + 1;
    TXBrwColumn& col = AddCol();
    const int n = col.nCreationOrder;
    aDisplay.pop_back();
    aDisplay.insert(aDisplay.begin() + std::ptrdiff_t(after ? after : aDisplay.size()), n);
    col.cHeader = header;
    col.cDataType = 'N';
    col.lReadOnly = true;
    col.bEditValue = [this, cols, type](const Value*) { return Value(SumOfCols(cols, type)); };
    return col;
}

std::unique_ptr<TXbrRow> XBrowseModel::DataRow(bool newRow) {
    auto row = std::make_unique<TXbrRow>(*this);
    if (newRow) {
        row->lNew = true;
        row->nRecNo = Value();
        row->nKeyNo = 0;
        for (size_t i = 0; i < aCols.size(); ++i) row->aValues[i] = row->aOriginals[i] = aCols[i].BlankValue();
    }
    return row;
}

std::unique_ptr<TXbrRow> XBrowseModel::CurrentRow() { return DataRow(false); }

Value XBrowseModel::aRow() const {
    if (!(nDataType & DATATYPE_ARRAY) || nArrayAt < 1 || nArrayAt > int(aArrayData.size())) return {};
    return aArrayData[size_t(nArrayAt) - 1];
}

void XBrowseModel::ClearBlocks() {
    src = XbrSource{};
    nStretchCol = 0;
}

bool XBrowseModel::Edit(bool newRow) {
    if (!bEdit || (!newRow && nLen == 0)) return false;
    const std::unique_ptr<TXbrRow> row = DataRow(newRow);
    bEdit(*row);
    KeyCount();
    return true;
}

// ---- navigation -----------------------------------------------------------

int XBrowseModel::KeyCount() {
    nLen = src.bKeyCount ? src.bKeyCount() : 0;
    clampRowSel();
    return nLen;
}

int XBrowseModel::KeyNo() const { return src.bKeyNo ? src.bKeyNo() : 0; }

// The screen row never lies above the row's position nor leaves empty rows
// below the last one.
void XBrowseModel::clampRowSel() {
    const int key = KeyNo();
    if (nLen <= nDataRows) {
        nRowSel = std::max(key, 1);
        return;
    }
    if (nLen >= nDataRows) nRowSel = std::max(nRowSel, nDataRows - (nLen - key));
    nRowSel = std::clamp(std::min(nRowSel, key), 1, std::max(1, nDataRows));
}

void XBrowseModel::GoTop() {
    cSeek.clear();
    src.bGoTop();
    nRowSel = 1;
}

void XBrowseModel::GoBottom() {
    cSeek.clear();
    src.bGoBottom();
    nRowSel = std::clamp(nLen, 1, std::max(1, nDataRows));
}

void XBrowseModel::GoDown(int n) {
    cSeek.clear();
    if (nLen > 0 && KeyNo() >= nLen && n > 0) {
        if (src.bPastEof) src.bPastEof(), KeyCount();
        return;
    }
    const int moved = src.bSkip(n);
    nRowSel += moved;
    clampRowSel();
}

void XBrowseModel::GoUp(int n) {
    cSeek.clear();
    const int moved = src.bSkip(-n);
    nRowSel += moved;
    clampRowSel();
}

void XBrowseModel::PageDown() {
    cSeek.clear();
    src.bSkip(std::max(1, nDataRows));
    clampRowSel();
}

void XBrowseModel::PageUp() {
    cSeek.clear();
    src.bSkip(-std::max(1, nDataRows));
    clampRowSel();
}

void XBrowseModel::GoToRow(int keyNo) {
    cSeek.clear();
    src.bKeyGoTo(keyNo);
    clampRowSel();
}

void XBrowseModel::GoLeft() {
    if (nColSel > 1) --nColSel;
    nColOffset = std::max(1, std::min(nColOffset, nColSel - nFreeze));
}

void XBrowseModel::GoRight() {
    if (nColSel < int(Display().size())) ++nColSel;
    ScrollToSelected();
}

void XBrowseModel::GoLeftMost() {
    nColSel = 1;
    nColOffset = 1;
}

void XBrowseModel::GoRightMost() {
    nColSel = std::max(1, int(Display().size()));
    ScrollToSelected();
}

bool XBrowseModel::GoToCol(const Value& x) {
    const auto d = Display();
    for (size_t i = 0; i < d.size(); ++i) {
        if (!aCols[size_t(d[i]) - 1].SameColAs(x)) continue;
        nColSel = int(i) + 1;
        if (nColSel > nFreeze && nColSel < nFreeze + nColOffset) nColOffset = nColSel - nFreeze;
        ScrollToSelected();
        return true;
    }
    return false;
}

void XBrowseModel::SelectCol(int n) {
    const int count = int(Display().size());
    if (count == 0) return;
    n = std::clamp(n, 1, count);
    const bool wholeRow = nMarqueeStyle == 0 || nMarqueeStyle >= 5;
    if (wholeRow) {
        nColOffset = std::max(1, n - nFreeze);
        return;
    }
    nColSel = n;
    ScrollToSelected();
}

int XBrowseModel::ColLeft(int i) const {
    const auto d = Display();
    if (i < 1 || i > int(d.size())) return -1;
    int left = 0;
    for (int k = 1; k <= int(d.size()); ++k) {
        const bool scrolledOff = k > nFreeze && k < nFreeze + nColOffset;
        if (scrolledOff) {
            if (k == i) return -1;
            continue;
        }
        if (k == i) return left;
        left += aCols[size_t(d[size_t(k) - 1]) - 1].nWidth;
    }
    return -1;
}

void XBrowseModel::ScrollToSelected() {
    const auto d = Display();
    if (nClientWidth <= 0 || nColSel < 1 || nColSel > int(d.size())) return;
    if (nColSel > nFreeze && nColSel < nFreeze + nColOffset) nColOffset = nColSel - nFreeze;
    auto right = [&] { return ColLeft(nColSel) + aCols[size_t(d[size_t(nColSel) - 1]) - 1].nWidth; };
    while (nColSel > nFreeze + nColOffset && right() > nClientWidth) ++nColOffset;
}

bool XBrowseModel::KeyDown(int vk, bool ctrl, bool shift) {
    const bool multi = lMultiSelect || nMarqueeStyle == 6 || nMarqueeStyle == 7;
    switch (vk) {
        case VK_UP:
        case VK_DOWN:
            if (shift && multi) {
                if (aSelected.empty()) Select(1);
                vk == VK_UP ? GoUp() : GoDown();
                Select(5);
            } else {
                if (multi) Select(0);
                vk == VK_UP ? GoUp() : GoDown();
                if (multi) Select(1);
            }
            return true;
        case VK_HOME: GoTop(); return true;
        case VK_END: GoBottom(); return true;
        case VK_PRIOR: ctrl ? GoTop() : PageUp(); return true;
        case VK_NEXT: ctrl ? GoBottom() : PageDown(); return true;
        case VK_LEFT:
            ctrl ? GoLeftMost() : GoLeft();
            return true;
        case VK_RIGHT:
            ctrl ? GoRightMost() : GoRight();
            return true;
        default: break;
    }
    if (ctrl && (vk == 'C' || vk == 'c')) {
        // Copies only: the row stays where it is.
        if (lAllowCopy) Copy();
        return true;
    }
    if (ctrl && (vk == 'A' || vk == 'a') && multi) {
        Select(4);
        return true;
    }
    return false;
}

void XBrowseModel::EachVisibleRow(const std::function<void(int line)>& paint) {
    if (nLen == 0 || !src.bBookMark) return;
    const Value here = src.bBookMark();
    const int back = src.bSkip(-(nRowSel - 1));
    for (int line = 1 + (nRowSel - 1 + back); line <= nDataRows; ++line) {
        paint(line);
        if (line < nDataRows && src.bSkip(1) == 0) break;
    }
    src.bBookGoTo(here);
}

// ---- selection ------------------------------------------------------------

bool XBrowseModel::IsSelected() const {
    const Value b = src.bBookMark ? src.bBookMark() : Value();
    return std::any_of(aSelected.begin(), aSelected.end(), [&](const Value& s) { return sameBookmark(s, b); });
}

void XBrowseModel::Select(int mode) {
    if (!src.bBookMark) return;
    const Value here = src.bBookMark();
    auto find = [&](const Value& b) {
        return std::find_if(aSelected.begin(), aSelected.end(), [&](const Value& s) { return sameBookmark(s, b); });
    };
    switch (mode) {
        case 0: aSelected.clear(); break;
        case 1:
            if (find(here) == aSelected.end()) aSelected.push_back(here);
            break;
        case 2:
            if (auto it = find(here); it != aSelected.end()) aSelected.erase(it);
            else aSelected.push_back(here);
            break;
        case 3: {
            if (aSelected.empty()) {
                aSelected.push_back(here);
                break;
            }
            const Value last = aSelected.back();
            src.bBookGoTo(last);
            const int from = KeyNo();
            src.bBookGoTo(here);
            const int to = KeyNo();
            const int step = from <= to ? 1 : -1;
            src.bBookGoTo(last);
            for (int k = from;; k += step) {
                const Value b = src.bBookMark();
                if (find(b) == aSelected.end()) aSelected.push_back(b);
                if (k == to || src.bSkip(step) == 0) break;
            }
            src.bBookGoTo(here);
            break;
        }
        case 4: {
            aSelected.clear();
            src.bGoTop();
            for (int i = 0; i < nLen; ++i) {
                aSelected.push_back(src.bBookMark());
                if (src.bSkip(1) == 0) break;
            }
            src.bBookGoTo(here);
            break;
        }
        case 5: {
            auto it = find(here);
            if (it == aSelected.end()) aSelected.push_back(here);
            else if (it != aSelected.end() - 1) aSelected.pop_back();
            break;
        }
        default: return;
    }
    if (bOnMultiSelect) bOnMultiSelect(mode);
}

bool XBrowseModel::PostEdit(TXBrwColumn& col, const Value& typed, int key) {
    if (lReadOnly || col.lReadOnly || nLen == 0) return false;
    Value value = typed;
    if (lFormulaEdit && col.DataType() == 'N' && typed.isText() && ltrim(typed.text()).rfind('=', 0) == 0) {
        const auto result = browseFormulaValue(ltrim(typed.text()));
        if (!result) return false;
        value = Value(*result);
    }
    const Value old = col.GetValue();
    if (col.bOnPostEdit) {
        col.bOnPostEdit(col, value, key);
    } else {
        if (key == 27 || !src.bLock()) return false;
        col.SetValue(value);
        src.bUnLock();
    }
    src.bSaveData();
    if (col.IsTotalled() && col.RecalcTotal(old, col.GetValue())) MakeTotals();
    return true;
}

// ---- totals and sorting ----------------------------------------------------

void XBrowseModel::MakeTotals() {
    std::vector<TXBrwColumn*> cols;
    for (TXBrwColumn& c : aCols)
        if (c.IsTotalled()) c.ResetTotal(), cols.push_back(&c);
    if (cols.empty() || nLen == 0) return;
    const Value here = src.bBookMark();
    src.bGoTop();
    for (int i = 0; i < nLen; ++i) {
        for (TXBrwColumn* c : cols) c->AddToTotal(c->bEditValue ? c->bEditValue(nullptr) : Value());
        if (src.bSkip(1) == 0) break;
    }
    src.bBookGoTo(here);
}

int XBrowseModel::sortColumnElement() const {
    for (const TXBrwColumn& c : aCols)
        if (!c.cOrder.empty()) return c.cSortOrder.isNumber() ? int(c.cSortOrder.number()) : std::max(1, c.nArrayCol);
    return 0;
}

void XBrowseModel::SortArrayData(int col, bool descending) {
    if (col < 1 || col > int(aCols.size())) return;
    const TXBrwColumn& c = aCols[size_t(col) - 1];
    const int e = c.cSortOrder.isNumber() ? int(c.cSortOrder.number()) : std::max(1, c.nArrayCol);
    const size_t n = std::min(aArrayData.size(), size_t(std::max(nLen, 0)));
    std::vector<size_t> idx(n);
    std::iota(idx.begin(), idx.end(), size_t(0));
    std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) {
        const int r = compareCells(cellOf(aArrayData[a], e), cellOf(aArrayData[b], e), c.lCaseSensitive);
        return descending ? r > 0 : r < 0;
    });
    ValueList sorted;
    sorted.reserve(aArrayData.size());
    int newAt = nArrayAt;
    for (size_t i = 0; i < n; ++i) {
        if (int(idx[i]) + 1 == nArrayAt) newAt = int(i) + 1;
        sorted.push_back(std::move(aArrayData[idx[i]]));
    }
    for (size_t i = n; i < aArrayData.size(); ++i) sorted.push_back(std::move(aArrayData[i]));
    aArrayData = std::move(sorted);
    nArrayAt = newAt;
}

XbrDataSource XBrowseModel::uDataSource() const {
    if (dbf_) return dbf_;
    if (tree_ && (nDataType & DATATYPE_TREE)) return tree_.get();
    if (area_) return area_->Alias();
    if (nDataType & DATATYPE_ARRAY) return &aArrayData;
    return {};
}

namespace {

// The columns in creation order, or those shown in display order.
template <typename Cols>
auto columnsInOrder(Cols& cols, const std::vector<int>& display, bool displayOrder) {
    std::vector<decltype(&cols[0])> out;
    if (!displayOrder) {
        for (auto& c : cols) out.push_back(&c);
        return out;
    }
    for (int n : display)
        if (n >= 1 && n <= int(cols.size())) out.push_back(&cols[size_t(n) - 1]);
    return out;
}

}  // namespace

std::optional<ValueList> XBrowseModel::GetColsData(const std::string& name, bool displayOrder) const {
    if (aCols.empty() || !aCols.front().Field(name)) return std::nullopt;
    ValueList out;
    for (const TXBrwColumn* c : columnsInOrder(aCols, Display(), displayOrder)) out.push_back(*c->Field(name));
    return out;
}

bool XBrowseModel::SetColsData(const std::string& name, const ValueList& values, bool displayOrder) {
    if (aCols.empty() || !aCols.front().Field(name)) return false;
    const auto cols = columnsInOrder(aCols, Display(), displayOrder);
    for (size_t i = 0; i < cols.size() && i < values.size(); ++i)
        if (!cols[i]->SetField(name, values[i])) return false;
    return true;
}

ValueList XBrowseModel::aJustify() const {
    ValueList out;
    for (const TXBrwColumn& c : aCols) {
        const int a = c.DataStrAlign();
        out.push_back(a == 2 ? Value(2) : Value(a == 1));
    }
    return out;
}

void XBrowseModel::aJustify(const ValueList& values) {
    for (size_t i = 0; i < aCols.size() && i < values.size(); ++i) {
        const Value& v = values[i];
        if (v.isLogical())
            aCols[i].SetAlign(v.logical() ? 1 : 0);
        else if (v.isNumber())
            aCols[i].SetAlign(int(v.number()));
    }
}

bool XBrowseModel::SetOrder(int col) {
    if (col < 1 || col > int(aCols.size())) return false;
    TXBrwColumn& c = aCols[size_t(col) - 1];
    if (c.cOrder == "A" && !lSortDescend) return false;
    if (!lAutoSort || c.cSortOrder.isNil()) return false;
    std::string order;
    if (nDataType == DATATYPE_RDD) {
        order = tableOrder(c);
        if (order.empty()) return false;
    } else if (nDataType & DATATYPE_ARRAY) {
        const bool descending = c.cOrder == "A";
        SortArrayData(col, descending);
        order = descending ? "D" : "A";
    } else {
        return false;
    }
    for (TXBrwColumn& o : aCols) o.cOrder.clear();
    c.cOrder = order;
    clampRowSel();
    if (!cSeek.empty()) {
        const std::string s = cSeek;
        cSeek.clear();
        Seek(s);
    }
    return true;
}

// ---- seek and filter -------------------------------------------------------

std::string XBrowseModel::tableOrder(const TXBrwColumn& c) {
    DbfArea* a = area_.get();
    if (!a || !c.cSortOrder.isText()) return {};
    const std::string tag = upper(alltrim(c.cSortOrder.text()));
    int n = 0;
    for (int o = 1; o <= a->OrdCount(); ++o)
        if (a->Order(o)->tag == tag) n = o;
    if (n == 0) return {};
    // The active tag turns round; another one becomes active ascending.
    const bool descend = a->IndexOrd() == n ? !a->Order(n)->descend : false;
    const Value mark = BookMark();
    if (a->Order(n)->descend != descend) {
        const std::string key = a->Order(n)->key;
        if (!a->OrdCreate(tag, key, descend)) return {};
    }
    a->SetOrder(tag);
    BookMark(mark);
    return a->Order(a->IndexOrd())->descend ? "D" : "A";
}

bool XBrowseModel::Seek(const std::string& text) {
    if (nDataType == DATATYPE_RDD) return lIncrFilter ? tableFilter(text) : tableSeek(text);
    if (!(nDataType & DATATYPE_ARRAY) || !sortColumnElement()) return false;
    return lIncrFilter ? arrayFilter(text) : arraySeek(text);
}

namespace {

// The type of the active order's key: its field's, text for a compound key.
char tableKeyType(DbfArea& a) {
    const DbfOrder* o = a.Order(a.IndexOrd());
    if (!o || o->fields.size() != 1) return 'C';
    return a.fields()[size_t(o->fields[0]) - 1].type;
}

}  // namespace

void XBrowseModel::keepFoundOnScreen(int oldKeyNo) {
    const int top = oldKeyNo - nRowSel + 1;
    const int now = KeyNo();
    if (now >= top && now < top + nDataRows) nRowSel = now - top + 1;
    clampRowSel();
}

bool XBrowseModel::tableSeek(const std::string& text) {
    DbfArea* a = area_.get();
    if (!a || a->IndexOrd() == 0) return false;
    if (text.empty()) {
        cSeek.clear();
        return true;
    }
    const Value mark = BookMark();
    const int oldKeyNo = KeyNo();
    bool found = false;
    switch (tableKeyType(*a)) {
    // Numbers and dates land on the nearest key at or above the value.
    case 'N':
        a->Seek(Value(std::strtod(text.c_str(), nullptr)), true);
        found = !a->Eof();
        break;
    case 'D': {
        const Value current = a->OrdKeyVal();
        a->Seek(Value(SEEKDATE(text, current.isDate() ? std::get<Date>(current.storage()) : Date{})), true);
        found = !a->Eof();
        break;
    }
    case 'L': found = a->Seek(Value(upper(text).rfind("T", 0) == 0 || upper(text).rfind("Y", 0) == 0)) && !a->Eof(); break;
    default:
        if (lSeekWild) {
            // The first key in the order that holds the text anywhere.
            const std::string pattern = "*" + upper(text) + "*";
            for (a->GoTop(); !a->Eof(); a->Skip(1))
                if (wildMatch(pattern, upper(xbrValueText(a->OrdKeyVal())))) {
                    found = true;
                    break;
                }
        } else {
            found = (a->Seek(Value(upper(text))) && !a->Eof()) || (a->Seek(Value(text)) && !a->Eof());
        }
    }
    if (!found) {
        BookMark(mark);
        return false;
    }
    cSeek = text;
    keepFoundOnScreen(oldKeyNo);
    return true;
}

bool XBrowseModel::tableFilter(const std::string& text) {
    DbfArea* a = area_.get();
    if (!a) return false;
    const std::string wanted = upper(alltrim(text));
    const bool wild = lSeekWild;
    DbfFilter filter;
    if (wanted.empty()) {
        filter = [](DbfArea& x) { return !x.Deleted(); };
    } else {
        // The order's key (the first field without one) as upper-case text.
        filter = [wanted, wild](DbfArea& x) {
            const Value key = x.IndexOrd() ? x.OrdKeyVal() : x.FieldGet(1);
            const std::string k = upper(alltrim(xbrValueText(key)));
            return wild ? k.find(wanted) != std::string::npos : k.rfind(wanted, 0) == 0;
        };
    }
    const Value mark = BookMark();
    a->SetFilter(filter);
    if (a->KeyCount() == 0) {
        // Nothing passes: the filter before stays.
        a->SetFilter(tableFilter_);
        BookMark(mark);
        return false;
    }
    tableFilter_ = filter;
    // Stays on the current record when it passes, else to the top.
    BookMark(mark);
    if (a->Eof() || !filter(*a)) a->GoTop();
    cSeek = wanted.empty() ? std::string() : text;
    KeyCount();
    nRowSel = 1;
    return true;
}

namespace {
bool seekMatches(const Value& cell, const std::string& text, bool wild, bool caseSensitive) {
    const std::string s = xbrValueText(cell);
    if (wild) return wildMatch("*" + text + "*", s);
    if (s.size() < text.size()) return false;
    return caseSensitive ? s.compare(0, text.size(), text) == 0 : upper(s.substr(0, text.size())) == upper(text);
}
}  // namespace

bool XBrowseModel::arraySeek(const std::string& text) {
    if (text.empty()) {
        cSeek.clear();
        return true;
    }
    const int e = sortColumnElement();
    bool cs = false;
    for (const TXBrwColumn& c : aCols)
        if (!c.cOrder.empty()) cs = c.lCaseSensitive;
    for (int i = 1; i <= nLen; ++i) {
        if (seekMatches(cellOf(aArrayData[size_t(i) - 1], e), text, lSeekWild, cs)) {
            const int top = KeyNo() - nRowSel + 1;
            nArrayAt = i;
            // Keep the rows on screen when the found row is among them.
            if (i >= top && i < top + nDataRows) nRowSel = i - top + 1;
            clampRowSel();
            cSeek = text;
            return true;
        }
    }
    return false;
}

bool XBrowseModel::arrayFilter(const std::string& text) {
    const int e = sortColumnElement();
    if (text.empty()) {
        if (arrayFull_ >= 0) {
            arrayFull_ = -1;
            nLen = int(aArrayData.size());
            for (size_t i = 0; i < aCols.size(); ++i)
                if (!aCols[i].cOrder.empty()) SortArrayData(int(i) + 1, aCols[i].cOrder == "D");
        }
        cSeek.clear();
        GoTop();
        return true;
    }
    // A longer text searches only the current matches.
    const bool narrowing = arrayFull_ >= 0 && text.size() > cSeek.size() && text.compare(0, cSeek.size(), cSeek) == 0;
    const int pool = narrowing ? nLen : int(aArrayData.size());
    int matched = 0;
    for (int i = 0; i < pool; ++i)
        if (seekMatches(cellOf(aArrayData[size_t(i)], e), text, lSeekWild, false))
            std::swap(aArrayData[size_t(i)], aArrayData[size_t(matched++)]);
    if (matched == 0) return false;
    if (arrayFull_ < 0) arrayFull_ = int(aArrayData.size());
    nLen = matched;
    cSeek = text;
    src.bGoTop();
    nRowSel = 1;
    return true;
}

// ---- clipboard --------------------------------------------------------------

std::string XBrowseModel::cellClipText(const TXBrwColumn& c) const {
    if (c.cDataType == 'P' || c.cDataType == 'F') return "";
    const Value v = c.GetValue();
    std::string s;
    if (v.isDate()) {
        const Date& d = std::get<Date>(v.storage());
        if (!d.blank()) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
            s = buf;
        }
    } else if (v.isLogical()) {
        s = v.logical() ? "TRUE" : "FALSE";
    } else {
        s = c.StrData();
    }
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        if (s[i] == '\r' || s[i] == '\n') out += " ; ";
        else if (s[i] == '\t') out += ' ';
        else out += s[i];
    }
    if (!out.empty() && (out[0] == '"' || out[0] == '\'')) out.insert(out.begin(), ' ');
    return out;
}

std::string XBrowseModel::ClpRow(bool allCols) const {
    const auto d = Display();
    if (!(allCols || nMarqueeStyle >= 4)) {
        if (nColSel < 1 || nColSel > int(d.size())) return "";
        return cellClipText(aCols[size_t(d[size_t(nColSel) - 1]) - 1]);
    }
    std::string line;
    for (size_t i = 0; i < d.size(); ++i) {
        if (i) line += '\t';
        line += cellClipText(aCols[size_t(d[i]) - 1]);
    }
    return line;
}

std::string XBrowseModel::Copy() {
    std::string text;
    if (aSelected.size() > 1) {
        const Value here = src.bBookMark();
        for (const Value& b : aSelected) {
            src.bBookGoTo(b);
            if (!text.empty()) text += "\r\n";
            text += ClpRow(true);
        }
        src.bBookGoTo(here);
    } else if (nLen > 0) {
        text = ClpRow(aSelected.size() == 1 || nMarqueeStyle >= 4);
    }
    copied_ = text;
    return text;
}

bool XBrowseModel::Paste(const std::string& text) {
    if (lReadOnly || text.empty()) return false;
    std::string t = text;
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
    std::vector<std::vector<std::string>> rows;
    for (std::string line : splitOn(t, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(splitOn(line, '\t'));
    }
    const bool isArray = nDataType == DATATYPE_ARRAY;
    if (isArray && aArrayData.empty()) {
        ValueList data;
        for (const auto& r : rows) {
            ValueList row;
            for (const std::string& cell : r) row.emplace_back(cell);
            data.emplace_back(std::move(row));
        }
        SetArray(std::move(data), true, lAutoSort);
        return true;
    }
    const auto d = Display();
    if (nLen == 0 || d.empty()) return false;
    const Value here = src.bBookMark();
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r > 0 && src.bSkip(1) == 0) {
            if (!(isArray && lAutoAppend && nColSel == 1 && arrayFull_ < 0)) break;
            aArrayData.emplace_back(ValueList(aCols.size()));
            KeyCount();
            src.bGoBottom();
        }
        for (size_t k = 0; k < rows[r].size(); ++k) {
            const size_t pos = size_t(nColSel) - 1 + k;
            if (pos >= d.size()) break;
            TXBrwColumn& c = aCols[size_t(d[pos]) - 1];
            c.SetValue(textAsType(rows[r][k], c.DataType()));
        }
    }
    src.bBookGoTo(here);
    MakeTotals();
    return true;
}

// ---- eval, state, merge ------------------------------------------------------

void XBrowseModel::Eval(const std::function<void()>& block, const std::function<bool()>& forBlock,
                        const std::function<bool()>& whileBlock, int count) {
    if (nLen == 0 || !block) return;
    const Value here = src.bBookMark();
    src.bGoTop();
    for (int i = 0; count < 0 || i < count; ++i) {
        if (whileBlock && !whileBlock()) break;
        if (!forBlock || forBlock()) block();
        if (src.bSkip(1) == 0) break;
    }
    src.bBookGoTo(here);
}

std::string XBrowseModel::SaveState() const {
    BrowseLayout l;
    l.nRowHeight = nRowHeight;
    for (int c : aDisplay) {
        const TXBrwColumn& col = aCols[size_t(c) - 1];
        l.nCreationOrders.push_back(c);
        l.nWidths.push_back(col.nWidth);
        l.lHides.push_back(col.lHide);
        l.cGrpHdrs.push_back(col.cGrpHdr);
        l.cHeaders.push_back(col.cHeader);
    }
    return browseSaveState(l);
}

bool XBrowseModel::RestoreState(const std::string& text) {
    const auto l = browseRestoreState(text, int(aCols.size()));
    if (!l) return false;
    for (int c : l->nCreationOrders)
        if (c < 1 || c > int(aCols.size())) return false;
    // The listed columns first, in that order; the others keep theirs.
    std::vector<int> order = l->nCreationOrders;
    for (int c : aDisplay)
        if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
    aDisplay = order;
    for (size_t i = 0; i < l->nCreationOrders.size(); ++i) {
        TXBrwColumn& col = aCols[size_t(l->nCreationOrders[i]) - 1];
        if (i < l->nWidths.size()) col.nWidth = l->nWidths[i];
        if (i < l->lHides.size()) col.lHide = l->lHides[i];
        if (i < l->cGrpHdrs.size()) col.cGrpHdr = l->cGrpHdrs[i];
        if (i < l->cHeaders.size()) col.cHeader = l->cHeaders[i];
    }
    if (l->nRowHeight) nRowHeight = *l->nRowHeight;
    nColSel = std::clamp(nColSel, 1, std::max(1, int(Display().size())));
    return true;
}

bool XBrowseModel::SetColsAsRows(const std::vector<int>& cols) {
    std::vector<int> known;
    for (int n : cols)
        if (n >= 1 && n <= int(aCols.size()) && std::find(known.begin(), known.end(), n) == known.end()) known.push_back(n);
    if (known.size() < 2) return false;
    int widest = 0;
    for (int n : known) widest = std::max(widest, aCols[size_t(n) - 1].nWidth);
    for (size_t i = 0; i < known.size(); ++i) {
        TXBrwColumn& c = aCols[size_t(known[i]) - 1];
        c.nWidth = widest;
        c.aRowCols.clear();
        if (i > 0) c.lHide = true;
    }
    aCols[size_t(known[0]) - 1].aRowCols = known;
    return true;
}

int XBrowseModel::StackedRows() const {
    size_t most = 1;
    for (const TXBrwColumn& c : aCols)
        if (!c.lHide) most = std::max(most, c.aRowCols.size());
    return int(most);
}

void XBrowseModel::WorkMergeData(TXBrwColumn& col) {
    col.aMerge.clear();
    if (nLen == 0) return;
    std::vector<std::string> texts;
    const Value here = src.bBookMark();
    src.bGoTop();
    for (int i = 0; i < nLen; ++i) {
        // GetValue gives the blank value for nil: a nil cell merges with blanks.
        texts.push_back(xbrValueText(col.GetValue()));
        if (src.bSkip(1) == 0) break;
    }
    src.bBookGoTo(here);
    const int n = int(texts.size());
    col.aMerge.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        col.aMerge[size_t(i)].keyNo = i + 1;
        if (i > 0 && texts[size_t(i)] == texts[size_t(i) - 1]) col.aMerge[size_t(i)].above = col.aMerge[size_t(i) - 1].above + 1;
    }
    for (int i = n - 2; i >= 0; --i)
        if (texts[size_t(i)] == texts[size_t(i) + 1]) col.aMerge[size_t(i)].below = col.aMerge[size_t(i) + 1].below + 1;
}

bool XBrowseModel::ToExcel() {
    MSGALERT(Value("Excel not installed"));
    return false;
}

bool XBrowseModel::ToCalc() {
    MSGALERT(Value("No spreadsheet software installed"));
    return false;
}

// ---- dBASE export --------------------------------------------------------------

// Decimals the column's numbers need (at most 4), so that a column with no
// declared size loses no fraction in a numeric field.
int XBrowseModel::decimalsInData(const TXBrwColumn& col) const {
    int dec = 0;
    const Value here = src.bBookMark();
    src.bGoTop();
    for (int i = 0; i < nLen && dec < 4; ++i) {
        const Value v = col.bEditValue ? col.bEditValue(nullptr) : Value();
        if (v.isNumber() && !v.isWhole())
            for (double x = std::fabs(v.number()) * std::pow(10.0, dec); dec < 4 && std::fabs(x - std::round(x)) > 1e-6; x *= 10) ++dec;
        if (src.bSkip(1) == 0) break;
    }
    src.bBookGoTo(here);
    return dec;
}

namespace {

// A valid field name not among `used` (which it joins): letters, digits and
// "_", starting with a letter, 10 at most; "COL" and the column number for
// a header without any letter or digit.
std::string xbrFieldName(const std::string& header, int colNo, std::vector<std::string>& used) {
    std::string name;
    for (char ch : upper(alltrim(header))) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    if (name.find_first_not_of('_') == std::string::npos) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "COL%02d", colNo);
        name = buf;
    } else if (!std::isalpha(static_cast<unsigned char>(name[0]))) {
        name = "F" + name;
    }
    name = name.substr(0, 10);
    for (int k = 2; std::find(used.begin(), used.end(), name) != used.end(); ++k) {
        const std::string tail = std::to_string(k);
        name = name.substr(0, std::min(name.size(), 10 - tail.size() - 1)) + "_" + tail;
        if (std::find(used.begin(), used.end(), name) != used.end()) name = name.substr(0, name.rfind('_'));
    }
    used.push_back(name);
    return name;
}

// A structure someone edited, made writable: valid unique names, known
// types, lengths and decimals the format holds.
std::vector<DbfField> xbrSoundStructure(const std::vector<DbfField>& asked) {
    std::vector<DbfField> out;
    std::vector<std::string> used;
    for (size_t i = 0; i < asked.size(); ++i) {
        DbfField f = asked[i];
        f.name = xbrFieldName(f.name, int(i) + 1, used);
        f.type = char(std::toupper(static_cast<unsigned char>(f.type)));
        if (std::string("CNDLM").find(f.type) == std::string::npos) f.type = 'C';
        switch (f.type) {
            case 'D': f.length = 8, f.decimals = 0; break;
            case 'L': f.length = 1, f.decimals = 0; break;
            case 'M': f.length = 10, f.decimals = 0; break;
            case 'N':
                f.length = std::clamp(f.length, 1, 19);
                f.decimals = std::clamp(f.decimals, 0, std::max(0, f.length - 2));
                break;
            default: f.length = std::clamp(f.length, 1, 254), f.decimals = 0;
        }
        out.push_back(f);
    }
    return out;
}

}  // namespace

std::vector<DbfField> XBrowseModel::DbfStructure() const {
    std::vector<DbfField> fields;
    std::vector<std::string> used;
    const Value here = src.bBookMark ? src.bBookMark() : Value();
    if (src.bGoTop) src.bGoTop();
    for (int c : Display()) {
        const TXBrwColumn& col = aCols[size_t(c) - 1];
        DbfField f;
        f.name = xbrFieldName(col.cHeader, c, used);
        char t = col.cDataType;
        if (t == 'T') t = 'D';
        if (t != 'D' && t != 'L' && t != 'M' && t != 'N') {
            const char vt = col.bEditValue ? xbrValueType(col.bEditValue(nullptr)) : 'U';
            t = (vt == 'N' || vt == 'D' || vt == 'L') ? vt : 'C';
        }
        f.type = t;
        f.decimals = t == 'N' ? (col.nDataDec > 0 || col.nDataLen > 0 ? col.nDataDec : decimalsInData(col)) : 0;
        switch (t) {
            case 'D': f.length = 8; break;
            case 'L': f.length = 1; break;
            case 'M': f.length = 10; break;
            case 'N': f.length = col.nDataLen > 0 ? col.nDataLen : 14; break;
            default: f.length = col.nDataLen > 0 ? std::min(col.nDataLen, 254) : 40;
        }
        fields.push_back(f);
    }
    if (src.bBookGoTo) src.bBookGoTo(here);
    return fields;
}

std::string XBrowseModel::ToDbf(const std::string& path, const std::vector<DbfField>& structure) {
    if (nLen == 0) return "No rows";
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(path, ec) && !MSGYESNO(Value("Replace " + path + " ?"), Value("Please select"))) return "Not replaced";
    const std::vector<DbfField> fields =
        structure.size() == Display().size() ? xbrSoundStructure(structure) : DbfStructure();
    const fs::path target(path);
    const std::string folder = target.parent_path().string();
    const std::string temp = CTEMPFILE(folder.empty() ? "." : folder, "dbf");
    std::string error;
    {
        auto table = DbfFile::create(temp, fields);
        if (!table) return "Cannot write " + path;
        const auto d = Display();
        const Value here = src.bBookMark();
        src.bGoTop();
        for (int i = 0; i < nLen && error.empty(); ++i) {
            ValueList rec;
            for (size_t k = 0; k < d.size(); ++k) {
                const TXBrwColumn& col = aCols[size_t(d[k]) - 1];
                Value v = col.bEditValue ? col.bEditValue(nullptr) : Value();
                const char ft = fields[k].type;
                if (ft == 'C' || ft == 'M') v = Value(rtrim(col.StrData()));
                else if (v.isText()) v = textAsType(v.text(), ft);
                else if (xbrValueType(v) != ft) v = Value();  // cannot be written: left blank
                rec.push_back(v);
            }
            if (!table->append(rec)) error = "Cannot write " + path;
            if (src.bSkip(1) == 0) break;
        }
        src.bBookGoTo(here);
    }
    const std::string tempMemo = dbfMemoPath(temp);
    if (error.empty() && replaceFile(temp, path) != 0) error = "Cannot replace " + path;
    if (error.empty() && fs::exists(tempMemo, ec) && replaceFile(tempMemo, dbfMemoPath(path)) != 0) error = "Cannot replace " + dbfMemoPath(path);
    if (!error.empty()) {
        fs::remove(temp, ec);
        fs::remove(tempMemo, ec);
    }
    return error;
}

}  // namespace wl
