#include "remittance_codes.hpp"

#include <span>

#include "adjustment_codes.hpp"
#include "x12_code_lists.hpp"

namespace zr {

namespace {

// The dictionary's transaction slot of the 835.
constexpr int k835Slot = 3;

}  // namespace

std::string remittanceCodeText(int segmentSlot, int element, std::string_view code) {
    if (code.empty()) return "";
    const X12Answer answer = ZRX12(segmentSlot, element, 0, k835Slot, 3);
    const auto* pairs = std::get_if<std::span<const X12CodePair>>(&answer);
    if (!pairs) return "";
    for (const X12CodePair& p : *pairs)
        if (p.code == code) return std::string(p.description);
    return "";
}

std::string adjustmentReasonText(std::string_view code) { return CTL00015(code); }
std::string remittanceRemarkText(std::string_view code) { return CTL00016(code); }

}  // namespace zr
