#include "records_to_x12.hpp"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <filesystem>
#include <optional>
#include <unordered_set>

#include "byte_input.hpp"
#include "engine_common.hpp"
#include "file_bytes.hpp"
#include "messages.hpp"
#include "output_file.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "work_pool.hpp"

namespace zr {

namespace {

// A record as read: a CSV line's cells (views into the reader, valid until
// the next record) or an XML claim's values by name.
struct Record {
    std::string_view plainLine;  // CSV: the line when it held no quote (CsvReader::plainLine)
    std::vector<std::string_view> columns;
    std::vector<std::pair<std::string, std::string>> byName;
    std::vector<std::size_t> positions;  // the field of each value by name, when looked up
    bool beyond = false;  // CSV: a value past the cells kept (the map's fields)
};

void fillRecord(std::vector<FieldRow>& fields, const FieldNameIndex& names, const Record& r) {
    for (std::size_t i = 0; i < r.columns.size() && i < fields.size(); ++i) fields[i].value = r.columns[i];
    for (const auto& [name, value] : r.byName)
        if (FieldRow* f = names.find(fields, name)) f->value = value;
}

// As fillRecord, for the fields marked in `wanted` alone: the values no
// one reads are not copied.
void fillWanted(std::vector<FieldRow>& fields, const std::vector<bool>& wanted, const FieldNameIndex& names,
                const Record& r) {
    const std::size_t n = std::min(r.columns.size(), fields.size());
    for (std::size_t i = 0; i < n; ++i)
        if (wanted[i]) fields[i].value = r.columns[i];
    for (const auto& [name, value] : r.byName)
        if (const std::size_t at = names.position(name); at < fields.size() && wanted[at]) fields[at].value = value;
}

// The fields whose values templates write: whole elements ("$", "!") and
// components of "%" composites; names as written at levels 1, 2 and 4,
// stems that take the line number at level 3.
class WrittenFields {
public:
    explicit WrittenFields(const std::vector<TemplateRow>& templates) {
        for (const TemplateRow& t : templates) {
            const bool line = mapNumber(t[0]) == 3;
            for (std::size_t i = 2; i < t.size(); ++i) {
                std::string_view cell = t[i];
                // What follows ":$" is a condition, never written.
                if (std::size_t colon = cell.find(":$"); colon != std::string_view::npos) cell = cell.substr(0, colon);
                if (cell.empty()) continue;
                if (cell[0] == '$' || cell[0] == '!') elements_.add(cell.substr(1), line);
                if (cell[0] != '%') continue;
                for (std::size_t p = 1; p < cell.size();) {
                    const std::size_t end = std::min(cell.find(';', p), cell.size());
                    if (cell[p] == '$') components_.add(cell.substr(p + 1, end - p - 1), line);
                    p = end + 1;
                }
            }
        }
    }
    bool written(std::string_view field) const { return elements_.has(field) || components_.has(field); }
    bool component(std::string_view field) const { return components_.has(field); }
    // What the two tests answer for each field of the table, worked out
    // once: a column is checked without making its name's key.
    struct Flags {
        std::vector<bool> written, component;
    };
    Flags flagsOf(const std::vector<FieldRow>& fields) const {
        Flags f;
        for (const FieldRow& row : fields) {
            f.written.push_back(written(row.name));
            f.component.push_back(component(row.name));
        }
        return f;
    }

private:
    struct Names {
        std::unordered_set<std::string> plain, stems;
        void add(std::string_view name, bool line) { (line ? stems : plain).insert(fieldNameKey(name)); }
        bool has(std::string_view field) const {
            const std::string name = fieldNameKey(field);
            if (plain.count(name)) return true;
            std::size_t digits = name.size();
            while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
            return digits < name.size() && stems.count(name.substr(0, digits)) > 0;
        }
    };
    Names elements_, components_;
};

// The name of the first written field of the record whose value holds a
// delimiter that would end its element or segment and start new ones: the
// segment terminator, the element separator or the repetition separator
// "^" anywhere, the component separator within a composite (a value
// written as a whole element may be a composite itself, as the X12 to
// CSV direction reads whole elements). "" when none.
std::string fieldWithDelimiter(const std::vector<FieldRow>& fields, const WrittenFields& written,
                               const WrittenFields::Flags& flags, const Record& r, const X12Output& out) {
    auto breaks = [&](std::string_view value) {
        for (char c : value)
            if (c == out.terminator || c == out.element || c == '^') return true;
        return false;
    };
    auto unsafe = [&](std::string_view name, std::string_view value) {
        return (breaks(value) && written.written(name)) ||
               (value.find(out.component) != std::string::npos && written.component(name));
    };
    // A delimiter byte at all is rare: a line without quotes is looked
    // through in one pass first.
    if (!r.plainLine.empty() && r.byName.empty()) {
        const std::string_view line = r.plainLine;
        bool any = false;
        for (char c : {out.terminator, out.element, '^', out.component})
            any = any || line.find(c) != std::string_view::npos;  // a library search: whole words at a time
        if (!any) return "";
    }
    for (std::size_t i = 0; i < r.columns.size() && i < fields.size(); ++i) {
        if (!flags.written[i]) continue;
        const std::string_view value = r.columns[i];
        bool any = false;
        for (char c : value)
            any |= c == out.terminator || c == out.element || c == '^' || c == out.component;
        if (!any) continue;
        if (breaks(value) || (flags.component[i] && value.find(out.component) != std::string::npos))
            return wl::alltrim(fields[i].name);
    }
    for (const auto& [name, value] : r.byName)
        if (unsafe(name, value)) return name;
    return "";
}

// The names a template cell refers to ("$NAME", "!NAME", composites and
// conditions), in the order written.
void referencedNames(std::string_view cell, std::vector<std::string>& out) {
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] != '$' && cell[i] != '!') continue;
        std::size_t e = cell.find_first_of(";:$!%,", i + 1);
        if (e == std::string_view::npos) e = cell.size();
        if (e > i + 1) out.emplace_back(cell.substr(i + 1, e - i - 1));
        i = e - 1;
    }
}

