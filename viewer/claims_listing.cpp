#include "claims_listing.hpp"

#include "claim_finders.hpp"
#include "claim_index.hpp"
#include "money_form.hpp"
#include "text.hpp"

namespace zr {

namespace {

void padTo(std::string& row, std::size_t column) {
    if (row.size() < column) row.append(column - row.size(), ' ');
}

// SUBORDERCODE, SUBLNAME and SUBFNAME each followed by a blank, then SUBMI
// and "." when there is one.
std::string namePart(const ClaimFields& f, long long k, int j) {
    std::string row;
    for (const char* name : {"SUBORDERCODE", "SUBLNAME", "SUBFNAME"}) row += f.claim(j, k, name) + " ";
    const std::string mi = f.claim(j, k, "SUBMI");
    if (!mi.empty()) row += mi + ".";
    return row;
}

bool configured(const ViewerFieldLists* lists) {
    return lists && !lists->viewerNames.empty() && lists->viewerNames.front().size() > 1;
}

std::string configuredRow(const ClaimFields& f, long long k, const ViewerFieldLists& lists) {
    const int j = static_cast<int>(f.clmCount(k));
    std::string row;
    for (std::size_t i = 0; i < lists.viewerNames.size(); ++i) {
        const std::string width = i < lists.viewerWidths.size() ? lists.viewerWidths[i] : "";
        row += fittedValue(f.claim(j, k, lists.viewerNames[i]), leadingNumber(wl::alltrim(width)));
    }
    return row;
}

std::string lower(std::string s) { return wl::lower(s); }

}  // namespace

std::size_t subscriberLoops(const SegmentTable& table) {
    // The rows CTL39400AA("HL") counts, most of them passed over by their
    // first letter.
    std::size_t n = 0;
    for (std::size_t r = 1; r <= table.size(); ++r)
        n += isSegmentRow(table, r, "HL") && wl::prefixMatch(table.element(r, 3), "22");
    return n;
}

std::string fittedValue(const std::string& value, long long width) {
    if (width <= 0) return value + " ";
    const auto w = static_cast<std::size_t>(width);
    if (value.size() > w) return value.substr(0, w) + " ";
    return value + std::string(w - value.size(), ' ');
}

namespace {

// What a row and the totals take of a claim: its CLM count and its amount
// (MULTICLAIMTOTAL for several CLMs, else CLAIMAMT).
struct ClaimSum {
    std::size_t clms = 0;
    std::string amount;
};

ClaimSum claimSum(const ClaimFields& f, long long k) {
    ClaimSum s;
    s.clms = f.clmCount(k);
    s.amount = f.claim(1, k, s.clms > 1 ? "MULTICLAIMTOTAL" : "CLAIMAMT");
    return s;
}

std::string defaultRow(const ClaimFields& f, long long k, const ClaimSum& sum) {
    std::string row = namePart(f, k, 1);
    padTo(row, 32);
    if (sum.clms > 1) {
        row += "Total " + std::to_string(sum.clms) + " Claims $" + CTL39410W(sum.amount);
    } else {
        row += CTL39410W(sum.amount);
        padTo(row, 42);
        row += f.claim(1, k, "CLAIMID");
    }
    return row;
}

}  // namespace

std::string defaultClaimRow(const ClaimFields& f, long long k) { return defaultRow(f, k, claimSum(f, k)); }

std::string claimsFooter(std::size_t clmTotal, const DecimalAmount& total) {
    return std::to_string(clmTotal) + (clmTotal == 1 ? " claim with a total of $" : " claims with a total of $") +
           total.text();
}

ClaimsListing CTL39406B(const ClaimFields& f, const ViewerFieldLists* lists) {
    ClaimsListing l;
    l.claims = subscriberLoops(f.table());
    const bool byFields = configured(lists);
    l.rows.reserve(l.claims);
    for (std::size_t k = 1; k <= l.claims; ++k) {
        const auto claim = static_cast<long long>(k);
        const ClaimSum sum = claimSum(f, claim);
        l.rows.push_back(byFields ? configuredRow(f, claim, *lists) : defaultRow(f, claim, sum));
        // Counted in exact decimals: 0.10 + 0.20 is 0.30.
        l.amountTotal += DecimalAmount::parse(CTL39410W(sum.amount));
        l.clmTotal += sum.clms;
    }
    if (l.claims == 0) {
        l.rows = {"No Claims Detected"};
        return l;
    }
    l.footer = claimsFooter(l.clmTotal, l.amountTotal);
    l.claimType = wl::upper(f.claim(1, static_cast<long long>(l.claims), "CLAIMTYPE"));
    return l;
}

std::vector<std::string> CTL39406E(const ClaimFields& f) {
    const SegmentTable& t = f.table();
    const std::size_t n = subscriberLoops(t);
    std::vector<std::string> rows;
    for (std::size_t k = 1; k <= n; ++k) {
        const auto claim = static_cast<long long>(k);
        std::string row = namePart(f, claim, static_cast<int>(f.clmCount(claim)));
        padTo(row, 32);
        std::string note = "No Errors Noted ";
        const std::uint32_t key = claimKey(t, f.index(), std::min(k, f.index().size()));
        for (std::size_t r = f.index()[std::min(k, f.index().size()) - 1]; key && r <= t.size() && t.claim(r).inSet == key;
             ++r) {
            const std::string seg = t.segmentNotes(r).empty() ? "" : t.segmentNotes(r).front();
            const std::string elem = t.elementNotes(r).empty() ? "" : t.elementNotes(r).front();
            if (seg.empty() && elem.empty()) continue;
            if (!seg.empty() && !elem.empty())
                note = "Segment/Element Error ";
            else if (!seg.empty())
                note = "Segment Error " + seg;
            else
                note = "Element Error " + elem;
            break;
        }
        rows.push_back(row + note);
    }
    if (rows.empty()) rows = {"No Claims Detected"};
    return rows;
}

ClaimsSearch CTL39406AI(const std::vector<std::string>& rows, std::size_t current, const std::string& text) {
    if (text.empty()) return {current, true};
    const std::string wanted = lower(text);
    for (std::size_t r = current + 1; r <= rows.size(); ++r)
        if (lower(wl::rtrim(rows[r - 1])).find(wanted) != std::string::npos) return {r, true};
    return {current, false};
}

std::string claimsScreenTitle(const std::string& setId, const std::string& version, const std::string& claimType) {
    return "View X12 " + setId + " Version " + version + " " + claimType;
}

std::size_t CTL39406DD(const std::string& order, const ClaimFields& f, std::size_t count) {
    std::size_t n = 0;
    for (std::size_t k = 1; k <= count; ++k)
        n += wl::prefixMatch(f.claim(1, static_cast<long long>(k), "SUBORDERCODE"), order);
    return n;
}

std::vector<std::string> CTL39406DC(const std::string& order, const ClaimFields& f, std::size_t count,
                                    const std::vector<std::string>& rows) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k <= count && k <= rows.size(); ++k)
        if (wl::prefixMatch(f.claim(1, static_cast<long long>(k), "SUBORDERCODE"), order)) out.push_back(rows[k - 1]);
    if (out.empty()) out = {""};
    return out;
}

std::size_t CTL39406DE(const std::string& order, const ClaimFields& f, std::size_t count, std::size_t i) {
    std::size_t seen = 0;
    for (std::size_t k = 1; k <= count; ++k)
        if (wl::prefixMatch(f.claim(1, static_cast<long long>(k), "SUBORDERCODE"), order) && ++seen == i) return k;
    // Fewer than i claims of the order: none, never some other claim.
    return 0;
}

std::size_t CTL39406DF(const std::string& order, const ClaimFields& f, std::size_t count, std::size_t i,
                       bool byOrder) {
    return byOrder ? CTL39406DE(order, f, count, i) : i;
}

}  // namespace zr
