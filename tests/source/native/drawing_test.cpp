// Drawing primitives checked on pixels of 32-bit memory bitmaps.
#include "drawing.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "memory_canvas.hpp"
#include "resource_tracker.hpp"

namespace {

using wl::NRGB;

// A white 32-bit canvas in a memory context.
class BoxCanvas : public wltest::MemoryCanvas {
public:
    BoxCanvas(int w, int h) : MemoryCanvas(w, h) {}
    // The bounding box of the pixels of one colour: {left, top, right, bottom}, inclusive.
    RECT boxOf(wl::Color c) const {
        RECT r{width(), height(), -1, -1};
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (at(x, y) == c) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x);
                    r.bottom = std::max<LONG>(r.bottom, y);
                }
        return r;
    }
};

TEST(Gradient, TwoRowsPaintRowZeroBlackAndRowsOneAndTwoGrey) {
    BoxCanvas c(12, 6);
    wl::GRADIENT(c.dc(), {0, 0, 2, 10}, NRGB(0, 0, 0), NRGB(255, 255, 255), true);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(c.at(x, 0), NRGB(0, 0, 0)) << x;
        EXPECT_EQ(c.at(x, 1), NRGB(127, 127, 127)) << x;
        EXPECT_EQ(c.at(x, 2), NRGB(127, 127, 127)) << x;  // one row past the rectangle
        EXPECT_EQ(c.at(x, 3), NRGB(255, 255, 255)) << x;
    }
    EXPECT_EQ(c.at(10, 0), NRGB(255, 255, 255));
}

TEST(Gradient, EmptyRectanglePaintsNothing) {
    BoxCanvas c(8, 8);
    wl::GRADIENT(c.dc(), {3, 0, 3, 8}, NRGB(0, 0, 0), NRGB(0, 0, 0), true);
    EXPECT_EQ(c.boxOf(NRGB(0, 0, 0)).right, -1);
}

TEST(Gradient, PixelsFollowTheBandPlan) {
    BoxCanvas c(130, 20);
    const wl::Color from = NRGB(255, 0, 0), to = NRGB(0, 64, 255);
    wl::GRADIENT(c.dc(), {2, 10, 12, 110}, from, to, false);
    // Each column shows the colour of the last band that covers it.
    auto bands = wl::gradientBands(2, 10, 12, 110, from, to, false);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const wl::Color expect = i + 1 < bands.size() ? bands[i + 1].color : bands[i].color;
        EXPECT_EQ(c.at(bands[i].end, 7), expect) << i;
        EXPECT_EQ(c.at(bands[i].end, 2), expect) << "top row " << i;
        EXPECT_EQ(c.at(bands[i].end, 11), expect) << "bottom row " << i;
    }
    EXPECT_EQ(c.at(111, 7), NRGB(255, 255, 255));
    EXPECT_EQ(c.at(50, 1), NRGB(255, 255, 255));
    EXPECT_EQ(c.at(50, 12), NRGB(255, 255, 255));  // across the height, bottom excluded
}

TEST(TextOutput, WsayPlacesCellsInTheFontSelectedBeforeTheCall) {
    BoxCanvas c(400, 200);
    wl::LogFont small;
    small.height = -12;
    small.faceName = "Courier New";
    wl::LogFont big = small;
    big.height = -24;
    HFONT before = wl::CREATEFONT(small);
    HFONT given = wl::CREATEFONT(big);
    HGDIOBJ old = SelectObject(c.dc(), before);
    TEXTMETRICA tm{};
    GetTextMetricsA(c.dc(), &tm);
    wl::SayArgs a;
    a.fore = NRGB(0, 0, 0);
    a.back = NRGB(0, 255, 0);
    a.font = given;
    wl::WSAY(nullptr, c.dc(), 2, 3, "X12", a);
    // The opaque cell shows where the text went and how wide it is.
    const RECT cell = c.boxOf(NRGB(0, 255, 0));
    EXPECT_EQ(cell.left, 3 * tm.tmAveCharWidth);
    EXPECT_EQ(cell.top, 2 * tm.tmHeight);
    EXPECT_EQ(cell.right - cell.left + 1, wl::GETTEXTWIDTH(c.dc(), "X12", given));
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_FONT), before);  // font put back
    EXPECT_EQ(GetTextColor(c.dc()), NRGB(0, 0, 0));
    SelectObject(c.dc(), old);
    wl::DELETEOBJECT(given);
    wl::DELETEOBJECT(before);
}

TEST(TextOutput, WsayRectFillsCellsWithTheBackground) {
    BoxCanvas c(300, 100);
    HGDIOBJ old = SelectObject(c.dc(), GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(c.dc(), &tm);
    wl::WSAYRECT(nullptr, c.dc(), 1, 2, "ab", NRGB(0, 0, 0), NRGB(0, 0, 128), 50);
    const RECT cell = c.boxOf(NRGB(0, 0, 128));
    EXPECT_EQ(cell.left, 2 * tm.tmAveCharWidth);
    EXPECT_EQ(cell.top, tm.tmHeight);
    EXPECT_EQ(cell.right, 2 * tm.tmAveCharWidth + 50 - 1);
    EXPECT_EQ(cell.bottom, 2 * tm.tmHeight - 1);
    SelectObject(c.dc(), old);
}

TEST(TextOutput, DrawTextDefaultsToOneUnclippedLine) {
    BoxCanvas c(200, 40);
    SelectObject(c.dc(), GetStockObject(ANSI_FIXED_FONT));
    const int h = wl::DRAWTEXT(c.dc(), "EDI text");
    TEXTMETRICA tm{};
    GetTextMetricsA(c.dc(), &tm);
    EXPECT_EQ(h, tm.tmHeight);
    // Drawn although the default rectangle has no width.
    EXPECT_NE(c.boxOf(NRGB(0, 0, 0)).right, -1);
}

TEST(Shapes, FloodFillPutsTheOldBrushBackAndFills) {
    BoxCanvas c(20, 20);
    HGDIOBJ before = GetCurrentObject(c.dc(), OBJ_BRUSH);
    wl::RECTANGLE(c.dc(), 2, 2, 12, 12);
    EXPECT_TRUE(wl::FLOODFILL(c.dc(), 6, 6, NRGB(0, 0, 0), NRGB(255, 0, 0)));
    EXPECT_EQ(c.at(6, 6), NRGB(255, 0, 0));
    EXPECT_EQ(c.at(15, 15), NRGB(255, 255, 255));
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), before);
}

