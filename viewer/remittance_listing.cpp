#include "remittance_listing.hpp"

#include <cstdio>
#include <charconv>
#include <cstdlib>

#include "elements.hpp"
#include "progress_meter.hpp"
#include "report_lines.hpp"
#include "remittance_detail.hpp"
#include "remittance_getters.hpp"
#include "claims_listing.hpp"
#include "text.hpp"

namespace zr {

namespace {

std::string twoDecimals(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

double numberOf(const std::string& s) {
    const std::string t = wl::alltrim(s);
    return t.empty() ? 0.0 : std::strtod(t.c_str(), nullptr);
}

// A person's name as the listing shows it: first, a blank, then the middle
// initial when there is one, then the last name.
std::string listedName(const SegmentTable& t, std::size_t r, const std::string& afterInitial) {
    std::string name = std::string(t.element(r, 4)) + " ";
    const std::string_view middle = t.element(r, 5);
    if (!middle.empty()) name += " " + std::string(middle) + afterInitial;
    return name + std::string(t.element(r, 3));
}

// True when the row's id is `id`: the text's id read in place (blanks and
// line breaks around it skipped), which the listing's one pass over every
// row of a large file can afford where cutting each id out cannot.
bool rowIdIs(std::string_view text, std::string_view id, char separator) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\r' || text[i] == '\n' || text[i] == '\t')) ++i;
    if (text.compare(i, id.size(), id) != 0) return false;
    i += id.size();
    while (i < text.size() && text[i] == ' ') ++i;
    return i < text.size() && text[i] == separator;
}

}  // namespace

std::string remittanceAmount(std::string_view element) {
    std::string v(element);
    for (char& c : v)
        if (c == ',') c = ' ';
    return CTL39400AF(v, "$");
}

std::string remittanceListingLine(const std::string& names, const std::string& billed, const std::string& paid,
                                  const std::string& patient) {
    return fillToColumn(names, 32) + fillToColumn(fillToColumn(billed, 11) + paid, 22) + patient;
}

namespace {

// An amount's value; commas count as blanks, as in the listing.
double amountValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == ',')) ++i;
    double v = 0;
    const auto r = std::from_chars(text.data() + i, text.data() + text.size(), v);
    return r.ec == std::errc() ? v : 0.0;
}

}  // namespace

RemittanceListing::RemittanceListing(const SegmentTable& table) : table_(&table) {
    const std::string& e = table.delimiters().element;
    const char separator = e.empty() ? '\0' : e[0];
    for (std::size_t r = 1; r <= table.size(); ++r) {
        if (!rowIdIs(table.text(r), "CLP", separator)) continue;
        clpRows_.push_back(r);
        // The totals add the amounts as the lines show them (".00" for none).
        billed_ += amountValue(table.element(r, 3));
        paid_ += amountValue(table.element(r, 4));
        patient_ += amountValue(table.element(r, 5));
    }
}

std::string RemittanceListing::line(std::size_t n) const {
    if (n < 1 || n > clpRows_.size()) return "";
    const SegmentTable& t = *table_;
    const std::size_t clp = clpRows_[n - 1];
    const std::size_t end = n < clpRows_.size() ? clpRows_[n] : t.size() + 1;
    const std::string& e = t.delimiters().element;
    const char separator = e.empty() ? '\0' : e[0];
    std::string names;
    for (std::size_t r = clp + 1; r < end; ++r) {
        if (!rowIdIs(t.text(r), "NM1", separator)) continue;
        const std::string_view q = t.element(r, 1);
        if (q == "QC") names += listedName(t, r, ". ");
        else if (q == "IL") names += listedName(t, r, ".");
    }
    return remittanceListingLine(names, remittanceAmount(t.element(clp, 3)), remittanceAmount(t.element(clp, 4)),
                                 remittanceAmount(t.element(clp, 5)));
}

std::vector<std::string> RemittanceListing::lines() const {
    std::vector<std::string> out;
    for (std::size_t n = 1; n <= count(); ++n) out.push_back(line(n));
    return out;
}

std::string RemittanceListing::totalsLine() const {
    return std::to_string(claims()) + (claims() == 1 ? " claim  Billed = $" : " claims  Billed = $") +
           twoDecimals(billed_) + "   Paid = $" + twoDecimals(paid_);
}

std::string RemittanceListing::patientLine() const { return "Patient Responsibility = $" + twoDecimals(patient_); }

