#include "default_maps.hpp"

#include <array>
#include <filesystem>
#include <vector>

#include "file_io.hpp"
#include "map_names.hpp"
#include "map_text.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "run_log.hpp"
#include "system_info.hpp"
#include "text.hpp"

namespace zr {

namespace {

// Every transaction of the name table has a built-in text, so every one
// (837 dental and 820 included) has a default map found by version.
constexpr int kVersionedTransactions = kMapTransactions;

// ST01 of each transaction of the name table.
constexpr std::array<const char*, kVersionedTransactions> kSt01 = {"837", "835", "276", "277", "270", "271",
                                                                   "278", "278", "834", "837", "837", "820"};

bool fitsHint(int index, const TransactionHint& hint) {
    const std::string st01 = wl::alltrim(hint.st01);
    if (!st01.empty() && st01 != kSt01[index - 1]) return false;
    const bool response = wl::alltrim(hint.bht02) == "11";
    if (index == 7) return !response;
    if (index == 8) return response;
    return true;
}

// The rows of one scheme whose name shares the first ten characters;
// transactions that share a version identifier are told apart by the hint,
// the first row winning when the hint decides nothing.
int matchingIndex(const std::string& name, int scheme, const TransactionHint& hint) {
    std::vector<int> candidates;
    for (int index = 1; index <= kVersionedTransactions; ++index)
        if (mapName(index, scheme).compare(0, 10, name, 0, 10) == 0) candidates.push_back(index);
    if (candidates.empty()) return 0;
    for (int index : candidates)
        if (fitsHint(index, hint)) return index;
    return candidates.front();
}

}  // namespace

std::string CTLD48600Q(const std::string& mapName_, int mode, const TransactionHint& hint, std::string* unsaved) {
    const std::string folder = wl::folderPart(mapName_);
    const std::string name = wl::fileNamePart(mapName_);
    if (name.size() < 10) return "";
    for (int scheme : {2, 1}) {
        const int index = matchingIndex(name, scheme, hint);
        if (index == 0) continue;
        const std::string path = wl::joinPath(folder, mapName(index, scheme));
        if (mode == 1) {
            const std::string existing = wl::findFileNoCase(path);
            return wl::fileExists(existing) ? existing : "";
        }
        if (mode == 2) return CTLD48600I(path, builtInMapText(index, scheme), unsaved);
        return "";
    }
    return "";
}

std::string CTLD48600I(const std::string& name, const std::string& text, std::string* unsaved) {
    const std::string trimmed = wl::alltrim(name);
    const std::string existing = wl::findFileNoCase(trimmed);
    if (wl::fileExists(existing) && !wl::MSGYESNO("Replace " + trimmed + " ?", wl::Value("OVERWRITE?")))
        return trimmed;
    if (const int error = wl::writeFileAtomically(existing, text); error != 0) {
        wl::MSGSTOP("Map " + trimmed + " not written, error " + std::to_string(error), wl::Value("Save Map"));
        // The caller may still convert with the text it could not save.
        if (unsaved) *unsaved = text;
    }
    return trimmed;
}

bool CTLD48600S(const std::string& /*flag*/, const std::string& kind) {
    if (kind == "X12M") {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(".", ec))
            if (entry.is_regular_file(ec) && wl::upper(entry.path().extension().string()) == ".CFG") return true;
        return false;
    }
    for (int index = 1; index <= 11; ++index)
        if (!wl::fileExists(wl::findFileNoCase(mapName(index, 3)))) return false;
    return true;
}

namespace {

// The 832 map behind the default creator's own header, saved through the
// Save Map dialog.
void otherIndustryDefaultMap(const std::string& flag, const std::string& kind, const OtherIndustryDialogs& d) {
    if (!d.otherIndustry || !d.count || !d.saveMap) return;
    const auto [choice, name] = d.otherIndustry(flag, kind);
    if (choice <= 0) return;
    // The 832 body has no service-line fields: the answer changes nothing.
    d.count("Number of Service Lines", "10");
    const auto [date, time] = d.clock ? d.clock() : std::pair{wl::currentDateText(), currentTimeText()};
    d.saveMap(name, priceCatalogMapHeader(CatalogHeaderFor::DefaultCreator, name, date, time) + priceCatalogMapBody());
}

}  // namespace

void CTLD48600R(const std::string& flag, const std::string& kind, const OtherIndustryDialogs& dialogs) {
    if (flag != "Y" || (kind != "X12N" && kind != "X12M")) return;
    if (CTLD48600S(flag, kind)) return;
    if (!wl::MSGYESNO("Maps are needed to parse files. Generate Default Maps?", wl::Value("Generate Maps"))) return;
    if (kind == "X12M") {
        otherIndustryDefaultMap(flag, kind, dialogs);
        return;
    }
    for (int index = 1; index <= 11; ++index) CTLD48600I(mapName(index, 3), builtInMapText(index, 3));
}

}  // namespace zr
