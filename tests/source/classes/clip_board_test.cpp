// The clipboard class under Wine: text, bitmap and metafile round trips.
#include "clip_board.hpp"

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "parent_window.hpp"

namespace {

TEST(ClipBoardTest, TextRoundTripAndEmptyClipboard) {
    wltest::Parent p;
    wl::TClipBoard clip(CF_TEXT, &p.w);
    clip.Clear();
    EXPECT_TRUE(clip.IsEmpty());
    EXPECT_EQ(clip.GetText(), "");

    EXPECT_TRUE(clip.SetText("ISA*00*~ claim text"));
    EXPECT_FALSE(clip.IsEmpty());
    EXPECT_EQ(clip.GetText(), "ISA*00*~ claim text");
    EXPECT_EQ(clip.GetData().text(), "ISA*00*~ claim text");
    EXPECT_TRUE(clip.SetData(wl::Value("second")));
    EXPECT_EQ(clip.GetText(), "second");
}

TEST(ClipBoardTest, BitmapRoundTripKeepsThePixels) {
    wltest::Parent p;
    wl::PixelImage img(3, 2);
    for (int i = 0; i < 6; ++i) img.pixels[static_cast<std::size_t>(i)] = wl::makePixel(255 - i, 200, 10 * i, 255);
    HBITMAP bmp = wl::bitmapFromPixels(img);
    ASSERT_NE(bmp, nullptr);
    wl::TClipBoard clip(CF_BITMAP, &p.w);
    EXPECT_TRUE(clip.SetBitmap(bmp));
    EXPECT_FALSE(clip.IsEmpty());
    HBITMAP back = clip.GetBitmap();
    ASSERT_NE(back, nullptr);
    auto a = wl::bitmapPixels(bmp), b = wl::bitmapPixels(back);
    ASSERT_TRUE(a && b);
    ASSERT_EQ(b->width, 3);
    ASSERT_EQ(b->height, 2);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(a->pixels[i] & 0xFFFFFF, b->pixels[i] & 0xFFFFFF) << i;
    DeleteObject(back);
    DeleteObject(bmp);
}

TEST(ClipBoardTest, MetafileRoundTrip) {
    wltest::Parent p;
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 0, 0, 40, 30);
    HENHMETAFILE meta = CloseEnhMetaFile(dc);
    ASSERT_NE(meta, nullptr);
    wl::TClipBoard clip(CF_ENHMETAFILE, &p.w);
    EXPECT_TRUE(clip.SetMetaFile(meta));
    EXPECT_FALSE(clip.IsEmpty());
    HENHMETAFILE back = clip.GetMetaFile();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(GetEnhMetaFileBits(back, 0, nullptr), GetEnhMetaFileBits(meta, 0, nullptr));
    DeleteEnhMetaFile(back);
    DeleteEnhMetaFile(meta);
}

}  // namespace
