#include "browse_formula.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace wl {

namespace {

// Recursive descent over: sum := product (("+"|"-") product)*;
// product := unary (("*"|"/") unary)*; unary := ("-"|"+") unary | postfix;
// postfix := primary "%"*; primary := number | "(" sum ")".
class Parser {
public:
    explicit Parser(std::string_view t) : t_(t) {}
    std::optional<double> all() {
        std::optional<double> v = sum();
        blanks();
        if (!v || pos_ != t_.size() || !std::isfinite(*v)) return std::nullopt;
        return v;
    }

private:
    // Deep enough for any formula a person types, shallow enough for the stack.
    static constexpr int kMaxDepth = 64;

    void blanks() {
        while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t')) ++pos_;
    }
    bool eat(char c) {
        blanks();
        if (pos_ < t_.size() && t_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::optional<double> sum() {
        std::optional<double> v = product();
        while (v) {
            if (eat('+')) {
                const auto r = product();
                if (!r) return std::nullopt;
                *v += *r;
            } else if (eat('-')) {
                const auto r = product();
                if (!r) return std::nullopt;
                *v -= *r;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<double> product() {
        std::optional<double> v = unary();
        while (v) {
            if (eat('*')) {
                const auto r = unary();
                if (!r) return std::nullopt;
                *v *= *r;
            } else if (eat('/')) {
                const auto r = unary();
                if (!r || *r == 0) return std::nullopt;
                *v /= *r;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<double> unary() {
        if (++depth_ > kMaxDepth) return std::nullopt;
        std::optional<double> v;
        if (eat('-')) {
            v = unary();
            if (v) v = -*v;
        } else if (eat('+')) {
            v = unary();
        } else {
            v = primary();
            while (v && eat('%')) *v /= 100;
        }
        --depth_;
        return v;
    }
    std::optional<double> primary() {
        if (eat('(')) {
            std::optional<double> v = sum();
            if (!v || !eat(')')) return std::nullopt;
            return v;
        }
        blanks();
        const std::size_t start = pos_;
        while (pos_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[pos_])) || t_[pos_] == '.')) ++pos_;
        const std::string number(t_.substr(start, pos_ - start));
        if (number.empty() || number == "." || number.find('.') != number.rfind('.')) return std::nullopt;
        return std::strtod(number.c_str(), nullptr);
    }

    std::string_view t_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace

std::optional<double> browseFormulaValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == '=') ++i;
    return Parser(text.substr(i)).all();
}

}  // namespace wl
