#include "value_conversion.hpp"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

int typeRank(const Value& v) { return static_cast<int>(v.storage().index()); }

bool sameValue(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.number() == b.number();
    if (typeRank(a) != typeRank(b)) return false;
    if (a.isNil()) return true;
    if (a.isLogical()) return a.logical() == b.logical();
    if (a.isText()) return a.text() == b.text();
    if (a.isDate()) {
        const Date& x = std::get<Date>(a.storage());
        const Date& y = std::get<Date>(b.storage());
        return x.year == y.year && x.month == y.month && x.day == y.day;
    }
    return false;
}

// -1, 0, 1 for comparable values (numbers, texts, dates, logicals).
int compareValues(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.number() < b.number() ? -1 : (a.number() > b.number() ? 1 : 0);
    if (a.isText() && b.isText()) return a.text().compare(b.text()) < 0 ? -1 : (a.text() == b.text() ? 0 : 1);
    if (a.isDate() && b.isDate()) {
        const Date& x = std::get<Date>(a.storage());
        const Date& y = std::get<Date>(b.storage());
        const long kx = x.year * 10000L + x.month * 100 + x.day, ky = y.year * 10000L + y.month * 100 + y.day;
        return kx < ky ? -1 : (kx > ky ? 1 : 0);
    }
    if (a.isLogical() && b.isLogical()) return static_cast<int>(a.logical()) - static_cast<int>(b.logical());
    return 0;
}

Value extreme(const ValueList& args, int sign) {
    Value best;
    for (const Value& v : args) {
        if (v.isNil()) continue;
        if (best.isNil() || compareValues(v, best) * sign > 0) best = v;
    }
    return best;
}

bool validDate(int y, int m, int d) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

Date makeDate(int y, int m, int d) { return validDate(y, m, d) ? Date{y, m, d} : Date{}; }

int fullYear(int y, std::size_t digits) {
    if (digits > 2) return y;
    const int century = kDateEpoch / 100 * 100;
    return y + (y >= kDateEpoch % 100 ? century : century + 100);
}

struct DigitRun {
    int value;
    std::size_t digits;
};

std::vector<DigitRun> digitRuns(std::string_view text) {
    std::vector<DigitRun> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        int v = 0;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) && j - i < 9)
            v = v * 10 + (text[j++] - '0');
        runs.push_back({v, j - i});
        i = j;
    }
    return runs;
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// Reads a number the way UCHARTOVAL does: "," dropped, "%" scales by 0.01.
std::optional<Value> readNumber(std::string_view text) {
    std::string s;
    bool percent = false;
    for (char c : alltrim(text)) {
        if (c == ',') continue;
        if (c == '%') {
            percent = true;
            continue;
        }
        s += c;
    }
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double d = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || *end != '\0') return std::nullopt;
    for (char c : s)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+')) return std::nullopt;
    if (percent) return Value(d * 0.01);
    if (s.find('.') == std::string::npos && std::fabs(d) < 9e15) return Value(static_cast<std::int64_t>(d));
    return Value(d);
}

std::optional<bool> readLogical(std::string_view text) {
    const std::string s = upper(alltrim(text));
    for (const char* w : {".T.", "T", "TRUE", "YES", "VERDADERO", "VERO", "WAHR", "VRAI", "VERDADEIRO"})
        if (s == w) return true;
    for (const char* w : {".F.", "F", "FALSE", "NO", "FALSO", "FALSCH", "FAUX"})
        if (s == w) return false;
    return std::nullopt;
}

NumFormat& numFormat() {
    return processState().numberFormat.get<NumFormat>();
}

std::string twoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n % 100);
    return buf;
}