TEST(Shapes, RoundBoxAndFrames) {
    BoxCanvas c(40, 40);
    EXPECT_TRUE(wl::ROUNDBOX(c.dc(), 2, 2, 30, 30, 4, 4, NRGB(0, 0, 255)));
    const RECT frame = c.boxOf(NRGB(0, 0, 255));
    EXPECT_EQ(frame.left, 2);
    EXPECT_EQ(frame.right, 29);
    EXPECT_EQ(c.at(15, 3), NRGB(255, 255, 255));  // one pixel wide, hollow
    BoxCanvas d(20, 20);
    wl::FRAMEDOT(d.dc(), 2, 2, 10, 10);
    // Dotted: neighbours along the frame differ, the inside stays white.
    EXPECT_NE(d.at(4, 2), d.at(5, 2));
    EXPECT_EQ(d.at(6, 6), NRGB(255, 255, 255));
    EXPECT_EQ(d.at(10, 6) == NRGB(255, 255, 255) && d.at(10, 7) == NRGB(255, 255, 255), false);  // right edge + 1
}

TEST(Objects, PaintersFreeTheBrushesTheyMake) {
    const std::pair<const char*, std::function<void(HDC)>> painters[] = {
        {"FLOODFILL", [](HDC dc) { wl::FLOODFILL(dc, 6, 6, NRGB(0, 0, 0), NRGB(255, 0, 0)); }},
        {"FRAMEDOT", [](HDC dc) { wl::FRAMEDOT(dc, 2, 2, 10, 10); }},
    };
    for (const auto& [name, paint] : painters) {
        Canvas c(20, 20);
        wl::RECTANGLE(c.dc(), 2, 2, 12, 12);
        const std::size_t before = wl::trackedResources().size();
        for (int i = 0; i < 20; ++i) paint(c.dc());
        EXPECT_EQ(wl::trackedResources().size(), before) << name;
    }
}

TEST(Objects, DeleteObjectOfNothingIsFalseAndTracked) {
    EXPECT_FALSE(wl::DELETEOBJECT(nullptr));
    const std::size_t before = wl::trackedResources().size();
    HBRUSH b = wl::CREATESOLIDBRUSH(NRGB(1, 2, 3));
    ASSERT_EQ(wl::trackedResources().size(), before + 1);
    EXPECT_EQ(wl::trackedResources().back().type, "BRUSH");
    EXPECT_TRUE(wl::DELETEOBJECT(b));
    EXPECT_EQ(wl::trackedResources().size(), before);
    EXPECT_FALSE(wl::DELETEOBJECT(b));  // no longer an object
}

TEST(Fonts, FontInfoMeasuresWithoutKeepingTheFont) {
    wl::LogFont lf;
    lf.height = -16;
    lf.weight = 700;
    lf.faceName = "Courier New";
    HFONT f = wl::CREATEFONT(lf);
    const auto info = wl::GETFONTINFO(f);
    EXPECT_TRUE(info.bold);
    EXPECT_GT(info.height, 0);
    EXPECT_EQ(info.height, wl::FONTHEIGHTS(f)[0]);
    EXPECT_TRUE(wl::DELETEOBJECT(f));  // not left selected anywhere
}

TEST(Offscreen, DispEndCopiesTheMemoryImage) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 30, 20, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    BoxCanvas target(30, 20);
    auto info = wl::WLDISPBEGIN(w, target.dc());
    HBRUSH red = CreateSolidBrush(NRGB(255, 0, 0));
    RECT r{0, 0, 30, 20};
    FillRect(info.memory, &r, red);
    DeleteObject(red);
    EXPECT_EQ(target.at(5, 5), NRGB(255, 255, 255));
    EXPECT_EQ(wl::WLDISPEND(info), target.dc());
    EXPECT_EQ(target.at(5, 5), NRGB(255, 0, 0));
    EXPECT_EQ(target.at(29, 19), NRGB(255, 0, 0));
    DestroyWindow(w);
}

TEST(Metafiles, RoundTripKeepsTheDrawing) {
    HDC mf = CreateMetaFileA(nullptr);
    Rectangle(mf, 0, 0, 10, 10);
    HMETAFILE wmf = CloseMetaFile(mf);
    HDC screen = GetDC(nullptr);
    HENHMETAFILE emf = wl::WMF2EMF(wmf, screen);
    ASSERT_NE(emf, nullptr);
    HMETAFILE back = wl::EMF2WMF(emf, screen);
    EXPECT_NE(back, nullptr);
    ReleaseDC(nullptr, screen);
    DeleteMetaFile(back);
    DeleteEnhMetaFile(emf);
    DeleteMetaFile(wmf);
}

}  // namespace
