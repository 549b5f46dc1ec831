// What every benchmark measures besides its own work: the memchr scan it is
// compared with, wall-clock seconds and the peak memory of the process.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "delimiters.hpp"
#include "file_io.hpp"
#include "segment_table.hpp"
#include "x12_generator.hpp"

namespace zrbench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// The number of bytes equal to c: the plain scan the speeds are compared with.
inline std::size_t memchrCount(std::string_view bytes, char c) {
    std::size_t n = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while ((p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)))) != nullptr) {
        ++n;
        ++p;
    }
    return n;
}

// Starts a command and reads its output. cmd.exe drops the first and the
// last quote of a command line that begins with one: a second pair keeps
// the quoted program path whole.
inline std::FILE* openCommand(const std::string& command) {
#ifdef _WIN32
    return _popen(("\"" + command + "\"").c_str(), "r");
#else
    return popen(command.c_str(), "r");
#endif
}
inline void closeCommand(std::FILE* p) {
#ifdef _WIN32
    _pclose(p);
#else
    pclose(p);
#endif
}

// What the process used so far: its peak resident memory and its minor
// page faults (on Windows every fault the system counts).
struct Usage {
    std::size_t peakBytes = 0;
    std::size_t minorFaults = 0;
};
inline Usage processUsage() {
    Usage u;
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc)) {
        u.peakBytes = pmc.PeakWorkingSetSize;
        u.minorFaults = pmc.PageFaultCount;
    }
#else
    rusage r{};
    if (getrusage(RUSAGE_SELF, &r) == 0) {
        u.peakBytes = static_cast<std::size_t>(r.ru_maxrss) * 1024;
        u.minorFaults = static_cast<std::size_t>(r.ru_minflt);
    }
#endif
    return u;
}

// The memchr scan of a file's bytes held in memory (mapped), best of three.
inline double memchrSeconds(std::string_view bytes, char terminator, std::size_t* count = nullptr) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto t0 = Clock::now();
        // Kept in a volatile: a count nobody reads lets the scan be dropped.
        volatile std::size_t n = memchrCount(bytes, terminator);
        best = std::min(best, seconds(t0, Clock::now()));
        if (count) *count = n;
    }
    return best;
}

// Where the benchmarks keep their files: the current folder on Windows
// (under Wine), /tmp here.
inline std::string workPath(const std::string& name) {
#ifdef _WIN32
    return name;
#else
    return "/tmp/" + name;
#endif
}

inline unsigned long long fileBytes(const std::string& path) {
    return static_cast<unsigned long long>(std::ifstream(path, std::ios::binary | std::ios::ate).tellg());
}

inline double fileMb(const std::string& path) { return static_cast<double>(fileBytes(path)) / 1e6; }

// A generated 837P of about `bytes` bytes at `path`, written whole or not
// at all: a run stopped while writing must not leave a short file that the
// next run takes for the real one.
inline std::string write837p(std::size_t bytes, const std::string& path) {
    GeneratorOptions o;
    o.kind = Kind::Professional837;
    o.targetBytes = bytes;
    std::string text;
    generateX12(o, text);
    if (wl::writeFileAtomically(path, text) != 0) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return path;
}

// The generated 837P of that many MB, written on first use and kept.
inline std::string generated837p(std::size_t megabytes) {
    const std::string path = workPath("zr-bench-837p-" + std::to_string(megabytes) + "mb.x12");
    return std::ifstream(path).good() ? path : write837p(megabytes * 1'000'000, path);
}

// The files named on the command line; with none, the defaults, made only
// then (generating them takes a while).
template <class Defaults>
std::vector<std::string> benchFiles(int argc, char** argv, Defaults defaults) {
    std::vector<std::string> files(argv + 1, argv + argc);
    return files.empty() ? defaults() : files;
}

// The generated 837Ps of those sizes in MB, and of 1 GB with ZR_BENCH_GB
// set when `gigabyte` allows it.
inline std::vector<std::string> generated837ps(std::initializer_list<std::size_t> megabytes, bool gigabyte = false) {
    std::vector<std::string> files;
    for (std::size_t mb : megabytes) files.push_back(generated837p(mb));
    if (gigabyte && std::getenv("ZR_BENCH_GB")) files.push_back(generated837p(1000));
    return files;
}

// The bare segment-table load every benchmark is set beside: its seconds,
// and its rows in `rows`.
inline double timedTableLoad(const std::string& file, std::size_t& rows) {
    const auto t0 = Clock::now();
    const zr::SegmentTable t = zr::loadSegmentTable(file, zr::readDelimiters(file, 0));
    const double s = seconds(t0, Clock::now());
    rows = t.size();
    return s;
}

// One measurement made in a child process, which prints
// "seconds count peakBytes minorFaults" (count: rows, output bytes...).
struct Measured {
    bool ok = false;
    double seconds = 0;
    unsigned long long count = 0;  // an output past 4 GB counts in a 32-bit build too
    std::size_t peak = 0, faults = 0;
};
inline void printMeasured(double seconds, unsigned long long count) {
    const Usage u = processUsage();
    std::printf("%.6f %llu %zu %zu\n", seconds, count, u.peakBytes, u.minorFaults);
}
// The best (fastest) of `runs` runs of the command.
inline Measured bestOf(const std::string& command, int runs) {
    Measured b;
    for (int i = 0; i < runs; ++i) {
        Measured m;
        std::FILE* p = openCommand(command);
        if (!p) continue;
        char line[256] = {};
        if (std::fgets(line, sizeof line, p) &&
            std::sscanf(line, "%lf %llu %zu %zu", &m.seconds, &m.count, &m.peak, &m.faults) == 4)
            m.ok = true;
        closeCommand(p);
        if (m.ok && (!b.ok || m.seconds < b.seconds)) b = m;
    }
    return b;
}

// The best of `runs` runs of this program (`self`, its argv[0]) as the
// child measuring `what` in `file`, `extra` added to its command line.
inline Measured bestChild(const std::string& self, const std::string& what, const std::string& file, int runs,
                          const std::string& extra = {}) {
    return bestOf("\"" + self + "\" --child " + what + " \"" + file + "\"" + (extra.empty() ? "" : " " + extra), runs);
}

}  // namespace zrbench
