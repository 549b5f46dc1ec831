#include "x12_generation.hpp"

#include <algorithm>
#include <optional>
#include <string_view>

#include "claim_finders.hpp"
#include "converter_settings.hpp"
#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "output_mode.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "remittance_filter.hpp"
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

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ISA13 is nine digits: a shorter number is zero-padded; anything else
// (letters, ten digits or more) cannot be an interchange control number.
std::string interchangeControlNumber(const std::string& key) {
    const std::string v = wl::alltrim(key);
    if (!allDigits(v) || v.size() > 9) return "000000001";
    return wl::padLeft(v, 9, '0');
}

// ST02 has four to nine characters; a short number is zero-padded.
std::string setControlNumber(const std::string& key) {
    std::string v = wl::alltrim(key);
    if (v.size() > 9) v.resize(9);
    return v.size() >= 4 ? v : wl::padLeft(v, 4, '0');
}

// ISA06/ISA08: exactly 15 characters.
std::string isaId(const std::string& value) {
    std::string v = wl::padRight(value, 15);
    v.resize(15);
    return v;
}

// The repetition separator (ISA11 in 00501): a character the delimiters
// and the text do not use, so no value reads as repeated.
std::string repetitionSeparator(const X12Delimiters& d, const std::string& text) {
    static constexpr std::string_view kCandidates = "^{}|`!\\@#$";
    for (char c : kCandidates) {
        const std::string s(1, c);
        if (s == d.element || s == d.component || s == d.terminator) continue;
        if (text.find(c) == std::string::npos) return s;
    }
    return "^";
}

// The segments of one set from ST to SE, counted as they are added.
class SetText {
public:
    SetText(const X12Delimiters& d, const std::string& setId, const std::string& control) : d_(d), control_(control) {
        add({"ST", setId, control});
    }
    // A segment of the given elements; empty trailing elements are left
    // out (X12 ends a segment at its last value).
    void add(std::initializer_list<std::string> elements) {
        std::vector<std::string> e(elements);
        while (e.size() > 1 && e.back().empty()) e.pop_back();
        std::string s;
        for (std::size_t i = 0; i < e.size(); ++i) s += (i ? d_.element : "") + e[i];
        raw(s);
    }
    // A segment given whole, without its terminator.
    void raw(const std::string& segment) {
        text_ += segment + d_.terminator;
        ++count_;
    }
    std::string close() const {
        return text_ + "SE" + d_.element + std::to_string(count_ + 1) + d_.element + control_ + d_.terminator;
    }

private:
    const X12Delimiters& d_;
    std::string control_;
    std::string text_;
    std::size_t count_ = 0;
};

// The names a 276 reads of claim j: its own payer and billing provider (the
// provider of the claim's HL*20 loop, the file's when that loop names none).
struct RequestParties {
    std::string payerName, payerId, providerName, providerIdCode, providerId;
    bool operator==(const RequestParties&) const = default;
};

RequestParties requestParties(const ClaimFields& f, std::size_t j) {
    const auto k = static_cast<long long>(j);
    RequestParties p{f.claim(1, k, "PAYERNAME"), f.claim(1, k, "PAYERID"),
                     f.header(k, "HIERARCHIALCLAIMBILLINGPROVIDERNAME"),
                     f.header(k, "HIERARCHIALCLAIMBILLINGPROVIDERIDCODE"),
                     f.header(k, "HIERARCHIALCLAIMBILLINGPROVIDERID")};
    if (p.providerName.empty() && p.providerId.empty()) {
        p.providerName = f.header(k, "BILLINGPROVIDERNAME");
        p.providerIdCode = f.header(k, "BILLINGPROVIDERIDCODE");
        p.providerId = f.header(k, "BILLINGPROVIDERID");
    }
    return p;
}

// A date of service as a range: "a-a" for one date, a range as it is.
std::string serviceRange(const std::string& date) {
    const std::string d = wl::alltrim(date);
    if (d.empty() || d.find('-') != std::string::npos) return d;
    return d + "-" + d;
}

