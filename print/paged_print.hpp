// The paged print of listings and of an X12 file's segment dump, laid out
// without a printer: pages of texts at pixel positions on a grid of lines
// and columns derived from the printer's resolution, and the same lines as
// the text that the file and clipboard devices receive. The screens half
// (print/screens/paged_print_window) draws the pages through the printer.
#pragma once

#include <string>
#include <vector>

#include "application.hpp"
#include "segment_table.hpp"

namespace zr {

enum class PrintOrientation { Portrait = 1, Landscape = 2 };

// The device chosen in "Send to:": "A" printer (with preview), "B" file,
// "C" clipboard, "Z" cancel, "" when the dialog was closed.
enum class PrintDevice { Printer, File, Clipboard, Cancel, None };
std::string deviceLetter(PrintDevice device);

// Line height and column width in printer pixels.
struct PageGrid {
    int lineHeight = 0;
    int columnWidth = 0;
    bool usable() const { return lineHeight > 0 && columnWidth > 0; }
};

// The listing grid: a page 11 inches high and 8 wide at the printer's
// pixels per inch, 66 by 80 (portrait) or 92 by 120 (landscape). A
// resolution of 0 gives an unusable grid.
PageGrid listingGrid(int pixelsPerInchX, int pixelsPerInchY, PrintOrientation orientation);

struct PlacedText {
    int y = 0;
    int x = 0;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};
using PrintedPage = std::vector<PlacedText>;

// Time (HH:MM:SS) and date in the form in force, as the header prints them.
struct PrintStamp {
    std::string time;
    std::string date;
};
// The stamp of now: MM/DD/YY, or YYYY/MM/DD once an X12 report was written
// in this process.
PrintStamp printStampNow(const Application& app = application());

// CTL394PRTD: the listing's page header at y (pixels) on page `page`;
// answers the y below it.
int CTL394PRTD(PrintedPage& page, const PageGrid& grid, int y, int pageNumber, const std::string& title,
               PrintOrientation orientation, const PrintStamp& stamp);

// CTL394PRTC's pages: the lines, "Continued." at each page's foot, the
// header on each page and "End of " + title + "." on the last. A list of
// one blank line gives no pages.
std::vector<PrintedPage> listingPages(const std::vector<std::string>& lines, const std::string& title,
                                      PrintOrientation orientation, const PageGrid& grid, const PrintStamp& stamp);

// The text the file and clipboard devices receive: each line and CR LF.
std::string listingText(const std::vector<std::string>& lines);

// True for a list of exactly one blank line (nothing is printed).
bool blankListing(const std::vector<std::string>& lines);

// One print line of the segment dump: its text with prefix and markers, and
// the note lines that follow it.
struct DumpLine {
    std::string text;
    std::vector<std::string> notes;
};

// CTL394PRTA's lines: the file's bytes cut into print lines (at the
// terminator, kept, and after 80 characters), prefixed with the line
// number, markers "*" before the first print line of a segment that has a
// segment or element note, and the notes after its last print line. Notes
// belong to segments, counted by terminator apart from the print lines, so
// a segment longer than 80 characters moves no note; the envelope segments
// (the first three and the last three rows) carry none.
std::vector<DumpLine> dumpLines(const std::string& bytes, char terminator, const SegmentTable& table);

// CTL394PRTB: the dump's page header; answers the y of the body.
int CTL394PRTB(PrintedPage& page, const PageGrid& grid, int pageNumber, const std::string& fileName,
               const PrintStamp& stamp);

// The dump's pages (portrait grid) and the dump as text.
std::vector<PrintedPage> dumpPages(const std::vector<DumpLine>& lines, const std::string& fileName,
                                   const PageGrid& grid, const PrintStamp& stamp);
std::string dumpText(const std::vector<DumpLine>& lines);

// The date form of the headers: set once an X12 report has been written.
void useReportDateForm(Application& app = application());

}  // namespace zr
