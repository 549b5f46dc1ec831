// The FieldTable at run time and field collection from one segment.
//
// The map's rows (map_file.hpp, 22 columns) carry each field's value and
// occurrence counter. Beside them the table keeps, per field, the numbers
// and links read once from the row's items (a `FieldPlan`), and an index of
// fields by segment id, so that a segment only visits the fields whose
// segment item can match its id.
//
// Comparisons follow the map's rules: a key or segment item "matches" an id
// when the item begins with the id (the reversed prefix test), a qualifier
// alternative matches an element that begins with it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "map_file.hpp"

namespace zr {

class DebugTrace;
class FunctionFiles;

// True when the text is empty once trimmed (blanks, tabs, CR, LF).
bool isBlankText(std::string_view text);

// One completed segment: its text, its id (element 0) and its elements,
// cut at the element separator on first use.
class SegmentView {
public:
    void reset(std::string_view text, char elementSeparator);
    std::string_view text() const { return text_; }
    std::string_view id() const { return id_; }
    // Element n, 0-based (0 = the id); "" below 0 or past the last element.
    std::string_view element(int n);

private:
    std::string_view text_;
    std::string_view id_;
    char separator_ = '*';
    bool split_ = false;
    std::vector<std::string_view> elements_;
};

// Piece n (0-based) of a text cut at a separator; "" when there is none.
std::string_view pieceOf(std::string_view text, int n, char separator);

// The texts of the last eight segments, newest first.
class SegmentHistory {
public:
    static constexpr int kSize = 8;
    void push(std::string_view text) {
        head_ = (head_ + kSize - 1) % kSize;
        ring_[head_] = text;
    }
    // Entry i, 0 = the newest.
    std::string_view entry(int i) const { return ring_[(head_ + i) % kSize]; }
    void clear() { *this = SegmentHistory{}; }

private:
    std::array<std::string_view, kSize> ring_{};
    int head_ = 0;
};

// What a field's row says, read once: numbers from their digits, links to
// other fields by index.
struct FieldPlan {
    int qualifierPosition = 0;  // 5
    int elementPosition = 0;    // 6
    int component = 0;          // 7
    int occurrence = 0;         // 9
    int level = 0;              // 10
    int serviceLine = 0;        // 11, read as a number
    int previousPosition = 0;   // 21
    bool named = false;         // 1 not blank: the field is a column of the output
    bool hasQualifier = false;  // 4
    bool hasComponentItem = false;    // 7
    bool hasCondition = false;        // 8
    bool hasServiceLineItem = false;  // 11
    bool hasFunction = false;         // 17
    bool hasPrevious = false;         // 19
    bool hasToggle = false;           // 22
    int conditionField = -1;  // the first field whose name begins with the condition
    std::vector<std::string> qualifiers;  // column 4 split at ":"
    std::vector<int> toggleFields;        // fields whose name is a prefix of column 22
};

class FieldTable {
public:
    FieldTable() = default;
    explicit FieldTable(std::vector<FieldRow> rows);

    std::vector<FieldRow> rows;
    std::vector<FieldPlan> plans;

    // Reads the plans and resets the index; after any change of the rows'
    // items (the multi-line expansion).
    void compile();

    std::size_t size() const { return rows.size(); }
    // Fields whose segment item (column 3) begins with the id, in table order.
    const std::vector<int>& candidates(std::string_view id);
    // The first position at or after p whose service-line item is empty
    // (size() when none): where collection at line 0 may look.
    int nextClaimLevel(int p) const { return nextClaimLevel_[static_cast<std::size_t>(p)]; }

    // Lists by level, for clearing.
    const std::vector<int>& fieldsOfLevel(int level) const;
    const std::vector<int>& countedFields() const { return counted_; }  // occurrence above 0

    // The value test of the writer: a field other than the file-name fields
    // (levels 5 and 6) holds a value once trimmed.
    bool anyRecordValue() const;

private:
    std::vector<int> candidatesOf(std::string_view id) const;

    std::vector<int> nextClaimLevel_;
    std::array<std::vector<int>, 7> byLevel_;
    std::vector<int> counted_;
    std::vector<int> recordFields_;  // fields of levels other than 5 and 6
    // The index: packed short ids first (the common case), longer ids by text.
    std::unordered_map<std::uint64_t, std::vector<int>> shortIds_;
    std::unordered_map<std::string, std::vector<int>> longIds_;
    std::vector<int> scratch_;
};

// Fills every level-5 field with the source path and every level-6 field
// with the output path.
void fillFileNames(FieldTable& table, const std::string& source, const std::string& output);

// Empties every value.
void clearValues(FieldTable& table);

// What collection from one segment needs besides the table.
struct CollectContext {
    SegmentView& segment;
    const SegmentHistory& history;  // the segment being handled is entry 0
    char elementSeparator = '*';
    char componentSeparator = ':';
    int line = 0;                     // the current service-line number
    DebugTrace* trace = nullptr;      // " Field SET " lines when on
    FunctionFiles* functions = nullptr;  // the shared cache when null
};

// CTL48400B: collects the values that the segment gives to the table.
void CTL48400B(FieldTable& table, CollectContext& context);

// The multi-line expansion: copies the block of line-1 fields for lines 2
// to `lines` (names and line-1 conditions renumbered). Nothing when
// `lines` is below 2 or the table has no line-1 field.
void expandServiceLines(std::vector<FieldRow>& rows, int lines);

// CTL48400O (no caller): the piece when the text holds it, else "".
std::string CTL48400O(std::string_view text, std::string_view piece);
// CTL48400AC (no caller): empties the value of every field of that segment.
void CTL48400AC(FieldTable& table, std::string_view segmentId);

}  // namespace zr
