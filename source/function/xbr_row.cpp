#include "xbr_row.hpp"

#include "text.hpp"
#include "xbrowse_model.hpp"

namespace wl {

namespace {
bool sameValue(const Value& a, const Value& b) {
    return xbrValueType(a) == xbrValueType(b) && CVALTOCHAR(a) == CVALTOCHAR(b);
}
}  // namespace

TXbrRow::TXbrRow(XBrowseModel& browse) : oBrw(&browse) {
    nRecNo = browse.src.bBookMark ? browse.src.bBookMark() : Value();
    nKeyNo = browse.KeyNo();
    for (const TXBrwColumn& c : browse.aCols) {
        aHeaders.push_back(c.cHeader);
        aValues.push_back(c.GetValue());
    }
    aOriginals = aValues;
}

int TXbrRow::indexOf(const std::string& header) const {
    for (size_t i = 0; i < aHeaders.size(); ++i)
        if (upper(aHeaders[i]) == upper(header)) return int(i);
    return -1;
}

std::optional<Value> TXbrRow::Get(const std::string& header) const {
    const int i = indexOf(header);
    if (i < 0) return std::nullopt;
    return aValues[size_t(i)];
}

bool TXbrRow::Set(const std::string& header, const Value& v) {
    const int i = indexOf(header);
    if (i < 0) return false;
    aValues[size_t(i)] = v;
    return true;
}

bool TXbrRow::Modified() const {
    for (size_t i = 0; i < aValues.size(); ++i)
        if (!sameValue(aValues[i], aOriginals[i])) return true;
    return false;
}

bool TXbrRow::Save() {
    XBrowseModel& b = *oBrw;
    Value here = b.nLen ? b.src.bBookMark() : Value();
    if (lNew) {
        if (!b.src.bAppend || !b.src.bAppend()) return false;
        b.KeyCount();
        nRecNo = here = b.src.bBookMark();
        nKeyNo = b.KeyNo();
        lNew = false;
    }
    b.src.bBookGoTo(nRecNo);
    bool written = false;
    if (b.src.bLock()) {
        for (size_t i = 0; i < aValues.size(); ++i) {
            if (sameValue(aValues[i], aOriginals[i])) continue;
            TXBrwColumn* c = b.oCol(Value(aHeaders[i]));
            if (!c) continue;
            if (c->bOnPostEdit) c->bOnPostEdit(*c, aValues[i], 13);
            else c->SetValue(aValues[i]);
        }
        if (bSave) bSave(*this);
        b.src.bUnLock();
        aOriginals = aValues;
        written = true;
    }
    b.src.bBookGoTo(here);
    return written;
}

}  // namespace wl
