#include "form_records.hpp"

#include <cstdint>
#include <cstdio>
#include <string>

namespace wl {
namespace {

void put16(std::string& out, std::size_t n) {
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>((n >> 8) & 0xFF));
}

std::string typed(char type, const std::string& text) {
    std::string out(1, type);
    put16(out, text.size());
    return out + text;
}

std::string numberText(double d) {
    if (d == static_cast<double>(static_cast<std::int64_t>(d))) return std::to_string(static_cast<std::int64_t>(d));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", d);
    return buf;
}

class Reader {
public:
    explicit Reader(std::string_view d) : d_(d) {}
    bool take(std::size_t n, std::string_view& out) {
        if (pos_ + n > d_.size()) return false;
        out = d_.substr(pos_, n);
        pos_ += n;
        return true;
    }
    bool get16(std::size_t& n) {
        std::string_view b;
        if (!take(2, b)) return false;
        n = static_cast<unsigned char>(b[0]) | (static_cast<std::size_t>(static_cast<unsigned char>(b[1])) << 8);
        return true;
    }
    bool getChar(char& c) {
        std::string_view b;
        if (!take(1, b)) return false;
        c = b[0];
        return true;
    }
    std::size_t pos() const { return pos_; }
    std::string_view rest() const { return d_.substr(pos_); }
    void skip(std::size_t n) { pos_ += n; }

private:
    std::string_view d_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string saveValue(const Value& v) {
    if (v.isList()) return ASAVE(v.list());
    if (v.isText()) return typed('C', v.text());
    if (v.isNumber()) return typed('N', numberText(v.number()));
    if (v.isLogical()) return typed('L', v.logical() ? "T" : "F");
    if (v.isDate()) {
        const Date d = std::get<Date>(v.storage());
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
        return typed('D', d.blank() ? std::string(8, ' ') : std::string(buf));
    }
    return typed('C', "");
}

std::string ASAVE(const ValueList& list) {
    std::string body;
    put16(body, list.size());
    for (const auto& v : list) body += saveValue(v);
    std::string out(1, 'A');
    put16(out, body.size());
    return out + body;
}

std::string saveObject(const SavedObject& o) {
    std::string body;
    put16(body, o.className.size());
    body += o.className;
    put16(body, o.properties.size() + o.objects.size() + o.lists.size());
    for (const auto& [name, value] : o.properties) {
        put16(body, name.size());
        body += name + saveValue(value);
    }
    for (const auto& [name, object] : o.objects) {
        put16(body, name.size());
        body += name + saveObject(object);
    }
    for (const auto& [name, objects] : o.lists) {
        std::string items;
        put16(items, objects.size());
        for (const SavedObject& item : objects) items += saveObject(item);
        put16(body, name.size());
        body += name + "A";
        put16(body, items.size());
        body += items;
    }
    std::string out(1, 'O');
    put16(out, body.size());
    return out + body;
}

std::optional<Value> AREAD(std::string_view data, std::size_t* used) {
    Reader r(data);
    char type = 0;
    std::size_t len = 0;
    std::string_view text;
    if (!r.getChar(type) || !r.get16(len) || !r.take(len, text)) return std::nullopt;
    if (used) *used = r.pos();
    switch (type) {
    case 'C': return Value(std::string(text));
    case 'N': {
        const std::string s(text);
        if (s.find_first_of(".eE") == std::string::npos) return Value(static_cast<std::int64_t>(std::stoll(s.empty() ? "0" : s)));
        return Value(std::stod(s));
    }
    case 'L': return Value(text == "T");
    case 'D': {
        Date d;
        if (text.size() == 8 && text[0] != ' ') {
            d.year = std::stoi(std::string(text.substr(0, 4)));
            d.month = std::stoi(std::string(text.substr(4, 2)));
            d.day = std::stoi(std::string(text.substr(6, 2)));
        }
        return Value(d);
    }
    case 'A': {
        Reader items(text);
        std::size_t count = 0;
        if (!items.get16(count)) return std::nullopt;
        ValueList list;
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t n = 0;
            auto v = AREAD(items.rest(), &n);
            if (!v) return std::nullopt;
            list.push_back(*v);
            items.skip(n);
        }
        return Value(list);
    }
    default: return std::nullopt;
    }
}

namespace {
// A list whose first element is an object record: every element is read
// as one. Nothing for other lists (and for empty ones, which read as values).
std::optional<std::vector<SavedObject>> objectList(std::string_view data, std::size_t& used) {
    Reader r(data);
    char type = 0;
    std::size_t len = 0, count = 0;
    std::string_view body;
    if (!r.getChar(type) || type != 'A' || !r.get16(len) || !r.take(len, body)) return std::nullopt;
    Reader items(body);
    if (!items.get16(count) || count == 0 || items.rest().empty() || items.rest()[0] != 'O') return std::nullopt;
    std::vector<SavedObject> out;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t n = 0;
        auto o = OREAD(items.rest(), &n);
        if (!o) return std::nullopt;
        out.push_back(std::move(*o));
        items.skip(n);
    }
    used = r.pos();
    return out;
}
}  // namespace

std::optional<SavedObject> OREAD(std::string_view data, std::size_t* used) {
    Reader r(data);
    char type = 0;
    std::size_t len = 0;
    std::string_view body;
    if (!r.getChar(type) || type != 'O' || !r.get16(len) || !r.take(len, body)) return std::nullopt;
    if (used) *used = r.pos();
    Reader b(body);
    SavedObject o;
    std::size_t n = 0, count = 0;
    std::string_view text;
    if (!b.get16(n) || !b.take(n, text) || !b.get16(count)) return std::nullopt;
    o.className = std::string(text);
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view name;
        if (!b.get16(n) || !b.take(n, name)) return std::nullopt;
        std::size_t size = 0;
        if (auto list = objectList(b.rest(), size)) {
            o.lists.push_back({std::string(name), std::move(*list)});
        } else if (!b.rest().empty() && b.rest()[0] == 'O') {
            auto inner = OREAD(b.rest(), &size);
            if (!inner) return std::nullopt;
            o.objects.push_back({std::string(name), *inner});
        } else {
            auto v = AREAD(b.rest(), &size);
            if (!v) return std::nullopt;
            o.properties.emplace_back(std::string(name), *v);
        }
        b.skip(size);
    }
    return o;
}

}  // namespace wl