// The claim status request body of CTL394CONVA after ST: BHT, then per claim
// the payer, submitter and provider levels when they change, and the claim's
// subscriber level.
void requestBody(SetText& set, const ClaimFields& f, std::size_t claimCount, std::size_t k, const BuildTime& time) {
    set.add({"BHT", "0010", "13", time.ccyymmdd});
    const std::size_t first = k ? k : 1, last = k ? k : claimCount;
    std::size_t hl = 0, submitterHl = 0, providerHl = 0;
    std::optional<RequestParties> current;
    for (std::size_t j = first; j <= last; ++j) {
        const RequestParties p = requestParties(f, j);
        const auto k = static_cast<long long>(j);
        const bool newPayer = !current || current->payerName != p.payerName || current->payerId != p.payerId;
        if (newPayer) {
            const std::size_t payerHl = ++hl;
            set.add({"HL", std::to_string(payerHl), "", "20", "1"});
            set.add({"NM1", "PR", "2", p.payerName, "", "", "", "", "PI", p.payerId});
            submitterHl = ++hl;
            set.add({"HL", std::to_string(submitterHl), std::to_string(payerHl), "21", "1"});
            set.add({"NM1", "41", "2", f.header(k, "SUBMITTERNAME"), "", "", "", "", "46", f.header(k, "SUBMITTERID")});
        }
        if (newPayer || !(*current == p)) {
            providerHl = ++hl;
            set.add({"HL", std::to_string(providerHl), std::to_string(submitterHl), "19", "1"});
            const bool npi = wl::prefixMatch(p.providerIdCode, "XX");
            set.add({"NM1", "1P", "2", p.providerName, "", "", "", "", npi ? "XX" : "SV", p.providerId});
        }
        current = p;
        const auto c = [&](std::string_view name) { return f.claim(1, static_cast<long long>(j), name); };
        set.add({"HL", std::to_string(++hl), std::to_string(providerHl), "22", "0"});
        set.add({"DMG", "D8", c("SUBDOB"), c("SUBSEX")});
        set.add({"NM1", "QC", "1", c("SUBLNAME"), c("SUBFNAME"), c("SUBMI"), "", "", "MI", c("SUBID")});
        set.add({"TRN", "1", c("CLAIMID")});
        if (!c("POSCODE").empty()) set.add({"REF", "BLT", c("POSCODE") + c("FREQUENCYCODE")});
        if (!c("MEDICALRECORDNUMBER").empty()) set.add({"REF", "EA", c("MEDICALRECORDNUMBER")});
        set.add({"AMT", "T3", c("CLAIMAMT")});
        const std::string dates = serviceRange(c("DOS1"));
        if (!dates.empty()) set.add({"DTP", "232", "RD8", dates});
    }
}

// The implementation guide of an 837 by its claim type.
std::string claimGuide(const std::string& claimType) {
    const std::string type = wl::upper(claimType);
    if (wl::prefixMatch(type, "INSTITUTIONAL")) return "005010X223A1";
    if (wl::prefixMatch(type, "PROFESSIONAL")) return "005010X222A1";
    if (wl::prefixMatch(type, "DENTAL")) return "005010X224A2";
    return "";
}

std::string requestInterchange(const ClaimFields& f, std::size_t claimCount, std::size_t k, const GeneratorContext& c,
                               const std::string& setId, FunctionalGroup group, const std::string& version) {
    const X12Delimiters& d = f.table().delimiters();
    const EnvelopeValues env = envelopeValues(f.table(), c.settings);
    SetText set(d, setId, env.setControl);
    requestBody(set, f, claimCount, k, c.time);
    return interchangeText(env, c.time, d, group, version, set.close());
}

// How the claims of a set stand: an 835's claims are CLP loops under LX
// headers, an 837's subscriber HLs under billing-provider HLs (an 837's LX
// is a service line inside its claim).
struct SetLayout {
    bool remittance = false;

