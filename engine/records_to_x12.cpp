#include "records_to_x12.hpp"

#include <algorithm>
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

namespace zr {

namespace {

void fillRecord(std::vector<FieldRow>& fields, const FieldNameIndex& names, const SourceRecord& r) {
    for (std::size_t i = 0; i < r.columns.size() && i < fields.size(); ++i) fields[i].value = r.columns[i];
    for (const auto& [name, value] : r.byName)
        if (FieldRow* f = names.find(fields, name)) f->value = value;
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
                               const SourceRecord& r, const X12Output& out) {
    auto breaks = [&](const std::string& value) {
        for (char c : value)
            if (c == out.terminator || c == out.element || c == '^') return true;
        return false;
    };
    auto unsafe = [&](std::string_view name, const std::string& value) {
        return (breaks(value) && written.written(name)) ||
               (value.find(out.component) != std::string::npos && written.component(name));
    };
    for (std::size_t i = 0; i < r.columns.size() && i < fields.size(); ++i)
        if (unsafe(fields[i].name, r.columns[i])) return wl::alltrim(fields[i].name);
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
        for (std::size_t i = 1; i < t.size(); ++i) referencedNames(t[i], referenced);
    }
    std::vector<const FieldRow*> out;
    for (const std::string& n : referenced)
        if (const FieldRow* f = names.find(fields, n); f && std::find(out.begin(), out.end(), f) == out.end())
            out.push_back(f);
    return out;
}

// A CSV first line that holds the map's titles is the title line ("HO"),
// not a record: column by column the description, or else the name, of
// each named field, exactly as the title line writes them.
bool isTitleLine(const SourceRecord& r, const std::vector<FieldRow>& fields) {
    std::vector<std::string> titles;
    for (const FieldRow& f : fields)
        if (!wl::alltrim(f.name).empty()) titles.push_back(wl::alltrim(f.description).empty() ? wl::alltrim(f.name) : wl::alltrim(f.description));
    const std::size_t n = std::min(titles.size(), r.columns.size());
    if (n == 0 || wl::alltrim(r.columns.front()).empty()) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (wl::alltrim(r.columns[i]) != titles[i]) return false;
    return true;
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
    RecordSource(const std::string& path, bool xml) : in_(path) {
        if (xml) xml_.emplace(in_);
        else csv_.emplace(in_);
    }
    bool next(SourceRecord& r) { return xml_ ? xml_->next(r) : csv_->next(r); }
    bool complete() const { return !xml_ || xml_->complete(); }
    int malformedLine() const { return xml_ ? xml_->malformedLine() : 0; }
    const ByteInput& input() const { return in_; }

private:
    ByteInput in_;
    std::optional<CsvReader> csv_;
    std::optional<XmlReader> xml_;
};

// What the first pass learns of the records, so that the second writes
// them in one go: which records are built, where a transaction set
// starts, and the fields of the first record built (for the envelope).
// Two bits per record whatever the file's size.
struct Survey {
    std::vector<bool> built;   // per record read (the title line included)
    std::vector<bool> opens;   // per record built: a new set starts with it
    std::vector<FieldRow> first;
    bool titleLine = false;
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
bool valuesBeyond(const std::vector<std::string>& columns, std::size_t fields) {
    for (std::size_t i = fields; i < columns.size(); ++i)
        if (!wl::alltrim(columns[i]).empty()) return true;
    return false;
}

Survey survey(const MapFile& map, const FieldNameIndex& names, const std::vector<std::size_t>& recordLevel,
              const X12BuildRequest& request, const X12Output& out) {
    Survey s;
    RecordSource source(request.source, request.xml);
    // A value carrying a delimiter would add elements or segments of its
    // own: its record is refused. A claim map's record without a claim id
    // holds no claim (a row of header values only): built, it would be a
    // made-up claim. Each check fills its own copy of the fields, as values
    // of the levels above 0 carry from record to record.
    const WrittenFields written(map.templates);
    const int claimId = claimIdField(map.fields);
    std::vector<FieldRow> claimFields = map.fields, headFields = map.fields;
    const std::vector<const FieldRow*> header = headerFields(map, headFields, names);
    std::vector<std::string> previous;
    std::size_t number = 0, accepted = 0;
    for (SourceRecord r; source.next(r);) {
        // A CSV first line that holds the map's titles is the title line ("HO").
        if (!request.xml && s.built.empty() && isTitleLine(r, map.fields)) {
            s.titleLine = true;
            s.built.push_back(false);
            continue;
        }
        ++number;
        if (std::string field = fieldWithDelimiter(map.fields, written, r, out); !field.empty()) {
            s.refused.push_back("Record " + std::to_string(number) + " Refused : Field " + field +
                                " Holds an X12 Delimiter.");
            s.built.push_back(false);
            continue;
        }
        ++accepted;
        if (valuesBeyond(r.columns, map.fields.size()))
            s.beyondMap += (s.beyondMap.empty() ? "" : ", ") + std::to_string(accepted);
        if (claimId >= 0) {
            fillRecord(claimFields, names, r);
            const bool none = wl::alltrim(claimFields[static_cast<std::size_t>(claimId)].value).empty();
            clearRecordValues(claimFields, recordLevel);
            if (none) {
                s.withoutClaim += (s.withoutClaim.empty() ? "" : ", ") + std::to_string(accepted);
                s.built.push_back(false);
                continue;
            }
        }
        s.built.push_back(true);
        // The header values of each record: a change starts a new set.
        fillRecord(headFields, names, r);
        std::vector<std::string> values;
        for (const FieldRow* f : header) values.push_back(wl::alltrim(f->value));
        s.opens.push_back(s.opens.empty() || values != previous);
        previous = std::move(values);
        if (s.opens.size() == 1) s.first = headFields;
        clearRecordValues(headFields, recordLevel);
    }
    s.complete = source.complete();
    s.malformedLine = source.malformedLine();
    s.readError = source.input().error();
    return s;
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
    const Survey s = survey(map, names, recordLevel, request, out);
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
    const EnvelopeValues completed = completeForOutput(completeEnvelope(envelope, map.text), map, s.first, names);
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
    // share their header values. Each record is read, built and written in
    // turn: memory holds one record and the output's buffer.
    file.write(interchangeHeader(map.version, out, completed, date, time));
    std::size_t sets = 0, inSet = 0, k = 0, index = 0;
    std::string st02;
    TemplateRunState state;
    TemplatePlan plan(map.templates, map.fields, names);
    std::string text;  // one record's segments, reused
    RecordSource source(request.source, request.xml);
    for (SourceRecord r; k < s.count() && source.next(r); ++index) {
        if (index >= s.built.size()) break;
        if (!s.built[index]) continue;
        const bool closes = k + 1 == s.count() || s.opens[k + 1];
        if (s.opens[k]) {
            ++sets;
            inSet = 0;
            state = TemplateRunState{};  // HL numbers start again in each set
            st02 = setControlNumber(completed.st02, sets);
            file.write(setHeader(map.transactionType, out, st02, completed.st03));
        }
        ++inSet;
        fillRecord(map.fields, names, r);
        // Level 1 with the set's first record, level 4 with its last.
        text.clear();
        plan.build(text, map.fields, closes ? inSet : 0, inSet, out, state);
        file.write(text);
        clearRecordValues(map.fields, recordLevel);
        if (closes) file.write("SE" + E + std::to_string(state.segments + 2) + E + st02 + end);
        ++k;
        const double percent = 100.0 * static_cast<double>(k) / static_cast<double>(s.count());
        meter.set(percent);
    }
    // The source changed between the passes: what was written is dropped.
    if (k < s.count() || source.input().error() != 0) {
        file.abandon();
        return unread(source.input().error() != 0 ? source.input().error() : 30);
    }
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
    b.merge = request.options.merge;
    b.meterMode = request.meterMode;
    X12BuildResult built = buildX12(map, b, log);
    DirectionResult result;
    result.complete = !built.failed;
    result.problems = std::move(built.problems);
    result.failure = std::move(built.reason);
    return result;
}

}  // namespace zr
