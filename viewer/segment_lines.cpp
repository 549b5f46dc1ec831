#include "segment_lines.hpp"

#include "elements.hpp"
#include "text.hpp"

namespace zr {

namespace {

// How a family's list line is made: the segment list's five views, or the
// older four-view builders.
struct LineStyle {
    bool fifthView = true;          // view 5 numbers rows as they are
    bool trimmedNotes = true;       // a note's trailing blanks do not count
    std::size_t loopWidth = 6;      // the loop id's column
    bool stFirstOwnNumbers = true;  // an ST-first table shows its own row numbers
};

constexpr LineStyle kSegmentListStyle{};
constexpr LineStyle kOlderStyle{false, false, 16, false};

std::string noteOf(const std::vector<std::string>& notes, const LineStyle& style) {
    if (notes.empty()) return "";
    return style.trimmedNotes ? wl::rtrim(notes.front()) : notes.front();
}

// The row number as the list shows it: six characters and ">"; an
// ISA-first table numbers from its ST (row 3) and leaves the two envelope
// rows blank.
std::string rowNumber(const SegmentTable& table, std::size_t row, int view, const LineStyle& style) {
    const bool isaFirst = table.size() != 0 && table.id(1) == "ISA";
    if ((style.fifthView && view == 5) || (style.stFirstOwnNumbers && !isaFirst))
        return wl::padLeft(std::to_string(row), 6) + ">";
    if (isaFirst && row < 3) return std::string(7, ' ');
    return wl::padLeft(std::to_string(static_cast<long long>(row) - 2), 6) + ">";
}

std::string listLine(const SegmentTable& table, std::size_t row, int view, const LineStyle& style) {
    const std::string segNote = noteOf(table.segmentNotes(row), style);
    const std::string elemNote = noteOf(table.elementNotes(row), style);
    const bool segErr = segNote.size() > 1, elemErr = elemNote.size() > 1;
    std::string line;
    if (view == 1) {
        if (segErr) line += '*';
        if (elemErr) line += '*';
    }
    line += rowNumber(table, row, view, style);
    // A file written with a line break after each terminator keeps it at the
    // start of the next segment's text: not part of what the list shows.
    const std::string text = wl::ltrim(table.text(row));
    switch (view) {
    case 1: {
        line += wl::padRight(table.loopId(row), style.loopWidth);
        const int level = table.levelNumber(row);
        if (level > 0) line.append(static_cast<std::size_t>(level), '-');
        line += ' ' + text;
        if (segErr && elemErr) line += "  Error";
        else if (segErr) line += "  Segment Error";
        else if (elemErr) line += "  Element Error";
        break;
    }
    case 3: line += " - " + std::string(table.id(row)) + ' ' + segNote; break;
    case 4: line += " - " + std::string(table.id(row)) + ' ' + elemNote; break;
    default: line += " - " + text; break;
    }
    return line;
}

}  // namespace

std::string CTL39400A(const SegmentTable& table, int, std::size_t row, int view) {
    return listLine(table, row, view, kSegmentListStyle);
}

std::string olderSegmentLine(const SegmentTable& table, std::size_t row, int view) {
    return listLine(table, row, view, kOlderStyle);
}

std::string CTL39400N(int view) {
    switch (view) {
    case 1: return "Loop     Segment ID";
    case 2: return "Data Segment";
    case 3: return "ID   Segment Error Note";
    case 4: return "ID   Element Error Note";
    case 5: return "Data Segment +2";
    default: return "";
    }
}

int CTL39400M(int view) { return view >= 1 && view < 5 ? view + 1 : 1; }

namespace {
const std::string& itemOf(const std::vector<std::string>& list, std::size_t n) {
    static const std::string none;
    return n >= 1 && n <= list.size() ? list[n - 1] : none;
}
}  // namespace

std::string CTL39405V(const std::vector<std::string>& list, std::size_t n) {
    return std::to_string(n) + ' ' + itemOf(list, n);
}

std::string CTL39406V(const std::vector<std::string>& list, std::size_t n) {
    // Filled, never cut: claim 100000 keeps its last digit.
    std::string number = std::to_string(n);
    if (number.size() < 5) number.append(5 - number.size(), ' ');
    return number + ' ' + itemOf(list, n);
}

std::string CTL39408V(const std::vector<std::string>& list, std::size_t n) { return itemOf(list, n); }

std::string CTL39412V(const std::vector<std::string>& list, std::size_t n, int kind) {
    return kind == 1 ? "  " + itemOf(list, n) : CTL39405V(list, n);
}

bool holdsNoCase(std::string_view text, std::string_view what) {
    if (what.empty() || what.size() > text.size()) return false;
    for (std::size_t at = 0; at + what.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < what.size() && wl::upperChar(text[at + i]) == wl::upperChar(what[i])) ++i;
        if (i == what.size()) return true;
    }
    return false;
}

std::size_t CTL39400R(const SegmentTable& table, std::size_t rowCount, std::size_t start, const std::string& text) {
    const std::string what = wl::alltrim(text);
    if (what.empty()) return start;
    const std::size_t last = std::min(rowCount, table.size());
    for (std::size_t r = start + 1; r <= last; ++r)
        if (holdsNoCase(table.text(r), what)) return r;
    return start;
}

std::string seekPromptText(const std::string& text) { return text.size() >= 40 ? text : wl::padRight(text, 40); }

std::vector<std::string> elementLines(const std::string& segmentText, const X12Delimiters& delimiters) {
    std::vector<std::string> lines;
    const int pieces = CTL39400F(segmentText, delimiters.element);
    for (int k = 1; k < pieces; ++k) {
        const std::string element(CTL39400AU(segmentText, k, delimiters.element));
        const int components = delimiters.component.empty() ? 1 : CTL39400F(element, delimiters.component);
        std::string line = "Element " + std::to_string(k) + " = ";
        if (components > 1) line += std::to_string(components) + " Subelements ";
        lines.push_back(line + element);
    }
    return lines;
}

}  // namespace zr
