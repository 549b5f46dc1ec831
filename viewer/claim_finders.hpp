// The search primitives under the 837 field getters: each walks the segment
// table from a start row, recognises segments by id and by their first
// element (the qualifier), and returns one piece (1 = the segment id, 2 = its
// first element) or one component of it, "" when nothing fits.
//
// Qualifiers compare exactly with the first component of the first element:
// "D" is AMT*D, never AMT*D8. The last row of the table is never examined.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>
#include <string_view>

#include "claim_index.hpp"
#include "segment_table.hpp"

namespace zr {

// Segment S with qualifier q, then (when S2 is given) the segment S2 with
// qualifier q2 after it; piece p of the row found. An empty qualifier
// matches every row.
struct ClaimSearch {
    std::string_view segment;
    std::string_view qualifier;
    int piece = 2;
    std::string_view segment2 = {};
    std::string_view qualifier2 = {};
};

// CTL39406G: piece p of a text (piece 1 is the segment id).
std::string_view CTL39406G(std::string_view text, int piece, std::string_view separator);
// CTL39406F: the number of pieces: separators among all characters but the
// last, plus one.
int CTL39406F(std::string_view text, std::string_view separator);

// The claim number (column 8) of a claim's first row: the rows of the claim
// are the rows that carry it. 0 for a claim outside the index.
std::uint32_t claimKey(const SegmentTable& table, const ClaimIndex& index, std::size_t k);

// CTL39406C: the claim search of claim `key` from row `start`: the first j-1
// segments S are passed over whatever their qualifier; the first later S*q
// gives piece p, or, with S2, the first S2*q2 after it (a further S ends the
// search when q is given). The walk stops at the first row of another claim.
std::string CTL39406C(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s);
// CTL39406D: component c of the claim search's result.
std::string CTL39406D(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                      int component);
// CTL39406DS: as the claim search, taking the n-th matching S (or S2).
std::string CTL39406DS(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                       int n);
// CTL39406DT: component c of the n-th match.
std::string CTL39406DT(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                       int component, int n);
// CTL39406H: past the first j segments S, the first S*q; then the n-th S2
// (whatever its qualifier unless q2 is given) up to the next S, rows of
// other claims stepped over.
std::string CTL39406H(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                      int n);
// CTL39406Q: header search from `start` before the m-th HL (m = 1: before the
// first); with S2 the walk after S goes on past HLs to the first S2*q2,
// ending at a further S when q is given.
std::string CTL39406Q(const SegmentTable& table, std::size_t start, const ClaimSearch& s, int m);
// CTL39406W: the n-th S2 after the file's first S*q, within that segment's
// loop (before the next HL, NM1 or other loop start).
std::string CTL39406W(const SegmentTable& table, const ClaimSearch& s, int n);

// CTL39406CM: the service line: past the claim's j-th CLM, the first S whose
// first element equals `line` as a number (any S when `line` is empty);
// piece p of it, or of the first S2*q2 after it before the next S (or the
// end of the claim when no line number is given).
std::string CTL39406CM(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, std::string_view segment,
                       std::string_view line, int piece, std::string_view segment2, std::string_view qualifier2);
// The row CTL39406CM reads (0 when none).
std::size_t serviceLineSegmentRow(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                                  std::string_view segment, std::string_view line, std::string_view segment2,
                                  std::string_view qualifier2);
// The part of CTL39406CM after its line's row: the row itself without S2,
// else the first S2*q2 after it within the claim, before the next S when a
// line number is given (0 when none).
std::size_t rowAfterServiceLine(const SegmentTable& table, std::uint32_t key, std::size_t lineRow,
                                std::string_view segment, std::string_view line, std::string_view segment2,
                                std::string_view qualifier2);
// Piece p of that row (CTL39406CM from its line's row on).
std::string serviceLinePiece(const SegmentTable& table, std::uint32_t key, std::size_t lineRow,
                             std::string_view segment, std::string_view line, int piece, std::string_view segment2,
                             std::string_view qualifier2);
// Past the claim's j-th CLM, the first row S of each line number, in the
// order found: what CTL39406CM looks for, found in one walk for a reader
// that asks every line of a claim.
std::vector<std::pair<long long, std::size_t>> claimLineRows(const SegmentTable& table, int j, std::uint32_t key,
                                                             std::size_t start, std::string_view segment);
// From the row after `row`, within claim `key`: piece p of the n-th S*q; a
// segment `stop` ("": none) ends the walk first.
std::string pieceAfterRow(const SegmentTable& table, std::uint32_t key, std::size_t row, std::string_view segment,
                          std::string_view qualifier, int piece, int n, std::string_view stop = {});
// From the row after `row`, within row's own loop (up to the next HL, NM1,
// SBR, CLM, LX, LIN, SVD, LQ or SE): piece p of the n-th S*q; "" for row 0.
std::string pieceInLoop(const SegmentTable& table, std::size_t row, std::string_view segment, std::string_view qualifier,
                        int piece, int n = 1);
// The row the claim search CTL39406C reads (0 when none); with n, the row
// CTL39406DS reads.
std::size_t claimSearchRowOf(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                             const ClaimSearch& s, int n = 1);
// Piece p of row r as the claim searches answer it (the id for p 1), or
// component c (> 0) of that piece; "" for row 0.
std::string rowPiece(const SegmentTable& table, std::size_t row, int piece, int component = 0);
// CTL39406CL: component c of it.
std::string CTL39406CL(const SegmentTable& table, int j, std::uint32_t key, std::size_t start, std::string_view segment,
                       std::string_view line, int piece, std::string_view segment2, std::string_view qualifier2,
                       int component);
// CTL39406CMM and CTL39406CLL: CTL39406CM and CTL39406CL that also show
// their steps in message windows ("A", "B", then for the row read "c",
// "tscc+", its number and its text, and the result); nothing calls them.
std::string CTL39406CMM(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                        std::string_view segment, std::string_view line, int piece, std::string_view segment2,
                        std::string_view qualifier2);
std::string CTL39406CLL(const SegmentTable& table, int j, std::uint32_t key, std::size_t start,
                        std::string_view segment, std::string_view line, int piece, std::string_view segment2,
                        std::string_view qualifier2, int component);
// CTL39406CK: the first S*q of the claim, after it the first S2*q2 (ending at
// a further S when q is given), after that the first S3 of S2's own loop.
std::string CTL39406CK(const SegmentTable& table, std::uint32_t key, std::size_t start, const ClaimSearch& s,
                       std::string_view segment3);

// The first row of the billing-provider group (column 12) of a row.
std::size_t groupStart(const SegmentTable& table, std::size_t row);
// CTL39406CX: within the group of `start`, the first S (its first element as
// a number equal to `line`, any S when empty), then the first S2*q2.
std::string CTL39406CX(const SegmentTable& table, std::size_t start, std::string_view segment, std::string_view line,
                       int piece, std::string_view segment2, std::string_view qualifier2);
// CTL39406CW: as CTL39406CK, the first two segments within the group rows.
std::string CTL39406CW(const SegmentTable& table, std::size_t start, const ClaimSearch& s, std::string_view segment3);
// CTL39406CV: the n-th S2 after the group's first S*q.
std::string CTL39406CV(const SegmentTable& table, std::size_t start, const ClaimSearch& s, int n);

// CTL39406CO: the number of CLM segments of claim k (0 when k <= 0; k past
// the index counts the last claim).
std::size_t CTL39406CO(const ClaimIndex& index, const SegmentTable& table, long long k);
// CTL39406DW: the number of service lines (SV1, SV2, SV3) of claim k.
std::size_t CTL39406DW(const ClaimIndex& index, const SegmentTable& table, long long k);

// Row `row` is segment `id` (its id, trimmed, equals it).
bool isSegmentRow(const SegmentTable& table, std::size_t row, std::string_view id);

// The leading whole number of a text ("01" is 1, "" and "A" are 0), as
// line numbers and numbered names compare.
long long leadingNumber(std::string_view text);

}  // namespace zr
