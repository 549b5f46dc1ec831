#include "claim_index.hpp"

#include "text.hpp"

namespace zr {

ClaimIndex CTL39400C(const SegmentTable& table, int mode) {
    ClaimIndex index{1};
    std::uint32_t wanted = 1;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        const auto& c = table.claim(r);
        std::uint32_t key = mode == 1 ? c.inFile : mode == 2 ? c.inSet : mode == 3 ? c.inInterchange : 0;
        if (key != wanted) continue;
        if (index.size() < wanted) index.resize(wanted);
        index[wanted - 1] = r;
        ++wanted;
    }
    return index;
}

namespace {
// Which rows a counter kind takes; the kind is recognised by prefix in order.
bool rowOfKind(const std::string& kind, const SegmentTable& t, std::size_t r) {
    std::string_view id = t.id(r);
    if (wl::prefixMatch(kind, "HL")) return id == "HL" && wl::prefixMatch(t.element(r, 3), "22");
    if (wl::prefixMatch(kind, "ISA")) return id == "ISA";
    if (wl::prefixMatch(kind, "ST")) return id == "ST";
    if (wl::prefixMatch(kind, "NM185")) return id == "NM1" && wl::prefixMatch(t.element(r, 1), "85");
    return false;
}
}  // namespace

std::size_t CTL39400AA(const std::string& kind, const SegmentTable& table) {
    std::size_t count = 0;
    for (std::size_t r = 1; r <= table.size(); ++r) count += rowOfKind(kind, table, r);
    return count;
}

std::size_t CTL39400AZ(const std::string& kind, const SegmentTable& table, std::size_t k) {
    std::size_t count = 0;
    for (std::size_t r = 1; r <= table.size(); ++r)
        if (rowOfKind(kind, table, r) && ++count == k) return r;
    return 0;
}

std::uint64_t CTL39400AD(const SegmentTable& table, std::size_t k, int mode) {
    std::size_t count = 0;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        std::string_view id = table.id(r);
        bool fits = mode == 1   ? wl::prefixMatch(id, "HL") && wl::prefixMatch(table.element(r, 3), "22")
                    : mode == 2 ? wl::prefixMatch(id, "CLP")
                    : mode == 3 ? wl::prefixMatch(id, "HL") && wl::prefixMatch(table.element(r, 3), "20")
                                : false;
        if (fits && ++count == k) return table.filePosition(r).value_or(0);
    }
    return 0;
}

namespace {
// The value that row r gives for `what`, or nothing when the row does not fit.
std::optional<std::string> headerValueOf(const SegmentTable& t, std::size_t r, int what) {
    std::string_view id = t.id(r);
    switch (what) {
        case 1: return id == "ST" ? std::optional<std::string>(t.element(r, 1)) : std::nullopt;
        case 2: return id == "ISA" ? std::optional<std::string>(t.element(r, 13)) : std::nullopt;
        case 3: return id == "ST" ? std::optional<std::string>(t.element(r, 3)) : std::nullopt;
        case 4: {
            if (id != "ISA") return std::nullopt;
            std::string v(t.element(r, 12));
            if (wl::prefixMatch(v, "00401")) return "4010";
            if (wl::prefixMatch(v, "00501")) return "5010";
            return v;
        }
        case 10:
        case 11:
            if (id != "NM1" || t.element(r, 1) != (what == 10 ? "IL" : "41")) return std::nullopt;
            return std::string(t.element(r, 3));
        default: return std::nullopt;
    }
}
}  // namespace

std::string CTL39400AB(const SegmentTable& table, std::size_t k, int what, const std::string& anchor) {
    std::size_t anchors = 0;
    for (std::size_t r = 1; r <= table.size(); ++r) {
        if (table.id(r) == anchor) ++anchors;
        if (anchors < k) continue;
        if (anchors > k) break;
        if (auto v = headerValueOf(table, r, what)) return *v;
    }
    return "";
}

std::string CTL39400AM(const SegmentTable& table, const std::string& name) {
    struct Field {
        const char* name;
        const char* id;
        int element;
    };
    static const Field fields[] = {
        {"TRANSACTIONSETDATE", "BHT", 4},     {"TRANSACTIONSETTIME", "BHT", 5},
        {"INTERCHANGESENDERID", "ISA", 6},    {"INTERCHANGERECEIVERID", "ISA", 8},
        {"APPLICATIONSENDERID", "GS", 2},     {"APPLICATIONRECEIVERID", "GS", 3},
    };
    for (const Field& f : fields) {
        if (!wl::prefixMatch(name, f.name)) continue;
        for (std::size_t r = 1; r <= table.size(); ++r) {
            std::string_view id = table.id(r);
            if (id == "HL") break;
            if (id == f.id) return std::string(table.element(r, f.element));
        }
        return "";
    }
    return "";
}

std::string CTL39400AV(const std::string& name, const ParseSpec& request, const std::string& transactionType) {
    const std::string n = wl::upper(name);
    if (wl::prefixMatch(n, "PARSETYPE")) return request.parseType;
    if (wl::prefixMatch(n, "SOURCEFILE")) return request.sourceFile;
    if (wl::prefixMatch(n, "DESTINATIONFOLDER")) return request.destinationFolder;
    if (wl::prefixMatch(n, "PARSEOPTIONS")) return request.parseOptions;
    if (wl::prefixMatch(n, "DESTINATIONFILE")) return request.destinationFile;
    if (wl::prefixMatch(n, "X12TYPE")) return transactionType;
    return "";
}

std::vector<std::string> CTL39400AC() {
    return {"1000A", "1000B", "2000A", "2010AA", "2010AB", "2000B", "2010BA", "2010BB", "2010BC", "2010BD",
            "2000C", "2000CA", "2300", "2305", "2310A", "2310B", "2310B", "2310C", "2310D", "2310E",
            "2320", "2330A", "2330B", "2330C", "2330D", "2330E", "2330F", "2330G", "2330H", "2400",
            "2420A", "2420B", "2420C", "2420D", "2420E", "2420F", "2420G", "2430", "2440", ""};
}

}  // namespace zr
