// TTreeView: the system tree-view control with a tree of TTVItem objects,
// one per node, each holding its node's handle. The nodes' structure is
// kept in one TreeState (tree_view_model.hpp): every node added enters it,
// and every deletion the control reports (TVN_DELETEITEM, whoever sent the
// TVM_DELETEITEM) goes through it and drops the objects of the removed
// branch, so every object stands for a live node.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control.hpp"
#include "tree_view_model.hpp"

namespace wl {

class TTreeView;
class TMenu;

class TTVItem {
public:
    TTVItem* oParent = nullptr;
    HTREEITEM hItem = nullptr;
    TTreeView* oTree = nullptr;
    std::vector<std::unique_ptr<TTVItem>> aItems;
    std::string cPrompt;
    int nImage = 0;
    Value Cargo;

    TTVItem& New(HTREEITEM handle, TTreeView* tree, Value cargo = {}, const std::string& prompt = {}, int image = 0,
                 TTVItem* parent = nullptr);
    // A child node under this one, and its item.
    TTVItem& Add(const std::string& prompt, int image = 0, Value cargo = {});
    void DeleteBranches();
    void Expand();
    void Collapse();
    void Toggle();
    void MakeVisible();
    UINT GetState() const;
    bool IsExpanded() const { return GetState() & TVIS_EXPANDED; }
    bool IsSelected() const { return GetState() & TVIS_SELECTED; }
    TTVItem* GetParent() const;
    int ItemLevel() const;
    std::string GetText() const;
    void SetText(const std::string& text);
    // Shows cPrompt and nImage.
    void Set();
    bool GetCheck();
    void SetCheck(bool on);
    // Deletes the node and its children from the control and this object
    // from its parent's aItems (or the tree's): the object is destroyed, so
    // no reference to it may be used afterwards.
    void End();

private:
    HWND tree() const;
};

struct TreeViewNew {
    double nRow = 0, nCol = 0;
    TWindow* oWnd = nullptr;
    std::optional<Color> nClrFore, nClrBack;  // the parent's text, the system window colour
    bool lPixel = false, lDesign = false;
    int nWidth = 150, nHeight = 150;
    std::string cMsg;
    bool lCheckBoxes = false;
    std::function<void(TTreeView&)> bChange;
};

class TTreeView : public TControl {
public:
    std::string ClassName() const override { return "TTREEVIEW"; }
    std::string WindowClass() const override { return "SysTreeView32"; }
    double rowPixels() const override { return 15; }
    double colPixels() const override { return 6; }

    std::vector<std::unique_ptr<TTVItem>> aItems;
    HIMAGELIST oImageList = nullptr;
    std::function<void(TTreeView&)> bChanged;
    std::function<void(HTREEITEM)> bExpanded;

    TTreeView& New(const TreeViewNew& a = {});
    TTreeView& ReDefine(int id, TWindow* parent = nullptr, std::optional<Color> fore = std::nullopt,
                        std::optional<Color> back = std::nullopt);

    TTVItem& Add(const std::string& prompt, int image = 0, std::optional<int> selectedImage = std::nullopt);
    void SetItems(const std::vector<std::string>& prompts);
    TTVItem* GetSelected() const;
    // Depth first: an item's children are searched before the item.
    TTVItem* GetItem(HTREEITEM handle) const;
    TTVItem* HitTest(int row, int col) const;
    void Select(const TTVItem& item);
    void GoTop();
    std::string GetSelText() const;
    void Expand();
    void Toggle();
    void ExpandAll();
    void CollapseAll();
    void ToggleAll();
    // The item (default: the selected one) and its descendants.
    void ExpandBranch(TTVItem* item = nullptr);
    void CollapseBranch(TTVItem* item = nullptr);
    void ToggleBranch(TTVItem* item = nullptr);
    bool GetCheck(TTVItem* item = nullptr) const;
    void SetCheck(TTVItem* item, bool on);
    void SetImageList(HIMAGELIST list);
    void DeleteAll();
    Answer SelChanged() override;
    Answer Notify(WPARAM id, LPARAM header) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    using TWindow::SetColor;
    void SetColor(Color text, Color back);
    void Initiate(HWND hDlg) override;
    // A menu (pop-up or bar) of the node texts, a node with children a
    // submenu; nothing for an empty tree.
    std::shared_ptr<TMenu> GenMenu(bool popup = true) const;
    // The nodes rebuilt from a menu's prompts, submenus as children.
    void LoadFromMenu(const TMenu& menu);
    Answer VScroll(WPARAM, LPARAM) override { return std::nullopt; }
    Answer HScroll(WPARAM, LPARAM) override { return std::nullopt; }

private:
    friend class TTVItem;
    void forEach(const std::function<void(TTVItem&)>& fn);
    void applyColors();
    // A node the control made, entered under its parent (null: the top).
    void enter(HTREEITEM handle, HTREEITEM parent, const std::string& prompt, int image);
    // The control deleted the node: its branch leaves the state and its
    // objects go. Nothing for a node already gone.
    void forget(HTREEITEM handle);
    // The object leaves its parent's list (or the tree's) and is destroyed
    // with its children's.
    void drop(TTVItem* item);
    TreeState state_;
};

}  // namespace wl