    bool claimStart(const SegmentTable& t, std::size_t r) const {
        const std::string_view id = t.id(r);
        if (remittance) return id == "CLP";
        return id == "HL" && wl::prefixMatch(t.element(r, 3), "22");
    }
    bool headerLoopStart(const SegmentTable& t, std::size_t r) const {
        const std::string_view id = t.id(r);
        if (remittance) return id == "LX";
        return id == "HL" && wl::prefixMatch(t.element(r, 3), "20");
    }
    // Rows after the claims that belong to the set or the envelope.
    bool trailer(const SegmentTable& t, std::size_t r) const {
        const std::string_view id = t.id(r);
        return (remittance && id == "PLB") || id == "SE" || id == "ST" || id == "GE" || id == "IEA";
    }
};

std::size_t lastBefore(const SegmentTable& t, std::size_t row, std::string_view id) {
    for (std::size_t r = row; r >= 1; --r)
        if (t.id(r) == id) return r;
    return 0;
}

// The rows as segments of the file. The loader shows commas as blanks; a
// rebuilt claim keeps the file's own bytes when the file is still the one
// loaded (same size), so no comma of a name or address is lost.
class SourceRows {
public:
    SourceRows(const SegmentTable& t, const std::string& sourceFile) : t_(t) {
        if (sourceFile.empty() || !t.buffer()) return;
        original_ = wl::readWholeFile(sourceFile);
        use_ = original_.size() == t.buffer()->size();
    }
    // The row without the line break the file may have after the
    // terminator before it, then the terminator.
    std::string segment(std::size_t r) const {
        std::string_view text = t_.text(r);
        if (use_ && !text.empty()) {
            const SegmentTable::RowData d = t_.rowData(r);
            text = original_.view().substr(d.start, d.length);
        }
        while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
        return std::string(text) + t_.delimiters().terminator;
    }

private:
    const SegmentTable& t_;
    wl::FileBytes original_;
    bool use_ = false;
};

// Every row, each SE recounted: the whole table.
std::string copyRecounted(const SegmentTable& t, const SourceRows& rows) {
    const X12Delimiters& d = t.delimiters();
    std::string out;
    std::size_t fromSt = 0;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const std::string_view id = t.id(r);
        if (id.empty()) continue;
        if (id == "ST") fromSt = 0;
        ++fromSt;
        if (id == "SE") {
            const std::size_t st = lastBefore(t, r, "ST");
            out += "SE" + d.element + std::to_string(fromSt) + d.element +
                   std::string(st ? t.element(st, 2) : t.element(r, 2)) + d.terminator;
        } else {
            out += rows.segment(r);
        }
    }
    return out;
}

}  // namespace

ConverterSettings iniConverterSettings(const std::string& folder) {
    return [folder](int key) { return CTL39406L(key, folder); };
}

EnvelopeValues envelopeValues(const SegmentTable& table, const ConverterSettings& settings) {
    EnvelopeValues v;
    v.sender = isaId(settingOr(settings, 1, CTL39400AM(table, "INTERCHANGESENDERID")));
    v.receiver = isaId(settingOr(settings, 2, CTL39400AM(table, "INTERCHANGERECEIVERID")));
    v.controlNumber = interchangeControlNumber(setting(settings, 3));
    const std::string usage = setting(settings, 4);
    v.usage = usage.size() == 1 ? usage : "P";
    v.applicationSender = wl::alltrim(settingOr(settings, 5, CTL39400AM(table, "APPLICATIONSENDERID")));
    v.applicationReceiver = wl::alltrim(settingOr(settings, 6, CTL39400AM(table, "APPLICATIONRECEIVERID")));
    v.groupControl = settingOr(settings, 7, "1001");
    v.setControl = setControlNumber(settingOr(settings, 8, "101"));
    return v;
}

BuildTime currentBuildTime() {
    const std::string now = wl::localTimeText("%Y%m%d%H%M");
    return {now.substr(2, 6), now.substr(0, 8), now.substr(8, 4)};
}

GeneratorContext generatorContext(const std::string& currentFolder, const std::string& sourceFile) {
    return {iniConverterSettings(currentFolder), currentBuildTime(), sourceFile};
}

