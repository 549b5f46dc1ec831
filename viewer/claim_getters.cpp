#include "claim_getters.hpp"

#include <array>

#include "claim_code_lists.hpp"
#include "claim_code_texts.hpp"
#include "claim_finders.hpp"
#include "decimal_amount.hpp"
#include "text.hpp"

namespace zr {

namespace {

using Names = std::vector<std::string_view>;

// ---------------------------------------------------------------- names

// `name` is `prefix` followed by digits only; n is their number.
bool numbered(std::string_view name, std::string_view prefix, long long& n) {
    if (!wl::prefixMatch(name, prefix) || name.size() == prefix.size()) return false;
    const std::string_view rest = name.substr(prefix.size());
    for (char c : rest)
        if (c < '0' || c > '9') return false;
    n = leadingNumber(rest);
    return true;
}

// A repeat name: prefix, then 01..12 (element nn of the first HI of the
// qualifier) or a letter and 01..12 (the letter's HI of that qualifier).
struct Repeat {
    int element = 0;
    int occurrence = 1;
};
std::optional<Repeat> repeatOf(std::string_view name, std::string_view prefix) {
    if (!wl::prefixMatch(name, prefix)) return std::nullopt;
    std::string_view rest = name.substr(prefix.size());
    Repeat r;
    if (!rest.empty() && rest[0] >= 'A' && rest[0] <= 'Z') {
        r.occurrence = rest[0] - 'A' + 1;
        rest.remove_prefix(1);
    }
    long long n = 0;
    if (!numbered(rest, "", n) || n < 1 || n > 12) return std::nullopt;
    r.element = static_cast<int>(n);
    return r;
}

// The n of a secondary-identifier name (1 when it has none).
long long occurrenceAfter(std::string_view name, std::string_view prefix) {
    const long long n = leadingNumber(name.substr(prefix.size()));
    return n < 1 ? 1 : n;
}

// ----------------------------------------------------------- dictionary

std::vector<FieldEntry> buildDictionary() {
    std::vector<FieldEntry> d;
    auto add = [&](int group, const Names& names) {
        for (std::string_view n : names) d.push_back({std::string(n), group});
    };
    auto family = [&](int group, std::string_view prefix, const Names& names) {
        for (std::string_view n : names) d.push_back({std::string(prefix) + std::string(n), group});
    };
    add(101, {"TSCONTROLNUMBER", "BHTREFID"});
    add(102, {"SUBMITTERNAME", "SUBMITTERADDR1", "SUBMITTERADDR2", "SUBMITTERCITY", "SUBMITTERST", "SUBMITTERZIP"});
    add(103, {"SUBMITTERPHONE", "SUBMITTERCOMMQUALA", "SUBMITTERCOMMQUALB", "SUBMITTERCOMMQUALC",
              "SUBMITTERCOMMNUMBERA", "SUBMITTERCOMMNUMBERB", "SUBMITTERCOMMNUMBERC", "SUBMITTERCONTACT", "SUBMITTERID"});
    add(104, {"RECEIVERID", "RECEIVERNAME", "RECEIVERADDITIONALNAME"});
    add(105, {"RECEIVERADDR1", "RECEIVERADDR2", "RECEIVERCITY", "RECEIVERST", "RECEIVERZIP"});
    family(106, "BILLINGPROVIDER", {"TYPE", "FIRSTNAME", "LASTNAME", "NAME"});
    family(107, "BILLINGPROVIDER", {"ADDR1", "ADDR2", "CITY", "ST", "ZIP"});
    family(108, "BILLINGPROVIDER",
           {"IDTYPE", "IDCODE", "ID", "CONTACT", "COMMQUALA", "COMMNUMBERA", "COMMQUALB", "COMMNUMBERB", "COMMQUALC",
            "COMMNUMBERC", "SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID"});
    family(109, "PAYTOPROVIDER", {"NAME"});
    family(110, "PAYTOPROVIDER", {"ADDR1", "ADDR2", "CITY", "ST", "ZIP"});
    family(111, "PAYTOPROVIDER", {"IDTYPE", "IDCODE", "ID", "SECONDARYIDTYPE", "SECONDARYIDCODE"});
    add(201, {"PATSIGNATURESOURCE", "RELATEDCAUSECODE", "CLAIMID", "CLAIMAMTDDDDDD_CC", "CLAIMAMT", "CLEARINGIDNUMBER",
              "MULTICLAIMTOTAL"});
    add(202, {"ADJUDDATE",
              "ORDERDATE",
              "INITIALTREATMENTDATE",
              "REFERRALDATE",
              "DATELASTSEEN",
              "ONSETOFILLNESDATE",
              "ACUTEMANIFESTATIONDATE",
              "SIMILARILLNESSONSETDATE",
              "ACCIDENTDATE",
              "LMPDATE",
              "LASTXRAYDATE",
              "ESTIMATEDDATEOFBIRTH",
              "HEARINGVISIONPRESCRIPTIONDATE",
              "DISABILITYBEGINDATE",
              "DISABILITYENDDATE",
              "DATELASTWORKED",
              "RETURNTOWORK",
              "ASSUMEDCAREDATE",
              "RELINQUISHEDCAREDATE",
              "PROVSIGNATUREONFILE",
              "PROVACCEPTASSIGNMENTCODE",
              "BENEFITINDICATOR",
              "RELEASEOFINFORMATION",
              "RELATEDCAUSE",
              "DISCHARGEHOUR",
              "DISCHARGEDATE",
              "STATEMENTDATE",
              "ADMISSIONDATETIME",
              "ADMISSIONTYPECODE",
              "ADMISSIONSOURCECODE",
              "ADMISSIONTYPE",
              "ADMISSIONSOURCE",
              "PATIENTSTATUSCODE",
              "PATIENTSTATUS",
              "MEDICALRECORDNUMBER",
              "PRIORAUTHORIZATIONNUMBER",
              "ICNDCN",
              "TAXONOMYCODE",
              "EMPLOYERIDNUM",
              "PATIENTAMOUNTPAID",
              "TOTALPURCHASEDSERVICEAMOUNT",
              "CLAIMNOTEADD",
              "CLAIMNOTECER",
              "CLAIMNOTEDCP",
              "CLAIMNOTEDGN",
              "CLAIMNOTEPMT",
              "CLAIMNOTETPO"});
    add(203, {"COBPAYERPAIDAMT", "COBAPPROVEDAMT", "COBPAYERALLOWEDAMT", "COBPATRESPONSE", "COBCOVEREDAMT",
              "COBDISCOUNTAMT", "COBPERDAYLIMIT", "COBPATPAIDAMT", "COBTAX", "COBCLMTOTTAX", "OIPAYERMEMNUM",
              "OIPAYERCLINUM", "OIPAYERPOLNUM", "OIPAYERSSN", "OISUBORDER", "OISUBID", "OISUBLNAME", "OISUBFNAME",
              "OISUBMI", "OIPAYERADDR1", "OIPAYERADDR2", "OIPAYERCITY", "OIPAYERSTATE", "OIPAYERZIP", "OIPAYERID",
              "OIPAYERNAME"});
    add(204, {"SEGMENTNOTE", "POSDESC", "FACILITYCODEVALUE", "FACILITYCODEQUALIFIER", "FREQUENCYTYPECODE", "POSCODE",
              "TYPEOFBILL", "FREQUENCYCODE", "PRINCIPALDX", "ADMITDX", "ECODE", "DRG", "K3DATA"});
    add(205, {"OTHERDX"});
    add(206, {"PRINCIPLEPROCDATE", "PRINCIPLEPROC", "OTHERPROCDATE"});
    add(207, {"OCCURRENCESPAN"});
    add(208, {"OCCURRENCECODE"});
    add(209, {"OCCURRENCEDATE"});
    add(210, {"VALUECODE"});
    add(211, {"VALUEAMOUNT"});
    add(212, {"VALUEQTY"});
    add(213, {"CONDITIONCODE"});
    add(214, {"CONDITIONDATE"});
    add(215, {"TREATMENTCODE"});
    add(216, {"SUBCLMTYPECODE", "SUBCLMTYPE", "SUBID", "SUBLNAME", "SUBFNAME", "SUBMI", "SUBADDR1", "SUBADDR2",
              "SUBCITY", "SUBST", "SUBZIP", "SUBDOB", "SUBNAMEPREFIX", "SUBNAMESUFIX", "SUBMSTATUS", "SUBACCOUNTID",
              "SUBORDERCODE", "SUBORDER", "SUBREL", "SUBGROUPNAME", "SUBGROUPID", "SUBSEX", "SUBSSN"});
    add(217, {"PAYERADDR1", "PAYERADDR2", "PAYERCITY", "PAYERSTATE", "PAYERZIP", "PAYERID", "PAYERNAME"});
    add(218, {"PATLNAME", "PATFNAME", "PATMI", "PATADDR1", "PATADDR2", "PATCITY", "PATST", "PATZIP", "PATDOB", "PATSEX",
              "PATREL", "PROPERYCASUALTYCLAIMNUMBER"});
    family(219, "REF", {"LNAME", "FNAME", "ID", "SECONDARYIDTYPE", "SECONDARYIDCODE"});
    family(220, "ATTEND", {"LNAME", "FNAME", "ID", "SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID"});
    family(221, "OPERATE", {"LNAME", "FNAME", "ID", "SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID"});
    family(222, "REN", {"LNAME", "FNAME", "IDTYPECODE", "IDTYPE", "ID", "SECONDARYIDTYPE", "SECONDARYIDCODE"});
    family(223, "FACILITY",
           {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP", "SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID",
            "IDTYPE", "IDCODE", "ID"});
    const Names place = {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP", "ID"};
    family(224, "SERVICELOCATION", place);
    family(225, "ILAB", place);
    family(226, "TLAB", place);
    add(227, {"DX1_XX", "DX2_XX", "DX3_XX", "DX4_XX", "DX1", "DX2", "DX3", "DX4", "DX5", "DX6", "DX7", "DX8", "DX9",
              "DX10", "DX11", "DX12"});
    add(228, {"MEDICALRECORDNUMBER", "CLAIMPAIDDATE", "CLAIMTYPE", "DPROC", "DMODA", "DMODB", "DMODC", "DAMT",
              "DLINEITEMCONTROLNUMBER", "TOOTHSURFACE", "TOOTH"});
    add(229, {"POSLINECODE", "PROC", "PPROC", "MODA", "MODB", "MODC", "DOS", "DDOS", "MM_DD_YY_DOSF", "MM_DD_YY_DOST",
              "AMT", "DDDDDD_CC", "UNITS", "DXLINK", "SUPDXLINKA", "SUPDXLINKB", "SUPDXLINKC", "SUPDXLINKD",
              "LINEITEMCONTROLNUMBER"});
    add(230, {"ILINE", "IPROCTYPE", "IREVCODE", "IPROC", "IMODA", "IMODB", "IMODC", "IMODD", "IAMT", "IUNITSTYPE",
              "IUNITSQTY", "IUNITSRATE", "IUNITS", "NDCUNITS", "NDCCODE", "NDCUNITPRICE", "IADJUDDATE", "IADJUDID",
              "IADJUDAMT", "IDOS"});
    add(231, {"POSLINEDESC", "PRICEAMT", "PRICEREF"});
    family(232, "CLAIMBILLINGPROVIDER", {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP"});
    family(233, "CLAIMBILLINGPROVIDER", {"IDTYPE", "IDCODE", "ID"});
    family(234, "CLAIMBILLINGPROVIDER", {"SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID"});
    family(235, "CLAIMPAYTOPROVIDER", {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP"});
    family(236, "CLAIMPAYTOPROVIDER", {"IDTYPE", "IDCODE", "ID"});
    family(237, "CLAIMPAYTOPROVIDER", {"SECONDARYIDTYPE", "SECONDARYIDCODE"});
    const Names coverage = {"GROUPID", "GROUPNAME", "SUBID", "INSURANCETYPECODE", "SUBLNAME", "SUBFNAME", "SUBMI",
                            "PAYERADDR1", "PAYERADDR2", "PAYERCITY", "PAYERSTATE", "PAYERZIP", "PAYERID", "PAYERNAME"};
    family(238, "PRIMARY", coverage);
    family(238, "PRIMARY", {"SUBADDR1", "SUBADDR2", "SUBCITY", "SUBSTATE", "SUBZIP", "SUBDOB", "SUBSEX"});
    family(238, "SECONDARY", coverage);
    family(238, "TERTIARY", coverage);
    family(239, "HIERARCHIALCLAIMBILLINGPROVIDER", {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP"});
    family(240, "HIERARCHIALCLAIMBILLINGPROVIDER", {"IDTYPE", "IDCODE", "ID"});
    family(241, "HIERARCHIALCLAIMBILLINGPROVIDER", {"SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID"});
    family(242, "HIERARCHIALCLAIMPAYTOPROVIDER", {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP"});
    family(243, "HIERARCHIALCLAIMPAYTOPROVIDER", {"IDTYPE", "IDCODE", "ID"});
    family(244, "HIERARCHIALCLAIMPAYTOPROVIDER", {"SECONDARYIDTYPE", "SECONDARYIDCODE", "SECONDARYID"});
    add(245, {"OTHERPROC"});
    add(246, {"PAYERPRIORPAYMENT"});
    add(999, {"PATMSTAT", "PATNAMEPREFIX", "PATNAMESUFIX", "PAYERST"});
    return d;
}

// The dictionary's group of a name; 0 when no entry matches.
int dictionaryGroup(std::string_view name) {
    if (name == "SUBMI") return 216;
    for (const FieldEntry& e : claimFieldDictionary()) {
        // "SUBMI" names the middle initial alone: longer names beginning
        // with it are submitter names or none.
        if (e.name == "SUBMI") continue;
        if (wl::prefixMatch(name, e.name)) return e.group;
    }
    return 0;
}

// ---------------------------------------------------------- value forms

// CCYYMMDD (or YYMMDD) as "MM DD YY"; "" for anything else.
std::string monthDayYear(std::string_view date) {
    if (date.size() == 8) return std::string(date.substr(4, 2)) + " " + std::string(date.substr(6, 2)) + " " +
                                 std::string(date.substr(2, 2));
    if (date.size() == 6) return std::string(date.substr(2, 2)) + " " + std::string(date.substr(4, 2)) + " " +
                                 std::string(date.substr(0, 2));
    return "";
}

// "150" as "150 00", "150.5" as "150 5": the amount's dollars and cents
// apart, as forms print them.
std::string dollarsAndCents(std::string amount) {
    if (amount.empty()) return "";
    if (amount.find('.') == std::string::npos) return amount + " 00";
    for (char& c : amount)
        if (c == '.') c = ' ';
    return amount;
}

std::string unitsTypeText(const std::string& code) {
    if (code == "DA") return "Days";
    if (code == "UN") return "Unit";
    if (code == "F2") return "International Unit";
    return code;
}

// K3DATA_s_l: the l characters of K301 from position s.
std::string k3Data(std::string_view name, const std::string& k301) {
    if (name == "K3DATA") return k301;
    if (name.size() < 8 || name[6] != '_') return k301;
    const std::string_view rest = name.substr(7);
    const std::size_t bar = rest.find('_');
    if (bar == std::string_view::npos) return k301;
    const long long s = leadingNumber(rest.substr(0, bar));
    const long long l = leadingNumber(rest.substr(bar + 1));
    if (s < 1 || l < 1 || static_cast<std::size_t>(s) > k301.size()) return "";
    return k301.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(l));
}

std::string firstNonEmpty(std::initializer_list<std::string> values) {
    for (const std::string& v : values)
        if (!wl::alltrimView(v).empty()) return v;
    return "";
}

}  // namespace

const std::vector<FieldEntry>& claimFieldDictionary() {
    static const std::vector<FieldEntry> dictionary = buildDictionary();
    return dictionary;
}

int CTL39406CZ(const std::vector<UserDefinedField>& fields, std::string_view name) {
    const std::string wanted = wl::upper(name);
    int group = 0;
    for (const UserDefinedField& f : fields)
        if (f.matches(wanted)) group = f.isClaimField() ? 300 : 0;  // the last match decides
    return group;
}

// -------------------------------------------------------------- reader

struct ClaimFields::Anchor {
    const SegmentTable* t;
    std::uint32_t key;
    std::size_t at;  // the claim's HL*22 row
    int j;
    long long k;
    LineRows* lines = nullptr;  // the reader's service-line rows

    SearchRows* searches = nullptr;  // the reader's rows found

    std::string c(std::string_view s, std::string_view q, int p) const { return rowPiece(*t, row({s, q, p}, 1), p); }
    std::string after(std::string_view s, std::string_view q, std::string_view s2, std::string_view q2, int p) const {
        return rowPiece(*t, row({s, q, p, s2, q2}, 1), p);
    }
    std::string comp(std::string_view s, std::string_view q, int p, int component) const {
        return rowPiece(*t, row({s, q, p}, 1), p, component);
    }
    std::string nth(std::string_view s, std::string_view q, int p, int component, int n) const {
        return rowPiece(*t, row({s, q, p}, n), p, component);
    }
    std::string nthAfter(std::string_view s, std::string_view q, std::string_view s2, int p, int n) const {
        return rowPiece(*t, row({s, q, p, s2, {}}, n), p);
    }
    // The claim search's row (CTL39406DS's), found once per sub-claim.
    std::size_t row(const ClaimSearch& s, int n) const {
        std::array<std::uint64_t, 4> packed{};
        if (!searches || !packWords({s.segment, s.qualifier, s.segment2, s.qualifier2}, packed))
            return claimSearchRowOf(*t, j, key, at, s, n);
        if (searches->key != key || searches->at != at || searches->j != j) {
            searches->key = key;
            searches->at = at;
            searches->j = j;
            searches->found.clear();
        }
        for (const SearchRows::Found& f : searches->found)
            if (f.n == n && f.search == packed) return f.row;
        const std::size_t r = claimSearchRowOf(*t, j, key, at, s, n);
        searches->found.push_back({packed, n, r});
        return r;
    }
    // Each word of up to 7 characters as one number (its length in the top
    // byte); false when one is longer.
    static bool packWords(std::initializer_list<std::string_view> words, std::array<std::uint64_t, 4>& out) {
        std::size_t i = 0;
        for (std::string_view w : words) {
            if (w.size() > 7) return false;
            std::uint64_t v = static_cast<std::uint64_t>(w.size()) << 56;
            for (std::size_t c = 0; c < w.size(); ++c) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(w[c])) << (8 * c);
            out[i++] = v;
        }
        return true;
    }
    std::string three(std::string_view s, std::string_view q, std::string_view s2, std::string_view q2,
                      std::string_view s3, int p) const {
        return CTL39406CK(*t, key, at, {s, q, p, s2, q2}, s3);
    }
    // S3 inside the loop of the S2*q2 found after S*q (a party's own N3, N4).
    std::string inLoopOf(std::string_view s, std::string_view q, std::string_view s2, std::string_view q2,
                         std::string_view s3, int p) const {
        return pieceInLoop(*t, row({s, q, p, s2, q2}, 1), s3, {}, p);
    }
    // CTL39406CM and CTL39406CL of an LX line, its row looked up among the
    // lines of the sub-claim, found once.
    std::string line(std::string_view n, std::string_view s2, std::string_view q2, int p) const {
        if (!lines) return CTL39406CM(*t, j, key, at, "LX", n, p, s2, q2);
        return serviceLinePiece(*t, key, lineRow(n), "LX", n, p, s2, q2);
    }
    std::string lineComp(std::string_view n, std::string_view s2, int p, int component) const {
        return std::string(CTL39406G(line(n, s2, {}, p), component, t->delimiters().component));
    }
    std::size_t lineRow(std::string_view n) const {
        if (lines->key != key || lines->at != at || lines->j != j) {
            *lines = LineRows{key, at, j, claimLineRows(*t, j, key, at, "LX")};
        }
        const long long wanted = leadingNumber(n);
        for (const auto& [number, row] : lines->first)
            if (number == wanted) return row;
        return 0;
    }
};

ClaimFields::ClaimFields(const SegmentTable& table, const ClaimIndex& index, std::string iniFolder)
    : table_(&table), index_(&index), iniFolder_(std::move(iniFolder)) {}

const std::vector<UserDefinedField>& ClaimFields::userFields() const {
    if (!userFields_) userFields_ = CTL39404V(iniFolder_);
    return *userFields_;
}

bool ClaimFields::is5010() const {
    if (!is5010_) is5010_ = CTL39400AB(*table_, 1, 4, "ISA") == "5010";
    return *is5010_;
}

int ClaimFields::groupOf(std::string_view name) const {
    if (nameSlots_.empty()) nameSlots_.resize(256);
    // Names kept side by side in a list of strings land in slots side by side.
    NameSlot& slot = nameSlots_[(reinterpret_cast<std::uintptr_t>(name.data()) >> 5) % nameSlots_.size()];
    if (slot.at == name.data() && slot.text == name) return slot.group;
    // A listing asks the same few names of every claim: each is looked up
    // in the dictionary once.
    int g = 0;
    if (auto it = groups_.find(name); it != groups_.end()) {
        g = it->second;
    } else {
        g = dictionaryGroup(name);
        if (g == 0) g = CTL39406CZ(userFields(), name);
        groups_.emplace(std::string(name), g);
    }
    slot.at = name.data();
    slot.text.assign(name);
    slot.group = g;
    return g;
}

std::size_t ClaimFields::clmCount(long long k) const { return CTL39406CO(*index_, *table_, k); }

std::optional<ClaimFields::Anchor> ClaimFields::anchorOf(long long k, int j) const {
    if (k <= 0 || index_->empty()) return std::nullopt;
    const std::size_t claim = std::min<std::size_t>(static_cast<std::size_t>(k), index_->size());
    const int sub = j < 1 ? 1 : j;
    if (claim != anchorClaim_) {
        anchorClaim_ = claim;
        anchorRow_ = 0;
        anchorKey_ = claimKey(*table_, *index_, claim);
        const SegmentTable& t = *table_;
        for (std::size_t r = (*index_)[claim - 1]; anchorKey_ && r < t.size() && t.claim(r).inSet == anchorKey_; ++r) {
            if (isSegmentRow(t, r, "HL") && wl::prefixMatch(t.element(r, 3), "22")) {
                anchorRow_ = r;
                break;
            }
        }
    }
    if (anchorRow_ == 0) return std::nullopt;
    return Anchor{table_, anchorKey_, anchorRow_, sub, static_cast<long long>(claim), &lineRows_, &searchRows_};
}

// ------------------------------------------------------------- headers

namespace {

struct HeaderField {
    std::string_view name;
    std::string_view segment2;  // "" reads the NM1 itself
    int piece;
};

// The submitter (NM1*41), before the first HL.
std::optional<std::string> submitterValue(const SegmentTable& t, std::string_view name) {
    static constexpr std::array<HeaderField, 15> kFields{{
        {"SUBMITTERNAME", "", 4},        {"SUBMITTERID", "", 10},         {"SUBMITTERADDR1", "N3", 2},
        {"SUBMITTERADDR2", "N3", 3},     {"SUBMITTERCITY", "N4", 2},      {"SUBMITTERST", "N4", 3},
        {"SUBMITTERZIP", "N4", 4},       {"SUBMITTERCONTACT", "PER", 3},  {"SUBMITTERPHONE", "PER", 5},
        {"SUBMITTERCOMMQUALA", "PER", 4}, {"SUBMITTERCOMMNUMBERA", "PER", 5}, {"SUBMITTERCOMMQUALB", "PER", 6},
        {"SUBMITTERCOMMNUMBERB", "PER", 7}, {"SUBMITTERCOMMQUALC", "PER", 8}, {"SUBMITTERCOMMNUMBERC", "PER", 9},
    }};
    for (const HeaderField& f : kFields) {
        if (!wl::prefixMatch(name, f.name)) continue;
        const bool address = f.segment2 == "N3" || (f.segment2 == "N4" && f.name != "SUBMITTERZIP");
        if (address && wl::alltrimView(CTL39406Q(t, 1, {"NM1", "41", 4}, 1)).empty()) return "";
        return CTL39406Q(t, 1, {"NM1", "41", f.piece, f.segment2, {}}, 1);
    }
    return std::nullopt;
}

std::optional<std::string> receiverValue(const SegmentTable& t, std::string_view name, int hlLimit) {
    static constexpr std::array<HeaderField, 8> kFields{{
        {"RECEIVERID", "", 10},
        {"RECEIVERNAME", "", 4},
        {"RECEIVERADDITIONALNAME", "N2", 2},
        {"RECEIVERADDR1", "N3", 2},
        {"RECEIVERADDR2", "N3", 3},
        {"RECEIVERCITY", "N4", 2},
        {"RECEIVERST", "N4", 3},
        {"RECEIVERZIP", "N4", 4},
    }};
    for (const HeaderField& f : kFields) {
        if (!wl::prefixMatch(name, f.name)) continue;
        const int m = f.segment2 == "N3" || f.segment2 == "N4" ? 2 : hlLimit;
        return CTL39406Q(t, 1, {"NM1", "40", f.piece, f.segment2, {}}, m);
    }
    return std::nullopt;
}

std::optional<std::string> transactionValue(const SegmentTable& t, std::string_view name, int hlLimit) {
    if (wl::prefixMatch(name, "TSCONTROLNUMBER")) return CTL39406Q(t, 1, {"ST", "837", 3}, hlLimit);
    if (wl::prefixMatch(name, "BHTREFID")) return CTL39406Q(t, 1, {"BHT", "", 4}, hlLimit);
    return std::nullopt;
}

// BILLINGPROVIDER... (NM1*85) and PAYTOPROVIDER... (NM1*87) of the file.
std::optional<std::string> fileProviderValue(const SegmentTable& t, std::string_view name, std::string_view prefix,
                                             std::string_view qualifier) {
    if (!wl::prefixMatch(name, prefix)) return std::nullopt;
    const std::string_view rest = name.substr(prefix.size());
    auto secondary = [&](std::string_view field, int piece) {
        return CTL39406W(t, {"NM1", qualifier, piece, "REF", {}}, static_cast<int>(occurrenceAfter(rest, field)));
    };
    if (wl::prefixMatch(rest, "SECONDARYIDTYPE")) {
        const std::string code = secondary("SECONDARYIDTYPE", 2);
        return claimCodeText(ClaimCodeList::ReferenceQualifier, code);
    }
    if (wl::prefixMatch(rest, "SECONDARYIDCODE")) return secondary("SECONDARYIDCODE", 2);
    if (wl::prefixMatch(rest, "SECONDARYID")) return secondary("SECONDARYID", 3);
    static constexpr std::array<HeaderField, 19> kFields{{
        {"TYPE", "", 3},          {"FIRSTNAME", "", 5},      {"LASTNAME", "", 4},        {"NAME", "", 4},
        {"ADDR1", "N3", 2},       {"ADDR2", "N3", 3},        {"CITY", "N4", 2},          {"ST", "N4", 3},
        {"ZIP", "N4", 4},         {"IDTYPE", "", 9},         {"IDCODE", "", 9},          {"ID", "", 10},
        {"CONTACT", "PER", 3},    {"COMMQUALA", "PER", 4},   {"COMMNUMBERA", "PER", 5},  {"COMMQUALB", "PER", 6},
        {"COMMNUMBERB", "PER", 7}, {"COMMQUALC", "PER", 8},  {"COMMNUMBERC", "PER", 9},
    }};
    for (const HeaderField& f : kFields) {
        if (!wl::prefixMatch(rest, f.name)) continue;
        const std::string v = CTL39406Q(t, 1, {"NM1", qualifier, f.piece, f.segment2, {}}, 2);
        return f.name == "IDTYPE" ? claimCodeText(ClaimCodeList::ProviderIdQualifier, v) : v;
    }
    return std::nullopt;
}

std::string headerRule(const SegmentTable& t, std::string_view name, int hlLimit) {
    if (auto v = transactionValue(t, name, hlLimit)) return *v;
    if (auto v = submitterValue(t, name)) return *v;
    if (auto v = receiverValue(t, name, hlLimit)) return *v;
    if (auto v = fileProviderValue(t, name, "BILLINGPROVIDER", "85")) return *v;
    if (auto v = fileProviderValue(t, name, "PAYTOPROVIDER", "87")) return *v;
    return "";
}

}  // namespace

std::string ClaimFields::headerGroup(int group, std::string_view name) const {
    // The first getters of groups 101 to 105 look before the first HL; their
    // fallbacks look again up to the second.
    const std::string first = headerRule(*table_, name, 1);
    if (group >= 101 && group <= 105 && wl::alltrimView(first).empty()) return headerRule(*table_, name, 2);
    return first;
}

std::string ClaimFields::header(long long k, std::string_view name) const {
    const int group = groupOf(name);
    if (group >= 239 && group <= 244) return hierarchical(k, name);
    const bool known = group == 0 || (group >= 101 && group <= 111);
    if (!known) return "";
    if (auto it = headerValues_.find(name); it != headerValues_.end()) return it->second;
    std::string value = group == 0 ? userHeaderField(std::string(name)) : headerGroup(group, name);
    headerValues_.emplace(std::string(name), value);
    return value;
}

std::string ClaimFields::userHeaderField(const std::string& name) const {
    const std::string wanted = wl::upper(name);
    const SegmentTable& t = *table_;
    for (const UserDefinedField& f : userFields()) {
        if (!f.matches(wanted) || f.segment.empty()) continue;
        const int piece = static_cast<int>(leadingNumber(f.piece));
        const std::string segment = wl::upper(f.segment);
        const std::string qualifier = wl::upper(f.qualifier);
        // The header search runs from every row in turn: the declared
        // segment may stand anywhere in the file.
        for (std::size_t r = 1; r < t.size(); ++r) {
            if (t.id(r) != segment) continue;
            const std::string v = CTL39406Q(t, r, {segment, qualifier, piece}, 1);
            if (!v.empty()) return v;
        }
    }
    return "";
}

std::string ClaimFields::userClaimField(const Anchor& a, const std::string& name) const {
    const std::string wanted = wl::upper(name);
    for (const UserDefinedField& f : userFields()) {
        if (!f.matches(wanted) || f.segment.empty()) continue;
        const std::string v =
            a.c(wl::upper(f.segment), wl::upper(f.qualifier), static_cast<int>(leadingNumber(f.piece)));
        if (!v.empty()) return v;
    }
    return "";
}

// HIERARCHIALCLAIM...: the provider of the claim's billing-provider group;
// one search per group and name.
std::string ClaimFields::hierarchical(long long k, std::string_view name) const {
    if (k <= 0 || index_->empty()) return "";
    const std::size_t claim = std::min<std::size_t>(static_cast<std::size_t>(k), index_->size());
    const std::size_t first = (*index_)[claim - 1];
    if (first < 1 || first >= table_->size()) return "";
    const std::size_t start = groupStart(*table_, first);
    const auto memo = std::make_pair(start, std::string(name));
    if (auto it = groupValues_.find(memo); it != groupValues_.end()) return it->second;

    const bool billing = wl::prefixMatch(name, "HIERARCHIALCLAIMBILLINGPROVIDER");
    const std::string_view q = billing ? "85" : "87";
    const std::string_view rest = name.substr(billing ? 31 : 29);
    const SegmentTable& t = *table_;
    std::string v;
    auto secondary = [&](std::string_view field, int piece) {
        return CTL39406CV(t, start, {"NM1", q, piece, "REF", {}}, static_cast<int>(occurrenceAfter(rest, field)));
    };
    struct Field {
        std::string_view name;
        std::string_view segment3;
        int piece;
    };
    static constexpr std::array<Field, 9> kFields{{{"NAME", "", 4},
                                                   {"ADDR1", "N3", 2},
                                                   {"ADDR2", "N3", 3},
                                                   {"CITY", "N4", 2},
                                                   {"ST", "N4", 3},
                                                   {"ZIP", "N4", 4},
                                                   {"IDTYPE", "", 9},
                                                   {"IDCODE", "", 9},
                                                   {"ID", "", 10}}};
    if (wl::prefixMatch(rest, "SECONDARYIDTYPE")) {
        v = claimCodeText(ClaimCodeList::ReferenceQualifier, secondary("SECONDARYIDTYPE", 2));
    } else if (wl::prefixMatch(rest, "SECONDARYIDCODE")) {
        v = secondary("SECONDARYIDCODE", 2);
    } else if (wl::prefixMatch(rest, "SECONDARYID")) {
        v = secondary("SECONDARYID", 3);
    } else {
        for (const Field& f : kFields) {
            if (!wl::prefixMatch(rest, f.name)) continue;
            v = f.segment3.empty() ? CTL39406CX(t, start, "HL", "", f.piece, "NM1", q)
                                   : CTL39406CW(t, start, {"HL", "", f.piece, "NM1", q}, f.segment3);
            if (f.name == "IDTYPE") v = claimCodeText(ClaimCodeList::ProviderIdQualifier, v);
            break;
        }
    }
    groupValues_.emplace(memo, v);
    return v;
}

// -------------------------------------------------------------- claims

namespace {

using A = ClaimFields::Anchor;

struct Pick {
    std::string_view name;
    std::string_view qualifier;
};

// A part of a party: its NM1's own piece ("" segment) or a piece of the N3,
// N4 or other segment of its loop.
struct PartyField {
    std::string_view name;
    std::string_view segment2;
    int piece;
};

std::optional<std::string> claimHeader(const A& a, std::string_view name) {
    if (wl::prefixMatch(name, "MULTICLAIMTOTAL")) {
        DecimalAmount total;
        for (int n = 1;; ++n) {
            const std::string clm = CTL39406DS(*a.t, 1, a.key, a.at, {"CLM", {}, 1}, n);
            if (clm.empty()) break;
            total += DecimalAmount::parse(CTL39406DS(*a.t, 1, a.key, a.at, {"CLM", {}, 3}, n));
        }
        return total.text();
    }
    if (wl::prefixMatch(name, "PATSIGNATURESOURCE")) return a.c("CLM", {}, 11);
    if (wl::prefixMatch(name, "RELATEDCAUSECODE")) return a.c("CLM", {}, 12);
    if (wl::prefixMatch(name, "CLAIMID")) return a.c("CLM", {}, 2);
    if (wl::prefixMatch(name, "CLAIMAMTDDDDDD_CC")) return dollarsAndCents(a.c("CLM", {}, 3));
    if (wl::prefixMatch(name, "CLAIMAMT")) return a.c("CLM", {}, 3);
    if (wl::prefixMatch(name, "CLEARINGIDNUMBER")) return a.after("CLM", {}, "REF", "D9", 3);
    return std::nullopt;
}

std::optional<std::string> claimDates(const A& a, std::string_view name) {
    static constexpr std::array<Pick, 22> kDates{{
        {"ADJUDDATE", "573"},        {"ORDERDATE", "938"},           {"INITIALTREATMENTDATE", "454"},
        {"REFERRALDATE", "330"},     {"DATELASTSEEN", "304"},        {"ONSETOFILLNESDATE", "431"},
        {"ACUTEMANIFESTATIONDATE", "453"}, {"SIMILARILLNESSONSETDATE", "438"}, {"ACCIDENTDATE", "439"},
        {"LMPDATE", "484"},          {"LASTXRAYDATE", "455"},        {"ESTIMATEDDATEOFBIRTH", "ABC"},
        {"HEARINGVISIONPRESCRIPTIONDATE", "471"}, {"DISABILITYBEGINDATE", "360"}, {"DISABILITYENDDATE", "361"},
        {"DATELASTWORKED", "297"},   {"RETURNTOWORKDATE", "296"},    {"ASSUMEDCAREDATE", "090"},
        {"RELINQUISHEDCAREDATE", "091"}, {"DISCHARGEHOUR", "096"},   {"STATEMENTDATE", "434"},
        {"ADMISSIONDATETIME", "435"},
    }};
    for (const Pick& p : kDates)
        if (wl::prefixMatch(name, p.name)) return a.c("DTP", p.qualifier, 4);
    if (wl::prefixMatch(name, "DISCHARGEDATE")) return firstNonEmpty({a.c("CR6", {}, 6), a.c("DTP", "096", 4)});
    return std::nullopt;
}

std::optional<std::string> claimIndicators(const A& a, std::string_view name) {
    if (wl::prefixMatch(name, "PROVSIGNATUREONFILE")) return CTL39406AF(a.c("CLM", {}, 7));
    if (wl::prefixMatch(name, "PROVACCEPTASSIGNMENTCODE")) return CTL39406AG(a.c("CLM", {}, 8));
    if (wl::prefixMatch(name, "BENEFITINDICATOR")) return CTL39406AF(a.c("CLM", {}, 9));
    if (wl::prefixMatch(name, "RELEASEOFINFORMATION")) return CTL39406AF(a.c("CLM", {}, 10));
    if (wl::prefixMatch(name, "RELATEDCAUSE")) return CTL39406AH(a.comp("CLM", {}, 12, 1));
    if (wl::prefixMatch(name, "ADMISSIONTYPECODE")) return a.c("CL1", {}, 2);
    if (wl::prefixMatch(name, "ADMISSIONSOURCECODE")) return a.c("CL1", {}, 3);
    if (wl::prefixMatch(name, "ADMISSIONTYPE")) return admissionTypeText(a.c("CL1", {}, 2));
    if (wl::prefixMatch(name, "ADMISSIONSOURCE")) return admissionSourceText(a.c("CL1", {}, 3));
    if (wl::prefixMatch(name, "PATIENTSTATUSCODE")) return a.c("CL1", {}, 4);
    if (wl::prefixMatch(name, "PATIENTSTATUS")) return patientStatusText(a.c("CL1", {}, 4));
    static constexpr std::array<Pick, 4> kRefs{{{"ICNDCN", "F8"},
                                               {"EMPLOYERIDNUM", "EI"},
                                               {"PRIORAUTHORIZATIONNUMBER", "G1"},
                                               {"MEDICALRECORDNUMBER", "EA"}}};
    for (const Pick& p : kRefs)
        if (wl::prefixMatch(name, p.name)) return a.c("REF", p.qualifier, 3);
    if (wl::prefixMatch(name, "TAXONOMYCODE")) return a.c("PRV", "PE", 4);
    if (wl::prefixMatch(name, "PATIENTAMOUNTPAID")) return a.c("AMT", "F5", 3);
    if (wl::prefixMatch(name, "TOTALPURCHASEDSERVICEAMOUNT")) return a.c("AMT", "NE", 3);
    if (wl::prefixMatch(name, "CLAIMNOTE") && name.size() >= 12) return a.c("NTE", name.substr(9, 3), 3);
    return std::nullopt;
}

std::optional<std::string> otherInsurance(const A& a, std::string_view name) {
    static constexpr std::array<Pick, 10> kAmounts{{{"COBPAYERPAIDAMT", "D"},
                                                   {"COBAPPROVEDAMT", "AAE"},
                                                   {"COBPAYERALLOWEDAMT", "B6"},
                                                   {"COBPATRESPONSE", "F2"},
                                                   {"COBCOVEREDAMT", "AU"},
                                                   {"COBDISCOUNTAMT", "D8"},
                                                   {"COBPERDAYLIMIT", "DY"},
                                                   {"COBPATPAIDAMT", "F5"},
                                                   {"COBTAX", "T"},
                                                   {"COBCLMTOTTAX", "T2"}}};
    for (const Pick& p : kAmounts)
        if (wl::prefixMatch(name, p.name)) return a.c("AMT", p.qualifier, 3);
    static constexpr std::array<Pick, 4> kRefs{
        {{"OIPAYERMEMNUM", "1W"}, {"OIPAYERCLINUM", "23"}, {"OIPAYERPOLNUM", "IG"}, {"OIPAYERSSN", "SY"}}};
    for (const Pick& p : kRefs)
        if (wl::prefixMatch(name, p.name)) return a.after("OI", {}, "REF", p.qualifier, 3);
    if (wl::prefixMatch(name, "OISUBORDER"))
        return claimCodeText(ClaimCodeList::PayerSequence, a.after("OI", {}, "SBR", {}, 2));
    struct Field {
        std::string_view name;
        std::string_view segment;
        std::string_view qualifier;
        int piece;
    };
    // The other payer's address is the N3 and N4 of its own NM1*PR loop: the
    // first N3 after OI is the other subscriber's.
    static constexpr std::array<PartyField, 5> kPayerAddress{{
        {"OIPAYERADDR1", "N3", 2},
        {"OIPAYERADDR2", "N3", 3},
        {"OIPAYERCITY", "N4", 2},
        {"OIPAYERSTATE", "N4", 3},
        {"OIPAYERZIP", "N4", 4},
    }};
    for (const PartyField& f : kPayerAddress)
        if (wl::prefixMatch(name, f.name)) return a.inLoopOf("OI", {}, "NM1", "PR", f.segment2, f.piece);
    static constexpr std::array<Field, 6> kFields{{
        {"OISUBID", "NM1", "IL", 10},
        {"OISUBLNAME", "NM1", "IL", 4},
        {"OISUBFNAME", "NM1", "IL", 5},
        {"OISUBMI", "NM1", "IL", 6},
        {"OIPAYERID", "NM1", "PR", 10},
        {"OIPAYERNAME", "NM1", "PR", 4},
    }};
    for (const Field& f : kFields)
        if (wl::prefixMatch(name, f.name)) return a.after("OI", {}, f.segment, f.qualifier, f.piece);
    return std::nullopt;
}

// The first HI of one of the qualifiers (in order) that holds a value.
std::string hiValue(const A& a, std::initializer_list<std::string_view> qualifiers, int element, int component,
                    int occurrence = 1) {
    for (std::string_view q : qualifiers) {
        std::string v = a.nth("HI", q, element + 1, component, occurrence);
        if (!wl::alltrimView(v).empty()) return v;
    }
    return "";
}

std::optional<std::string> diagnosisHeader(const A& a, std::string_view name) {
    if (wl::prefixMatch(name, "SEGMENTNOTE")) return a.after("NM1", "IL", "DMG", {}, 4);
    if (wl::prefixMatch(name, "POSDESC")) return claimCodeText(ClaimCodeList::FacilityCode, a.comp("CLM", {}, 6, 1));
    if (wl::prefixMatch(name, "FACILITYCODEVALUE")) return a.comp("CLM", {}, 6, 1);
    if (wl::prefixMatch(name, "FACILITYCODEQUALIFIER")) return a.comp("CLM", {}, 6, 2);
    if (wl::prefixMatch(name, "FREQUENCYTYPECODE")) return a.comp("CLM", {}, 6, 3);
    if (wl::prefixMatch(name, "POSCODE")) return a.comp("CLM", {}, 6, 1);
    if (wl::prefixMatch(name, "TYPEOFBILL")) return a.comp("CLM", {}, 6, 1) + a.comp("CLM", {}, 6, 3);
    if (wl::prefixMatch(name, "FREQUENCYCODE")) return a.comp("CLM", {}, 6, 3);
    // Each of these three stands first in its own HI.
    if (wl::prefixMatch(name, "PRINCIPALDX")) return hiValue(a, {"ABK", "BK"}, 1, 2);
    if (wl::prefixMatch(name, "ADMITDX")) return hiValue(a, {"ABJ", "BJ"}, 1, 2);
    if (wl::prefixMatch(name, "ECODE")) return hiValue(a, {"ABN", "BN"}, 1, 2);
    if (wl::prefixMatch(name, "DRG")) return hiValue(a, {"DR"}, 1, 2);
    if (wl::prefixMatch(name, "K3DATA")) return k3Data(name, a.c("K3", {}, 2));
    return std::nullopt;
}

// The HI repeat families: name, qualifiers in the order tried, component.
struct RepeatFamily {
    std::string_view name;
    std::array<std::string_view, 3> qualifiers;
    int component;
};

std::optional<std::string> repeatValue(const A& a, std::string_view name) {
    static constexpr std::array<RepeatFamily, 12> kFamilies{{
        {"OTHERDX", {"ABF", "BF", {}}, 2},
        {"OTHERPROCDATE", {"BBQ", "BQ", "BO"}, 4},
        {"OCCURRENCESPAN", {"BI", {}, {}}, 2},
        {"OCCURRENCECODE", {"BH", {}, {}}, 2},
        {"OCCURRENCEDATE", {"BH", {}, {}}, 4},
        {"VALUECODE", {"BE", {}, {}}, 2},
        {"VALUEAMOUNT", {"BE", {}, {}}, 5},
        {"VALUEQTY", {"BE", {}, {}}, 6},
        {"CONDITIONCODE", {"BG", {}, {}}, 2},
        {"CONDITIONDATE", {"BG", {}, {}}, 4},
        {"TREATMENTCODE", {"TC", {}, {}}, 2},
        {"OTHERPROC", {"BBQ", "BO", "BQ"}, 2},
    }};
    if (wl::prefixMatch(name, "PRINCIPLEPROCDATE")) return hiValue(a, {"BP", "BR"}, 1, 4);
    if (wl::prefixMatch(name, "PRINCIPLEPROC")) return hiValue(a, {"BBR", "BR", "BP"}, 1, 2);
    for (const RepeatFamily& f : kFamilies) {
        if (!wl::prefixMatch(name, f.name)) continue;
        const auto r = repeatOf(name, f.name);
        if (!r) return "";
        for (std::string_view q : f.qualifiers) {
            if (q.empty()) break;
            std::string v = a.nth("HI", q, r->element + 1, f.component, r->occurrence);
            if (!wl::alltrimView(v).empty()) return v;
        }
        return "";
    }
    return std::nullopt;
}

std::optional<std::string> subscriberValue(const A& a, std::string_view name) {
    struct Field {
        std::string_view name;
        std::string_view segment2;
        std::string_view qualifier2;
        int piece;
    };
    // After NM1*IL; "" in segment2 reads the NM1 itself.
    static constexpr std::array<Field, 14> kNm1{{
        {"SUBID", {}, {}, 10},
        {"SUBLNAME", {}, {}, 4},
        {"SUBFNAME", {}, {}, 5},
        {"SUBADDR1", "N3", {}, 2},
        {"SUBADDR2", "N3", {}, 3},
        {"SUBCITY", "N4", {}, 2},
        {"SUBST", "N4", {}, 3},
        {"SUBZIP", "N4", {}, 4},
        {"SUBDOB", "DMG", {}, 3},
        {"SUBNAMEPREFIX", {}, {}, 7},
        {"SUBNAMESUFIX", {}, {}, 8},
        {"SUBMSTATUS", "DMG", {}, 5},
        {"SUBACCOUNTID", "REF", "FY", 3},
        {"SUBSSN", "REF", "SY", 3},
    }};
    if (name == "SUBMI") return a.c("NM1", "IL", 6);
    if (wl::prefixMatch(name, "SUBCLMTYPECODE")) return a.c("SBR", {}, 10);
    if (wl::prefixMatch(name, "SUBCLMTYPE")) return claimCodeText(ClaimCodeList::ClaimFilingIndicator, a.c("SBR", {}, 10));
    if (wl::prefixMatch(name, "SUBORDERCODE")) return a.c("SBR", {}, 2);
    if (wl::prefixMatch(name, "SUBORDER")) return claimCodeText(ClaimCodeList::PayerSequence, a.c("SBR", {}, 2));
    if (wl::prefixMatch(name, "SUBREL")) return claimCodeText(ClaimCodeList::SubscriberRelation, a.c("SBR", {}, 3));
    if (wl::prefixMatch(name, "SUBGROUPNAME")) return a.c("SBR", {}, 5);
    if (wl::prefixMatch(name, "SUBGROUPID")) return a.c("SBR", {}, 4);
    if (wl::prefixMatch(name, "SUBSEX")) return a.after("NM1", "IL", "DMG", {}, 4);
    for (const Field& f : kNm1) {
        if (!wl::prefixMatch(name, f.name)) continue;
        return f.segment2.empty() ? a.c("NM1", "IL", f.piece) : a.after("NM1", "IL", f.segment2, f.qualifier2, f.piece);
    }
    return std::nullopt;
}

// Name, address and other parts of a party named by NM1*q.
constexpr std::array<PartyField, 6> kAddress{{
    {"ADDR1", "N3", 2},
    {"ADDR2", "N3", 3},
    {"CITY", "N4", 2},
    {"ST", "N4", 3},
    {"ZIP", "N4", 4},
    {"NAME", {}, 4},
}};

std::optional<std::string> partyAddress(const A& a, std::string_view rest, std::string_view qualifier) {
    for (const PartyField& f : kAddress) {
        if (!wl::prefixMatch(rest, f.name)) continue;
        return f.segment2.empty() ? a.c("NM1", qualifier, f.piece) : a.after("NM1", qualifier, f.segment2, {}, f.piece);
    }
    return std::nullopt;
}

std::optional<std::string> payerValue(const A& a, std::string_view name) {
    if (!wl::prefixMatch(name, "PAYER")) return std::nullopt;
    const std::string_view rest = name.substr(5);
    if (wl::prefixMatch(rest, "ID")) return a.c("NM1", "PR", 10);
    if (wl::prefixMatch(rest, "STATE")) return a.after("NM1", "PR", "N4", {}, 3);
    return partyAddress(a, rest, "PR");
}

std::optional<std::string> patientValue(const A& a, std::string_view name) {
    if (wl::prefixMatch(name, "PROPERYCASUALTYCLAIMNUMBER")) return a.after("NM1", "QC", "REF", {}, 3);
    if (!wl::prefixMatch(name, "PAT")) return std::nullopt;
    const std::string_view rest = name.substr(3);
    if (wl::prefixMatch(rest, "LNAME")) return a.c("NM1", "QC", 4);
    if (wl::prefixMatch(rest, "FNAME")) return a.c("NM1", "QC", 5);
    if (wl::prefixMatch(rest, "MI")) return a.c("NM1", "QC", 6);
    if (wl::prefixMatch(rest, "DOB")) return a.after("NM1", "QC", "DMG", {}, 3);
    if (wl::prefixMatch(rest, "SEX")) return a.after("NM1", "QC", "DMG", {}, 4);
    if (wl::prefixMatch(rest, "REL")) return claimCodeText(ClaimCodeList::PatientRelation, a.c("PAT", {}, 2));
    return partyAddress(a, rest, "QC");
}

// REF..., ATTEND..., OPERATE..., REN..., FACILITY... and the places.
std::optional<std::string> providerValue(const A& a, std::string_view rest, std::string_view qualifier) {
    auto secondary = [&](std::string_view field, int piece) {
        return a.nthAfter("NM1", qualifier, "REF", piece, static_cast<int>(occurrenceAfter(rest, field)));
    };
    if (wl::prefixMatch(rest, "SECONDARYIDTYPE"))
        return claimCodeText(ClaimCodeList::ReferenceQualifier, secondary("SECONDARYIDTYPE", 2));
    if (wl::prefixMatch(rest, "SECONDARYIDCODE")) return secondary("SECONDARYIDCODE", 2);
    if (wl::prefixMatch(rest, "SECONDARYID")) return secondary("SECONDARYID", 3);
    if (wl::prefixMatch(rest, "LNAME")) return a.c("NM1", qualifier, 4);
    if (wl::prefixMatch(rest, "FNAME")) return a.c("NM1", qualifier, 5);
    if (wl::prefixMatch(rest, "IDTYPECODE") || wl::prefixMatch(rest, "IDCODE")) return a.c("NM1", qualifier, 9);
    if (wl::prefixMatch(rest, "IDTYPE"))
        return claimCodeText(ClaimCodeList::ProviderIdQualifier, a.c("NM1", qualifier, 9));
    if (wl::prefixMatch(rest, "ID")) return a.c("NM1", qualifier, 10);
    return partyAddress(a, rest, qualifier);
}

std::optional<std::string> namedProviders(const A& a, bool is5010, std::string_view name) {
    struct Family {
        std::string_view prefix;
        std::string_view qualifier;
    };
    static constexpr std::array<Family, 8> kFamilies{{{"REF", "DN"},
                                                     {"ATTEND", "71"},
                                                     {"OPERATE", "72"},
                                                     {"REN", "82"},
                                                     {"FACILITY", {}},
                                                     {"SERVICELOCATION", "77"},
                                                     {"ILAB", "LI"},
                                                     {"TLAB", "TL"}}};
    for (const Family& f : kFamilies) {
        if (!wl::prefixMatch(name, f.prefix)) continue;
        const std::string_view q = f.prefix == "FACILITY" ? (is5010 ? "77" : "FA") : f.qualifier;
        return providerValue(a, name.substr(f.prefix.size()), q);
    }
    return std::nullopt;
}

std::optional<std::string> diagnosisCodes(const A& a, std::string_view name) {
    long long n = 0;
    if (name.size() == 6 && wl::prefixMatch(name, "DX") && name.substr(3) == "_XX") {
        std::string v = a.comp("HI", {}, (name[2] - '0') + 1, 2);
        if (v.size() > 3) v.insert(3, " ");
        return v;
    }
    if (numbered(name, "DX", n)) return n >= 1 && n <= 12 ? a.comp("HI", {}, static_cast<int>(n) + 1, 2) : "";
    return std::nullopt;
}

std::optional<std::string> claimTypeAndDental(const A& a, std::string_view name) {
    if (wl::prefixMatch(name, "CLAIMPAIDDATE")) return a.c("DTP", "573", 4);
    if (wl::prefixMatch(name, "CLAIMTYPE")) {
        const std::size_t lx = serviceLineSegmentRow(*a.t, a.j, a.key, a.at, "LX", "1", {}, {});
        const std::string_view next = lx && lx + 1 <= a.t->size() ? a.t->id(lx + 1) : std::string_view{};
        if (next == "SV1") return "Professional";
        if (next == "SV2") return "Institutional";
        if (next == "SV3") return "Dental";
        return "Claim Type Error";
    }
    long long n = 0;
    if (wl::prefixMatch(name, "DLINEITEMCONTROLNUMBER")) return "";
    if (numbered(name, "TOOTHSURFACE", n))
        return CTL39406AE(a.lineComp("1", "TOO", 4, static_cast<int>(n)));
    struct Field {
        std::string_view name;
        std::string_view segment;
        int piece;
        int component;
    };
    static constexpr std::array<Field, 6> kFields{{{"DPROC", "SV3", 2, 2},
                                                  {"DMODA", "SV3", 2, 3},
                                                  {"DMODB", "SV3", 2, 4},
                                                  {"DMODC", "SV3", 2, 5},
                                                  {"DAMT", "SV3", 3, 0},
                                                  {"TOOTH", "TOO", 3, 0}}};
    for (const Field& f : kFields) {
        if (!numbered(name, f.name, n)) continue;
        const std::string line = std::to_string(n);
        return f.component ? a.lineComp(line, f.segment, f.piece, f.component) : a.line(line, f.segment, {}, f.piece);
    }
    return std::nullopt;
}

// The service-line families: name, segment (and qualifier) after the LX,
// piece, component (0: the whole piece).
struct LineField {
    std::string_view name;
    std::string_view segment;
    std::string_view qualifier;
    int piece;
    int component;
};

constexpr std::array<LineField, 42> kLineFields{{
    {"POSLINECODE", "SV1", {}, 6, 0},   {"PROC", "SV1", {}, 2, 2},           {"PPROC", "SV1", {}, 2, 2},
    {"MODA", "SV1", {}, 2, 3},          {"MODB", "SV1", {}, 2, 4},           {"MODC", "SV1", {}, 2, 5},
    {"DOS", "DTP", "472", 4, 0},        {"DDOS", "DTP", "472", 4, 0},        {"AMT", "SV1", {}, 3, 0},
    {"UNITS", "SV1", {}, 5, 0},         {"DXLINK", "SV1", {}, 8, 1},         {"SUPDXLINKA", "SV1", {}, 8, 1},
    {"SUPDXLINKB", "SV1", {}, 8, 2},    {"SUPDXLINKC", "SV1", {}, 8, 3},     {"SUPDXLINKD", "SV1", {}, 8, 4},
    {"LINEITEMCONTROLNUMBER", "REF", "6R", 3, 0},
    {"ILINE", "SV2", {}, 1, 0},         {"IPROCTYPE", "SV2", {}, 3, 1},      {"IREVCODE", "SV2", {}, 2, 0},
    {"IPROC", "SV2", {}, 3, 2},         {"IMODA", "SV2", {}, 3, 3},          {"IMODB", "SV2", {}, 3, 4},
    {"IMODC", "SV2", {}, 3, 5},         {"IMODD", "SV2", {}, 3, 6},          {"IAMT", "SV2", {}, 4, 0},
    {"IUNITSQTY", "SV2", {}, 6, 0},     {"IUNITSRATE", "SV2", {}, 7, 0},     {"IUNITS", "SV2", {}, 6, 0},
    {"NDCUNITS", "CTP", {}, 5, 0},      {"NDCCODE", "LIN", {}, 4, 0},        {"NDCUNITPRICE", "CTP", {}, 4, 0},
    {"IADJUDDATE", "DTP", "573", 4, 0}, {"IADJUDID", "SVD", {}, 2, 0},       {"IADJUDAMT", "SVD", {}, 3, 0},
    {"IDOS", "DTP", "472", 4, 0},       {"PRICEAMT", "HCP", {}, 3, 0},       {"PRICEREF", "HCP", {}, 5, 0},
    {"IUNITSTYPE", "SV2", {}, 5, 0},    {"DDDDDD_CC", "SV1", {}, 3, 0},      {"MM_DD_YY_DOSF", "DTP", "472", 4, 0},
    {"MM_DD_YY_DOST", "DTP", "472", 4, 0}, {"POSLINEDESC", "SV1", {}, 6, 0},
}};

std::optional<std::string> serviceLineValue(const A& a, std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (const LineField& f : kLineFields) {
        long long n = 0;
        // Most entries differ at the first letter: passed over without the
        // full test.
        if (f.name[0] != name[0] || !numbered(name, f.name, n)) continue;
        const std::string line = std::to_string(n);
        std::string v = f.component ? std::string(CTL39406G(a.line(line, f.segment, f.qualifier, f.piece), f.component,
                                                             a.t->delimiters().component))
                                    : a.line(line, f.segment, f.qualifier, f.piece);
        if (f.name == "IUNITSTYPE") return unitsTypeText(v);
        if (f.name == "DDDDDD_CC") return dollarsAndCents(v);
        if (f.name == "POSLINEDESC") return claimCodeText(ClaimCodeList::FacilityCode, v);
        if (f.name == "MM_DD_YY_DOSF") return monthDayYear(v.substr(0, v.find('-')));
        if (f.name == "MM_DD_YY_DOST") return v.size() == 17 ? monthDayYear(std::string_view(v).substr(9)) : "";
        return v;
    }
    return std::nullopt;
}

// CLAIMBILLINGPROVIDER... and CLAIMPAYTOPROVIDER...: after the claim's j-th
// CLM, the next HL and then NM1*85 (*87); everything else read after that
// NM1, the secondary identifiers included.
std::optional<std::string> claimProviderValue(const A& a, std::string_view name) {
    const bool billing = wl::prefixMatch(name, "CLAIMBILLINGPROVIDER");
    if (!billing && !wl::prefixMatch(name, "CLAIMPAYTOPROVIDER")) return std::nullopt;
    const std::string_view q = billing ? "85" : "87";
    const std::string_view rest = name.substr(billing ? 20 : 18);
    const std::size_t nm1 = serviceLineSegmentRow(*a.t, a.j, a.key, a.at, "HL", {}, "NM1", q);
    if (nm1 == 0) return "";
    auto own = [&](int piece) { return std::string(CTL39406G(a.t->text(nm1), piece, a.t->delimiters().element)); };
    auto secondary = [&](std::string_view field, int piece) {
        return pieceAfterRow(*a.t, a.key, nm1, "REF", {}, piece, static_cast<int>(occurrenceAfter(rest, field)), "NM1");
    };
    if (wl::prefixMatch(rest, "SECONDARYIDTYPE"))
        return claimCodeText(ClaimCodeList::ReferenceQualifier, secondary("SECONDARYIDTYPE", 2));
    if (wl::prefixMatch(rest, "SECONDARYIDCODE")) return secondary("SECONDARYIDCODE", 2);
    if (wl::prefixMatch(rest, "SECONDARYID")) return secondary("SECONDARYID", 3);
    if (wl::prefixMatch(rest, "IDTYPE")) return claimCodeText(ClaimCodeList::ProviderIdQualifier, own(9));
    if (wl::prefixMatch(rest, "IDCODE")) return own(9);
    if (wl::prefixMatch(rest, "ID")) return own(10);
    if (wl::prefixMatch(rest, "NAME")) return own(4);
    for (const PartyField& f : kAddress)
        if (wl::prefixMatch(rest, f.name)) return pieceAfterRow(*a.t, a.key, nm1, f.segment2, {}, f.piece, 1);
    return "";
}

std::optional<std::string> coverageValue(const A& a, std::string_view name) {
    struct Order {
        std::string_view prefix;
        std::string_view code;
    };
    static constexpr std::array<Order, 3> kOrders{{{"PRIMARY", "P"}, {"SECONDARY", "S"}, {"TERTIARY", "T"}}};
    for (const Order& o : kOrders) {
        if (!wl::prefixMatch(name, o.prefix)) continue;
        const std::string_view rest = name.substr(o.prefix.size());
        struct Field {
            std::string_view name;
            std::string_view segment2;
            std::string_view qualifier2;
            std::string_view segment3;
            int piece;
        };
        static constexpr std::array<Field, 21> kFields{{
            {"GROUPID", {}, {}, {}, 4},          {"GROUPNAME", {}, {}, {}, 5},
            {"INSURANCETYPECODE", {}, {}, {}, 6}, {"SUBID", "NM1", "IL", {}, 10},
            {"SUBLNAME", "NM1", "IL", {}, 4},    {"SUBFNAME", "NM1", "IL", {}, 5},
            {"SUBMI", "NM1", "IL", {}, 6},       {"SUBADDR1", "NM1", "IL", "N3", 2},
            {"SUBADDR2", "NM1", "IL", "N3", 3},  {"SUBCITY", "NM1", "IL", "N4", 2},
            {"SUBSTATE", "NM1", "IL", "N4", 3},  {"SUBZIP", "NM1", "IL", "N4", 4},
            {"SUBDOB", "NM1", "IL", "DMG", 3},   {"SUBSEX", "NM1", "IL", "DMG", 4},
            {"PAYERADDR1", "NM1", "PR", "N3", 2}, {"PAYERADDR2", "NM1", "PR", "N3", 3},
            {"PAYERCITY", "NM1", "PR", "N4", 2}, {"PAYERSTATE", "NM1", "PR", "N4", 3},
            {"PAYERZIP", "NM1", "PR", "N4", 4},  {"PAYERID", "NM1", "PR", {}, 10},
            {"PAYERNAME", "NM1", "PR", {}, 4},
        }};
        for (const Field& f : kFields) {
            if (!wl::prefixMatch(rest, f.name)) continue;
            if (f.segment2.empty()) return a.c("SBR", o.code, f.piece);
            if (f.segment3.empty()) return a.after("SBR", o.code, f.segment2, f.qualifier2, f.piece);
            return a.three("SBR", o.code, f.segment2, f.qualifier2, f.segment3, f.piece);
        }
        return "";
    }
    return std::nullopt;
}

}  // namespace

std::string ClaimFields::claimGroup(const Anchor& a, int group, std::string_view name) const {
    std::optional<std::string> v;
    switch (group) {
    case 201: v = claimHeader(a, name); break;
    case 202: v = claimDates(a, name); if (!v) v = claimIndicators(a, name); break;
    case 203: v = otherInsurance(a, name); break;
    case 204: v = diagnosisHeader(a, name); break;
    case 216: v = subscriberValue(a, name); break;
    case 217: v = payerValue(a, name); break;
    case 218: v = patientValue(a, name); break;
    case 227: v = diagnosisCodes(a, name); break;
    case 228: v = claimTypeAndDental(a, name); break;
    case 229:
    case 230:
    case 231: v = serviceLineValue(a, name); break;
    case 238: v = coverageValue(a, name); break;
    case 246: v = a.c("AMT", "C4", 3); break;
    default:
        if ((group >= 205 && group <= 215) || group == 245) v = repeatValue(a, name);
        else if (group >= 219 && group <= 226) v = namedProviders(a, is5010(), name);
        else if (group >= 232 && group <= 237) v = claimProviderValue(a, name);
        break;
    }
    return v.value_or("");
}

std::string ClaimFields::group(int group, long long k, std::string_view name, int j) const {
    if ((group >= 101 && group <= 111) || group == 0) return header(k, name);
    if (group >= 239 && group <= 244) return hierarchical(k, name);
    if (groupOf(name) != group) return "";
    const auto a = anchorOf(k, group == 216 || group == 218 ? 1 : j);
    if (!a) return "";
    if (group == 300) return userClaimField(*a, std::string(name));
    return claimGroup(*a, group, name);
}

std::string ClaimFields::claim(int j, long long k, std::string_view name) const {
    return claimInGroup(k <= 0 ? 0 : groupOf(name), j, k, name);
}

std::string ClaimFields::claimInGroup(int g, int j, long long k, std::string_view name) const {
    if (k <= 0) return "";
    if (g == 300) {
        const auto a = anchorOf(k, j);
        return a ? userClaimField(*a, std::string(name)) : "";
    }
    if (g < 201 || g > 246 || (g >= 239 && g <= 244)) return "";
    // The subscriber and the patient are the claim's, whichever CLM is read.
    const int sub = g == 216 || g == 218 ? 1 : j;
    const auto a = anchorOf(k, sub);
    return a ? claimGroup(*a, g, name) : "";
}

int CTL39406AJ(std::string_view name, const std::string& iniFolder) {
    if (const int g = dictionaryGroup(name)) return g;
    return CTL39406CZ(CTL39404V(iniFolder), name);
}

std::string CTL39406AA(const ClaimIndex& index, const SegmentTable& table, long long k, std::string_view name) {
    return ClaimFields(table, index).header(k, name);
}

std::string CTL39406AB(int j, const ClaimIndex& index, const SegmentTable& table, long long k, std::string_view name) {
    return ClaimFields(table, index).claim(j, k, name);
}

bool CTL39406DB(std::string_view name) {
    static constexpr std::array<std::string_view, 48> kLineNames{
        "ICLAIMPATCTLSEQSERVLINE", "DATEOFSERVICE", "PROCEDURECODE", "IREVCODE", "DPROC", "DMODA", "DMODB", "DMODC",
        "DAMT", "DLINEITEMCONTROLNUMBER", "TOOTHSURFACE", "TOOTH", "PROC", "PPROC", "MODA", "MODB", "MODC", "DOS",
        "DDOS", "MM_DD_YY_DOSF", "MM_DD_YY_DOST", "AMT", "DDDDDD_CC", "UNITS", "DXLINK", "SUPDXLINK",
        "LINEITEMCONTROLNUMBER", "POSLINECODE", "ILINE", "IPROCTYPE", "IPROC", "IMODA", "IMODB", "IMODC", "IMODD",
        "IAMT", "IUNITSTYPE", "IUNITSQTY", "IUNITSRATE", "IUNITS", "NDCUNITS", "NDCCODE", "NDCUNITPRICE", "IDOS",
        "POSLINEDESC", "PRICEAMT", "PRICEREF", "ADJUDID"};
    for (std::string_view n : kLineNames)
        if (wl::prefixMatch(name, n)) return true;
    return false;
}

// The group getters: each answers the names of its own group.
#define ZR_GROUP_GETTER(fn, g) \
    std::string fn(const ClaimFields& f, long long k, std::string_view name, int j) { return f.group(g, k, name, j); }
ZR_GROUP_GETTER(CTL39406BT, 101)
ZR_GROUP_GETTER(CTL39406BU, 102)
ZR_GROUP_GETTER(CTL39406BV, 103)
ZR_GROUP_GETTER(CTL39406AK, 102)
ZR_GROUP_GETTER(CTL39406BW, 104)
ZR_GROUP_GETTER(CTL39406BX, 105)
ZR_GROUP_GETTER(CTL39406AL, 104)
ZR_GROUP_GETTER(CTL39406BY, 106)
ZR_GROUP_GETTER(CTL39406BZ, 107)
ZR_GROUP_GETTER(CTL39406AM, 108)
ZR_GROUP_GETTER(CTL39406CB, 109)
ZR_GROUP_GETTER(CTL39406CC, 110)
ZR_GROUP_GETTER(CTL39406CD, 111)
ZR_GROUP_GETTER(CTL39406AO, 201)
ZR_GROUP_GETTER(CTL39406AP, 202)
ZR_GROUP_GETTER(CTL39406AQ, 203)
ZR_GROUP_GETTER(CTL39406AR, 204)
ZR_GROUP_GETTER(CTL39406AS, 205)
ZR_GROUP_GETTER(CTL39406AT, 206)
ZR_GROUP_GETTER(CTL39406AU, 207)
ZR_GROUP_GETTER(CTL39406AV, 208)
ZR_GROUP_GETTER(CTL39406AW, 209)
ZR_GROUP_GETTER(CTL39406AX, 210)
ZR_GROUP_GETTER(CTL39406AY, 211)
ZR_GROUP_GETTER(CTL39406AZ, 212)
ZR_GROUP_GETTER(CTL39406BA, 213)
ZR_GROUP_GETTER(CTL39406BB, 214)
ZR_GROUP_GETTER(CTL39406BC, 215)
ZR_GROUP_GETTER(CTL39406BD, 216)
ZR_GROUP_GETTER(CTL39406BE, 217)
ZR_GROUP_GETTER(CTL39406BF, 218)
ZR_GROUP_GETTER(CTL39406BG, 219)
ZR_GROUP_GETTER(CTL39406BH, 220)
ZR_GROUP_GETTER(CTL39406BI, 221)
ZR_GROUP_GETTER(CTL39406BJ, 222)
ZR_GROUP_GETTER(CTL39406BK, 223)
ZR_GROUP_GETTER(CTL39406BL, 224)
ZR_GROUP_GETTER(CTL39406BM, 225)
ZR_GROUP_GETTER(CTL39406BN, 226)
ZR_GROUP_GETTER(CTL39406BO, 227)
ZR_GROUP_GETTER(CTL39406BP, 228)
ZR_GROUP_GETTER(CTL39406BQ, 229)
ZR_GROUP_GETTER(CTL39406BR, 230)
ZR_GROUP_GETTER(CTL39406BS, 231)
ZR_GROUP_GETTER(CTL39406CE, 232)
ZR_GROUP_GETTER(CTL39406CF, 233)
ZR_GROUP_GETTER(CTL39406CG, 234)
ZR_GROUP_GETTER(CTL39406CH, 235)
ZR_GROUP_GETTER(CTL39406CI, 236)
ZR_GROUP_GETTER(CTL39406CJ, 237)
ZR_GROUP_GETTER(CTL39406CN, 238)
ZR_GROUP_GETTER(CTL39406CP, 239)
ZR_GROUP_GETTER(CTL39406CQ, 240)
ZR_GROUP_GETTER(CTL39406CR, 241)
ZR_GROUP_GETTER(CTL39406CS, 242)
ZR_GROUP_GETTER(CTL39406CT, 243)
ZR_GROUP_GETTER(CTL39406CU, 244)
ZR_GROUP_GETTER(CTL39406DU, 245)
ZR_GROUP_GETTER(CTL39406DV, 246)
ZR_GROUP_GETTER(CTL39406DA, 300)
ZR_GROUP_GETTER(CTL39406CY, 0)
#undef ZR_GROUP_GETTER

std::string CTL39406AN(const ClaimFields& f, long long k, std::string_view name, int j) {
    const int g = f.groupOf(name);
    return g >= 109 && g <= 111 ? f.group(g, k, name, j) : "";
}

std::string CTL39406CA(const ClaimFields& f, long long k, std::string_view name, int j) {
    return wl::prefixMatch(name, "BILLINGPROVIDERSECONDARYID") ? f.group(108, k, name, j) : "";
}

}  // namespace zr
