// TListView: the system list-view control as a row of icons with captions,
// with item and group records (TListViewItem, TListViewGroup).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control.hpp"

namespace wl {

class TListView;

class TListViewItem {
public:
    TListView* oParent = nullptr;
    std::string cText, cToolTip;
    int nImage = 0, nGroup = 0, nIndent = 0;
    bool lChecked = false;
    int nItem = 0;  // its index in the control
    Value Cargo;

    ~TListViewItem() { Destroy(); }
    TListViewItem& New(TListView* parent);
    // Inserts the item; on success it takes its index and joins the parent's
    // items. False when the control refuses it.
    bool Create(TListView* parent);
    // Leaves the parent.
    void Destroy();
};

class TListViewGroup {
public:
    std::string cHeader;
    int nState = 0;
    std::optional<int> nGroupId;
    TListView* oParent = nullptr;

    ~TListViewGroup() { Destroy(); }
    // Numbers the group (the parent's group count + 1 without an id) and
    // inserts it; on success it joins the parent's groups.
    bool Create(TListView* parent);
    void SetState(int state);
    void Destroy();
};

using ListViewAction = std::function<void(int, TListView&)>;

struct ListViewNew {
    double nRow = 0, nCol = 0;
    std::vector<std::string> aPrompts{"&One", "&Two", "T&hree"};
    ListViewAction bAction;
    TWindow* oWnd = nullptr;
    std::optional<Color> nClrFore, nClrBack;  // the parent's text, COLOR_BTNFACE
    bool lPixel = false, lDesign = false;
    int nWidth = 200, nHeight = 21;
    std::string cMsg;
};

class TListView : public TControl {
public:
    std::string ClassName() const override { return "TLISTVIEW"; }
    std::string WindowClass() const override { return "SysListView32"; }
    double rowPixels() const override { return 15; }
    double colPixels() const override { return 6; }

    std::vector<std::string> aPrompts;
    std::vector<TListViewItem*> aItems;    // the items created on it (not owned)
    std::vector<TListViewGroup*> aGroups;  // likewise
    int nGroups = 0;
    ListViewAction bAction, bClick;
    int nOption = 1;  // the current item, from 1

    ~TListView() override;
    TListView& New(const ListViewNew& a = {});
    TListView& ReDefine(int id, TWindow* parent = nullptr, ListViewAction action = nullptr);
    // The group "default", then one item per prompt (image = position - 1).
    void Default() override;
    void Initiate(HWND hDlg) override;
    // The new item's index, -1 when refused.
    int InsertItem(int image, const std::string& text, int group = 0);
    // Groups are numbered from 0 in insertion order.
    int InsertGroup(const std::string& header);
    Answer Notify(WPARAM id, LPARAM header) override;
    HIMAGELIST SetImageList(HIMAGELIST list, int type = LVSIL_NORMAL);
    void SetIconSpacing(int x, int y);
    void SetHotItem(int n);
    void EnableGroupView();
    int FindItem(const std::string& text) const;
    void SetItemSelect(int n);
    // Item n (from 1) of aItems; nullptr outside 1..count.
    TListViewItem* GetItem(int n) const;
    Answer HScroll(WPARAM, LPARAM) override { return std::nullopt; }
    Answer VScroll(WPARAM, LPARAM) override { return std::nullopt; }

private:
    void setFont();
};

}  // namespace wl
