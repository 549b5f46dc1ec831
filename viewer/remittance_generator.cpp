#include "remittance_generator.hpp"

#include "claim_index.hpp"
#include "progress_meter.hpp"
#include "remittance_getters.hpp"
#include "system_info.hpp"
#include "text.hpp"

namespace zr {

namespace {

std::string setting(const ConverterSettings& settings, int key) { return settings ? settings(key) : std::string(); }

// Keys 1, 2, 5 and 6 count as absent when blank, the others when empty.
std::string settingOr(const ConverterSettings& settings, int key, const std::string& fallback) {
    const std::string v = setting(settings, key);
    const bool blankIsAbsent = key == 1 || key == 2 || key == 5 || key == 6;
    if (blankIsAbsent ? wl::alltrim(v).empty() : v.empty()) return fallback;
    return v;
}

// The claim fields of the getters, read as the generators read them.
class GeneratorReader {
public:
    GeneratorReader(const ClaimIndex& index, const SegmentTable& table, std::size_t k)
        : index_(index), table_(table), k_(k) {}
    std::string operator()(const std::string& name) const { return CTL39407AB(1, index_, table_, k_, name, 2); }

private:
    const ClaimIndex& index_;
    const SegmentTable& table_;
    std::size_t k_;
};

bool filterKeeps(const ClaimIndex& index, const SegmentTable& table, std::size_t k, const RemittanceOptions& o) {
    if (o.filterField.empty()) return true;
    std::string v = CTL39407AB(1, index, table, k, o.filterField, 2);
    if (v.empty()) v = CTL39407AC(1, table, o.filterField);
    if (v.empty()) {
        v = CTL39407AL(1, index, table, k, o.filterField);
        for (char& c : v)
            if (c == ',') c = ' ';
    }
    return wl::prefixMatch(wl::upper(wl::alltrim(v)), o.filterValue);
}

// NM1 of a person: last, first, the middle initial when there is one, and
// the id with its qualifier when there is one.
std::string personSegment(const GeneratorReader& c, const std::string& qualifier, const std::string& prefix,
                          const std::string& e) {
    std::string s = "NM1" + e + qualifier + e + "1" + e + c(prefix + "LNAME") + e + c(prefix + "FNAME") + e;
    const std::string middle = c(prefix + "MI");
    if (!middle.empty()) s += middle + e;
    if (!c(prefix + "ID").empty())
        s += (middle.empty() ? e + e + e : e + e) + c(prefix + "IDQUALCODE") + e + c(prefix + "ID") + e;
    return s;
}

}  // namespace

RemittanceEnvelope envelopeValues(const SegmentTable& table, const ConverterSettings& settings) {
    RemittanceEnvelope v;
    v.sender = wl::padRight(settingOr(settings, 1, CTL39400AM(table, "INTERCHANGESENDERID")), 15);
    v.receiver = wl::padRight(settingOr(settings, 2, CTL39400AM(table, "INTERCHANGERECEIVERID")), 15);
    const std::string control = setting(settings, 3);
    v.controlNumber = control.empty() ? "000000001" : wl::padRight(control, 9);
    const std::string usage = setting(settings, 4);
    v.usage = usage.size() == 1 ? usage : "P";
    v.applicationSender = settingOr(settings, 5, CTL39400AM(table, "APPLICATIONSENDERID"));
    v.applicationReceiver = settingOr(settings, 6, CTL39400AM(table, "APPLICATIONRECEIVERID"));
    v.groupControl = settingOr(settings, 7, "1001");
    v.setControl = settingOr(settings, 8, "101");
    return v;
}

BuildTime currentBuildTime() {
    const std::string now = wl::localTimeText("%Y%m%d%H%M");
    return {now.substr(2, 6), now.substr(0, 8), now.substr(8, 4)};
}

RemittanceOptions remittanceOptions(const std::string& optionItem) {
    RemittanceOptions o;
    std::vector<std::string> words;
    std::string word;
    for (char c : optionItem + ",") {
        if (c == ',') {
            words.push_back(word);
            word.clear();
        } else {
            word += wl::upperChar(c);
        }
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "SL") o.serviceLines = true;
        else if (w == "IC") o.individualClaims = true;
        else if (w == "OW") o.overwrite = true;
        else if (w.rfind("FILTER=", 0) == 0) {
            o.filterField = w.substr(7);
            if (i + 1 < words.size()) o.filterValue = words[++i];
        } else if (w.rfind("MAP=", 0) == 0) {
            o.mapName = w.substr(4);
        }
    }
    return o;
}