const char* functionalIdentifier(FunctionalGroup group) {
    switch (group) {
    case FunctionalGroup::ClaimStatusRequest: return "HR";
    case FunctionalGroup::Claim: return "HC";
    case FunctionalGroup::Remittance: return "HP";
    }
    return "";
}

std::string interchangeText(const EnvelopeValues& env, const BuildTime& time, const X12Delimiters& d,
                            FunctionalGroup group, const std::string& version, const std::string& setText) {
    const std::string& e = d.element;
    const std::string& t = d.terminator;
    std::string gs = "GS" + e + functionalIdentifier(group) + e + env.applicationSender + e +
                     env.applicationReceiver + e + time.ccyymmdd + e + time.hhmm + e + env.groupControl + e + "X" + e +
                     version + t;
    std::string tail = "GE" + e + "1" + e + env.groupControl + t + "IEA" + e + "1" + e + env.controlNumber + t;
    const std::string isa = "ISA" + e + "00" + e + std::string(10, ' ') + e + "00" + e + std::string(10, ' ') + e +
                            "ZZ" + e + env.sender + e + "ZZ" + e + env.receiver + e + time.yymmdd + e + time.hhmm + e +
                            repetitionSeparator(d, gs + setText + tail) + e + "00501" + e + env.controlNumber + e +
                            "1" + e + env.usage + e + d.component + t;
    return isa + gs + setText + tail;
}

FileClaimFields::FileClaimFields(const ClaimFields& loaded, const std::string& sourceFile) : loaded_(&loaded) {
    if (sourceFile.empty() || !wl::fileExists(sourceFile)) return;
    auto bytes = std::make_shared<wl::FileBytes>(wl::readWholeFile(sourceFile));
    if (!bytes->ok()) return;
    std::optional<SegmentTable> table = loaded.table().overBytes(std::move(bytes));
    if (!table) return;
    table_ = std::make_unique<SegmentTable>(std::move(*table));
    file_ = std::make_unique<ClaimFields>(*table_, loaded.index(), loaded.iniFolder());
}

std::string CTL394CONVA(const ClaimFields& fields, std::size_t claimCount, std::size_t k,
                        const GeneratorContext& context) {
    auto build = [&](const ClaimFields& f) {
        return requestInterchange(f, claimCount, k, context, "276", FunctionalGroup::ClaimStatusRequest, "005010X212");
    };
    if (context.fileValues) return build(*context.fileValues);
    return build(FileClaimFields(fields, context.sourceFile).fields());
}

std::string CTL394CONVB(const ClaimFields& fields, std::size_t claimCount, std::size_t k,
                        const GeneratorContext& context) {
    const std::string key = wl::alltrim(setting(context.settings, 9));
    const long long kind = key.empty() ? 2 : (leadingNumber(key) == 0 ? 2 : leadingNumber(key));
    if (kind == 1) {
        const FileClaimFields own(fields, context.fileValues ? std::string() : context.sourceFile);
        const ClaimFields& f = context.fileValues ? *context.fileValues : own.fields();
        return requestInterchange(f, claimCount, k, context, "837", FunctionalGroup::Claim,
                                  claimGuide(f.claim(1, 1, "CLAIMTYPE")));
    }
    if (kind == 2) return CTL394CONVF(fields.table(), fields.index(), k, context.sourceFile);
    return "";
}

std::string CTL394AMAP(const ClaimFields& fields) {
    const std::string& e = fields.table().delimiters().element;
    auto h = [&](std::string_view n) { return fields.header(0, n); };
    auto c = [&](std::string_view n) { return fields.claim(1, 0, n); };
    return e + "PR" + e + "2" + e + c("PAYERNAME") + e + e + e + e + e + "PI" + e + c("PAYERID") +  //
           e + "41" + e + "2" + e + h("SUBMITTERNAME") + e + e + e + e + e + "46" + e + h("SUBMITTERID") +  //
           e + "1P" + e + "2" + e + h("BILLINGPROVIDERNAME") + e + e + e + e + e +  //
           e + "QC" + e + "1" + e + c("SUBLNAME") + e + c("SUBFNAME") + e + c("SUBMI") + e + e + e + "MI" + e +
           c("SUBID");
}