std::string timeText(int seconds) {
    return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

// Replaces the date and time words of a picture; `lower` is the picture
// down-cased, where the words are looked for.
std::string datePicture(const Date& d, int seconds, std::string_view picture) {
    std::string out;
    const std::string low = lower(picture);
    for (std::size_t i = 0; i < picture.size();) {
        auto at = [&](const char* w) { return low.compare(i, std::string_view(w).size(), w) == 0; };
        const std::string month = d.month >= 1 && d.month <= 12 ? kMonths[d.month - 1] : "";
        if (at("dd")) {
            out += twoDigits(d.day), i += 2;
        } else if (at("mmmm")) {
            out += picture.substr(i, 4) == "MMMM" ? upper(month) : month, i += 4;
        } else if (at("mmm")) {
            out += month.substr(0, 3), i += 3;
        } else if (at("mm")) {
            // After ":" the word is minutes.
            out += i > 0 && picture[i - 1] == ':' ? twoDigits(seconds / 60 % 60) : twoDigits(d.month), i += 2;
        } else if (at("yyyy")) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%04d", d.year);
            out += buf, i += 4;
        } else if (at("yy")) {
            out += twoDigits(d.year), i += 2;
        } else if (at("hh")) {
            out += twoDigits(seconds / 3600), i += 2;
        } else if (at("mi")) {
            out += twoDigits(seconds / 60 % 60), i += 2;
        } else if (at("ss")) {
            out += twoDigits(seconds % 60), i += 2;
        } else {
            out += picture[i++];
        }
    }
    return out;
}

bool isDatePicture(std::string_view picture) {
    const std::string low = lower(picture);
    return low.find('@') == std::string::npos &&
           (low.find("dd") != std::string::npos || low.find("yy") != std::string::npos ||
            low.find("mm") != std::string::npos);
}

std::string numberDefaultText(double n) {
    std::string s = CVALTOCHAR(Value(n));
    if (numFormat().type == "E")
        for (char& c : s) c = c == '.' ? ',' : c;
    return s;
}

}  // namespace

Value IFNIL(const ValueList& args) {
    const ValueList& items = args.size() == 1 && args[0].isList() ? args[0].list() : args;
    for (const Value& v : items)
        if (!v.isNil()) return v;
    return Value();
}

Value WL_DECODE(const Value& x, const ValueList& args) {
    if (args.size() == 1 && args[0].isList()) {
        const ValueList& items = args[0].list();
        if (!items.empty() && items[0].isList()) {
            for (const Value& pair : items)
                if (pair.list().size() >= 2 && sameValue(pair.list()[0], x)) return pair.list()[1];
            return Value();
        }
        return WL_DECODE(x, items);
    }
    std::size_t i = 0;
    for (; i + 1 < args.size(); i += 2)
        if (sameValue(args[i], x)) return args[i + 1];
    return i < args.size() ? args[i] : Value();
}

Value WL_GREATEST(const ValueList& args) { return extreme(args, 1); }
Value WL_LEAST(const ValueList& args) { return extreme(args, -1); }

Value UCHARTOVAL(std::string_view text, std::string_view type) {
    const std::string t = upper(alltrim(type));
    if (t == "N") {
        auto n = readNumber(text);
        return n ? *n : Value(std::int64_t{0});
    }
    if (t == "L") return Value(readLogical(text).value_or(false));
    if (t == "D") return Value(DCHARTODATE(text));
    if (t == "C" || t == "M") return Value(std::string(text));
    if (auto n = readNumber(text)) return *n;
    if (auto l = readLogical(text)) return Value(*l);
    const Date d = DCHARTODATE(text);
    if (!d.blank()) return Value(d);
    return Value(std::string(text));
}

Date DCHARTODATE(std::string_view text) {
    const std::string s = alltrim(text);
    if (s.size() == 8 && allDigits(s))
        return makeDate(std::atoi(s.substr(0, 4).c_str()), std::atoi(s.substr(4, 2).c_str()),
                        std::atoi(s.substr(6, 2).c_str()));
    for (char c : s)
        if (std::isalpha(static_cast<unsigned char>(c))) return DALPHATODATE(s);
    const auto runs = digitRuns(s);
    if (runs.size() != 3) return Date{};
    if (runs[0].digits == 4) return makeDate(runs[0].value, runs[1].value, runs[2].value);
    const int year = fullYear(runs[2].value, runs[2].digits);
    // The program's form is month first; a first number above 12 is a day.
    if (runs[0].value > 12) return makeDate(year, runs[1].value, runs[0].value);
    return makeDate(year, runs[0].value, runs[1].value);
}

