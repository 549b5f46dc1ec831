#include "paged_print.hpp"

#include <chrono>
#include <ctime>

#include "text.hpp"

namespace zr {

namespace {

// The headers start at the top of the printable area: a fixed offset of
// 100 pixels put their rule over the first body line on every printer of
// 300 pixels per inch and more.
constexpr int kHeaderTop = 0;

std::string twoDigits(int n) { return wl::padLeft(std::to_string(n), 2, '0'); }

std::string pageText(int pageNumber) { return "      Page :" + wl::padLeft(std::to_string(pageNumber), 3); }

// Page, time and date at the header's right-hand columns.
void stampLines(PrintedPage& page, const PageGrid& grid, int pageNumber, const PrintStamp& stamp,
                const int (&columns)[3]) {
    page.push_back({kHeaderTop + grid.lineHeight, columns[0] * grid.columnWidth, pageText(pageNumber)});
    page.push_back({kHeaderTop + 2 * grid.lineHeight, columns[1] * grid.columnWidth, "Print Time : " + stamp.time});
    page.push_back({kHeaderTop + 3 * grid.lineHeight, columns[2] * grid.columnWidth, "Print Date : " + stamp.date});
}

// Segment numbers whose notes are printed: not the envelope rows.
bool dumpNotesShown(std::size_t segment, std::size_t rowCount) {
    return segment > 3 && segment + 2 < rowCount && segment <= rowCount;
}

std::string noteOf(const std::vector<std::string>& notes) {
    return notes.empty() ? std::string() : wl::alltrim(notes.front());
}

}  // namespace

std::string deviceLetter(PrintDevice device) {
    switch (device) {
        case PrintDevice::Printer: return "A";
        case PrintDevice::File: return "B";
        case PrintDevice::Clipboard: return "C";
        case PrintDevice::Cancel: return "Z";
        case PrintDevice::None: break;
    }
    return "";
}

PageGrid listingGrid(int pixelsPerInchX, int pixelsPerInchY, PrintOrientation orientation) {
    const int height = pixelsPerInchY * 11, width = pixelsPerInchX * 8;
    if (orientation == PrintOrientation::Landscape) return {height / 92, width / 120};
    return {height / 66, width / 80};
}

void useReportDateForm(Application& app) { app.module.reportDateForm = true; }

PrintStamp printStampNow(const Application& app) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm t{};
#ifdef _WIN32
    localtime_s(&t, &now);
#else
    localtime_r(&now, &t);
#endif
    PrintStamp s;
    s.time = twoDigits(t.tm_hour) + ":" + twoDigits(t.tm_min) + ":" + twoDigits(t.tm_sec);
    if (app.module.reportDateForm)
        s.date = std::to_string(t.tm_year + 1900) + "/" + twoDigits(t.tm_mon + 1) + "/" + twoDigits(t.tm_mday);
    else
        s.date = twoDigits(t.tm_mon + 1) + "/" + twoDigits(t.tm_mday) + "/" + twoDigits(t.tm_year % 100);
    return s;
}

int CTL394PRTD(PrintedPage& page, const PageGrid& grid, int y, int pageNumber, const std::string& title,
               PrintOrientation orientation, const PrintStamp& stamp) {
    const bool landscape = orientation == PrintOrientation::Landscape;
    page.push_back({kHeaderTop + 2 * grid.lineHeight, 2 * grid.columnWidth, title});
    if (landscape)
        stampLines(page, grid, pageNumber, stamp, {138, 132, 132});
    else
        stampLines(page, grid, pageNumber, stamp, {52, 52, 52});
    page.push_back({kHeaderTop + 4 * grid.lineHeight, 0, std::string(landscape ? 148 : 80, '=')});
    return y + 3 * grid.lineHeight;
}

bool blankListing(const std::vector<std::string>& lines) {
    return lines.size() == 1 && wl::alltrim(lines.front()).empty();
}

std::vector<PrintedPage> listingPages(const std::vector<std::string>& lines, const std::string& title,
                                      PrintOrientation orientation, const PageGrid& grid, const PrintStamp& stamp) {
    std::vector<PrintedPage> pages;
    if (blankListing(lines) || !grid.usable()) return pages;
    const bool landscape = orientation == PrintOrientation::Landscape;
    const int breakAfter = (landscape ? 46 : 56) * grid.lineHeight;
    const int foot = (landscape ? 49 : 59) * grid.lineHeight;
    int pageNumber = 1;
    pages.emplace_back();
    int y = CTL394PRTD(pages.back(), grid, 2 * grid.lineHeight, pageNumber, title, orientation, stamp);
    for (const std::string& line : lines) {
        pages.back().push_back({y, 2 * grid.columnWidth, line});
        y += grid.lineHeight;
        if (y > breakAfter) {
            pages.back().push_back({foot, 60 * grid.columnWidth, "Continued."});
            pages.emplace_back();
            y = CTL394PRTD(pages.back(), grid, 2 * grid.lineHeight, ++pageNumber, title, orientation, stamp);
        }
    }
    pages.back().push_back({foot, 36 * grid.columnWidth, "End of " + title + "."});
    return pages;
}

