#include "remittance_codes.hpp"

namespace zr {

// The code tables are not in the program yet: no code has a text.
std::string remittanceCodeText(int, int, std::string_view) { return ""; }
std::string adjustmentReasonText(std::string_view) { return ""; }
std::string remittanceRemarkText(std::string_view) { return ""; }

}  // namespace zr