Date DALPHATODATE(std::string_view text) {
    const std::string low = lower(text);
    int month = 0;
    for (int m = 0; m < 12 && month == 0; ++m)
        if (low.find(lower(std::string_view(kMonths[m]).substr(0, 3))) != std::string::npos) month = m + 1;
    const auto runs = digitRuns(text);
    if (month == 0 || runs.size() < 2) return Date{};
    // The year is the run of more than two digits, else the later run.
    const DigitRun& day = runs[0].digits > 2 ? runs[1] : runs[0];
    const DigitRun& year = runs[0].digits > 2 ? runs[0] : runs[1];
    return makeDate(fullYear(year.value, year.digits), month, day.value);
}

Value UVALBLANK(const Value& x) {
    if (x.isText()) return Value(std::string(x.text().size(), ' '));
    if (x.isWhole()) return Value(std::int64_t{0});
    if (x.isNumber()) return Value(0.0);
    if (x.isLogical()) return Value(false);
    if (x.isDate()) return Value(Date{});
    if (x.isList()) return Value(ValueList{});
    return Value();
}

namespace {
std::string enclose(char open, std::string_view text, char close) {
    std::string out(1, open);
    out.append(text).push_back(close);
    return out;
}
}  // namespace

std::string STRINGTOLITERAL(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        std::string out = "E\"";
        for (char c : text) {
            if (c == '\r') out += "\\r";
            else if (c == '\n') out += "\\n";
            else if (c == '"' || c == '\\') out += std::string("\\") + c;
            else out += c;
        }
        return out + "\"";
    }
    if (text.find('"') == std::string_view::npos) return enclose('"', text, '"');
    if (text.find('\'') == std::string_view::npos) return enclose('\'', text, '\'');
    if (text.find(']') == std::string_view::npos) return enclose('[', text, ']');
    std::string out = "E\"";
    for (char c : text) out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
}

std::string WL_VALTOEXP(const Value& x) {
    if (x.isText()) return STRINGTOLITERAL(x.text());
    if (x.isDate()) {
        const Date& d = std::get<Date>(x.storage());
        if (d.blank()) return "SToD(\"\")";
        char buf[32];
        std::snprintf(buf, sizeof buf, "SToD(\"%04d%02d%02d\")", d.year, d.month, d.day);
        return buf;
    }
    if (x.isList()) {
        std::string out = "{";
        const ValueList& items = x.list();
        for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + WL_VALTOEXP(items[i]);
        return out + "}";
    }
    if (x.isNil()) return "NIL";
    return CVALTOCHAR(x);
}

std::string WL_VALTOEXP(const DateTime& x) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "WL_SToT(\"%04d%02d%02d%02d%02d%02d\")", x.date.year, x.date.month, x.date.day,
                  x.seconds / 3600, x.seconds / 60 % 60, x.seconds % 60);
    return buf;
}

std::string WL_ARRAYASLIST(const ValueList& items, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? std::string(separator) : "") + CVALTOCHAR(items[i]);
    return out;
}

std::vector<std::string> WL_LISTASARRAY(std::string_view text, std::string_view separator) {
    std::vector<std::string> out;
    if (separator.empty()) separator = ",";
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find(separator, start);
        out.push_back(alltrim(text.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start)));
        if (p == std::string_view::npos) return out;
        start = p + separator.size();
    }
}

std::string ARRAYTOTEXT(const ValueList& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", \"" : "\"") + CVALTOCHAR(items[i]) + "\"";
    return out;
}

