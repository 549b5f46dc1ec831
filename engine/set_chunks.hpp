// A source read in parts of whole segments, each cut where possible right
// after a transaction set's SE segment: the parts between two set ends can
// be converted apart, since every SE leaves the conversion in the same
// state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "file_io.hpp"
#include "segment_scan.hpp"

namespace zr {

// One part of the source: its bytes (whole segments, or the rest of the
// file for the last part) and where it lies.
struct SourceChunk {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    std::size_t capacity = 0;
    std::uint64_t base = 0;  // the file position of data[0]
    bool endsSet = false;    // the last segment is an SE
    bool last = false;       // the part reaches the end of the file

    char* bytes() { return data.get(); }
    // Room for n bytes, keeping the first `keep`.
    void reserve(std::size_t n, std::size_t keep);
};

// Where the last complete SE segment of [p, p + n) ends: the position after
// its terminator, or 0 when there is none. An SE counts when its id stands
// right after a terminator (line breaks, blanks and tabs between them
// aside) and is followed by the element separator.
std::size_t afterLastSetEnd(const char* p, std::size_t n, char terminator, char element);

// Whether parts cut at SE segments read as the whole file does with these
// delimiters: a terminator or element separator that the segment reader
// cleans away or treats specially (blank, comma, tab, line breaks) does not.
bool setEndsCuttable(char terminator, char element);

class ChunkReader {
public:
    // Parts for a plain walk over the segments.
    static constexpr std::size_t kReadBytes = std::size_t{4} << 20;
    // The longest segment read: well above a 275's binary attachment (BIN)
    // of scanned pages; a longer one (or a file with no terminator) ends
    // the read with kSegmentTooLong.
    static constexpr std::size_t kMaxSegmentBytes = std::size_t{64} << 20;
    static constexpr const char* kSegmentTooLong = "Segment Over 64 MB, No Segment Terminator Found";
    static constexpr int kErrorSegmentTooLong = 8;  // not enough memory, in the Windows numbering

    // Parts of kReadBytes, ending at any terminator, unless setParts says otherwise.
    ChunkReader(char terminator, char element);
    // Parts of about `bytes`, ending after an SE where one is found within
    // `reach` times that (reach 0: at any terminator), when the delimiters
    // allow it. Before the first part is read.
    void setParts(std::size_t bytes, unsigned reach);

    // 0, or the error code of the failed step (step() names it).
    int open(const std::string& path);
    // The file's first `most` bytes (fewer in a smaller file), before the
    // first part is read: one open serves the head and the parts. False
    // when they cannot be read.
    bool readHead(std::string& bytes, std::size_t most);
    // The delimiters the parts are cut by, once the head told them; before
    // the first part is read.
    void setDelimiters(char terminator, char element);
    std::uint64_t size() const { return size_; }
    // The most a part holds when it reaches on to a set's end.
    std::size_t reachBytes() const { return reachBytes_; }
    const char* step() const { return step_; }
    // A lower cap on one segment, for tests.
    void limitSegments(std::size_t bytes) { segmentLimit_ = bytes; }
    int error() const { return error_; }

    // Fills the next part; false at the end of the file (nothing left) or
    // on a read error (error() set).
    bool next(SourceChunk& chunk);

    // Reads on from `position` (a segment start) with another terminator:
    // an interchange with delimiters of its own begins there. What was
    // read beyond it is read again. False on a seek error (error() set).
    bool restartAt(std::uint64_t position, char terminator, char element);

    // Every segment of the source in order, part after part, each
    // interchange read with its own delimiters (`delimiters` holds those of
    // the segment handed on): onSegment(text, file position of its
    // terminator); a text is gone once the next part is read. Answers 0 or
    // the read error.
    template <class OnSegment>
    int forEachSegment(WalkDelimiters& delimiters, OnSegment&& onSegment) {
        SourceChunk part;
        while (next(part)) {
            bool switched = false;
            const std::size_t rest = zr::forEachSegment(
                part.bytes(), part.size, delimiters,
                [&](std::string_view text, std::size_t end) { onSegment(text, part.base + end); },
                [&](std::size_t) { switched = true; });
            if (switched && !part.last && !restartAt(part.base + rest, delimiters.terminator, delimiters.element))
                break;
        }
        return error_;
    }

private:
    int failAt(const char* step);

    std::size_t chunkBytes_ = kReadBytes;
    std::size_t reachBytes_ = kReadBytes;
    std::size_t segmentLimit_ = kMaxSegmentBytes;
    char terminator_;
    char element_;
    bool cutAtSets_ = false;
    wl::InputFile file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;  // of the next byte not yet handed out
    std::unique_ptr<char[]> carry_;
    std::size_t carrySize_ = 0, carryCapacity_ = 0;
    bool atEnd_ = false;
    const char* step_ = "";
    int error_ = 0;
};

}  // namespace zr
