// The loaded X12 file: one row per segment, addressed 1-based, with the
// values of the table's 13 columns:
//   1 segment id                  8  claim number within the set
//   2 segment text                9  file position of HL and CLP rows
//   3 level                      10  claim number within the file
//   4 837 loop id                11  claim number within the interchange
//   5 segment notes              12  HL*20 rows met so far in 837 sets
//   6 element notes              13  the delimiters
//   7 always ""
// The rows are stored compactly: the text is a view into the one file
// buffer (commas already turned into blanks), levels and loop ids are small
// codes, and the claim numbers of a stretch of rows are shared.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "delimiters.hpp"
#include "file_bytes.hpp"
#include "large_pages.hpp"

namespace zr {

class SegmentTable {
public:
    // The numbers in columns 8, 10, 11 and 12 of a stretch of rows.
    struct ClaimNumbers {
        std::uint32_t inSet = 0;  // 0 stands for "" in columns 8, 10 and 11
        std::uint32_t inFile = 0;
        std::uint32_t inInterchange = 0;
        std::uint32_t providers = 0;  // column 12
        bool operator==(const ClaimNumbers&) const = default;
    };

    SegmentTable() = default;
    // n initialised rows over a buffer (the rows' texts are empty).
    SegmentTable(std::size_t n, X12Delimiters delimiters, std::shared_ptr<const wl::FileBytes> buffer = nullptr);
    // n rows whose columns are not set yet, for a loader that sets every
    // row (setRow, setClaimRange) or makes the rest empty (clearRowsFrom).
    struct Unset {};
    SegmentTable(std::size_t n, X12Delimiters delimiters, std::shared_ptr<const wl::FileBytes> buffer, Unset);
    // Rows row..size() become empty rows (columns 8-12 aside).
    void clearRowsFrom(std::size_t row);

    std::size_t size() const { return starts_.size(); }
    const X12Delimiters& delimiters() const { return *delimiters_; }

    // Column 1: the text before the first element separator, trimmed.
    std::string_view id(std::size_t row) const;
    // Column 2: the text without its terminator.
    std::string_view text(std::size_t row) const;
    // Column 3: "" or "0".."9"; levelNumber is -1 for "".
    std::string level(std::size_t row) const;
    int levelNumber(std::size_t row) const { return levels_[row - 1]; }
    // Column 4.
    std::string_view loopId(std::size_t row) const;
    // Columns 5 and 6: lists whose first item is the note.
    const std::vector<std::string>& segmentNotes(std::size_t row) const;
    const std::vector<std::string>& elementNotes(std::size_t row) const;
    // Columns 8, 10, 11, 12.
    const ClaimNumbers& claim(std::size_t row) const { return runs_[runs_of_[row - 1]]; }
    // Column 9: the 1-based file position of an HL or CLP segment's id.
    std::optional<std::uint64_t> filePosition(std::size_t row) const;

    // Column k of row r as text (lists and the delimiters as their first
    // item / the terminator, element and component joined).
    std::string column(std::size_t row, int k) const;
    // Element n (0 = id) of the row's text.
    std::string_view element(std::size_t row, int n) const;

    void setSegmentNote(std::size_t row, std::string note);
    void setElementNote(std::size_t row, std::string note);

    // Building (loader and rewriters).
    struct RowData {
        std::uint64_t start = 0;
        std::uint32_t length = 0;
        std::int8_t level = -1;
        std::uint8_t loop = 0;
    };
    void setRow(std::size_t row, const RowData& data);
    RowData rowData(std::size_t row) const;
    void setLoop(std::size_t row, std::uint8_t loop) { loops_[row - 1] = loop; }
    std::uint8_t loopCode(std::size_t row) const { return loops_[row - 1]; }
    void setClaim(std::size_t row, const ClaimNumbers& numbers) { setClaimRange(row, row, numbers); }
    // Rows first..last (none when last < first) get the same numbers.
    void setClaimRange(std::size_t first, std::size_t last, const ClaimNumbers& numbers);
    // Appends a copy of another table's row (same buffer), with its notes.
    void appendRowFrom(const SegmentTable& source, std::size_t row, const ClaimNumbers& numbers);
    const std::shared_ptr<const wl::FileBytes>& buffer() const { return buffer_; }
    // The same rows over other bytes of the same size (the file as written,
    // commas and all); none when the sizes differ.
    std::optional<SegmentTable> overBytes(std::shared_ptr<const wl::FileBytes> bytes) const;

    static const std::vector<std::string>& loopNames();

    // Bytes held by the table beyond the file buffer.
    std::size_t overheadBytes() const;

private:
    std::shared_ptr<const wl::FileBytes> buffer_;
    std::shared_ptr<const X12Delimiters> delimiters_ = std::make_shared<X12Delimiters>();
    // The per-row columns, their pages mapped at once: a file of millions
    // of rows would otherwise fault once per 4 KB of them.
    template <class T>
    using Rows = std::vector<T, wl::LargePageAllocator<T>>;
    Rows<std::uint64_t> starts_;
    Rows<std::uint32_t> lengths_;
    Rows<std::int8_t> levels_;
    Rows<std::uint8_t> loops_;
    Rows<std::uint32_t> runs_of_;  // row -> index into runs_
    std::vector<ClaimNumbers> runs_{ClaimNumbers{}};
    std::unordered_map<std::size_t, std::vector<std::string>> segmentNotes_, elementNotes_;
};

// CTL39400I: the number of bytes of the file equal to the terminator; 0 for
// a missing file. Mode and start are not used.
std::size_t CTL39400I(const std::string& fileName, int mode, const std::string& component,
                      const std::string& element, const std::string& terminator, std::int64_t start = 0);

// CTL39400D: n initialised rows.
SegmentTable CTL39400D(std::size_t n, const X12Delimiters& delimiters = {});

// CTL39400B: loads the file into a table of n rows. With a start offset
// (a file whose ISA does not stand first) reading begins there and no meter
// is shown.
SegmentTable CTL39400B(const std::string& fileName, std::size_t n, const X12Delimiters& delimiters,
                       std::int64_t startOffset = 0);

// A load's outcome, nothing shown: the table (n empty rows for a missing
// file) and what went wrong, for the caller to say.
struct TableLoad {
    SegmentTable table;
    bool missing = false;  // no such file
    int readError = 0;     // the system's code when reading failed part-way
};
// Called with the percentage of the file read, as rows are filled.
using LoadProgress = std::function<void(double)>;
// Loads the file into a table of n rows (n counted from the bytes when not
// given), from the start offset on.
TableLoad readSegmentTable(const std::string& fileName, std::optional<std::size_t> n, const X12Delimiters& delimiters,
                           std::int64_t startOffset = 0, const LoadProgress& progress = {});

// Counts the terminators and loads, reading the file once: the usual way.
SegmentTable loadSegmentTable(const std::string& fileName, const X12Delimiters& delimiters,
                              std::int64_t startOffset = 0);

// CTL39400AN: rows whose id begins with "HL" and whose HL03 begins with
// "20" (mode 1) or "22" (mode 2).
std::size_t CTL39400AN(const SegmentTable& table, int mode);

// CTL39400AP: the size of the file (0 when missing).
std::uint64_t CTL39400AP(const std::string& fileName);

}  // namespace zr