// The fields of the header templates (level 1): the values of one
// transaction set, such as an 835's payment.
std::vector<const FieldRow*> headerFields(const MapFile& map, const std::vector<FieldRow>& fields,
                                          const FieldNameIndex& names) {
    std::vector<std::string> referenced;
    for (const TemplateRow& t : map.templates) {
        if (mapNumber(t[0]) != 1) continue;
        // A field named in a "!$" condition (the segment stands in for a
        // column an older CSV lacks) is no value of the set.
        std::string_view head = t[1];
        for (std::size_t at = head.find(':'); at != std::string_view::npos;) {
            const std::size_t next = head.find(':', at + 1);
            const std::string_view condition = head.substr(at + 1, next == std::string_view::npos ? next : next - at - 1);
            if (condition.rfind("!$", 0) != 0) referencedNames(condition, referenced);
            at = next;
        }
        for (std::size_t i = 2; i < t.size(); ++i) referencedNames(t[i], referenced);
    }
    std::vector<const FieldRow*> out;
    for (const std::string& n : referenced)
        if (const FieldRow* f = names.find(fields, n); f && std::find(out.begin(), out.end(), f) == out.end())
            out.push_back(f);
    // The source set's control number (ST02), when the map keeps it: sets
    // whose written header values are alike (two payments with one BPR and
    // TRN) stay sets of their own, each balancing as its source did.
    for (const FieldRow& f : fields)
        if (wl::alltrim(f.segment) == "ST" && mapNumber(f.elementPosition) == 2 && mapNumber(f.subelementPosition) == 0 &&
            std::find(out.begin(), out.end(), &f) == out.end())
            out.push_back(&f);
    return out;
}

// A CSV first line that holds the map's titles is the title line ("HO"),
// not a record: column by column the description, or else the name, of
// each named field, exactly as the title line writes them.
std::string titleOf(const FieldRow& f) {
    return wl::alltrim(f.description).empty() ? wl::alltrim(f.name) : wl::alltrim(f.description);
}

bool isTitleLine(const Record& r, const std::vector<FieldRow>& fields, const std::vector<std::size_t>& columnFields) {
    std::vector<std::string> titles;
    std::vector<std::string_view> cells;
    if (columnFields.empty()) {
        for (const FieldRow& f : fields)
            if (!wl::alltrim(f.name).empty()) titles.push_back(titleOf(f));
        cells.assign(r.columns.begin(), r.columns.end());
    } else {
        for (std::size_t f : columnFields) {
            titles.push_back(titleOf(fields[f]));
            cells.push_back(r.columns[f]);
        }
    }
    const std::size_t n = std::min(titles.size(), cells.size());
    if (n == 0 || wl::alltrim(cells.front()).empty()) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (wl::alltrim(cells[i]) != titles[i]) return false;
    return true;
}

// The fields a CSV row of service lines ("SL", "ML") holds, in its cell
// order: the named fields of the claim and those of line 1, as such rows
// are written (a row of line k holds line k's values in line 1's cells).
std::vector<std::size_t> lineRowFields(const std::vector<FieldRow>& fields) {
    std::vector<std::size_t> columns;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (wl::alltrim(fields[f].name).empty()) continue;
        const int line = mapNumber(fields[f].serviceLine);
        if (line == 0 || line == 1) columns.push_back(f);
    }
    return columns;
}

// The field of the claim id (CLM01 or CLP01), -1 when the map has none.
int claimIdField(const std::vector<FieldRow>& fields) {
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string seg = wl::alltrim(fields[f].segment);
        if ((seg == "CLM" || seg == "CLP") && mapNumber(fields[f].elementPosition) == 1 &&
            mapNumber(fields[f].subelementPosition) == 0)
            return static_cast<int>(f);
    }
    return -1;
}

// The fields of level 0: their values belong to one record, where values
// of the levels above carry on to the records after it. Found once per run.
std::vector<std::size_t> recordLevelFields(const std::vector<FieldRow>& fields) {
    std::vector<std::size_t> out;
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (mapNumber(fields[f].level) == 0) out.push_back(f);
    return out;
}

void clearRecordValues(std::vector<FieldRow>& fields, const std::vector<std::size_t>& recordLevel) {
    for (std::size_t f : recordLevel) fields[f].value.clear();
}

void reportAndLog(const std::string& text, RunLog& log) {
    wl::WQOUT({text});
    log.timed(text);
}

// A failure said on screen and in the log; nothing is written.
X12BuildResult refuse(const std::string& text, RunLog& log) {
    reportAndLog(text, log);
    X12BuildResult r;
    r.failed = true;
    r.reason = text;
    return r;
}

// The records of a source one by one, CSV or XML, read in blocks.
class RecordSource {
public:
    // From byte `start`: the file's first, or the first of a record. A
    // CSV line's cells past the map's `fields` are not held, only noted.
    // `columnFields` (CSV): the field each cell stands for, in cell order;
    // empty when cell k is field k.
    RecordSource(const std::string& path, bool xml, std::size_t fields, const std::vector<std::size_t>& columnFields,
                 std::uint64_t start = 0, std::size_t block = ByteInput::kBlock)
        : in_(path, start, block), fields_(fields), columnFields_(columnFields) {
        if (xml) xml_.emplace(in_, start == 0);
        else csv_.emplace(in_, start == 0).keepCells(columnFields.empty() ? fields : columnFields.size());
    }
    bool next(Record& r) {
        if (csv_) {
            const bool got = csv_->nextCells(columnFields_.empty() ? r.columns : cells_);
            r.plainLine = csv_->plainLine();
            r.beyond = csv_->valueBeyondKept();
            if (got && !columnFields_.empty()) placeCells(r.columns);
            return got;
        }
        if (!xml_->next(named_)) return false;
        std::swap(r.byName, named_.byName);  // the rooms of its values serve the next record
        return true;
    }
    bool complete() const { return !xml_ || xml_->complete(); }
    int malformedLine() const { return xml_ ? xml_->malformedLine() : 0; }
    const ByteInput& input() const { return in_; }

private:
    void placeCells(std::vector<std::string_view>& columns) const {
        columns.assign(fields_, std::string_view{});
        for (std::size_t k = 0; k < cells_.size() && k < columnFields_.size(); ++k)
            columns[columnFields_[k]] = cells_[k];
    }
    ByteInput in_;
    std::size_t fields_;
    const std::vector<std::size_t>& columnFields_;
    std::vector<std::string_view> cells_;
    std::optional<CsvReader> csv_;
    std::optional<XmlReader> xml_;
    SourceRecord named_;
};

