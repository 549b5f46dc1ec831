// Opening an 835 of 100,000 claims on its remittance screen beside loading
// its segment table alone: the viewer's entry with the listing and its
// totals (what the screen shows first) as a ratio of the bare load, and the
// detail text of the last claim (what "Select" shows).
//
//   remittance_bench [FILE...]   (default: a generated 835 of 100,000 claims)
// Each measurement runs in a process of its own (--child).
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "claim_index.hpp"
#include "delimiters.hpp"
#include "messages.hpp"
#include "remittance_detail.hpp"
#include "remittance_listing.hpp"
#include "viewer_entry.hpp"

namespace {

using zrbench::Clock;
using zrbench::seconds;

// The remittance screen as it opens: the listing and its totals.
struct RemittanceScreen : zr::ViewerScreens {
    std::size_t claims = 0;
    std::optional<zr::SegmentTable> pickInterchange(const zr::ScreenCall&) override { return std::nullopt; }
    std::optional<zr::SegmentTable> pickSet(const zr::ScreenCall&) override { return std::nullopt; }
    std::string openScreen(zr::ScreenKind, const zr::ScreenCall& call) override {
        const zr::RemittanceListing listing = zr::remittanceListing(*call.table);
        // The first screen: the lines in view and the totals.
        std::string shown = listing.totalsLine() + listing.patientLine();
        for (std::size_t n = 1; n <= 12 && n <= listing.count(); ++n) shown += listing.line(n);
        claims = shown.empty() ? 0 : listing.claims();
        return "";
    }
    bool startNotepad(const std::string&) override { return false; }
    void debugDialog() override {}
};

// The generated text as one interchange, one group and one set (one check
// paying every claim): the first envelope and set header, every claim, the
// last trailers. The SE keeps the generator's count, which the viewer never
// checks.
std::string oneSet(const std::string& text) {
    std::string out, trailers;
    std::size_t at = 0;
    bool headerDone = false, skipping = false;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('~', at), text.size() - 1) + 1;
        const std::string segment = text.substr(at, end - at);
        at = end;
        const std::string id = segment.substr(0, segment.find('*'));
        if (id == "SE" || id == "GE" || id == "IEA") {
            trailers = id == "SE" ? segment : trailers + segment;
            skipping = true;  // the next set's header, up to its first claim
            continue;
        }
        if (id == "LX") skipping = false;
        if (skipping && headerDone) continue;
        if (id == "LX") headerDone = true;
        out += segment;
    }
    return out + trailers;
}

// An 835 of about that many claims in one set, written on first use
// and kept.
std::string generated835(std::size_t claims) {
    const std::string path = zrbench::workPath("zr-bench-835-" + std::to_string(claims) + "-claims.x12");
    if (std::ifstream(path).good()) return path;
    zrbench::GeneratorOptions o;
    o.kind = zrbench::Kind::Payment835;
    std::string sample;
    const zrbench::GeneratorSummary s = zrbench::generateX12(o, sample);
    o.targetBytes = claims * (s.bytes / (s.claims ? s.claims : 1)) * 1015 / 1000;
    std::string text;
    zrbench::generateX12(o, text);
    if (wl::writeFileAtomically(path, oneSet(text)) != 0) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return path;
}

int child(const std::string& what, const std::string& file) {
    double s = 0;
    std::size_t count = 0;
    if (what == "load") {
        s = zrbench::timedTableLoad(file, count);
    } else if (what == "open") {
        wl::ScopedPromptHook hook([](const wl::Prompt&) { return wl::PromptAnswer{}; });
        RemittanceScreen screen;
        zr::ViewerRequest r;
        r.fileName = file;
        auto t0 = Clock::now();
        zr::CTLD39400(r, screen);
        s = seconds(t0, Clock::now());
        count = screen.claims;
        if (count == 0) return 1;
    } else if (what == "detail") {
        const zr::SegmentTable t = zr::loadSegmentTable(file, zr::readDelimiters(file, 0));
        const zr::ClaimIndex index = zr::CTL39400C(t, 1);
        auto t0 = Clock::now();
        count = zr::CTL39407E(index, t, index.size(), 1, 1).size();
        s = seconds(t0, Clock::now());
    }
    zrbench::printMeasured(s, count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3]);
    const std::vector<std::string> files =
        zrbench::benchFiles(argc, argv, [] { return std::vector<std::string>{generated835(100'000)}; });
    bool failed = false;
    for (const std::string& file : files) {
        const zrbench::Measured load = zrbench::bestChild(argv[0], "load", file, 3);
        const zrbench::Measured open = zrbench::bestChild(argv[0], "open", file, 3);
        const zrbench::Measured detail = zrbench::bestChild(argv[0], "detail", file, 3);
        std::printf("%s (%.0f MB)\n", file.c_str(), zrbench::fileMb(file));
        if (!load.ok || !open.ok || !detail.ok) {
            std::printf("  remittance open failed\n");
            failed = true;
            continue;
        }
        std::printf("  %-40s %8.3f s  (%llu rows)\n", "segment table load", load.seconds, load.count);
        std::printf("  %-40s %8.3f s  (%llu claims)  time/load %5.2f\n", "viewer open to listing and totals",
                    open.seconds, open.count, open.seconds / load.seconds);
        std::printf("  %-40s %8.3f s  (%llu lines)\n", "detail text of the last claim", detail.seconds,
                    detail.count);
    }
    return failed ? 1 : 0;
}
