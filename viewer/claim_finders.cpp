#include "claim_finders.hpp"

#include <algorithm>
#include <array>

#include "elements.hpp"
#include "messages.hpp"

namespace zr {

namespace {

// The id is compared where it stands in the text; only an id followed by
// blanks before its separator needs the table's trimmed id.
bool isSegment(const SegmentTable& t, std::size_t r, std::string_view id) {
    const std::string_view text = t.text(r);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\r' || text[i] == '\n' || text[i] == '\t')) ++i;
    if (id.empty() || text.size() - i <= id.size()) return !id.empty() && t.id(r) == id;
    for (std::size_t c = 0; c < id.size(); ++c)
        if (text[i + c] != id[c]) return false;
    const char next = text[i + id.size()];
    const std::string& element = t.delimiters().element;
    if (!element.empty() && next == element[0]) return true;
    return next == ' ' && t.id(r) == id;
}

// The first element's first component, as qualifiers are compared.
std::string_view qualifierOf(const SegmentTable& t, std::size_t r) {
    const X12Delimiters& d = t.delimiters();
    const std::string_view first = CTL39400AX(t.text(r), 2, d.element);
    return CTL39400AX(first, 1, d.component);
}

bool qualifierMatches(const SegmentTable& t, std::size_t r, std::string_view q) {
    return q.empty() || qualifierOf(t, r) == q;
}

bool matches(const SegmentTable& t, std::size_t r, std::string_view id, std::string_view q) {
    return isSegment(t, r, id) && qualifierMatches(t, r, q);
}

std::string pieceOf(const SegmentTable& t, std::size_t r, int p) {
    if (p == 1) return std::string(t.id(r));
    return std::string(CTL39400AX(t.text(r), p, t.delimiters().element));
}

std::string componentOf(const SegmentTable& t, std::string_view piece, int c) {
    return std::string(CTL39400AX(piece, c, t.delimiters().component));
}

bool inClaim(const SegmentTable& t, std::size_t r, std::uint32_t key) { return t.claim(r).inSet == key; }

// The last row is never examined.
bool walkable(const SegmentTable& t, std::size_t r) { return r >= 1 && r < t.size(); }

// The segments that open a loop of an 837, or end its set: a party's N3, N4
// and REF stand between its NM1 and the next of these, never after it.
bool opensLoop(const SegmentTable& t, std::size_t r) {
    static constexpr std::array<std::string_view, 9> kStarts{"HL", "NM1", "SBR", "CLM", "LX", "LIN", "SVD", "LQ", "SE"};
    return std::any_of(kStarts.begin(), kStarts.end(), [&](std::string_view id) { return isSegment(t, r, id); });
}

// The row of the n-th S*q after `row` within row's own loop; 0 when none.
std::size_t loopRowAfter(const SegmentTable& t, std::size_t row, std::string_view s, std::string_view q, int n) {
    int seen = 0;
    for (std::size_t r = row + 1; walkable(t, r) && !opensLoop(t, r); ++r)
        if (matches(t, r, s, q) && ++seen >= n) return r;
    return 0;
}

// The row of the n-th segment S*q of the claim after the first j-1 segments
// S (whatever their qualifier); 0 when there is none.
std::size_t claimSegmentRow(const SegmentTable& t, int j, std::uint32_t key, std::size_t start, std::string_view s,
                            std::string_view q, int n) {
    int passed = 0, seen = 0;
    for (std::size_t r = start; walkable(t, r) && inClaim(t, r, key); ++r) {
        if (!isSegment(t, r, s)) continue;
        if (passed < j - 1) {
            ++passed;
            continue;
        }
        if (!qualifierMatches(t, r, q)) continue;
        if (++seen >= n) return r;
    }
    return 0;
}

// After row `from`: the n-th S2*q2 within the claim; a further S ends the
// walk when `stopAtS` (0 when none).
std::size_t followingRow(const SegmentTable& t, std::uint32_t key, std::size_t from, std::string_view s, bool stopAtS,
                         std::string_view s2, std::string_view q2, int n) {
    int seen = 0;
    for (std::size_t r = from + 1; walkable(t, r) && inClaim(t, r, key); ++r) {
        if (stopAtS && isSegment(t, r, s)) return 0;
        if (matches(t, r, s2, q2) && ++seen >= n) return r;
    }
    return 0;
}

// The row of the claim search (the first matching S is the only one
// followed); 0 when nothing fits.
std::size_t claimSearchRow(const SegmentTable& t, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                           int n) {
    if (key == 0) return 0;
    if (s.segment2.empty()) return claimSegmentRow(t, j, key, start, s.segment, s.qualifier, n);
    const std::size_t r = claimSegmentRow(t, j, key, start, s.segment, s.qualifier, 1);
    if (r == 0) return 0;
    return followingRow(t, key, r, s.segment, !s.qualifier.empty(), s.segment2, s.qualifier2, n);
}

bool lineMatches(const SegmentTable& t, std::size_t r, std::string_view line) {
    if (line.empty()) return true;
    return leadingNumber(CTL39400AX(t.text(r), 2, t.delimiters().element)) == leadingNumber(line);
}

// The service line's row and the row found after it (0 when none).
std::size_t serviceLineRow(const SegmentTable& t, int j, std::uint32_t key, std::size_t start, std::string_view segment,
                           std::string_view line, std::string_view segment2, std::string_view qualifier2) {
    if (key == 0) return 0;
    int clms = 0;
    std::size_t r = start;
    for (; walkable(t, r) && inClaim(t, r, key) && clms < j; ++r)
        if (isSegment(t, r, "CLM")) ++clms;
    if (clms < j) return 0;
    for (; walkable(t, r) && inClaim(t, r, key); ++r) {
        if (!isSegment(t, r, segment) || !lineMatches(t, r, line)) continue;
        return rowAfterServiceLine(t, key, r, segment, line, segment2, qualifier2);
    }
    return 0;
}

bool inGroup(const SegmentTable& t, std::size_t r, std::uint32_t group) { return t.claim(r).providers == group; }

// Counts rows of claim k whose id is one of `ids`.
std::size_t countClaimSegments(const ClaimIndex& index, const SegmentTable& t, long long k,
                               std::initializer_list<std::string_view> ids) {
    if (k <= 0 || index.empty()) return 0;
    const std::size_t claim = std::min<std::size_t>(static_cast<std::size_t>(k), index.size());
    const std::uint32_t key = claimKey(t, index, claim);
    if (key == 0) return 0;
    std::size_t n = 0;
    for (std::size_t r = index[claim - 1]; walkable(t, r); ++r) {
        const std::uint32_t here = t.claim(r).inSet;
        if (here == 0) continue;  // a row outside every claim is stepped over
        if (here != key) break;
        // The next set numbers its claims from 1 again: its first claim is
        // not this one.
        if (isSegment(t, r, "SE")) break;
        n += std::any_of(ids.begin(), ids.end(), [&](std::string_view id) { return isSegment(t, r, id); });
    }
    return n;
}

}  // namespace

bool isSegmentRow(const SegmentTable& table, std::size_t row, std::string_view id) { return isSegment(table, row, id); }

std::size_t rowAfterServiceLine(const SegmentTable& t, std::uint32_t key, std::size_t lineRow, std::string_view segment,
                                std::string_view line, std::string_view segment2, std::string_view qualifier2) {
    if (lineRow == 0 || segment2.empty()) return lineRow;
    for (std::size_t r2 = lineRow + 1; walkable(t, r2) && inClaim(t, r2, key); ++r2) {
        if (!line.empty() && isSegment(t, r2, segment)) return 0;
        if (matches(t, r2, segment2, qualifier2)) return r2;
    }
    return 0;
}

std::string serviceLinePiece(const SegmentTable& t, std::uint32_t key, std::size_t lineRow, std::string_view segment,
                             std::string_view line, int piece, std::string_view segment2, std::string_view qualifier2) {
    const std::size_t r = rowAfterServiceLine(t, key, lineRow, segment, line, segment2, qualifier2);
    return r ? pieceOf(t, r, piece) : "";
}

std::vector<std::pair<long long, std::size_t>> claimLineRows(const SegmentTable& t, int j, std::uint32_t key,
                                                             std::size_t start, std::string_view segment) {
    std::vector<std::pair<long long, std::size_t>> rows;
    if (key == 0) return rows;
    int clms = 0;
    std::size_t r = start;
    for (; walkable(t, r) && inClaim(t, r, key) && clms < j; ++r)
        if (isSegment(t, r, "CLM")) ++clms;
    if (clms < j) return rows;
    for (; walkable(t, r) && inClaim(t, r, key); ++r) {
        if (!isSegment(t, r, segment)) continue;
        const long long n = leadingNumber(CTL39400AX(t.text(r), 2, t.delimiters().element));
        if (std::none_of(rows.begin(), rows.end(), [n](const auto& e) { return e.first == n; })) rows.emplace_back(n, r);
    }
    return rows;
}

long long leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = v * 10 + (text[i] - '0');
    return v;
}