DateTime WL_STOT(std::string_view text) {
    const std::string s = alltrim(text);
    DateTime t;
    if (s.size() < 8 || !allDigits(s.substr(0, 8))) return t;
    t.date = DCHARTODATE(s.substr(0, 8));
    std::string time;
    for (char c : s.substr(8))
        if (std::isdigit(static_cast<unsigned char>(c))) time += c;
    time.resize(6, '0');
    const int h = std::atoi(time.substr(0, 2).c_str()), m = std::atoi(time.substr(2, 2).c_str()),
              sec = std::atoi(time.substr(4, 2).c_str());
    if (!t.date.blank() && h < 24 && m < 60 && sec < 60) t.seconds = h * 3600 + m * 60 + sec;
    return t;
}

bool ISBINARYDATA(std::string_view text) {
    for (unsigned char c : text.substr(0, 200))
        if (c < 32 && c != '\t' && c != '\n' && c != '\r' && c != 26) return true;
    return false;
}

std::string XPADR(std::string_view text, int pixels, char fill) {
    std::string out(text);
    while (screenTextWidth(out + fill) <= pixels) out += fill;
    return out;
}

std::string XPADL(std::string_view text, int pixels, char fill) {
    std::string out(text);
    while (screenTextWidth(fill + out) <= pixels) out.insert(out.begin(), fill);
    return out;
}

std::string XPADC(std::string_view text, int pixels, char fill) {
    std::string out(text);
    for (bool right = true;; right = !right) {
        std::string next = right ? out + fill : fill + out;
        if (screenTextWidth(next) > pixels) return out;
        out = std::move(next);
    }
}

std::int64_t NRANDOM(std::int64_t nMax) {
    struct Seed {
        std::uint64_t value = static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count());
    };
    std::uint64_t& seed = processState().random.get<Seed>().value;
    if (nMax <= 0) return 0;
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::int64_t>((seed >> 33) % static_cast<std::uint64_t>(nMax + 1));
}

std::int64_t NHEX(std::string_view hex) {
    std::int64_t n = 0;
    for (char c : alltrim(hex)) {
        const int d = hexDigit(c);
        if (d < 0) break;
        n = n * 16 + d;
    }
    return n;
}

std::string DECTOHEX(std::int64_t n) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(n));
    return buf;
}

