#include "fixed_layout.hpp"

#include <array>
#include <optional>
#include <vector>

#include "export_dictionaries.hpp"
#include "export_engine.hpp"
#include "text.hpp"

namespace zr {

namespace {

// A place of the layout: the segment (id and, for NM1 and REF, its
// qualifier), its first cell and how many cells it has, the first element
// written, and the dictionary names of its elements in the XML (element
// numbers with the names, 0 for none).
struct Place {
    const char* id;
    const char* qualifier;  // "" any; "*" a REF of no other place
    int start, cells, firstElement;
    std::vector<std::pair<int, const char*>> names;
};

const std::vector<Place>& places() {
    static const std::vector<Place> p = {
        {"CLP", "", 1, 10, 1,
         {{1, "CLAIMPATCTL"}, {2, "CLAIMSTATUSCODE"}, {3, "CLAIMTOTALCHARGE"}, {4, "CLAIMTOTALPAID"},
          {5, "PATRESPONSIBLE"}, {6, "FILIND"}, {7, "PAYERCLAIMCODE"}, {8, "FACILITYTYPECODE"}, {9, "CLAIMFREQ"}}},
        {"CAS", "", 11, 5, 1,
         {{1, "CLMADJGRPCODE"}, {2, "CLMADJCODE1"}, {3, "CLMADJAMT1"}, {4, "CLMADJQTY1"}, {5, "CLMADJCODE2"},
          {6, "CLMADJAMT2"}, {7, "CLMADJQTY2"}, {8, "CLMADJCODE3"}, {9, "CLMADJAMT3"}, {10, "CLMADJQTY3"},
          {11, "CLMADJCODE4"}, {12, "CLMADJAMT4"}, {13, "CLMADJQTY4"}, {14, "CLMADJCODE5"}, {15, "CLMADJAMT5"},
          {16, "CLMADJQTY5"}, {17, "CLMADJCODE6"}, {18, "CLMADJAMT6"}, {19, "CLMADJQTY6"}}},
        {"NM1", "QC", 16, 6, 3,
         {{3, "PATLNAME"}, {4, "PATFNAME"}, {5, "PATMI"}, {7, "PATNAMESUFIX"}, {8, "PATIDCODE"}, {9, "PATID"}}},
        {"NM1", "IL", 22, 6, 3,
         {{3, "SUBLNAME"}, {4, "SUBFNAME"}, {5, "SUBMI"}, {7, "SUBNAMESUFIX"}, {8, "SUBIDCODE"}, {9, "SUBID"}}},
        {"NM1", "82", 28, 2, 8, {{8, "RENPROVIDCODE"}, {9, "RENPROVID"}}},
        {"NM1", "TT", 30, 4, 3, {{3, "XOVERCARRIER"}, {8, "XOVERCARRIERIDCODE"}, {9, "XOVERCARRIERID"}}},
        {"MIA", "", 34, 2, 1, {{1, "COVEREDDAYS"}, {4, "DRGAMOUNT"}}},
        {"MOA", "", 36, 3, 1, {{2, "PAYABLEAMOUNT"}, {3, "REMARKCODE1"}}},
        {"REF", "1L", 39, 1, 2, {{2, "GRPPOLNO"}}},
        {"REF", "1W", 40, 4, 2, {{2, "MEMIDNO"}}},
        {"REF", "9A", 44, 1, 2, {{2, "REPCLMREFNO"}}},
        {"REF", "9C", 45, 1, 2, {{2, "ADJREPCLMNO"}}},
        {"REF", "A6", 46, 1, 2, {{2, "EIN"}}},
        {"REF", "BB", 47, 1, 2, {{2, "AUTHNUM"}}},
        {"REF", "CE", 48, 1, 2, {{2, "COCCODE"}}},
        {"REF", "EA", 49, 1, 2, {{2, "MRIN"}}},
        {"REF", "F8", 50, 1, 2, {{2, "ORIGINALREFNO"}}},
        {"REF", "G1", 51, 1, 2, {{2, "PRIORAUTHNUM"}}},
        {"REF", "G3", 52, 1, 2, {{2, "BENIDNUM"}}},
        {"REF", "IG", 53, 1, 2, {{2, "INSPOLNUM"}}},
        {"REF", "SY", 54, 1, 2, {{2, "SSN"}}},
        {"REF", "*", 55, 2, 1, {}},
        {"AMT", "", 57, 2, 1, {{1, "CLMPAYAMTCODE"}, {2, "CLMPAYAMT"}}},
        {"QTY", "", 59, 2, 1, {{1, "CLMPAYQTYCODE"}, {2, "CLMPAYQTY"}}},
    };
    return p;
}

constexpr int kCells = 60;

// The place of a row's segment, if it has one.
const Place* placeOf(const SegmentTable& t, std::size_t row) {
    const std::string_view id = t.id(row);
    const std::string qualifier(t.element(row, 1));
    const Place* other = nullptr;
    for (const Place& p : places()) {
        if (id != p.id) continue;
        if (std::string_view(p.qualifier) == "*") other = &p;
        else if (!*p.qualifier || qualifier == p.qualifier) return &p;
    }
    return other;
}

bool casGroup(std::string_view code) {
    return code == "CO" || code == "CR" || code == "OA" || code == "PI" || code == "PR";
}

// The claims of the table: for each CLP, its segments up to the next CLP
// or the set's end, the first of each place.
void eachClaim(const SegmentTable& t, const std::function<void(const std::vector<std::optional<std::size_t>>&)>& claim) {
    std::vector<std::optional<std::size_t>> rows;
    bool open = false;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const std::string_view id = t.id(r);
        if (open && (id == "CLP" || id == "SE" || id == "LX")) {
            claim(rows);
            open = false;
        }
        if (id == "CLP") {
            rows.assign(places().size(), std::nullopt);
            open = true;
        }
        if (!open) continue;
        const Place* p = placeOf(t, r);
        if (!p) continue;
        auto& slot = rows[static_cast<std::size_t>(p - places().data())];
        if (!slot) slot = r;
    }
    if (open) claim(rows);
}

}  // namespace

