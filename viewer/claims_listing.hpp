// The 837 claims screen without its window: one row per subscriber loop
// (the default layout or the [X12837VIEWER] fields), the claim count and
// total of the footer, the rows rebuilt after an acknowledgement, the
// search, the title and the subscriber-order filters.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "claim_getters.hpp"
#include "decimal_amount.hpp"
#include "viewer_settings.hpp"

namespace zr {

struct ClaimsListing {
    std::vector<std::string> rows;  // {"No Claims Detected"} without claims
    std::size_t claims = 0;         // subscriber loops
    std::size_t clmTotal = 0;       // CLM segments of all loops
    DecimalAmount amountTotal;
    std::string footer;             // "" without claims
    std::string claimType;          // upper-cased CLAIMTYPE of the last claim
};

// The number of subscriber loops (HL*22) of the table.
std::size_t subscriberLoops(const SegmentTable& table);

// CTL39406B: the listing; the configured fields when list 100 names one
// longer than a character, else the default rows.
ClaimsListing CTL39406B(const ClaimFields& fields, const ViewerFieldLists* lists = nullptr);
// The default row of claim k (subscriber's order and name, then the amount
// and id, or the CLM count and total of a loop with several claims).
std::string defaultClaimRow(const ClaimFields& fields, long long k);
// The footer of a count and a total.
std::string claimsFooter(std::size_t clmTotal, const DecimalAmount& total);
// A value fitted to a configured width: cut to the width and followed by a
// blank when longer, padded to it otherwise; width 0 or less adds a blank.
std::string fittedValue(const std::string& value, long long width);

// CTL39406E: every row in the error form, after an acknowledgement laid its
// notes on the table.
std::vector<std::string> CTL39406E(const ClaimFields& fields);

// CTL39406AI: the first row after `current` that holds the text (without
// regard to case, each row without its trailing blanks); none when no row
// does. An empty text finds the current row.
struct ClaimsSearch {
    std::size_t row = 0;
    bool found = false;
};
ClaimsSearch CTL39406AI(const std::vector<std::string>& rows, std::size_t current, const std::string& text);

// The screen's title: "View X12 " + ST01 + " Version " + version + " " + type.
std::string claimsScreenTitle(const std::string& setId, const std::string& version, const std::string& claimType);

// The title of printed listings.
inline const char* const kClaimsPrintTitle = "X12 837 Claim Data";

// Subscriber-order filters over claims 1..count (order code o: SUBORDERCODE
// begins with o).
// CTL39406DD: the number of claims of the order.
std::size_t CTL39406DD(const std::string& order, const ClaimFields& fields, std::size_t count);
// CTL39406DC: the rows of the claims of the order; {""} when none.
std::vector<std::string> CTL39406DC(const std::string& order, const ClaimFields& fields, std::size_t count,
                                    const std::vector<std::string>& rows);
// CTL39406DE: the claim number of the i-th claim of the order; 0 (none) when
// fewer than i claims have it.
std::size_t CTL39406DE(const std::string& order, const ClaimFields& fields, std::size_t count, std::size_t i);
// CTL39406DF: CTL39406DE when `byOrder`, otherwise i unchanged.
std::size_t CTL39406DF(const std::string& order, const ClaimFields& fields, std::size_t count, std::size_t i,
                       bool byOrder);

}  // namespace zr
