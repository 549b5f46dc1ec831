// The FieldTable at run time and field collection from one segment.
//
// The map's rows (map_file.hpp, 22 columns) give each field's items; the
// run-time columns (the value, 15, and the occurrence counter, 18) live in
// the table beside them. The table also keeps, per field, the numbers and
// links read once from the row's items (a `FieldPlan`), and an index of
// fields by segment id, so that a segment only visits the fields whose
// segment item can match its id.
//
// Comparisons follow the map's rules: a key or segment item "matches" an id
// when the item begins with the id (the reversed prefix test), a qualifier
// alternative matches an element that begins with it.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "map_file.hpp"
#include "pieces.hpp"

namespace zr {

class DebugTrace;
class FunctionFiles;

// True when the text is empty once trimmed (blanks, tabs, CR, LF).
inline bool isBlankText(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

// The prefix test of the hot paths (ids and qualifiers are a few bytes):
// true when `text` begins with `prefix`, always when `prefix` is empty.
inline bool beginsWith(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (text[i] != prefix[i]) return false;
    return true;
}

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
    // Cuts elements up to n (no further than asked: most segments are read
    // only in their first few elements).
    void splitTo(std::size_t n);

    std::string_view text_;
    std::string_view id_;
    wl::PieceCursor rest_;  // the elements not cut yet
    std::vector<std::string_view> elements_;
};

// The texts of the last eight segments, newest first.
class SegmentHistory {
public:
    static constexpr int kSize = 8;
    void push(std::string_view text) {
        head_ = (head_ + kSize - 1) % kSize;
        ring_[head_] = text;
        if (pushes_ < kSize) ++pushes_;
    }
    // Entry i, 0 = the newest.
    std::string_view entry(int i) const {
        if (i >= pushes_ && unknownBefore_) reachedUnknown_ = true;
        return ring_[(head_ + i) % kSize];
    }
    void clear() { *this = SegmentHistory{}; }
    // The entries become copies kept here, before the text they point
    // into is used again.
    void own() {
        for (int i = 0; i < kSize; ++i) {
            kept_[i].assign(ring_[i]);
            ring_[i] = kept_[i];
        }
    }
    // The entries as copies, newest first, and a history made of them.
    std::array<std::string, kSize> texts() const {
        std::array<std::string, kSize> out;
        for (int i = 0; i < kSize; ++i) out[static_cast<std::size_t>(i)] = std::string(ring_[(head_ + i) % kSize]);
        return out;
    }
    void assign(const std::array<std::string, kSize>& newestFirst) {
        clear();
        kept_ = newestFirst;
        for (int i = 0; i < kSize; ++i) ring_[static_cast<std::size_t>(i)] = kept_[static_cast<std::size_t>(i)];
        pushes_ = kSize;
    }
    // A history whose entries before its own pushes are not known (a part
    // of the source converted before the parts ahead of it): reading one
    // of them is noted, and the part is converted again once they are.
    void startUnknown() {
        clear();
        unknownBefore_ = true;
    }
    bool reachedUnknown() const { return reachedUnknown_; }
    int pushes() const { return pushes_; }

private:
    std::array<std::string_view, kSize> ring_{};
    std::array<std::string, kSize> kept_{};
    int head_ = 0;
    int pushes_ = 0;  // up to kSize
    bool unknownBefore_ = false;
    mutable bool reachedUnknown_ = false;
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
    // Where collection can take a value: -1 at any line, s only at service
    // line s, 0 never (a position of 0, a condition naming no field).
    int onlyAtLine = -1;
    int conditionField = -1;  // the first field whose name begins with the condition
};

// What a field's row links it to, read once (apart from the plans, which
// collection reads for every field it visits and so are kept small).
struct FieldLinks {
    std::vector<std::string> qualifiers;  // column 4 split at ":"
    std::vector<int> toggleFields;        // fields whose name is a prefix of column 22
};

// A field that a segment id may reach, with where it can take a value.
struct Candidate {
    int field;
    int onlyAtLine;  // as FieldPlan::onlyAtLine
    bool operator==(const Candidate&) const = default;
};

class FieldTable {
public:
    FieldTable() = default;
    explicit FieldTable(std::vector<FieldRow> rows);

    // The map's items of each field (columns 1-14, 17, 19-22).
    std::vector<FieldRow> rows;
    std::vector<FieldPlan> plans;
    std::vector<FieldLinks> links;
    // The occurrence counter of each field (column 18).
    std::vector<int> counters;

