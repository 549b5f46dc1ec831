// Reading the records of a CSV or XML source for the CSV/XML-to-X12
// direction.
//
// CSV: records end at CR LF, LF or CR; a line without a comma is no record.
// Values may be quoted as spreadsheets write them ("HARTWELL, JR", a doubled
// quote for a quote, line breaks inside quotes); a leading UTF-8 byte order
// mark is dropped. Unquoted values are read exactly as written.
//
// XML: "<CLAIM>" records of value elements, each element's text with CDATA
// sections, entities and numeric character references decoded and line
// breaks removed; attributes, comments and processing instructions carry
// no value. A "<CLAIM>" inside a claim belongs to it. A file that ends
// before its root element closes is reported as incomplete; a tag left
// open ("</NAME" without ">") stops the reading and is reported by line.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "byte_input.hpp"
#include "xml_entities.hpp"

namespace zr {

// The records of a source: each record is the values in field order (CSV)
// or by field name (XML), as the reader delivers them to the table.
struct SourceRecord {
    std::vector<std::pair<std::string, std::string>> byName;  // XML: element name (upper case), value
    std::vector<std::string> columns;                         // CSV
};

// The records of a CSV source one by one, read as the input delivers it.
class CsvReader {
public:
    // `atStart`: the input starts at the file's first byte (where a byte
    // order mark may stand); else it starts at a record of the file.
    explicit CsvReader(ByteInput& in, bool atStart = true) : in_(in), started_(!atStart) {}
    bool next(SourceRecord& r);  // false at the end
    // The next record's cells without copying them: views into the input
    // (or, for quoted cells, into the reader), valid until the next call.
    bool nextCells(std::vector<std::string_view>& cells);
    // The last record's line when it held no quote (its cells are pieces
    // of it, commas between), else empty.
    std::string_view plainLine() const { return plainLine_; }
    // At most `n` cells of a line are handed on; whether the last line had
    // a value past them is told by valueBeyondKept.
    void keepCells(std::size_t n) { keep_ = n; }
    bool valueBeyondKept() const { return beyondKept_; }
    // A line still open after this many bytes is read on in blocks, its
    // kept cells copied and the rest passed over: a line of 50 MB takes no
    // 50 MB. (A setting for tests; a block by default.)
    void streamLinesFrom(std::size_t bytes) { longLine_ = bytes; }

private:
    // The line at the start of the input, read in blocks (see streamLinesFrom).
    bool longLine(std::vector<std::string_view>& cells);

    ByteInput& in_;
    bool started_ = false;
    std::size_t keep_ = static_cast<std::size_t>(-1);
    std::size_t longLine_ = ByteInput::kBlock;
    bool beyondKept_ = false;
    std::deque<std::string> unquoted_;  // quoted cells as read, by column (they stay put as it grows)
    std::vector<std::string> longCells_;  // the kept cells of a long line
    std::vector<std::string_view> cells_;
    std::string_view plainLine_;
};

// The records of an XML source one by one.
class XmlReader {
public:
    // `atStart` as for CsvReader; a later start must be the end of a record.
    explicit XmlReader(ByteInput& in, bool atStart = true) : in_(in), started_(!atStart) {}
    bool next(SourceRecord& r);  // false at the end
    // After the end: false when the source ends before its root element closes.
    bool complete() const { return complete_; }
    // The line of a tag left open ("</NAME" without ">"); 0 when none.
    // Reading stops there: the file is not read on as if whole.
    int malformedLine() const { return malformedLine_; }

private:
    enum class Step { Next, Record, NeedMore, End };
    // One piece of markup (with a value element's text) from the start of
    // `text`; `used` the bytes it takes. The state changes only when the
    // piece is whole.
    Step step(std::string_view text, bool atEnd, std::size_t& used);
    void takeRecord(SourceRecord& r);

    void consume(std::size_t used);  // counting the lines passed

    ByteInput& in_;
    bool started_ = false;
    bool ended_ = false;
    int line_ = 1;
    int malformedLine_ = 0;
    bool complete_ = true;
    int claimDepth_ = 0;
    std::vector<std::string> open_;  // elements not yet closed, outermost first
    SourceRecord current_;
};

std::vector<SourceRecord> readCsvRecords(std::string_view text);

struct XmlRecords {
    std::vector<SourceRecord> records;
    bool complete = true;  // false: the file ends before its root element closes
};
XmlRecords readXmlSource(std::string_view text);
// The records alone, complete or not.
std::vector<SourceRecord> readXmlRecords(std::string_view text);

}  // namespace zr
