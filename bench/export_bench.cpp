// The export of an 837P's claims to CSV beside the converter's X12 to CSV of
// the same file, and the memory the export takes beyond the loaded file.
//
//   export_bench [FILE...]   (default: generated 837Ps of 10 and 100 MB)
//   export_bench --child export FILE   one export (ZR_BENCH_KEEP=path keeps its CSV)
//
// (a) load + export of every claim with the built-in professional list of
//     164 fields, as a ratio of the converter's X12 to CSV time (at most 3);
// (b) the export's peak memory less the bare load's, in a small and a large
//     file: the same when the export holds one record at a time.
// Each measurement runs in a process of its own (--child).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "claim_index.hpp"
#include "conversion_engine.hpp"
#include "delimiters.hpp"
#include "export_engine.hpp"
#include "export_maps.hpp"
#include "map_text.hpp"
#include "messages.hpp"
#include "realistic_837p_map.hpp"
#include "x12_to_csv.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;


// One measurement; prints "seconds count peakBytes minorFaults".
int child(const std::string& what, const std::string& file) {
    wl::ScopedPromptHook quiet([](const wl::Prompt& p) {
        std::fprintf(stderr, "%s\n", p.text.c_str());
        return wl::PromptAnswer{};
    });
    unsigned long long count = 0;
    const auto t0 = Clock::now();
    if (what == "convert") {
        zr::EngineRequest r;
        r.spec.parseType = "X12,CSV";
        r.type = zr::conversionTypeOf(r.spec.parseType);
        r.spec.sourceFile = file;
        r.spec.destinationFile = zrbench::workPath("zr-bench-convert.csv");
        r.spec.parseOptions = "HO";
        r.options = zr::parseOptions(r.spec.parseOptions);
        r.options.map = zrbench::bench837pMapFile();
        if (zr::CTL48400A(r).failed) return 1;
        count = zrbench::fileBytes(r.spec.destinationFile);
        std::remove(r.spec.destinationFile.c_str());
    } else {
        // The file as the claims screen holds it: the table and its claim
        // index.
        const zr::SegmentTable t = zr::loadSegmentTable(file, zr::readDelimiters(file, 0));
        const zr::ClaimIndex index = zr::CTL39400C(t, 1);
        count = index.size();
        if (what == "export") {
            zr::ExportRequest r;
            r.table = &t;
            r.index = &index;
            r.st01 = "837";
            r.fields = zr::professionalDefaultFields();
            r.outputMode = zr::OutputMode::Export;
            r.headerFlag = "HO";
            r.spec.destinationFile = zrbench::workPath("zr-bench-export");
            r.workFolder = zrbench::workPath("");
            zr::CTL39404G(r);
            const std::string out = r.spec.destinationFile + ".csv";
            count = zrbench::fileBytes(out);
            // ZR_BENCH_KEEP names a file that keeps the output, to compare
            // the outputs of two builds byte for byte.
            if (const char* keep = std::getenv("ZR_BENCH_KEEP")) std::rename(out.c_str(), keep);
            else std::remove(out.c_str());
        }
    }
    zrbench::printMeasured(seconds(t0, Clock::now()), count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3]);
    const std::vector<std::string> files =
        zrbench::benchFiles(argc, argv, [] { return zrbench::generated837ps({10, 100}); });
    bool failed = false;
    for (const std::string& file : files) {
        const zrbench::Measured convert = zrbench::bestChild(argv[0], "convert", file, 2);
        const zrbench::Measured load = zrbench::bestChild(argv[0], "load", file, 2);
        const zrbench::Measured exported = zrbench::bestChild(argv[0], "export", file, 2);
        std::printf("%s (%.0f MB)\n", file.c_str(), zrbench::fileMb(file));
        if (!convert.ok || !load.ok || !exported.ok) {
            std::printf("  a measurement failed\n");
            failed = true;
            continue;
        }
        const double mb = 1024.0 * 1024.0;
        std::printf("  %-34s %8.3f s  %6.0f MB peak  %llu bytes\n", "converter X12 to CSV", convert.seconds,
                    convert.peak / mb, convert.count);
        std::printf("  %-34s %8.3f s  %6.0f MB peak  %llu claims\n", "segment table load and index", load.seconds,
                    load.peak / mb, load.count);
        std::printf("  %-34s %8.3f s  %6.0f MB peak  %llu bytes  time/converter %4.2f\n", "load and export to CSV",
                    exported.seconds, exported.peak / mb, exported.count, exported.seconds / convert.seconds);
        std::printf("  %-34s %8.0f MB\n", "export's memory beyond the loaded file",
                    (static_cast<double>(exported.peak) - static_cast<double>(load.peak)) / mb);
    }
    return failed ? 1 : 0;
}
