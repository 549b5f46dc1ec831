#include "browse_layout.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <set>

#include "value_conversion.hpp"

namespace wl {

namespace {

constexpr std::string_view kTag = "XS1:";
constexpr int kMaxNesting = 8;

std::string number(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) return std::to_string(static_cast<long long>(d));
    std::string s = std::to_string(d);
    while (!s.empty() && s.back() == '0') s.pop_back();
    return s;
}

class Reader {
public:
    explicit Reader(std::string_view t) : t_(t) {}
    std::optional<Value> whole() {
        std::optional<Value> v = value(0);
        blanks();
        if (!v || pos_ != t_.size()) return std::nullopt;
        return v;
    }

private:
    void blanks() {
        while (pos_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[pos_]))) ++pos_;
    }
    bool eat(char c) {
        blanks();
        if (pos_ < t_.size() && t_[pos_] == c) return ++pos_, true;
        return false;
    }
    std::optional<Value> value(int depth) {
        blanks();
        if (pos_ >= t_.size()) return std::nullopt;
        const char c = t_[pos_];
        if (c == '{') return list(depth);
        if (c == '"' || c == '\'') return text(c);
        if (c == '.') return logical();
        return numeric();
    }
    std::optional<Value> list(int depth) {
        if (depth >= kMaxNesting) return std::nullopt;
        ++pos_;
        ValueList items;
        if (eat('}')) return Value(items);
        do {
            std::optional<Value> v = value(depth + 1);
            if (!v) return std::nullopt;
            items.push_back(std::move(*v));
        } while (eat(','));
        if (!eat('}')) return std::nullopt;
        return Value(std::move(items));
    }
    std::optional<Value> text(char quote) {
        const std::size_t end = t_.find(quote, pos_ + 1);
        if (end == std::string_view::npos) return std::nullopt;
        Value v(std::string(t_.substr(pos_ + 1, end - pos_ - 1)));
        pos_ = end + 1;
        return v;
    }
    std::optional<Value> logical() {
        const std::string_view rest = t_.substr(pos_, 3);
        if (rest.size() == 3 && rest[2] == '.') {
            const char l = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[1])));
            if (l == 'T' || l == 'F') {
                pos_ += 3;
                return Value(l == 'T');
            }
        }
        return numeric();
    }
    std::optional<Value> numeric() {
        const std::size_t start = pos_;
        if (pos_ < t_.size() && (t_[pos_] == '-' || t_[pos_] == '+')) ++pos_;
        std::size_t digits = 0, dots = 0;
        while (pos_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[pos_])) || t_[pos_] == '.')) {
            (t_[pos_] == '.' ? dots : digits)++;
            ++pos_;
        }
        if (digits == 0 || dots > 1) return std::nullopt;
        const std::string n(t_.substr(start, pos_ - start));
        const double d = std::strtod(n.c_str(), nullptr);
        if (!std::isfinite(d)) return std::nullopt;
        if (dots == 0 && std::fabs(d) < 9e15) return Value(static_cast<std::int64_t>(d));
        return Value(d);
    }

    std::string_view t_;
    std::size_t pos_ = 0;
};

ValueList numbers(const std::vector<int>& v) { return ValueList(v.begin(), v.end()); }
ValueList texts(const std::vector<std::string>& v) { return ValueList(v.begin(), v.end()); }
ValueList flags(const std::vector<bool>& v) {
    ValueList out;
    for (bool b : v) out.emplace_back(b);
    return out;
}

std::optional<std::vector<int>> intsOf(const Value& v) {
    if (!v.isList()) return std::nullopt;
    std::vector<int> out;
    for (const Value& x : v.list()) {
        if (!x.isNumber() || x.number() < 0 || x.number() > 1e6) return std::nullopt;
        out.push_back(static_cast<int>(x.number()));
    }
    return out;
}
std::optional<std::vector<std::string>> textsOf(const Value& v) {
    if (!v.isList()) return std::nullopt;
    std::vector<std::string> out;
    for (const Value& x : v.list()) {
        if (!x.isText()) return std::nullopt;
        out.push_back(x.text());
    }
    return out;
}
std::optional<std::vector<bool>> flagsOf(const Value& v) {
    if (!v.isList()) return std::nullopt;
    std::vector<bool> out;
    for (const Value& x : v.list()) {
        if (!x.isLogical()) return std::nullopt;
        out.push_back(x.logical());
    }
    return out;
}

