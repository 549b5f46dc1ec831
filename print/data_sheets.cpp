#include "data_sheets.hpp"

#include "acknowledgement_screen.hpp"
#include "message_screen.hpp"
#include "text.hpp"

namespace zr {

namespace {

// A 999 reports its segment and element errors as IK3 and IK4.
bool segmentError(const std::string& id) { return id == "AK3" || id == "IK3"; }
bool elementError(const std::string& id) { return id == "AK4" || id == "IK4"; }

}  // namespace

std::size_t acknowledgementSheetErrors(const SegmentTable& table) {
    std::size_t n = 0;
    for (std::size_t item = 1; item <= CTL39408AA(table); ++item)
        if (segmentError(CTL39408AB(table, item, 0))) ++n;
    return n;
}

std::vector<std::string> acknowledgementSheetLines(const SegmentTable& table) {
    std::vector<std::string> lines;
    std::size_t n = 0;
    for (std::size_t item = 1; item <= CTL39408AA(table); ++item) {
        const std::string id = CTL39408AB(table, item, 0);
        auto field = [&](int f) { return CTL39408AB(table, item, f); };
        if (segmentError(id)) {
            lines.push_back(std::to_string(++n) + ") In Segment " + field(2) + ", Loop " + field(3) + ", the " +
                            field(1));
            lines.push_back("   " + field(4) + ".");
        } else if (elementError(id)) {
            lines.push_back("   - Within this segment, element " + field(5));
            lines.push_back("     which is element " + field(6) + " of the transaction,");
            lines.push_back("     has " + field(7) + ".");
            lines.push_back("");
        }
    }
    if (lines.empty()) lines.push_back("");
    return lines;
}

int CTL394PRTF(PrintedPage& page, const PageGrid& grid, int y, int pageNumber, const SegmentTable& table,
               const PrintStamp& stamp) {
    auto value = [&](int n) { return CTL39408AC(table, n); };
    const std::vector<std::string> lines = {
        "ANSI X12 997 Acknowledgement Data Sheet",
        "Total Error Count = " + std::to_string(acknowledgementSheetErrors(table)),
        "",
        "Interchange Acknowledgment Control Number :  " + value(5),
        "Interchange Acknowledgement Date-Time :  " + value(6) + " " + value(7),
        "Interchange Acknowledgement Code : " + value(8),
        "Interchange Acknowledgement Note :  " + value(9),
        "Group Control Number :  " + value(1),
        "Transaction Set Control Number :  " + value(2),
        "Transaction Set Acknowledgement Code :  " + value(3),
        "Transaction Set Error Code :  " + value(4),
    };
    for (std::size_t i = 0; i < lines.size(); ++i)
        page.push_back({y + static_cast<int>(i) * grid.lineHeight, 2 * grid.columnWidth, lines[i]});
    const int x = 52 * grid.columnWidth;
    page.push_back({y + grid.lineHeight, x, "      Page :" + wl::padLeft(std::to_string(pageNumber), 3)});
    page.push_back({y + 2 * grid.lineHeight, x, "Print Time : " + stamp.time});
    page.push_back({y + 3 * grid.lineHeight, x, "Print Date : " + stamp.date});
    return static_cast<int>(lines.size());
}

std::vector<PrintedPage> acknowledgementSheetPages(const SegmentTable& table, const PageGrid& grid,
                                                   const PrintStamp& stamp) {
    std::vector<PrintedPage> pages;
    if (!grid.usable()) return pages;
    const std::vector<std::string> lines = acknowledgementSheetLines(table);
    int pageNumber = 1;
    int counter = 0, y = 0;
    auto newPage = [&] {
        pages.emplace_back();
        counter = CTL394PRTF(pages.back(), grid, 2 * grid.lineHeight, pageNumber++, table, stamp);
        y = (2 + counter + 2) * grid.lineHeight;
    };
    newPage();
    for (const std::string& line : lines) {
        pages.back().push_back({y, 2 * grid.columnWidth, line});
        y += grid.lineHeight;
        if (++counter > 40) {
            pages.back().push_back({59 * grid.lineHeight, 60 * grid.columnWidth, "Continued."});
            newPage();
        }
    }
    pages.back().push_back({59 * grid.lineHeight, 36 * grid.columnWidth, "End of 997 Acknowledgement Data Sheet."});
    return pages;
}

std::vector<std::string> messageReportLines(const SegmentTable& table) {
    std::vector<std::string> lines;
    for (std::size_t n = 1; n <= CTL39409AA(table); ++n) lines.push_back(CTL39409AB(table, n));
    return lines;
}

std::vector<PrintedPage> messageReportPages(const std::vector<std::string>& lines, const std::string& fileName,
                                            const PageGrid& grid, const PrintStamp& stamp) {
    std::vector<PrintedPage> pages;
    if (!grid.usable()) return pages;
    pages.emplace_back();
    int y = grid.lineHeight;
    for (const std::string& line : lines) {
        // The end line stands at line 47: a longer message goes on.
        if (y > 45 * grid.lineHeight) {
            pages.back().push_back({47 * grid.lineHeight, 60 * grid.columnWidth, "Continued."});
            pages.emplace_back();
            y = grid.lineHeight;
        }
        pages.back().push_back({y, 2 * grid.columnWidth, line});
        y += grid.lineHeight;
    }
    pages.back().push_back({47 * grid.lineHeight, 2 * grid.columnWidth,
                            "End of 864 Report." + std::string(5, ' ') + "File:" + fileName + std::string(5, ' ') +
                                "Printed:" + stamp.date + " " + stamp.time});
    return pages;
}

std::string remittanceSheetTitle(RemittanceSheet kind) {
    return kind == RemittanceSheet::Eob ? "EOB" : "Remittance Data Sheet";
}

PrintOrientation remittanceSheetOrientation(RemittanceSheet kind) {
    return kind == RemittanceSheet::Eob ? PrintOrientation::Landscape : PrintOrientation::Portrait;
}

std::vector<PrintedPage> remittanceSheetPages(const std::vector<std::vector<std::string>>& claims, RemittanceSheet kind,
                                              const PageGrid& grid, const PrintStamp& stamp) {
    std::vector<PrintedPage> pages;
    if (!grid.usable()) return pages;
    const std::string title = remittanceSheetTitle(kind);
    const PrintOrientation orientation = remittanceSheetOrientation(kind);
    // 46 lines a landscape page; a portrait page's body ends at line 56, as
    // the listings' do, above its foot line (line 64 ran off the sheet).
    const int last = (kind == RemittanceSheet::Eob ? 46 : 56) * grid.lineHeight;
    int pageNumber = 0;
    int y = 0;
    auto newPage = [&] {
        pages.emplace_back();
        ++pageNumber;
        y = 2 * grid.lineHeight;
        if (kind == RemittanceSheet::DataSheet)
            y = CTL394PRTD(pages.back(), grid, y, pageNumber, title, orientation, stamp);
    };
    for (const std::vector<std::string>& lines : claims) {
        newPage();
        for (const std::string& line : lines) {
            pages.back().push_back({y, 2 * grid.columnWidth, line});
            y += grid.lineHeight;
            if (y > last) {
                pages.back().push_back({59 * grid.lineHeight, 60 * grid.columnWidth, "Continued."});
                newPage();
            }
        }
        pages.back().push_back({59 * grid.lineHeight, 36 * grid.columnWidth, "End of " + title + "."});
    }
    return pages;
}

}  // namespace zr
