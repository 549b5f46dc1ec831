// The edit buffer of a single-line field: formatting through the picture,
// caret rules, typing and deleting, and the value read back.
#include "get_model.hpp"

#include "setting_values.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace wl {

namespace {

constexpr std::string_view kInputChars = "9#ANX!LY";

bool isInputChar(char t) { return kInputChars.find(t) != std::string_view::npos; }

char typeOf(const Value& v) {
    if (v.isNumber()) return 'N';
    if (v.isDate()) return 'D';
    if (v.isLogical()) return 'L';
    return 'C';
}

char upperChar(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The template the buffer is edited against: the picture's, else the one
// the type implies (none for text: every position takes any character).
std::string effectiveTemplate(const TClipGet& g) {
    std::string t = getTemplate(g.picture);
    if (!t.empty()) return t;
    switch (g.type) {
    case 'D': return "99/99/99";
    case 'L': return "L";
    case 'N': return g.buffer.empty() ? std::string() : std::string(g.buffer.size(), '#');
    default: return {};
    }
}

// Numbers fill the template's digit places right to left; a separator
// shows only between digits; a number too wide shows stars.
std::string formatNumber(double n, const std::string& tmpl) {
    const std::size_t point = tmpl.find('.');
    int decimals = 0;
    if (point != std::string::npos)
        for (std::size_t i = point + 1; i < tmpl.size() && isInputChar(tmpl[i]); ++i) ++decimals;
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, std::fabs(n));
    std::string text = digits;
    const std::size_t dot = text.find('.');
    std::string whole = text.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    if (whole == "0" && point != std::string::npos && point == 0) whole.clear();
    const bool negative = n < 0 && std::fabs(n) >= std::pow(10.0, -decimals) / 2;
    if (negative) whole.insert(0, "-");

    std::string out = tmpl;
    const std::size_t wholeEnd = point == std::string::npos ? tmpl.size() : point;
    int w = static_cast<int>(whole.size()) - 1;
    for (int i = static_cast<int>(wholeEnd) - 1; i >= 0; --i) {
        if (isInputChar(tmpl[static_cast<std::size_t>(i)])) {
            out[static_cast<std::size_t>(i)] = w >= 0 ? whole[static_cast<std::size_t>(w--)] : ' ';
        } else if (tmpl[static_cast<std::size_t>(i)] == ',') {
            out[static_cast<std::size_t>(i)] = w >= 0 ? ',' : ' ';
        }
    }
    if (w >= 0) {  // does not fit
        for (std::size_t i = 0; i < tmpl.size(); ++i)
            if (isInputChar(tmpl[i]) || tmpl[i] == ',') out[i] = '*';
        return out;
    }
    std::size_t f = 0;
    for (std::size_t i = wholeEnd + 1; i < tmpl.size(); ++i)
        if (isInputChar(tmpl[i])) out[i] = f < frac.size() ? frac[f++] : '0';
    return out;
}

std::string formatText(const std::string& value, const std::string& picture) {
    const std::string tmpl = getTemplate(picture);
    const bool upper = getUpperFunction(picture);
    std::string out;
    if (tmpl.empty()) {
        out = value;
    } else {
        out = tmpl;
        const bool keep = getKeepsLiterals(picture);
        std::size_t v = 0;
        for (std::size_t i = 0; i < tmpl.size(); ++i) {
            if (isInputChar(tmpl[i])) {
                const std::size_t from = keep ? v++ : i;
                out[i] = from < value.size() ? value[from] : ' ';
                if (tmpl[i] == '!') out[i] = upperChar(out[i]);
            } else if (!keep) {
                ++v;
            }
        }
    }
    if (upper)
        for (char& c : out) c = upperChar(c);
    return out;
}

std::string formatValue(const TClipGet& g, const Value& value) {
    switch (g.type) {
    case 'N': {
        std::string tmpl = getTemplate(g.picture);
        if (tmpl.empty()) tmpl = g.decimals > 0 ? std::string(10, '9') + "." + std::string(static_cast<std::size_t>(g.decimals), '9')
                                                : std::string(10, '9');
        return formatNumber(value.isNumber() ? value.number() : 0.0, tmpl);
    }
    case 'D': return dateText(value.isDate() ? std::get<Date>(value.storage()) : Date{});
    case 'L': return value.logical() ? "T" : "F";
    default: return formatText(value.isText() ? value.text() : std::string(), g.picture);
    }
}

bool accepts(char t, char c, char type) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32) return false;
    const bool digit = std::isdigit(u) != 0;
    switch (t) {
    case '9': return digit || (type == 'N' && (c == '-' || c == '+'));
    case '#': return digit || c == ' ' || c == '-' || c == '+' || c == '.';
    case 'A': return std::isalpha(u) != 0;
    case 'N': return std::isalnum(u) != 0;
    case 'L': return std::string_view("TtFfYyNn").find(c) != std::string_view::npos;
    case 'Y': return std::string_view("YyNn").find(c) != std::string_view::npos;
    default: return true;  // X, !, or a text without template
    }
}

