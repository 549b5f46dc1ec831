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
// before its root element closes is reported as incomplete.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zr {

// The records of a source: each record is the values in field order (CSV)
// or by field name (XML), as the reader delivers them to the table.
struct SourceRecord {
    std::vector<std::pair<std::string, std::string>> byName;  // XML: element name (upper case), value
    std::vector<std::string> columns;                         // CSV
};

std::vector<SourceRecord> readCsvRecords(std::string_view text);

struct XmlRecords {
    std::vector<SourceRecord> records;
    bool complete = true;  // false: the file ends before its root element closes
};
XmlRecords readXmlSource(std::string_view text);
// The records alone, complete or not.
std::vector<SourceRecord> readXmlRecords(std::string_view text);

// XML character data as bytes: the five entities and numeric character
// references ("&#196;", "&#xC4;"); a character beyond one byte becomes "?".
std::string decodeXmlText(std::string_view text);

}  // namespace zr
