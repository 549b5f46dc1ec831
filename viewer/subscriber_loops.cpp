#include "subscriber_loops.hpp"

#include <cctype>

#include "elements.hpp"
#include "text.hpp"

namespace zr {

bool isSubscriberHl(const SegmentTable& table, std::size_t row) {
    return table.id(row) == "HL" && table.element(row, 3) == "22";
}

SubscriberLoops::SubscriberLoops(const SegmentTable& table) : table_(&table) {
    for (std::size_t r = 1; r < table.size(); ++r)
        if (isSubscriberHl(table, r)) starts_.push_back(r);
}

RowRange SubscriberLoops::rows(std::size_t k) const {
    if (k == 0 || k > starts_.size()) return {};
    const std::size_t first = starts_[k - 1];
    const std::uint32_t number = table_->claim(first).inSet;
    std::size_t last = first;
    // The next loop starts a new range even when its number is the same
    // (a set picked out of a table whose numbering counted other HLs).
    while (last + 1 <= table_->size() && table_->claim(last + 1).inSet == number &&
           !isSubscriberHl(*table_, last + 1))
        ++last;
    return {first, last};
}

std::size_t findRow(const SegmentTable& table, RowRange range, std::size_t from, std::string_view id,
                    std::string_view qualifier) {
    if (range.empty()) return 0;
    for (std::size_t r = std::max(from, range.first); r <= range.last; ++r)
        if (wl::prefixMatch(table.id(r), id) && wl::prefixMatch(table.element(r, 1), qualifier)) return r;
    return 0;
}

std::size_t nthRow(const SegmentTable& table, RowRange range, std::size_t n, std::string_view id) {
    if (range.empty() || n == 0) return 0;
    for (std::size_t r = range.first; r <= range.last; ++r)
        if (wl::prefixMatch(table.id(r), id) && --n == 0) return r;
    return 0;
}

std::size_t countRows(const SegmentTable& table, RowRange range, std::string_view id) {
    std::size_t n = 0;
    if (!range.empty())
        for (std::size_t r = range.first; r <= range.last; ++r) n += wl::prefixMatch(table.id(r), id);
    return n;
}

std::pair<std::string_view, std::size_t> numberedName(std::string_view name) {
    std::size_t at = name.size();
    while (at > 0 && std::isdigit(static_cast<unsigned char>(name[at - 1]))) --at;
    // More digits than any line number has: no number at all.
    if (at == name.size() || name.size() - at > 9) return {name, 0};
    return {name.substr(0, at), std::stoul(std::string(name.substr(at)))};
}

std::string_view componentOf(const SegmentTable& table, std::string_view element, int n) {
    return CTL39400AX(element, n, table.delimiters().component);
}

}  // namespace zr
