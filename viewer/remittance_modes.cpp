#include "remittance_modes.hpp"

#include "converter_settings.hpp"
#include "messages.hpp"
#include "remittance_detail.hpp"
#include "remittance_listing.hpp"

namespace zr {

namespace {

// The given settings, else the [X12] keys of "zr.ini" in the folder.
ConverterSettings settingsOr(const ConverterSettings& given, const std::string& folder) {
    if (given) return given;
    return [folder](int key) { return CTL39406L(key, folder); };
}

}  // namespace

std::optional<std::string> remittanceListingOutput(const ScreenCall& call, const ConverterSettings& given) {
    const SegmentTable& table = *call.table;
    const ConverterSettings settings = settingsOr(given, call.currentFolder);
    switch (call.mode) {
        case 100:
        case 101:
        case 102:
        case 103: return remittanceReport(call.claims, table, call.fileName, call.mode);
        case 109: return std::string();
        case 110:
        case 111: wl::MSGINFO(kNo276From835); return std::string();
        case 112:
        case 113: {
            const RemittanceFilesResult r = writeRemittanceFiles(call.claims, table, call.request, call.currentFolder,
                                                                 settings, *call.app);
            // Written files need no word; what was refused or failed does.
            if (!r.errors.empty()) {
                std::string text;
                for (const auto& e : r.errors) text += (text.empty() ? "" : "\r\n") + e;
                wl::MSGALERT(text, "835 Files");
            }
            return r.text;
        }
        case 200: {
            std::string out;
            for (const auto& l : remittanceListing(table).lines()) out += l + "\r\n";
            return out;
        }
        default: return std::nullopt;
    }
}

std::optional<RemittanceDetailOutput> remittanceDetailOutput(const ClaimIndex& index, const SegmentTable& table,
                                                             std::size_t k, double mode, const ParseSpec& request,
                                                             const ConverterSettings& given) {
    const ConverterSettings settings = settingsOr(given, "");
    RemittanceDetailOutput out;
    if (mode == 100 || mode == 101 || mode == 102 || mode == 103) {
        out.text = remittanceDetailReport(index, table, k, static_cast<int>(mode));
    } else if (mode == 104) {
        out.lines = CTL39407E(index, table, k, 1, 1);
    } else if (mode == 113 || mode == 113.1) {
        out.text = CTL394CONVD(table, index, remittanceFieldReader(index, table), CTL39407AA(1, "CLP", table),
                               mode == 113 ? k : 0, request, GeneratorContext{settings, currentBuildTime(), {}});
    } else {
        return std::nullopt;
    }
    return out;
}

}  // namespace zr
