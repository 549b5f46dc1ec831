#include "eligibility_getters.hpp"

#include <iterator>

#include "code_list_text.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The code lists of the 270/271's EB segment slot.
constexpr int kEligibilitySlot = 5;
constexpr int kBenefitSegment = 24;

// Where an item field is read: the first (id, qualifier) row of the item,
// then (when `thenId` is set) the first later row of the item matching
// `thenId`; element n; with a list element above 0 the value's words from
// that code list.
struct ItemFieldSpec {
    std::string_view name;
    std::string_view id, qualifier;
    std::string_view thenId;
    int element;
    int listElement;
};

constexpr ItemFieldSpec kItemFields[] = {
    {"XOVERCARRIER", "NM1", "TT", "", 3, 0},
    {"SERVICEDATE", "DTP", "472", "", 3, 0},
    {"ISSUEDATE", "DTP", "102", "", 3, 0},
    {"ELIGIBILITYDATE", "DTP", "307", "", 3, 0},
    {"ADMISSIONSERVICEDATE", "DTP", "435", "", 3, 0},
    {"SERVICEPROVIDER", "NM1", "82", "", 3, 0},
    {"SERVICEPROVIDERID", "NM1", "82", "", 9, 0},
    {"SUBIDQUAL", "NM1", "IL", "", 8, 0},
    {"SUBID", "NM1", "IL", "", 9, 0},
    {"SUBLNAME", "NM1", "IL", "", 3, 0},
    {"SUBFNAME", "NM1", "IL", "", 4, 0},
    {"SUBMI", "NM1", "IL", "", 5, 0},
    {"SUBADDR1", "NM1", "IL", "N3", 1, 0},
    {"SUBADDR2", "NM1", "IL", "N3", 2, 0},
    {"SUBCITY", "NM1", "IL", "N4", 1, 0},
    {"SUBST", "NM1", "IL", "N4", 2, 0},
    {"SUBZIP", "NM1", "IL", "N4", 3, 0},
    {"SUBADDIDCODE", "NM1", "IL", "REF", 1, 0},
    {"SUBADDIDCODEDESC", "NM1", "IL", "REF", 1, 11},
    {"SUBADDID", "NM1", "IL", "REF", 2, 0},
    {"SUBDOB", "NM1", "IL", "DMG", 2, 0},
    {"SUBGENDER", "NM1", "IL", "DMG", 3, 0},
    {"DEPID", "NM1", "03", "", 9, 0},
    {"DEPLNAME", "NM1", "03", "", 3, 0},
    {"DEPFNAME", "NM1", "03", "", 4, 0},
    {"DEPMI", "NM1", "03", "", 5, 0},
    {"INQUIRYCODE", "EQ", "", "", 1, 0},
    {"INQUIRYDESC", "EQ", "", "", 1, 3},
    {"REQVALRESPONSECODE", "AAA", "", "", 1, 0},
    {"REQVALREJECTREASONCODE", "AAA", "", "", 3, 0},
    {"REQVALREJECTREASONDESC", "AAA", "", "", 3, 12},
    {"REQVALFOLLOWUPCODE", "AAA", "", "", 4, 0},
    {"TRACEREFID", "TRN", "", "", 2, 0},
    {"TRACEORGID", "TRN", "", "", 3, 0},
    {"TRACEREFRENCEID", "TRN", "", "", 4, 0},
};

const ItemFieldSpec* itemFieldSpec(std::string_view name) {
    // Every name that begins with SUBIDQUAL reads the qualifier.
    if (wl::prefixMatch(name, "SUBIDQUAL")) name = "SUBIDQUAL";
    for (const ItemFieldSpec& f : kItemFields)
        if (f.name == name) return &f;
    return nullptr;
}

// The EB fields: element n of the EB row, with a list element above 0 the
// value's words from that code list.
struct BenefitFieldSpec {
    std::string_view name;
    int element;
    int listElement;
};

constexpr BenefitFieldSpec kBenefitFields[] = {
    {"BENEFITCODE", 1, 0},   {"BENEFIT", 1, 1},       {"COVERAGECODE", 2, 0},  {"COVERAGELEVEL", 2, 2},
    {"SERVICECODE", 3, 0},   {"SERVICETYPE", 3, 3},   {"INSURANCECODE", 4, 0}, {"INSURANCETYPE", 4, 4},
    {"DESCRIPTION", 5, 0},   {"TIMEPERIOD", 6, 7},    {"AMOUNT", 7, 0},
};

std::string eligibilityValue(std::string_view value, int listElement) {
    if (listElement == 0) return std::string(value);
    return codeListText(kEligibilitySlot, kBenefitSegment, listElement, 0, value);
}

// The receiver's qualifiers, in the order in which a later one present wins.
constexpr std::string_view kReceiverQualifiers[] = {"1P", "2B", "36", "80", "FA", "GP", "P5"};

