// The X12 utilities on a large file beside the segment-table load, measured
// in the same run: File Information (counts, totals and the envelope tree
// into a tree that keeps nothing) and File Compare (the file with a copy of
// itself, and with itself, which is read once: both listings and the
// comparison) as a ratio of the bare load; the
// De-Identifier's peak memory against the file (it streams: flat whatever
// the size).
//
//   tools_bench [FILE...]     (default: a generated 100 MB 837P)
// Each measurement runs in a process of its own (--child).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "de_identifier.hpp"
#include "delimiters.hpp"
#include "file_compare.hpp"
#include "file_information.hpp"
#include "messages.hpp"
#include "segment_table.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;

// The copy File Compare reads beside the file: two files, two reads.
std::string compareCopyName(const std::string& file) { return file + ".compare-copy"; }

int child(const std::string& what, const std::string& file) {
    // Any question (the De-Identifier's "Replace ...?") takes Yes.
    wl::ScopedPromptHook hook([](const wl::Prompt&) {
        wl::PromptAnswer a;
        a.yes = true;
        return a;
    });
    unsigned long long count = 0;
    const auto t0 = Clock::now();
    if (what == "load") {
        count = zr::loadSegmentTable(file, zr::readDelimiters(file, 0)).size();
    } else if (what == "info") {
        zr::CountingToolTree tree;
        const zr::FileSummary s = zr::CTLD47300A(file, tree);
        count = s.claims;
    } else if (what == "compare" || what == "compare-self") {
        zr::CountingToolTree left, right;
        const std::string other = what == "compare" ? compareCopyName(file) : file;
        const zr::CompareResult r = zr::CTLD51200A(file, other, left, right);
        if (!r.report.empty()) return 1;
        count = right.count();
    } else if (what == "deidentify") {
        count = zr::CTLD49200A(file).size();
        std::remove(zr::deIdentifiedFileName(file).c_str());
    }
    const double s = seconds(t0, Clock::now());
    if (count == 0) return 1;
    zrbench::printMeasured(s, count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3]);
    const std::vector<std::string> files =
        zrbench::benchFiles(argc, argv, [] { return zrbench::generated837ps({100}); });
    bool failed = false;
    for (const std::string& file : files) {
        const double mb = zrbench::fileMb(file);
        auto measure = [&](const char* what) { return zrbench::bestChild(argv[0], what, file, 3); };
        std::error_code copied;
        std::filesystem::copy_file(file, compareCopyName(file), std::filesystem::copy_options::overwrite_existing,
                                   copied);
        const zrbench::Measured load = measure("load"), info = measure("info"), compare = measure("compare"),
                                self = measure("compare-self"), deid = measure("deidentify");
        std::filesystem::remove(compareCopyName(file), copied);
        std::printf("%s (%.0f MB)\n", file.c_str(), mb);
        if (!load.ok || !info.ok || !compare.ok || !self.ok || !deid.ok) {
            std::printf("  a measurement failed\n");
            failed = true;
            continue;
        }
        std::printf("  %-34s %8.3f s  peak/file %5.2f\n", "segment table load", load.seconds, load.peak / (mb * 1e6));
        const std::pair<const char*, const zrbench::Measured*> rows[] = {
            {"File Information", &info},
            {"File Compare (file with a copy)", &compare},
            {"File Compare (file with itself)", &self},
            {"De-Identifier", &deid}};
        for (const auto& [name, m] : rows)
            std::printf("  %-34s %8.3f s  peak %7.1f MB  time/load %5.2f\n", name, m->seconds, m->peak / 1e6,
                        m->seconds / load.seconds);
    }
    return failed ? 1 : 0;
}