namespace {
constexpr std::int64_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct NamedColour {
    const char* name;
    std::int64_t value;
};

const NamedColour kColours[] = {
    {"CLR_BLACK", rgb(0, 0, 0)},          {"CLR_BLUE", rgb(0, 0, 128)},         {"CLR_GREEN", rgb(0, 128, 0)},
    {"CLR_CYAN", rgb(0, 128, 128)},       {"CLR_RED", rgb(128, 0, 0)},          {"CLR_MAGENTA", rgb(128, 0, 128)},
    {"CLR_BROWN", rgb(128, 128, 0)},      {"CLR_HGRAY", rgb(192, 192, 192)},    {"CLR_LIGHTGRAY", rgb(192, 192, 192)},
    {"CLR_GRAY", rgb(128, 128, 128)},     {"CLR_HBLUE", rgb(0, 0, 255)},        {"CLR_HGREEN", rgb(0, 255, 0)},
    {"CLR_HCYAN", rgb(0, 255, 255)},      {"CLR_HRED", rgb(255, 0, 0)},         {"CLR_HMAGENTA", rgb(255, 0, 255)},
    {"CLR_YELLOW", rgb(255, 255, 0)},     {"CLR_WHITE", rgb(255, 255, 255)},
};

int clampComponent(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

std::int64_t changeColour(std::int64_t colour, std::optional<int> r, std::optional<int> g, std::optional<int> b,
                          bool add) {
    int parts[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                    static_cast<int>((colour >> 16) & 0xFF)};
    const std::optional<int> given[3] = {r, g, b};
    for (int i = 0; i < 3; ++i)
        if (given[i]) parts[i] = clampComponent(add ? parts[i] + *given[i] : *given[i]);
    return rgb(parts[0], parts[1], parts[2]);
}
}  // namespace

std::string CCLRTOCODE(const Value& colour) {
    if (colour.isList()) {
        std::string out = "{ ";
        const ValueList& items = colour.list();
        for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + CCLRTOCODE(items[i]);
        return out + " }";
    }
    if (colour.isClosure()) return "{|| ... }";
    if (!colour.isNumber()) return CVALTOCHAR(colour);
    if (!colour.isWhole()) return CVALTOCHAR(colour);  // a gradient's ratio
    const auto n = static_cast<std::int64_t>(colour.number());
    for (const NamedColour& c : kColours)
        if (c.value == n) return c.name;
    return "RGB(" + std::to_string(n & 0xFF) + "," + std::to_string((n >> 8) & 0xFF) + "," +
           std::to_string((n >> 16) & 0xFF) + " )";
}

std::int64_t NRGBRESET(std::int64_t colour, std::optional<int> r, std::optional<int> g, std::optional<int> b) {
    return changeColour(colour, r, g, b, false);
}

std::int64_t NRGBADD(std::int64_t colour, std::optional<int> r, std::optional<int> g, std::optional<int> b) {
    return changeColour(colour, r, g, b, true);
}

std::string TRIMZERO(std::string_view text) {
    // Only the zeros of the decimals go: "100" stays "100".
    std::string out(text);
    if (out.find('.') == std::string::npos) return out;
    while (!out.empty() && out.back() == '0') out.pop_back();
    if (!out.empty() && out.back() == '.') out.pop_back();
    return out;
}

std::string N2E(double n, int nDec) {
    if (nDec < 0) nDec = 0;
    int exponent = n == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(n))));
    double mantissa = n / std::pow(10.0, exponent);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", nDec, mantissa);
    if (std::fabs(std::atof(buf)) >= 10.0) {  // rounding carried into another digit
        ++exponent;
        std::snprintf(buf, sizeof buf, "%.*f", nDec, n / std::pow(10.0, exponent));
    }
    return std::string(buf) + "E" + std::to_string(exponent);
}

NumFormat WLNUMFORMAT(std::optional<std::string> type, std::optional<bool> thousands, std::optional<bool> zeroBlank) {
    const NumFormat previous = numFormat();
    if (type) {
        const std::string t = upper(alltrim(*type)).substr(0, 1);
        if (t == "A" || t == "E" || t == "I") numFormat().type = t;
    }
    if (thousands) numFormat().thousands = *thousands;
    if (zeroBlank) numFormat().zeroBlank = *zeroBlank;
    return previous;
}

std::string NUMPICT(int nLen, int nDec, bool lDecPoint, std::optional<bool> lThousands, std::optional<bool> lZeroBlank) {
    const NumFormat& format = numFormat();
    const bool thousands = lThousands.value_or(format.thousands);
    const bool zeroBlank = lZeroBlank.value_or(format.zeroBlank);
    if (nDec < 0) nDec = 0;
    int whole = nLen - nDec - (lDecPoint && nDec > 0 ? 1 : 0);
    whole = whole < 1 ? 1 : (whole > 14 ? 14 : whole);
    std::string digits;
    if (thousands) {
        const std::string grouped = format.type == "I" ? "99,999,99,99,99,999" : "99,999,999,999,999";
        int nines = 0;
        std::size_t i = grouped.size();
        while (i > 0 && nines < whole) {
            if (grouped[--i] == '9') ++nines;
        }
        digits = grouped.substr(i);
    } else {
        digits.assign(static_cast<std::size_t>(whole), '9');
    }
    if (nDec > 0) digits.append(1, '.').append(static_cast<std::size_t>(nDec), '9');
    const bool european = format.type == "E";
    const std::string prefix = zeroBlank && european ? "@ZE " : zeroBlank ? "@Z " : european ? "@E " : "";
    return prefix + digits;
}

