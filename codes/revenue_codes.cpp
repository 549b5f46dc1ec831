#include "revenue_codes.hpp"

#include "code_table.hpp"

namespace zr {

namespace {

constexpr std::string_view kRevenueCodeRows =
#include "revenue_codes.inc"
    ;

}  // namespace

std::string CTL39406DX(std::string_view code) {
    static const CodeTable table(kRevenueCodeRows);
    for (int i = 0; i < 4 && !code.empty() && code.front() == '0'; ++i) code.remove_prefix(1);
    const std::string_view* text = table.find(code);
    return text ? std::string(*text) : std::string();
}

}  // namespace zr