int size(const TClipGet& g) { return static_cast<int>(g.buffer.size()); }

int nextEditable(const TClipGet& g, int from) {
    for (int p = from; p <= size(g); ++p)
        if (getIsEditable(g, p)) return p;
    return 0;
}

int prevEditable(const TClipGet& g, int from) {
    for (int p = from; p >= 1; --p)
        if (getIsEditable(g, p)) return p;
    return 0;
}

// The last position of the run of editable positions the caret stands in.
int stretchEnd(const TClipGet& g, int pos) {
    int end = pos;
    while (end < size(g) && getIsEditable(g, end + 1)) ++end;
    return end;
}

// The first character typed into a cleared number empties its places.
void clearIfAsked(TClipGet& g) {
    if (!g.clear) return;
    g.clear = false;
    for (int p = 1; p <= size(g); ++p)
        if (getIsEditable(g, p)) g.buffer[static_cast<std::size_t>(p - 1)] = ' ';
    if (g.type == 'N') g.pos = std::max(1, nextEditable(g, 1));
}

bool put(TClipGet& g, char c, bool insert) {
    // A full field takes nothing more until the caret moves back.
    g.rejected = g.typeOut;
    if (g.typeOut) return false;
    if (g.pos < 1 || g.pos > size(g) || !getIsEditable(g, g.pos)) {
        g.typeOut = g.pos > size(g);
        g.rejected = true;
        return false;
    }
    const std::string tmpl = effectiveTemplate(g);
    const char t = g.pos <= static_cast<int>(tmpl.size()) ? tmpl[static_cast<std::size_t>(g.pos - 1)] : 'X';
    if (!accepts(t, c, g.type)) {
        g.rejected = true;
        return false;
    }
    if (t == '!' || t == 'L' || t == 'Y' || getUpperFunction(g.picture)) c = upperChar(c);
    clearIfAsked(g);
    const std::size_t at = static_cast<std::size_t>(g.pos - 1);
    if (insert) {
        const std::size_t end = static_cast<std::size_t>(stretchEnd(g, g.pos));
        g.buffer.insert(at, 1, c);
        g.buffer.erase(end, 1);  // the stretch keeps its length
    } else {
        g.buffer[at] = c;
    }
    g.changed = true;
    getRight(g);
    return true;
}

std::string stripped(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ' && c != ',') out += c;
    return out;
}

bool parseNumber(const std::string& text, double& out) {
    const std::string t = stripped(text);
    if (t.empty()) {
        out = 0;
        return true;
    }
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size();
}

std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153u * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

Date civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400) + (m <= 2);
    return Date{y, m, d};
}

}  // namespace

std::string getTemplate(const std::string& picture) {
    if (picture.empty() || picture[0] != '@') return picture;
    const std::size_t space = picture.find(' ');
    return space == std::string::npos ? std::string() : picture.substr(space + 1);
}

namespace {
std::string functions(const std::string& picture) {
    if (picture.empty() || picture[0] != '@') return {};
    return picture.substr(0, picture.find(' '));
}
}  // namespace

bool getUpperFunction(const std::string& picture) { return functions(picture).find('!') != std::string::npos; }

bool getKeepsLiterals(const std::string& picture) {
    const std::string f = functions(picture);
    return f.find('R') != std::string::npos || f.find('r') != std::string::npos;
}

TClipGet getNew(const Value& value, const std::string& picture) {
    TClipGet g;
    g.type = typeOf(value);
    g.picture = picture;
    if (g.type == 'N' && !value.isWhole() && getTemplate(picture).empty()) g.decimals = 2;
    g.original = value;
    getUpdateBuffer(g, value);
    return g;
}

void getUpdateBuffer(TClipGet& g, const Value& value) {
    g.buffer = formatValue(g, value);
    g.clear = false;
    getHome(g);
}

void getSetFocus(TClipGet& g, const Value& value) {
    g.hasFocus = true;
    g.original = value;
    g.changed = g.rejected = g.typeOut = false;
    getUpdateBuffer(g, value);
}

