#include "adjustment_codes.hpp"

#include "code_table.hpp"

namespace zr {

namespace {

constexpr std::string_view kAdjustmentReasonRows =
#include "adjustment_reason_codes.inc"
    ;

constexpr std::string_view kRemittanceRemarkRows =
#include "remittance_remark_codes.inc"
    ;

std::string textOrCode(const CodeTable& table, std::string_view code) {
    const std::string_view* text = table.find(code);
    return std::string(text ? *text : code);
}

}  // namespace

std::string CTL00015(std::string_view code) {
    static const CodeTable table(kAdjustmentReasonRows);
    return textOrCode(table, code);
}

std::string CTL00016(std::string_view code) {
    static const CodeTable table(kRemittanceRemarkRows);
    return textOrCode(table, code);
}

}  // namespace zr