// Stores one pair; false for an unknown name or a value of the wrong kind.
bool assign(BrowseLayout& l, const std::string& name, const Value& v, const std::vector<std::string>& extraNames) {
    auto take = [](auto parsed, auto& field) {
        if (!parsed) return false;
        field = std::move(*parsed);
        return true;
    };
    if (name == "_nCreationOrders") return take(intsOf(v), l.nCreationOrders);
    if (name == "_nWidths") return take(intsOf(v), l.nWidths);
    if (name == "_lHides") return take(flagsOf(v), l.lHides);
    if (name == "_cGrpHdrs") return take(textsOf(v), l.cGrpHdrs);
    if (name == "_cHeaders") return take(textsOf(v), l.cHeaders);
    if (name == "_nRowHeight") {
        if (!v.isNumber() || v.number() < 0 || v.number() > 1e4) return false;
        l.nRowHeight = static_cast<int>(v.number());
        return true;
    }
    const std::string bare = name.substr(1);
    if (std::find(extraNames.begin(), extraNames.end(), bare) == extraNames.end()) return false;
    l.extra.emplace_back(bare, v);
    return true;
}

std::optional<BrowseLayout> restorePairs(std::string_view body, const std::vector<std::string>& extraNames) {
    const std::optional<Value> all = Reader(body).whole();
    if (!all || !all->isList()) return std::nullopt;
    BrowseLayout l;
    std::set<std::string> seen;
    for (const Value& pair : all->list()) {
        if (!pair.isList() || pair.list().size() != 2 || !pair.list()[0].isText()) return std::nullopt;
        const std::string& name = pair.list()[0].text();
        if (name.size() < 2 || name[0] != '_' || !seen.insert(name).second) return std::nullopt;
        if (!assign(l, name, pair.list()[1], extraNames)) return std::nullopt;
    }
    return l;
}

// "height;creation:width:header:H:group;..." naming every column once.
std::optional<BrowseLayout> restoreOld(std::string_view text, int columns) {
    const std::vector<std::string> entries = WL_LISTASARRAY(text, ";");
    if (entries.size() != static_cast<std::size_t>(columns) + 1) return std::nullopt;
    BrowseLayout l;
    char* end = nullptr;
    const long height = std::strtol(entries[0].c_str(), &end, 10);
    if (entries[0].empty() || *end || height < 0) return std::nullopt;
    l.nRowHeight = static_cast<int>(height);
    std::set<int> named;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const std::vector<std::string> f = WL_LISTASARRAY(entries[i], ":");
        if (f.empty()) return std::nullopt;
        const long n = std::strtol(f[0].c_str(), &end, 10);
        if (f[0].empty() || *end || n < 1 || n > columns || !named.insert(static_cast<int>(n)).second)
            return std::nullopt;
        l.nCreationOrders.push_back(static_cast<int>(n));
        l.nWidths.push_back(f.size() > 1 ? std::atoi(f[1].c_str()) : 0);
        l.cHeaders.push_back(f.size() > 2 ? f[2] : std::string());
        l.lHides.push_back(f.size() > 3 && f[3] == "H");
        l.cGrpHdrs.push_back(f.size() > 4 ? f[4] : std::string());
    }
    return l;
}

}  // namespace

std::string browseLiteral(const Value& v) {
    if (v.isLogical()) return v.logical() ? ".T." : ".F.";
    if (v.isNumber()) return number(v.number());
    if (v.isText()) {
        const std::string& s = v.text();
        if (s.find('"') == std::string::npos) return "\"" + s + "\"";
        if (s.find('\'') == std::string::npos) return "'" + s + "'";
        std::string t = s;  // both quotes: the double ones become single
        std::replace(t.begin(), t.end(), '"', '\'');
        return "\"" + t + "\"";
    }
    if (v.isList()) {
        std::string out = "{";
        for (std::size_t i = 0; i < v.list().size(); ++i) out += (i ? "," : "") + browseLiteral(v.list()[i]);
        return out + "}";
    }
    return "\"\"";  // nil and other kinds have no literal: a blank text
}

std::optional<Value> browseParseLiteral(std::string_view text) { return Reader(text).whole(); }

std::string browseSaveState(const BrowseLayout& l) {
    ValueList pairs{
        Value(ValueList{Value("_nCreationOrders"), Value(numbers(l.nCreationOrders))}),
        Value(ValueList{Value("_nRowHeight"), Value(l.nRowHeight.value_or(0))}),
        Value(ValueList{Value("_nWidths"), Value(numbers(l.nWidths))}),
        Value(ValueList{Value("_lHides"), Value(flags(l.lHides))}),
        Value(ValueList{Value("_cGrpHdrs"), Value(texts(l.cGrpHdrs))}),
        Value(ValueList{Value("_cHeaders"), Value(texts(l.cHeaders))}),
    };
    for (const auto& [name, value] : l.extra) pairs.emplace_back(ValueList{Value("_" + name), value});
    return std::string(kTag) + browseLiteral(Value(pairs));
}

std::optional<BrowseLayout> browseRestoreState(std::string_view text, int columns,
                                               const std::vector<std::string>& extraNames) {
    if (text.substr(0, 4) == kTag) return restorePairs(text.substr(4), extraNames);
    if (text.substr(0, 4) == "XSS:") return std::nullopt;
    return restoreOld(text, columns);
}

}  // namespace wl
