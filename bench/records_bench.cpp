// CSV and XML records back to X12 with the built-in 005010X222A2 map:
// speed beside a memchr scan of the same bytes and the peak memory of the
// conversion, for sources of several sizes (the memory must not grow with
// the file).
//
//   records_bench [MB ...]        (default 10 100; e.g. 10 100 1000)
//   records_bench prepare MB      writes the CSV and XML sources of that size
//   records_bench run FILE MAP    converts one source and prints its figures
//
// Each conversion runs in a process of its own, so the peak it reports is
// that conversion's. The sources are CSV and XML written by the X12 to CSV
// and XML direction from a generated 837P.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>
#include <algorithm>

#include "bench_support.hpp"
#include "conversion_engine.hpp"
#include "map_text.hpp"
#include "messages.hpp"
#include "x12_generator.hpp"

namespace {

using zrbench::Clock;

std::string source(std::size_t mb, const char* ext) {
    return zrbench::workPath("zr-records-" + std::to_string(mb) + "mb." + ext);
}

std::string mapPath() {
    const std::string path = zrbench::workPath("zr-records-005010X222A2.cfg");
    std::ofstream(path, std::ios::binary) << zr::builtInMapText(10, 2);
    return path;
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

zr::EngineResult convert(const std::string& type, const std::string& from, const std::string& to,
                         const std::string& map) {
    zr::ParseSpec spec;
    spec.parseType = type;
    spec.sourceFile = from;
    spec.destinationFile = to;
    zr::EngineRequest r = zr::engineRequest(spec);
    r.options.map = map;
    return zr::CTL48400A(r);
}

// A memchr scan of the file read in 1 MB blocks: the plain reference.
double memchrSeconds(const std::string& path) {
    double best = 1e9;
    std::vector<char> block(1 << 20);
    for (int i = 0; i < 3; ++i) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return 0;
        std::size_t lines = 0;
        const auto t0 = Clock::now();
        for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), f)) > 0;)
            lines += zrbench::memchrCount(std::string_view(block.data(), got), '\n');
        best = std::min(best, zrbench::seconds(t0, Clock::now()));
        std::fclose(f);
        if (lines == 0) best = std::min(best, 1e9);
    }
    return best;
}

// The CSV and XML sources of about `mb` MB: the X12 they come from is
// sized by what each form writes per X12 byte (about 2.4 for CSV and 35
// for XML with this map).
int prepare(std::size_t mb) {
    const std::string map = mapPath();
    bool failed = false;
    for (const auto& [ext, type, ratio] : {std::tuple{"csv", "X12,CSV", 2.4}, std::tuple{"xml", "X12,XML", 35.0}}) {
        const std::string x12 = zrbench::write837p(
            std::max<std::size_t>(static_cast<std::size_t>(static_cast<double>(mb << 20) / ratio), 1 << 16),
            zrbench::workPath("zr-records-source.x12"));
        failed = failed || convert(type, x12, source(mb, ext), map).failed;
        std::remove(x12.c_str());
    }
    return failed ? 1 : 0;
}

int run(const std::string& from, const std::string& map) {
    const bool xml = from.size() > 4 && from.compare(from.size() - 4, 4, ".xml") == 0;
    const std::string out = zrbench::workPath("zr-records-out.x12");
    const std::size_t before = zrbench::processUsage().peakBytes;
    const auto t0 = Clock::now();
    const zr::EngineResult r = convert(xml ? "XML,X12" : "CSV,X12", from, out, map);
    const double s = zrbench::seconds(t0, Clock::now());
    const std::size_t peak = zrbench::processUsage().peakBytes;
    const double mb = zrbench::fileMb(from), outMb = zrbench::fileMb(out);
    std::remove(out.c_str());
    const double scan = memchrSeconds(from);
    std::printf("%-4s %8.1f MB  %7.1f MB/s  memchr %7.0f MB/s  ratio 1/%-6.1f  out %8.1f MB  peak %6.1f MB (%.1f before)%s\n",
                xml ? "XML" : "CSV", mb, mb / s, mb / scan, s / scan, outMb, static_cast<double>(peak) / 1e6,
                static_cast<double>(before) / 1e6, r.failed ? "  FAILED" : "");
    return r.failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    wl::ScopedPromptHook quiet([](const wl::Prompt& p) {
        std::fprintf(stderr, "%s\n", p.text.c_str());
        return wl::PromptAnswer{};
    });
    if (argc > 2 && std::strcmp(argv[1], "prepare") == 0) return prepare(std::strtoul(argv[2], nullptr, 10));
    if (argc > 3 && std::strcmp(argv[1], "run") == 0) return run(argv[2], argv[3]);
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {10, 100};
    const std::string self = argv[0];
    const std::string map = mapPath();
    int failed = 0;
    for (std::size_t mb : sizes) {
        if (!exists(source(mb, "csv")) || !exists(source(mb, "xml")))
            failed |= std::system(("\"" + self + "\" prepare " + std::to_string(mb)).c_str());
        for (const char* ext : {"csv", "xml"}) {
            std::fflush(stdout);
            failed |= std::system(("\"" + self + "\" run " + source(mb, ext) + " " + map).c_str());
        }
    }
    return failed != 0 ? 1 : 0;
}