std::string CTL394CONVD(const ClaimIndex& index, const SegmentTable& table, std::size_t claimCount, std::size_t k,
                        const ParseSpec& request, const ConverterSettings& settings, const BuildTime& time) {
    const X12Delimiters& d = table.delimiters();
    const std::string& e = d.element;
    const std::string& t = d.terminator;
    const std::string& cs = d.component;
    const RemittanceOptions options = remittanceOptions(request.parseOptions);
    const RemittanceEnvelope env = envelopeValues(table, settings);
    ScopedMeter meter(k == 0 ? MeterMode::Show : MeterMode::None, "Creating 835 files ", "Please Stand By..");

    std::string out = "ISA" + e + "00" + e + std::string(10, ' ') + e + "00" + e + std::string(10, ' ') + e + "ZZ" + e +
                      env.sender + e + "ZZ" + e + env.receiver + e + time.yymmdd + e + time.hhmm + e + "U" + e +
                      "00501" + e + env.controlNumber + e + "1" + e + env.usage + e + cs + t;
    out += "GS" + e + "HR" + e + env.applicationSender + e + env.applicationReceiver + e + time.ccyymmdd + e +
           time.hhmm + e + env.groupControl + e + "X" + e + "005010X221A1" + t;
    std::size_t segments = 0;
    auto segment = [&](const std::string& s) {
        out += s + t;
        ++segments;
    };
    segment("ST" + e + "835" + e + env.setControl);
    auto tx = [&](const std::string& name) { return CTL39407AC(1, table, name); };
    // The handling, credit/debit and method fields' getters answer their
    // codes' words; the segment takes the codes themselves.
    auto bprCode = [&](int n) {
        for (std::size_t r = 1; r <= table.size(); ++r)
            if (table.id(r) == "BPR") return std::string(table.element(r, n));
        return std::string();
    };
    std::string bpr = "BPR" + e + bprCode(1) + e + tx("TRANSTOTALPAYAMT") + e + bprCode(3) + e + bprCode(4) + e;
    if (!tx("TRANSDATE").empty()) {
        for (int i = 0; i < 11; ++i) bpr += e;
        bpr += tx("TRANSDATE") + e;
    }
    segment(bpr);
    segment("TRN" + e + e);
    std::size_t taken = 0;
    for (std::size_t j = (k ? k : 1); j <= (k ? k : claimCount); ++j) {
        if (k == 0 && claimCount) meter.set(100.0 * static_cast<double>(j) / static_cast<double>(claimCount));
        if (!filterKeeps(index, table, j, options)) continue;
        const GeneratorReader c(index, table, j);
        segment("LX" + e + std::to_string(++taken));
        segment("CLP" + e + c("CLAIMPATCTL") + e + c("CLAIMSTATUSCODE") + e + c("CLAIMTOTALCHARGE") + e +
                c("CLAIMTOTALPAID") + e + c("PATRESPONSIBLE") + e + c("FILIND") + e + c("PAYERCLAIMCODE") + e +
                c("FACILITYTYPECODE") + e + c("CLAIMFREQ") + e);
        segment("CAS" + e + c("CLMADJGRPCODE") + e + c("CLMADJCODE") + e + c("CLMADJAMT") + e + c("CLMADJQTY") + e +
                c("CLMADJCODE1") + cs + c("CLMADJAMT1") + cs + c("CLMADJQTY1") + e);
        for (const auto& [qualifier, name] : {std::pair<const char*, const char*>{"036", "CLAIMDATEEXP"},
                                              {"050", "CLAIMDATEREC"},
                                              {"232", "CLAIMMSTATEMENTPERIODSTART"},
                                              {"233", "CLAIMMSTATEMENTPERIODEND"}})
            if (!c(name).empty()) segment("DTM" + e + qualifier + e + c(name) + e);
        if (!c("SUBLNAME").empty()) segment(personSegment(c, "IL", "SUB", e));
        if (!c("PATLNAME").empty()) segment(personSegment(c, "QC", "PAT", e));
    }
    segment("SE" + e + std::to_string(segments + 1) + e + env.setControl);
    out += "GE" + e + "1" + e + env.groupControl + t;
    out += "IEA" + e + "1" + e + env.controlNumber + t;
    if (k == 0) CTL394MTRD("");
    return out;
}

std::string CTL394CONVF(const SegmentTable& table, std::size_t k) {
    const X12Delimiters& d = table.delimiters();
    std::string out;
    std::size_t written = 0;  // segments since the last ST
    std::string setControl, groupControl;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        const std::string_view id = table.id(r);
        if (id == "GS") groupControl = std::string(table.element(r, 6));
        if (id == "ST") {
            setControl = std::string(table.element(r, 2));
            written = 0;
        }
        if (id == "SE") {
            out += "SE" + d.element + std::to_string(written + 1) + d.element + setControl + d.terminator;
            out += "GE" + d.element + "1" + d.element + groupControl + d.terminator;
            written = 0;
            continue;
        }
        // The GE written after each SE stands for the table's own; the
        // interchange's envelope rows belong to every claim (the rows after
        // a set's last claim carry that claim's number).
        if (id == "GE") continue;
        const std::uint32_t claim = table.claim(r).inSet;
        const bool envelope = id == "ISA" || id == "GS" || id == "IEA";
        if (k != 0 && claim != 0 && claim != k && !envelope) continue;
        out += std::string(table.text(r)) + d.terminator;
        ++written;
    }
    return out;
}

}  // namespace zr