void fixedLayoutCsv(const SegmentTable& table, const std::string& separator, const FixedLayoutOut& out) {
    eachClaim(table, [&](const std::vector<std::optional<std::size_t>>& rows) {
        std::vector<std::string> cells;
        for (std::size_t i = 0; i < places().size(); ++i) {
            if (!rows[i]) continue;
            const Place& p = places()[i];
            const std::size_t row = *rows[i];
            std::vector<std::string> values;
            // The places of names take the named elements; CLP, CAS and
            // other REFs their elements in a row.
            const bool inRow = p.names.empty() || p.id == std::string_view("CLP") || p.id == std::string_view("CAS");
            if (!inRow)
                for (const auto& [element, name] : p.names) values.emplace_back(table.element(row, element));
            const int last = !inRow ? 0 : std::max(p.firstElement + p.cells - 1, p.id == std::string_view("CAS") ? 19 : 0);
            for (int e = p.firstElement; e <= last; ++e) {
                std::string v(table.element(row, e));
                if (p.id == std::string_view("CAS")) {
                    if (e == 1 && !casGroup(v)) continue;
                    if (e > 1 && v.empty()) continue;
                }
                values.push_back(v);
            }
            if (values.size() > static_cast<std::size_t>(p.cells)) values.resize(p.cells);
            cells.resize(static_cast<std::size_t>(p.start - 1));
            cells.insert(cells.end(), values.begin(), values.end());
        }
        cells.resize(kCells);
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? separator : "") + csvCell(CTL39404P(cells[i]), separator);
        out(line + "\r\n");
    });
}

void fixedLayoutXml(const SegmentTable& table, const FixedLayoutOut& out) {
    out("<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n");
    const ExportDictionary dictionary = exportDictionary("835", 1);
    eachClaim(table, [&](const std::vector<std::optional<std::size_t>>& rows) {
        std::string text = "<CLAIM>\r\n";
        for (std::size_t i = 0; i < places().size(); ++i) {
            const Place& p = places()[i];
            if (p.names.empty()) continue;
            if (!rows[i]) {
                std::vector<std::string> group;
                for (const auto& [element, name] : p.names) group.push_back(name);
                ExportDictionary rowsOfGroup;
                for (const std::string& name : group) rowsOfGroup.push_back(CTL39404AB(name, dictionary));
                text = CTL39404S(text, rowsOfGroup, group);
                continue;
            }
            for (const auto& [element, name] : p.names) {
                const std::string v = xmlText(CTL39404T(std::string(table.element(*rows[i], element))));
                text += std::string("<") + name + ">" + v + "</" + name + ">\r\n";
            }
        }
        out(text + "</CLAIM>\r\n");
    });
    out("</EXPORTDATA>");
}

}  // namespace zr