std::vector<std::string> requestOptionWords(const std::string& optionItem) {
    std::vector<std::string> words;
    std::string word;
    for (char c : optionItem + ",") {
        if (c != ',') {
            word += wl::upperChar(c);
            continue;
        }
        words.push_back(wl::alltrim(word));
        word.clear();
    }
    return words;
}

RemittanceOptions remittanceOptions(const std::string& optionItem) {
    RemittanceOptions o;
    const std::vector<std::string> words = requestOptionWords(optionItem);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "SL") o.serviceLines = true;
        else if (w == "IC") o.individualClaims = true;
        else if (w == "OW") o.overwrite = true;
        else if (wl::prefixMatch(w, "FILTER=")) {
            o.filterField = w.substr(7);
            if (i + 1 < words.size()) o.filterValue = words[++i];
        } else if (wl::prefixMatch(w, "MAP=")) {
            o.mapName = w.substr(4);
        }
    }
    return o;
}

namespace {

std::string asked(const std::function<std::string(std::size_t, const std::string&)>& reader, std::size_t k,
                  const std::string& name) {
    return reader ? reader(k, name) : std::string();
}

// The first of the claim, transaction and service-line values of the
// filter field that is not empty begins with the filter value, or passes
// it when the value is one of the export's special forms.
bool filterKeeps(const RemittanceFieldReader& f, std::size_t k, const RemittanceOptions& o) {
    if (o.filterField.empty()) return true;
    std::string v = asked(f.claim, k, o.filterField);
    if (v.empty() && f.transaction) v = f.transaction(o.filterField);
    if (v.empty()) {
        v = asked(f.serviceLine, k, o.filterField);
        std::replace(v.begin(), v.end(), ',', ' ');
    }
    if (CTL39404AA(1, o.filterValue, "")) return CTL39404AA(2, o.filterValue, v);
    return wl::prefixMatch(wl::upper(wl::alltrim(v)), o.filterValue);
}

// Elements 1..n of the first segment `id` of the set that holds claim k
// (the first set's for 0); none when the set has no such segment.
std::optional<std::vector<std::string>> loadedSegment(const SegmentTable& t, const ClaimIndex& index, std::size_t k,
                                                      std::string_view id, int n) {
    std::size_t from = 1;
    if (k >= 1 && k <= index.size() && index[k - 1] >= 1 && index[k - 1] <= t.size()) {
        from = lastBefore(t, index[k - 1], "ST");
        if (from == 0) from = 1;
    }
    for (std::size_t r = from; r <= t.size() && t.id(r) != "SE"; ++r) {
        if (t.id(r) != id) continue;
        std::vector<std::string> e;
        for (int i = 1; i <= n; ++i) e.emplace_back(t.element(r, i));
        return e;
    }
    return std::nullopt;
}

// NM1 of a person of the claim: last, first and middle name, then the id
// with its qualifier in NM108/NM109.
void personName(SetText& set, const RemittanceFieldReader& f, std::size_t k, const std::string& qualifier,
                const std::string& prefix) {
    if (asked(f.claim, k, prefix + "LNAME").empty()) return;
    const bool id = !asked(f.claim, k, prefix + "ID").empty();
    set.add({"NM1", qualifier, "1", asked(f.claim, k, prefix + "LNAME"), asked(f.claim, k, prefix + "FNAME"),
             asked(f.claim, k, prefix + "MI"), "", "", id ? asked(f.claim, k, prefix + "IDQUALCODE") : "",
             id ? asked(f.claim, k, prefix + "ID") : ""});
}

void remittanceClaim(SetText& set, const RemittanceFieldReader& f, std::size_t k, std::size_t n) {
    const auto c = [&](const char* name) { return asked(f.claim, k, name); };
    set.add({"LX", std::to_string(n)});
    set.add({"CLP", c("CLAIMPATCTL"), c("CLAIMSTATUSCODE"), c("CLAIMTOTALCHARGE"), c("CLAIMTOTALPAID"),
             c("PATRESPONSIBLE"), c("FILIND"), c("PAYERCLAIMCODE"), c("FACILITYTYPECODE"), c("CLAIMFREQ")});
    // CAS01 is required: a claim without adjustments has no CAS.
    if (!c("CLMADJGRPCODE").empty())
        set.add({"CAS", c("CLMADJGRPCODE"), c("CLMADJCODE"), c("CLMADJAMT"), c("CLMADJQTY"), c("CLMADJCODE1"),
                 c("CLMADJAMT1"), c("CLMADJQTY1")});
    for (const auto& [qualifier, name] : {std::pair<const char*, const char*>{"036", "CLAIMDATEEXP"},
                                          {"050", "CLAIMDATEREC"},
                                          {"232", "CLAIMMSTATEMENTPERIODSTART"},
                                          {"233", "CLAIMMSTATEMENTPERIODEND"}})
        if (!c(name).empty()) set.add({"DTM", qualifier, c(name)});
    personName(set, f, k, "IL", "SUB");
    personName(set, f, k, "QC", "PAT");
}

}  // namespace

