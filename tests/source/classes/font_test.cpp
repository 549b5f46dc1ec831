#include "font.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "drawing.hpp"

namespace {

wl::FontSpec courier(bool bold = true) {
    wl::FontSpec s;
    s.cFaceName = "Courier New";
    s.nWidth = 9;
    s.nHeight = 16;
    s.lBold = bold;
    return s;
}

bool pooled(const wl::TFont* f) {
    const auto& pool = wl::GETUSEDFONTS();
    return std::any_of(pool.begin(), pool.end(), [f](const auto& p) { return p.get() == f; });
}

TEST(TFont, SameAttributesShareOneFontUntilTheLastEnd) {
    auto a = wl::TFont::New(courier());
    auto b = wl::TFont::New(courier());
    ASSERT_EQ(a, b);
    EXPECT_EQ(a->nCount, 2);
    EXPECT_FALSE(b->lNew);
    HFONT h = a->hFont;
    ASSERT_NE(h, nullptr);
    a->End();
    EXPECT_EQ(a->hFont, h);
    EXPECT_NE(GetObjectType(h), 0u);
    EXPECT_TRUE(pooled(a.get()));
    b->End();
    EXPECT_EQ(a->hFont, nullptr);
    EXPECT_EQ(a->nCount, 0);
    EXPECT_EQ(GetObjectType(h), 0u);  // deleted
    EXPECT_FALSE(pooled(a.get()));
}

TEST(TFont, BoldMeansWeightSevenHundred) {
    auto s = courier();
    s.nWeight = 400;
    auto f = wl::TFont::New(s);
    EXPECT_EQ(f->nWeight, 700);  // not 400 | 700 = 956
    LOGFONTA lf{};
    GetObjectA(f->hFont, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(wl::GETFONTINFO(f->hFont).bold, true);
    f->End();
}

TEST(TFont, StockFacesAreNeitherPooledNorDeleted) {
    wl::FontSpec s;
    s.cFaceName = "ansi_var_font";
    auto f = wl::TFont::New(s);
    EXPECT_EQ(f->hFont, GetStockObject(ANSI_VAR_FONT));
    EXPECT_FALSE(f->lDestroy);
    EXPECT_FALSE(pooled(f.get()));
    f->End();
    EXPECT_NE(GetObjectType(GetStockObject(ANSI_VAR_FONT)), 0u);
}

TEST(TFont, SizesAndVariants) {
    auto s = courier(false);
    s.nWidth = 0;
    s.nHeight = -16;
    auto f = wl::TFont::New(s);
    EXPECT_EQ(f->nHeight(), 16);
    EXPECT_EQ(f->nWidth(), static_cast<int>(0.44 * 16));
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (ppi == 96) {
        EXPECT_DOUBLE_EQ(f->nSize(), 12.0);
    }
    auto bold = f->Bold();
    EXPECT_NE(bold, f);
    EXPECT_TRUE(bold->lBold);
    EXPECT_EQ(bold->nInpHeight, -16);
    auto rotated = f->Rotate(-900);
    EXPECT_EQ(rotated->nEscapement, 2700);
    EXPECT_EQ(f->cGenPrg("oFont"), "   DEFINE FONT oFont NAME 'Courier New' SIZE 0,-16");
    rotated->End();
    bold->End();
    f->End();
}

TEST(TFont, SystahomaBecomesTahomaWithAtLeastTwelve) {
    wl::FontSpec s;
    s.cFaceName = "SYSTAHOMA";
    s.nHeight = -8;
    auto f = wl::TFont::New(s);
    EXPECT_EQ(f->cFaceName, "TAHOMA");
    EXPECT_EQ(f->nInpHeight, -12);
    f->End();
}

}  // namespace
