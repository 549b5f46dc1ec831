#include "x12_to_csv.hpp"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
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
#include "record_collector.hpp"
#include "set_chunks.hpp"
#include "text.hpp"
#include "work_pool.hpp"

namespace zr {

namespace fs = std::filesystem;

namespace {

char firstOr(const std::string& s, char fallback) { return s.empty() ? fallback : s[0]; }

// What the parts of a run side by side may hold at once, input and output.
constexpr std::size_t kPartsBudget = std::size_t{24} << 20;

// The source, opened for reading in parts; a failure is shown and logged.
bool openSource(ChunkReader& source, const std::string& path, RunLog& log) {
    if (source.open(path) == 0) return true;
    reportFileError(source.step(), source.error(), path, log);
    return false;
}

// ---------------------------------------------------------------------------
// The progress meter: set whenever the whole percentage changes

class MeterFeed {
public:
    MeterFeed(MeterMode mode, std::size_t size) : mode_(mode), size_(size) {
        next_ = mode_ != MeterMode::None && size_ > 0 ? positionOf(1) : kNever;
    }
    void open(const std::string& source) { meter_.emplace(mode_, "Loading File " + source, "Please Wait.."); }
    // All bytes up to `position` (1-based) are handled.
    void advance(std::uint64_t position) {
        while (position >= next_) {
            const double value = static_cast<double>(next_) * 100.0 / static_cast<double>(size_);
            shown_ = next_ * 100 / size_;
            if (meter_) meter_->set(value);
            next_ = shown_ < 100 ? positionOf(shown_ + 1) : kNever;
        }
    }
    void close() { meter_.reset(); }

private:
    static constexpr std::uint64_t kNever = ~std::uint64_t{0};
    // The first position whose whole percentage reaches `percent`.
    std::uint64_t positionOf(std::uint64_t percent) const { return (percent * size_ + 99) / 100; }

    MeterMode mode_;
    std::uint64_t size_;
    std::uint64_t shown_ = 0;
    std::uint64_t next_ = kNever;
    std::optional<ScopedMeter> meter_;
};

// ---------------------------------------------------------------------------
// One conversion

// A part of the source converted on a thread of the pool, with what the
// conversion needs of it afterwards.
struct Part {
    SourceChunk chunk;
    ByteBuffer output;
    CollectTally tally;
    SetEndState end;
    int pushes = 0;
    bool claimIdSet = false;
    bool readUnknown = false;
    std::string replacedIn;
    std::shared_ptr<wl::WorkPool::Job> job;
    // The most output the part held when last converted (measured once its
    // job is done): what its output buffer has touched.
    std::size_t outputPeak = 0;
};

// The parts of a run in flight: converted on the pool, then written in
// order by a thread of their own; their buffers serve the next parts. The
// threads go first (finishing their tasks), then the parts they use.
struct PartFlow {
    // One per thread of the pool, made by that thread on its first part.
    std::vector<std::optional<RecordCollector>> collectors;
    std::deque<std::unique_ptr<Part>> converting, writing;
    std::vector<std::unique_ptr<Part>> spare;
    std::size_t limit = 0;        // parts alive at most
    std::size_t outputBytes = 0;  // the room of a part's output
    // The bytes the parts alive may hold, input and output: parts reach on
    // to their set's end, so a source of sets of a few megabytes makes
    // large parts, and their count alone would not bound the memory.
    std::size_t budget = 0;
    std::size_t growth = 4;  // output bytes per input byte, until parts are measured
    std::uint64_t inputDone = 0, outputDone = 0;  // of the parts converted so far
    std::optional<wl::WorkPool> pool, writer;

    std::size_t alive() const { return converting.size() + writing.size() + spare.size(); }
    void measured(const Part& p) {
        inputDone += p.chunk.size;
        outputDone += p.output.size();
    }
    // The output a part being converted will reach, from what the parts
    // before it gave.
    std::size_t expectedOutput(const Part& p) const {
        if (inputDone == 0) return p.chunk.size * growth;
        return static_cast<std::size_t>(static_cast<double>(p.chunk.size) * static_cast<double>(outputDone) /
                                        static_cast<double>(inputDone)) + 1;
    }
    std::size_t held() const {
        std::size_t bytes = 0;
        for (const auto& p : converting) bytes += p->chunk.capacity + std::max(p->outputPeak, expectedOutput(*p));
        for (const auto& p : writing) bytes += p->chunk.capacity + p->outputPeak;
        for (const auto& p : spare) bytes += p->chunk.capacity + p->outputPeak;
        return bytes;
    }
};

class Conversion {
public:
    Conversion(const EngineRequest& request, RunLog& log, DebugTrace& trace)
        : request_(request), log_(log), trace_(trace) {}

