#include "full_claims_viewer_window.hpp"

#include <tuple>

#include "claim_data_window.hpp"
#include "export_dialog_window.hpp"
#include "full_claims_viewer.hpp"
#include "pickers.hpp"
#include "segment_lines.hpp"
#include "system_info.hpp"
#include "viewer_settings.hpp"

namespace zr {

namespace {

// What the viewer hands the Claim Data dialog for claim k: the loaded
// table, its claims and the viewer's field lists.
ClaimDataCall fullViewerClaimData(const FullViewerFile& f, const ViewerSettings& settings, int mode, long long k,
                                  const std::string& startFolder, const std::string& currentFolder) {
    ClaimDataCall c;
    c.claim = k;
    c.table = &f.table;
    c.delimiters = f.delimiters;
    c.fields = &settings.fields;
    c.fileName = f.fileName;
    c.mode = mode;
    c.claims = f.claims;
    c.startFolder = startFolder;
    c.currentFolder = currentFolder;
    c.claimCount = CTL39411AA(f.table);
    return c;
}

// The picker's and the export dialog's call: the whole loaded set.
TransactionScreenCall fullViewerScreenCall(const FullViewerFile& f, const ViewerSettings& settings, int mode,
                                           const std::string& startFolder, const std::string& currentFolder) {
    TransactionScreenCall c;
    c.fileName = f.fileName;
    c.startFolder = startFolder;
    c.currentFolder = currentFolder;
    c.table = &f.table;
    c.delimiters = f.delimiters;
    c.loops = &f.loops;
    c.checks = &f.checks;
    c.fields = &settings.fields;
    c.mode = mode;
    c.claims = f.claims;
    c.setId = CTL39400AB(f.table, 1, 1, "ST");
    c.version = CTL39400AB(f.table, 1, 4, "ISA");
    return c;
}

}  // namespace

void CTLD39411(const wl::Value&, int mode, const std::string& fileName, const std::string& startFolder,
               const ViewerUi& ui) {
    const std::string currentFolder = wl::currentFolder();
    const std::string file = fullViewerFileName(fileName, startFolder, currentFolder);
    if (file.empty()) return;
    const std::optional<FullViewerFile> loaded = loadFullViewerFile(file, currentFolder);
    if (!loaded) return;
    const FullViewerFile& f = *loaded;
    const ViewerSettings settings = readViewerSettings(currentFolder);
    const ClaimFields fields(f.table, f.claims, currentFolder);
    const std::vector<std::string> claims = fullViewerClaimRows(f.table, f.claims);
    const std::vector<std::string> lines = CTL39406A(fields, "ALL");
    const std::size_t claimCount = CTL39411AA(f.table);

    ViewerDialog d("View X12 837", 600, 400);
    wl::TWBrowse& claimList =
        d.arrayList(10, 10, 200, 50, "Claim", [&](std::size_t k) { return CTL39411V(claims, k); },
                    [&] { return static_cast<int>(claims.size()); });
    d.arrayList(130, 10, 280, 60, "Line Data", [&](std::size_t k) { return CTL39406V(lines, k); },
                [&] { return static_cast<int>(lines.size()); });
    d.label(110, 200, 40, 10, [] { return std::string("test"); });
    for (const auto& [row, col, caption] : {std::tuple{10, 220, "Exit"}, std::tuple{30, 220, "Save File"},
                                            std::tuple{50, 220, "Print"}, std::tuple{90, 10, "Load 997"},
                                            std::tuple{90, 80, "Analyze"}, std::tuple{90, 150, "Locate"},
                                            std::tuple{110, 100, "Change View"}})
        d.button(row, col, 50, 12, caption, [&] { d.close(); });
    d.button(70, 10, 50, 12, "Select Claim", [&] {
        // Without claims the only row names none.
        if (claimCount == 0) return;
        CTLD39403(fullViewerClaimData(f, settings, mode, claimList.nAt, startFolder, currentFolder), ui);
    });
    const TransactionScreenCall screenCall = fullViewerScreenCall(f, settings, mode, startFolder, currentFolder);
    d.button(70, 220, 50, 12, "Properties", [&] { CTLD39404(exportDialogCall(screenCall, 1), ui); });
    d.button(110, 10, 50, 12, "Select Segment", [&] { CTLD39405(screenCall, ui); });
    d.run(ui, [&] {
        std::vector<std::string> shown;
        for (std::size_t k = 1; k <= claims.size(); ++k) shown.push_back(CTL39411V(claims, k));
        return ShownDialog{"", nullptr, shown, static_cast<std::size_t>(claimList.nAt)};
    });
}

}  // namespace zr