void getKillFocus(TClipGet& g) {
    g.hasFocus = false;
    g.clear = false;
}

bool getIsEditable(const TClipGet& g, int pos) {
    if (pos < 1 || pos > size(g)) return false;
    const std::string tmpl = effectiveTemplate(g);
    if (tmpl.empty() || pos > static_cast<int>(tmpl.size())) return g.type == 'C';
    const char t = tmpl[static_cast<std::size_t>(pos - 1)];
    if (g.type == 'N' && getTemplate(g.picture).empty() && g.buffer[static_cast<std::size_t>(pos - 1)] == '.')
        return false;
    return isInputChar(t);
}

int getDecPos(const TClipGet& g) {
    if (g.type != 'N') return 0;
    const std::string tmpl = getTemplate(g.picture);
    const std::size_t point = tmpl.empty() ? g.buffer.find('.') : tmpl.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(point) + 1;
}

void getHome(TClipGet& g) { g.pos = std::max(1, nextEditable(g, 1)); }

void getEnd(TClipGet& g) {
    int last = 0;
    for (int p = 1; p <= size(g); ++p)
        if (getIsEditable(g, p) && g.buffer[static_cast<std::size_t>(p - 1)] != ' ') last = p;
    if (last == 0) return getHome(g);
    const int after = nextEditable(g, last + 1);
    g.pos = after ? after : last;
}

void getLeft(TClipGet& g) {
    g.typeOut = false;
    if (const int p = prevEditable(g, g.pos - 1)) g.pos = p;
}

void getRight(TClipGet& g) {
    g.typeOut = false;
    if (const int p = nextEditable(g, g.pos + 1)) g.pos = p;
    else g.typeOut = true;
}

void getWordLeft(TClipGet& g) {
    int p = g.pos - 1;
    while (p >= 1 && g.buffer[static_cast<std::size_t>(p - 1)] == ' ') --p;
    while (p > 1 && g.buffer[static_cast<std::size_t>(p - 2)] != ' ') --p;
    if (p < 1) return;
    if (const int e = nextEditable(g, p)) g.pos = std::min(e, g.pos);
}

void getWordRight(TClipGet& g) {
    int p = g.pos;
    while (p <= size(g) && g.buffer[static_cast<std::size_t>(p - 1)] != ' ') ++p;
    while (p <= size(g) && g.buffer[static_cast<std::size_t>(p - 1)] == ' ') ++p;
    if (const int e = nextEditable(g, p)) g.pos = e;
    else getEnd(g);
}

void getToDecPos(TClipGet& g) {
    const int dec = getDecPos(g);
    if (dec == 0) return;
    // The whole part typed from the left moves to the right of its places.
    std::string digits;
    for (int p = 1; p < dec; ++p)
        if (getIsEditable(g, p) && g.buffer[static_cast<std::size_t>(p - 1)] != ' ')
            digits += g.buffer[static_cast<std::size_t>(p - 1)];
    int d = static_cast<int>(digits.size()) - 1;
    for (int p = dec - 1; p >= 1; --p)
        if (getIsEditable(g, p)) g.buffer[static_cast<std::size_t>(p - 1)] = d >= 0 ? digits[static_cast<std::size_t>(d--)] : ' ';
    g.clear = false;
    g.changed = true;
    if (const int p = nextEditable(g, dec + 1)) g.pos = p;
}

bool getInsert(TClipGet& g, char c) { return put(g, c, true); }
bool getOverstrike(TClipGet& g, char c) { return put(g, c, false); }

void getDelete(TClipGet& g) {
    if (!getIsEditable(g, g.pos)) return;
    clearIfAsked(g);
    const std::size_t at = static_cast<std::size_t>(g.pos - 1);
    const std::size_t end = static_cast<std::size_t>(stretchEnd(g, g.pos));
    g.buffer.erase(at, 1);
    g.buffer.insert(end - 1, 1, ' ');
    g.changed = true;
}

void getBackSpace(TClipGet& g) {
    const int p = prevEditable(g, g.pos - 1);
    if (p == 0) return;
    g.pos = p;
    getDelete(g);
}

void getDelEnd(TClipGet& g) {
    for (int p = g.pos; p <= size(g); ++p)
        if (getIsEditable(g, p)) g.buffer[static_cast<std::size_t>(p - 1)] = ' ';
    g.changed = true;
}

