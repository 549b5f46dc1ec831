// The field getters of a 277 claim status response: a field name and a
// claim number in, the value read from the table out ("" when the file
// holds none or the name is not one of the 277's).
#pragma once

#include <string>
#include <string_view>

#include "segment_table.hpp"
#include "subscriber_loops.hpp"

namespace zr {

// CTL39410B: CCYYMMDD (exactly 8 characters) as MM/DD/CCYY; anything else "".
std::string CTL39410B(std::string_view date);

// CTL39410AA: the claims, the rows 1 to count-1 that are HL with HL03 "22".
std::size_t CTL39410AA(const SegmentTable& table);

// Reads the claims of one table; the claims are located once.
class ClaimStatusReader {
public:
    explicit ClaimStatusReader(const SegmentTable& table) : table_(&table), loops_(table) {}
    const SegmentTable& table() const { return *table_; }
    std::size_t claimCount() const { return loops_.count(); }
    RowRange claimRows(std::size_t k) const { return loops_.rows(k); }
    // CTL39410AB: claim fields (subscriber, patient, payer, STC, dates, trace).
    std::string claimField(std::size_t k, std::string_view name) const;
    // CTL39410AD: service-line fields, the line number written after the
    // name (SERVICELINECODE2).
    std::string serviceField(std::size_t k, std::string_view name) const;
    // CTL39410O: the SVC rows of claim k.
    std::size_t serviceLineCount(std::size_t k) const;
    // A field of either kind.
    std::string field(std::size_t k, std::string_view name) const;
    // CTL39410X: element n of the first row of service line s of claim k
    // (its SVC up to the next SVC or the claim's end) whose id is `id` and
    // whose first element is `qualifier` (any row for an empty one); both
    // compared whole. "" when there is no such line or row.
    std::string serviceLineValue(std::size_t k, std::size_t s, std::string_view id, std::string_view qualifier,
                                 int n) const;

private:
    const SegmentTable* table_;
    SubscriberLoops loops_;
};

// The same getters on a table of their own (each call locates the claims).
std::string CTL39410AB(const SegmentTable& table, std::size_t k, std::string_view name);
std::string CTL39410AD(const SegmentTable& table, std::size_t k, std::string_view name);
std::size_t CTL39410O(const SegmentTable& table, std::size_t k);

// Kept with the family though nothing calls them: CTL39410X, the
// service-line locator above on a table of its own; CTL39410AC, the STC
// rows of rows 1 to count-1.
std::string CTL39410X(const SegmentTable& table, std::size_t k, std::size_t s, std::string_view id,
                      std::string_view qualifier, int n);
std::size_t CTL39410AC(const SegmentTable& table);

}  // namespace zr
