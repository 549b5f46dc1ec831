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
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

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

// The memchr baseline of a file: its size in MB, the best of three scans
// for the terminator (seconds) and the number of terminators. The bytes are
// released before returning, so the measured work starts from the file.
struct ScanBaseline {
    double mb = 0;
    double seconds = 0;
    std::size_t terminators = 0;
};
inline ScanBaseline memchrBaseline(std::string bytes, char terminator) {
    ScanBaseline b;
    b.mb = static_cast<double>(bytes.size()) / 1e6;
    b.seconds = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto t0 = Clock::now();
        b.terminators = memchrCount(bytes, terminator);
        b.seconds = std::min(b.seconds, zrbench::seconds(t0, Clock::now()));
    }
    return b;
}

// Peak resident memory of the process, from the system's own count.
inline std::size_t peakResidentBytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    return GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc) ? pmc.PeakWorkingSetSize : 0;
#else
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
#endif
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

}  // namespace zrbench
