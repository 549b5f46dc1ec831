#include "xbrowse_functions.hpp"

#include <algorithm>
#include <cctype>

#include "process_state.hpp"
#include "xbrw_column.hpp"

namespace wl {

std::string MAKECOLALPHABET(long long n) {
    std::string out;
    while (n > 0) {
        --n;
        out.insert(out.begin(), char('A' + n % 26));
        n /= 26;
    }
    return out;
}

namespace {

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

int digitsValue(std::string_view s) {
    int v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
}

bool validDate(int y, int m, int d) {
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > days[m - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m != 2 || d <= 28 || leap;
}

std::optional<Date> yearFirst(std::string_view s) {
    std::string digits;
    for (char c : s)
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
        else return std::nullopt;
    int y = 0, m = 1, d = 1;
    if (digits.size() == 8) {
        y = digitsValue(digits.substr(0, 4)), m = digitsValue(digits.substr(4, 2)), d = digitsValue(digits.substr(6, 2));
    } else if (digits.size() == 6) {
        y = digitsValue(digits.substr(0, 4)), m = digitsValue(digits.substr(4, 2));
    } else if (digits.size() == 4) {
        y = digitsValue(digits);
    } else {
        return std::nullopt;
    }
    if (!validDate(y, m, d)) return std::nullopt;
    return Date{y, m, d};
}

// Reads the digits under each of the format's D, M and Y runs.
std::optional<Date> byFormat(std::string_view s, std::string_view format) {
    int y = 0, m = 0, d = 0, yearDigits = 0;
    for (size_t i = 0; i < format.size();) {
        const char f = char(std::toupper(static_cast<unsigned char>(format[i])));
        size_t j = i;
        while (j < format.size() && std::toupper(static_cast<unsigned char>(format[j])) == f) ++j;
        if (f == 'D' || f == 'M' || f == 'Y') {
            if (j > s.size() || !allDigits(s.substr(i, j - i))) return std::nullopt;
            const int v = digitsValue(s.substr(i, j - i));
            (f == 'D' ? d : f == 'M' ? m : y) = v;
            if (f == 'Y') yearDigits = int(j - i);
        }
        i = j;
    }
    if (yearDigits == 2) y += y < 50 ? 2000 : 1900;
    if (!validDate(y, m, d)) return std::nullopt;
    return Date{y, m, d};
}

}  // namespace

Date SEEKDATE(std::string_view text, const Date& current, std::string_view dateFormat) {
    std::optional<Date> got;
    if (text.size() >= 3 && std::isdigit(static_cast<unsigned char>(text[2]))) {
        got = yearFirst(text);
    } else if (text.size() > 6) {
        std::string padded(text.substr(0, 10));
        // Zeros fill the missing digits; the format's separators stay where they are.
        for (size_t i = padded.size(); i < 10; ++i)
            padded += (i < dateFormat.size() && !std::isalpha(static_cast<unsigned char>(dateFormat[i]))) ? dateFormat[i] : '0';
        got = byFormat(padded, dateFormat);
    }
    return got ? *got : current;
}

ValueList ARRTRANSPOSE(const ValueList& rows) {
    size_t width = 0;
    for (const Value& r : rows) width = std::max(width, r.isList() ? r.list().size() : size_t(1));
    std::vector<ValueList> cols(width, ValueList(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].isList()) {
            if (width) cols[0][i] = rows[i];
            continue;
        }
        const ValueList& row = rows[i].list();
        for (size_t j = 0; j < row.size(); ++j) cols[j][i] = row[j];
    }
    ValueList out;
    for (ValueList& c : cols) out.emplace_back(std::move(c));
    return out;
}

Value XBRLBXLOOKUP(const Value& value, const ValueList& pairs) {
    for (const Value& entry : pairs) {
        if (!entry.isList() || entry.list().size() < 2) continue;
        if (xbrSameCode(entry.list()[0], value)) return entry.list()[1];
    }
    return value;
}

ValueList ARRMERGE(const ValueList& left, const ValueList& right) {
    auto widest = [](const ValueList& a) {
        size_t w = 0;
        for (const Value& r : a) w = std::max(w, r.isList() ? r.list().size() : size_t(1));
        return w;
    };
    const size_t lw = widest(left), rw = widest(right);
    auto rowOf = [](const ValueList& a, size_t i, size_t w) {
        if (i >= a.size()) return ValueList(w);
        if (a[i].isList()) return a[i].list();
        return ValueList{a[i]};
    };
    ValueList out;
    for (size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        ValueList row = rowOf(left, i, lw);
        row.resize(std::max(row.size(), lw));
        const ValueList r = rowOf(right, i, rw);
        row.insert(row.end(), r.begin(), r.end());
        out.emplace_back(std::move(row));
    }
    return out;
}

namespace {
struct KineticSwitch {
    bool on = true;
};
}  // namespace

bool SETKINETIC(std::optional<bool> on) {
    KineticSwitch& k = processState().kineticScroll.get<KineticSwitch>();
    const bool was = k.on;
    if (on) k.on = *on;
    return was;
}

namespace {
struct SelectAllSwitch {
    bool on = true;
};
}  // namespace

bool XBRGETSELECTALL(std::optional<bool> on) {
    SelectAllSwitch& s = processState().gridSelectAll.get<SelectAllSwitch>();
    const bool was = s.on;
    if (on) s.on = *on;
    return was;
}

std::uint32_t CONTRASTCOLOR(std::uint32_t background) {
    const double r = background & 0xFF, g = (background >> 8) & 0xFF, b = (background >> 16) & 0xFF;
    return 0.299 * r + 0.587 * g + 0.114 * b > 150 ? 0x000000 : 0xFFFFFF;
}

}  // namespace wl
