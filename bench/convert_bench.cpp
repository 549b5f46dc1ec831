// Converts a large 837P to CSV and to XML with a realistic 837P map and
// reports the speed beside a plain memchr scan of the same bytes, measured
// in the same run, the peak memory beside the file size, and the speed at
// 1, 10 and 100 MB (the cost must grow linearly).
//
//   convert_bench [FILE [MAP]]   (defaults: a generated 100 MB 837P and the
//                                 built-in 005010X222A2 map, else the
//                                 realistic map of realistic_837p_map.hpp)
// It builds for Linux and for the 32-bit program (run under Wine with
// scripts/wine-exec).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "bench_support.hpp"
#include "delimiters.hpp"
#include "map_text.hpp"
#include "messages.hpp"
#include "realistic_837p_map.hpp"
#include "text_files.hpp"
#include "x12_generator.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

using zrbench::Clock;
using zrbench::memchrCount;
using zrbench::peakResidentBytes;
using zrbench::seconds;

std::string workPath(const std::string& name) {
#ifdef _WIN32
    return name;
#else
    return "/tmp/" + name;
#endif
}

// Set when this run had to write an input: the generator holds the whole
// file in memory, which raises the process's peak beyond the conversion's.
bool generatedNow = false;

std::string generated(std::size_t megabytes) {
    const std::string path = workPath("zr-bench-837p-" + std::to_string(megabytes) + "mb.x12");
    if (std::ifstream(path).good()) return path;
    generatedNow = true;
    zrbench::GeneratorOptions o;
    o.kind = zrbench::Kind::Professional837;
    o.targetBytes = megabytes << 20;
    std::string out;
    zrbench::generateX12(o, out);
    std::ofstream(path, std::ios::binary) << out;
    return path;
}

struct Conversion {
    double seconds = 0;
    std::size_t outputBytes = 0;
    bool failed = false;
};

// Best of `runs` conversions of the file.
Conversion convert(const std::string& source, const std::string& map, const char* type, int runs) {
    zr::EngineRequest r;
    r.spec.parseType = type;
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = source;
    r.spec.destinationFile = workPath(std::strcmp(type, "X12,CSV") == 0 ? "zr-bench-out.csv" : "zr-bench-out.xml");
    r.spec.parseOptions = "HO";
    r.options = zr::parseOptions(r.spec.parseOptions);
    r.options.map = map;
    Conversion best;
    best.seconds = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        zr::EngineResult result = zr::CTL48400A(r);
        best.seconds = std::min(best.seconds, seconds(t0, Clock::now()));
        best.failed = best.failed || result.failed;
    }
    std::ifstream out(r.spec.destinationFile, std::ios::binary | std::ios::ate);
    best.outputBytes = static_cast<std::size_t>(out.tellg());
    std::remove(r.spec.destinationFile.c_str());
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    wl::ScopedPromptHook quiet([](const wl::Prompt& p) {
        std::fprintf(stderr, "%s\n", p.text.c_str());
        return wl::PromptAnswer{};
    });
    const std::string path = argc > 1 ? argv[1] : generated(100);
    std::string map = argc > 2 ? argv[2] : "";
    if (map.empty()) {
        // The built-in 005010X222A2 map; the benchmark's own realistic map
        // when there is none.
        std::string text = zr::builtInMapText(10, 2);
        map = workPath(text.empty() ? "zr-bench-realistic-837p.cfg" : "zr-bench-005010X222A2.cfg");
        std::ofstream(map, std::ios::binary) << (text.empty() ? std::string(zrbench::kRealistic837pMap) : text);
    }
    const std::size_t before = peakResidentBytes();

    // The same bytes, read once, scanned by memchr (best of three).
    const zr::X12Delimiters d = zr::readDelimiters(path, 0);
    const zrbench::ScanBaseline baseline = zrbench::memchrBaseline(zr::CTL39400AY(path), d.terminator[0]);
    const double mb = baseline.mb, scan = baseline.seconds;
    const std::size_t terminators = baseline.terminators;

    const Conversion csv = convert(path, map, "X12,CSV", 3);
    const Conversion xml = convert(path, map, "X12,XML", 3);
    const std::size_t peak = peakResidentBytes() - before;

    std::printf("file            %s (%.1f MB, %zu segments)\n", path.c_str(), mb, terminators);
    std::printf("map             %s\n", map.c_str());
    std::printf("memchr scan     %8.0f MB/s\n", mb / scan);
    std::printf("to CSV          %8.0f MB/s  ratio to memchr 1/%.1f  (output %.1f MB)\n", mb / csv.seconds,
                csv.seconds / scan, static_cast<double>(csv.outputBytes) / 1e6);
    std::printf("to XML          %8.0f MB/s  ratio to memchr 1/%.1f  (output %.1f MB)\n", mb / xml.seconds,
                xml.seconds / scan, static_cast<double>(xml.outputBytes) / 1e6);
    if (generatedNow)
        std::printf("peak growth     (input generated in this run: run again for the memory figure)\n");
    else
        std::printf("peak growth     %.2f x file size (resident, whole process)\n", static_cast<double>(peak) / (mb * 1e6));

    // Linear cost: the same speed from 1 to 100 MB.
    if (argc <= 1) {
        for (std::size_t size : {1, 10, 100}) {
            const std::string file = generated(size);
            const double fileMb = static_cast<double>(std::ifstream(file, std::ios::binary | std::ios::ate).tellg()) / 1e6;
            const Conversion c = convert(file, map, "X12,CSV", size == 100 ? 1 : 5);
            std::printf("to CSV %3zu MB   %8.0f MB/s\n", size, fileMb / c.seconds);
        }
    }
    return csv.failed || xml.failed ? 1 : 0;
}
