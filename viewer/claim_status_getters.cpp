#include "claim_status_getters.hpp"

#include "claim_status_texts.hpp"
#include "code_list_text.hpp"
#include "money_form.hpp"

namespace zr {

namespace {

enum class Form { Plain, Date, Money, Category, Status, Entity };

// Where a claim field is read: the first (id, qualifier) row of the claim,
// then (when `thenId` is set) the first later row of the claim matching the
// second pair; element n, component c (0: the whole element).
struct ClaimFieldSpec {
    std::string_view name;
    std::string_view id, qualifier;
    std::string_view thenId, thenQualifier;
    int element;
    int component;
    Form form;
};

constexpr ClaimFieldSpec kClaimFields[] = {
    {"DATEOFSERVICE", "DTP", "472", "", "", 3, 0, Form::Date},
    {"CLAIMPERIODDATESTART", "DTP", "232", "", "", 3, 0, Form::Date},
    {"DATERECEIVED", "DTP", "050", "", "", 3, 0, Form::Date},
    {"TRACEID", "TRN", "", "", "", 2, 0, Form::Plain},
    // The subscriber (NM1*IL) and the segments after it.
    {"SUBLNAME", "NM1", "IL", "", "", 3, 0, Form::Plain},
    {"SUBFNAME", "NM1", "IL", "", "", 4, 0, Form::Plain},
    {"SUBMI", "NM1", "IL", "", "", 5, 0, Form::Plain},
    {"SUBADDR1", "NM1", "IL", "N3", "", 1, 0, Form::Plain},
    {"SUBADDR2", "NM1", "IL", "N3", "", 2, 0, Form::Plain},
    {"SUBCITY", "NM1", "IL", "N4", "", 1, 0, Form::Plain},
    {"SUBST", "NM1", "IL", "N4", "", 2, 0, Form::Plain},
    {"SUBZIP", "NM1", "IL", "N4", "", 3, 0, Form::Plain},
    {"SUBPAYERCLAIMID", "NM1", "IL", "REF", "1K", 2, 0, Form::Plain},
    {"SUBBILLTYPEID", "NM1", "IL", "REF", "BLT", 2, 0, Form::Plain},
    {"SUBMRNO", "NM1", "IL", "REF", "EA", 2, 0, Form::Plain},
    {"SUBIDCODE", "NM1", "IL", "", "", 9, 0, Form::Plain},
    {"SUBDOB", "NM1", "IL", "DMG", "", 2, 0, Form::Plain},
    {"SUBSEX", "NM1", "IL", "DMG", "", 3, 0, Form::Plain},
    {"PAYER", "NM1", "IL", "NM1", "PR", 3, 0, Form::Plain},
    // The patient (NM1*QC), the same way.
    {"PATLNAME", "NM1", "QC", "", "", 3, 0, Form::Plain},
    {"PATFNAME", "NM1", "QC", "", "", 4, 0, Form::Plain},
    {"PATMI", "NM1", "QC", "", "", 5, 0, Form::Plain},
    {"PATADDR1", "NM1", "QC", "N3", "", 1, 0, Form::Plain},
    {"PATADDR2", "NM1", "QC", "N3", "", 2, 0, Form::Plain},
    {"PATCITY", "NM1", "QC", "N4", "", 1, 0, Form::Plain},
    {"PATST", "NM1", "QC", "N4", "", 2, 0, Form::Plain},
    {"PATZIP", "NM1", "QC", "N4", "", 3, 0, Form::Plain},
    {"PATPAYERCLAIMID", "NM1", "QC", "REF", "1K", 2, 0, Form::Plain},
    {"PATBILLTYPEID", "NM1", "QC", "REF", "BLT", 2, 0, Form::Plain},
    {"PATMRNO", "NM1", "QC", "REF", "EA", 2, 0, Form::Plain},
    {"CLAIMTOTALAMOUNT", "STC", "", "", "", 4, 0, Form::Money},
    {"CLAIMPAYMENTAMOUNT", "STC", "", "", "", 5, 0, Form::Money},
    {"CLAIMPAYMENTMETHODCODE", "STC", "", "", "", 7, 0, Form::Plain},
    {"CLAIMCHECKDATE", "STC", "", "", "", 8, 0, Form::Plain},
    {"CLAIMCHECKNUMBER", "STC", "", "", "", 9, 0, Form::Plain},
    {"CLAIMSTATUSCODE1", "STC", "", "", "", 1, 1, Form::Plain},
    {"CLAIMSTATUSCODE2", "STC", "", "", "", 1, 2, Form::Plain},
    {"CLAIMSTATUSCODE3", "STC", "", "", "", 1, 3, Form::Plain},
    {"CLAIMSTATUS1", "STC", "", "", "", 1, 1, Form::Category},
    {"CLAIMSTATUS2", "STC", "", "", "", 1, 2, Form::Status},
    {"CLAIMSTATUS3", "STC", "", "", "", 1, 3, Form::Entity},
};

const ClaimFieldSpec* claimFieldSpec(std::string_view name) {
    for (const ClaimFieldSpec& f : kClaimFields)
        if (f.name == name) return &f;
    return nullptr;
}

std::string formatted(std::string_view value, Form form) {
    if (value.empty()) return "";
    switch (form) {
    case Form::Plain: return std::string(value);
    case Form::Date: return CTL39410B(value);
    case Form::Money: return CTL39410W(value);
    case Form::Category: return CTL39410E(value);
    case Form::Status: return CTL39410H(value);
    // The entity code list of STC01-3 (segment slot 14 of the 277's).
    case Form::Entity: return codeListText(7, 14, 1, 3, value);
    }
    return "";
}

}  // namespace

std::string CTL39410B(std::string_view date) {
    if (date.size() != 8) return "";
    return std::string(date.substr(4, 2)) + "/" + std::string(date.substr(6, 2)) + "/" + std::string(date.substr(0, 4));
}

std::size_t CTL39410AA(const SegmentTable& table) { return SubscriberLoops(table).count(); }

std::string ClaimStatusReader::claimField(std::size_t k, std::string_view name) const {
    const ClaimFieldSpec* spec = claimFieldSpec(name);
    const RowRange rows = loops_.rows(k);
    if (!spec || rows.empty()) return "";
    std::size_t row = findRow(*table_, rows, rows.first, spec->id, spec->qualifier);
    if (row != 0 && !spec->thenId.empty()) row = findRow(*table_, rows, row + 1, spec->thenId, spec->thenQualifier);
    if (row == 0) return "";
    std::string_view value = table_->element(row, spec->element);
    if (spec->component > 0) value = componentOf(*table_, value, spec->component);
    return formatted(value, spec->form);
}

std::string ClaimStatusReader::serviceField(std::size_t k, std::string_view name) const {
    const auto [stem, n] = numberedName(name);
    const std::size_t row = nthRow(*table_, loops_.rows(k), n, "SVC");
    if (row == 0) return "";
    if (stem == "SERVICELINECODE") return std::string(componentOf(*table_, table_->element(row, 1), 2));
    if (stem == "SERVICELINEAMT") return std::string(table_->element(row, 2));
    if (stem == "SERVICELINEPAYAMT") return std::string(table_->element(row, 3));
    if (stem == "SERVICELINEREVENUECODE") return std::string(table_->element(row, 4));
    return "";
}

std::size_t ClaimStatusReader::serviceLineCount(std::size_t k) const {
    return countRows(*table_, loops_.rows(k), "SVC");
}

std::string ClaimStatusReader::serviceLineValue(std::size_t k, std::size_t s, std::string_view id,
                                                std::string_view qualifier, int n) const {
    const RowRange claim = loops_.rows(k);
    const std::size_t svc = nthRow(*table_, claim, s, "SVC");
    if (svc == 0) return "";
    for (std::size_t r = svc; r <= claim.last; ++r) {
        if (r > svc && table_->id(r) == "SVC") break;
        if (table_->id(r) == id && (qualifier.empty() || table_->element(r, 1) == qualifier))
            return std::string(table_->element(r, n));
    }
    return "";
}

std::string ClaimStatusReader::field(std::size_t k, std::string_view name) const {
    if (claimFieldSpec(name)) return claimField(k, name);
    return serviceField(k, name);
}

std::string CTL39410AB(const SegmentTable& table, std::size_t k, std::string_view name) {
    return ClaimStatusReader(table).claimField(k, name);
}

std::string CTL39410AD(const SegmentTable& table, std::size_t k, std::string_view name) {
    return ClaimStatusReader(table).serviceField(k, name);
}

std::size_t CTL39410O(const SegmentTable& table, std::size_t k) { return ClaimStatusReader(table).serviceLineCount(k); }

std::string CTL39410X(const SegmentTable& table, std::size_t k, std::size_t s, std::string_view id,
                      std::string_view qualifier, int n) {
    return ClaimStatusReader(table).serviceLineValue(k, s, id, qualifier, n);
}

// The table keeps ids trimmed; the character this counter once dropped
// before comparing was the line break a file may carry after each
// terminator, so an STC row counts whether or not the file has one.
std::size_t CTL39410AC(const SegmentTable& table) {
    return table.size() < 2 ? 0 : countRows(table, {1, table.size() - 1}, "STC");
}

}  // namespace zr