std::string transformNumber(double n, std::string_view picture) {
    std::string flags;
    if (!picture.empty() && picture[0] == '@') {
        const std::size_t blank = picture.find(' ');
        flags = upper(picture.substr(1, blank == std::string_view::npos ? std::string_view::npos : blank - 1));
        picture = blank == std::string_view::npos ? std::string_view() : picture.substr(blank + 1);
    }
    const bool zeroBlank = flags.find('Z') != std::string::npos;
    const bool european = flags.find('E') != std::string::npos;
    if (picture.empty()) {
        std::string s = CVALTOCHAR(Value(n));
        if (zeroBlank && n == 0) return std::string(s.size(), ' ');
        return s;
    }
    const std::size_t point = picture.find('.');
    const int decimals = point == std::string_view::npos
                             ? 0
                             : static_cast<int>(std::count(picture.begin() + static_cast<long>(point), picture.end(), '9'));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(n));
    std::string number = buf;
    const std::size_t numPoint = number.find('.');
    std::string whole = number.substr(0, numPoint);
    const std::string fraction = numPoint == std::string::npos ? "" : number.substr(numPoint + 1);
    if (whole == "0" && decimals > 0) whole.clear();
    if (n < 0) whole.insert(whole.begin(), '-');
    // Fill the picture's whole part from the right.
    const std::string_view wholePicture = picture.substr(0, point);
    std::string out(wholePicture.size(), ' ');
    std::size_t w = whole.size();
    for (std::size_t i = wholePicture.size(); i > 0; --i) {
        const char p = wholePicture[i - 1];
        if (p == '9' || p == '#') {
            out[i - 1] = w > 0 ? whole[--w] : ' ';
        } else if (p == ',') {
            out[i - 1] = w > 0 && whole[w - 1] != '-' ? (european ? '.' : ',') : ' ';
        } else {
            out[i - 1] = p;
        }
    }
    if (w > 0) return std::string(picture.size(), '*');
    if (whole.empty() && decimals > 0 && !out.empty() && out.back() == ' ') out.back() = '0';
    if (point != std::string_view::npos) out += (european ? "," : ".") + fraction;
    if (zeroBlank && n == 0) return std::string(out.size(), ' ');
    return out;
}

std::string CVALTOSTR(const Value& x, const Value& picture, std::optional<std::string> numFormatType,
                      std::optional<bool> zeroBlank) {
    std::string pict = picture.isClosure() ? CVALTOCHAR(picture.eval({x})) : picture.isText() ? picture.text() : "";
    if (x.isList()) {
        std::string out;
        const ValueList& items = x.list();
        for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "\r\n" : "") + CVALTOSTR(items[i], picture);
        return out;
    }
    if (x.isDate()) {
        const Date& d = std::get<Date>(x.storage());
        if (d.blank()) return std::string(pict.empty() || upper(pict) == "@D" ? 8 : pict.size(), ' ');
        if (!pict.empty() && isDatePicture(pict)) return datePicture(d, 0, pict);
        return dateText(d);
    }
    if (x.isNumber()) {
        const NumFormat saved = numFormat();
        if (numFormatType) WLNUMFORMAT(*numFormatType);
        if (zeroBlank) WLNUMFORMAT(std::nullopt, std::nullopt, *zeroBlank);
        std::string out;
        if (pict.empty()) {
            out = numFormat().zeroBlank && x.number() == 0 ? std::string() : numberDefaultText(x.number());
        } else {
            out = transformNumber(x.number(), pict);
        }
        numFormat() = saved;
        if (!out.empty() && out[0] == '*') return N2E(x.number(), 2);
        return out;
    }
    if (x.isText() && upper(pict).rfind("@!", 0) == 0) return upper(x.text());
    return CVALTOCHAR(x);
}

std::string CVALTOSTR(const DateTime& x, std::string_view picture) {
    const std::string p = upper(picture);
    if (p == "@D") return x.date.blank() ? std::string(8, ' ') : dateText(x.date);
    if (!picture.empty() && isDatePicture(picture)) return datePicture(x.date, x.seconds, picture);
    return (x.date.blank() ? std::string(8, ' ') : dateText(x.date)) + " " + timeText(x.seconds);
}

}  // namespace wl