// The fields whose values carry from record to record into the templates:
// read by them and of a level above 0 (level 0 is cleared after each
// record). A part built on its own starts from their values.
struct Carried {
    std::vector<std::size_t> fields;
    std::vector<std::size_t> slot;  // per field: its place in `fields`, or npos
    std::vector<std::size_t> recordLevelRead;  // the read fields of level 0
    Carried(const std::vector<bool>& read, const std::vector<std::size_t>& recordLevel) {
        std::vector<bool> level0(read.size(), false);
        for (std::size_t f : recordLevel) level0[f] = true;
        slot.assign(read.size(), std::string::npos);
        for (std::size_t f = 0; f < read.size(); ++f) {
            if (!read[f]) continue;
            if (level0[f]) {
                recordLevelRead.push_back(f);
            } else {
                slot[f] = fields.size();
                fields.push_back(f);
            }
        }
    }
};

// What the first pass learns of the records, so that the second writes
// them in one go: which records are built, where a transaction set
// starts, and the fields of the first record built (for the envelope).
// Two bits per record whatever the file's size.
struct Survey {
    std::vector<bool> built;   // per record read (the title line included)
    std::vector<bool> opens;   // per record built: a new set starts with it
    // Per record built, per field of TemplatePlan::changeFields(): whether
    // its value differs from the record before in the set.
    std::vector<bool> changes;
    std::size_t changeCount = 0;
    std::vector<FieldRow> first;
    bool titleLine = false;
    // Every record built gives every field a value of its own (CSV lines
    // as long as the table): no value carries from one record to the next.
    bool everyField = true;
    // Where the source can be cut into parts built side by side: the first
    // record of each part, about `partBytes` apart.
    struct PartStart {
        std::uint64_t offset = 0;  // of the part's first byte
        std::size_t index = 0;     // in `built`
        std::size_t k = 0;         // in `opens`
        // The values carried into the part (Carried::fields), when records
        // were built before it.
        std::vector<std::string> carried;
    };
    std::vector<PartStart> parts;
    std::vector<std::string> refused;  // records refused, one line each
    std::string withoutClaim;          // numbers of records without a claim id
    std::string beyondMap;             // CSV: numbers of records with values past the map's fields
    bool complete = true;
    int malformedLine = 0;  // XML: the line of a tag left open
    int readError = 0;
    std::size_t count() const { return opens.size(); }
};

// Whether a CSV record holds a value past the map's fields (blank cells
// there, as spreadsheets pad rows, are no value).
template <class Cells>
bool valuesBeyond(const Cells& columns, std::size_t fields) {
    for (std::size_t i = fields; i < columns.size(); ++i)
        if (!wl::alltrimView(columns[i]).empty()) return true;
    return false;
}

// What the first pass looks at in each record, found once for the run.
struct SurveyPlan {
    const MapFile& map;
    const FieldNameIndex& names;
    const Carried& carried;
    const X12BuildRequest& request;
    const X12Output& out;
    WrittenFields written;
    WrittenFields::Flags flags;
    int claimId = -1;
    bool claimRecordLevel = false;       // the claim id is cleared after each record
    std::vector<std::size_t> head;       // the header fields: a change of their values starts a new set
    std::vector<bool> headRecordLevel;   // per header field: cleared after each record
    std::vector<std::size_t> headSlot;   // per field: its place in `head`, or npos
    // The fields whose change within a set a template asks about ("^$"),
    // and per such field whether it is cleared after each record.
    std::vector<std::size_t> change;
    std::vector<bool> changeRecordLevel;
    const std::vector<std::size_t>& columnFields;  // see RecordSource

    SurveyPlan(const MapFile& m, const FieldNameIndex& n, const std::vector<std::size_t>& recordLevel,
               const Carried& c, const std::vector<std::size_t>& changeFields, const X12BuildRequest& r,
               const X12Output& o, const std::vector<std::size_t>& columns)
        : map(m), names(n), carried(c), request(r), out(o), written(m.templates), flags(written.flagsOf(m.fields)),
          claimId(claimIdField(m.fields)), headSlot(m.fields.size(), std::string::npos),
          columnFields(columns) {
        std::vector<bool> level0(m.fields.size(), false);
        for (std::size_t f : recordLevel) level0[f] = true;
        claimRecordLevel = claimId >= 0 && level0[static_cast<std::size_t>(claimId)];
        for (const FieldRow* f : headerFields(m, m.fields, n)) {
            const std::size_t at = static_cast<std::size_t>(f - m.fields.data());
            headSlot[at] = head.size();
            head.push_back(at);
            headRecordLevel.push_back(level0[at]);
        }
        // Kept in the templates' order, a field the map lacks included
        // (it never holds a value).
        for (std::size_t f : changeFields) {
            change.push_back(f);
            changeRecordLevel.push_back(f < m.fields.size() && level0[f]);
        }
    }
};

// What the records before a piece of the source leave for it.
struct SurveyState {
    bool anyBuilt = false;
    std::vector<std::string> head;      // the header values (trimmed) as the next record finds them
    std::vector<std::string> lastHead;  // those of the last record built
    std::vector<std::string> carry;     // the carried fields' values
    std::string claim;                  // the claim id field's value
    std::vector<std::string> change;      // the change fields' values (trimmed) as the next record finds them
    std::vector<std::string> lastChange;  // those of the last record built
    std::size_t number = 0, accepted = 0;

    explicit SurveyState(const SurveyPlan& plan) : lastChange(plan.change.size()) {
        for (std::size_t f : plan.head) head.emplace_back(wl::alltrimView(plan.map.fields[f].value));
        for (std::size_t f : plan.change)
            change.emplace_back(f < plan.map.fields.size() ? wl::alltrimView(plan.map.fields[f].value) : "");
        for (std::size_t f : plan.carried.fields) carry.push_back(plan.map.fields[f].value);
        if (plan.claimId >= 0) claim = plan.map.fields[static_cast<std::size_t>(plan.claimId)].value;
    }
};

// A value a piece read itself, or none where it holds what the records
// before the piece left.
using Known = std::optional<std::string>;

std::vector<Known> knownAll(const std::vector<std::string>& values) { return {values.begin(), values.end()}; }

// Sets a value, reusing its room.
void setKnown(Known& known, std::string_view value) {
    if (known) known->assign(value);
    else known.emplace(value);
}

std::vector<std::string> resolved(const std::vector<Known>& values, const std::vector<std::string>& before) {
    std::vector<std::string> out(before.size());
    for (std::size_t i = 0; i < before.size(); ++i) out[i] = values[i] ? *values[i] : before[i];
    return out;
}

