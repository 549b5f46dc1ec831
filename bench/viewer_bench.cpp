// Opening an X12 file in the viewer beside loading its segment table alone,
// measured in the same run: the viewer's entry (header check, delimiters,
// load, claim index, the pickers' first choice and the first screen's
// lines) as a ratio of the bare load, and the peak memory beside the file.
//
//   viewer_bench [FILE...]     (default: a generated 100 MB 837P)
// Each measurement runs in a process of its own (--child).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "claim_index.hpp"
#include "delimiters.hpp"
#include "messages.hpp"
#include "segment_list.hpp"
#include "set_pickers.hpp"
#include "table_rewriters.hpp"
#include "viewer_entry.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;

// The user picks the first interchange and the first set, looks at the
// first screen of lines and then leaves.
struct FirstScreen : zr::ViewerScreens {
    std::size_t lines = 0, pickers = 0;
    std::optional<zr::SegmentTable> pickInterchange(const zr::ScreenCall& whole) override {
        if (pickers++) return std::nullopt;
        return zr::CTL39405A(1, *whole.table);
    }
    std::optional<zr::SegmentTable> pickSet(const zr::ScreenCall& call) override {
        if (pickers++ > 1) return std::nullopt;
        return zr::CTL39424A(1, *call.table);
    }
    std::string openScreen(zr::ScreenKind, const zr::ScreenCall& call) override {
        zr::SegmentListModel model(*call.table);
        std::string painted;
        for (std::size_t r = 1; r <= 30 && r <= model.rowCount(); ++r) painted += model.line(r);
        lines += painted.size() ? 30 : 0;
        return "";
    }
    bool startNotepad(const std::string&) override { return false; }
    void debugDialog() override {}
};

int child(const std::string& what, const std::string& file) {
    double s = 0;
    std::size_t rows = 0;
    if (what == "load") {
        s = zrbench::timedTableLoad(file, rows);
    } else if (what == "open") {
        // Any question takes No: the benchmark never waits.
        wl::ScopedPromptHook hook([](const wl::Prompt&) { return wl::PromptAnswer{}; });
        FirstScreen screens;
        zr::ViewerRequest r;
        r.fileName = file;
        auto t0 = Clock::now();
        zr::CTLD39400(r, screens);
        s = seconds(t0, Clock::now());
        rows = screens.lines;
        if (rows == 0) return 1;
    }
    zrbench::printMeasured(s, rows);
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
        const zrbench::Measured load = zrbench::bestChild(argv[0], "load", file, 3);
        const zrbench::Measured open = zrbench::bestChild(argv[0], "open", file, 3);
        std::printf("%s (%.0f MB)\n", file.c_str(), mb);
        if (!load.ok || !open.ok) {
            std::printf("  viewer open failed\n");
            failed = true;
            continue;
        }
        std::printf("  %-34s %8.3f s  peak/file %5.2f\n", "segment table load", load.seconds, load.peak / (mb * 1e6));
        std::printf("  %-34s %8.3f s  peak/file %5.2f  time/load %5.2f\n", "viewer open to its first screen",
                    open.seconds, open.peak / (mb * 1e6), open.seconds / load.seconds);
    }
    return failed ? 1 : 0;
}