std::string_view CTL39406G(std::string_view text, int piece, std::string_view separator) {
    return CTL39400AX(text, piece, separator);
}

int CTL39406F(std::string_view text, std::string_view separator) { return CTL39400F(text, separator); }

std::uint32_t claimKey(const SegmentTable& table, const ClaimIndex& index, std::size_t k) {
    if (k == 0 || k > index.size()) return 0;
    const std::size_t row = index[k - 1];
    if (row < 1 || row > table.size()) return 0;
    return table.claim(row).inSet;
}

std::string CTL39406C(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s) {
    return CTL39406DS(table, j, key, start, s, 1);
}

std::string CTL39406D(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                      int component) {
    return CTL39406DT(table, j, key, start, s, component, 1);
}

std::string CTL39406DS(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                       int n) {
    const std::size_t r = claimSearchRow(table, j, key, start, s, n);
    return r ? pieceOf(table, r, s.piece) : "";
}

std::string CTL39406DT(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                       int component, int n) {
    return componentOf(table, CTL39406DS(table, j, key, start, s, n), component);
}

std::string CTL39406H(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                      int n) {
    if (key == 0) return "";
    const std::size_t at = claimSegmentRow(table, j + 1, key, start, s.segment, s.qualifier, 1);
    if (at == 0) return "";
    int seen = 0;
    for (std::size_t r = at + 1; walkable(table, r); ++r) {
        if (!inClaim(table, r, key)) continue;  // another claim's rows are stepped over
        if (isSegment(table, r, s.segment)) return "";
        if (matches(table, r, s.segment2, s.qualifier2) && ++seen >= n) return pieceOf(table, r, s.piece);
    }
    return "";
}

