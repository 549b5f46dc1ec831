#include "remittance_codes.hpp"

#include "adjustment_codes.hpp"
#include "code_list_text.hpp"

namespace zr {

namespace {

// The dictionary's transaction slot of the 835.
constexpr int k835Slot = 3;

}  // namespace

std::string remittanceCodeText(int segmentSlot, int element, std::string_view code) {
    return codeListText(k835Slot, segmentSlot, element, 0, code);
}

std::string adjustmentReasonText(std::string_view code) { return CTL00015(code); }
std::string remittanceRemarkText(std::string_view code) { return CTL00016(code); }

}  // namespace zr
