#include "full_claims_viewer.hpp"

#include "claim_finders.hpp"
#include "claims_listing.hpp"
#include "delimiters.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "viewer_settings.hpp"

namespace zr {

std::string fullViewerFileName(const std::string& fileName, const std::string& startFolder,
                               const std::string& iniFolder) {
    if (!fileName.empty() && wl::fileExists(fileName) && !wl::folderExists(fileName)) return fileName;
    wl::FileDialogRequest r;
    const std::string mask = readViewerSettings(iniFolder).fileMask;
    r.filter = mask.empty() ? "*.*" : mask;
    r.title = "Select X12 File";
    r.initialDir = startFolder;
    const std::string chosen = wl::CGETFILE(r);
    if (chosen.empty() || !wl::fileExists(chosen) || wl::folderExists(chosen)) return "";
    return chosen;
}

std::optional<FullViewerFile> loadFullViewerFile(const std::string& fileName, const std::string& iniFolder) {
    FullViewerFile f;
    f.fileName = fileName;
    f.delimiters = readDelimiters(fileName, 0);
    f.table = loadSegmentTable(fileName, f.delimiters, 0);
    if (f.table.size() == 0) return std::nullopt;
    f.claims = CTL39400C(f.table, 1);
    f.loops = CTL39400AC();
    f.checks = CTL39400T(iniFolder);
    return f;
}

std::size_t CTL39411AA(const SegmentTable& table) { return CTL39400AA("HL", table); }

std::string CTL39411AB(const SegmentTable& table, const ClaimIndex& claims, std::size_t k) {
    const std::uint32_t key = claimKey(table, claims, k);
    if (key == 0) return "";
    std::size_t clm = 0, subscriber = 0;
    for (std::size_t r = claims[k - 1]; r < table.size() && table.claim(r).inSet == key; ++r) {
        if (isSegmentRow(table, r, "CLM")) clm = r;
        // The subscriber's own NM1*IL: a later one names the other
        // insurance's subscriber, not this claim's.
        if (subscriber == 0 && isSegmentRow(table, r, "NM1") && table.element(r, 1) == "IL") subscriber = r;
    }
    const auto element = [&](std::size_t row, int n) { return row ? std::string(table.element(row, n)) : ""; };
    return element(clm, 1) + " " + element(subscriber, 3) + " " + element(clm, 2);
}

std::vector<std::string> fullViewerClaimRows(const SegmentTable& table, const ClaimIndex& claims) {
    const std::size_t n = std::min(CTL39411AA(table), claims.size());
    if (n == 0) return {"No Claims Detected"};
    std::vector<std::string> rows;
    rows.reserve(n);
    for (std::size_t k = 1; k <= n; ++k) rows.push_back(CTL39411AB(table, claims, k));
    return rows;
}

std::vector<std::string> CTL39406A(const ClaimFields& fields, const std::string& orderCode) {
    ClaimsListing all = CTL39406B(fields);
    if (orderCode == "ALL") return std::move(all.rows);
    return CTL39406DC(orderCode, fields, all.claims, all.rows);
}

}  // namespace zr
