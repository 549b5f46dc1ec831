// The outline line pictures as real bitmaps: seven 16 by 16 monochrome
// pictures, painted as black dotted lines over any background.
#include "tree_bitmaps.hpp"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace wl;

TEST(TreeBitmaps, SevenLinePicturesDrawnInBlackOverTheBackground) {
    installTreeBitmaps();
    treeLinesRelease();
    const TreeLinePictures lines = ATREEBMPS();
    std::set<TreePicture> distinct;
    for (int code = 1; code <= 7; ++code) {
        BITMAP info{};
        ASSERT_TRUE(GetObjectA(reinterpret_cast<HBITMAP>(lines[size_t(code)]), sizeof info, &info)) << code;
        EXPECT_EQ(info.bmWidth, 16);
        EXPECT_EQ(info.bmHeight, 16);
        EXPECT_EQ(info.bmBitsPixel, 1);
        distinct.insert(lines[size_t(code)]);
    }
    EXPECT_EQ(distinct.size(), 7u);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, canvas);
    struct Case {
        int code, x, y;
        COLORREF want;
    };
    const Case cases[] = {
        {3, 8, 0, RGB(0, 0, 0)},       // the upper half of the line
        {3, 8, 14, RGB(0, 128, 0)},    // ends at the branch: the background
        {2, 8, 14, RGB(0, 0, 0)},      // goes on down
        {2, 12, 8, RGB(0, 0, 0)},      // the branch to the right
        {1, 12, 8, RGB(0, 128, 0)},    // no branch
        {4, 8, 6, RGB(0, 0, 0)},       // the plus's upright
        {5, 8, 6, RGB(0, 128, 0)},     // a minus has none: inside the box the background shows
    };
    for (const Case& c : cases) {
        HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
        RECT all{0, 0, 16, 16};
        FillRect(dc, &all, green);
        DeleteObject(green);
        drawTreePicture(dc, lines[size_t(c.code)], 0, 0);
        EXPECT_EQ(GetPixel(dc, c.x, c.y), c.want) << c.code << " at " << c.x << "," << c.y;
    }
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    treeLinesRelease();
}

}  // namespace
