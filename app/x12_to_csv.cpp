#include "x12_to_csv.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "engine_common.hpp"
#include "field_table.hpp"
#include "file_io.hpp"
#include "function_files.hpp"
#include "map_choice.hpp"
#include "messages.hpp"
#include "output_file.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "record_writer.hpp"
#include "records_to_x12.hpp"
#include "segment_scan.hpp"
#include "text.hpp"

namespace zr {

namespace fs = std::filesystem;

namespace {

char firstOr(const std::string& s, char fallback) { return s.empty() ? fallback : s[0]; }

// A segment id of up to seven bytes as one number, with its length: the
// exact tests of every segment's id become integer compares. Longer ids
// get a number no short id has.
constexpr std::uint64_t idTag(std::string_view id) {
    if (id.size() > 7) return ~std::uint64_t{0};
    std::uint64_t tag = static_cast<std::uint64_t>(id.size()) << 56;
    for (std::size_t i = 0; i < id.size(); ++i) tag |= static_cast<std::uint64_t>(static_cast<unsigned char>(id[i])) << (8 * i);
    return tag;
}

// The source, opened for reading in blocks; a failure is shown and logged.
bool openSource(SegmentSource& source, const std::string& path, RunLog& log) {
    if (source.open(path) == 0) return true;
    reportFileError(source.step(), source.error(), path, log);
    return false;
}

// ---------------------------------------------------------------------------
// Keys

// A key list read once: item 1 and the further items.
struct Key {
    std::string id;                    // item 1
    std::vector<std::string> further;  // items 2.. (item k asks element k-1)
    int lastNonEmpty = -1;             // index into `further`

    explicit Key(const std::vector<std::string>& items) {
        if (!items.empty()) id = items[0];
        for (std::size_t i = 1; i < items.size(); ++i) {
            further.push_back(items[i]);
            if (!items[i].empty()) lastNonEmpty = static_cast<int>(i - 1);
        }
    }
    // Item 1 begins with the segment's id.
    bool matches(std::string_view segmentId) const { return beginsWith(id, segmentId); }
    // Further item i (0-based) begins with its element's text.
    bool satisfied(std::size_t i, SegmentView& s) const {
        return beginsWith(further[i], s.element(static_cast<int>(i) + 1));
    }
};

// ---------------------------------------------------------------------------
// The progress meter: set whenever the whole percentage changes

class MeterFeed {
public:
    MeterFeed(std::optional<int> mode, std::size_t size)
        : mode_(mode && (*mode == 0 || *mode == 2) ? *mode : kNone), size_(size) {
        next_ = mode_ != kNone && size_ > 0 ? positionOf(1) : kNever;
    }
    void open(const std::string& source) {
        if (mode_ == 0) window_ = CTL394MTRA(MeterWindow{}, "Loading File " + source, "Please Wait..");
    }
    // All bytes up to `position` (1-based) are handled.
    void advance(std::uint64_t position) {
        while (position >= next_) {
            const double value = static_cast<double>(next_) * 100.0 / static_cast<double>(size_);
            shown_ = next_ * 100 / size_;
            if (mode_ == 0) CTL394MTRC(value);
            else CTL394MTRE(value);
            next_ = shown_ < 100 ? positionOf(shown_ + 1) : kNever;
        }
    }
    void close() {
        if (mode_ == 0) CTL394MTRB(window_);
    }

private:
    static constexpr int kNone = -1;
    static constexpr std::uint64_t kNever = ~std::uint64_t{0};
    // The first position whose whole percentage reaches `percent`.
    std::uint64_t positionOf(std::uint64_t percent) const { return (percent * size_ + 99) / 100; }

    int mode_;  // 0 our meter, 2 the caller's, kNone
    std::uint64_t size_;
    std::uint64_t shown_ = 0;
    std::uint64_t next_ = kNever;
    MeterWindow window_;
};

// ---------------------------------------------------------------------------
// One conversion

class Conversion {
public:
    Conversion(const EngineRequest& request, RunLog& log, DebugTrace& trace)
        : request_(request), log_(log), trace_(trace) {}

    // Answers whether the output is complete.
    bool run(MapFile& map);
    int highestLine() const { return highest_; }
    // What went wrong in a run that still wrote its output (lines that
    // found no field, a source cut short, nothing extracted).
    const std::vector<std::string>& problems() const { return problems_; }
    // Why the run failed ("" when it did not).
    const std::string& failure() const { return failure_; }

private:
    void readDelimiters();
    // The multi-line expansion and the table; false when the expansion is refused.
    bool prepare(MapFile& map);
    bool openOutput();
    bool scan(SegmentSource& source);
    void handleSegment(std::string_view text);
    void collect(int line);
    void writeRecord();
    // Claims and patient loops within one document (below).
    void nextClaim();
    void nextPatientLoop();
    void endLoops() {
        claimSeen_ = false;
        patientSeen_ = false;
    }
    void noteLostLines();
    void checkEnd();
    void traceSegment();
    void traceLine(std::string_view text) {
        if (trace_.open()) trace_.counted(text);
    }