std::string listingText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<DumpLine> dumpLines(const std::string& bytes, char terminator, const SegmentTable& table) {
    struct Cut {
        std::string text;
        std::size_t segment;
        bool first;  // the segment's first print line
        bool last;   // its last
    };
    std::vector<Cut> cuts;
    std::size_t segment = 1;
    bool segmentStarts = true;
    std::string current;
    auto endLine = [&](bool segmentEnds) {
        cuts.push_back({current, segment, segmentStarts, segmentEnds});
        current.clear();
        segmentStarts = segmentEnds;
        if (segmentEnds) ++segment;
    };
    for (const char c : bytes) {
        if ((c == '\r' || c == '\n') && c != terminator) continue;
        current += c;
        if (c == terminator)
            endLine(true);
        else if (current.size() == 80)
            endLine(false);
    }
    if (!current.empty()) endLine(true);

    std::vector<DumpLine> out;
    const std::size_t rows = table.size();
    for (std::size_t m = 1; m <= cuts.size(); ++m) {
        const Cut& cut = cuts[m - 1];
        const bool shown = dumpNotesShown(cut.segment, rows);
        const std::string segmentNote = shown ? noteOf(table.segmentNotes(cut.segment)) : "";
        const std::string elementNote = shown ? noteOf(table.elementNotes(cut.segment)) : "";
        DumpLine line;
        if (cut.first) {
            if (segmentNote.size() > 1) line.text += "*";
            if (elementNote.size() > 1) line.text += "*";
        }
        line.text += (m <= 3 ? std::string("    ") : std::to_string(m - 3)) + "> " + cut.text;
        if (cut.last) {
            if (segmentNote.size() > 1) line.notes.push_back(std::string(10, ' ') + "- Segment Error : " + segmentNote);
            if (elementNote.size() > 1) line.notes.push_back(std::string(15, ' ') + "- Element Error : " + elementNote);
        }
        out.push_back(std::move(line));
    }
    return out;
}

int CTL394PRTB(PrintedPage& page, const PageGrid& grid, int pageNumber, const std::string& fileName,
               const PrintStamp& stamp) {
    page.push_back({kHeaderTop, 2 * grid.columnWidth, "ANSI X12 837 File Printing (80 column segment dump)"});
    page.push_back({kHeaderTop + 2 * grid.lineHeight, 2 * grid.columnWidth, "  File : " + fileName});
    stampLines(page, grid, pageNumber, stamp, {52, 52, 52});
    page.push_back({kHeaderTop + 4 * grid.lineHeight, 0, std::string(80, '=')});
    return 6 * grid.lineHeight;
}

std::vector<PrintedPage> dumpPages(const std::vector<DumpLine>& lines, const std::string& fileName,
                                   const PageGrid& grid, const PrintStamp& stamp) {
    std::vector<PrintedPage> pages;
    if (!grid.usable()) return pages;
    int pageNumber = 1;
    pages.emplace_back();
    int y = CTL394PRTB(pages.back(), grid, pageNumber, fileName, stamp);
    auto put = [&](const std::string& text) {
        pages.back().push_back({y, 2 * grid.columnWidth, text});
        y += grid.lineHeight;
        if (y > 58 * grid.lineHeight) {
            pages.back().push_back({59 * grid.lineHeight, 0, std::string(80, '=')});
            pages.back().push_back({60 * grid.lineHeight, 50 * grid.columnWidth, "Continued on next page."});
            pages.emplace_back();
            y = CTL394PRTB(pages.back(), grid, ++pageNumber, fileName, stamp);
        }
    };
    for (const DumpLine& line : lines) {
        put(line.text);
        for (const std::string& note : line.notes) put(note);
    }
    // The closing rule stands at line 55: a body reaching past it goes on a
    // page of its own rather than under the rule.
    if (y > 55 * grid.lineHeight) {
        pages.back().push_back({60 * grid.lineHeight, 50 * grid.columnWidth, "Continued on next page."});
        pages.emplace_back();
        CTL394PRTB(pages.back(), grid, ++pageNumber, fileName, stamp);
    }
    pages.back().push_back({55 * grid.lineHeight, 0, std::string(80, '=')});
    pages.back().push_back({56 * grid.lineHeight, 50 * grid.columnWidth, "End of X12 File Printing."});
    return pages;
}

std::string dumpText(const std::vector<DumpLine>& lines) {
    std::string text;
    for (const DumpLine& line : lines) {
        text += line.text + "\r\n";
        for (const std::string& note : line.notes) text += note + "\r\n";
    }
    return text;
}

}  // namespace zr
