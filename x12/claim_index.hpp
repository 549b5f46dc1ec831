// Claim index, segment counters and finders, header values, and the fixed
// 837 loop-id list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "parse_spec.hpp"
#include "segment_table.hpp"

namespace zr {

// Row numbers (1-based): item k is the first row of claim k; {1} without claims.
using ClaimIndex = std::vector<std::size_t>;

// CTL39400C: mode 1 keys on the claim number within the file (column 10),
// mode 2 within the set (column 8), mode 3 within the interchange (column 11).
ClaimIndex CTL39400C(const SegmentTable& table, int mode);

// CTL39400AA: counts rows of a kind: "HL" (HL03 "22"), "ISA", "ST", "NM185".
std::size_t CTL39400AA(const std::string& kind, const SegmentTable& table);
// CTL39400AZ: the row of the k-th row of that kind, 0 when there are fewer.
std::size_t CTL39400AZ(const std::string& kind, const SegmentTable& table, std::size_t k);
// CTL39400AD: the file position (column 9) of the k-th HL*22 (mode 1), CLP
// (mode 2) or HL*20 (mode 3) row; 0 when none.
std::uint64_t CTL39400AD(const SegmentTable& table, std::size_t k, int mode);

// CTL39400AB: a header value from the rows between the k-th row whose id is
// exactly `anchor` and the next such row: 1 ST01, 2 ISA13, 3 ST03 (the
// set's control number as the layout stands), 4 the version ("4010",
// "5010" or ISA12), 10 NM103 of NM1*IL, 11 NM103 of NM1*41.
std::string CTL39400AB(const SegmentTable& table, std::size_t k, int what, const std::string& anchor);

// CTL39400AM: an envelope value by field name, from the first segment of its
// id before the first HL segment.
std::string CTL39400AM(const SegmentTable& table, const std::string& name);

// CTL39400AV: a request's item by field name (prefix, any case).
std::string CTL39400AV(const std::string& name, const ParseSpec& request, const std::string& transactionType);

// CTL39400AC: the 40-item 837 loop-id list.
std::vector<std::string> CTL39400AC();

}  // namespace zr