    const EngineRequest& request_;
    RunLog& log_;
    DebugTrace& trace_;
    std::string source_;
    std::string output_;
    OutputForm form_;
    X12Delimiters delimiters_;
    char element_ = '*';
    char component_ = ':';
    FieldTable table_;
    std::optional<RecordWriter> writer_;
    OutputFile out_;
    std::optional<Key> header_, record_, document_, line_, trailer_;
    std::uint64_t documentTag_ = 0;
    SegmentView segment_;
    SegmentHistory history_;
    int documentState_ = 0;
    int lineNumber_ = 0;
    int highest_ = 0;
    bool inSet_ = false;
    std::size_t segmentCount_ = 0;
    // A document may hold several claims (several document-key segments,
    // CLM under one subscriber or patient HL): each is a record, and the
    // values collected before the first claim of the loop are carried into
    // each. A further patient HL starts again from the values before the
    // first patient loop.
    bool claimSeen_ = false;
    bool patientSeen_ = false;
    FieldTable::Snapshot beforeClaim_, beforePatient_;
    // Service lines met in the current record against the line slots of
    // the map; the claim id for the report.
    int lineSlots_ = 0;
    int recordLines_ = 0;
    // The field of the claim id (CLM01 or CLP01), and whether the record met
    // a claim segment: a claim whose id was not collected (the map's
    // conditions found no loop above it) is lost, and said so.
    int claimIdField_ = -1;
    bool claimMet_ = false;
    std::vector<std::string> lostClaims_;
    std::string claimId_;
    std::vector<std::string> lostLines_;
    std::size_t records_ = 0;
    std::size_t setContent_ = 0;  // segments inside sets other than ST and SE
    bool inGroup_ = false, inInterchange_ = false;
    std::vector<std::string> problems_;
    std::string failure_;
    // A failure shown and logged; answers false for the caller to return.
    bool fail(const std::string& text) {
        wl::WQOUT({text});
        log_.timed(text);
        failure_ = text;
        return false;
    }
};

void Conversion::readDelimiters() {
    // No ISA: the initial delimiters stay; a file that is not X12 is never
    // read at arbitrary offsets.
    delimiters_ = X12Delimiters{"~", "*", ":"};
    std::optional<std::int64_t> located = CTL39400AJ(source_);
    if (located) delimiters_ = zr::readDelimiters(source_, *located + 1);
    element_ = firstOr(delimiters_.element, '*');
    component_ = firstOr(delimiters_.component, ':');
    if (trace_.on()) {
        trace_.line("- SLP = " + (located ? std::to_string(*located + 1) : std::string("")));
        trace_.line("- ST = " + delimiters_.terminator);
        trace_.line("- DS = " + delimiters_.element);
        trace_.line("- XS = " + delimiters_.component);
    }
}

bool Conversion::openOutput() {
    std::error_code ec;
    const bool merging = request_.options.merge && wl::fileExists(output_) && fs::file_size(output_, ec) > 0 && !ec;
    if (merging && !fitsMerge(output_, form_.xml ? OutputKind::Xml : OutputKind::Csv)) {
        // Appending would cut or mix a file this program did not write.
        const std::string text = std::string("Merge Refused : not an ") + (form_.xml ? "XML" : "CSV") +
                                 " output of this program : " + output_;
        wl::WQOUT({text});
        log_.timed(text);
        return false;
    }
    int error = 0;
    if (merging) {
        // The old closing tag goes, so the merged file ends with one.
        error = out_.append(output_, form_.xml ? std::string_view("</EXPORTDATA>") : std::string_view());
    } else {
        error = out_.create(output_);
    }
    if (error != 0) {
        reportFileError("FC-Create", error, output_, log_);
        return false;
    }
    if (merging) return true;
    if (form_.xml) out_.write(kXmlHead);
    else if (request_.options.header) out_.write(csvTitleLine(table_, form_.lineMode));
    return true;
}

bool Conversion::prepare(MapFile& map) {
    if (request_.options.multiLine) {
        // A first pass over the source finds the most service lines.
        SegmentSource first;
        if (!openSource(first, source_, log_)) return false;
        const int lines = countServiceLines(first, delimiters_, map.keys);
        if (first.error() != 0) {
            reportFileError(first.step(), first.error(), source_, log_);
            return false;
        }
        if (!expansionFits(map.fields, lines)) {
            const std::string text = expansionError(lines);
            wl::WQOUT({text});
            log_.timed(text);
            failure_ = "ML Expansion Refused";
            return false;
        }
        expandServiceLines(map.fields, lines);
        map.fieldNames.clear();
        map.fieldSegments.clear();
        for (const FieldRow& f : map.fields) {
            map.fieldNames.push_back(f.name);
            map.fieldSegments.push_back(f.segment);
        }
    }
    table_ = FieldTable(map.fields);
    for (const FieldRow& f : map.fields) lineSlots_ = std::max(lineSlots_, mapNumber(f.serviceLine));
    for (std::size_t f = 0; f < map.fields.size() && claimIdField_ < 0; ++f) {
        const std::string seg = wl::alltrim(map.fields[f].segment);
        if ((seg == "CLM" || seg == "CLP") && mapNumber(map.fields[f].elementPosition) == 1 &&
            mapNumber(map.fields[f].subelementPosition) == 0)
            claimIdField_ = static_cast<int>(f);
    }
    if (trace_.on()) {
        trace_.line("- TA = " + std::to_string(table_.size()));
        for (std::size_t f = 0; f < table_.size(); ++f)
            trace_.line("- Field" + std::to_string(f + 1) + " = " + table_.rows[f].name + " --cond " +
                        table_.rows[f].conditionField);
    }
    writer_.emplace(table_, form_);
    return true;
}

bool Conversion::scan(SegmentSource& source) {
    MeterFeed meter(request_.meterMode, source.size());
    meter.open(source_);
    const int error = source.forEachSegment(
        firstOr(delimiters_.terminator, '~'),
        [&](std::string_view text, std::uint64_t end) {
            meter.advance(end + 1);
            handleSegment(text);
        },
        [&] {
            // The values and the history are views into the block: they
            // are kept as copies before the next block replaces it.
            table_.ownViews();
            FieldTable::ownViews(beforeClaim_);
            FieldTable::ownViews(beforePatient_);
            history_.own();
        });
    meter.advance(source.size());
    // A set not closed by SE still gives its last record.
    if (error == 0 && inSet_) writeRecord();
    meter.close();
    if (error != 0) reportFileError(source.step(), error, source_, log_);
    return error == 0;
}

bool Conversion::run(MapFile& map) {
    source_ = request_.spec.sourceFile;
    output_ = request_.spec.destinationFile;
    form_.xml = request_.type == ConversionType::X12ToXml;
    form_.lineMode = request_.options.multiLine || request_.options.lineMode;
    if (trace_.on()) {
        trace_.line("- Parse Type = " + request_.spec.parseType);
        trace_.line("- Source File = " + source_);
    }
    readDelimiters();
    header_.emplace(map.keys.header);
    record_.emplace(map.keys.record);
    document_.emplace(map.keys.document);
    documentTag_ = idTag(document_->id);
    line_.emplace(map.keys.line);
    trailer_.emplace(map.keys.trailer);

    // A source without an ISA header is no X12: nothing is written for it
    // (one that cannot be read at all is reported as such below).
    if (wl::fileExists(source_) && !CTL39400AJ(source_))
        return fail("Source Is Not X12 (no ISA header), Nothing Written : " + source_);
    // A map without fields (an empty map, or one whose lines do not end in
    // CR) can extract nothing.
    if (map.fields.empty()) return fail("Map Holds No Fields (empty, or its lines do not end in CR), Nothing Written");
    // A source that could not be read whole makes no output: an earlier
    // output of that name is worth more than an empty or partial one.
    SegmentSource source;
    if (!openSource(source, source_, log_)) {
        failure_ = "Source Not Read : " + source_;
        return false;
    }
    if (!prepare(map)) {
        failure_ = failure_.empty() ? "Source Not Read : " + source_ : failure_;
        return false;
    }
    if (!form_.xml) {
        log_.timed("Source : " + source_);
        log_.timed("Destination : " + output_);
    }
    if (!openOutput()) {
        failure_ = "Output Not Created : " + output_;
        return false;
    }
    fillFileNames(table_, source_, output_);
    FunctionFiles::shared().beginRun();
    if (!scan(source)) {
        out_.abandon();
        failure_ = "Source Not Read : " + source_;
        return false;
    }
    checkEnd();
    if (records_ == 0 && setContent_ > 0) {
        // Claims in the source and none out: the map does not fit it.
        out_.abandon();
        return fail("No Record Extracted (the map does not fit the source), Nothing Written : " + source_);
    }
    if (!writer_->replacedIn().empty())
        log_.timed("XML Control Character Replaced : Field " + writer_->replacedIn());
    if (form_.xml) out_.write(kXmlEnd);
    if (int error = out_.commit(); error != 0) {
        reportFileError("FC-Fwrite", error, output_, log_);
        failure_ = "Output Not Written : " + output_;
        return false;
    }
    return true;
}

void Conversion::traceSegment() {
    traceLine("-------------------------------- Segment " + std::to_string(segmentCount_));
    traceLine("- Segment Buffer = " + std::string(DebugTrace::cut(segment_.text())));
    for (int i = 0; i < SegmentHistory::kSize; ++i)
        traceLine("- pba[" + std::to_string(i + 1) + "]=" + std::string(DebugTrace::cut(history_.entry(i))));
}

void Conversion::collect(int line) {
    CollectContext c{segment_, history_, element_, component_, line, trace_.open() ? &trace_ : nullptr, nullptr};
    CTL48400B(table_, c);
}

void Conversion::writeRecord() {
    if (claimMet_ && claimIdField_ >= 0 && !table_.hasValue(claimIdField_)) lostClaims_.push_back(claimId_);
    claimMet_ = false;
    if (writer_->write(table_, out_.buffer())) {
        ++records_;
        noteLostLines();
        out_.flushIfFull();
    }
    recordLines_ = 0;
}

// Lines past the map's slots found no field: said, never silently lost.
void Conversion::noteLostLines() {
    if (lineSlots_ <= 0 || recordLines_ <= lineSlots_) return;
    lostLines_.push_back("Claim " + claimId_ + " : " + std::to_string(recordLines_) + " Service Lines, Map Holds " +
                         std::to_string(lineSlots_));
}

void Conversion::nextClaim() {
    if (!claimSeen_) {
        beforeClaim_ = table_.snapshot();
        claimSeen_ = true;
        return;
    }
    writeRecord();
    table_.restore(beforeClaim_);
    lineNumber_ = 0;
}

void Conversion::nextPatientLoop() {
    if (!patientSeen_) {
        beforePatient_ = claimSeen_ ? beforeClaim_ : table_.snapshot();
        patientSeen_ = true;
    }
    if (claimSeen_) {
        writeRecord();
        table_.restore(beforePatient_);
        lineNumber_ = 0;
    }
    claimSeen_ = false;
}

// The end of the source: sets, groups or interchanges left open mean the
// file was cut short; lines that found no field are listed.
void Conversion::checkEnd() {
    if (inSet_) problems_.push_back("Source Ends Inside a Transaction Set (no SE) : " + source_);
    else if (inGroup_ || inInterchange_) problems_.push_back("Source Ends Without GE/IEA : " + source_);
    if (!lostClaims_.empty()) {
        problems_.push_back("Claims Not Collected : " + std::to_string(lostClaims_.size()) +
                            " (the map's conditions found no loop above them, e.g. no subscriber id) : " + source_);
        for (const std::string& c : lostClaims_) problems_.push_back("   Claim " + c);
    }
    if (!lostLines_.empty()) {
        problems_.push_back("Service Lines Lost : " + std::to_string(lostLines_.size()) +
                            " Claims Have More Service Lines Than the Map : " + source_);
        for (const std::string& l : lostLines_) problems_.push_back("   " + l);
        problems_.push_back("   Use the option ML (line mode with a column set for every service line) to keep every line.");
    }
    for (const std::string& p : problems_) log_.timed(p);
}

void Conversion::handleSegment(std::string_view text) {
    segment_.reset(text, element_);
    const std::string_view id = segment_.id();
    const std::uint64_t tag = idTag(id);
    // Two terminators in a row (or a segment without an id) carry nothing:
    // an empty id would match every key and every field.
    if (id.empty()) return;
    ++segmentCount_;
    history_.push(text);
    const bool tracing = trace_.open();
    if (tracing) traceSegment();

    if (header_->matches(id) &&
        (header_->further.empty() ||
         (header_->lastNonEmpty >= 0 && header_->satisfied(static_cast<std::size_t>(header_->lastNonEmpty), segment_)))) {
        if (tracing) traceLine("- Key Header Field Array Match A = " + std::string(id));
        if (documentState_ != 0) {
            writeRecord();
            documentState_ = 0;
            lineNumber_ = 0;
        }
        endLoops();
        table_.clearLevel(2);
    }
    if (trailer_->matches(id)) {
        if (tracing) traceLine("- Key Trailer Field Array Match = " + std::string(id));
        writeRecord();
        documentState_ = 0;
        lineNumber_ = 0;
        endLoops();
    }
    bool opened = false;
    if (record_->matches(id)) {
        int steps = 0;
        if (record_->further.empty()) steps = 1;
        for (std::size_t i = 0; i < record_->further.size(); ++i)
            if (!record_->further[i].empty() && record_->satisfied(i, segment_)) ++steps;
        opened = steps > 0;
        for (int s = 0; s < steps; ++s) {
            const int before = documentState_;
            if (documentState_ < 2) ++documentState_;
            if (tracing)
                traceLine("- Key Field Array Claim Control Set = " + std::to_string(before) + " to " +
                          std::to_string(documentState_));
        }
    }
    if (tracing && document_->matches(id)) traceLine("- Key Doc Field Array Match = " + std::string(id));
    if (documentState_ == 1 && !opened && !document_->id.empty()) {
        if (tag == documentTag_ && id == document_->id) {
            nextClaim();
        } else if (tag == idTag("HL") && segment_.element(3) == "23") {
            nextPatientLoop();
        }
    }
    if (line_->matches(id)) {
        ++lineNumber_;
        if (lineNumber_ > highest_) highest_ = lineNumber_;
        if (lineNumber_ > recordLines_) recordLines_ = lineNumber_;
        if (tracing) traceLine("- Key Line Field Array Match = " + std::to_string(lineNumber_));
    }

    if (documentState_ == 1) {
        collect(lineNumber_);
        history_.push(text);
    } else if (documentState_ == 2) {
        lineNumber_ = 0;
        writeRecord();
        endLoops();
        documentState_ = 1;
        collect(0);
    } else {
        collect(0);
    }

    // The claim's id for reports: a claim segment's, else the record key's
    // (taken once the record before it is written).
    if (tag == idTag("CLM") || tag == idTag("CLP")) {
        claimId_ = std::string(segment_.element(1));
        claimMet_ = true;
    } else if (opened && document_->id.empty()) {
        claimId_ = std::string(segment_.element(1));
    }

    // ST and SE by their exact ids: "STC" of a 277 is no set header.
    if (tag == idTag("ST")) {
        lineNumber_ = 0;
        inSet_ = true;
    } else if (tag == idTag("SE")) {
        inSet_ = false;
        lineNumber_ = 0;
        writeRecord();
        endLoops();
        table_.clearAll();
        // The file names belong to every record of the run, not to one set.
        fillFileNames(table_, source_, output_);
        documentState_ = 0;
        if (tracing) traceLine("- SE Table Clear ");
    } else if (tag == idTag("ISA")) {
        inInterchange_ = true;
    } else if (tag == idTag("IEA")) {
        inInterchange_ = false;
    } else if (tag == idTag("GS")) {
        inGroup_ = true;
    } else if (tag == idTag("GE")) {
        inGroup_ = false;
    } else if (inSet_) {
        ++setContent_;
    }
}

}  // namespace

namespace {
// The count over any walk of segments.
template <class Walk>
int countLines(Walk&& walk, const X12Delimiters& delimiters, const MapKeys& keys) {
    const Key record(keys.record);
    const Key line(keys.line);
    const char element = firstOr(delimiters.element, '*');
    int count = 0, most = 0;
    SegmentView s;
    walk(firstOr(delimiters.terminator, '~'), [&](std::string_view text) {
        s.reset(text, element);
        if (s.id().empty()) return;
        if (record.matches(s.id())) count = 0;
        if (line.matches(s.id()) && ++count > most) most = count;
    });
    return most;
}
}  // namespace

int countServiceLines(std::string& bytes, const X12Delimiters& delimiters, const MapKeys& keys) {
    return countLines(
        [&](char terminator, auto&& onSegment) {
            forEachSegment(bytes, terminator, [&](std::string_view text, std::size_t) { onSegment(text); });
        },
        delimiters, keys);
}

int countServiceLines(SegmentSource& source, const X12Delimiters& delimiters, const MapKeys& keys) {
    return countLines(
        [&](char terminator, auto&& onSegment) {
            source.forEachSegment(terminator, [&](std::string_view text, std::uint64_t) { onSegment(text); }, [] {});
        },
        delimiters, keys);
}

DirectionResult convertFromX12(const EngineRequest& request, MapFile& map, RunLog& log, DebugTrace& trace) {
    Conversion conversion(request, log, trace);
    DirectionResult result;
    result.complete = conversion.run(map);
    result.highestLine = conversion.highestLine();
    result.problems = conversion.problems();
    result.failure = conversion.failure();
    return result;
}

}  // namespace zr
