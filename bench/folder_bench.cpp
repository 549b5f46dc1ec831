// A folder of many small 837P sources converted to CSV by one unattended
// driver run (as `x12batch` runs it), one source at a time and side by side
// on the processors, printed beside a memchr scan of the same bytes in the
// same run: MB/s, files/s and the ratio to the scan.
//
//   folder_bench [FILES [BYTES]]   (default: 2,000 files of about 10 KB)
// It builds natively and for Windows (run under Wine with scripts/wine-exec).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "conversion_driver.hpp"
#include "map_text.hpp"
#include "realistic_837p_map.hpp"
#include "x12_generator.hpp"

namespace {

namespace fs = std::filesystem;
using zrbench::Clock;
using zrbench::seconds;

struct Folder {
    std::string sources = zrbench::workPath("zr-bench-folder-in");
    std::string outputs = zrbench::workPath("zr-bench-folder-out");
    std::string map = zrbench::workPath("zr-bench-folder-837p.cfg");
    std::string bytes;  // every source, one after the other
    std::size_t files = 0;
};

Folder makeFolder(std::size_t files, std::size_t size) {
    Folder f;
    fs::remove_all(f.sources);
    fs::create_directories(f.sources);
    for (std::size_t i = 0; i < files; ++i) {
        zrbench::GeneratorOptions o;
        o.targetBytes = size;
        o.seed = 1 + i;
        std::string text;
        zrbench::generateX12(o, text);
        char name[32];
        std::snprintf(name, sizeof name, "claims%05zu.x12", i);
        std::ofstream((fs::path(f.sources) / name).string(), std::ios::binary) << text;
        f.bytes += text;
    }
    zrbench::writeBench837pMap(f.map);
    f.files = files;
    return f;
}

// One driver run over the folder; its seconds (0 when a source failed).
double convertFolder(const Folder& f, unsigned threads) {
    fs::remove_all(f.outputs);
    fs::create_directories(f.outputs);
    zr::DriverRequest r;
    r.type = "X12,CSV";
    r.source = f.sources;
    r.destination = f.outputs;
    r.options = "HO,MAP=" + f.map;
    r.currentFolder = zrbench::workPath("");
    r.mode = zr::DriverMode::Batch;
    zr::DriverHooks h;
    h.folderThreads = threads;
    const auto t0 = Clock::now();
    const zr::DriverResult result = zr::CTLD48403(r, h);
    const double s = seconds(t0, Clock::now());
    if (result.converted != static_cast<int>(f.files)) {
        std::fprintf(stderr, "%s\n", zr::countLine(result).c_str());
        return 0;
    }
    return s;
}

double bestOf(const Folder& f, unsigned threads, int runs) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double s = convertFolder(f, threads);
        if (s == 0) return 0;
        best = std::min(best, s);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t files = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 2000;
    const std::size_t size = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 10'000;
    const Folder f = makeFolder(files, size);
    const double mb = static_cast<double>(f.bytes.size()) / 1e6;
    const double scan = zrbench::memchrSeconds(f.bytes, '~');
    std::printf("%zu files, %.1f MB; memchr %.0f MB/s\n", f.files, mb, mb / scan);
    std::printf("%-28s %8s %9s %8s %12s\n", "folder X12 -> CSV", "seconds", "files/s", "MB/s", "of memchr");
    for (const auto& [label, threads] : {std::pair{"one at a time", 1u}, std::pair{"side by side", 0u}}) {
        const double s = bestOf(f, threads, 3);
        if (s == 0) {
            std::printf("%-28s failed\n", label);
            return 1;
        }
        std::printf("%-28s %8.3f %9.0f %8.1f %12s\n", label, s, static_cast<double>(f.files) / s, mb / s,
                    ("1/" + std::to_string(static_cast<int>(s / scan + 0.5))).c_str());
    }
    fs::remove_all(f.outputs);
    fs::remove_all(f.sources);
    return 0;
}
