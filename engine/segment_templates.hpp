// The map's segment templates turned into X12 segments from the values of
// one record: levels, conditions, composites and the HL and LX counters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "map_file.hpp"

namespace zr {

// The output delimiters and the "CR" option.
struct X12Output {
    char component = ':';
    char element = '*';
    char terminator = '~';
    bool crlf = false;
};

// Where an HL number stands in the text built: a record built away from
// its place in the run counts its HL numbers from 0, and they take their
// true values when it is written in its place.
struct HlMark {
    std::size_t at = 0;      // in the text
    std::size_t length = 0;  // of the number written
    int number = 0;          // as counted within the record
};

// The state a run carries from record to record.
struct TemplateRunState {
    int hl = 0;             // never reset within a run
    int lx = 0;             // reset at each record
    std::size_t segments = 0;  // written from templates
    std::vector<HlMark>* hlMarks = nullptr;  // when set: each HL number written is marked
    // Per field of TemplatePlan::changeFields(): whether this record's value
    // differs from the record before it in its set (or opens the set).
    // Empty: not known, every value counts as changed.
    std::vector<bool> changed;
};

// A field name as names are compared: trimmed, upper-cased.
std::string fieldNameKey(std::string_view name);

// Fields by name (trimmed, any case), the first field of a name winning:
// built once per run, so templates and readers find a field without
// walking the table.
class FieldNameIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    explicit FieldNameIndex(const std::vector<FieldRow>& fields);
    // The position of the field of that name, kNone when there is none.
    std::size_t position(std::string_view name) const;
    const FieldRow* find(const std::vector<FieldRow>& fields, std::string_view name) const;
    FieldRow* find(std::vector<FieldRow>& fields, std::string_view name) const;

private:
    // Looked up by a name's view when it is already in key form.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view k) const { return std::hash<std::string_view>{}(k); }
    };
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> positions_;
};

// The templates read once for a run: each cell taken apart into what it
// writes and the field names it refers to, and each name looked up once
// per line number rather than once per record.
class TemplatePlan {
public:
    // The fields are the run's: every record comes with them (its values aside).
    TemplatePlan(const std::vector<TemplateRow>& templates, const std::vector<FieldRow>& fields,
                 const FieldNameIndex& names);
    // CTL48400G's text for one record, appended to `text`.
    void build(std::string& text, const std::vector<FieldRow>& fields, std::size_t recordCount,
               std::size_t recordNumber, const X12Output& out, TemplateRunState& state);
    // The same from the record's values in field order (one per field), as
    // views: a record read from a source is built without copying it.
    void build(std::string& text, const std::vector<std::string_view>& values, std::size_t recordCount,
               std::size_t recordNumber, const X12Output& out, TemplateRunState& state);
    // Per field: whether any build reads its value. A value never read
    // need not be copied into the fields.
    const std::vector<bool>& readFields() const { return read_; }
    // The fields a "^$NAME" segment condition compares with the record
    // before (kNone for a name no field has), in the order of
    // TemplateRunState::changed.
    std::vector<std::size_t> changeFields();

private:
    enum class Kind { Empty, Value, Required, Composite, Hl, Lx, Literal };
    struct Part {  // of a composite
        bool reference = false;
        std::string literal;
        std::size_t slot = 0;
    };
    struct Cell {
        Kind kind = Kind::Empty;
        std::string literal;
        std::size_t slot = 0;  // Value, Required
        std::vector<Part> parts;
        bool keepAll = false;  // a composite keeps its empty trailing components
        bool conditional = false;
        std::size_t conditionSlot = 0;
    };
    // A segment's condition after its id: "$NAME" the field holds a value,
    // "!$NAME" it holds none, "^$NAME" it holds one that differs from the
    // record before in the set. Several, each after a ":", must all hold.
    enum class Test { Has, Empty, Changed };
    struct Condition {
        Test test = Test::Has;
        std::size_t slot = 0;
        std::size_t change = 0;  // Changed: its place in TemplateRunState::changed
    };
    struct Segment {
        std::string id;
        std::vector<Condition> conditions;
        std::vector<Cell> cells;
    };
    struct Line;

    std::size_t slotOf(std::string_view stem);
    Condition conditionOf(std::string_view text);
    bool conditionsHold(const Segment& s, const Line& l, const TemplateRunState& state) const;
    Cell cellOf(std::string_view cell, bool keepAll);
    const std::vector<std::size_t>& fieldsFor(std::size_t line);
    std::string_view value(const Line& l, std::size_t slot) const;
    // Appends the cell's value (untrimmed); false when a required value is empty.
    bool write(std::string& text, const Cell& c, const Line& l, char component, TemplateRunState& state);
    void writeComposite(std::string& text, const Cell& c, const Line& l, char component);
    void writeSegment(std::string& text, const Segment& s, const Line& l, const X12Output& out,
                      TemplateRunState& state);

    const FieldNameIndex& names_;
    std::vector<Segment> levels_[4];  // levels 1 to 4, in the map's order
    std::vector<std::string> stems_;  // referred names, before any line number
    std::vector<std::size_t> changeSlots_;  // the slots "^" conditions compare
    // Per line number (0: none): each stem's field position, kNone if none.
    std::vector<std::vector<std::size_t>> fieldsByLine_;
    std::size_t lineRows(const std::vector<std::string_view>& values);

    std::vector<std::string_view> partValues_;
    // The fields of service lines, each with the rank of its line among the
    // lines that count as rows (kNone for a line that never does); a row is
    // a counted line with a value. Worked out once, as the line-mode writer
    // counts its rows.
    std::vector<std::pair<std::size_t, std::size_t>> lineFields_;
    std::size_t countedLines_ = 0;
    std::vector<char> lineFilled_;  // per counted line, reused
    std::vector<std::size_t> lineSlots_;  // the slots level 3 reads
    std::vector<bool> read_;
    std::vector<std::string_view> fieldValues_;  // the fields' values, for the first build()
};

// CTL48400H: the value of the first field whose name is the reference less
// its first character (trimmed, any case); "" when none.
std::string CTL48400H(const std::string& reference, const std::vector<FieldRow>& fields);

// CTL48400G: the X12 text of one record built from the templates (the
// index of the run's fields, or one built for this call).
std::string CTL48400G(const std::vector<TemplateRow>& templates, const std::vector<FieldRow>& fields,
                      std::size_t recordCount, std::size_t recordNumber, const X12Output& out,
                      TemplateRunState& state, const FieldNameIndex* names = nullptr);

}  // namespace zr