RemittanceFieldReader remittanceFieldReader(const ClaimIndex& index, const SegmentTable& table) {
    RemittanceFieldReader r;
    r.claim = [&index, &table](std::size_t k, const std::string& name) {
        return CTL39407AB(1, index, table, k, name, 2);
    };
    r.transaction = [&table](const std::string& name) { return CTL39407AC(1, table, name); };
    r.serviceLine = [&index, &table](std::size_t k, const std::string& name) {
        return CTL39407AL(1, index, table, k, name);
    };
    return r;
}

std::string CTL394CONVD(const SegmentTable& table, const ClaimIndex& index, const RemittanceFieldReader& fields,
                        std::size_t claimCount, std::size_t k, const ParseSpec& request,
                        const GeneratorContext& context) {
    const X12Delimiters& d = table.delimiters();
    const RemittanceOptions options = remittanceOptions(request.parseOptions);
    const EnvelopeValues env = envelopeValues(table, context.settings);
    ScopedMeter meter(k == 0 ? MeterMode::Show : MeterMode::None, "Creating 835 files ", "Please Stand By..");
    const auto tx = [&](const char* name) { return fields.transaction ? fields.transaction(name) : std::string(); };

    SetText set(d, "835", env.setControl);
    // BPR01, BPR03 and BPR04 are codes: the getters describe them in words,
    // so the codes are those of the loaded BPR.
    const std::vector<std::string> codes = loadedSegment(table, index, k, "BPR", 4).value_or(std::vector<std::string>(4));
    const bool dated = !tx("TRANSDATE").empty();
    set.add({"BPR", codes[0], tx("TRANSTOTALPAYAMT"), codes[2], codes[3], "", "", "", "", "", "", "", "", "", "", "",
             dated ? tx("TRANSDATE") : ""});
    // The loaded set's trace; a set that has none gives none.
    if (const auto trn = loadedSegment(table, index, k, "TRN", 3)) set.add({"TRN", (*trn)[0], (*trn)[1], (*trn)[2]});
    std::size_t taken = 0;
    for (std::size_t j = (k ? k : 1); j <= (k ? k : claimCount); ++j) {
        if (k == 0 && claimCount) meter.set(100.0 * static_cast<double>(j) / static_cast<double>(claimCount));
        if (filterKeeps(fields, j, options)) remittanceClaim(set, fields, j, ++taken);
    }
    if (k == 0) CTL394MTRD("");
    return interchangeText(env, context.time, d, FunctionalGroup::Remittance, "005010X221A1", set.close());
}

std::string CTL394CONVE(const X12Delimiters& d, std::size_t claimCount, std::size_t k) {
    std::string out = "MSH" + d.terminator + d.element + d.component + "\r\n";
    const std::size_t first = k ? k : 1, last = k ? k : claimCount;
    std::size_t n = 0;
    for (std::size_t j = first; j <= last; ++j) out += "PID" + d.element + std::to_string(++n) + "\r\n" + d.terminator;
    return out;
}

