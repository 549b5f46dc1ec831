// Short descriptions of institutional revenue codes, as the UB form printer
// shows them beside each service line. The table is
// codes/data/revenue_codes.tsv.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// Up to four leading "0" characters are dropped ("0250" reads as "250"),
// then the code must equal a table code exactly; an unknown code gives "".
std::string CTL39406DX(std::string_view code);

}  // namespace zr
