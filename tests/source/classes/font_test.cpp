#include "font.hpp"
#include "dialog_waiter.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

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

TEST(TFont, TheLastEndThroughThePoolsOnlyReferenceDeletesOnce) {
    // The caller kept no reference: End must finish its work before the
    // pool lets the object go.
    wl::TFont* raw = nullptr;
    HFONT h = nullptr;
    {
        auto spec = courier(false);
        spec.nHeight = 23;  // a font no other test asks for
        auto f = wl::TFont::New(spec);
        raw = f.get();
        h = f->hFont;
    }
    ASSERT_NE(GetObjectType(h), 0u);
    raw->End();
    EXPECT_EQ(GetObjectType(h), 0u);
    EXPECT_FALSE(pooled(raw));
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

namespace {

using zrtest::whenShown;

wl::FontSpec tahoma() {
    wl::FontSpec s;
    s.cFaceName = "Tahoma";
    s.nHeight = -13;
    return s;
}

TEST(TFont, ChooseCancelledKeepsTheFont) {
    auto f = wl::TFont::New(tahoma());
    const int users = f->nCount;
    auto t = whenShown("Font", [](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    wl::Color color = RGB(1, 2, 3);
    auto chosen = f->Choose(f, &color);
    t.join();
    EXPECT_EQ(chosen, f);
    EXPECT_EQ(f->nCount, users);
    EXPECT_EQ(color, RGB(1, 2, 3));
    f->End();
}

TEST(TFont, ChosenFontReplacesTheCurrentOne) {
    wl::FontSpec s = tahoma();
    s.lItalic = true;
    auto f = wl::TFont::New(s);
    auto t = whenShown("Font", [](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    auto chosen = f->Choose(f);
    t.join();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->cFaceName, "Tahoma");
    EXPECT_TRUE(chosen->lItalic);
    EXPECT_FALSE(chosen->lBold);  // weight 400 is not bold
    EXPECT_NE(chosen->hFont, nullptr);
    if (chosen != f) {
        EXPECT_EQ(f->hFont, nullptr);  // the old one was ended
    }
    chosen->End();
}

TEST(TFont, TextFormBuildsTheSameFont) {
    wl::FontSpec s = courier();
    s.lUnderline = true;
    s.nEscapement = 900;
    s.nPitchFamily = 49;
    auto f = wl::TFont::New(s);
    const std::string text = wl::FONTTOTEXT(*f);
    EXPECT_EQ(text, "\"Courier New\", 9, 16, .F., .T., 900, 0, 700, .F., .T., .F., 0, 0, 0, 0, , 49");
    auto back = wl::FONTFROMTEXT(text);
    EXPECT_EQ(back, f);  // the pooled font itself
    EXPECT_EQ(f->nCount, 2);
    back->End();
    f->End();

    auto comma = wl::FONTFROMTEXT("\"A, B\", 0, 14, .F., .F., 0, 0, 0, .F., .F., .F., 0, 0, 0, 0, , 0");
    ASSERT_NE(comma, nullptr);
    EXPECT_EQ(comma->cFaceName, "A, B");
    comma->End();
    EXPECT_EQ(wl::FONTFROMTEXT("\"Arial\", 9"), nullptr);
    EXPECT_EQ(wl::FONTFROMTEXT("\"Arial\", x, 14, .F., .F., 0, 0, 0, .F., .F., .F., 0, 0, 0, 0, , 0"), nullptr);
}

}  // namespace
