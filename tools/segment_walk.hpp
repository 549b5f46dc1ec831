// Walking an X12 file segment by segment without loading it: the one reader
// behind File Information, File Compare and the De-Identifier. The file is
// read in blocks (the tools once read a byte per seek, which took minutes on
// large files), but segments, offsets and errors are as a byte walk sees
// them: a segment's text runs from the byte after the previous terminator
// up to and including its own terminator, so line breaks after a terminator
// begin the next segment's text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "progress_meter.hpp"

namespace zr {

// Piece n (from 1) of a segment text between element separators; piece 1 is
// the segment id as it stands (leading line breaks included). The text's
// last character, its terminator, is never part of a piece. "" when absent.
std::string segmentPiece(std::string_view segment, char separator, std::size_t n);
// The element separators before the last character, plus 1 (the id counts).
std::size_t segmentElementCount(std::string_view segment, char separator);
// The id: piece 1 trimmed of blanks, tabs, carriage returns and line feeds.
std::string segmentId(std::string_view segment, char separator);
// The same id as a view into the segment text.
std::string_view segmentIdView(std::string_view segment, char separator);
// The pieces of a segment text (without its terminator) between element
// separators, as views, into `pieces` (cleared first); piece 1 first.
void splitSegment(std::string_view segment, char separator, std::vector<std::string_view>& pieces);
// Blanks, tabs, carriage returns and line feeds taken off both ends.
std::string trimmedSegmentText(std::string_view text);
std::string_view trimmedSegmentView(std::string_view text);

// The leading decimal number of a text (blanks, a sign, digits, a point and
// digits); 0 for an empty or non-numeric text.
double leadingAmount(std::string_view text);

struct SegmentWalkEvents {
    // Every complete segment with its terminator, and the offset of its
    // first byte.
    std::function<void(std::string_view segment, std::int64_t offset)> segment;
    // Every byte below code 32 with its offset (none asked when empty).
    std::function<void(unsigned char byte, std::int64_t offset)> controlByte;
};

struct SegmentWalkResult {
    bool missing = false;   // no such file (nothing was read)
    int openError = 0;      // the file exists but could not be opened
    int readError = 0;      // a read failed part way (the walk stopped there)
    std::int64_t size = 0;
    std::string tail;       // bytes after the last terminator (never a segment)
};

// Walks the file, setting the meter as it goes (only when the whole
// percentage changes). Failures are returned, not shown.
SegmentWalkResult walkSegments(const std::string& fileName, char terminator, const SegmentWalkEvents& events,
                               const ScopedMeter* meter = nullptr);

// Shows a walk's open or read failure as the tools always have:
// "Cfile <ERROR> " + step + " #" + the code (the open step's name is given).
void showWalkErrors(const SegmentWalkResult& walk, std::string_view openStep);

}  // namespace zr