// A piece of the source surveyed on its own, from its first record up to
// the record that starts at or after `end`; what depends on the records
// before it is settled when it joins them (joinPiece).
struct SurveyPiece {
    std::uint64_t begin = 0, end = 0;
    std::uint64_t stop = 0;  // where the record after its last starts (or the file ends)
    // A claim id the piece does not hold decides whether a record is built:
    // the piece is surveyed again from the true state.
    bool unsure = false;
    bool titleLine = false;
    bool anyBuilt = false;
    std::vector<bool> built, opens;
    // Records built whose start of a set depends on the values before the
    // piece: its first record built, and any whose header values only now
    // leave those.
    struct Open {
        std::size_t k = 0;
        bool first = false;
        std::vector<Known> before, after;
    };
    std::vector<Open> undecided;
    // Per record built, per change field: whether its value differs from
    // the record before (a new set is settled at the join); the records
    // whose answer depends on the values before the piece, as `undecided`.
    std::vector<bool> changes;
    std::vector<Open> changeUndecided;
    std::vector<Known> change, lastChange;  // at its end
    // The values of its first record built (the envelope takes its fields
    // from the run's first): copied once, the fields filled only for that one.
    std::vector<std::string> firstColumns;
    std::vector<std::pair<std::string, std::string>> firstByName;
    std::vector<Known> head, lastHead, carry;    // at its end
    Known claim;
    std::vector<std::pair<std::size_t, std::string>> refused;  // record number, field
    std::vector<std::size_t> withoutClaim, beyondMap;          // accepted record numbers
    std::size_t number = 0, accepted = 0;
    bool everyField = true;
    struct Part {
        std::uint64_t offset = 0;
        std::size_t index = 0, k = 0;
        std::vector<Known> carried;
    };
    std::vector<Part> parts;
    bool complete = true;
    int malformedLine = 0;
    int readError = 0;
};

constexpr std::uint64_t kToTheEnd = ~std::uint64_t{0};
constexpr std::size_t kPieceBlock = std::size_t{64} << 10;

// The value a record gives the field at `position`, if it gives one.
std::optional<std::string_view> givenValue(const Record& r, std::size_t position) {
    std::optional<std::string_view> value;
    if (position < r.columns.size()) value = r.columns[position];
    for (std::size_t v = 0; v < r.byName.size(); ++v)
        if (r.positions[v] == position) value = r.byName[v].second;
    return value;
}

// Notes which change fields of record built `k` differ from the record
// before it in the piece, or leaves that to the join where the values
// before the piece decide it.
void surveyChanges(const SurveyPlan& plan, const Record& r, std::size_t k, bool first, std::vector<Known>& values,
                   SurveyPiece& p) {
    const std::size_t n = plan.change.size();
    if (n == 0) return;
    for (std::size_t c = 0; c < n; ++c) {
        if (const auto given = givenValue(r, plan.change[c])) setKnown(values[c], wl::alltrimView(*given));
        else values[c] = p.change[c];
    }
    bool decided = !first;
    for (std::size_t c = 0; decided && c < n; ++c) decided = p.lastChange[c].has_value() == values[c].has_value();
    for (std::size_t c = 0; c < n; ++c)
        p.changes.push_back(decided && values[c] && *values[c] != *p.lastChange[c]);
    if (!decided) p.changeUndecided.push_back({k, first, p.lastChange, values});
    std::swap(p.lastChange, values);
    for (std::size_t c = 0; c < n; ++c) {
        if (plan.changeRecordLevel[c]) setKnown(p.change[c], {});
        else p.change[c] = p.lastChange[c];
    }
}

// Surveys the records from byte `begin`, from the state `from` left (none:
// the values before the piece are not known). Parts start about `partBytes`
// apart where the state is known, and always at the piece's first record.
SurveyPiece surveyPiece(const SurveyPlan& plan, std::uint64_t begin, std::uint64_t end, const SurveyState* from,
                        std::size_t partBytes) {
    const MapFile& map = plan.map;
    SurveyPiece p;
    p.begin = begin;
    p.end = end;
    p.head = from ? knownAll(from->head) : std::vector<Known>(plan.head.size());
    p.carry = from ? knownAll(from->carry) : std::vector<Known>(plan.carried.fields.size());
    if (from) p.claim = from->claim;
    p.change = from ? knownAll(from->change) : std::vector<Known>(plan.change.size());
    p.lastChange.resize(plan.change.size());
    std::vector<Known> changeValues(plan.change.size());
    // A piece of about a part's size reads in smaller blocks: the block
    // that finishes its last record is mostly the next piece's.
    RecordSource source(plan.request.source, plan.request.xml, map.fields.size(), plan.columnFields, begin,
                        end == kToTheEnd ? ByteInput::kBlock : kPieceBlock);
    // The header values of the record being surveyed; their rooms serve
    // from record to record.
    std::vector<Known> values(plan.head.size());
    p.lastHead.resize(plan.head.size());
    for (Record r;;) {
        const std::uint64_t at = source.input().position();
        if (at >= end || !source.next(r)) {
            p.stop = at >= end ? at : source.input().position();
            break;
        }
        if (p.parts.empty() || (from && at - p.parts.back().offset >= partBytes))
            p.parts.push_back({at, p.built.size(), p.opens.size(), p.carry});
        // A CSV first line that holds the map's titles is the title line ("HO").
        if (!plan.request.xml && begin == 0 && p.built.empty() && isTitleLine(r, map.fields, plan.columnFields)) {
            p.titleLine = true;
            p.built.push_back(false);
            continue;
        }
        ++p.number;
        if (std::string field = fieldWithDelimiter(map.fields, plan.written, plan.flags, r, plan.out); !field.empty()) {
            p.refused.emplace_back(p.number, std::move(field));
            p.built.push_back(false);
            continue;
        }
        ++p.accepted;
        if (r.beyond || valuesBeyond(r.columns, map.fields.size())) p.beyondMap.push_back(p.accepted);
        r.positions.clear();
        for (const auto& [name, value] : r.byName) r.positions.push_back(plan.names.position(name));
        if (plan.claimId >= 0) {
            const std::optional<std::string_view> given = givenValue(r, static_cast<std::size_t>(plan.claimId));
            if (given) setKnown(p.claim, *given);
            if (!p.claim) {
                p.unsure = true;
                return p;
            }
            const bool none = wl::alltrimView(*p.claim).empty();
            if (plan.claimRecordLevel) setKnown(p.claim, {});
            if (none) {
                p.withoutClaim.push_back(p.accepted);
                p.built.push_back(false);
                continue;
            }
        }
        p.built.push_back(true);
        p.everyField = p.everyField && r.byName.empty() && r.columns.size() >= map.fields.size();
        for (std::size_t c = 0; c < plan.carried.fields.size(); ++c)
            if (plan.carried.fields[c] < r.columns.size()) setKnown(p.carry[c], r.columns[plan.carried.fields[c]]);
        for (std::size_t v = 0; v < r.byName.size(); ++v)
            if (const std::size_t at = r.positions[v];
                at < plan.carried.slot.size() && plan.carried.slot[at] != std::string::npos)
                setKnown(p.carry[plan.carried.slot[at]], r.byName[v].second);
        // The header values of each record: a change starts a new set.
        for (std::size_t h = 0; h < plan.head.size(); ++h) {
            if (const auto given = givenValue(r, plan.head[h])) setKnown(values[h], wl::alltrimView(*given));
            else values[h] = p.head[h];
        }
        const std::size_t k = p.opens.size();
        if (!p.anyBuilt) {
            p.firstColumns.assign(r.columns.begin(), r.columns.end());
            p.firstByName = r.byName;
            p.undecided.push_back({k, true, {}, values});
            p.opens.push_back(false);
        } else {
            bool differs = false, decided = true;
            for (std::size_t h = 0; h < values.size(); ++h) {
                if (p.lastHead[h].has_value() != values[h].has_value()) decided = false;
                else if (values[h] && *values[h] != *p.lastHead[h]) differs = true;
            }
            if (!differs && !decided) p.undecided.push_back({k, false, p.lastHead, values});
            p.opens.push_back(differs);
        }
        surveyChanges(plan, r, k, !p.anyBuilt, changeValues, p);
        p.anyBuilt = true;
        std::swap(p.lastHead, values);
        for (std::size_t h = 0; h < plan.head.size(); ++h) {
            if (plan.headRecordLevel[h]) setKnown(p.head[h], {});
            else p.head[h] = p.lastHead[h];
        }
    }
    p.complete = source.complete();
    p.malformedLine = source.malformedLine();
    p.readError = source.input().error();
    return p;
}

