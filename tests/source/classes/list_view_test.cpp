// List views: the default items, items and groups created on the control,
// and the selection and click notifications reaching the actions.
#include "list_view.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "parent_window.hpp"

namespace {

using namespace wl;

struct List {
    wltest::Parent p{300, 400};
    TListView lv;
    std::vector<int> actions;
    List() {
        ListViewNew n;
        n.oWnd = &p.w;
        n.lPixel = true;
        n.nWidth = 380;
        n.nHeight = 200;
        n.bAction = [this](int option, TListView&) { actions.push_back(option); };
        lv.New(n);
    }
};

TEST(ListView, DefaultPromptsBecomeItems) {
    List l;
    ASSERT_NE(l.lv.hWnd, nullptr);
    EXPECT_EQ(SendMessageA(l.lv.hWnd, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(l.lv.FindItem("T&h"), 2);
    EXPECT_EQ(l.lv.nOption, 1);
    EXPECT_EQ(l.lv.nGroups, 1);  // "default"
    EXPECT_EQ(l.lv.InsertItem(0, "Page 4"), 3);
    EXPECT_EQ(l.lv.InsertGroup("Claims"), 1);
}

TEST(ListView, CreatedItemsJoinAndLeaveTheList) {
    List l;
    EXPECT_EQ(l.lv.GetItem(1), nullptr);
    {
        TListViewItem item;
        item.cText = "Page 4";
        ASSERT_TRUE(item.Create(&l.lv));
        EXPECT_EQ(item.nItem, 3);
        EXPECT_EQ(l.lv.GetItem(1), &item);
        EXPECT_EQ(l.lv.GetItem(2), nullptr);
    }
    EXPECT_EQ(l.lv.GetItem(1), nullptr);
    TListViewGroup group;
    group.cHeader = "Remittances";
    // The system may keep a flat list (no groups): then the group is not kept.
    if (group.Create(&l.lv)) {
        EXPECT_EQ(group.nGroupId.value_or(-1), 2);
        EXPECT_EQ(l.lv.aGroups.size(), 1u);
        group.SetState(1);
        EXPECT_EQ(group.nState, 1);
    } else {
        EXPECT_TRUE(l.lv.aGroups.empty());
    }
}

TEST(ListView, SelectionChangeRunsTheActionOnlyForAnotherItem) {
    List l;
    l.lv.SetItemSelect(1);
    ASSERT_EQ(l.actions, (std::vector<int>{2}));
    EXPECT_EQ(l.lv.nOption, 2);
    l.lv.SetItemSelect(1);  // the same item again: nothing new
    EXPECT_EQ(l.actions, (std::vector<int>{2}));
    l.lv.SetItemSelect(0);  // the first item differs from the current one
    EXPECT_EQ(l.actions, (std::vector<int>{2, 1}));
}

TEST(ListView, ClickRunsTheClickActionWithTheItem) {
    List l;
    std::vector<int> clicks;
    NMITEMACTIVATE nm{};
    nm.hdr.hwndFrom = l.lv.hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(l.lv.nId);
    nm.hdr.code = NM_CLICK;
    nm.iItem = 2;
    // Without a click action nothing changes.
    SendMessageA(l.p.w.hWnd, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(l.lv.nOption, 1);
    l.lv.bClick = [&](int option, TListView&) { clicks.push_back(option); };
    SendMessageA(l.p.w.hWnd, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(clicks, (std::vector<int>{3}));
    EXPECT_EQ(l.lv.nOption, 3);
}

TEST(ListView, ImageListIsSetAndReturned) {
    List l;
    HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR24, 0, 4);
    EXPECT_EQ(l.lv.SetImageList(images), nullptr);
    EXPECT_EQ(l.lv.SetImageList(nullptr), images);
    ImageList_Destroy(images);
}

}  // namespace
