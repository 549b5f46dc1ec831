// A browse over 1,000,000 array rows: the time to open it (count and paint
// the first page) and to go to the last row and paint, beside a peer in the
// same run that builds the text of every row once, as a browse that loaded
// its whole list would. The browse visits only the visible rows, so its
// times stay flat whatever the row count.
#include <chrono>
#include <cstdio>
#include <string>

#include "browse_model.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

std::string lineText(int at) { return "Claim " + std::to_string(at); }

}  // namespace

int main() {
    constexpr int kRows = 1000000;
    constexpr int kLines = 40;
    int at = 1;
    std::size_t bytes = 0;
    const wl::BrowseSource src = wl::arrayBrowseSource(at, [] { return kRows; });
    auto paint = [&](int) { bytes += lineText(at).size(); };

    const auto t0 = Clock::now();
    wl::BrowseState s;
    wl::browseSetRowCount(s, kLines);
    wl::browseRefreshCount(s, src);
    wl::browsePaintLines(s, src, paint);
    const auto t1 = Clock::now();
    wl::browseGoBottom(s, src);
    wl::browsePaintLines(s, src, paint);
    const auto t2 = Clock::now();

    std::size_t peerBytes = 0;
    for (int i = 1; i <= kRows; ++i) peerBytes += lineText(i).size();
    const auto t3 = Clock::now();

    const double open = microseconds(t1 - t0), end = microseconds(t2 - t1), peer = microseconds(t3 - t2);
    std::printf("rows %d, lines %d, at %d\n", kRows, kLines, at);
    std::printf("open and paint: %.1f us; go to the last row and paint: %.1f us\n", open, end);
    std::printf("peer, every row's text once: %.1f us (%.0fx the open, %.0fx the jump)\n", peer, peer / open,
                peer / end);
    return at == kRows && bytes > 0 && peerBytes > 0 ? 0 : 1;
}
