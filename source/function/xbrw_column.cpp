#include "xbrw_column.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "text.hpp"

namespace wl {

char xbrValueType(const Value& v) {
    if (v.isNil()) return 'U';
    if (v.isLogical()) return 'L';
    if (v.isNumber()) return 'N';
    if (v.isText()) return 'C';
    if (v.isDate()) return 'D';
    if (v.isList()) return 'A';
    return 'B';
}

bool xbrSameCode(const Value& a, const Value& b) {
    return xbrValueType(a) == xbrValueType(b) && CVALTOCHAR(a) == CVALTOCHAR(b);
}

std::string xbrValueText(const Value& v, int decimals) {
    if (v.isNumber()) {
        if (decimals < 0) decimals = v.isWhole() ? 0 : 2;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, v.number());
        return buf;
    }
    return CVALTOCHAR(v);
}

Value TXBrwColumn::GetValue() const {
    Value v = bEditValue ? bEditValue(nullptr) : Value();
    return v.isNil() ? BlankValue() : v;
}

bool TXBrwColumn::SetValue(const Value& v) {
    if (lReadOnly || !bEditValue) return false;
    bEditValue(&v);
    return true;
}

char TXBrwColumn::DataType() const {
    if (cDataType) return cDataType;
    const Value v = bEditValue ? bEditValue(nullptr) : Value();
    const char t = xbrValueType(v);
    return t == 'U' ? 'C' : t;
}

int TXBrwColumn::DataStrAlign() const {
    if (nDataStrAlign >= 0) return nDataStrAlign;
    const char t = DataType();
    return t == 'N' || t == 'D' || t == 'T' ? 1 : 0;
}

namespace {

// How one plain field of a column is read and written by name.
struct ColumnField {
    const char* name;
    std::function<Value(const TXBrwColumn&)> get;
    std::function<bool(TXBrwColumn&, const Value&)> set;
};

template <typename T>
ColumnField textField(const char* name, T TXBrwColumn::*member) {
    return {name, [member](const TXBrwColumn& c) { return Value(c.*member); },
            [member](TXBrwColumn& c, const Value& v) {
                if (!v.isText()) return false;
                c.*member = v.text();
                return true;
            }};
}

ColumnField numberField(const char* name, int TXBrwColumn::*member) {
    return {name, [member](const TXBrwColumn& c) { return Value(c.*member); },
            [member](TXBrwColumn& c, const Value& v) {
                if (!v.isNumber()) return false;
                c.*member = int(v.number());
                return true;
            }};
}

ColumnField flagField(const char* name, bool TXBrwColumn::*member) {
    return {name, [member](const TXBrwColumn& c) { return Value(c.*member); },
            [member](TXBrwColumn& c, const Value& v) {
                if (!v.isLogical()) return false;
                c.*member = v.logical();
                return true;
            }};
}

const std::vector<ColumnField>& columnFields() {
    static const std::vector<ColumnField> fields = {
        textField("cHeader", &TXBrwColumn::cHeader),
        textField("cGrpHdr", &TXBrwColumn::cGrpHdr),
        textField("cFooter", &TXBrwColumn::cFooter),
        textField("cEditPicture", &TXBrwColumn::cEditPicture),
        textField("cOrder", &TXBrwColumn::cOrder),
        textField("cToolTip", &TXBrwColumn::cToolTip),
        textField("cBtnCaption", &TXBrwColumn::cBtnCaption),
        textField("cEditKeys", &TXBrwColumn::cEditKeys),
        numberField("nCreationOrder", &TXBrwColumn::nCreationOrder),
        numberField("nWidth", &TXBrwColumn::nWidth),
        numberField("nArrayCol", &TXBrwColumn::nArrayCol),
        numberField("nDataLen", &TXBrwColumn::nDataLen),
        numberField("nDataDec", &TXBrwColumn::nDataDec),
        numberField("nEditType", &TXBrwColumn::nEditType),
        numberField("nFooterType", &TXBrwColumn::nFooterType),
        numberField("nDataStrAlign", &TXBrwColumn::nDataStrAlign),
        numberField("nDataBmpAlign", &TXBrwColumn::nDataBmpAlign),
        flagField("lHide", &TXBrwColumn::lHide),
        flagField("lReadOnly", &TXBrwColumn::lReadOnly),
        flagField("lDisplayZeros", &TXBrwColumn::lDisplayZeros),
        flagField("lAutoSave", &TXBrwColumn::lAutoSave),
        flagField("lCaseSensitive", &TXBrwColumn::lCaseSensitive),
        flagField("lTotal", &TXBrwColumn::lTotal),
        flagField("lMergeVert", &TXBrwColumn::lMergeVert),
        flagField("lProgBar", &TXBrwColumn::lProgBar),
        flagField("lBmpTransparent", &TXBrwColumn::lBmpTransparent),
        {"cDataType", [](const TXBrwColumn& c) { return Value(std::string(1, c.DataType())); },
         [](TXBrwColumn& c, const Value& v) {
             if (!v.isText() || v.text().size() != 1) return false;
             c.cDataType = char(std::toupper(static_cast<unsigned char>(v.text()[0])));
             return true;
         }},
        {"cSortOrder", [](const TXBrwColumn& c) { return c.cSortOrder; },
         [](TXBrwColumn& c, const Value& v) {
             c.cSortOrder = v;
             return true;
         }},
    };
    return fields;
}

const ColumnField* columnField(const std::string& name) {
    for (const ColumnField& f : columnFields())
        if (upper(f.name) == upper(alltrim(name))) return &f;
    return nullptr;
}

}  // namespace