// Adds a piece to the survey of the records before it, whose state `st`
// settles what the piece could not know, and moves that state past it.
void joinPiece(const SurveyPlan& plan, Survey& s, SurveyState& st, SurveyPiece& p) {
    s.titleLine = s.titleLine || p.titleLine;
    const std::size_t index0 = s.built.size(), k0 = s.opens.size();
    for (SurveyPiece::Part& part : p.parts)
        s.parts.push_back({part.offset, index0 + part.index, k0 + part.k,
                           k0 + part.k == 0 ? std::vector<std::string>{} : resolved(part.carried, st.carry)});
    s.built.insert(s.built.end(), p.built.begin(), p.built.end());
    s.opens.insert(s.opens.end(), p.opens.begin(), p.opens.end());
    for (const SurveyPiece::Open& o : p.undecided) {
        if (o.first && !st.anyBuilt) {
            s.opens[k0 + o.k] = true;
            continue;
        }
        s.opens[k0 + o.k] = resolved(o.after, st.head) != (o.first ? st.lastHead : resolved(o.before, st.head));
    }
    const std::size_t n = plan.change.size();
    s.changes.insert(s.changes.end(), p.changes.begin(), p.changes.end());
    for (const SurveyPiece::Open& o : p.changeUndecided) {
        const std::vector<std::string> after = resolved(o.after, st.change);
        const std::vector<std::string> before = o.first ? st.lastChange : resolved(o.before, st.change);
        for (std::size_t c = 0; c < n; ++c) s.changes[(k0 + o.k) * n + c] = after[c] != before[c];
    }
    // A record that starts a set answers every change.
    for (std::size_t k = k0; k < s.opens.size(); ++k)
        if (s.opens[k])
            for (std::size_t c = 0; c < n; ++c) s.changes[k * n + c] = true;
    if (!st.anyBuilt && p.anyBuilt) {
        Record first;
        first.columns.assign(p.firstColumns.begin(), p.firstColumns.end());
        first.byName = std::move(p.firstByName);
        s.first = plan.map.fields;
        fillRecord(s.first, plan.names, first);
    }
    for (const auto& [number, field] : p.refused)
        s.refused.push_back("Record " + std::to_string(st.number + number) + " Refused : Field " + field +
                            " Holds an X12 Delimiter.");
    for (std::size_t n : p.withoutClaim)
        s.withoutClaim += (s.withoutClaim.empty() ? "" : ", ") + std::to_string(st.accepted + n);
    for (std::size_t n : p.beyondMap) s.beyondMap += (s.beyondMap.empty() ? "" : ", ") + std::to_string(st.accepted + n);
    s.everyField = s.everyField && p.everyField;
    if (p.anyBuilt) st.lastHead = resolved(p.lastHead, st.head);
    st.head = resolved(p.head, st.head);
    st.carry = resolved(p.carry, st.carry);
    if (p.anyBuilt) st.lastChange = resolved(p.lastChange, st.change);
    st.change = resolved(p.change, st.change);
    if (p.claim) st.claim = *p.claim;
    st.anyBuilt = st.anyBuilt || p.anyBuilt;
    st.number += p.number;
    st.accepted += p.accepted;
    s.complete = s.complete && p.complete;
    if (s.malformedLine == 0) s.malformedLine = p.malformedLine;
    if (s.readError == 0) s.readError = p.readError;
}

// The first byte of the line that starts at or after `offset` (a guess at
// a record's start: a line break may lie within a quoted cell).
std::uint64_t lineStartFrom(const std::string& path, std::uint64_t offset) {
    if (offset == 0) return 0;
    wl::InputFile in(path);
    if (!in.isOpen() || !in.seek(static_cast<std::int64_t>(offset - 1))) return offset;
    std::string block(std::size_t{64} << 10, '\0');
    std::uint64_t at = offset - 1;
    for (std::size_t got; (got = in.read(block.data(), block.size())) > 0; at += got)
        if (const void* lf = std::memchr(block.data(), '\n', got))
            return at + static_cast<std::uint64_t>(static_cast<const char*>(lf) - block.data()) + 1;
    return at;
}

// The threads worth surveying a CSV source with: none (this thread alone)
// unless it is large enough to cut. An XML source is surveyed alone.
unsigned surveyThreads(const X12BuildRequest& request, std::uint64_t size, std::size_t partBytes) {
    constexpr std::uint64_t kWorthThreads = std::uint64_t{4} << 20;
    if (request.xml || request.threads == 1 || size < 2 * static_cast<std::uint64_t>(partBytes)) return 0;
    if (request.threads == 0 && size < kWorthThreads) return 0;
    const unsigned threads = request.threads > 0 ? request.threads : wl::WorkPool::usefulThreads(6);
    return threads > 1 ? threads : 0;
}

