#include "value.hpp"

#include <charconv>
#include <cstdio>

namespace wl {

double Value::number() const {
    if (auto* n = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*n);
    if (auto* d = std::get_if<double>(&v_)) return *d;
    return 0.0;
}

const std::string& Value::text() const {
    static const std::string empty;
    auto* s = std::get_if<std::string>(&v_);
    return s ? *s : empty;
}

const ValueList& Value::list() const {
    static const ValueList empty;
    auto* a = std::get_if<ValueList>(&v_);
    return a ? *a : empty;
}

Value Value::eval(const ValueList& args) const {
    if (auto* c = std::get_if<Closure>(&v_)) return *c ? (*c)(args) : Value();
    return *this;
}

std::string dateText(const Date& d) {
    if (d.blank()) return "  /  /  ";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", d.month % 100, d.day % 100, d.year % 100);
    return buf;
}

namespace {
std::string numberText(double d) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}
}  // namespace

std::string CVALTOCHAR(const Value& v) {
    const auto& s = v.storage();
    if (std::holds_alternative<std::monostate>(s)) return "";
    if (auto* b = std::get_if<bool>(&s)) return *b ? ".T." : ".F.";
    if (auto* n = std::get_if<std::int64_t>(&s)) return std::to_string(*n);
    if (auto* d = std::get_if<double>(&s)) return numberText(*d);
    if (auto* t = std::get_if<std::string>(&s)) return *t;
    if (auto* d = std::get_if<Date>(&s)) return dateText(*d);
    if (std::holds_alternative<ValueList>(s)) return "{ ... }";
    return "{|| ... }";
}

}  // namespace wl
