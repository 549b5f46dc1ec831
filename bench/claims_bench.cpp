// The 837 claims screen's listing beside the bare segment-table load, and
// every field of a 552-field map read for every claim.
//
//   claims_bench [FILE...]   (default: generated 837Ps of 10 and 100 MB)
//
// (a) load + claim index + listing of every subscriber loop, as a ratio of
//     the load alone (the screen opens in less than three loads);
// (b) all 552 fields of the last claims of each file, as a time per claim:
//     the same in a small and a large file when a field read costs the rows
//     of its claim and not the rows of the file.
// Each measurement runs in a process of its own (--child).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "claim_index.hpp"
#include "claims_listing.hpp"
#include "delimiters.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;

// A map of 552 field names: the dictionary's names, the numbered families
// with their numbers (service lines 1 to 6, repeats 01 to 12, secondary
// identifiers 1 and 2).
std::vector<std::string> mapFields() {
    static const std::vector<std::string> repeats = {
        "OTHERDX", "PRINCIPLEPROCDATE", "OTHERPROCDATE", "OCCURRENCESPAN", "OCCURRENCECODE", "OCCURRENCEDATE",
        "VALUECODE", "VALUEAMOUNT", "VALUEQTY", "CONDITIONCODE", "CONDITIONDATE", "TREATMENTCODE", "OTHERPROC"};
    std::vector<std::string> names;
    for (const zr::FieldEntry& e : zr::claimFieldDictionary()) {
        const std::string& n = e.name;
        const bool repeat = std::find(repeats.begin(), repeats.end(), n) != repeats.end() && n != "PRINCIPLEPROCDATE";
        if (repeat) {
            for (int i = 1; i <= 12; ++i) names.push_back(n + (i < 10 ? "0" : "") + std::to_string(i));
        } else if (zr::CTL39406DB(n)) {
            for (int line = 1; line <= 6; ++line) names.push_back(n + std::to_string(line));
        } else if (n.size() > 11 && n.compare(n.size() - 11, 11, "SECONDARYID") == 0) {
            names.push_back(n + "1");
            names.push_back(n + "2");
        } else {
            names.push_back(n);
        }
    }
    names.resize(std::min<std::size_t>(names.size(), 552));
    return names;
}

int child(const std::string& what, const std::string& file, std::size_t claims) {
    auto t0 = Clock::now();
    const zr::SegmentTable t = zr::loadSegmentTable(file, zr::readDelimiters(file, 0));
    unsigned long long count = t.size();
    if (what == "listing") {
        const zr::ClaimIndex index = zr::CTL39400C(t, 1);
        const zr::ClaimsListing l = zr::CTL39406B(zr::ClaimFields(t, index));
        count = l.rows.size();
        if (l.footer.empty()) return 1;
    } else if (what == "fields") {
        const zr::ClaimIndex index = zr::CTL39400C(t, 1);
        const zr::ClaimFields f(t, index);
        const std::vector<std::string> names = mapFields();
        t0 = Clock::now();  // the fields alone
        std::size_t filled = 0;
        // The last claims of the file: a read that walked from the top of the
        // file would cost most there.
        const std::size_t from = claims && index.size() > claims ? index.size() - claims + 1 : 1;
        for (std::size_t k = from; k <= index.size(); ++k) {
            const auto claim = static_cast<long long>(k);
            const int j = 1;
            for (const std::string& n : names) {
                const int g = f.groupOf(n);
                const bool header = (g >= 101 && g <= 111) || (g >= 239 && g <= 244) || g == 0;
                filled += !(header ? f.header(claim, n) : f.claim(j, claim, n)).empty();
            }
        }
        count = filled;
    }
    zrbench::printMeasured(seconds(t0, Clock::now()), count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0)
        return child(argv[2], argv[3], argc >= 5 ? std::strtoull(argv[4], nullptr, 10) : 0);
    const std::vector<std::string> files =
        zrbench::benchFiles(argc, argv, [] { return zrbench::generated837ps({10, 100}); });
    const std::size_t fieldClaims = 2000;
    std::printf("map of %zu fields\n", mapFields().size());
    bool failed = false;
    for (const std::string& file : files) {
        const double mb = zrbench::fileMb(file);
        const zrbench::Measured load = zrbench::bestChild(argv[0], "load", file, 3);
        const zrbench::Measured listing = zrbench::bestChild(argv[0], "listing", file, 3);
        const zrbench::Measured fields = zrbench::bestChild(argv[0], "fields", file, 1, std::to_string(fieldClaims));
        std::printf("%s (%.0f MB)\n", file.c_str(), mb);
        if (!load.ok || !listing.ok || !fields.ok) {
            std::printf("  a measurement failed\n");
            failed = true;
            continue;
        }
        std::printf("  %-40s %8.3f s  %llu rows\n", "segment table load", load.seconds, load.count);
        std::printf("  %-40s %8.3f s  %llu claims  time/load %5.2f\n", "load, index and listing", listing.seconds,
                    listing.count, listing.seconds / load.seconds);
        std::printf("  %-40s %8.3f s  %8.1f us per claim  %llu values\n", "552 fields of the last 2000 claims",
                    fields.seconds, fields.seconds * 1e6 / static_cast<double>(fieldClaims), fields.count);
        if (mb < 20) {
            // Every claim of a smaller file, the whole map each.
            const zrbench::Measured all = zrbench::bestChild(argv[0], "fields", file, 1, "0");
            if (all.ok)
                std::printf("  %-40s %8.3f s  %8.1f us per claim\n", "552 fields of every claim", all.seconds,
                            all.seconds * 1e6 / static_cast<double>(listing.count));
        }
    }
    return failed ? 1 : 0;
}