// The first pass. A large CSV source is cut at line starts into pieces
// surveyed side by side and joined in order; a piece whose first line was
// no record's start (a line break inside a quoted cell), or that needed the
// state before it, is surveyed again on this thread from where the one
// before it ended.
Survey survey(const SurveyPlan& plan, std::size_t partBytes) {
    Survey s;
    s.changeCount = plan.change.size();
    SurveyState st(plan);
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(plan.request.source, ec);
    const unsigned threads = ec ? 0 : surveyThreads(plan.request, size, partBytes);
    if (threads == 0) {
        SurveyPiece whole = surveyPiece(plan, 0, kToTheEnd, &st, partBytes);
        joinPiece(plan, s, st, whole);
        return s;
    }
    const std::string& path = plan.request.source;
    const std::uint64_t pieces = (size + partBytes - 1) / partBytes;
    struct InFlight {
        std::shared_ptr<wl::WorkPool::Job> job;
        SurveyPiece piece;
    };
    std::deque<InFlight> flight;  // its elements stay put as it grows
    wl::WorkPool pool(threads);   // last: it finishes its tasks before the rest goes
    std::uint64_t next = 0;
    auto submit = [&] {
        const std::uint64_t i = next++;
        SurveyPiece* into = &flight.emplace_back().piece;
        flight.back().job = pool.submit([&plan, &path, i, pieces, partBytes, into](unsigned) {
            const std::uint64_t begin = lineStartFrom(path, i * partBytes);
            const std::uint64_t end = i + 1 < pieces ? lineStartFrom(path, (i + 1) * partBytes) : kToTheEnd;
            *into = surveyPiece(plan, begin, end, nullptr, partBytes);
        });
    };
    while (next < pieces && flight.size() < 2 * threads) submit();
    std::uint64_t position = 0;
    while (!flight.empty()) {
        pool.wait(flight.front().job);
        SurveyPiece& piece = flight.front().piece;
        if (s.readError == 0) {
            if (piece.begin != position || piece.unsure || piece.readError != 0)
                piece = surveyPiece(plan, position, piece.end, &st, partBytes);
            joinPiece(plan, s, st, piece);
            position = piece.stop;
        }
        flight.pop_front();
        if (next < pieces && s.readError == 0) submit();
    }
    return s;
}

// Records built away from their place in the run: their text with each HL
// number marked (counted from 0 in each record), and what each adds to its
// set, so that a part of the source can be built on a thread of its own.
struct BuiltRecords {
    struct Built {
        std::size_t end = 0;       // of its text
        std::size_t marksEnd = 0;  // of its marks
        std::size_t segments = 0;
        int hls = 0;               // HL numbers it used (written or not)
    };
    std::string text;
    std::vector<HlMark> marks;
    std::vector<Built> records;
    int error = 0;  // the source no longer reads as the first pass read it
    void clear() {
        text.clear();
        marks.clear();
        records.clear();
        error = 0;
    }
};

// Builds record `k` (of those built) from its values: level 1 with a set's
// first record, level 4 with its last.
template <class Values>
void buildRecord(TemplatePlan& plan, const Values& values, const Survey& s, std::size_t k, const X12Output& out,
                 BuiltRecords& into) {
    const bool closes = k + 1 == s.count() || s.opens[k + 1];
    const std::size_t number = s.opens[k] ? 1 : 2;
    TemplateRunState state;
    state.hlMarks = &into.marks;
    const auto changes = s.changes.begin() + static_cast<std::ptrdiff_t>(k * s.changeCount);
    state.changed.assign(changes, changes + static_cast<std::ptrdiff_t>(s.changeCount));
    plan.build(into.text, values, closes ? number : 0, number, out, state);
    into.records.push_back({into.text.size(), into.marks.size(), state.segments, state.hl});
}

// Writes built records in their places, in order: each set opened before
// its first record and closed after its last, HL numbers counted through
// the set, the meter moved.
class SetWriter {
public:
    SetWriter(OutputFile& file, const MapFile& map, const X12Output& out, const EnvelopeValues& completed,
              const Survey& s, const ScopedMeter& meter)
        : file_(file), map_(map), out_(out), completed_(completed), s_(s), meter_(meter),
          end_(segmentEnd(out)) {}

    void write(const BuiltRecords& b) {
        const std::string_view text = b.text;
        std::size_t from = 0, mark = 0;
        for (const BuiltRecords::Built& r : b.records) {
            const bool closes = k_ + 1 == s_.count() || s_.opens[k_ + 1];
            if (s_.opens[k_]) {
                ++sets_;
                hl_ = 0;  // HL numbers start again in each set
                segments_ = 0;
                st02_ = setControlNumber(completed_.st02, sets_);
                file_.write(setHeader(map_.transactionType, out_, st02_, completed_.st03));
            }
            for (; mark < r.marksEnd; ++mark) {
                const HlMark& m = b.marks[mark];
                file_.write(text.substr(from, m.at - from));
                file_.write(std::to_string(hl_ + m.number));
                from = m.at + m.length;
            }
            file_.write(text.substr(from, r.end - from));
            from = r.end;
            hl_ += r.hls;
            segments_ += r.segments;
            const std::string E(1, out_.element);
            if (closes) file_.write("SE" + E + std::to_string(segments_ + 2) + E + st02_ + end_);
            ++k_;
            const double percent = 100.0 * static_cast<double>(k_) / static_cast<double>(s_.count());
            meter_.set(percent);
        }
    }
    std::size_t written() const { return k_; }
    std::size_t sets() const { return sets_; }

private:
    OutputFile& file_;
    const MapFile& map_;
    const X12Output& out_;
    const EnvelopeValues& completed_;
    const Survey& s_;
    const ScopedMeter& meter_;
    const std::string end_;
    std::size_t k_ = 0, sets_ = 0, segments_ = 0;
    int hl_ = 0;
    std::string st02_;
};

// What a thread keeps from part to part: its copy of the plan and of the
// fields (their values are its own).
struct PartBuilder {
    TemplatePlan plan;
    std::vector<FieldRow> fields;
};

