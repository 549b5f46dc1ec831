// List-view items: the insertion answers the new index, search, selection
// and groups (accepted as a flat list where the system has no groups).
#include "list_views.hpp"

#include <gtest/gtest.h>

#include <string>

#include "control_host.hpp"

namespace {

using namespace wl;

std::string itemText(HWND list, int n) {
    char buffer[128] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

TEST(ListViewCalls, InsertionAnswersTheNewIndex) {
    wltest::ControlHost host(WC_LISTVIEWA, LVS_ICON);
    // The last-error value would be 0 for each; the index grows.
    SetLastError(0);
    EXPECT_EQ(LVINSERTITEM(host.control, 0, "Page 1", 0), 0);
    EXPECT_EQ(LVINSERTINLIST(host.control, 1, "Page 2", 0), 1);
    EXPECT_EQ(LVINSERTITEMINDEX(host.control, 2, "Page 3", 0), 2);
    EXPECT_EQ(SendMessageA(host.control, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(itemText(host.control, 2), "Page 3");
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    SendMessageA(host.control, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 1);
}

TEST(ListViewCalls, FindByPrefixAndSelectOne) {
    wltest::ControlHost host(WC_LISTVIEWA, LVS_ICON);
    for (const char* s : {"Alpha", "Beta", "Betamax"}) LVINSERTITEM(host.control, 0, s, 0);
    EXPECT_EQ(LVFINDITEM(host.control, "Bet"), 1);
    EXPECT_EQ(LVFINDITEM(host.control, "Betam"), 2);
    EXPECT_EQ(LVFINDITEM(host.control, "Gamma"), -1);

    LVSETITEMSELECT(host.control, 0);
    LVSETITEMSELECT(host.control, 2);
    EXPECT_EQ(SendMessageA(host.control, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(host.control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
    EXPECT_EQ(SendMessageA(host.control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
}

TEST(ListViewCalls, GroupsLeaveTheItemsInPlace) {
    wltest::ControlHost host(WC_LISTVIEWA, LVS_ICON);
    LVENABLEGROUPVIEW(host.control);
    LVINSERTGROUP(host.control, "default", 0);
    const int inserted = LVINSERTGROUPINLIST(host.control, 1, "Claims", 1);
    EXPECT_GE(inserted, -1);  // -1 where the system keeps a flat list
    EXPECT_EQ(LVINSERTITEM(host.control, 0, "CLM 1", 1), 0);
    EXPECT_EQ(LVSETGROUP(host.control, 0, 0), 0);
    EXPECT_EQ(LVGROUPSETSTATE(host.control, 1, 2), 2);
    EXPECT_EQ(itemText(host.control, 0), "CLM 1");
}

}  // namespace
