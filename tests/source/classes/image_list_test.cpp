// TImageList over the common control's image list.
#include "image_list.hpp"

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "test_support.hpp"

namespace {

std::shared_ptr<wl::TBitmap> strip(int images, std::uint32_t colour) {
    auto b = std::make_shared<wl::TBitmap>();
    b->Define({}, {}, nullptr, wl::bitmapFromPixels(wl::PixelImage(16 * images, 16, colour)));
    return b;
}

TEST(ImageListTest, DefaultSizeAddsKeepsBitmapsAndReadsAStrip) {
    wl::TImageList list;
    int w = 0, h = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list.hImageList, &w, &h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);

    auto one = strip(1, wl::makePixel(255, 0, 0));
    EXPECT_EQ(list.Add(one), 0);
    auto masked = strip(2, wl::makePixel(255, 0, 255));
    HBITMAP before = masked->hBitmap;
    EXPECT_EQ(list.AddMasked(masked, RGB(255, 0, 255)), 1);
    EXPECT_EQ(masked->hBitmap, before);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.aBitmaps.size(), 2u);
    EXPECT_EQ(list.AddIcon(LoadIconA(nullptr, IDI_APPLICATION)), 3);

    zrtest::TempDir dir;
    HBITMAP three = wl::bitmapFromPixels(wl::PixelImage(48, 16, wl::makePixel(0, 0, 255)));
    HGLOBAL dib = wl::DIBFROMBITMAP(three);
    const std::string file = dir.file("strip.bmp");
    ASSERT_TRUE(wl::DIBWRITE(file, dib));
    GlobalFree(dib);
    DeleteObject(three);
    EXPECT_FALSE(list.ReadBitmap(dir.file("none.bmp")));
    EXPECT_EQ(list.Count(), 4);
    ASSERT_TRUE(list.ReadBitmap(file));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.aBitmaps.empty());
    list.End();
    EXPECT_EQ(list.hImageList, nullptr);
}

}  // namespace