std::string CTL39406Q(const SegmentTable& table, std::size_t start, const ClaimSearch& s, int m) {
    int hl = 1;
    for (std::size_t r = std::max<std::size_t>(start, 1); walkable(table, r); ++r) {
        if (isSegment(table, r, "HL") && ++hl > m) return "";
        if (!matches(table, r, s.segment, s.qualifier)) continue;
        if (s.segment2.empty()) return pieceOf(table, r, s.piece);
        for (std::size_t r2 = r + 1; walkable(table, r2); ++r2) {
            if (!s.qualifier.empty() && isSegment(table, r2, s.segment)) return "";
            if (matches(table, r2, s.segment2, s.qualifier2)) return pieceOf(table, r2, s.piece);
        }
        return "";
    }
    return "";
}

std::string CTL39406W(const SegmentTable& table, const ClaimSearch& s, int n) {
    for (std::size_t r = 1; walkable(table, r); ++r) {
        if (!matches(table, r, s.segment, s.qualifier)) continue;
        // The party's own loop: the REFs of the next NM1 (the pay-to
        // provider's after the billing provider's) are not its own.
        const std::size_t r2 = loopRowAfter(table, r, s.segment2, s.qualifier2, n);
        return r2 ? pieceOf(table, r2, s.piece) : "";
    }
    return "";
}

std::string CTL39406CM(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, std::string_view segment,
                       std::string_view line, int piece, std::string_view segment2, std::string_view qualifier2) {
    const std::size_t r = serviceLineRow(table, j, key, start, segment, line, segment2, qualifier2);
    return r ? pieceOf(table, r, piece) : "";
}

std::size_t serviceLineSegmentRow(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                                  std::string_view segment, std::string_view line, std::string_view segment2,
                                  std::string_view qualifier2) {
    return serviceLineRow(table, j, key, start, segment, line, segment2, qualifier2);
}

std::string pieceAfterRow(const SegmentTable& table, std::uint32_t key, std::size_t row, std::string_view segment,
                          std::string_view qualifier, int piece, int n, std::string_view stop) {
    if (row == 0 || key == 0) return "";
    int seen = 0;
    for (std::size_t r = row + 1; walkable(table, r) && inClaim(table, r, key); ++r) {
        if (!stop.empty() && isSegment(table, r, stop)) return "";
        if (matches(table, r, segment, qualifier) && ++seen >= n) return pieceOf(table, r, piece);
    }
    return "";
}

std::string pieceInLoop(const SegmentTable& table, std::size_t row, std::string_view segment, std::string_view qualifier,
                        int piece, int n) {
    if (row == 0) return "";
    const std::size_t r = loopRowAfter(table, row, segment, qualifier, n);
    return r ? pieceOf(table, r, piece) : "";
}

std::size_t claimSearchRowOf(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                             const ClaimSearch& s, int n) {
    return claimSearchRow(table, j, key, start, s, n);
}

std::string rowPiece(const SegmentTable& table, std::size_t row, int piece, int component) {
    if (row == 0) return component > 0 ? componentOf(table, "", component) : "";
    const std::string p = pieceOf(table, row, piece);
    return component > 0 ? componentOf(table, p, component) : p;
}

