// The rule checker: tests a loaded 837 file against the rule lines of the
// [X12CHECK] section of "zr.ini" (a loop holds a segment, the segment an
// element, the element a value or a value of the check table) and then
// names every segment that no rule mentions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "check_table.hpp"
#include "segment_table.hpp"

namespace zr {

// The most rule lines recorded; later lines are ignored.
inline constexpr std::size_t kMaxRuleLines = 1000;

// CTL39400K: runs the check over the rules of "zr.ini" in `folder` ("" the
// current folder) and shows the summary.
void CTL39400K(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& element,
               const std::vector<std::string>& loops, const std::string& folder = "");

// CTL39400S: tests one rule line against loop list item `loopIndex`
// (1-based); 1 when the user chose to stop, else 0.
int CTL39400S(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& rule,
              const std::vector<std::string>& loops, std::size_t loopIndex, const std::string& element);

// CTL39400U: names the segments that no recorded rule mentions.
void CTL39400U(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount,
               const std::vector<std::string>& rules, const std::vector<std::string>& loops, std::size_t ruleCount,
               const std::string& element);

// How a rule's element number counts: from the first element after the id
// (the checker), or from the id itself (the 837 family's copies, whose
// numbers are one higher for the same element: "NM1,3" there is "NM1,2" here).
enum class RuleElementCount { FromFirstElement, FromId };

// The 837 family's checker: CTL39400K with element numbers counted from the id.
void CTL39406K(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& element,
               const std::vector<std::string>& loops, const std::string& folder = "");
// CTL39406S: CTL39400S with the element number counted from the id.
int CTL39406S(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& rule,
              const std::vector<std::string>& loops, std::size_t loopIndex, const std::string& element);
// CTL39406U: the unmentioned segments; a rule mentions a segment by its id,
// not by an element number, so the count makes no difference here.
inline void CTL39406U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}

// The other screen families' copies of the checker are the checker itself.
inline void CTL39405K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39405S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39405U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}
inline void CTL39407K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39407S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39407U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}
inline void CTL39408K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39408S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39408U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}
inline void CTL39409K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39409S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39409U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}
inline void CTL39410K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39410S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39410U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}
inline void CTL39411K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39411S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39411U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}
inline void CTL39412K(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& e,
                      const std::vector<std::string>& l, const std::string& folder = "") {
    CTL39400K(c, t, n, e, l, folder);
}
inline int CTL39412S(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::string& r,
                     const std::vector<std::string>& l, std::size_t i, const std::string& e) {
    return CTL39400S(c, t, n, r, l, i, e);
}
inline void CTL39412U(const CheckTable& c, const SegmentTable& t, std::size_t n, const std::vector<std::string>& r,
                      const std::vector<std::string>& l, std::size_t count, const std::string& e) {
    CTL39400U(c, t, n, r, l, count, e);
}

}  // namespace zr
