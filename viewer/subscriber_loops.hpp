// The subscriber loops (HL segments whose HL03 is "22") of a 277, 270 or
// 271 table and the rows that belong to each, with the row finders their
// field getters share.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "segment_table.hpp"

namespace zr {

// Rows first..last of a table (1-based); empty when first is 0.
struct RowRange {
    std::size_t first = 0, last = 0;
    bool empty() const { return first == 0; }
};

// Loop k starts at the k-th HL*22 row (rows 1 to count-1) and holds the
// rows after it that carry the same claim number. Found by position rather
// than by the number itself, so a table holding several sets, whose
// numbers restart in each set, still gives every loop its own rows.
class SubscriberLoops {
public:
    explicit SubscriberLoops(const SegmentTable& table);
    std::size_t count() const { return starts_.size(); }
    // The rows of loop k; empty for a k out of range.
    RowRange rows(std::size_t k) const;

private:
    const SegmentTable* table_;
    std::vector<std::size_t> starts_;
};

// Is the row an HL whose HL03 is exactly "22"?
bool isSubscriberHl(const SegmentTable& table, std::size_t row);

// The first row of the range, from row `from` on, whose id begins with `id`
// and whose first element begins with `qualifier` (any row when it is
// empty); 0 when none.
std::size_t findRow(const SegmentTable& table, RowRange range, std::size_t from, std::string_view id,
                    std::string_view qualifier = {});
// The n-th such row of the range (n from 1); 0 when there are fewer.
std::size_t nthRow(const SegmentTable& table, RowRange range, std::size_t n, std::string_view id);
// The number of such rows in the range.
std::size_t countRows(const SegmentTable& table, RowRange range, std::string_view id);

// A field name with a number written after it (SERVICELINECODE2): the
// name's stem and the number; number 0 when the name ends in no digits.
std::pair<std::string_view, std::size_t> numberedName(std::string_view name);

// Component n (from 1) of an element, cut with the table's component separator.
std::string_view componentOf(const SegmentTable& table, std::string_view element, int n);

}  // namespace zr
