#include <gtest/gtest.h>

#include "rect_math.hpp"

namespace {

TEST(RectMath, SizeIsInclusiveAndMovesKeepIt) {
    wl::RectList r{10, 20, 29, 59};
    EXPECT_EQ(wl::rectHeight(r), 20);
    EXPECT_EQ(wl::rectWidth(r), 40);
    wl::moveRectTo(r, 0, 0);
    EXPECT_EQ(r, (wl::RectList{0, 0, 19, 39}));
    wl::moveRectBy(r, 5, -3);
    EXPECT_EQ(r, (wl::RectList{5, -3, 24, 36}));
    wl::setRectHeight(r, 1);
    wl::setRectWidth(r, 100);
    EXPECT_EQ(r, (wl::RectList{5, -3, 5, 96}));
}

TEST(RectMath, WindowsRectangleBytes) {
    wl::RectList r{2, 1, 4, -1};  // top 2, left 1, bottom 4, right -1
    std::string b = wl::rectBytes(r);
    EXPECT_EQ(b, std::string("\1\0\0\0\2\0\0\0\xFF\xFF\xFF\xFF\4\0\0\0", 16));
    EXPECT_EQ(wl::rectFromBytes(b), r);
    EXPECT_EQ(wl::rectFromBytes(std::string("\7\0\0\0", 4)), (wl::RectList{0, 7, 0, 0}));
}

}  // namespace
