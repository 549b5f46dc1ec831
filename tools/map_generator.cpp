#include "map_generator.hpp"

#include "default_maps.hpp"
#include "map_names.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "run_log.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

bool ask(const std::string& question, const std::string& title) {
    return wl::MSGYESNO(wl::Value(question), wl::Value(title));
}

int askCount(const GeneratorDialogs& d, const std::string& question, int defaultCount) {
    return countAnswer(d.count(question, std::to_string(defaultCount)));
}

// The questions of the claim and remittance transactions.
void askParts(int index, const GeneratorDialogs& d, MapAnswers& a) {
    const bool institutional = index == 1;
    const bool claims = index == 1 || index == 10 || index == 11;
    if (institutional) {
        a.billingProvider = ask("Include Billing Provider Information?", "INCLUDE BILLING PROVIDER");
        a.billingProviderAtBatch = a.billingProvider && ask("Map Billing Provider at Batch Level?", "BILLING PROVIDER MAP");
    }
    if (!claims && index != 2) return;
    a.subscriber = ask("Include Subscriber Information?", "INCLUDE SUBSCRIBER");
    a.patient = ask("Include Patient Information?", "INCLUDE PATIENT");
    if (claims) a.coverage = ask("Include Coverage Information?", "INCLUDE COVERAGE");
    a.serviceProvider = ask("Include Service Provider Information?", "INCLUDE SERVICE PROVIDER");
    if (index == 2) {
        a.providerAdjustments = ask("Include Provider Adjustments?", "INCLUDE PROVIDER ADJUSTMENTS");
        a.providerAdjustmentSegments =
            a.providerAdjustments ? askCount(d, "Number of Provider Adjustment Segments", 1) : 0;
    }
}

void askCodeLists(int scheme, const GeneratorDialogs& d, MapAnswers& a) {
    const std::pair<const char*, int MapAnswers::*> lists[] = {
        {"Number of Other Diagnosis Segments", &MapAnswers::otherDiagnosisSegments},
        {"Number of Other Procedure Segments", &MapAnswers::otherProcedureSegments},
        {"Number of Occurence Span Segments", &MapAnswers::occurrenceSpanSegments},
        {"Number of Occurence Codes Segments", &MapAnswers::occurrenceCodeSegments},
        {"Number of Value Codes Segments", &MapAnswers::valueCodeSegments},
        {"Number of Condition Code Segments", &MapAnswers::conditionCodeSegments},
        {"Number of Treatment Code Segments", &MapAnswers::treatmentCodeSegments},
    };
    for (const auto& [question, member] : lists) a.*member = askCount(d, question, 1);
    if (scheme != 2) return;
    a.admittingDiagnosisSegments = askCount(d, "Number of Admitting Diagnosis Code Segments", 1);
    a.visitReasonSegments = askCount(d, "Number of Visit Reason Segments", 1);
}

std::string serviceLineInclude() {
    if (!ask("Do you have a Service Line Include File?", "Service Line Include")) return "";
    wl::FileDialogRequest r;
    r.title = "Select the Mapping Service Line Include file to use.";
    const std::string chosen = wl::CGETFILE(r);
    return wl::fileExists(chosen) ? CTL39400AY(chosen) : "";
}

std::string healthCareMap(const GeneratorDialogs& d, const MapClock& clock, std::string& name) {
    const int index = d.transaction();
    if (index < 1 || index > kMapTransactions) return "";
    const int scheme = d.scheme();
    MapAnswers answers;
    answers.serviceLines = askCount(d, "Number of Service Lines", 10);
    answers.serviceLineInclude = serviceLineInclude();
    name = scheme >= 1 && scheme <= 3 ? mapName(index, scheme) : "";
    if (index == 1 || index == 2 || index == 10 || index == 11) askParts(index, d, answers);
    if (index == 1) askCodeLists(scheme, d, answers);
    if (index == 6) answers.messageSegments = askCount(d, "Number Message Segments", 1);
    // Without a scheme the text is the transaction based one; there is no
    // name to save it under.
    const int textScheme = scheme >= 1 && scheme <= 3 ? scheme : 3;
    return mapGeneratorHeader(index, scheme, name, clock.date, clock.time) +
           builtInMapText(index, textScheme, answers);
}

std::string otherIndustryMap(const std::string& flag, const std::string& kind, const GeneratorDialogs& d,
                             const MapClock& clock, std::string& name) {
    const auto [choice, chosenName] = d.otherIndustry(flag, kind);
    if (choice <= 0) return "";
    // The 832 body has no service-line fields: the answer changes nothing.
    askCount(d, "Number of Service Lines", 10);
    name = chosenName;
    return priceCatalogMapHeader(CatalogHeaderFor::Generator, name, clock.date, clock.time) + priceCatalogMapBody();
}

}  // namespace

MapClock currentMapClock() { return {wl::currentDateText(), currentTimeText()}; }

int countAnswer(const std::string& text) {
    const std::string t = wl::ltrim(text);
    int n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') break;
        // A count past any sensible map is held at the largest a line number takes.
        n = n > 99999 ? n : n * 10 + (c - '0');
    }
    return n;
}

std::string generateMap(const std::string& flag, const std::string& /*currentName*/, const std::string& kind,
                        const GeneratorDialogs& dialogs, const MapClock& clock) {
    std::string name, text;
    if (ask("Generate New Map?", "WARNING")) {
        if (kind == "X12N") text = healthCareMap(dialogs, clock, name);
        if (kind == "X12M") text = otherIndustryMap(flag, kind, dialogs, clock, name);
    }
    return dialogs.saveMap(name, text);
}

std::string saveMapContinue(const std::string& name, const std::string& text) {
    const std::string trimmed = wl::alltrim(name);
    if (trimmed.empty()) return trimmed;
    return CTLD48600I(trimmed, text);
}

std::string saveMapPresence(const std::string& name) {
    const std::string trimmed = wl::alltrim(name);
    return !trimmed.empty() && wl::fileExists(wl::findFileNoCase(trimmed)) ? "File Present " : "File Not Present ";
}

std::string otherIndustryMapName(const std::string& version, const std::string& release,
                                 const std::string& industry) {
    return wl::alltrim(version) + wl::alltrim(release) + wl::alltrim(industry) + ".cfg";
}

}  // namespace zr
