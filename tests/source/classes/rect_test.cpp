#include <gtest/gtest.h>

#include <cstring>

#include "rect.hpp"

namespace {

TEST(TRect, SizeMovesAndEdges) {
    wl::TRect r(10, 20, 29, 59);
    EXPECT_EQ(r.nHeight(), 20);
    EXPECT_EQ(r.nWidth(), 40);
    r.MoveTo(0, 0);
    EXPECT_EQ(r, wl::TRect(0, 0, 19, 39));
    r.MoveBy(1, 2);
    EXPECT_EQ(r, wl::TRect(1, 2, 20, 41));
    r._nHeight(5);
    r._nWidth(6);
    EXPECT_EQ(r, wl::TRect(1, 2, 5, 7));
    r[4] = 70;  // edges counted from 1: top, left, bottom, right
    EXPECT_EQ(r.nRight(), 70);
    EXPECT_EQ(r[1], 1);
    EXPECT_THROW(r[5], std::out_of_range);
    wl::RectList list{1, 2, 3, 4};
    wl::TRect copy(list);
    list[0] = 99;  // the list is copied
    EXPECT_EQ(copy.nTop(), 1);
}

TEST(TRect, WindowsRectangleBytes) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 30, 40, 120, 80, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    RECT client{};
    ASSERT_TRUE(GetClientRect(w, &client));
    DestroyWindow(w);

    wl::TRect r(client);
    EXPECT_EQ(r, wl::TRect(0, 0, 80, 120));
    std::string bytes = r.cRect();
    ASSERT_EQ(bytes.size(), sizeof(RECT));
    EXPECT_EQ(std::memcmp(bytes.data(), &client, sizeof client), 0);
    wl::TRect back;
    back._cRect(bytes);
    EXPECT_EQ(back, r);
    RECT again = back.toRECT();
    EXPECT_EQ(std::memcmp(&again, &client, sizeof client), 0);
}

}  // namespace