std::string CTL394CONVF(const SegmentTable& t, const ClaimIndex& index, std::size_t k, const std::string& sourceFile) {
    const SourceRows rows(t, sourceFile);
    if (k == 0) return copyRecounted(t, rows);
    if (k > index.size() || index[k - 1] < 1 || index[k - 1] > t.size()) return "";
    const X12Delimiters& d = t.delimiters();
    std::size_t first = index[k - 1];
    const std::size_t st = lastBefore(t, first, "ST");
    const std::size_t gs = st ? lastBefore(t, st, "GS") : 0;
    const std::size_t isa = gs ? lastBefore(t, gs, "ISA") : 0;
    if (!st || !gs || !isa) return "";
    const SetLayout layout{wl::prefixMatch(t.element(st, 1), "835")};
    // Where each billing provider has one subscriber the index points at
    // the provider's HL: the claim is the subscriber below it.
    if (layout.headerLoopStart(t, first))
        while (first < t.size() && !layout.claimStart(t, first) && !layout.trailer(t, first)) ++first;
    if (!layout.claimStart(t, first)) return "";

    std::string out = rows.segment(isa) + rows.segment(gs);
    std::size_t count = 0;
    auto write = [&](std::size_t r) {
        out += rows.segment(r);
        ++count;
    };
    write(st);
    // The set's header: every row before its first header loop or claim.
    for (std::size_t r = st + 1; r < first && !layout.headerLoopStart(t, r) && !layout.claimStart(t, r); ++r) write(r);
    // The header loop the claim stands in, up to its first claim or lower level.
    std::size_t loop = 0;
    for (std::size_t q = first; q > st && !loop; --q)
        if (layout.headerLoopStart(t, q)) loop = q;
    if (loop) {
        write(loop);
        for (std::size_t q = loop + 1; q < first && t.id(q) != "HL" && !layout.claimStart(t, q); ++q) write(q);
    }
    // The claim: up to the next claim, header loop or the set's trailer.
    write(first);
    for (std::size_t q = first + 1; q <= t.size(); ++q) {
        if (layout.claimStart(t, q) || layout.headerLoopStart(t, q) || layout.trailer(t, q)) break;
        write(q);
    }
    const std::string& e = d.element;
    out += "SE" + e + std::to_string(count + 1) + e + std::string(t.element(st, 2)) + d.terminator;
    out += "GE" + e + "1" + e + std::string(t.element(gs, 6)) + d.terminator;
    out += "IEA" + e + "1" + e + std::string(t.element(isa, 13)) + d.terminator;
    return out;
}

std::string claimWriterPiece(double mode, const ClaimFields& fields, std::size_t claimCount, std::size_t k,
                             const GeneratorContext& context) {
    if (const std::optional<ClaimDataPiece> piece = claimDataPieceOf(mode)) {
        if (*piece == ClaimDataPiece::Request276) return CTL394CONVA(fields, claimCount, k, context);
        if (*piece == ClaimDataPiece::Hl7Block) return CTL394CONVE(fields.table().delimiters(), claimCount, k);
        return "";  // an 837 gives no remittance or acknowledgement blocks
    }
    switch (static_cast<int>(mode)) {
    case static_cast<int>(OutputMode::Files837): return CTL394CONVB(fields, claimCount, k, context);
    case static_cast<int>(OutputMode::Files276): return CTL394CONVA(fields, claimCount, k, context);
    case static_cast<int>(OutputMode::Hl7File): return CTL394CONVE(fields.table().delimiters(), claimCount, k);
    default: return "";
    }
}

namespace {

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices, not files, on
// Windows, whatever their extension.
bool isDeviceName(const std::string& name) {
    const std::string stem = wl::upper(name.substr(0, name.find('.')));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (wl::prefixMatch(stem, "COM") || wl::prefixMatch(stem, "LPT")) && stem[3] >= '1' &&
           stem[3] <= '9';
}

}  // namespace

std::string cleanedClaimFileName(const std::string& claimId) {
    const std::string id = wl::alltrim(claimId);
    std::string name;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char c = id[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '.' && i + 1 < id.size() && id[i + 1] == '.') {
            name += '_';  // ".." would climb out of the folder
            ++i;
        } else if (u < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            name += '_';
        } else {
            name += c;
        }
    }
    // Windows drops trailing dots and blanks from a name.
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (isDeviceName(name)) name.insert(name.begin(), '_');
    return name;
}

