#include "claims_screen_window.hpp"

#include "acknowledgement.hpp"
#include "claim_data_window.hpp"
#include "claim_files.hpp"
#include "claim_data.hpp"
#include "claim_form_window.hpp"
#include "claims_listing.hpp"
#include "export_dialog_window.hpp"
#include "format_picker.hpp"
#include "messages.hpp"
#include "prompts.hpp"
#include "report_writer.hpp"
#include "report_writer_window.hpp"
#include "segment_lines.hpp"
#include "segment_list_window.hpp"
#include "text.hpp"
#include "x12_generation.hpp"

namespace zr {

namespace {

// Each claim's report values, read with that claim's own CLM count.
std::vector<ReportClaim> reportClaims(const ClaimFields& fields, std::size_t count) {
    std::vector<ReportClaim> claims;
    for (std::size_t k = 1; k <= count; ++k) {
        const auto kk = static_cast<long long>(k);
        const int j = static_cast<int>(fields.clmCount(kk));
        claims.push_back({fields.claim(j, kk, "SUBFNAME"), fields.claim(j, kk, "SUBMI"),
                          fields.claim(j, kk, "SUBLNAME"), fields.claim(j, kk, "CLAIMID"),
                          fields.claim(j, kk, "CLAIMAMT"), claimDetailLines(fields, kk)});
    }
    return claims;
}

std::string joinedRows(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& r : rows) out += r + "\r\n";
    return out;
}

// What the claims screen hands the Claim Data dialog for claim k.
ClaimDataCall claimDataCall(const TransactionScreenCall& call, long long k, std::size_t claimCount) {
    ClaimDataCall c;
    c.claim = k;
    c.table = call.table;
    c.delimiters = call.delimiters;
    c.fields = call.fields;
    c.fileName = call.fileName;
    c.mode = call.mode;
    c.claims = call.claims;
    c.startFolder = call.startFolder;
    c.currentFolder = call.currentFolder;
    c.claimCount = claimCount;
    c.app = call.app;
    return c;
}

void showClaimsScreen(const TransactionScreenCall& call, ClaimsListing listing, const ViewerUi& ui) {
    // The acknowledgement's notes go on a copy: the caller's table stays as loaded.
    std::optional<SegmentTable> acknowledged;
    std::vector<std::string> rows = std::move(listing.rows);
    std::string footer = listing.footer;
    std::string lastSearch;

    ViewerDialog d(claimsScreenTitle(call.setId, call.version, listing.claimType), 600, 400);
    wl::TWBrowse* browse = nullptr;
    auto lineOf = [&](std::size_t k) { return k >= 1 && k <= rows.size() ? CTL39406V(rows, k) : std::string(); };
    browse = &d.arrayList(30, 10, 280, 130, "Claim", lineOf, [&] { return static_cast<int>(rows.size()); });
    wl::TSay& foot = d.label(160, 10, 150, 20, [&] { return footer; }, 2);

    d.button(10, 230, 50, 12, "Exit", [&] { d.close(); });
    d.button(10, 170, 50, 12, "Select", [&] {
        // Without claims the only row names none.
        if (listing.claims == 0) return;
        ClaimDataCall data = claimDataCall(call, static_cast<long long>(browse->nAt), listing.claims);
        if (acknowledged) data.table = &*acknowledged;
        CTLD39403(data, ui);
    });
    d.button(10, 110, 50, 12, "Print", [&] {
        std::vector<std::string> lines;
        for (std::size_t k = 1; k <= rows.size(); ++k) lines.push_back(lineOf(k));
        CTL394PRTC(lines, "X12 837 Claim Data", PrintOrientation::Portrait, ui.print);
    });
    d.button(180, 70, 60, 12, "Load 997/999", [&] {
        const std::string file = CTL39400Q(0, "*.*");
        if (file.empty()) return;
        acknowledged = CTL39400O(file, acknowledged ? *acknowledged : *call.table);
        footer = CTL39400P(file, *acknowledged, 1);
        rows = CTL39406E(ClaimFields(*acknowledged, call.claims));
        foot.SetText(wl::Value(footer));
        browse->Display();
    });
    d.button(10, 50, 50, 12, "View Data", [&] {
        TransactionScreenCall list = call;
        if (acknowledged) list.table = &*acknowledged;
        showSegmentList(list, ui);
    });
    d.button(180, 10, 50, 12, "Search", [&] {
        lastSearch = wl::alltrim(CTL394SEEK(wl::alltrim(lastSearch), ui));
        browse->GoTop();
        // From before the first row: a text in the first claim's row is found.
        const ClaimsSearch found = CTL39406AI(rows, 0, lastSearch);
        if (found.found && found.row >= 1) browse->Skip(static_cast<int>(found.row) - 1);
        browse->Display();
        if (!found.found) wl::MSGINFO(lastSearch + " Not Found");
    });
    if (showsModeAboveOneButtons(call.mode)) {
        d.button(180, 240, 50, 12, "Export", [&] { CTLD39404(exportDialogCall(call, 1), ui); });
        if (wl::prefixMatch(listing.claimType, "PROFESSIONAL"))
            d.button(165, 180, 50, 12, "CMS-1500", [&] {
                const ClaimFields fields(*call.table, call.claims, call.currentFolder);
                // The form printer reads "form.cfg" of the working folder.
                CTL394PRTP(fields, static_cast<long long>(listing.claims), "",
                           [&](const std::function<void()>& formControl) {
                               return CTLD39417(3, "", [formControl](const std::string&) { formControl(); }, ui);
                           },
                           ui.print);
            });
        d.button(180, 180, 50, 12, "Format", [&] { CTL394RPTA("", call, 1, ui); });
        d.button(165, 240, 50, 12, "Create 276", [&] {
            const ClaimFields fields(acknowledged ? *acknowledged : *call.table, call.claims, call.currentFolder);
            CTL39406AC(fields, listing.claims, call.currentFolder, call.startFolder, 0, 1,
                       generatorContext(call.currentFolder, call.fileName));
        });
    }
    d.run(ui, [&] {
        std::vector<std::string> lines;
        for (std::size_t k = 1; k <= rows.size() && k <= 12; ++k) lines.push_back(lineOf(k));
        lines.push_back(footer);
        return ShownDialog{"", nullptr, lines, browse ? static_cast<std::size_t>(browse->nAt) : 1};
    });
}

}  // namespace

