#include "browse_table.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "text.hpp"
#include "value_conversion.hpp"

namespace wl {

namespace {

bool kindMatches(char type, const Value& v) {
    switch (type) {
    case 'N': return v.isNumber();
    case 'D': return v.isDate();
    case 'L': return v.isLogical();
    default: return v.isText();
    }
}

bool inRange(DbfArea& a, const BrowseFilter& f) {
    if (!f.ranged()) return true;
    const Value v = a.FieldGet(f.field);
    return dbfCompare(v, f.start) >= 0 && dbfCompare(v, f.end.isNil() ? f.start : f.end) <= 0;
}

// The key just above the end value: a text with its last character raised
// by one, a number plus one.
Value keyAbove(const Value& end) {
    if (end.isNumber()) return Value(end.number() + 1);
    if (end.isText() && !end.text().empty()) {
        std::string t = end.text();
        t.back() = static_cast<char>(static_cast<unsigned char>(t.back()) + 1);
        return Value(t);
    }
    return end;
}

}  // namespace

bool browseFilterTypesAgree(const DbfField& field, const Value& start, const Value& end) {
    if (start.isNil()) return true;
    return kindMatches(field.type, start) && (end.isNil() || kindMatches(field.type, end));
}

int browseRangeSkip(DbfArea& a, const BrowseFilter& f, int n) {
    if (n == 0) {
        a.Skip(0);
        return 0;
    }
    const int dir = n > 0 ? 1 : -1;
    int moved = 0;
    while (moved != n) {
        a.Skip(dir);
        if (dir > 0 && a.Eof()) {
            a.Skip(-1);
            break;
        }
        if (dir < 0 && a.Bof()) {
            a.GoTo(a.RecNo());
            break;
        }
        if (!inRange(a, f)) {
            a.Skip(-dir);
            break;
        }
        moved += dir;
    }
    return moved;
}

int browseRecCount(DbfArea& a, const BrowseFilter& f) {
    if (!f.ranged()) return a.RecCount();
    const std::uint32_t at = a.RecNo();
    a.SoftSeek(f.field, f.start);
    int count = 0;
    const Value& end = f.end.isNil() ? f.start : f.end;
    while (!a.Eof() && dbfCompare(a.FieldGet(f.field), end) <= 0 && (!f.maxCount || count < *f.maxCount)) {
        ++count;
        a.Skip(1);
    }
    a.GoTo(at);
    return count;
}

BrowseSource tableBrowseSource(std::shared_ptr<DbfArea> area, BrowseFilter filter) {
    BrowseSource src;
    DbfArea* a = area.get();
    if (!a) {
        src.logicLen = [] { return 0; };
        return src;
    }
    src.goTop = [area, filter] {
        if (filter.ranged())
            area->SoftSeek(filter.field, filter.start);
        else
            area->GoTop();
    };
    src.goBottom = [area, filter] {
        if (!filter.ranged()) {
            area->GoBottom();
            return;
        }
        area->SoftSeek(filter.field, keyAbove(filter.end.isNil() ? filter.start : filter.end));
        area->Skip(-1);
    };
    src.skip = [area, filter](int n) { return browseRangeSkip(*area, filter, n); };
    src.logicLen = [area, filter] { return browseRecCount(*area, filter); };
    return src;
}

BrowseEffects browseUpStable(BrowseState& s, const BrowseSource& src, DbfArea& area) {
    const std::uint32_t at = area.RecNo();
    const int row = s.nRowPos;
    src.top();
    bool found = false;
    for (int line = 1; line <= std::max(1, s.nRowCount); ++line) {
        if (area.RecNo() == at) {
            s.nRowPos = line;
            found = true;
            break;
        }
        if (src.Skip(1) != 1) break;
    }
    if (!found) {
        area.GoTo(at);
        s.nRowPos = row;
    }
    s.lHitTop = s.lHitBottom = false;
    return {{BrowseEffect::Kind::Redraw}, {BrowseEffect::Kind::Changed}};
}

std::string browseFieldText(const DbfField& f, const Value& v) {
    switch (f.type) {
    case 'M': return v.isText() && !alltrim(v.text()).empty() ? "<Memo>" : "<memo>";
    case 'N': {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", std::clamp(f.decimals, 0, 15), v.isNumber() ? v.number() : 0.0);
        return buf;
    }
    default: return CVALTOCHAR(v);
    }
}

ValueList browseFieldLine(DbfArea& a, int first, int last) {
    const auto& fields = a.fields();
    ValueList line;
    for (int i = 1; i <= static_cast<int>(fields.size()); ++i) {
        if (i < first || i > last)
            line.emplace_back(std::string());
        else
            line.emplace_back(browseFieldText(fields[static_cast<std::size_t>(i - 1)], a.FieldGet(i)));
    }
    return line;
}

Value browseFieldFromText(const DbfField& f, const std::string& text) {
    switch (f.type) {
    case 'D': return Value(DCHARTODATE(alltrim(text)));
    case 'L': return Value(upper(alltrim(text)) == ".T.");
    case 'N': return Value(std::strtod(alltrim(text).c_str(), nullptr));
    default: return Value(text);
    }
}

int browseIconsPerLine(int clientWidth) { return std::max(1, (clientWidth - 10) / 50); }

int browseIconAt(int row, int col, int clientWidth) {
    if (row <= 9 || col <= 9) return 0;
    const int perLine = browseIconsPerLine(clientWidth);
    const int across = (col - 1) / 50;
    if (across >= perLine) return 0;
    return perLine * ((row - 9) / 50) + across + 1;
}

std::pair<int, int> browseIconCorner(int n, int clientWidth) {
    const int perLine = browseIconsPerLine(clientWidth);
    return {10 + ((n - 1) / perLine) * 50, 10 + ((n - 1) % perLine) * 50};
}

std::string browseSizesText(const std::vector<std::string>& headers, const std::vector<int>& sizes) {
    std::string text;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (i) text += "\r\n";
        text += (i < headers.size() ? headers[i] : std::to_string(i + 1)) + ": " + std::to_string(sizes[i]);
    }
    return text;
}

}  // namespace wl
