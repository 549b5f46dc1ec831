// A small dynamic value for the places where the program's interfaces are
// truly dynamic: message windows that take any value, get-set bindings,
// browse cells, table fields. Concrete types are used everywhere else.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace wl {

class Value;
using ValueList = std::vector<Value>;
using Closure = std::function<Value(const ValueList&)>;

struct Date {
    int year = 0;  // 0: the blank date
    int month = 0;
    int day = 0;
    bool blank() const { return year == 0; }
};

class Value {
public:
    using Storage =
        std::variant<std::monostate, bool, std::int64_t, double, std::string, Date, ValueList, Closure>;

    Value() = default;
    Value(bool b) : v_(b) {}
    Value(int n) : v_(static_cast<std::int64_t>(n)) {}
    Value(std::int64_t n) : v_(n) {}
    Value(double d) : v_(d) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(Date d) : v_(d) {}
    Value(ValueList a) : v_(std::move(a)) {}
    Value(Closure c) : v_(std::move(c)) {}

    bool isNil() const { return std::holds_alternative<std::monostate>(v_); }
    bool isLogical() const { return std::holds_alternative<bool>(v_); }
    bool isWhole() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isNumber() const { return isWhole() || std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isDate() const { return std::holds_alternative<Date>(v_); }
    bool isList() const { return std::holds_alternative<ValueList>(v_); }
    bool isClosure() const { return std::holds_alternative<Closure>(v_); }

    bool logical() const { return isLogical() && std::get<bool>(v_); }
    double number() const;
    const std::string& text() const;
    const ValueList& list() const;
    const Storage& storage() const { return v_; }

    // Evaluates a closure; any other value evaluates to itself.
    Value eval(const ValueList& args = {}) const;

private:
    Storage v_;
};

// The program's date text: MM/DD/YY, blanks for the blank date.
std::string dateText(const Date& d);

// CVALTOCHAR: texts unchanged, dates as date text, ".T."/".F.", numbers
// trimmed, "{|| ... }" for closures, "{ ... }" for lists, "" for none.
std::string CVALTOCHAR(const Value& v);

}  // namespace wl