std::string CTL39406CL(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, std::string_view segment,
                       std::string_view line, int piece, std::string_view segment2, std::string_view qualifier2,
                       int component) {
    return componentOf(table, CTL39406CM(table, j, key, start, segment, line, piece, segment2, qualifier2), component);
}

std::string CTL39406CMM(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                        std::string_view segment, std::string_view line, int piece, std::string_view segment2,
                        std::string_view qualifier2) {
    wl::MSGINFO("A");
    const std::size_t r = serviceLineRow(table, j, key, start, segment, line, segment2, qualifier2);
    wl::MSGINFO("B");
    if (r) {
        wl::MSGINFO("c");
        wl::MSGINFO("tscc+");
        wl::MSGINFO(std::to_string(r));
        wl::MSGINFO(std::string(table.text(r)));
    }
    std::string result = r ? pieceOf(table, r, piece) : "";
    wl::MSGINFO(result);
    return result;
}

std::string CTL39406CLL(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                        std::string_view segment, std::string_view line, int piece, std::string_view segment2,
                        std::string_view qualifier2, int component) {
    return componentOf(table, CTL39406CMM(table, j, key, start, segment, line, piece, segment2, qualifier2),
                       component);
}

std::string CTL39406CK(const SegmentTable& table, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                       std::string_view segment3) {
    const std::size_t second = claimSearchRow(table, 1, key, start, s, 1);
    return pieceInLoop(table, second, segment3, {}, s.piece);
}

std::size_t groupStart(const SegmentTable& table, std::size_t row) {
    if (row < 1 || row > table.size()) return row;
    // Column 12 never falls from one row to the next: the group's first row
    // is found by halving, so no claim steps back over its whole group.
    const std::uint32_t group = table.claim(row).providers;
    std::size_t lo = 1, hi = row;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (table.claim(mid).providers < group)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

namespace {

// Within the group of `start`: the first S (by line number) and after it the
// first S2*q2; the rows of both (0 when not found).
std::size_t groupSecondRow(const SegmentTable& t, std::size_t start, std::string_view segment, std::string_view line,
                           bool qualifierIsLine, std::string_view qualifier, std::string_view segment2,
                           std::string_view qualifier2) {
    if (start < 1 || start > t.size()) return 0;
    const std::uint32_t group = t.claim(start).providers;
    for (std::size_t r = groupStart(t, start); walkable(t, r) && inGroup(t, r, group); ++r) {
        const bool first = isSegment(t, r, segment) &&
                           (qualifierIsLine ? lineMatches(t, r, line) : qualifierMatches(t, r, qualifier));
        if (!first) continue;
        if (segment2.empty()) return r;
        for (std::size_t r2 = r + 1; walkable(t, r2) && inGroup(t, r2, group); ++r2) {
            if (!qualifierIsLine && !qualifier.empty() && isSegment(t, r2, segment)) return 0;
            if (matches(t, r2, segment2, qualifier2)) return r2;
        }
        return 0;
    }
    return 0;
}

}  // namespace

std::string CTL39406CX(const SegmentTable& table, std::size_t start, std::string_view segment, std::string_view line,
                       int piece, std::string_view segment2, std::string_view qualifier2) {
    const std::size_t r = groupSecondRow(table, start, segment, line, true, {}, segment2, qualifier2);
    return r ? pieceOf(table, r, piece) : "";
}

std::string CTL39406CW(const SegmentTable& table, std::size_t start, const ClaimSearch& s, std::string_view segment3) {
    const std::size_t second =
        groupSecondRow(table, start, s.segment, {}, false, s.qualifier, s.segment2, s.qualifier2);
    return pieceInLoop(table, second, segment3, {}, s.piece);
}

std::string CTL39406CV(const SegmentTable& table, std::size_t start, const ClaimSearch& s, int n) {
    const std::size_t first = groupSecondRow(table, start, s.segment, {}, false, s.qualifier, {}, {});
    if (first == 0) return "";
    const std::uint32_t group = table.claim(first).providers;
    int seen = 0;
    for (std::size_t r = first + 1; walkable(table, r) && inGroup(table, r, group); ++r) {
        if (isSegment(table, r, s.segment)) return "";
        if (matches(table, r, s.segment2, s.qualifier2) && ++seen >= n) return pieceOf(table, r, s.piece);
    }
    return "";
}

std::size_t CTL39406CO(const ClaimIndex& index, const SegmentTable& table, long long k) {
    return countClaimSegments(index, table, k, {"CLM"});
}

std::size_t CTL39406DW(const ClaimIndex& index, const SegmentTable& table, long long k) {
    return countClaimSegments(index, table, k, {"SV1", "SV2", "SV3"});
}

}  // namespace zr
