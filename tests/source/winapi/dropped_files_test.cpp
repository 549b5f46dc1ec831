#include "dropped_files.hpp"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "test_windows.hpp"

namespace {

// A drop as the shell builds it: DROPFILES, then the ANSI names, each
// zero-terminated, and a closing zero.
HDROP makeDrop(const std::vector<std::string>& names, POINT at) {
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const auto& n : names) size += n.size() + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->pt = at;
    df->fNC = FALSE;
    df->fWide = FALSE;
    char* p = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
    for (const auto& n : names) {
        std::memcpy(p, n.c_str(), n.size() + 1);
        p += n.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

TEST(DroppedFiles, NamesArriveWholeAndTheDropIsReleased) {
    std::string longName = "C:\\claims\\" + std::string(290, 'n') + ".x12";
    HDROP drop = makeDrop({"C:\\a.x12", longName}, POINT{12, 34});
    EXPECT_EQ(wl::DRAGQUERYFILES(drop), (std::vector<std::string>{"C:\\a.x12", longName}));
    POINT at{};
    EXPECT_TRUE(wl::DRAGQUERYPOINT(drop, at));
    EXPECT_EQ(at.x, 12);
    EXPECT_EQ(at.y, 34);
    wl::DRAGFINISH(drop);
    EXPECT_EQ(GlobalSize(drop), 0u);  // the memory went with the drop
}

TEST(DroppedFiles, AcceptingSetsTheExtendedStyle) {
    wltest::TestWindow w;
    wl::DRAGACCEPTFILES(w, true);
    EXPECT_TRUE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    wl::DRAGACCEPTFILES(w, false);
    EXPECT_FALSE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