std::optional<Value> TXBrwColumn::Field(const std::string& name) const {
    const ColumnField* f = columnField(name);
    if (!f) return std::nullopt;
    return f->get(*this);
}

bool TXBrwColumn::SetField(const std::string& name, const Value& v) {
    const ColumnField* f = columnField(name);
    return f && f->set(*this, v);
}

Value TXBrwColumn::BlankValue() const {
    switch (cDataType ? cDataType : 'C') {
        case 'N': return nDataDec ? Value(0.0) : Value(0);
        case 'D':
        case 'T': return Value(Date{});
        case 'L': return Value(false);
        default: return Value(std::string(std::max(0, nDataLen), ' '));
    }
}

std::string TXBrwColumn::StrData() const {
    if (bStrData) return bStrData();
    if (hChecked) return CheckText();
    const Value v = GetValue();
    if (v.isNumber() && v.number() == 0 && !lDisplayZeros) return "";
    return xbrValueText(v, nDataDec > 0 ? nDataDec : (cDataType == 'N' && nDataLen > 0 ? 0 : -1));
}

namespace {
std::string squeezed(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out += upperChar(c);
    return out;
}
}  // namespace

bool TXBrwColumn::SameColAs(const Value& x) const {
    if (x.isNumber()) return int(x.number()) == nCreationOrder;
    if (!x.isText()) return false;
    if (upper(x.text()) == upper(cHeader) || squeezed(x.text()) == squeezed(cHeader)) return true;
    return !cGrpHdr.empty() && upper(x.text()) == upper(cGrpHdr + "_" + cHeader);
}

void TXBrwColumn::SetCheck(std::function<void(TXBrwColumn&, const Value&, int)> postEdit, std::optional<int> editType,
                           std::vector<std::string> texts) {
    hChecked = true;
    cDataType = 'L';
    if (postEdit) {
        bOnPostEdit = std::move(postEdit);
        nEditType = 1;
    } else if (editType) {
        nEditType = *editType;
    }
    aCheckTexts = texts.size() >= 3 ? std::move(texts) : std::vector<std::string>{};
}

std::string TXBrwColumn::CheckText() const {
    if (aCheckTexts.size() < 3) return "";
    const Value v = bEditValue ? bEditValue(nullptr) : Value();
    return v.isLogical() ? aCheckTexts[v.logical() ? 0 : 1] : aCheckTexts[2];
}

int TXBrwColumn::AddBmpFile(const std::string& file) {
    const TreePicture p = treeLoadPicture("", file);
    if (!p) return 0;
    aBitmaps.push_back({p, true});
    return int(aBitmaps.size());
}

int TXBrwColumn::AddResource(const std::string& name) {
    const TreePicture p = treeLoadPicture(name, "");
    if (!p) return 0;
    aBitmaps.push_back({p, true});
    return int(aBitmaps.size());
}

int TXBrwColumn::AddBmpHandle(TreePicture handle) {
    if (!handle) return 0;
    aBitmaps.push_back({handle, false});
    return int(aBitmaps.size());
}

int TXBrwColumn::AddBitmap(const std::string& fileOrResource) {
    // A name with a dot is a file, else a resource.
    return fileOrResource.find('.') != std::string::npos ? AddBmpFile(fileOrResource) : AddResource(fileOrResource);
}

TreePicture TXBrwColumn::aBitmap(int n) const {
    return n >= 1 && n <= int(aBitmaps.size()) ? aBitmaps[size_t(n) - 1].handle : 0;
}

