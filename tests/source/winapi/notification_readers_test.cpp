#include "notification_readers.hpp"

#include <gtest/gtest.h>

#include "help_keys.hpp"

namespace {

// The records are read through their real layouts, so the same readers
// work where handles are 8 bytes wide.
TEST(NotificationReaders, ReadTheFieldsOfEachRecord) {
    NMTREEVIEWA tv{};
    tv.hdr.hwndFrom = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x123456789));
    tv.hdr.idFrom = 42;
    tv.hdr.code = TVN_SELCHANGEDA;
    tv.action = TVC_BYMOUSE;
    tv.itemNew.hItem = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(0x5555));
    auto p = reinterpret_cast<LPARAM>(&tv);
    EXPECT_EQ(wl::GETNMHDRHWNDFROM(p), tv.hdr.hwndFrom);
    EXPECT_EQ(wl::GETNMHDRIDFROM(p), 42u);
    EXPECT_EQ(wl::GETNMHDRCODE(p), -402);
    EXPECT_EQ(wl::NMTREEVIEWACTION(p), static_cast<UINT>(TVC_BYMOUSE));
    EXPECT_EQ(wl::NMTREEVIEWITEMNEW(p), tv.itemNew.hItem);

    NMLISTVIEW lv{};
    lv.iItem = 17;
    EXPECT_EQ(wl::GETNMLISTVIEWITEM(reinterpret_cast<LPARAM>(&lv)), 17);

    HELPINFO hi{};
    hi.cbSize = sizeof hi;
    hi.hItemHandle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x777));
    EXPECT_EQ(wl::HELPCTRLHWND(reinterpret_cast<LPARAM>(&hi)), hi.hItemHandle);
}

TEST(NotificationReaders, ZeroAddressReadsZero) {
    EXPECT_EQ(wl::GETNMHDRHWNDFROM(0), nullptr);
    EXPECT_EQ(wl::GETNMHDRCODE(0), 0);
    EXPECT_EQ(wl::NMTREEVIEWITEMNEW(0), nullptr);
    EXPECT_EQ(wl::GETNMLISTVIEWITEM(0), 0);
    EXPECT_EQ(wl::HELPCTRLHWND(0), nullptr);
}

}  // namespace
