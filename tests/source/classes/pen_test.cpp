#include "pen.hpp"

#include <gtest/gtest.h>

namespace {

TEST(TPen, OwnsOnePenWithItsAttributes) {
    HPEN h = nullptr;
    {
        wl::TPen pen(PS_DASH, 1, wl::NRGB(1, 2, 3));
        h = pen.hPen;
        LOGPEN lp{};
        ASSERT_TRUE(GetObjectA(h, sizeof lp, &lp));
        EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
        EXPECT_EQ(lp.lopnColor, wl::NRGB(1, 2, 3));
    }
    EXPECT_EQ(GetObjectType(h), 0u);  // deleted with the object
    wl::TPen thin;
    EXPECT_EQ(thin.nWidth, 1);
    EXPECT_EQ(thin.nColor, 0u);
}

}  // namespace