std::string claimFileName(const ClaimFields& fields, std::size_t k, int subClaim, const std::string& fallback,
                          const std::string& extension) {
    const std::string id = cleanedClaimFileName(fields.claim(subClaim, static_cast<long long>(k), "CLAIMID"));
    return (id.empty() ? fallback : id) + extension;
}

std::string RunFileNames::unused(const std::string& folder, const std::string& base, const std::string& extension) {
    for (std::size_t n = 1;; ++n) {
        std::string name = base;
        if (n > 1) name.append(1, '_').append(std::to_string(n));
        name += extension;
        const std::string path = folder.empty() ? name : wl::joinPath(folder, name);
        const std::string key = wl::pathKey(path);
        if (std::find(given_.begin(), given_.end(), key) != given_.end()) continue;
        given_.push_back(key);
        return path;
    }
}

namespace {

void writeOne(const std::string& file, const std::string& text, WrittenFiles& out) {
    if (wl::writeFileAtomically(file, text) == 0) out.written.push_back(file);
    else out.failed.push_back(file);
}

// The save dialog of Claim Data's Create buttons, then the overwrite
// question for an existing file; "" when the user gave no file or said No.
std::string askedFile(const std::string& title, const std::string& startFolder, const std::string& proposed) {
    wl::FileDialogRequest ask;
    ask.title = title;
    ask.save = true;
    ask.initialDir = startFolder;
    ask.initialFile = proposed;
    const std::string file = wl::alltrim(wl::CGETFILE(ask));
    if (file.empty()) return "";
    if (wl::fileExists(file) && !wl::MSGNOYES(file + " already exists. Overwrite it?", "Overwite File?")) return "";
    return file;
}

void reportFailures(const WrittenFiles& out, const std::string& caption) {
    if (out.failed.empty()) return;
    std::string text;
    for (const std::string& f : out.failed) text += f + " was not written\r\n";
    wl::MSGALERT(text, caption);
}

}  // namespace

WrittenFiles CTL39406AC(const ClaimFields& fields, std::size_t claimCount, const std::string& currentFolder,
                        const std::string& startFolder, std::size_t k, int subClaim,
                        const GeneratorContext& context) {
    WrittenFiles out;
    const FileClaimFields values(fields, context.fileValues ? std::string() : context.sourceFile);
    const GeneratorContext requests = context.fileValues ? context : values.reading(context);
    auto baseOf = [&](std::size_t j) { return claimFileName(fields, j, subClaim, "claimstatus", ""); };
    if (k == 0) {
        const bool overwrite = wl::MSGNOYES("Overwrite any existing files?", "Overwite Files?");
        RunFileNames names;
        for (std::size_t j = 1; j <= claimCount; ++j) {
            const std::string file = names.unused(currentFolder, baseOf(j), ".276");
            if (wl::fileExists(file) && !overwrite) {
                out.skipped.push_back(file);
                continue;
            }
            writeOne(file, CTL394CONVA(fields, claimCount, j, requests), out);
        }
    } else {
        const std::string file = askedFile("Create a 276 Claims File", startFolder, baseOf(k) + ".276");
        if (!file.empty()) writeOne(file, CTL394CONVA(fields, claimCount, k, requests), out);
    }
    reportFailures(out, "Create 276");
    return out;
}

WrittenFiles CTL39406AD(const ClaimFields& fields, const std::string& startFolder, std::size_t k, int subClaim,
                        const std::string& sourceFile) {
    WrittenFiles out;
    if (k == 0) return out;
    const std::string file =
        askedFile("Create a 837 Claims File", startFolder, claimFileName(fields, k, subClaim, "claims", ".837"));
    if (!file.empty()) writeOne(file, CTL394CONVF(fields.table(), fields.index(), k, sourceFile), out);
    reportFailures(out, "Create 837");
    return out;
}

}  // namespace zr
