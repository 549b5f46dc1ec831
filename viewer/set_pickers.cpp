#include "set_pickers.hpp"

#include "claim_index.hpp"
#include "text.hpp"

namespace zr {

std::vector<std::string> interchangeLines(const SegmentTable& table) {
    const std::size_t count = CTL39400AA("ISA", table);
    if (count == 0) return {"Error"};
    std::vector<std::string> lines;
    for (std::size_t k = 1; k <= count; ++k)
        lines.push_back(CTL39400AB(table, k, 1, "ISA") + "  " + CTL39400AB(table, k, 2, "ISA") + "  " +
                        CTL39400AB(table, k, 3, "ISA"));
    return lines;
}

std::vector<std::string> setLines(const SegmentTable& table) {
    const std::size_t count = CTL39400AA("ST", table);
    if (count == 0) return {"Error"};
    std::vector<std::string> lines;
    for (std::size_t k = 1; k <= count; ++k)
        lines.push_back(CTL39400AB(table, k, 1, "ST") + "  " + CTL39400AB(table, k, 3, "ST") + "  " +
                        CTL39400AB(table, k, 11, "ST"));
    return lines;
}

SegmentTable CTL39424A(std::size_t n, const SegmentTable& table) {
    SegmentTable out;
    std::size_t set = 0;
    std::string type;
    std::uint32_t claims = 0;
    bool tookIsa = false, tookGs = false, mayGe = false, mayIea = false;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        const std::string_view id = table.id(r);
        if (wl::prefixMatch(id, "ISA") && !tookIsa) {
            tookIsa = true;
            out.appendRowFrom(table, r, table.claim(r));
        } else if (wl::prefixMatch(id, "GS") && !tookGs) {
            tookGs = true;
            out.appendRowFrom(table, r, table.claim(r));
        }
        if (wl::prefixMatch(id, "IEA") && mayIea) {
            mayIea = false;
            ++set;
            out.appendRowFrom(table, r, table.claim(r));
        }
        if (wl::prefixMatch(id, "GE") && mayGe) {
            mayGe = false;
            ++set;
            out.appendRowFrom(table, r, table.claim(r));
        }
        if (id == "ST") {
            if (set == n) mayGe = mayIea = true;
            ++set;
            type = std::string(table.element(r, 1));
        }
        if (set != n) continue;
        SegmentTable::ClaimNumbers c = table.claim(r);
        // The claim columns count the set's claims; the level (column 3)
        // stays the row's own, which the screens read as its level.
        if (type == "835") {
            // Column 8 already numbers the claims within the set.
            if (wl::prefixMatch(id, "CLP")) ++claims;
            c.inFile = c.inInterchange = claims;
        } else if (type == "837" || type == "277") {
            // A claim (a 277's claim status) begins at its HL*22, not at
            // every HL: the payer, provider and subscriber levels open none.
            if (wl::prefixMatch(id, "HL") && wl::prefixMatch(table.element(r, 3), "22")) ++claims;
            c.inSet = c.inFile = c.inInterchange = claims;
        }
        out.appendRowFrom(table, r, c);
    }
    return out;
}

}  // namespace zr
