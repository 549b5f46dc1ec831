// The words of the codes an 835 remittance explains its payments with: the
// claim adjustment reason codes (CAS02, CAS05 ...) and the remittance advice
// remark codes (LQ02, the MOA and MIA remark fields). The tables are
// codes/data/adjustment_reason_codes.tsv and remittance_remark_codes.tsv.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// Description of a claim adjustment reason code ("45", "A1", "B7" ...).
std::string CTL00015(std::string_view code);
// Description of a remittance advice remark code ("M15", "MA130", "N4" ...).
std::string CTL00016(std::string_view code);
// Both match the whole code exactly and return a code the table does not
// hold unchanged.

}  // namespace zr