bool TXBrwColumn::ChangeBitmap(int n, TreePicture handle) {
    if (n < 1 || n > int(aBitmaps.size())) return false;
    XbrBitmap& b = aBitmaps[size_t(n) - 1];
    if (b.owned) treeReleasePicture(b.handle);
    b = {handle, false};
    return true;
}

TreePicture TXBrwColumn::CellBitmap() const { return bBmpData ? aBitmap(bBmpData()) : 0; }

void TXBrwColumn::ReleaseBitmaps() {
    for (const XbrBitmap& b : aBitmaps)
        if (b.owned) treeReleasePicture(b.handle);
    aBitmaps.clear();
}

void TXBrwColumn::SetProgBar(double total, int width, std::optional<std::uint32_t> bar,
                             std::optional<std::uint32_t> back) {
    lProgBar = true;
    nProgTot = std::max(1.0, total);
    if (width > 0) nWidth = width;
    if (bar) nClrProgBar = *bar;
    if (back) nClrProgBack = *back;
}

int TXBrwColumn::ProgFill(int width) const {
    const Value v = GetValue();
    const double part = v.isNumber() ? v.number() / std::max(1.0, nProgTot) : 0.0;
    return std::clamp(int(part * width + 0.5), 0, std::max(0, width));
}

int TXBrwColumn::MergeRows(int keyNo, bool topLine, int rowsLeft) const {
    if (!lMergeVert || keyNo < 1 || keyNo > int(aMerge.size())) return 1;
    const XbrMerge& m = aMerge[size_t(keyNo) - 1];
    if (m.above > 0 && !topLine) return 0;
    return std::max(1, std::min(m.below + 1, rowsLeft));
}

void TXBrwColumn::ResetTotal() {
    if (nFooterType == 0) nFooterType = AGGR_SUM;
    nTotal = nTotalSq = 0.0;
    nCount = 0;
    extreme.reset();
}

void TXBrwColumn::AddToTotal(const Value& v) {
    const bool counts = bSumCondition ? bSumCondition(v, *this) : !v.isNil();
    if (!counts) return;
    if (nFooterType == AGGR_COUNT) {
        ++nCount;
        return;
    }
    if (!v.isNumber()) return;
    const double n = v.number();
    if (nFooterType == AGGR_MIN || nFooterType == AGGR_MAX) {
        if (!extreme || (nFooterType == AGGR_MIN ? n < *extreme : n > *extreme)) extreme = n;
        ++nCount;
        return;
    }
    nTotal += n;
    ++nCount;
    if (nFooterType & (1 | 8 | 16)) nTotalSq += n * n;
}

bool TXBrwColumn::RecalcTotal(const Value& oldValue, const Value& newValue) {
    if (nFooterType == AGGR_MIN || nFooterType == AGGR_MAX) {
        const double o = oldValue.number(), n = newValue.number();
        if (extreme && oldValue.isNumber() && o == *extreme && n != o) return true;
        if (newValue.isNumber() && (!extreme || (nFooterType == AGGR_MIN ? n < *extreme : n > *extreme))) extreme = n;
        return false;
    }
    if (nFooterType == AGGR_COUNT) return false;
    const double o = oldValue.isNumber() ? oldValue.number() : 0.0;
    const double n = newValue.isNumber() ? newValue.number() : 0.0;
    nTotal += n - o;
    if (nFooterType & (1 | 8 | 16)) nTotalSq += n * n - o * o;
    return false;
}


double TXBrwColumn::FooterValue() const {
    switch (nFooterType) {
        case AGGR_MIN:
        case AGGR_MAX: return extreme.value_or(0.0);
        case AGGR_COUNT: return nCount;
        case AGGR_AVG: return nCount ? nTotal / nCount : 0.0;
        case AGGR_STDEV:
        case AGGR_STDEVP: {
            const int div = nFooterType == AGGR_STDEV ? nCount - 1 : nCount;
            if (div <= 0) return 0.0;
            const double var = (nTotalSq - nTotal * nTotal / nCount) / div;
            return var > 0 ? std::sqrt(var) : 0.0;
        }
        default: return nTotal;
    }
}

std::string TXBrwColumn::FooterStr() const {
    if (bFooter) return bFooter(*this);
    if (!IsTotalled()) return cFooter;
    const double v = FooterValue();
    if (nFooterType == AGGR_COUNT) return xbrValueText(Value(v), 0);
    return xbrValueText(Value(v), nDataDec ? nDataDec : (v == std::floor(v) && nFooterType != AGGR_AVG && nFooterType != AGGR_STDEV && nFooterType != AGGR_STDEVP ? 0 : 2));
}

}  // namespace wl