// What every part is built with.
struct PartsJob {
    const X12BuildRequest& request;
    const Survey& s;
    const MapFile& map;  // its fields' values as the run starts
    const FieldNameIndex& names;
    const Carried& carried;
    const std::vector<std::size_t>& recordLevel;
    const X12Output& out;
    const std::vector<std::size_t>& columnFields;  // see RecordSource
};

// Builds part `i`, reading it from its first byte: from the records' own
// values when every line gives every field one, else from the fields with
// the values carried into the part.
void buildPart(const PartsJob& job, std::size_t i, PartBuilder& b, BuiltRecords& into) {
    const Survey& s = job.s;
    const Survey::PartStart& p = s.parts[i];
    const std::size_t endIndex = i + 1 < s.parts.size() ? s.parts[i + 1].index : s.built.size();
    if (!s.everyField) {
        if (p.k == 0) {
            for (std::size_t f = 0; f < b.fields.size(); ++f) b.fields[f].value = job.map.fields[f].value;
        } else {
            for (std::size_t f : job.carried.recordLevelRead) b.fields[f].value.clear();
            for (std::size_t c = 0; c < job.carried.fields.size(); ++c)
                b.fields[job.carried.fields[c]].value = p.carried[c];
        }
    }
    RecordSource source(job.request.source, job.request.xml, job.map.fields.size(), job.columnFields, p.offset);
    std::size_t k = p.k;
    Record r;
    for (std::size_t index = p.index; index < endIndex; ++index) {
        if (!source.next(r)) {
            into.error = source.input().error() != 0 ? source.input().error() : 30;
            return;
        }
        if (!s.built[index]) continue;
        if (s.everyField) {
            if (r.columns.size() < b.fields.size()) {
                into.error = 30;
                return;
            }
            buildRecord(b.plan, r.columns, s, k++, job.out, into);
        } else {
            fillWanted(b.fields, b.plan.readFields(), job.names, r);
            buildRecord(b.plan, b.fields, s, k++, job.out, into);
            clearRecordValues(b.fields, job.recordLevel);
        }
    }
}

// Builds the parts side by side on a pool and writes them in order; at
// most two parts per thread are in flight, so memory stays bounded
// whatever the file's size. The error that stopped it, or 0.
int buildSideBySide(const PartsJob& job, const TemplatePlan& plan, unsigned threads, SetWriter& writer) {
    std::vector<PartBuilder> builders(threads, PartBuilder{plan, job.map.fields});
    struct InFlight {
        std::shared_ptr<wl::WorkPool::Job> job;
        BuiltRecords built;
    };
    std::deque<InFlight> flight;  // its elements stay put as it grows
    std::vector<BuiltRecords> spare;  // written parts, whose rooms serve the next
    wl::WorkPool pool(threads);   // last: it finishes its tasks before the rest goes
    std::size_t next = 0;
    auto submit = [&] {
        const std::size_t i = next++;
        InFlight& f = flight.emplace_back();
        if (!spare.empty()) {
            f.built = std::move(spare.back());
            spare.pop_back();
        }
        BuiltRecords* into = &f.built;
        f.job = pool.submit([&job, &builders, i, into](unsigned thread) { buildPart(job, i, builders[thread], *into); });
    };
    const Survey& s = job.s;
    while (next < s.parts.size() && flight.size() < 2 * threads) submit();
    int error = 0;
    while (!flight.empty()) {
        pool.wait(flight.front().job);
        if (error == 0) error = flight.front().built.error;
        if (error == 0) writer.write(flight.front().built);
        flight.front().built.clear();
        spare.push_back(std::move(flight.front().built));
        flight.pop_front();
        if (next < s.parts.size() && error == 0) submit();
    }
    return error;
}

// The threads worth building with: none (this thread alone) unless the
// source is large enough to cut.
unsigned buildThreads(const X12BuildRequest& request, const Survey& s) {
    constexpr std::uint64_t kWorthThreads = std::uint64_t{4} << 20;
    if (s.parts.size() < 2 || request.threads == 1) return 0;
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(request.source, ec);
    if (request.threads == 0 && (ec || size < kWorthThreads)) return 0;
    const unsigned threads = request.threads > 0 ? request.threads : wl::WorkPool::usefulThreads(6);
    return threads > 1 ? threads : 0;
}

// The output, opened before the records are written: a new file takes the
// output's place only when complete; with "MF" the records are appended to
// an existing X12 file of this program. 0, or -1 when a merge is refused,
// or the error code.
int openOutput(OutputFile& file, const X12BuildRequest& request, RunLog& log) {
    std::error_code ec;
    const bool merging = request.merge && wl::fileExists(request.output) &&
                         std::filesystem::file_size(request.output, ec) > 0 && !ec;
    if (merging && !fitsMerge(request.output, OutputKind::X12)) {
        reportAndLog("Merge Refused : not an X12 output of this program : " + request.output, log);
        return -1;
    }
    return merging ? file.append(request.output) : file.create(request.output);
}

void reportWriteError(int error, const std::string& output, RunLog& log) {
    reportAndLog(wl::fileErrorText("FC-Create", error) + " " + output, log);
}

}  // namespace

