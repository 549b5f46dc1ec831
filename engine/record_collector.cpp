#include "record_collector.hpp"

#include "output_file.hpp"

namespace zr {

namespace {

// A segment id of up to seven bytes as one number, with its length: the
// exact tests of every segment's id become integer compares. Longer ids
// get a number no short id has.
constexpr std::uint64_t idTag(std::string_view id) {
    if (id.size() > 7) return ~std::uint64_t{0};
    std::uint64_t tag = static_cast<std::uint64_t>(id.size()) << 56;
    for (std::size_t i = 0; i < id.size(); ++i) tag |= static_cast<std::uint64_t>(static_cast<unsigned char>(id[i])) << (8 * i);
    return tag;
}

}  // namespace

Key::Key(const std::vector<std::string>& items) {
    if (!items.empty()) id = items[0];
    for (std::size_t i = 1; i < items.size(); ++i) {
        further.push_back(items[i]);
        if (!items[i].empty()) lastNonEmpty = static_cast<int>(i - 1);
    }
}

void CollectTally::add(CollectTally&& later) {
    records += later.records;
    keyedRecords += later.keyedRecords;
    setContent += later.setContent;
    highestLine = std::max(highestLine, later.highestLine);
    for (std::vector<Lost>* list : {&later.lostClaims, &later.lostLines})
        for (Lost& l : *list) l.set += sets;
    for (Lost& c : later.lostClaims) lostClaims.push_back(std::move(c));
    for (Lost& l : later.lostLines) lostLines.push_back(std::move(l));
    sets += later.sets;
    if (later.inGroup) inGroup = later.inGroup;
    if (later.inInterchange) inInterchange = later.inInterchange;
}

SetEndState SetEndState::after(const SetEndState& before, int pushes, bool claimIdSet) const {
    SetEndState s = *this;
    // Entries older than the part's own pushes are the earlier part's newest.
    for (int i = pushes; i < SegmentHistory::kSize; ++i)
        s.history[static_cast<std::size_t>(i)] = before.history[static_cast<std::size_t>(i - pushes)];
    if (!claimIdSet) s.claimId = before.claimId;
    return s;
}

RecordCollector::RecordCollector(const CollectorSetup& setup, FieldTable table, DebugTrace* trace)
    : setup_(setup),
      header_(setup.keys.header),
      record_(setup.keys.record),
      document_(setup.keys.document),
      line_(setup.keys.line),
      trailer_(setup.keys.trailer),
      documentTag_(idTag(document_.id)),
      table_(std::move(table)),
      writer_(table_, setup.form),
      trace_(trace) {
    fillFileNames(table_, setup_.source, setup_.output);
}

CollectTally RecordCollector::takeTally() {
    CollectTally t = std::move(tally_);
    tally_ = CollectTally{};
    return t;
}

void RecordCollector::ownViews() {
    table_.ownViews();
    FieldTable::ownViews(beforeClaim_);
    FieldTable::ownViews(beforePatient_);
    history_.own();
}

SetEndState RecordCollector::setEnd() const {
    SetEndState s;
    s.history = history_.texts();
    for (int f : table_.countedFields()) s.counters.push_back(table_.counters[static_cast<std::size_t>(f)]);
    s.claimId = claimId_;
    return s;
}

bool RecordCollector::countersClear(const SetEndState& state) {
    for (int c : state.counters)
        if (c != 0) return false;
    return true;
}

// What handling an SE leaves, whatever came before it.
void RecordCollector::resetAtSetEnd() {
    table_.clearAll();
    fillFileNames(table_, setup_.source, setup_.output);
    documentState_ = 0;
    lineNumber_ = 0;
    inSet_ = false;
    endLoops();
    recordLines_ = 0;
    claimMet_ = false;
    claimIdUnknownRead_ = false;
}

void RecordCollector::startAt(const SetEndState& state) {
    resetAtSetEnd();
    history_.assign(state.history);
    const std::vector<int>& counted = table_.countedFields();
    for (std::size_t i = 0; i < counted.size() && i < state.counters.size(); ++i)
        table_.counters[static_cast<std::size_t>(counted[i])] = state.counters[i];
    claimId_ = state.claimId;
    claimIdSet_ = true;
}

void RecordCollector::startUnknown() {
    resetAtSetEnd();
    history_.startUnknown();
    for (int f : table_.countedFields()) table_.counters[static_cast<std::size_t>(f)] = 0;
    claimId_.clear();
    claimIdSet_ = false;
}

void RecordCollector::traceSegment() {
    traceLine("-------------------------------- Segment " + std::to_string(segmentCount_));
    traceLine("- Segment Buffer = " + std::string(DebugTrace::cut(segment_.text())));
    for (int i = 0; i < SegmentHistory::kSize; ++i)
        traceLine("- pba[" + std::to_string(i + 1) + "]=" + std::string(DebugTrace::cut(history_.entry(i))));
}

void RecordCollector::collect(int line) {
    CollectContext c{segment_,          history_, setup_.element, setup_.component, line,
                     trace_ && trace_->open() ? trace_ : nullptr, setup_.functions};
    CTL48400B(table_, c);
}

void RecordCollector::writeRecord() {
    const bool keyed = setup_.claimIdField >= 0 && table_.hasValue(setup_.claimIdField);
    if (claimMet_ && setup_.claimIdField >= 0 && !keyed)
        tally_.lostClaims.push_back({tally_.sets, claimSegment_, claimId_});
    claimMet_ = false;
    if (writer_.write(table_, *out_)) {
        ++tally_.records;
        if (keyed) ++tally_.keyedRecords;
        noteLostLines();
        if (file_) file_->flushIfFull();
    }
    recordLines_ = 0;
}

// Lines past the map's slots found no field: said, never silently lost.
void RecordCollector::noteLostLines() {
    if (setup_.lineSlots <= 0 || recordLines_ <= setup_.lineSlots) return;
    tally_.lostLines.push_back({tally_.sets, claimSegment_,
                                "Claim " + claimId() + " : " + std::to_string(recordLines_) +
                                    " Service Lines, Map Holds " + std::to_string(setup_.lineSlots)});
}

void RecordCollector::nextClaim() {
    if (!claimSeen_) {
        table_.snapshot(beforeClaim_);
        claimSeen_ = true;
        return;
    }
    writeRecord();
    table_.restore(beforeClaim_);
    lineNumber_ = 0;
}

void RecordCollector::nextPatientLoop() {
    if (!patientSeen_) {
        if (claimSeen_) beforePatient_ = beforeClaim_;
        else table_.snapshot(beforePatient_);
        patientSeen_ = true;
    }
    if (claimSeen_) {
        writeRecord();
        table_.restore(beforePatient_);
        lineNumber_ = 0;
    }
    claimSeen_ = false;
}

void RecordCollector::endOfSource() {
    if (inSet_) writeRecord();
}

void RecordCollector::handleSegment(std::string_view text) {
    segment_.reset(text, setup_.element);
    const std::string_view id = segment_.id();
    const std::uint64_t tag = idTag(id);
    // Two terminators in a row (or a segment without an id) carry nothing:
    // an empty id would match every key and every field.
    if (id.empty()) return;
    ++segmentCount_;
    ++setSegment_;
    history_.push(text);
    const bool tracing = trace_ && trace_->open();
    if (tracing) traceSegment();

    if (header_.matches(id) &&
        (header_.further.empty() ||
         (header_.lastNonEmpty >= 0 && header_.satisfied(static_cast<std::size_t>(header_.lastNonEmpty), segment_)))) {
        if (tracing) traceLine("- Key Header Field Array Match A = " + std::string(id));
        if (documentState_ != 0) {
            writeRecord();
            documentState_ = 0;
            lineNumber_ = 0;
        }
        endLoops();
        table_.clearLevel(2);
    }
    if (trailer_.matches(id)) {
        if (tracing) traceLine("- Key Trailer Field Array Match = " + std::string(id));
        writeRecord();
        documentState_ = 0;
        lineNumber_ = 0;
        endLoops();
    }
    bool opened = false;
    if (record_.matches(id)) {
        int steps = 0;
        if (record_.further.empty()) steps = 1;
        for (std::size_t i = 0; i < record_.further.size(); ++i)
            if (!record_.further[i].empty() && record_.satisfied(i, segment_)) ++steps;
        opened = steps > 0;
        for (int s = 0; s < steps; ++s) {
            const int before = documentState_;
            if (documentState_ < 2) ++documentState_;
            if (tracing)
                traceLine("- Key Field Array Claim Control Set = " + std::to_string(before) + " to " +
                          std::to_string(documentState_));
        }
    }
    if (tracing && document_.matches(id)) traceLine("- Key Doc Field Array Match = " + std::string(id));
    if (documentState_ == 1 && !opened && !document_.id.empty()) {
        if (tag == documentTag_ && id == document_.id) {
            nextClaim();
        } else if (tag == idTag("HL") && segment_.element(3) == "23") {
            nextPatientLoop();
        }
    }
    if (line_.matches(id)) {
        ++lineNumber_;
        if (lineNumber_ > tally_.highestLine) tally_.highestLine = lineNumber_;
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
        setClaimId(segment_.element(1));
        claimMet_ = true;
        claimSegment_ = setSegment_;
    } else if (opened && document_.id.empty()) {
        setClaimId(segment_.element(1));
        // A member opened by its INS: its id comes later (REF*0F).
        if (tag == idTag("INS") && setup_.keySegment == "INS") {
            claimMet_ = true;
            claimSegment_ = setSegment_;
        }
    }

    // ST and SE by their exact ids: "STC" of a 277 is no set header.
    if (tag == idTag("ST")) {
        lineNumber_ = 0;
        inSet_ = true;
        ++tally_.sets;
        setSegment_ = 1;
    } else if (tag == idTag("SE")) {
        inSet_ = false;
        lineNumber_ = 0;
        writeRecord();
        endLoops();
        table_.clearAll();
        // The file names belong to every record of the run, not to one set.
        fillFileNames(table_, setup_.source, setup_.output);
        documentState_ = 0;
        if (tracing) traceLine("- SE Table Clear ");
    } else if (tag == idTag("ISA")) {
        tally_.inInterchange = true;
    } else if (tag == idTag("IEA")) {
        tally_.inInterchange = false;
    } else if (tag == idTag("GS")) {
        tally_.inGroup = true;
    } else if (tag == idTag("GE")) {
        tally_.inGroup = false;
    } else if (inSet_) {
        ++tally_.setContent;
    }
}

}  // namespace zr
