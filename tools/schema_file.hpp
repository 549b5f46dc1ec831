// The database schema file of the schema generator: which transactions go
// into a database with the map that extracts each, and the tables with
// their connection settings and map fields. Written and read here; the
// dialogs (tools/screens/schema_dialogs.*) edit it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zr {

struct SchemaTransaction {
    const char* code;   // "837I"
    const char* label;  // "837I Institutional Claims"
    const char* key;    // "837I=" (the schema file's key, with its case)
};

inline constexpr std::size_t kSchemaTransactionCount = 12;

// The transactions in the order of every list, string and file.
extern const std::array<SchemaTransaction, kSchemaTransactionCount> kSchemaTransactions;
// The positions (into kSchemaTransactions) in the order the check boxes stand.
extern const std::array<std::size_t, kSchemaTransactionCount> kSchemaScreenOrder;

using SchemaFlags = std::array<bool, kSchemaTransactionCount>;
using SchemaMaps = std::array<std::string, kSchemaTransactionCount>;

// A table row's columns, 0-based here (the file's column n is index n - 1).
enum SchemaColumn : std::size_t {
    kTableName, kTransactionTypes, kDriver, kDataSet, kServer, kUser, kPassword, kFieldNames, kSchemaColumns
};
using SchemaRow = std::array<std::string, kSchemaColumns>;
// The table list; a list whose only row has an empty name counts as empty.
using SchemaTables = std::vector<SchemaRow>;

bool schemaTablesEmpty(const SchemaTables& tables);

// CTLD50900B: the included codes, in table order, joined by ",".
std::string CTLD50900B(const SchemaFlags& flags);
// The same codes as a list.
std::vector<std::string> schemaIncludedCodes(const SchemaFlags& flags);

// CTLD50900D: a check box's caption: the label, then " : Map=" and the map
// name when the flag is set and the map file exists.
std::string CTLD50900D(bool flag, const std::string& label, const std::string& mapName);

// The schema file's text (every line ended by CR LF).
std::string schemaText(const SchemaFlags& flags, const SchemaMaps& maps, const SchemaTables& tables);
// CTLD50900G: writes the schema file, whole, under the name given; false
// when it cannot be written.
bool CTLD50900G(const std::string& schemaFile, const SchemaFlags& flags, const SchemaMaps& maps,
                const SchemaTables& tables);

// The schema file's lines as they are read: a line ends at CR, LF is
// dropped, text after the last CR is not read, each line is trimmed.
std::vector<std::string> schemaLines(const std::string& text);

// CTLD50900H: the map name of transaction `number` (101..112, table order);
// "" when there is none or the number is out of range.
std::string CTLD50900H(const std::string& schemaFile, int number);
// Every transaction's map name, in table order.
SchemaMaps schemaMaps(const std::string& schemaFile);
// CTLD50900I: the table names; one empty name when there are none.
std::vector<std::string> CTLD50900I(const std::string& schemaFile);
// The table rows of the file; one empty row when there are none.
SchemaTables schemaTables(const std::string& schemaFile);

// CTLD50900J: the names appended, each followed by CR LF, to the field
// names of row `row` (1-based; 0 means 1).
SchemaTables CTLD50900J(SchemaTables tables, const std::vector<std::string>& names, std::size_t row);

enum class SchemaListMode { Unchanged = 0, ReadFile = 1, Append = 2, Remove = 3 };
// CTLD50900K: the list unchanged, the rows read from the file, the list
// with a row of the seven columns appended (replacing a list that counts
// as empty) or without row `row` (1-based; a list of one row becomes one
// empty row).
SchemaTables CTLD50900K(std::size_t row, SchemaTables tables, const std::string& schemaFile, SchemaListMode mode,
                        const std::array<std::string, 7>& columns = {});

// CTLD50900M: the list with cell (row, column) set, both 1-based; unchanged
// when there is no such cell.
SchemaTables CTLD50900M(SchemaTables tables, std::size_t row, std::size_t column, const std::string& value);

// CTLD50900N: the field names of row `row` (1-based), one per entry.
std::vector<std::string> CTLD50900N(const SchemaTables& tables, std::size_t row);

// CTLD50900O: the field names of a transaction's map: every line that,
// trimmed, begins with "FIELD=" gives the text up to its first comma (the
// whole rest when it has none). No map file gives no names.
std::vector<std::string> CTLD50900O(const std::string& code, const SchemaMaps& maps);

// The position (into kSchemaTransactions) of a code; the count when none.
std::size_t schemaTransactionIndex(const std::string& code);

}  // namespace zr

namespace zr {

// CTLD50900C: the map name after a check box was clicked: when the flag is
// set, the file chosen ("Select Map File", "" on Cancel) in the current
// folder, filtered by the current name when that file exists, else "*.cfg";
// unchanged when the flag is clear.
std::string CTLD50900C(bool flag, const std::string& mapName);

}  // namespace zr
