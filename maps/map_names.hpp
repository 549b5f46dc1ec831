// The map name table: twelve transactions by three naming schemes.
//   scheme 1 "Version Secific 4010", 2 "Version Specific 5010",
//   3 "Transaction Based"
//   index 1 837 institutional, 2 835, 3 276, 4 277, 5 270, 6 271,
//   7 278 request, 8 278 response, 9 834, 10 837 professional,
//   11 837 dental, 12 820
#pragma once

#include <string>

namespace zr {

constexpr int kMapTransactions = 12;

// The name of index 1..12 under scheme 1..3; "" outside the table.
const std::string& mapName(int index, int scheme);
// The scheme's caption as the mapping tool shows it.
const std::string& mapSchemeCaption(int scheme);

}  // namespace zr
