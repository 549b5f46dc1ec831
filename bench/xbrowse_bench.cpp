// The grid browse over 1,000,000 array rows: the time to open it (bind the
// array, count, paint the first page) and to go to the last row and paint,
// beside a peer in the same run that builds the text of every row once, as
// a grid that filled itself with every row would. Painting asks the
// columns only for the visible rows.
#include <chrono>
#include <cstdio>
#include <string>

#include "xbrowse_model.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

}  // namespace

int main() {
    constexpr int kRows = 1000000;
    constexpr int kLines = 40;
    wl::ValueList rows;
    rows.reserve(kRows);
    for (int i = 1; i <= kRows; ++i) rows.emplace_back(wl::ValueList{wl::Value(i), wl::Value(i * 1.25)});

    std::size_t bytes = 0, cells = 0;
    wl::XBrowseModel b;
    b.nDataRows = kLines;
    auto paint = [&] {
        b.EachVisibleRow([&](int) {
            for (const wl::TXBrwColumn& c : b.aCols) bytes += c.StrData().size(), ++cells;
        });
    };
    const auto t0 = Clock::now();
    b.SetArray(std::move(rows));
    paint();
    const auto t1 = Clock::now();
    b.GoBottom();
    paint();
    const auto t2 = Clock::now();

    std::size_t peerBytes = 0;
    for (int i = 0; i < kRows; ++i) {
        b.src.bKeyGoTo(i + 1);
        for (const wl::TXBrwColumn& c : b.aCols) peerBytes += c.StrData().size();
    }
    const auto t3 = Clock::now();

    const double open = microseconds(t1 - t0), end = microseconds(t2 - t1), peer = microseconds(t3 - t2);
    std::printf("rows %d, lines %d, cells painted %zu\n", kRows, kLines, cells);
    std::printf("open and paint: %.1f us; go to the last row and paint: %.1f us\n", open, end);
    std::printf("peer, every row's text once: %.1f us (%.0fx the open, %.0fx the jump)\n", peer, peer / open,
                peer / end);
    return cells == 2 * 2 * kLines && bytes > 0 && peerBytes > 0 ? 0 : 1;
}
