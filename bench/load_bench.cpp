// Loads X12 files into the segment table (the viewer's path) and prints,
// side by side and measured in the same run, a memchr scan of the same
// bytes, the load's speed, its minor page faults and its peak memory beside
// the file size (whole, and above what the bare process holds).
//
//   load_bench [FILE...]     (default: generated 10 MB and 100 MB 837P;
//                             add 1 GB with ZR_BENCH_GB=1)
// Each measurement runs in a process of its own (--child), so its faults
// and peak are its own. It builds natively and for Windows (run under Wine
// with scripts/wine-exec).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "claim_index.hpp"
#include "delimiters.hpp"
#include "file_bytes.hpp"
#include "segment_table.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;

// One measurement; prints "seconds rows peakBytes minorFaults".
int child(const std::string& what, const std::string& file) {
    const zr::X12Delimiters d = zr::readDelimiters(file, 0);
    double s = 0;
    std::size_t rows = 0;
    if (what == "base") {
        // Nothing but the process itself: what the others' peaks include.
    } else if (what == "memchr") {
        const wl::FileBytes bytes = wl::readWholeFile(file);
        s = zrbench::memchrSeconds(bytes.view(), d.terminator[0], &rows);
    } else {
        auto t0 = Clock::now();
        const zr::SegmentTable t = zr::loadSegmentTable(file, d);
        s = seconds(t0, Clock::now());
        rows = t.size();
        if (zr::CTL39400C(t, 1).empty()) return 1;
    }
    zrbench::printMeasured(s, rows);
    return 0;
}

using zrbench::Measured;

// Best of `runs` children; the count is the table's rows.
Measured best(const std::string& self, const char* what, const std::string& file, int runs) {
    return zrbench::bestChild(self, what, file, runs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3]);
    const std::vector<std::string> files =
        zrbench::benchFiles(argc, argv, [] { return zrbench::generated837ps({10, 100}, true); });
    bool failed = false;
    std::printf("%-28s %8s %10s %10s %10s %12s\n", "", "MB/s", "vs memchr", "faults", "peak/file",
                "above base");
    for (const std::string& file : files) {
        const double mb = zrbench::fileMb(file);
        // Two runs at least: on virtual machines a process's first touch of
        // memory the guest never used costs several times the load itself.
        const int runs = mb > 500 ? 2 : 3;
        const Measured scan = best(argv[0], "memchr", file, 1);
        const Measured load = best(argv[0], "load", file, runs);
        const Measured base = best(argv[0], "base", file, 1);
        std::printf("%s (%.0f MB, %llu segments)\n", file.c_str(), mb, scan.count);
        if (!scan.ok || !load.ok || load.count != scan.count) {
            std::printf("  load failed\n");
            failed = true;
            continue;
        }
        // Peaks over the file's size, whole and above the bare process's.
        auto ratio = [&](std::size_t peak) { return static_cast<double>(peak) / (mb * 1e6); };
        auto above = [&](std::size_t peak) { return ratio(peak > base.peak ? peak - base.peak : 0); };
        std::printf("  %-26s %8.0f %10s %10zu %10.2f %12.2f\n", "memchr scan (file mapped)", mb / scan.seconds, "1",
                    scan.faults, ratio(scan.peak), above(scan.peak));
        std::printf("  %-26s %8.0f %10s %10zu %10.2f %12.2f\n", "segment table load", mb / load.seconds,
                    ("1/" + std::to_string(load.seconds / scan.seconds).substr(0, 4)).c_str(), load.faults,
                    ratio(load.peak), above(load.peak));
    }
    return failed ? 1 : 0;
}