    // The value of each field (column 15). Values live apart from the rows,
    // as views, with a bit per field that holds one: clearing and writing a
    // record then cost what the record holds, not what the map could hold
    // (a default map has 500 fields, a record fills a few dozen).
    std::string_view value(int f) const { return values_[static_cast<std::size_t>(f)]; }
    bool hasValue(int f) const {
        return (bits_[static_cast<std::size_t>(f) / 64] >> (static_cast<std::size_t>(f) % 64)) & 1;
    }
    // A value seen in place: the text must stay for the run (an element of
    // the source buffer), so collecting a value copies nothing.
    void setValue(int f, std::string_view v);
    // A value the table keeps a copy of (file names, function results).
    void setOwnedValue(int f, std::string_view v);
    void clearValue(int f);
    void clearLevel(int level);
    void clearAll();
    // The values held at one moment, to be put back later (the loop values
    // above a claim, carried into each claim of the loop).
    struct Snapshot {
        std::vector<std::pair<int, std::string_view>> seen;  // values in place
        std::vector<std::pair<int, std::string>> owned;      // copies
    };
    // Into a snapshot whose room is used again (one per claim).
    void snapshot(Snapshot& into) const;
    // Values seen in place become copies the table keeps: before the text
    // they point into is used again (the next block of a streamed source).
    void ownViews();
    static void ownViews(Snapshot& s);
    // Every value becomes the snapshot's (fields not in it are emptied).
    void restore(const Snapshot& s);
    // Calls fn(f) for every field holding a value, in table order.
    template <class Fn>
    void forEachValue(Fn&& fn) const {
        for (std::size_t w = 0; w < bits_.size(); ++w)
            for (std::uint64_t m = bits_[w]; m != 0; m &= m - 1)
                fn(static_cast<int>(w * 64 + static_cast<std::size_t>(std::countr_zero(m))));
    }

    // Reads the plans, takes the rows' values and counters as the run-time
    // columns and resets the index; after any change of the rows' items.
    void compile();

    std::size_t size() const { return rows.size(); }
    // Fields whose segment item (column 3) begins with the id, in table order.
    const std::vector<Candidate>& candidates(std::string_view id);
    // The fields that collection from the segment at that service line
    // handles, in order: the walk over the candidates (which at line 0
    // depends on the table's layout only, never on values), less the fields
    // that cannot take a value there (bound to another line, or with a
    // qualifier that the segment's qualifier element does not match).
    const std::vector<int>& fieldsToHandle(SegmentView& segment, int line);
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
    void setBit(int f, bool on) {
        const std::uint64_t bit = std::uint64_t{1} << (static_cast<std::size_t>(f) % 64);
        std::uint64_t& word = bits_[static_cast<std::size_t>(f) / 64];
        word = on ? word | bit : word & ~bit;
    }

    std::vector<std::string_view> values_;
    std::vector<std::string> owned_;                        // the text of owned values
    std::vector<std::uint64_t> bits_;                       // field f holds a value
    std::array<std::vector<std::uint64_t>, 7> levelBits_;  // the fields of each level
    std::vector<std::uint64_t> recordBits_;                // the fields of levels other than 5 and 6

    // The candidates of an id as marked for one qualifier element, with the
    // fields to handle per line worked out on first use.
    struct Variant {
        std::vector<Candidate> items;
        std::vector<std::vector<int>> byLine;
        std::vector<unsigned char> built;
    };
    struct CandidateList {
        Variant all;
        // The qualifier position all qualified fields of the list share
        // (-1 when they differ or there are none), and the list as marked
        // for each qualifier element met so far.
        int qualifierPosition = -1;
        std::vector<std::pair<std::string, Variant>> byQualifier;
    };
    CandidateList& listFor(std::string_view id);
    CandidateList candidatesOf(std::string_view id) const;
    Variant& variantFor(CandidateList& list, SegmentView& segment);
    void walk(const std::vector<Candidate>& items, int line, std::vector<int>& out) const;

    std::vector<int> nextClaimLevel_;
    std::array<std::vector<int>, 7> byLevel_;
    std::vector<int> counted_;
    // The index: ids of up to seven bytes packed into a number and kept in
    // an open-addressing table (the common case), longer ids by text.
    struct IdSlot {
        std::uint64_t tag = 0;  // packed id with the top bit set; 0 = free
        std::uint32_t list = 0;
    };
    CandidateList* findShort(std::uint64_t tag);
    void insertShort(std::uint64_t tag, std::uint32_t list);
    std::vector<IdSlot> slots_;
    std::vector<CandidateList> lists_;
    std::unordered_map<std::string, std::uint32_t> longIds_;
    CandidateList scratch_;
    std::vector<int> scratchFields_;
    std::size_t cachedEntries_ = 0;  // fields held in the per-line lists
};

// Fills every level-5 field with the source path and every level-6 field
// with the output path.
void fillFileNames(FieldTable& table, const std::string& source, const std::string& output);

// What collection from one segment needs besides the table.
struct CollectContext {
    SegmentView& segment;
    const SegmentHistory& history;  // the segment being handled is entry 0
    char elementSeparator = '*';
    char componentSeparator = ':';
    int line = 0;                     // the current service-line number
    DebugTrace* trace = nullptr;      // " Field SET " lines when on
    FunctionFiles* functions = nullptr;  // the run's cache; none: the files are read for this value
};

// CTL48400B: collects the values that the segment gives to the table.
void CTL48400B(FieldTable& table, CollectContext& context);

// CTL48400O (no caller): the piece when the text holds it, else "".
std::string CTL48400O(std::string_view text, std::string_view piece);
// CTL48400AC (no caller): empties the value of every field of that segment.
void CTL48400AC(FieldTable& table, std::string_view segmentId);

}  // namespace zr
