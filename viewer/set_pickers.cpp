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
        if (type == "835") {
            if (wl::prefixMatch(id, "CLP")) ++claims;
            // Column 3 (the level) also carries the counter where the 835
            // screen reads it; the compact table keeps levels as digits, so
            // only columns 10 and 11 are renumbered here.
            c.inFile = c.inInterchange = claims;
        } else if (type == "837") {
            if (wl::prefixMatch(id, "HL") && wl::prefixMatch(table.element(r, 3), "22")) ++claims;
            c.inSet = c.inFile = c.inInterchange = claims;
        } else if (type == "277") {
            // A claim is a subscriber loop: the source, receiver, provider
            // and patient HLs belong to the claim they stand in.
            if (wl::prefixMatch(id, "HL") && wl::prefixMatch(table.element(r, 3), "22")) ++claims;
            c.inSet = c.inFile = c.inInterchange = claims;
        }
        out.appendRowFrom(table, r, c);
    }
    return out;
}

}  // namespace zr
