#include "cursor.hpp"

#include <gtest/gtest.h>

#include "bitmap.hpp"
#include "bitmaps.hpp"
#include "test_support.hpp"

namespace {

TEST(TCursor, PredefinedNamesExactBeforePrefix) {
    auto ns = wl::TCursor::New("", "sizens");
    EXPECT_EQ(ns->hCursor, LoadCursorA(nullptr, IDC_SIZENS));
    EXPECT_TRUE(ns->lPredef);
    auto move = wl::TCursor::New("", "SIZE");
    EXPECT_EQ(move->hCursor, LoadCursorA(nullptr, IDC_SIZEALL));
    auto stop = wl::TCursor::New("", "stop");
    EXPECT_EQ(stop->hCursor, wl::GETCURSORSTOP());
    stop->End();
    EXPECT_NE(wl::GETCURSORSTOP(), nullptr);  // predefined: never destroyed
}

TEST(TCursor, UnknownPredefinedNameIsReported) {
    zrtest::PromptRecorder rec;
    auto c = wl::TCursor::New("", "teapot");
    EXPECT_EQ(c->hCursor, nullptr);
    ASSERT_EQ(rec.texts().size(), 1u);
    EXPECT_NE(rec.texts()[0].find("Wrong predefined cursor type!"), std::string::npos);
}

TEST(TCursor, FromABitmapObjectWithItsHotSpot) {
    wl::TBitmap pic;
    pic.Define({}, {}, nullptr, wl::bitmapFromPixels(wl::PixelImage(32, 32, wl::makePixel(0, 0, 0))));
    wl::BmpCursorColors colours;
    colours.black = {RGB(0, 0, 0)};
    auto c = wl::TCursor::NewBmp(pic, 3, 5, false, colours);
    ASSERT_NE(c->hCursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(c->hCursor, &info));
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 3u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

}  // namespace
