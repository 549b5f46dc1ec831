// The field getters of the eligibility inquiry (270) and response (271):
// item (subscriber loop) fields, file-level fields and the fields of one
// eligibility benefit (EB) of an item; "" when the file holds no value or
// the name is not one of theirs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "claim_index.hpp"
#include "remittance_getters.hpp"
#include "segment_table.hpp"
#include "subscriber_loops.hpp"

namespace zr {

// CTL39412AA: the items, the rows 1 to count-1 that are HL with HL03 "22".
std::size_t CTL39412AA(const SegmentTable& table);

// CTL39412AC: file-level fields (the information receiver, LINE).
std::string CTL39412AC(const SegmentTable& table, std::string_view name);

// Reads the items of one table; the items are located once.
class EligibilityReader {
public:
    explicit EligibilityReader(const SegmentTable& table);
    const SegmentTable& table() const { return *table_; }
    std::size_t itemCount() const { return loops_.count(); }
    // CTL39412AC's fields.
    std::string fileField(std::string_view name) const;
    // CTL39412AB: item fields (subscriber, dependent, EQ, AAA, TRN, dates).
    std::string itemField(std::size_t k, std::string_view name) const;
    // CTL39412A: the EB rows of item k.
    std::size_t benefitCount(std::size_t k) const;
    // CTL39412AE: a field of the n-th EB of item k (BENEFITCODE, AMOUNT ...).
    std::string benefitField(std::size_t k, std::string_view name, std::size_t n) const;
    // CTL39412AF: the same with the EB number after the name (AMOUNT3).
    std::string numberedBenefitField(std::size_t k, std::string_view name) const;
    // CTL39412Z: element n of every row of item k whose id is `id` and
    // whose first element is `qualifier` (any row for an empty one), both
    // compared whole, in the order of the rows.
    std::vector<std::string> matchingValues(std::size_t k, std::string_view id, std::string_view qualifier,
                                            int n) const;

private:
    const SegmentTable* table_;
    SubscriberLoops loops_;
    std::size_t receiverRow_ = 0;  // the information receiver's NM1
    bool receiverIsPerson_ = false;
};

// The same getters on a table of their own (each call locates the items).
std::string CTL39412AB(const SegmentTable& table, std::size_t k, std::string_view name);
std::size_t CTL39412A(const SegmentTable& table, std::size_t k);
std::string CTL39412AE(const SegmentTable& table, std::size_t k, std::string_view name, std::size_t n);
std::string CTL39412AF(const SegmentTable& table, std::size_t k, std::string_view name);

// Kept with the family though nothing calls them. The service-line readers
// and the row position have the 835's shape and are its functions under
// this family's names: CTL39412B component n of SVC01 of line s of claim
// k, CTL39412D its modifier count (n = 0) or n-th modifier, CTL39412AD the
// file position of the k-th CLP row. CTL39412Z the matching values above
// on a table of their own; CTL39412Y does nothing.
inline std::string CTL39412B(const ClaimIndex& index, const SegmentTable& table, std::size_t k, std::size_t s, int n,
                             ClaimColumnMode mode) {
    return CTL39407B(index, table, k, s, n, mode);
}
inline std::string CTL39412D(std::size_t startRow, int n, std::size_t s, std::size_t k, const SegmentTable& table,
                             ClaimColumnMode mode) {
    return CTL39407D(startRow, n, s, k, table, mode);
}
inline std::uint64_t CTL39412AD(const SegmentTable& table, std::size_t k) { return CTL39407AD(table, k); }
std::vector<std::string> CTL39412Z(const SegmentTable& table, std::size_t k, std::string_view id,
                                   std::string_view qualifier, int n);
inline void CTL39412Y() {}

}  // namespace zr
