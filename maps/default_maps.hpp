// The built-in map text of every transaction, and finding or writing a
// default map from it.
#pragma once

#include <string>

namespace zr {

// What distinguishes transactions that share a version identifier (276 and
// 277, 270 and 271, 278 request and response).
struct TransactionHint {
    std::string st01;   // ST01 of the first set ("" when unknown)
    std::string bht02;  // BHT02 of the first set: "13" request, "11" response (278)
};

// CTLD48600Q: mode 1 the name of an existing default map matching the
// given version-based name (first ten characters), mode 2 writes it; "" when
// nothing matches. Rows sharing the ten characters are told apart by the hint.
std::string CTLD48600Q(const std::string& mapName, int mode, const TransactionHint& hint = {});

}  // namespace zr
