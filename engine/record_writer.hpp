// Writing records of the X12-to-CSV/XML direction: the CSV title line, the
// XML frame, and one record (or one record per service line) from the
// values of the FieldTable.
//
// Which fields are columns is decided once, for the title and for every
// row alike: fields with a name; in line mode the claim-level fields (line
// item reading 0) and the fields of the row's line, the title taking line 1.
// So the title and the rows always have the same columns.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "byte_buffer.hpp"
#include "field_table.hpp"

namespace zr {

struct OutputForm {
    bool xml = false;       // X12,XML; otherwise X12,CSV
    bool lineMode = false;  // "SL" or "ML": one record per service line
};

inline constexpr std::string_view kXmlHead = "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n";
inline constexpr std::string_view kXmlEnd = "</EXPORTDATA>\r\n";

// The CSV title line with its CR LF: per column its description (trimmed)
// when not blank, else its name (trimmed).
std::string csvTitleLine(const FieldTable& table, bool lineMode);

// "&", "<" and ">" as entities, so names and values cannot break the XML;
// a control character that XML does not allow (all below 0x20 but tab, LF
// and CR) becomes "?". Answers whether one was replaced.
bool appendXmlEscaped(std::string& out, std::string_view text);
bool appendXmlEscaped(ByteBuffer& out, std::string_view text);

// The number of service-line rows of the current record (at least 1).
int serviceLineRows(const FieldTable& table);

// The rule of that count, for any table of fields: a line begins where the
// line item (lineOf(f), 0 for claim level) rises above the highest seen so
// far; it counts when one of its own fields holds a value (filled(f)).
// Claim-level fields standing after a line's block belong to no line: with
// them a record would always gain a row of claim values alone.
template <class LineOf, class Filled>
int countServiceLineRows(std::size_t fields, LineOf lineOf, Filled filled) {
    std::vector<int> lines;
    std::unordered_set<int> lineFilled;
    int highest = 0;
    for (std::size_t f = 0; f < fields; ++f) {
        const int line = lineOf(f);
        if (line > highest) {
            highest = line;
            lines.push_back(line);
        }
        if (line > 0 && filled(f)) lineFilled.insert(line);
    }
    int rows = 0;
    for (int line : lines) rows += lineFilled.count(line) ? 1 : 0;
    return rows > 0 ? rows : 1;
}

// The columns of a table in one form, worked out once per run (the XML
// tags already escaped).
class RecordWriter {
public:
    RecordWriter(const FieldTable& table, OutputForm form);

    // Appends the current record to `out` and clears values by level;
    // nothing at all when no field holds a value. Occurrence counters
    // restart. Answers whether a record was written.
    bool write(FieldTable& table, ByteBuffer& out) const;
    // The field of the first XML value whose control character was
    // replaced ("" when none).
    const std::string& replacedIn() const { return replacedIn_; }
    void clearReplaced() const { replacedIn_.clear(); }

private:
    struct Column {
        int field;
        std::string open;   // XML: "<NAME>"
        std::string close;  // XML: "</NAME>" CR LF
    };
    void writeCsvRecord(FieldTable& table, ByteBuffer& out) const;
    void writeXmlRecord(FieldTable& table, ByteBuffer& out) const;
    void writeLines(FieldTable& table, ByteBuffer& out) const;
    void noteReplaced(const FieldTable& table, int field) const;

    OutputForm form_;
    std::vector<Column> columns_;
    std::vector<int> columnOf_;  // per field: its column, -1 for none
    // XML record mode: the record with every tag and no value, and where
    // each column's value goes into it. A record is copied from it around
    // the few values it holds.
    std::string xmlTemplate_;
    std::vector<std::size_t> valueAt_;
    mutable std::string replacedIn_;
};

// CTL48400C: writes the current record (see RecordWriter::write) and
// appends it to `out`.
bool CTL48400C(FieldTable& table, const OutputForm& form, std::string& out);

}  // namespace zr
