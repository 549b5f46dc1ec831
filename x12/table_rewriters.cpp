#include "table_rewriters.hpp"

#include "text.hpp"

namespace zr {

SegmentTable CTL39400AH(const SegmentTable& table, std::size_t /*setCount*/) {
    SegmentTable out;
    bool metSt = false;
    std::uint32_t running = 0, lastClaim = 0;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        // Exact ids: a 277 "STC" inside a claim is no set header.
        const bool isSt = table.id(r) == "ST";
        const bool laterSt = isSt && metSt;
        if (isSt) {
            lastClaim = 0;
            metSt = true;
        }
        SegmentTable::ClaimNumbers c = table.claim(r);
        if (c.inSet > 0 && c.inSet != lastClaim) {
            lastClaim = c.inSet;
            ++running;
        }
        // A later set's ST row would split the merged view into sets again.
        if (laterSt) continue;
        if (c.inSet > 0) c.inSet = running;
        out.appendRowFrom(table, r, c);
    }
    return out;
}

SegmentTable CTL39405A(std::size_t k, const SegmentTable& table) {
    SegmentTable out;
    std::size_t interchange = 0;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        if (wl::prefixMatch(table.id(r), "ISA")) ++interchange;
        if (interchange == k) out.appendRowFrom(table, r, table.claim(r));
        else if (interchange > k) break;
    }
    return out;
}

}  // namespace zr
