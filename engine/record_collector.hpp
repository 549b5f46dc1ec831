// The X12-to-CSV/XML conversion's reading of segments: keys open and close
// records, claims and patient loops repeat the values above them, the
// table collects each segment's fields, and complete records go to the
// writer.
//
// A collector holds everything that one segment's handling changes. The
// source may be converted in parts, each from a transaction set's end: a
// part converted before the parts ahead of it starts from the state every
// set end leaves (no values but the file names) and notes when it reads
// anything that state does not fix, so that the caller can convert it again
// from the true state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "byte_buffer.hpp"
#include "debug_trace.hpp"
#include "field_table.hpp"
#include "map_file.hpp"
#include "record_writer.hpp"

namespace zr {

class OutputFile;

// A key list read once: item 1 and the further items.
struct Key {
    std::string id;                    // item 1
    std::vector<std::string> further;  // items 2.. (item k asks element k-1)
    int lastNonEmpty = -1;             // index into `further`

    Key() = default;
    explicit Key(const std::vector<std::string>& items);
    // Item 1 begins with the segment's id.
    bool matches(std::string_view segmentId) const { return beginsWith(id, segmentId); }
    // Further item i (0-based) begins with its element's text; an item may
    // list alternatives split by ":" ("22:PT": a subscriber or, in a claim
    // acknowledgement, a patient level), as a field's qualifier does.
    bool satisfied(std::size_t i, SegmentView& s) const {
        const std::string_view element = s.element(static_cast<int>(i) + 1);
        std::string_view rest = further[i];
        for (;;) {
            const std::size_t colon = rest.find(':');
            if (beginsWith(rest.substr(0, colon), element)) return true;
            if (colon == std::string_view::npos) return false;
            rest.remove_prefix(colon + 1);
        }
    }
};

// What a run adds up over the records it writes.
struct CollectTally {
    std::size_t records = 0;
    std::size_t keyedRecords = 0;  // records holding their claim (member) id
    std::size_t setContent = 0;  // segments inside sets other than ST and SE
    int highestLine = 0;
    // A claim, by its id and position: the set (counted in this tally; a
    // later tally's count goes on from the earlier one's) and its segment
    // within the set (ST is 1), so that claims of de-identified files, whose
    // ids are all alike, can be found.
    struct Lost {
        std::size_t set = 0, segment = 0;
        std::string text;
        std::string where() const {
            return "(Set " + std::to_string(set) + ", Segment " + std::to_string(segment) + ")";
        }
    };
    std::size_t sets = 0;  // ST segments met
    // Claims whose id was not collected (the id or the member's INS
    // position), and claims with more service lines than the map
    // ("Claim ... : n Service Lines, Map Holds m").
    std::vector<Lost> lostClaims;
    std::vector<Lost> lostLines;
    // The last GS/GE and ISA/IEA met: inside a group, an interchange.
    std::optional<bool> inGroup, inInterchange;
    // Adds a later part's tally.
    void add(CollectTally&& later);
};

// The state at a transaction set's end beyond what every set end leaves:
// the last segments, the occurrence counters, the last claim id.
struct SetEndState {
    std::array<std::string, SegmentHistory::kSize> history;  // newest first
    std::vector<int> counters;                               // of the counted fields
    std::string claimId;
    // A part converted from a set end it did not know: what it leaves,
    // completed by the state it began from.
    SetEndState after(const SetEndState& before, int pushes, bool claimIdSet) const;
};

// The collector's fixed inputs.
struct CollectorSetup {
    MapKeys keys;
    OutputForm form;
    char element = '*';
    char component = ':';
    std::string source, output;  // the file names of levels 5 and 6
    int lineSlots = 0;           // the most service lines the map has columns for
    int claimIdField = -1;       // the field of CLM01 or CLP01 (an enrollment's REF*0F)
    std::string keySegment;      // the segment that opens such a claim or member
    std::string keyName;         // the name of that field
    FunctionFiles* functions = nullptr;  // the run's function files (none: read afresh)
};

class RecordCollector {
public:
    RecordCollector(const CollectorSetup& setup, FieldTable table, DebugTrace* trace);

    // Where records go: a buffer, and the file it is flushed to when full
    // (none: the caller writes the buffer).
    void setOutput(ByteBuffer* out, OutputFile* file) {
        out_ = out;
        file_ = file;
    }
    // An interchange with delimiters of its own begins.
    void setDelimiters(char element, char component) {
        setup_.element = element;
        setup_.component = component;
    }
    void handleSegment(std::string_view text);
    // The end of the source: a set not closed by SE still gives its last record.
    void endOfSource();
    // Values and history become copies, before the text they point into goes.
    void ownViews();

    bool inSet() const { return inSet_; }
    const CollectTally& tally() const { return tally_; }
    CollectTally takeTally();
    const RecordWriter& writer() const { return writer_; }
    RecordWriter& writer() { return writer_; }

    // At a set end: what the next part depends on.
    SetEndState setEnd() const;
    // Continues from a set end whose state is known.
    void startAt(const SetEndState& state);
    // Continues from a set end whose state is not known yet.
    void startUnknown();
    // Whether the part since startUnknown read what the set end did not fix.
    bool readUnknown() const { return history_.reachedUnknown() || claimIdUnknownRead_; }
    // Whether a set end left the counters as startUnknown assumes them.
    static bool countersClear(const SetEndState& state);
    int historyPushes() const { return history_.pushes(); }
    bool claimIdSet() const { return claimIdSet_; }

private:
    void collect(int line);
    void writeRecord();
    void nextClaim();
    void nextPatientLoop();
    void endLoops() {
        claimSeen_ = false;
        patientSeen_ = false;
    }
    void noteLostLines();
    void resetAtSetEnd();
    void traceSegment();
    void traceLine(std::string_view text) {
        if (trace_ && trace_->open()) trace_->counted(text);
    }
    const std::string& claimId() {
        if (!claimIdSet_) claimIdUnknownRead_ = true;
        return claimId_;
    }
    void setClaimId(std::string_view id) {
        claimId_ = std::string(id);
        claimIdSet_ = true;
    }

    CollectorSetup setup_;
    Key header_, record_, document_, line_, trailer_;
    std::uint64_t documentTag_ = 0;
    FieldTable table_;
    RecordWriter writer_;
    DebugTrace* trace_;
    ByteBuffer* out_ = nullptr;
    OutputFile* file_ = nullptr;
    SegmentView segment_;
    SegmentHistory history_;
    int documentState_ = 0;
    int lineNumber_ = 0;
    bool inSet_ = false;
    std::size_t setSegment_ = 0;    // the segment's number within its set
    std::size_t claimSegment_ = 0;  // that of the claim's CLM (CLP, INS)
    std::size_t segmentCount_ = 0;
    // A document may hold several claims (several document-key segments,
    // CLM under one subscriber or patient HL): each is a record, and the
    // values collected before the first claim of the loop are carried into
    // each. A further patient HL starts again from the values before the
    // first patient loop.
    bool claimSeen_ = false;
    bool patientSeen_ = false;
    FieldTable::Snapshot beforeClaim_, beforePatient_;
    // Service lines met in the current record, against the map's slots.
    int recordLines_ = 0;
    // Whether the record met a claim segment: a claim whose id was not
    // collected (the map's conditions found no loop above it) is lost, and
    // said so.
    bool claimMet_ = false;
    std::string claimId_;
    bool claimIdSet_ = true;  // false: the id is the unknown one of an earlier part
    bool claimIdUnknownRead_ = false;
    CollectTally tally_;
};

}  // namespace zr