Value getUntransform(const TClipGet& g) {
    switch (g.type) {
    case 'N': {
        std::string text;
        for (int p = 1; p <= size(g); ++p)
            if (getIsEditable(g, p) || p == getDecPos(g)) text += g.buffer[static_cast<std::size_t>(p - 1)];
        double n = 0;
        if (!parseNumber(text, n)) n = 0;
        if (g.original.isWhole() && getDecPos(g) == 0) return Value(static_cast<std::int64_t>(std::llround(n)));
        return Value(n);
    }
    case 'D': return Value(getBadDate(g) ? Date{} : dateFromText(g.buffer));
    case 'L': return Value(!g.buffer.empty() && (g.buffer[0] == 'T' || g.buffer[0] == 'Y'));
    default:
        if (!getKeepsLiterals(g.picture)) return Value(g.buffer);
        std::string out;
        for (int p = 1; p <= size(g); ++p)
            if (getIsEditable(g, p)) out += g.buffer[static_cast<std::size_t>(p - 1)];
        return Value(out);
    }
}

bool getBadDate(const TClipGet& g) {
    if (g.type != 'D') return false;
    if (g.buffer.find_first_not_of(" /") == std::string::npos) return false;  // the blank date
    const Date d = dateFromText(g.buffer);
    return d.blank() || d.day > LastDay(d);
}

bool getPaste(TClipGet& g, const std::string& text, int pos) {
    std::string t = text;
    while (!t.empty() && (t.back() == ' ' || t.back() == '\r' || t.back() == '\n')) t.pop_back();
    if (t.empty()) return true;
    const std::size_t at = static_cast<std::size_t>(std::clamp(pos, 1, size(g) + 1) - 1);
    std::string spliced = g.buffer.substr(0, at) + t + g.buffer.substr(at);
    const std::size_t len = g.buffer.size();
    if (g.type == 'N') {
        double n = 0;
        if (!parseNumber(spliced, n)) return false;
        TClipGet probe = g;
        probe.buffer = formatValue(g, Value(n));
        if (probe.buffer.find('*') != std::string::npos) return false;
        g.buffer = probe.buffer;
    } else if (g.type == 'D') {
        // The date's own places end it: what spills past them must be empty.
        if (spliced.find_first_not_of(" /", len) != std::string::npos) return false;
        TClipGet probe = g;
        probe.buffer = spliced.substr(0, len);
        const Date d = dateFromText(probe.buffer);
        if (d.blank() || getBadDate(probe)) return false;
        g.buffer = dateText(d);
    } else {
        while (spliced.size() > len && spliced.back() == ' ') spliced.pop_back();
        const bool fits = spliced.size() <= len;
        spliced.resize(len, ' ');
        g.buffer = spliced;
        g.changed = true;
        g.pos = std::min(static_cast<int>(at + t.size()) + 1, std::max(1, size(g)));
        return fits;
    }
    g.changed = true;
    getEnd(g);
    return true;
}

int getCutCaret(int selStart0, int selEnd0) { return std::min(selStart0, selEnd0) + 1; }

double getScrollNumberStep(int decPos, int pos, int n) {
    const double sign = n < 0 ? -1.0 : 1.0;
    if (decPos > 0 && pos >= decPos) return sign * std::pow(10.0, -std::max(1, pos - decPos - 1));
    return static_cast<double>(n);
}

int LastDay(const Date& d) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month < 1 || d.month > 12) return 0;
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    return d.month == 2 && leap ? 29 : days[d.month - 1];
}

Date getScrollDate(const Date& d, char part, int n) {
    if (d.blank()) return d;
    switch (part) {
    case 'D': return civilFromDays(daysFromCivil(d.year, d.month, d.day) + n);
    case 'M': {
        const int months = d.year * 12 + (d.month - 1) + n;
        Date r{months / 12, months % 12 + 1, 1};
        r.day = std::min(d.day, LastDay(r));
        return r;
    }
    case 'Y': {
        Date r{d.year + n, d.month, 1};
        r.day = std::min(d.day, LastDay(r));
        return r;
    }
    default: return d;
    }
}

char getDatePart(const std::string& dateFormat, int pos) {
    auto at = [&](int p) { return p >= 1 && p <= static_cast<int>(dateFormat.size()) ? upperChar(dateFormat[static_cast<std::size_t>(p - 1)]) : ' '; };
    char c = at(pos);
    if (c != 'D' && c != 'M' && c != 'Y' && pos > 1) c = at(pos - 1);
    return c;
}

}  // namespace wl
