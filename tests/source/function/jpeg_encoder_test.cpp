#include "jpeg_encoder.hpp"

#include <gtest/gtest.h>

#include "pdf_writer.hpp"

namespace {

TEST(EncodeJpeg, WritesABaselineJpegOfThePictureSize) {
    wl::PixelImage page(40, 30, wl::makePixel(255, 255, 255));
    for (int x = 0; x < 40; ++x) page.at(x, 10) = wl::makePixel(0, 0, 0);
    const std::string jpeg = wl::encodeJpeg(page);
    ASSERT_GT(jpeg.size(), 100u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    // The PDF writer finds its size in the baseline frame header.
    const wl::JpegSize size = wl::jpegSize(jpeg);
    EXPECT_EQ(size.width, 40);
    EXPECT_EQ(size.height, 30);
    EXPECT_EQ(wl::encodeJpeg(wl::PixelImage()), "");
}

}  // namespace
