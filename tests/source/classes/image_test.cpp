// TImage without the FreeImage library (it has no Windows build here): the
// missing library is reported once, other pictures stay empty, and ".bmp"
// and PNG files still load.
#include "image.hpp"

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "test_support.hpp"

namespace {

TEST(ImageTest, MissingFreeImageIsReportedOnceAndBmpStillLoads) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;
    const std::string jpg = dir.write("photo.jpg", std::string("\xFF\xD8\xFF\xE0 not really", 15));

    wl::TImage image;
    EXPECT_FALSE(image.LoadImage({}, jpg));
    EXPECT_EQ(image.hBitmap, nullptr);
    EXPECT_FALSE(image.LoadImage({}, jpg));
    EXPECT_FALSE(image.LoadFromMemory("\x89PNG"));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Cannot load FreeImage.dll"}));
    EXPECT_EQ(wl::LOADFREEIMAGE(), nullptr);

    wl::PixelImage px(2, 2, wl::makePixel(0, 128, 0));
    HBITMAP bmp = wl::bitmapFromPixels(px);
    HGLOBAL dib = wl::DIBFROMBITMAP(bmp);
    const std::string file = dir.file("green.BMP");
    ASSERT_TRUE(wl::DIBWRITE(file, dib));
    GlobalFree(dib);
    int format = -1;
    HBITMAP read = wl::FILOADIMG(file, format);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(format, 0);
    DeleteObject(read);
    EXPECT_TRUE(image.LoadImage({}, file));
    EXPECT_EQ(image.nWidth(), 2);
    EXPECT_FALSE(image.SaveImage(dir.file("out.jpg"), 2));

    const std::string png = dir.file("green.png");
    wl::SAVEBMPASPNG(bmp, png);
    DeleteObject(bmp);
    EXPECT_TRUE(image.LoadImage({}, png));
    EXPECT_EQ(prompts.texts().size(), 1u);
}

}  // namespace