std::string RemittanceListModel::line(std::size_t n) const {
    return n >= 1 && n <= count() ? std::to_string(n) + " " + listing_.line(n) : "";
}

int RemittanceListModel::skip(int n) {
    const long long last = static_cast<long long>(count());
    long long to = static_cast<long long>(current_) + n;
    to = to < 1 ? 1 : to > last ? last : to;
    const int moved = static_cast<int>(to - static_cast<long long>(current_));
    current_ = static_cast<std::size_t>(to);
    return moved;
}

bool RemittanceListModel::search(const std::string& answer) {
    search_ = answer;
    goTop();
    // The list stands on its top line, which is searched too.
    const ClaimsSearch found = CTL39406AI(listing_.lines(), 0, wl::alltrim(answer));
    if (found.found && found.row >= 1) current_ = found.row;
    return found.found;
}

namespace {

std::string htmlReport(const ClaimIndex& index, const SegmentTable& table, const std::string& fileName,
                       std::size_t n, const ScopedMeter& meter) {
    const std::string q = "\"";
    auto field = [&](std::size_t k, const char* name) { return CTL39407AB(1, index, table, k, name, 2); };
    double charges = 0, paid = 0;
    for (std::size_t k = 1; k <= n; ++k) {
        charges += numberOf(field(k, "CLAIMTOTALCHARGE"));
        paid += numberOf(field(k, "CLAIMTOTALPAID"));
    }
    auto in10 = [](const std::string& s) { return wl::padLeft(s, 10); };
    std::string out = "<A name=0000><H2>835 Remittance Data.</H2><HR>Remittances in file=" + in10(std::to_string(n)) +
                      "<BR>";
    out += "Total charges in file=" + in10(remittanceSumText(charges).empty() ? "0" : remittanceSumText(charges)) +
           "<BR>";
    out += "Total paid in file=" + in10(remittanceSumText(paid).empty() ? "0" : remittanceSumText(paid)) + "<BR>";
    out += "<A HREF=" + q + "#9999" + q + "> [Segment Data]</A><HR>";
    for (std::size_t k = 1; k <= n; ++k) {
        const std::string ks = std::to_string(k);
        out += "<A HREF=" + q + "#" + ks + q + "><I>Remittance " + ks + " -  </I>" + field(k, "PATFNAME") + " ";
        if (!field(k, "PATMI").empty()) out += field(k, "PATMI") + ". ";
        out += field(k, "PATLNAME") + "<BR>- Control Number " + field(k, "CLAIMPATCTL") + "<BR>- Charges - $" +
               field(k, "CLAIMTOTALCHARGE") + "<BR>- Paid - $" + field(k, "CLAIMTOTALPAID") + "<BR><BR>";
    }
    out += "<HR>";
    for (std::size_t k = 1; k <= n; ++k) {
        const std::string ks = std::to_string(k);
        meter.set(100.0 * static_cast<double>(k) / static_cast<double>(n));
        out += "<A name=" + ks + "><A HREF=" + q + "#0000" + q + "> [TOP] - </A><B>Remittance # :" + ks + "</B><BR>" +
               remittanceDetailReport(index, table, k, 101) + "<BR><BR>";
    }
    out += "<A name=9999><A HREF=" + q + "#0000" + q + "> [TOP]</A><H3>Segment Data</H3>File=" + fileName +
           "<BR><BR>";
    return out;
}

}  // namespace

std::string remittanceReport(const ClaimIndex& index, const SegmentTable& table, const std::string& fileName,
                             int mode) {
    static const char* captions[] = {"Creating Text file ", "Creating HTML file ", "Creating RTF file ",
                                     "Creating PDF file "};
    if (mode < 100 || mode > 103) return "";
    const std::size_t n = CTL39407AA(1, "CLP", table);
    ScopedMeter meter(MeterMode::Show, captions[mode - 100], "Please Stand By..");
    if (mode == 101) return htmlReport(index, table, fileName, n, meter);
    const RemittanceListing listing = remittanceListing(table);
    std::string out;
    for (std::size_t k = 1; k <= n; ++k) {
        meter.set(100.0 * static_cast<double>(k) / static_cast<double>(n));
        const std::string detail = remittanceDetailReport(index, table, k, mode);
        if (mode == 100) out += "\r\n\r\n" + listing.line(k) + "\r\n" + detail;
        if (mode == 102) out += "Remit # :" + std::to_string(k) + "\\par\r\n" + detail + "\\par \\par\r\n";
    }
    return out;
}

}  // namespace zr