    // Answers whether the output is complete.
    bool run(MapFile& map);
    int highestLine() const { return tally_.highestLine; }
    // What went wrong in a run that still wrote its output (lines that
    // found no field, a source cut short, nothing extracted).
    const std::vector<std::string>& problems() const { return problems_; }
    // Why the run failed ("" when it did not).
    const std::string& failure() const { return failure_; }

private:
    // From the reader's head when it is open (one open serves both), else
    // from the file.
    void readDelimiters(ChunkReader* opened);
    // The multi-line expansion and the table; false when the expansion is refused.
    bool prepare(MapFile& map);
    void chooseRecordKey(const MapFile& map);
    bool openOutput();
    bool wholeIsaHeader() const;
    bool terminatorAfterIsa() const;
    unsigned threadsFor(std::uint64_t sourceSize) const;
    std::size_t partBytes(std::uint64_t sourceSize) const;
    bool scan(ChunkReader& reader);
    void runHere(SourceChunk& chunk, MeterFeed& meter);
    void completeFront(PartFlow& flow, MeterFeed& meter);
    void finishWrites(PartFlow& flow);
    std::unique_ptr<Part> takePart(PartFlow& flow, MeterFeed& meter);
    void convertApart(Part& part, RecordCollector& collector);
    void handleTail(char* text, std::size_t size);
    void restart();
    void checkEnd();