X12BuildResult buildX12(MapFile& map, const X12BuildRequest& request, RunLog& log) {
    X12BuildResult result;
    if (!wl::fileExists(request.source)) {
        // Nothing to convert is no success: the run must say it failed.
        reportFileError("FC-Open", 2, request.source, log);
        result.failed = true;
        result.reason = "Source Not Found : " + request.source;
        return result;
    }
    // Without templates every source would give an empty envelope.
    if (map.templates.empty())
        return refuse("Map Has No Segment Templates (X12 Out Mapping), No X12 Built : " + request.mapPath, log);
    ScopedMeter meter(request.meterMode, "Creating X12 files ", "Please Stand By..");
    auto fail = [&](const std::string& text) {
        reportAndLog(text, log);
        result.failed = true;
        result.reason = text;
        meter.close();
        return result;
    };
    auto unread = [&](int error) {
        reportFileError("FC-Fread", error, request.source, log);
        result.failed = true;
        result.reason = "Source Not Read : " + request.source;
        meter.close();
        return result;
    };
    // An XML source is looked through for its line count ("ML") and its
    // envelope values before its records are read.
    EnvelopeValues envelope;
    if (request.xml) {
        if (request.multiLine) {
            ByteInput in(request.source);
            const int lines = xmlServiceLines(in);
            if (!in.ok()) return unread(in.error());
            if (!expansionFits(map.fields, lines)) return fail(expansionError(lines));
            expandServiceLines(map.fields, lines);
        }
        ByteInput in(request.source);
        if (auto v = xmlEnvelope(in)) envelope = *v;
        if (!in.ok()) return unread(in.error());
    }
    const FieldNameIndex names(map.fields);  // after the "ML" expansion

    X12Output out;
    out.crlf = request.crlf;
    // The envelope's values from the file are checked as record values are.
    if (std::string tag = envelopeWithDelimiter(envelope, out); !tag.empty())
        return fail("Envelope Refused : " + tag + " Holds an X12 Delimiter.");

    const std::vector<std::size_t> recordLevel = recordLevelFields(map.fields);
    TemplatePlan plan(map.templates, map.fields, names);
    const Carried carried(plan.readFields(), recordLevel);
    // Rows of service lines hold fewer cells than the map has fields.
    const std::vector<std::size_t> columnFields =
        !request.xml && request.lineRows ? lineRowFields(map.fields) : std::vector<std::size_t>{};
    const SurveyPlan surveyPlan(map, names, recordLevel, carried, plan.changeFields(), request, out, columnFields);
    const Survey s = survey(surveyPlan, request.partBytes > 0 ? request.partBytes : std::size_t{1} << 20);
    if (s.readError != 0) return unread(s.readError);
    if (s.titleLine) log.timed("Title Line Skipped : " + request.source);
    if (s.malformedLine > 0)
        return fail("XML Malformed : a tag is not closed at line " + std::to_string(s.malformedLine) +
                    ", No X12 Built : " + request.source);
    // A file cut short makes no output: its missing claims would go unnoticed.
    if (!s.complete) return fail("XML Incomplete : the file ends before its root element closes : " + request.source);
    // One refused record fails the run, and a failed run writes nothing: a
    // replaced or merged output missing that claim would pass unnoticed,
    // and a rerun would add the others twice.
    for (const std::string& refused : s.refused) reportAndLog(refused, log);
    if (!s.refused.empty()) {
        result.failed = true;
        result.reason = s.refused.front() + " Nothing Written : " + request.output;
        log.timed("Nothing Written (" + std::to_string(s.refused.size()) + " Record" +
                  (s.refused.size() > 1 ? "s" : "") + " Refused) : " + request.output);
        meter.close();
        return result;
    }
    if (!s.beyondMap.empty()) {
        result.problems.push_back("Values Beyond the Map's " + std::to_string(map.fields.size()) +
                                  " Fields Not Built, Records " + s.beyondMap + " : " + request.source);
        log.timed(result.problems.back());
    }
    if (!s.withoutClaim.empty()) {
        result.problems.push_back("Records Without a Claim Id Not Built : " + s.withoutClaim + " : " + request.source);
        log.timed(result.problems.back());
    }
    if (s.count() == 0) return fail("No Record in Source, No X12 Built : " + request.source);

    const std::string date = request.date.empty() ? wl::localTimeText("%Y%m%d") : request.date;
    const std::string time = request.time.empty() ? wl::localTimeText("%H%M") : request.time;
    // The completed values open and close the envelope.
    const EnvelopeValues completed = completeForOutput(completeEnvelope(envelope, map.text, recordUsage(s.first, names)), map, s.first, names);
    const std::string end = segmentEnd(out);
    const std::string E(1, out.element);
    result.records = s.count();

    OutputFile file;
    if (int error = openOutput(file, request, log); error != 0) {
        if (error > 0) reportWriteError(error, request.output, log);
        result.failed = true;
        result.reason = error > 0 ? outputFailure(error, request.output) : "Output Not Written : " + request.output;
        meter.close();
        return result;
    }
    // One interchange and group; a transaction set per run of records that
    // share their header values. Records are read, built and written in
    // turn (on one thread, or part by part on several): memory holds a few
    // parts and the output's buffer.
    file.write(interchangeHeader(map.version, out, completed, date, time));
    SetWriter writer(file, map, out, completed, s, meter);
    if (const unsigned threads = buildThreads(request, s); threads > 0) {
        const PartsJob job{request, s, map, names, carried, recordLevel, out, columnFields};
        if (int error = buildSideBySide(job, plan, threads, writer); error != 0) {
            file.abandon();
            return unread(error);
        }
    } else {
        std::size_t k = 0, index = 0;
        bool changed = false;
        BuiltRecords one;
        RecordSource source(request.source, request.xml, map.fields.size(), columnFields);
        for (Record r; k < s.count() && source.next(r); ++index) {
            if (index >= s.built.size()) break;
            if (!s.built[index]) continue;
            one.clear();
            if (s.everyField) {
                if ((changed = r.columns.size() < map.fields.size())) break;
                buildRecord(plan, r.columns, s, k, out, one);
            } else {
                fillWanted(map.fields, plan.readFields(), names, r);
                buildRecord(plan, map.fields, s, k, out, one);
                clearRecordValues(map.fields, recordLevel);
            }
            writer.write(one);
            ++k;
        }
        // The source changed between the passes: what was written is dropped.
        if (changed || k < s.count() || source.input().error() != 0) {
            file.abandon();
            return unread(source.input().error() != 0 ? source.input().error() : 30);
        }
    }
    const std::size_t sets = writer.sets();
    file.write("GE" + E + std::to_string(sets) + E + wl::alltrim(completed.gs06) + end);
    file.write("IEA" + E + "1" + E + completed.isa13 + end);
    if (sets > 1) log.timed("Transaction Sets Written : " + std::to_string(sets));
    if (int error = file.commit(); error != 0) {
        reportWriteError(error, request.output, log);
        result.failed = true;
        result.reason = outputFailure(error, request.output);
    }
    meter.close();
    return result;
}

DirectionResult convertToX12(const EngineRequest& request, MapFile& map, const std::string& mapPath, RunLog& log) {
    X12BuildRequest b;
    b.xml = request.type && infoOf(*request.type).xml;
    b.source = request.spec.sourceFile;
    b.output = request.spec.destinationFile;
    b.mapPath = mapPath;
    b.crlf = request.options.crlf;
    b.multiLine = request.options.multiLine;
    b.lineRows = request.options.lineMode || request.options.multiLine;
    b.merge = request.options.merge;
    b.meterMode = request.meterMode;
    b.threads = request.threads;
    b.partBytes = request.partBytes;
    X12BuildResult built = buildX12(map, b, log);
    DirectionResult result;
    result.complete = !built.failed;
    result.problems = std::move(built.problems);
    result.failure = std::move(built.reason);
    return result;
}

}  // namespace zr
