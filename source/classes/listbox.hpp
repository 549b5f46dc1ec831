// TListBox and TComboBox: system list and combo boxes with the selection
// bound to a value (a number holds the position, a text the item text).
// A list box keeps its items in a ListState and a combo box in a ComboState
// that every change goes through (list_box_model.hpp, combo_box_model.hpp):
// the effects each change answers are applied to the window in one place,
// so `aItems` always equals the window's list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control.hpp"
#include "combo_box_model.hpp"
#include "get.hpp"
#include "item_list.hpp"
#include "list_box_model.hpp"
#include "selection_values.hpp"

namespace wl {

struct ListNew {
    double nRow = 0, nCol = 0;
    SetGet bSetGet;
    std::vector<std::string> aItems;
    int nWidth = 40, nHeight = 40;
    std::function<void(TControl&)> bChange;
    TWindow* oWnd = nullptr;
    std::function<bool(TWindow&)> bValid;
    bool lPixel = false;
    bool lSort = false;
    bool lMultiSelect = false;  // list boxes only: LBS_MULTIPLESEL
    // List boxes only: pictures drawn before the items (owner-drawn), each
    // a file name or a resource name of the program.
    std::vector<std::string> aBitmaps;
    int nComboStyle = CBS_DROPDOWNLIST;  // combo boxes only
};

class TListBox : public TControl {
public:
    std::string ClassName() const override { return "TLISTBOX"; }
    std::string WindowClass() const override { return "LISTBOX"; }

    // The items, read-only: they change through the methods below.
    const ItemList& aItems = state_.items;
    std::vector<HBITMAP> aBitmaps;
    bool lOwnerDraw = false;
    int nBmpHeight = 0, nBmpWidth = 0;
    // Which picture an item shows (1-based item to 1-based picture); none:
    // the item's own position.
    std::function<int(int)> bDrawItem;
    // Files fitting this mask join the items (lower-cased) when shown.
    std::string cFileSpec;

    ~TListBox() override;
    TListBox& New(const ListNew& a);
    TListBox& ReDefine(int id, SetGet setGet, std::vector<std::string> items, TWindow* parent = nullptr);
    void Default() override;
    Answer Change() override;
    void Select(int n);
    int Set(const std::string& text);
    void GoTop() { Select(1); }
    void GoBottom() { Select(aItems.size()); }
    void SetItems(std::vector<std::string> items);
    void Reset();
    void Add(const std::string& text, std::optional<int> pos0 = std::nullopt);
    void Insert(const std::string& text, std::optional<int> n = std::nullopt);
    void Modify(const std::string& text, std::optional<int> n = std::nullopt);
    void Del(std::optional<int> n = std::nullopt);
    void SwapUp();
    void SwapDown();
    int GetPos() const;
    std::string GetSelText() const { return aItems.at(GetPos()); }
    std::string GetItem(int n) const;
    int Len() const;
    // Multiple selection (positions 1-based). In a single-selection box the
    // count is 0, the positions are empty and aSelections holds the one
    // selected text, if any.
    bool IsMultipleSel() const;
    void SetSel(int n, bool on = true);
    // LB_GETSEL of the first item, plus one.
    int GetSel() const;
    int GetSelCount() const;
    std::vector<int> GetSelItems() const;
    void SetSelItems(const std::vector<int>& positions);
    std::vector<std::string> aSelections() const;
    void Initiate(HWND hDlg) override;
    Answer LostFocus(HWND gaining) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    // Owner-drawn items: each picture a file (read when it exists) or a
    // resource of `module` (the program's by default); the first picture's
    // size is the items' size. The old pictures are deleted.
    void SetBitmaps(const std::vector<std::string>& bitmaps, HINSTANCE module = nullptr);
    Answer DrawItem(WPARAM id, LPARAM item) override;
    Answer FillMeasure(LPARAM item) override;

private:
    void freeBitmaps();
    // The state with the selection the user made read back from the window.
    ListState& state();
    // Makes the window match the state: the one place the list changes.
    void apply(const ListEffects& effects);
    ListState state_;
    Value own_ = Value(std::string());
};

class TComboBox : public TControl {
public:
    std::string ClassName() const override { return "TCOMBOBOX"; }
    std::string WindowClass() const override { return "COMBOBOX"; }

    // The items and the selected position, read-only: they change through
    // the methods below, which keep the window's list equal to them.
    const ItemList& aItems = state_.items;
    const int& nAt = state_.sel;
    std::function<void(TComboBox&)> bCloseUp;
    std::function<void(TComboBox&, const std::string&)> bChangeText;
    std::string cSearchKey;
    bool lIncSearch = false, lCaseSensitive = false;
    // The edit part of an editable combo box (none for a drop-down list).
    std::unique_ptr<TGet> oGet;

    TComboBox& New(const ListNew& a);
    TComboBox& ReDefine(int id, SetGet setGet, std::vector<std::string> items, TWindow* parent = nullptr,
                        int style = CBS_DROPDOWNLIST);
    void Default() override;
    void Set(const Value& v);
    void Select(int n);
    Answer Change() override;
    void Reset(bool change = true);
    void SetItems(std::vector<std::string> items, bool change = true);
    void Add(const std::string& text, int pos = 0);
    void Insert(const std::string& text, int pos);
    void Modify(const std::string& text, int pos);
    void Del(int pos);
    int FindString(const std::string& text, int start = 0) const { return aItems.findPrefix(text, start); }
    bool Find(const std::string& text, int start = 0) const { return FindString(text, start) != 0; }
    bool IsOpen() const;
    bool IsClosed() const { return !IsOpen(); }
    // The dropped state: 1 open, 0 closed.
    int State() const { return IsOpen() ? 1 : 0; }
    void Open();
    void Close();
    // The least number of list items shown when it drops down; with visual
    // styles only (0 / false without them).
    int GetMinVisible() const;
    bool SetMinVisible(int n);
    Value VarGet() const;
    bool editable() const;
    void Initiate(HWND hDlg) override;
    Answer LostFocus(HWND gaining) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer GotFocus(HWND lost) override;
    // The drop-down styles colour their edit and list parts with the
    // combo box's colours and brush.
    Answer CtlColor(HWND hCtl, HDC hDC) override;
    // A close-up runs bCloseUp.
    Answer onCommand(ControlCommand code) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    // The edit part's characters: focus keys and completion from the items.
    Answer GetKeyChar(int key);

private:
    // Makes the window match the state: the one place the list changes.
    void apply(const ComboEffects& effects);
    // The selected position the window shows (the user's choice), taken
    // into the state.
    int readSelection();
    void attachEdit();
    // The edit part's text committed when it loses the focus.
    void commitEdit(HWND gaining);
    // Stores the current selection: the position for a numeric value, the
    // item text (or the edit text) otherwise; every path stores the same way.
    void storeSelection();
    int comboStyle_ = CBS_DROPDOWNLIST;
    ComboState state_;
    Value own_ = Value();
};

}  // namespace wl
