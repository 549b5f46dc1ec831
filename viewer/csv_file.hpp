// The CSV file viewer's data and state: a comma-separated file read whole
// into a grid of records and columns (the first record names the columns),
// and the viewer's current record and column, kept apart from its window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zr {

// A grid indexed by record and column, both 1-based. There is no quoting:
// every comma separates fields. The text is kept whole with where each
// record lies; a record is cut into its fields when it is asked for, so a
// large file costs little beyond its own bytes.
class CsvTable {
public:
    std::size_t columns() const { return columns_; }
    std::size_t records() const { return lines_.size(); }
    // The record's fields, one per column; all "" outside the grid. A short
    // record fills its columns in order; a long one keeps its first fields
    // and puts its last field in the last column.
    std::vector<std::string> record(std::size_t record) const;
    // One field ("" outside the grid).
    std::string field(std::size_t record, std::size_t column) const;

    // Columns: the commas of the first line plus 1. A record ends at CR LF,
    // a lone CR or a lone LF; the text after the last line end is the last
    // record.
    static CsvTable parse(std::string text);

private:
    struct Line {
        std::size_t start, length;
    };
    std::string text_;
    std::vector<Line> lines_;
    std::size_t columns_ = 1;
};

// The file read whole; an empty grid of one record when it cannot be read.
CsvTable readCsvFile(const std::string& fileName);

// Column letters as a spreadsheet names them: 1 "A" ... 26 "Z", 27 "AA",
// 52 "AZ", 53 "BA", 702 "ZZ", 703 "AAA".
std::string columnLetters(std::size_t column);

class CsvViewerModel {
public:
    explicit CsvViewerModel(CsvTable table);

    const CsvTable& table() const { return table_; }
    std::size_t record() const { return record_; }
    std::size_t column() const { return column_; }
    bool headerShown() const { return headerShown_; }

    // "Go To Record" with the typed number, kept within the records.
    void goToRecord(long long typed);
    void previous() { goToRecord(static_cast<long long>(record_) - 1); }
    void next() { goToRecord(static_cast<long long>(record_) + 1); }
    // The list's current line became column n.
    void setColumn(std::size_t n);
    void toggleHeader() { headerShown_ = !headerShown_; }

    // The list's line for column n: that column's field in the current record.
    std::string line(std::size_t column) const;
    std::string headerLabel() const;
    std::string currentRecordLabel() const { return "Current Record = " + std::to_string(record_); }
    std::string currentColumnLabel() const { return "Current Column = " + std::to_string(column_); }
    std::string totalColumnsLabel() const { return "Total Columns = " + std::to_string(table_.columns()); }
    std::string totalRecordsLabel() const { return "Total Records = " + std::to_string(table_.records()); }
    // "Column/Row" until the list is first moved.
    std::string positionLabel() const;

private:
    CsvTable table_;
    std::vector<std::string> names_;   // record 1, the column names
    std::vector<std::string> fields_;  // the current record's
    std::size_t record_ = 1;
    std::size_t column_ = 1;
    bool headerShown_ = true;
    bool positioned_ = false;
};

}  // namespace zr
