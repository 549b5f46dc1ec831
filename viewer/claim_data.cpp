#include "claim_data.hpp"

#include <algorithm>
#include <cmath>

#include "claim_finders.hpp"
#include "output_mode.hpp"
#include "placeholders.hpp"
#include "x12_generation.hpp"
#include "report_lines.hpp"
#include "text.hpp"

namespace zr {

namespace {

bool isMode(double mode, double value) { return std::fabs(mode - value) < 1e-9; }

// The claim's own rows after its first: (row, segment note, element note)
// for each row that carries a note.
struct NotedRow {
    std::size_t row;
    std::string segmentNote, elementNote;
};
std::vector<NotedRow> notedRows(const ClaimFields& f, long long k) {
    const SegmentTable& t = f.table();
    const ClaimIndex& index = f.index();
    std::vector<NotedRow> out;
    if (k <= 0 || index.empty() || static_cast<std::size_t>(k) > index.size()) return out;
    const std::uint32_t key = claimKey(t, index, static_cast<std::size_t>(k));
    for (std::size_t r = index[static_cast<std::size_t>(k) - 1] + 1; key && r <= t.size() && t.claim(r).inSet == key;
         ++r) {
        const std::string seg = t.segmentNotes(r).empty() ? "" : t.segmentNotes(r).front();
        const std::string elem = t.elementNotes(r).empty() ? "" : t.elementNotes(r).front();
        if (!seg.empty() || !elem.empty()) out.push_back({r, seg, elem});
    }
    return out;
}

std::vector<std::string> errorNoteLines(const ClaimFields& f, long long k) {
    const std::vector<NotedRow> rows = notedRows(f, k);
    if (rows.empty()) return {};
    std::vector<std::string> lines{"ERRORS NOTED: "};
    for (const NotedRow& n : rows) {
        if (!n.segmentNote.empty()) lines.push_back("  Segment Error Note: " + n.segmentNote);
        if (!n.elementNote.empty()) lines.push_back("  Element Error Note: " + n.elementNote);
        lines.push_back("      Segment Number: " + std::to_string(n.row));
        lines.push_back("                Data: " + std::string(f.table().text(n.row)));
        lines.push_back("");
    }
    return lines;
}

// Mode 103: the detail laid out for the PDF writer, whose steps write
// nothing here; the claim's heading is the answer.
std::string pdfDetail(const ClaimFields& fields, long long k) {
    const std::string heading = "Claim # :" + std::to_string(k);
    PDFNEWPAGE("LETTER", "PORTRAIT");
    PDFATSAY(heading, 750, 20);
    int y = 750;
    for (const std::string& line : claimDetailLines(fields, k)) {
        y -= 12;
        if (y < 40) {
            PDFNEWPAGE("LETTER", "PORTRAIT");
            y = 750;
        }
        PDFATSAY(line, y, 20);
    }
    return heading;
}

}  // namespace

std::string claimDataClaimType(const ClaimFields& fields, std::size_t claimCount) {
    return wl::upper(fields.claim(1, static_cast<long long>(claimCount), "CLAIMTYPE"));
}

std::vector<std::string> claimDetailLines(const ClaimFields& fields, long long k) {
    const int clms = static_cast<int>(fields.clmCount(k));
    return CTL39403C({""}, fields, k, ClaimView::Detail, clms < 1 ? 1 : clms);
}

ClaimView CTL39403E(ClaimView view) {
    switch (view) {
    case ClaimView::Detail: return ClaimView::ByLoop;
    case ClaimView::ByLoop: return ClaimView::ByFormBox;
    case ClaimView::ByFormBox: return ClaimView::Detail;
    }
    return ClaimView::Detail;
}

std::string CTL39403A(const std::vector<std::string>& lines, std::size_t i) {
    return i >= 1 && i <= lines.size() ? lines[i - 1] : std::string();
}

std::string CTL39403B(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) out += lines[i] + "\r\n";
    return out;
}

std::vector<std::string> CTL39403D(const ClaimFields& fields, long long k, const ViewerFieldLists& lists) {
    const std::vector<std::string>& names = lists.screen[0];
    const bool listsFields = !names.empty() && !names.front().empty();
    if (!listsFields) return errorNoteLines(fields, k);
    std::vector<std::string> page(64);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int width = listNumber(lists.screen[1], i), line = listNumber(lists.screen[2], i),
                  column = listNumber(lists.screen[3], i);
        if (width <= 0 || line <= 0 || line >= 61 || column <= 0) continue;
        std::string& at = page[static_cast<std::size_t>(line - 1)];
        at = fillToColumn(at, static_cast<std::size_t>(column)) +
             fields.claim(1, k, names[i]).substr(0, static_cast<std::size_t>(width));
    }
    return page;
}

ClaimDataLines::ClaimDataLines(const ClaimFields& fields, long long k)
    : fields_(&fields), k_(k), lines_(claimDetailLines(fields, k)) {}

void ClaimDataLines::changeView() {
    view_ = CTL39403E(view_);
    lines_ = CTL39403C({""}, *fields_, k_, view_, 1);
}

ClaimDataButtons claimDataButtons(double mode, const std::string& claimType, ViewerState state) {
    ClaimDataButtons b;
    const bool aboveOne = mode > 1;
    const bool interactive = state == ViewerState::Interactive;
    b.cms1500 = aboveOne && wl::prefixMatch(claimType, "PROFESSIONAL");
    b.create837 = b.create276 = b.viewData = aboveOne && interactive;
    return b;
}

std::optional<std::string> claimDataOutput(const ClaimDataCall& call, const ClaimFields& fields) {
    const double mode = call.mode;
    if (isMode(mode, 103)) return pdfDetail(fields, call.claim);
    for (int report : {100, 101, 102})
        if (isMode(mode, report)) return reportLines(claimDetailLines(fields, call.claim), report);
    // The derived files' pieces: the 837, the 276 request, the HL7 text;
    // the 835 and 997 pieces of an 837 claim are empty.
    const bool writer = claimDataPieceOf(mode) || (mode >= 110 && mode <= 114 && isMode(mode, std::floor(mode)));
    if (writer)
        return claimWriterPiece(mode, fields, call.claimCount, static_cast<std::size_t>(std::max(0LL, call.claim)),
                                generatorContext(call.currentFolder, call.fileName));
    return std::nullopt;
}

}  // namespace zr