std::string receiverIdTypeText(std::string_view code) {
    static constexpr std::pair<std::string_view, std::string_view> kTexts[] = {
        {"24", "Employer Identification Number"}, {"34", "Social Security Number"},
        {"FI", "Federal Taxpayer Identification Number"}, {"PI", "Payor Identification"},
        {"PP", "Pharmacy Processor Number"}, {"SV", "Service Provider Number"},
        {"XX", "National Provider Identifier"},
    };
    for (const auto& [c, text] : kTexts)
        if (c == code) return std::string(text);
    return "Code Error = " + std::string(code);
}

}  // namespace

std::size_t CTL39412AA(const SegmentTable& table) { return SubscriberLoops(table).count(); }

std::string CTL39412AC(const SegmentTable& table, std::string_view name) {
    return EligibilityReader(table).fileField(name);
}

EligibilityReader::EligibilityReader(const SegmentTable& table) : table_(&table), loops_(table) {
    // The first NM1 of each receiver qualifier, in one pass.
    std::size_t first[std::size(kReceiverQualifiers)] = {};
    for (std::size_t r = 1; r <= table.size(); ++r) {
        if (!wl::prefixMatch(table.id(r), "NM1")) continue;
        for (std::size_t q = 0; q < std::size(kReceiverQualifiers); ++q)
            if (first[q] == 0 && wl::prefixMatch(table.element(r, 1), kReceiverQualifiers[q])) first[q] = r;
    }
    for (std::size_t q = 0; q < std::size(kReceiverQualifiers); ++q)
        if (first[q] != 0) {
            receiverRow_ = first[q];
            receiverIsPerson_ = kReceiverQualifiers[q] == "1P";
        }
}

std::string EligibilityReader::fileField(std::string_view name) const {
    if (name == "LINE") return std::string(90, '-');
    const std::size_t row = receiverRow_;
    if (row == 0) return "";
    auto element = [&](int n) { return std::string(table_->element(row, n)); };
    if (name == "INFORMATIONRECEIVERNAME")
        return receiverIsPerson_ ? element(3) + " " + element(4) + " " + element(5) : element(3);
    if (name == "INFORMATIONRECEIVERIDTYPECODE") return element(8);
    if (name == "INFORMATIONRECEIVERIDCODE") return element(9);
    if (name == "INFORMATIONRECEIVERIDTYPEDESC") return receiverIdTypeText(element(8));
    return "";
}

std::string EligibilityReader::itemField(std::size_t k, std::string_view name) const {
    const ItemFieldSpec* spec = itemFieldSpec(name);
    const RowRange rows = loops_.rows(k);
    if (!spec || rows.empty()) return "";
    std::size_t row = findRow(*table_, rows, rows.first, spec->id, spec->qualifier);
    if (row != 0 && !spec->thenId.empty()) row = findRow(*table_, rows, row + 1, spec->thenId);
    if (row == 0) return "";
    const std::string_view value = table_->element(row, spec->element);
    if (value.empty()) return "";
    return eligibilityValue(value, spec->listElement);
}

std::size_t EligibilityReader::benefitCount(std::size_t k) const { return countRows(*table_, loops_.rows(k), "EB"); }

std::string EligibilityReader::benefitField(std::size_t k, std::string_view name, std::size_t n) const {
    const std::size_t row = nthRow(*table_, loops_.rows(k), n, "EB");
    if (row == 0) return "";
    for (const BenefitFieldSpec& f : kBenefitFields)
        if (f.name == name) {
            const std::string_view value = table_->element(row, f.element);
            return value.empty() ? "" : eligibilityValue(value, f.listElement);
        }
    return "";
}

std::string EligibilityReader::numberedBenefitField(std::size_t k, std::string_view name) const {
    const auto [stem, n] = numberedName(name);
    return n == 0 ? "" : benefitField(k, stem, n);
}

std::vector<std::string> EligibilityReader::matchingValues(std::size_t k, std::string_view id,
                                                          std::string_view qualifier, int n) const {
    std::vector<std::string> values;
    const RowRange item = loops_.rows(k);
    if (item.empty()) return values;
    for (std::size_t r = item.first; r <= item.last; ++r)
        if (table_->id(r) == id && (qualifier.empty() || table_->element(r, 1) == qualifier))
            values.emplace_back(table_->element(r, n));
    return values;
}

std::vector<std::string> CTL39412Z(const SegmentTable& table, std::size_t k, std::string_view id,
                                   std::string_view qualifier, int n) {
    return EligibilityReader(table).matchingValues(k, id, qualifier, n);
}

std::string CTL39412AB(const SegmentTable& table, std::size_t k, std::string_view name) {
    return EligibilityReader(table).itemField(k, name);
}

std::size_t CTL39412A(const SegmentTable& table, std::size_t k) { return EligibilityReader(table).benefitCount(k); }

std::string CTL39412AE(const SegmentTable& table, std::size_t k, std::string_view name, std::size_t n) {
    return EligibilityReader(table).benefitField(k, name, n);
}

std::string CTL39412AF(const SegmentTable& table, std::size_t k, std::string_view name) {
    return EligibilityReader(table).numberedBenefitField(k, name);
}

}  // namespace zr
