// Tree-view items inserted, read back, selected, checked and hit-tested.
#include "tree_views.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include <string>

#include "control_host.hpp"

namespace {

using namespace wl;

constexpr DWORD kTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;

TEST(TreeViewCalls, InsertReadSelectAndParents) {
    wltest::ControlHost host(WC_TREEVIEWA, kTreeStyle);
    HTREEITEM claims = TVINSERTITEM(host.control, "Claims");
    HTREEITEM first = TVINSERTITEM(host.control, "CLM*1001", claims, 2);
    ASSERT_NE(claims, nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(TVGETTEXT(host.control, first), "CLM*1001");
    EXPECT_EQ(TVGETPARENT(host.control, first), claims);
    EXPECT_EQ(TVGETPARENT(host.control, claims), nullptr);

    EXPECT_EQ(TVGETSELTEXT(host.control), "");
    EXPECT_TRUE(TVSELECT(host.control, first));
    EXPECT_EQ(TVGETSELECTED(host.control), first);
    EXPECT_EQ(TVGETSELTEXT(host.control), "CLM*1001");

    TVSETITEMTEXT(host.control, first, "CLM*2002");
    EXPECT_EQ(TVGETTEXT(host.control, first), "CLM*2002");
    TVSETTEXTIMAGE(host.control, first, "CLM*3003", 5);
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = first;
    SendMessageA(host.control, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 5);
    EXPECT_EQ(item.iSelectedImage, 5);
    EXPECT_EQ(TVGETTEXT(host.control, first), "CLM*3003");
}

TEST(TreeViewCalls, LongTextsAreCutAt99Characters) {
    wltest::ControlHost host(WC_TREEVIEWA, kTreeStyle);
    HTREEITEM item = TVINSERTITEM(host.control, std::string(150, 'A'));
    EXPECT_EQ(TVGETTEXT(host.control, item), std::string(99, 'A'));
}

TEST(TreeViewCalls, DeleteAndDeleteAll) {
    wltest::ControlHost host(WC_TREEVIEWA, kTreeStyle);
    HTREEITEM a = TVINSERTITEM(host.control, "A");
    TVINSERTITEM(host.control, "B");
    EXPECT_TRUE(TVDELETEITEM(host.control, a));
    EXPECT_EQ(SendMessageA(host.control, TVM_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(TVDELALLITEMS(host.control));
    EXPECT_EQ(SendMessageA(host.control, TVM_GETCOUNT, 0, 0), 0);
}

TEST(TreeViewCalls, HitTestFindsTheLabelOnly) {
    wltest::ControlHost host(WC_TREEVIEWA, kTreeStyle);
    HTREEITEM a = TVINSERTITEM(host.control, "Loop 2000A");
    RECT r{};
    std::memcpy(&r, &a, sizeof(HTREEITEM));  // the item goes in, its rectangle comes out
    ASSERT_TRUE(SendMessageA(host.control, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(TVHITTEST(host.control, (r.top + r.bottom) / 2, (r.left + r.right) / 2), a);
    EXPECT_EQ(TVHITTEST(host.control, (r.top + r.bottom) / 2, 200), nullptr);  // right of the label
    EXPECT_EQ(TVHITTEST(host.control, 180, 20), nullptr);                      // below every item
}

TEST(TreeViewCalls, ChecksAndTheDocumentedNoStateImageAnswer) {
    wltest::ControlHost host(WC_TREEVIEWA, kTreeStyle);
    HTREEITEM plain = TVINSERTITEM(host.control, "no check box");
    // Without check boxes the item has no state image: documented as true.
    EXPECT_TRUE(TVGETCHECK(host.control, plain));

    wltest::ControlHost boxes(WC_TREEVIEWA, kTreeStyle | TVS_CHECKBOXES);
    HTREEITEM item = TVINSERTITEM(boxes.control, "checked?");
    TVSETCHECK(boxes.control, item, false);
    EXPECT_FALSE(TVGETCHECK(boxes.control, item));
    TVSETCHECK(boxes.control, item, true);
    EXPECT_TRUE(TVGETCHECK(boxes.control, item));
}

TEST(TreeViewCalls, ColoursAndImageList) {
    wltest::ControlHost host(WC_TREEVIEWA, kTreeStyle);
    TVSETCOLOR(host.control, RGB(0, 0, 128), RGB(255, 255, 224));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(host.control, TVM_GETTEXTCOLOR, 0, 0)), RGB(0, 0, 128));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(host.control, TVM_GETBKCOLOR, 0, 0)), RGB(255, 255, 224));
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 0, 4);
    EXPECT_EQ(TVSETIMAGELIST(host.control, list), nullptr);
    EXPECT_EQ(TVSETIMAGELIST(host.control, nullptr), list);
    ImageList_Destroy(list);
}

TEST(TreeViewCalls, ItemParamOfANotification) {
    NMTREEVIEWA nm{};
    nm.itemOld.lParam = 4242;
    nm.itemNew.lParam = 7;
    EXPECT_EQ(TVITEMPARAM(reinterpret_cast<LPARAM>(&nm)), 4242);
    EXPECT_EQ(TVITEMPARAM(0), 0);
}

}  // namespace
