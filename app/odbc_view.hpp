// The log display's ODBC data view, apart from the connection: the list of
// data sources, the lines and status lines it shows of a table, and the
// record step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dbf_table.hpp"
#include "value.hpp"

namespace zr {

// CTL33500F: the data sources offered (the entries trimmed), or the single
// entry "No Data Sets Available".
std::vector<std::string> CTL33500F(const std::vector<std::string>& entries);
// Whether a data source entry names one ("No Data Sets Available" does not).
bool isDataSource(const std::string& entry);

// A field of the table as the view lists it.
struct OdbcViewField {
    std::string name;
    char type = 'C';
    int length = 0;
    int decimals = 0;
};

// A field description line: the number right-aligned in three characters,
// "> ", the name padded to 28, " Type=" + type, " Len=" + length.
std::string odbcFieldLine(int number, const OdbcViewField& field);
// A value of the current record: the number and name as in the field
// line, then the value (dates as date text, numbers as text, characters
// trimmed, a null as nothing).
std::string odbcValueLine(int number, const OdbcViewField& field, const wl::Value& value);
// The status lines: table + "   " + fields + " Fields.  " + records +
// " Records"; table + "  Record " + n + "  of  " + count + " Records".
std::string odbcFieldStatus(const std::string& table, int fields, std::int64_t records);
std::string odbcRecordStatus(const std::string& table, std::int64_t record, std::int64_t records);

// CTL33500L: the record after a step of one back or forward, kept between
// 0 and the record count.
std::int64_t CTL33500L(std::int64_t record, int step, std::int64_t records);

// CTL33500M's page layout: 60 lines a page; the top of line index (from
// 0) of the lines printed on a page of that height.
inline constexpr int kOdbcPrintLines = 60;
int odbcPrintPageCount(std::size_t lines);
int odbcPrintLineTop(std::size_t index, int pageHeight);

// CTL33500N's "testdata" fields: the table's fields as dBASE fields (an
// unknown type as characters, characters at most 254 long).
std::vector<wl::DbfField> testdataFields(const std::vector<OdbcViewField>& fields);

// The data source and table CTLD48401G hands back: source + ":" + table.
std::string dataSourceChoice(const std::string& dataSource, const std::string& table);

}  // namespace zr