namespace {

// Modes 105-108: the claims' CMS-1500 forms on the printer, as text, as
// PDF or as screen pictures.
std::string claimForms(const TransactionScreenCall& call, const ClaimFields& fields, long long count,
                       const ViewerUi& ui) {
    switch (call.outputMode()) {
    case OutputMode::Cms1500Print: return CTL394PRTI(fields, 1, count, "", ui.print);
    case OutputMode::Cms1500Text: return CTL394PRTN(cms1500Range(fields, 1, count));
    case OutputMode::Cms1500Pdf: return CTL394PRTM(fields, 1, count, call.startFolder, ui.print);
    case OutputMode::Cms1500Screen:
        return CTL394PRTO(fields, 1, count, call.startFolder, [&] { return CTLD39417(4, "", {}, ui); });
    default: return "";
    }
}

}  // namespace

std::string CTLD39406(const TransactionScreenCall& call, const ViewerUi& ui) {
    if (!call.table) return "";
    const ClaimFields fields(*call.table, call.claims, call.currentFolder);
    ClaimsListing listing = CTL39406B(fields, call.fields);
    switch (claimsScreenAction(call.mode)) {
    case ClaimsScreenAction::Listing: return joinedRows(listing.rows);
    case ClaimsScreenAction::Export: return CTLD39404(exportDialogCall(call, 1), ui);
    case ClaimsScreenAction::OpenScreen: showClaimsScreen(call, std::move(listing), ui); return "";
    case ClaimsScreenAction::Cms1500: return claimForms(call, fields, static_cast<long long>(listing.claims), ui);
    case ClaimsScreenAction::WriteFiles:
        return writeClaimFiles(call.mode, fields, listing.claims, call.request, call.currentFolder,
                               generatorContext(call.currentFolder, call.fileName))
            .text;
    case ClaimsScreenAction::Report: {
        const ClaimFields fields(*call.table, call.claims, call.currentFolder);
        return claimsReportPart(call.mode, reportClaims(fields, listing.claims), listing.claimType, call.fileName);
    }
    default: return "";
    }
}

}  // namespace zr
