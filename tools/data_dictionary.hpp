// The Data Dictionary: descriptions of database tables and of the fields a
// conversion map extracts. Tables are registered in a profile file; each
// table's field descriptions are a dBASE table (the table's name + ".dbf")
// with one record per field, filled from a map's "FIELD=" lines or by hand.
// Everything here is window-free; the window (tools/screens) shows the
// trees and dialogs and hands the user's choices back.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf_table.hpp"
#include "tool_tree.hpp"

namespace zr {

// The dictionary's profile file, in the current folder.
inline constexpr const char* kDictionaryProfile = ".\\test1.ini";
inline constexpr const char* kTablesSection = "Tables";
// Keys "1" to "21" of "Tables" name the registered tables.
inline constexpr int kDictionaryTableKeys = 21;

// One key of the profile file read or written; the window uses the
// system's profile functions, the tests a map.
struct DictionaryProfile {
    std::function<std::string(const std::string& section, const std::string& key)> read;
    std::function<void(const std::string& section, const std::string& key, const std::string& value)> write;
};

// The columns of a field table, in file order.
enum DictionaryColumn : std::size_t {
    kFieldName,
    kDescription,
    kTransaction,
    kWidth,
    kSegment,
    kSegmentQualifier,
    kQualifierPosition,
    kElementPosition,
    kSubElementPosition,
    kConditionalField,
    kOccurrence,
    kLevel,
    kLineNumber,
    kDataStart,
    kFunction,
    kPreviousSegment,
    kPreviousQualifier,
    kPreviousQualifierPosition,
    kToggleField,
    kDictionaryColumnCount
};
using FieldValues = std::array<std::string, kDictionaryColumnCount>;

// The 19 character fields of a field table.
const std::vector<wl::DbfField>& dictionaryFields();

// folder + table + ".dbf" ("" for the current folder).
std::string fieldTablePath(const std::string& folder, const std::string& table);

// CTL51300C / CTLD51300G: creates the empty field table; false when it
// cannot be written.
bool CTLD51300G(const std::string& folder, const std::string& table);

// CTLD51300H and CTLD51300B: read and write one key.
std::string CTLD51300H(const DictionaryProfile& profile, const std::string& section, const std::string& key);
void CTLD51300B(const DictionaryProfile& profile, const std::string& section, const std::string& key,
                const std::string& value);
// CTLD51300E: registers the name under "Tables" in the first free key "1"
// to "21" unless it is there already; false when it is neither there nor
// finds a free key.
bool CTLD51300E(const DictionaryProfile& profile, const std::string& table);
// The registered names, in key order.
std::vector<std::string> registeredTables(const DictionaryProfile& profile);

// What the table dialog registers.
struct TableSettings {
    std::string name, file, driver, server, dsn, user, password, options, folder;
};
// CTLD51302A: registers the table and writes its keys in its own section.
bool CTLD51302A(const DictionaryProfile& profile, const TableSettings& settings);

// The records of a field table (trailing blanks removed); nothing when it
// cannot be opened.
std::optional<std::vector<FieldValues>> readFieldTable(const std::string& path);
// Record n (from 1); nothing when the table or the record is missing.
std::optional<FieldValues> readFieldRecord(const std::string& path, std::uint32_t n);

enum class FieldWrite { Append = 0, Rewrite = 1 };
// CTLD51303A: appends the values, or rewrites record n; answers the
// message to show ("" when written): "Can't add Blank Field Name",
// "Cant find " + table.
std::string CTLD51303A(const std::string& tablePath, const FieldValues& values, std::uint32_t record,
                       FieldWrite mode);

// The items of each "FIELD=" line of a map's text that a line end closes (a
// CR or an LF; a line without one is not taken).
std::vector<std::vector<std::string>> mapFieldLines(std::string_view text);
// CTL51300E: the field record of a map line's items (item 14, the length
// of data, has no column; items past 19 are dropped).
FieldValues fieldValuesOfMapItems(const std::vector<std::string>& items);
// CTL51300A: appends a record per "FIELD=" line of the map; answers "",
// "Missing Table " + table or "Missing Map " + map (nothing written then).
std::string CTL51300A(const std::string& mapPath, const std::string& tablePath);

// A field node of the trees: "(" + record + "-" + table + ") " + field name.
struct FieldNode {
    std::uint32_t record = 0;
    std::string table, field;
};
std::string fieldNodeText(const FieldNode& node);
// The parts of a field node's text; nothing for any other text.
std::optional<FieldNode> parseFieldNode(std::string_view text);

// CTLD51300A: the left tree: "Primary Table", the registered tables with
// their fields (or "Build Table for "), "Create a Primary Table" when none
// is registered, and "Options".
void CTLD51300A(ToolTree& tree, const std::string& folder, const DictionaryProfile& profile);
// CTLD51300F: the right tree under the heading: a field node's values.
void CTLD51300F(ToolTree& tree, const std::string& folder, const std::string& heading);

// What selecting a node asks for (CTLD51300D).
enum class DictionaryAction {
    None,
    Options,      // the "Options" dialog
    NewTable,     // the table dialog in mode 0
    BuildTable,   // create the field table
    AddField,     // the field dialog in mode 0
    ShowField,    // the field becomes the right tree's heading
    EditField,    // the field dialog in mode 1
    EditTable,    // the table dialog in mode 1
};
enum class DictionaryTree { Left = 0, Right = 1 };
struct DictionaryChoice {
    DictionaryAction action = DictionaryAction::None;
    std::string table;       // the table a "Build"/"Add" node names
    bool secondary = false;  // "Create a Secondary Table"
};
DictionaryChoice dictionaryChoice(const std::string& text, DictionaryTree tree);

// The table dialog's values when it opens: mode 0 for the node "Create a
// Primary Table" / "Create a Secondary Table", mode 1 for a table's node.
struct TableDialogStart {
    std::string title, name, file, folder, note;
    bool secondary = false;
};
TableDialogStart tableDialogStart(const std::string& nodeText, bool existing, const std::string& folder,
                                  const DictionaryProfile& profile);

// CTLD51302C: the "Additional Functions" entries; "Import Map" asks, picks
// a map in the folder and imports it into the table's field table there.
void CTLD51302C(const std::string& nodeText, const std::string& folder, const std::string& table);

// The record a field node names, for the field dialog in mode 1; `problem`
// is the message to show instead ("Error db#xfld" when the record's name
// differs, "Error Can't find " + the table file).
struct FieldToEdit {
    std::string table, tablePath;
    std::uint32_t record = 0;
    FieldValues values;
    std::string problem;
};
FieldToEdit fieldToEdit(const std::string& folder, const std::string& nodeText);

// The field dialog's rows: label, column, and the length of the blank text
// its field starts from.
struct FieldDialogRow {
    const char* label;
    std::optional<DictionaryColumn> column;  // none: "Type ", a label alone
    std::size_t length;
};
const std::vector<FieldDialogRow>& fieldDialogRows();

// The labels of the right tree's rows, in the order shown.
struct FieldTreeRow {
    const char* label;
    DictionaryColumn column;
};
const std::vector<FieldTreeRow>& fieldTreeRows();

}  // namespace zr
