// Converts 837P files to CSV and to XML with the built-in 005010X222A2 map
// (else the realistic map of realistic_837p_map.hpp) and prints, per file,
// side by side and measured in the same run: a memchr scan of the same
// bytes, the conversions' speed (MB/s of input, and of output for XML),
// their peak memory and minor page faults, and the peer node-x12 in
// streaming mode when it is installed (scripts/setup bench).
//
//   convert_bench [FILE...]    (default: generated 10 MB and 100 MB 837P;
//                               add 1 GB with ZR_BENCH_GB=1)
// Every measurement runs in a process of its own (this program, started
// again with --child), so each peak and fault count is that work's alone.
// It builds natively and for Windows (run under Wine with scripts/wine-exec).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "conversion_engine.hpp"
#include "delimiters.hpp"
#include "file_bytes.hpp"
#include "map_text.hpp"
#include "messages.hpp"
#include "realistic_837p_map.hpp"
#include "x12_generator.hpp"
#include "x12_to_csv.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;


// ---------------------------------------------------------------- children

// One measurement; prints "seconds outputBytes peakBytes minorFaults".
int child(const std::string& what, const std::string& file, const std::string& map) {
    wl::ScopedPromptHook quiet([](const wl::Prompt& p) {
        std::fprintf(stderr, "%s\n", p.text.c_str());
        return wl::PromptAnswer{};
    });
    double best = 0;
    unsigned long long output = 0;
    if (what == "memchr") {
        const zr::X12Delimiters d = zr::readDelimiters(file, 0);
        const wl::FileBytes bytes = wl::readWholeFile(file);
        best = zrbench::memchrSeconds(bytes.view(), d.terminator[0]);
    } else {
        zr::EngineRequest r;
        r.spec.parseType = what;
        r.type = zr::conversionTypeOf(r.spec.parseType);
        r.spec.sourceFile = file;
        r.spec.destinationFile = zrbench::workPath(what == "X12,CSV" ? "zr-bench-out.csv" : "zr-bench-out.xml");
        r.spec.parseOptions = "HO";
        r.options = zr::parseOptions(r.spec.parseOptions);
        r.options.map = map;
        auto t0 = Clock::now();
        const zr::EngineResult result = zr::CTL48400A(r);
        best = seconds(t0, Clock::now());
        if (result.failed) return 1;
        // Closed before it is removed: Windows keeps an open file.
        output = zrbench::fileBytes(r.spec.destinationFile);
        std::remove(r.spec.destinationFile.c_str());
    }
    zrbench::printMeasured(best, output);
    return 0;
}

using zrbench::Measured;

// Best of `runs` children; the count is the output's size.
Measured best(const std::string& self, const std::string& what, const std::string& file, const std::string& map,
              int runs) {
    return zrbench::bestChild(self, "\"" + what + "\"", file, runs, "\"" + map + "\"");
}

#ifndef _WIN32
// node-x12 in streaming mode, when installed: "seconds segments".
std::string nodeModules() {
    if (const char* given = std::getenv("ZR_NODE_X12")) return given;
    const char* home = std::getenv("HOME");
    const std::string folder = std::string(home ? home : "/root") + "/.cache/zrk7w315/node/node_modules";
    return std::ifstream(folder + "/node-x12/package.json").good() ? folder : "";
}
#endif

Measured peer(const std::string& benchFolder, const std::string& file) {
    Measured m;
#ifndef _WIN32
    const std::string modules = nodeModules();
    if (modules.empty()) return m;
    std::FILE* p = popen(("node \"" + benchFolder + "/node_x12_stream.js\" \"" + modules + "\" \"" + file + "\"").c_str(), "r");
    if (!p) return m;
    char line[128] = {};
    std::size_t segments = 0;
    if (std::fgets(line, sizeof line, p) && std::sscanf(line, "%lf %zu", &m.seconds, &segments) == 2) m.ok = true;
    zrbench::closeCommand(p);
#else
    (void)benchFolder;
    (void)file;
#endif
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3], argv[4]);
    const std::string self = argv[0];
    const std::vector<std::string> files =
        zrbench::benchFiles(argc, argv, [] { return zrbench::generated837ps({10, 100}, true); });
    const std::string map = zrbench::bench837pMapFile();
    const std::string benchFolder = ZR_BENCH_SOURCE_DIR;
    std::printf("map %s\n", map.c_str());
    std::printf("%-34s %8s %9s %8s %9s %9s %10s\n", "", "MB/s", "vs memchr", "out MB/s", "peak MB", "faults", "vs node-x12");
    bool failed = false;
    for (const std::string& file : files) {
        const double mb = zrbench::fileMb(file);
        const int runs = mb > 500 ? 1 : 3;
        const Measured scan = best(self, "memchr", file, map, 1);
        const Measured csv = best(self, "X12,CSV", file, map, runs);
        const Measured xml = best(self, "X12,XML", file, map, runs);
        const Measured node = mb > 500 ? Measured{} : peer(benchFolder, file);
        failed = failed || !csv.ok || !xml.ok;
        std::printf("%s (%.0f MB)\n", file.c_str(), mb);
        auto row = [&](const char* name, const Measured& m, bool showOut) {
            if (!m.ok) {
                std::printf("  %-32s %8s\n", name, "failed / not run");
                return;
            }
            char out[32] = "", vsNode[32] = "";
            if (showOut) std::snprintf(out, sizeof out, "%.0f", static_cast<double>(m.count) / 1e6 / m.seconds);
            if (node.ok && &m != &scan && &m != &node) std::snprintf(vsNode, sizeof vsNode, "%.1f x", node.seconds / m.seconds);
            std::printf("  %-32s %8.0f %9s %8s %9.1f %9zu %10s\n", name, mb / m.seconds,
                        &m == &scan ? "1" : ("1/" + std::to_string(m.seconds / scan.seconds).substr(0, 4)).c_str(), out,
                        static_cast<double>(m.peak) / 1e6, m.faults, vsNode);
        };
        row("memchr scan (file mapped)", scan, false);
        row("X12 -> CSV", csv, true);
        row("X12 -> XML", xml, true);
        if (node.ok) std::printf("  %-32s %8.0f %9s\n", "node-x12 streaming (parse only)", mb / node.seconds,
                                 ("1/" + std::to_string(node.seconds / scan.seconds).substr(0, 5)).c_str());
        else std::printf("  node-x12 streaming              not installed or not run (scripts/setup bench)\n");
    }
    return failed ? 1 : 0;
}
