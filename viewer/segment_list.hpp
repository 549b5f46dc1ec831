// The generic segment list ("View Data"): its state and moves, kept apart
// from its window so that they are tested without one, and its report
// modes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "segment_table.hpp"

namespace zr {

class SegmentListModel {
public:
    explicit SegmentListModel(const SegmentTable& table) : table_(&table) {}

    const SegmentTable& table() const { return *table_; }
    void setTable(const SegmentTable& table);
    std::size_t rowCount() const { return table_->size(); }
    std::size_t current() const { return current_; }
    int view() const { return view_; }
    const std::string& heading() const { return heading_; }
    const std::string& searchText() const { return search_; }
    // The current row's line in the current view.
    std::string line(std::size_t row) const;

    // "Change View": the next view and its heading.
    void changeView();
    // "Go To" with the answer of the go-to prompt: row answer + 2 when it lies
    // in the table, else the first row.
    void goTo(long long answer);
    // "Search" with the answer of the search prompt: true when found (or
    // nothing to look for); false leaves the row and asks for "Not Found".
    bool search(const std::string& answer);

    // The array browse's moves.
    void goTop() { current_ = 1; }
    void goBottom() { current_ = rowCount() ? rowCount() : 1; }
    int skip(int n);
    void setCurrent(std::size_t row);

private:
    const SegmentTable* table_;
    std::size_t current_ = 1;
    int view_ = 2;
    std::string heading_ = "- ";
    std::string search_ = std::string(40, ' ');
};

// The footer: "<n> Segments" CR LF and the delimiters' codes.
std::string segmentListFooter(std::size_t rowCount, const X12Delimiters& delimiters);

// The report text of modes 100 (CR LF), 101 ("<BR>") and 102 ("\par " CR
// LF): the view-2 lines of rows 1 to count-1, escaped for HTML or RTF.
// Nothing for other modes.
std::optional<std::string> segmentListReport(const SegmentTable& table, int mode);

// What the list gives in an output mode without showing itself: the report
// modes' text, "" for 103 (laid out for the PDF writer, which writes nothing
// here) and 109; none when the screen is to be shown.
std::optional<std::string> segmentListOutput(const SegmentTable& table, int mode);

}  // namespace zr
