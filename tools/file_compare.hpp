// X12 File Compare: two files listed segment by segment and compared
// position by position (the n-th segment of one with the n-th of the other).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "delimiters.hpp"
#include "file_bytes.hpp"
#include "progress_meter.hpp"
#include "tool_tree.hpp"

namespace zr {

// A file's segments in order, each with its terminator (line breaks after a
// terminator begin the next text), and the delimiters they were cut with.
struct SegmentList {
    // The file's bytes as read (mapped where the system can: no copy), and
    // where each segment ends in them: no string per segment (a 100 MB file
    // holds millions of them). Bytes after the last terminator are no segment.
    std::shared_ptr<const wl::FileBytes> bytes;
    std::vector<std::size_t> ends;
    X12Delimiters delimiters;
    std::size_t size() const { return ends.size(); }
    std::string_view segment(std::size_t i) const {
        const std::size_t from = i == 0 ? 0 : ends[i - 1];
        return bytes->view().substr(from, ends[i] - from);
    }
    char element() const { return delimiters.element.empty() ? ' ' : delimiters.element[0]; }
    char component() const { return delimiters.component.empty() ? ' ' : delimiters.component[0]; }
};

// Reads a file's segments, setting the meter as it goes (nothing for a
// missing file). Open and read failures are shown.
std::shared_ptr<const SegmentList> readSegmentList(const std::string& fileName, const ScopedMeter* meter = nullptr);

// CTLD51200B and CTLD51200C: the element rule of File Information.
std::string CTLD51200B(const std::string& segment, char separator, std::size_t n);
std::size_t CTLD51200C(const std::string& segment, char separator);

// A composite element: it holds the component separator anywhere but in
// its last character.
bool isCompositeElement(std::string_view element, char component);

// Lists one file under a new root of the tree ("Base File:" + name, ...):
// its segments are added when the root is opened, each segment's elements
// and components when the segment's node is opened (from `list`: keep it
// while the tree is shown). A file without segments gets the root alone.
void listSegments(const std::shared_ptr<const SegmentList>& list, const std::string& rootText, ToolTree& tree);
// The same for a file read here; answers its segments.
std::shared_ptr<const SegmentList> listSegments(const std::string& fileName, const std::string& rootText,
                                                ToolTree& tree, const ScopedMeter* meter = nullptr);

// CTLD51200G: the comparison nodes under `root` and the report. Positions
// past the shorter file are reported too (a truncated file is not equal):
// "Missing Segment " + id + " - " for a segment only the base holds,
// "Missing Segment  - " + id for one only the compared file holds. Only the
// differences are kept: a matched segment's element nodes are built from the
// two lists when its node is opened.
// Both lists must outlive the tree.
std::string CTLD51200G(ToolTree& tree, ToolNode root, const SegmentList& base, const SegmentList& compare);

// CTLD51200A: both files listed in the left tree, compared into the right
// one; answers the report text, and both files' segments, which the trees'
// nodes read as they are opened: keep the result while the trees are shown.
// Each file is read once; the same file named twice is read once and shared.
struct CompareResult {
    std::string report;
    std::shared_ptr<const SegmentList> base, compare;
};
CompareResult CTLD51200A(const std::string& baseFile, const std::string& compareFile, ToolTree& left,
                         ToolTree& right);

}  // namespace zr
