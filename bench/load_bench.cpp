// Loads a large X12 file into the segment table and reports its speed beside
// a plain memchr count of the terminators over the same bytes, measured in
// the same run, and the table's memory beside the file size.
//
//   load_bench [FILE]     (without a file: a generated 100 MB 837P)
// It builds for Linux and for the 32-bit program (run under Wine with
// scripts/wine-exec), where it shows that large files fit the address space.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "claim_index.hpp"
#include "bench_support.hpp"
#include "delimiters.hpp"
#include "segment_table.hpp"
#include "text_files.hpp"
#include "x12_generator.hpp"

namespace {

using zrbench::Clock;
using zrbench::memchrCount;
using zrbench::peakResidentBytes;
using zrbench::seconds;

std::string makeInput(const char* given) {
    if (given) return given;
#ifdef _WIN32
    const std::string path = "zr-bench-837p-100mb.x12";
#else
    const std::string path = "/tmp/zr-bench-837p-100mb.x12";
#endif
    if (std::ifstream(path).good()) return path;
    zrbench::GeneratorOptions o;
    o.kind = zrbench::Kind::Professional837;
    o.targetBytes = 100u << 20;
    std::string out;
    zrbench::generateX12(o, out);
    std::ofstream(path, std::ios::binary) << out;
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = makeInput(argc > 1 ? argv[1] : nullptr);
    const std::size_t before = peakResidentBytes();

    // The same bytes, read once, scanned by memchr (best of three).
    zr::X12Delimiters d = zr::readDelimiters(path, 0);
    const zrbench::ScanBaseline baseline = zrbench::memchrBaseline(zr::CTL39400AY(path), d.terminator[0]);
    const double mb = baseline.mb, scan = baseline.seconds;
    const std::size_t terminators = baseline.terminators;

    // Best of three loads, each from the file as the viewer does it.
    double load = 1e9;
    std::size_t rows = 0, overhead = 0, claims = 0;
    for (int i = 0; i < 3; ++i) {
        auto t0 = Clock::now();
        zr::SegmentTable t = zr::loadSegmentTable(path, d);
        double s = seconds(t0, Clock::now());
        load = std::min(load, s);
        rows = t.size();
        overhead = t.overheadBytes();
        claims = zr::CTL39400C(t, 1).size();
    }
    const std::size_t peak = peakResidentBytes() - before;

    std::printf("file            %s (%.1f MB, %zu segments, %zu claims)\n", path.c_str(), mb, rows, claims);
    std::printf("memchr scan     %8.0f MB/s (%zu terminators)\n", mb / scan, terminators);
    std::printf("table load      %8.0f MB/s  ratio to memchr 1/%.1f\n", mb / load, load / scan);
    std::printf("table memory    %.2f x file size (buffer + %.1f bytes a row)\n",
                1.0 + static_cast<double>(overhead) / (mb * 1e6), static_cast<double>(overhead) / rows);
    std::printf("peak growth     %.2f x file size (resident, whole process)\n", static_cast<double>(peak) / (mb * 1e6));
    return rows == terminators ? 0 : 1;
}