    const EngineRequest& request_;
    RunLog& log_;
    DebugTrace& trace_;
    std::string source_;
    std::string output_;
    OutputForm form_;
    X12Delimiters delimiters_;
    WalkDelimiters walk_;                // those of the first interchange
    WalkDelimiters current_;             // those of the interchange being read, alone
    // Side by side, a part met an interchange with delimiters of its own:
    // the parts after it were cut with the wrong terminator, so the source
    // is converted again on this thread alone.
    std::atomic<bool> mixedDelimiters_{false};
    ChunkReader* reader_ = nullptr;
    SourceHead head_;                    // read once: size, ISA and delimiters
    std::optional<std::int64_t> isaAt_;  // where the source's ISA stands
    unsigned threads_ = 0;               // converting sets side by side
    char element_ = '*';
    char component_ = ':';
    FunctionFiles functions_;  // this run's function files, shared by its threads
    CollectorSetup setup_;
    FieldTable table_;  // as prepared; the model of every collector (moved into main_ when alone)
    std::optional<RecordCollector> main_;
    OutputFile out_;
    // The parts done so far: what they add up to, and the state at the end
    // of the last when it ended a set (whether main_ holds it).
    CollectTally tally_;
    std::string replacedIn_;
    std::optional<SetEndState> setEnd_;
    bool mainCurrent_ = true;
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

// The ISA header's 106 bytes are all there, its terminator no blank.
bool Conversion::wholeIsaHeader() const {
    std::error_code ec;
    const std::uintmax_t size = head_.measured ? head_.size : fs::file_size(source_, ec);
    if (ec || size < static_cast<std::uintmax_t>(*isaAt_ + 1 + 106)) return false;
    const std::string& t = delimiters_.terminator;
    return !t.empty() && t[0] != ' ' && t[0] != '\0';
}

// Whether the text after the ISA header holds a terminator (or nothing but
// blanks and line breaks): read only for a source that ended inside its
// interchange.
bool Conversion::terminatorAfterIsa() const {
    wl::InputFile in(source_);
    if (!in.seek(*isaAt_ + 1 + 106)) return true;
    const char terminator = firstOr(delimiters_.terminator, '~');
    std::string block(64 * 1024, '\0');
    for (std::size_t got; (got = in.read(block.data(), block.size())) > 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            const char c = block[i];
            if (c == terminator) return true;
            if (c != ' ' && c != '\r' && c != '\n' && c != '\t') {
                // Text after the header: it counts only when ended somewhere.
                const std::string_view rest(block.data() + i, got - i);
                if (rest.find(terminator) != std::string_view::npos) return true;
                for (std::size_t more; (more = in.read(block.data(), block.size())) > 0;)
                    if (std::string_view(block.data(), more).find(terminator) != std::string_view::npos) return true;
                return false;
            }
        }
    }
    return true;
}

void Conversion::readDelimiters(ChunkReader* opened) {
    // No ISA: the initial delimiters stay; a file that is not X12 is never
    // read at arbitrary offsets.
    delimiters_ = X12Delimiters{"~", "*", ":"};
    std::string bytes;
    head_ = opened && opened->readHead(bytes, kSourceHeadBytes) ? sourceHeadOf(bytes, opened->size(), source_)
                                                                 : readSourceHead(source_);
    isaAt_ = head_.isaAt;
    if (isaAt_) delimiters_ = head_.delimiters;
    element_ = firstOr(delimiters_.element, '*');
    component_ = firstOr(delimiters_.component, ':');
    walk_ = WalkDelimiters{firstOr(delimiters_.terminator, '~'), element_, component_};
    if (trace_.on()) {
        trace_.line("- SLP = " + (isaAt_ ? std::to_string(*isaAt_ + 1) : std::string("")));
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
        ChunkReader first(firstOr(delimiters_.terminator, '~'), element_);
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
    for (const FieldRow& f : map.fields) setup_.lineSlots = std::max(setup_.lineSlots, mapNumber(f.serviceLine));
    chooseRecordKey(map);
    // The fields go to the table rather than being copied once more: a
    // folder run converts thousands of small sources, each with its own
    // copy of the map.
    table_ = FieldTable(std::move(map.fields));
    map.fields.clear();
    setup_.keys = map.keys;
    setup_.functions = &functions_;
    setup_.form = form_;
    setup_.element = element_;
    setup_.component = component_;
    setup_.source = source_;
    setup_.output = output_;
    if (trace_.on()) {
        trace_.line("- TA = " + std::to_string(table_.size()));
        for (std::size_t f = 0; f < table_.size(); ++f)
            trace_.line("- Field" + std::to_string(f + 1) + " = " + table_.rows[f].name + " --cond " +
                        table_.rows[f].conditionField);
    }
    return true;
}

// The field that tells a record's claim or member: CLM01 or CLP01, and for
// a map whose records begin at INS (enrollment), the subscriber id REF*0F.
// A record met without it is a claim not collected; a run whose records
// all lack it did not read the source.
void Conversion::chooseRecordKey(const MapFile& map) {
    auto number = [](const std::string& cell) { return mapNumber(cell); };
    for (std::size_t f = 0; f < map.fields.size() && setup_.claimIdField < 0; ++f) {
        const FieldRow& r = map.fields[f];
        const std::string seg = wl::alltrim(r.segment);
        if ((seg == "CLM" || seg == "CLP") && number(r.elementPosition) == 1 && number(r.subelementPosition) == 0) {
            setup_.claimIdField = static_cast<int>(f);
            setup_.keySegment = seg;
            setup_.keyName = wl::alltrim(r.name);
        }
    }
    if (setup_.claimIdField >= 0 || map.keys.record.empty() || wl::alltrim(map.keys.record[0]) != "INS") return;
    for (std::size_t f = 0; f < map.fields.size() && setup_.claimIdField < 0; ++f) {
        const FieldRow& r = map.fields[f];
        if (wl::alltrim(r.segment) == "REF" && wl::alltrim(r.qualifier) == "0F" && number(r.elementPosition) == 2) {
            setup_.claimIdField = static_cast<int>(f);
            setup_.keySegment = "INS";
            setup_.keyName = wl::alltrim(r.name);
        }
    }
}

// Threads for sets side by side: none when the run traces every segment
// (the trace is one sequence of lines), when asked for
// one, or when the source is too small to be worth it: each thread first
// builds its own copy of the map's table, which costs what converting a few
// hundred kilobytes does (a batch of small files stays on one thread).
unsigned Conversion::threadsFor(std::uint64_t sourceSize) const {
    constexpr std::uint64_t kWorthThreads = std::uint64_t{4} << 20;
    if (trace_.on() || request_.threads == 1) return 0;
    if (sourceSize < 2 * partBytes(sourceSize)) return 0;
    if (request_.threads == 0 && sourceSize < kWorthThreads) return 0;
    const unsigned threads = request_.threads > 0 ? request_.threads : wl::WorkPool::usefulThreads(6);
    return threads > 1 ? threads : 0;
}

// A part's XML output is many times its input: XML parts are smaller, so
// the parts in flight stay within a few tens of megabytes. Smaller sources
// take smaller parts, so that every thread has several.
std::size_t Conversion::partBytes(std::uint64_t sourceSize) const {
    if (request_.partBytes > 0) return request_.partBytes;
    const std::uint64_t most = form_.xml ? std::uint64_t{32} << 10 : std::uint64_t{512} << 10;
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(sourceSize / 64, std::uint64_t{16} << 10, most));
}

// Converts a part that begins after a set's end on a thread of the pool,
// from the state every set end leaves; whether that was the true state is
// decided when the part's turn comes.
void Conversion::convertApart(Part& part, RecordCollector& collector) {
    collector.startUnknown();
    collector.writer().clearReplaced();
    part.output.clear();
    collector.setOutput(&part.output, nullptr);
    WalkDelimiters walk = walk_;
    forEachSegment(
        part.chunk.bytes(), part.chunk.size, walk,
        [&](std::string_view text, std::size_t) { collector.handleSegment(text); },
        [&](std::size_t) { mixedDelimiters_ = true; });
    part.tally = collector.takeTally();
    part.end = collector.setEnd();
    part.pushes = collector.historyPushes();
    part.claimIdSet = collector.claimIdSet();
    part.readUnknown = collector.readUnknown();
    part.replacedIn = collector.writer().replacedIn();
}

// Converts a part on this thread, continuing from the true state.
void Conversion::runHere(SourceChunk& chunk, MeterFeed& meter) {
    RecordCollector& c = *main_;
    if (!mainCurrent_) c.startAt(*setEnd_);
    mainCurrent_ = true;
    c.setOutput(&out_.buffer(), &out_);
    // Side by side a part starts from the first interchange's delimiters
    // (any other ends that run); alone the walk goes on from the last.
    WalkDelimiters walk = threads_ > 0 ? walk_ : current_;
    bool switched = false;
    const std::size_t rest = forEachSegment(
        chunk.bytes(), chunk.size, walk,
        [&](std::string_view text, std::size_t end) {
            meter.advance(chunk.base + end + 1);
            c.handleSegment(text);
        },
        [&](std::size_t) {
            switched = true;
            if (threads_ > 0) mixedDelimiters_ = true;
            else c.setDelimiters(walk.element, walk.component);
        });
    if (threads_ == 0) {
        current_ = walk;
        // The part was cut with the old terminator: read on from the
        // first byte not handed on, with the new one.
        if (switched && !chunk.last) reader_->restartAt(chunk.base + rest, walk.terminator, walk.element);
    }
    if (chunk.last && rest < chunk.size) handleTail(chunk.bytes() + rest, chunk.size - rest);
    // The values and the history are views into the part: they are kept
    // as copies before the next part replaces it.
    c.ownViews();
    tally_.add(c.takeTally());
    if (replacedIn_.empty()) replacedIn_ = c.writer().replacedIn();
    if (chunk.endsSet) setEnd_ = c.setEnd();
}

// Takes the oldest part from the pool: its output stands when the state it
// assumed was the true one (and goes to the writing thread), else the part
// is converted again here.
void Conversion::completeFront(PartFlow& flow, MeterFeed& meter) {
    std::unique_ptr<Part> part = std::move(flow.converting.front());
    flow.converting.pop_front();
    flow.pool->wait(part->job);
    part->outputPeak = std::max(part->outputPeak, part->output.size());
    flow.measured(*part);
    if (setEnd_ && RecordCollector::countersClear(*setEnd_) && !part->readUnknown) {
        tally_.add(std::move(part->tally));
        if (replacedIn_.empty()) replacedIn_ = part->replacedIn;
        setEnd_ = part->end.after(*setEnd_, part->pushes, part->claimIdSet);
        mainCurrent_ = false;
        meter.advance(part->chunk.base + part->chunk.size);
        Part* p = part.get();
        p->job = flow.writer->submit([this, p](unsigned) { out_.write(p->output.view()); });
        flow.writing.push_back(std::move(part));
    } else {
        finishWrites(flow);
        runHere(part->chunk, meter);
        flow.spare.push_back(std::move(part));
    }
}

// Until every accepted part is written: the output file is this thread's again.
void Conversion::finishWrites(PartFlow& flow) {
    while (!flow.writing.empty()) {
        flow.writer->wait(flow.writing.front()->job);
        flow.spare.push_back(std::move(flow.writing.front()));
        flow.writing.pop_front();
    }
}

// A part to read into: a spare one, a new one while fewer than the limit
// are alive, else the next whose output is written.
std::unique_ptr<Part> Conversion::takePart(PartFlow& flow, MeterFeed& meter) {
    for (;;) {
        if (!flow.spare.empty()) {
            std::unique_ptr<Part> part = std::move(flow.spare.back());
            flow.spare.pop_back();
            return part;
        }
        if ((flow.alive() < flow.limit && flow.held() < flow.budget) ||
            (flow.writing.empty() && flow.converting.empty())) {
            // The output's room is taken once, for the largest part: a
            // buffer grown by copies on the threads would leave its old
            // rooms behind in each thread's heap.
            auto part = std::make_unique<Part>();
            if (flow.pool) part->output.reserve(flow.outputBytes);
            return part;
        }
        if (flow.writing.empty()) {
            completeFront(flow, meter);
            continue;
        }
        flow.writer->wait(flow.writing.front()->job);
        flow.spare.push_back(std::move(flow.writing.front()));
        flow.writing.pop_front();
    }
}

bool Conversion::scan(ChunkReader& reader) {
    MeterFeed meter(request_.meterMode, reader.size());
    meter.open(source_);
    // Alone, this thread takes the prepared table itself; with threads it
    // stays the model each thread copies.
    main_.emplace(setup_, threads_ > 0 ? FieldTable(table_) : std::move(table_), &trace_);
    const unsigned threads = threads_;
    PartFlow flow;
    if (threads > 0) {
        flow.collectors.resize(threads);
        flow.limit = threads + 4;
        flow.outputBytes = reader.reachBytes() * (form_.xml ? 20 : 4);
        flow.growth = form_.xml ? 20 : 4;
        flow.budget = request_.partsBudget > 0 ? request_.partsBudget : kPartsBudget;
        flow.pool.emplace(threads);
        flow.writer.emplace(1);
    }
    const std::size_t converting = threads + 2;
    bool first = true, afterSetEnd = false;
    for (;;) {
        if (mixedDelimiters_) break;  // converted again alone
        std::unique_ptr<Part> part = takePart(flow, meter);
        SourceChunk& chunk = part->chunk;
        if (!reader.next(chunk)) break;
        const bool apart = flow.pool && !first && afterSetEnd && chunk.endsSet && !chunk.last;
        first = false;
        afterSetEnd = chunk.endsSet;
        if (!apart) {
            while (!flow.converting.empty()) completeFront(flow, meter);
            if (flow.writer) finishWrites(flow);
            runHere(chunk, meter);
            flow.spare.push_back(std::move(part));
            continue;
        }
        Part* p = part.get();
        p->job = flow.pool->submit([this, p, &flow](unsigned t) {
            std::optional<RecordCollector>& collector = flow.collectors[t];
            if (!collector) collector.emplace(setup_, table_, nullptr);
            convertApart(*p, *collector);
        });
        flow.converting.push_back(std::move(part));
        while (flow.converting.size() >= converting) completeFront(flow, meter);
    }
    while (!flow.converting.empty()) completeFront(flow, meter);
    if (flow.writer) finishWrites(flow);
    const int error = reader.error();
    if (error == 0) {
        // A set not closed by SE still gives its last record.
        if (!mainCurrent_ && setEnd_) main_->startAt(*setEnd_);
        mainCurrent_ = true;
        main_->setOutput(&out_.buffer(), &out_);
        main_->endOfSource();
        tally_.add(main_->takeTally());
        if (replacedIn_.empty()) replacedIn_ = main_->writer().replacedIn();
    }
    meter.advance(reader.size());
    meter.close();
    if (error != 0) reportFileError(reader.step(), error, source_, log_);
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
    // A source that cannot be opened is reported below, where it always was.
    ChunkReader reader('~', '*');
    const bool opened = reader.open(source_) == 0;
    readDelimiters(opened ? &reader : nullptr);
    reader.setDelimiters(walk_.terminator, walk_.element);
    current_ = walk_;

    // A source without an ISA header is no X12: nothing is written for it
    // (one that cannot be read at all is reported as such below).
    if (!isaAt_ && (head_.measured || wl::fileExists(source_)))
        return fail("Source Is Not X12 (no ISA header), Nothing Written : " + source_);
    // "ISA" alone, or a header cut before its terminator, is no X12 either:
    // its delimiters would be read past the end or from blanks.
    if (isaAt_ && !wholeIsaHeader())
        return fail("Source Is Not X12 (its ISA header is cut short), Nothing Written : " + source_);
    // A map without fields (an empty map, or one whose lines do not end in
    // CR) can extract nothing.
    if (map.fields.empty()) return fail("Map Holds No Fields (empty, or its lines do not end in CR), Nothing Written");
    // A source that could not be read whole makes no output: an earlier
    // output of that name is worth more than an empty or partial one.
    if (!opened && !openSource(reader, source_, log_)) {
        failure_ = "Source Not Read : " + source_;
        return false;
    }
    if (!prepare(map)) {
        failure_ = failure_.empty() ? "Source Not Read : " + source_ : failure_;
        return false;
    }
    // With threads, a part reaches on to the end of a set up to eight times
    // its size (XML parts, whose output is many times larger, up to twice);
    // alone, the source is read in large parts cut anywhere.
    threads_ = threadsFor(reader.size());
    if (threads_ > 0) reader.setParts(partBytes(reader.size()), form_.xml ? 2 : 8);
    if (!form_.xml) {
        log_.timed("Source : " + source_);
        log_.timed("Destination : " + output_);
    }
    if (!openOutput()) {
        failure_ = out_.error() == wl::kErrorPipeNotConnected ? outputFailure(out_.error(), output_)
                                                               : "Output Not Created : " + output_;
        return false;
    }
    functions_.beginRun();
    reader_ = &reader;
    bool scanned = scan(reader);
    if (scanned && mixedDelimiters_ && threads_ > 0) {
        // Interchanges with delimiters of their own: once more, alone.
        out_.abandon();
        restart();
        ChunkReader again(walk_.terminator, walk_.element);
        if (!openSource(again, source_, log_)) {
            failure_ = "Source Not Read : " + source_;
            return false;
        }
        if (!openOutput()) {
            failure_ = "Output Not Created : " + output_;
            return false;
        }
        reader_ = &again;
        scanned = scan(again);
    }
    reader_ = nullptr;
    if (!scanned) {
        out_.abandon();
        failure_ = "Source Not Read : " + source_;
        return false;
    }
    if (tally_.inInterchange.value_or(false) && !terminatorAfterIsa()) {
        // Everything after the header is one unended segment: saying only
        // that GE/IEA are missing would hide that nothing was read.
        out_.abandon();
        return fail("No Segment Terminator Found After the ISA Header (terminator \"" + delimiters_.terminator +
                    "\"), Nothing Written : " + source_);
    }
    checkEnd();
    if (tally_.records == 0 && tally_.setContent > 0) {
        // Claims in the source and none out: the map does not fit it.
        out_.abandon();
        return fail("No Record Extracted (the map does not fit the source), Nothing Written : " + source_);
    }
    if (setup_.claimIdField >= 0 && tally_.records > 0 && tally_.keyedRecords == 0) {
        // Rows, and not one with a claim (or member) id: header values
        // only, or a map of another guide.
        out_.abandon();
        return fail("No Record Extracted (no record holds " + setup_.keyName +
                    "; the map does not fit the source), Nothing Written : " + source_);
    }
    if (!replacedIn_.empty()) log_.timed("XML Control Character Replaced : Field " + replacedIn_);
    if (form_.xml) out_.write(kXmlEnd);
    if (int error = out_.commit(); error != 0) {
        reportFileError("FC-Fwrite", error, output_, log_);
        failure_ = outputFailure(error, output_);
        return false;
    }
    return true;
}

// Before a second scan alone: nothing of the first remains.
void Conversion::restart() {
    threads_ = 0;
    mixedDelimiters_ = false;
    current_ = walk_;
    tally_ = CollectTally{};
    replacedIn_.clear();
    setEnd_.reset();
    mainCurrent_ = true;
    main_.reset();
}

// Text after the last terminator of the source: an IEA that ends at the end
// of the file is complete; anything else is no segment and is said to be
// ignored (a cut-off interchange is reported by the end checks).
void Conversion::handleTail(char* text, std::size_t size) {
    using segment_scan_detail::isGap;
    if (mixedDelimiters_) return;  // the source is read again, alone
    std::size_t from = 0, to = size;
    while (from < to && isGap(text[from])) ++from;
    while (to > from && isGap(text[to - 1])) --to;
    if (from == to) return;
    std::size_t end = to;  // NULs that pad the file are no part of a segment
    while (end > from && (text[end - 1] == '\0' || isGap(text[end - 1]))) --end;
    if (end > from) {
        const std::string_view segment = segment_scan_detail::clean(text + from, end - from, '\n');
        if (segment.substr(0, segment.find(current_.element)) == "IEA") {
            main_->handleSegment(segment);
            return;
        }
    }
    log_.timed("Text After the Last Segment Ignored : " + std::to_string(to - from) + " Bytes : " + source_);
}

// The end of the source: sets, groups or interchanges left open mean the
// file was cut short; lines that found no field are listed.
void Conversion::checkEnd() {
    if (main_->inSet()) problems_.push_back("Source Ends Inside a Transaction Set (no SE) : " + source_);
    else if (tally_.inGroup.value_or(false) || tally_.inInterchange.value_or(false))
        problems_.push_back("Source Ends Without GE/IEA : " + source_);
    if (!tally_.lostClaims.empty()) {
        problems_.push_back("Claims Not Collected : " + std::to_string(tally_.lostClaims.size()) +
                            " (the map's conditions found no loop above them, e.g. no subscriber id) : " + source_);
        for (const CollectTally::Lost& c : tally_.lostClaims) problems_.push_back("   Claim " + c.text + " " + c.where());
    }
    if (!tally_.lostLines.empty()) {
        problems_.push_back("Service Lines Lost : " + std::to_string(tally_.lostLines.size()) +
                            " Claims Have More Service Lines Than the Map : " + source_);
        for (const CollectTally::Lost& l : tally_.lostLines) problems_.push_back("   " + l.text + " " + l.where());
        problems_.push_back("   Use the option ML (line mode with a column set for every service line) to keep every line.");
    }
    for (const std::string& p : problems_) log_.timed(p);
}

}  // namespace

namespace {
// The count over any walk of segments.
template <class Walk>
int countLines(Walk&& walk, const X12Delimiters& delimiters, const MapKeys& keys) {
    const Key record(keys.record);
    const Key line(keys.line);
    WalkDelimiters d{firstOr(delimiters.terminator, '~'), firstOr(delimiters.element, '*'),
                     firstOr(delimiters.component, ':')};
    int count = 0, most = 0;
    SegmentView s;
    walk(d, [&](std::string_view text) {
        s.reset(text, d.element);
        if (s.id().empty()) return;
        if (record.matches(s.id())) count = 0;
        if (line.matches(s.id()) && ++count > most) most = count;
    });
    return most;
}
}  // namespace

int countServiceLines(std::string& bytes, const X12Delimiters& delimiters, const MapKeys& keys) {
    return countLines(
        [&](WalkDelimiters& d, auto&& onSegment) {
            forEachSegment(
                bytes.data(), bytes.size(), d, [&](std::string_view text, std::size_t) { onSegment(text); },
                [](std::size_t) {});
        },
        delimiters, keys);
}

int countServiceLines(ChunkReader& source, const X12Delimiters& delimiters, const MapKeys& keys) {
    return countLines(
        [&](WalkDelimiters& d, auto&& onSegment) {
            source.forEachSegment(d, [&](std::string_view text, std::uint64_t) { onSegment(text); });
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
