#include "segment_list.hpp"

#include <algorithm>

#include "report_lines.hpp"
#include "segment_lines.hpp"
#include "text.hpp"

namespace zr {

void SegmentListModel::setTable(const SegmentTable& table) {
    table_ = &table;
    setCurrent(current_);
}

std::string SegmentListModel::line(std::size_t row) const { return CTL39400A(*table_, 0, row, view_); }

void SegmentListModel::changeView() {
    view_ = CTL39400M(view_);
    heading_ = CTL39400N(view_);
}

void SegmentListModel::goTo(long long answer) {
    goTop();
    const long long target = answer + 2;
    if (target > 1 && target <= static_cast<long long>(rowCount())) current_ = static_cast<std::size_t>(target);
}

bool SegmentListModel::search(const std::string& answer) {
    search_ = wl::rtrim(answer);
    goTop();
    const std::string what = wl::alltrim(search_);
    if (what.empty()) return true;
    // The list stands on its first row, which is searched too: a match there
    // is a match, not a row to step over.
    for (std::size_t r = current_; r <= rowCount(); ++r) {
        if (holdsNoCase(wl::rtrim(table_->text(r)), what)) {
            current_ = r;
            return true;
        }
    }
    return false;
}

int SegmentListModel::skip(int n) {
    const long long last = std::max<long long>(1, static_cast<long long>(rowCount()));
    const long long to = std::clamp<long long>(static_cast<long long>(current_) + n, 1, last);
    const int moved = static_cast<int>(to - static_cast<long long>(current_));
    current_ = static_cast<std::size_t>(to);
    return moved;
}

void SegmentListModel::setCurrent(std::size_t row) {
    current_ = std::clamp<std::size_t>(row, 1, std::max<std::size_t>(1, rowCount()));
}

std::string segmentListFooter(std::size_t rowCount, const X12Delimiters& d) {
    auto code = [](const std::string& s) {
        return std::to_string(s.empty() ? 32 : static_cast<unsigned char>(s[0]));
    };
    return std::to_string(rowCount) + " Segments\r\nST=CHR(" + code(d.terminator) + ") DS=CHR(" + code(d.element) +
           ") SS=CHR(" + code(d.component) + ") ";
}

std::optional<std::string> segmentListReport(const SegmentTable& table, int mode) {
    std::string end;
    switch (mode) {
    case 100: end = "\r\n"; break;
    case 101: end = "<BR>"; break;
    case 102: end = "\\par \r\n"; break;
    default: return std::nullopt;
    }
    std::string text;
    // Escaped for the mode: a segment's value may hold "<", "&" or "{".
    for (std::size_t r = 1; r < table.size(); ++r) text += reportEscaped(CTL39400A(table, 0, r, 2), mode) + end;
    return text;
}

std::optional<std::string> segmentListOutput(const SegmentTable& table, int mode) {
    if (mode == 103 || mode == 109) return std::string();
    return segmentListReport(table, mode);
}

}  // namespace zr
