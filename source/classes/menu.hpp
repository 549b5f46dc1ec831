// Menus, menu items and accelerator tables. A TMenu owns one Windows menu
// handle and its TMenuItem objects; a submenu hangs from the item that opens
// it. Menus are built by nesting MENUBEGIN / MENUADDITEM / MENUEND, from a
// menu resource (ReDefine) or over a window's system menu (NewSys).
// Keyboard shortcuts declared on items are collected into a TAccTable that
// becomes current when the menu's window is active.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "action.hpp"
#include "value.hpp"

namespace wl {

class TWindow;
class TMenu;
class TMenuItem;

// One accelerator: virtual key, modifier flags (FSHIFT, FCONTROL, FALT;
// FVIRTKEY is added when the table is built) and command id.
struct AccItem {
    int nKey = 0;
    int nFlags = 0;
    int nId = 0;
};

class TAccTable {
public:
    static std::shared_ptr<TAccTable> New() { return std::make_shared<TAccTable>(); }
    ~TAccTable() { End(); }

    // Replaces the entry with the same key and flags, else appends.
    void Add(int key, int flags, int id);
    void Del(int key, int flags);
    // Builds the table (again when its items changed) and makes it the
    // library's current one, translating keys for `target` (the main window
    // when none).
    void Activate(HWND target = nullptr);
    // Destroys this table's handle; the current table is cleared only when
    // it is this one, so another window's table is never destroyed.
    void DeActivate();
    void End() { DeActivate(); }
    bool isCurrent() const;

    HACCEL nHandle = nullptr;
    std::vector<AccItem> aItems;

private:
    bool dirty_ = true;
};

// The arguments of TMenuItem::New and MENUADDITEM; an empty caption
// without a bitmap makes a separator.
struct MenuItemNew {
    std::string cPrompt;
    std::string cMsg;
    bool lChecked = false;
    bool lActive = true;
    Action<TMenuItem&> bAction;
    std::string cBmpFile;
    std::string cResName;
    int nVKState = 0;
    int nVirtKey = 0;
    bool lHelp = false;
    std::optional<int> nHelpId;
    // Evaluated with the item: false greys it, true enables it, nothing
    // leaves it as it is.
    std::function<std::optional<bool>(TMenuItem&)> bWhen;
    bool lBreak = false;
};

// The changes TMenuItem::ReDefine applies to an item of a menu (from a
// resource): only the fields given.
struct MenuItemReDefine {
    std::string cPrompt;  // empty: unchanged
    std::optional<std::string> cMsg;
    std::optional<bool> lChecked, lActive;
    Action<TMenuItem&> bAction;
    std::string cBmpFile, cResName;
    int nVKState = 0, nVirtKey = 0;
    std::optional<int> nHelpId;
    std::function<std::optional<bool>(TMenuItem&)> bWhen;
};

class TMenuItem {
public:
    // Takes a new command id and loads the bitmap.
    static std::shared_ptr<TMenuItem> New(const MenuItemNew& a = {});
    // The item with that id in the menu (its submenus searched too), changed
    // as given; nullptr when there is none.
    static TMenuItem* ReDefine(TMenu& menu, UINT_PTR id, const MenuItemReDefine& a);
    ~TMenuItem() { End(); }
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    std::string cPrompt, cMsg, cVarName, cWebAction;
    unsigned nId = 0;
    std::optional<int> nHelpId;
    Action<TMenuItem&> bAction;
    std::shared_ptr<TMenu> oSubMenu;  // the item opens this submenu
    std::function<std::optional<bool>(TMenuItem&)> bWhen;
    bool lActive = true, lBreak = false, lChecked = false, lHelp = false;
    TMenu* oMenu = nullptr;
    HBITMAP hBitmap = nullptr;
    int nVKState = 0, nVirtKey = 0;
    Value Cargo;
    std::function<void(TMenuItem&)> OnActivate;
    std::function<void(TWindow*, TMenuItem&)> OnClick;

    bool isSeparator() const { return cPrompt.empty() && !hBitmap && !oSubMenu; }
    // The value Windows knows the entry by: the submenu's handle for a
    // submenu item, else the command id.
    UINT_PTR entryId() const;

    void SetCheck(bool on);
    void Enable();
    void Disable();
    void SetPrompt(const std::string& text);
    void SetText(const std::string& text) { SetPrompt(text); }
    const std::string& cCaption() const { return cPrompt; }
    void cCaption(const std::string& text) { SetPrompt(text); }
    void HelpTopic();
    // Ends a submenu, takes the item out of its menu's list and the entry
    // out of the menu.
    void Destroy();
    // Frees the bitmap and the command id (the id is not handed out again
    // while another item holds it).
    void End();

    // ---- the designer's lists and persistence (menu_design.cpp) ----
    static std::size_t PropCount();
    static std::size_t EveCount();
    // Entries 1-based; "" outside the list.
    static std::string Property(std::size_t n);
    static std::string Event(std::size_t n);
    // The record of the properties that differ from a new item (a submenu
    // as the object "bAction").
    std::string Save() const;
    // Assigns the stored properties; false for a record of another kind.
    // The command id stays the item's own: ids are unique in the process.
    bool Load(const std::string& data);
    std::string SaveToText(int indent = 0) const;

private:
    TMenuItem() = default;
    bool ended_ = false;
    bool ownsId_ = false;  // the id came from the allocator (not a resource's)
    friend class TMenu;
};

class TMenu : public std::enable_shared_from_this<TMenu> {
public:
    // A pop-up or menu-bar handle; with a window, attached to it.
    static std::shared_ptr<TMenu> New(bool popup = false, TWindow* wnd = nullptr, bool l2007 = false,
                                      bool l2010 = false);
    // Items built from a menu resource; a pop-up gets a copy of it.
    static std::shared_ptr<TMenu> ReDefine(const std::string& resName, bool popup = false);
    // Items built from an existing menu handle (taken over).
    static std::shared_ptr<TMenu> FromHandle(HMENU handle, bool popup);
    // The window's system menu.
    static std::shared_ptr<TMenu> NewSys(TWindow& wnd);
    ~TMenu();
    TMenu(const TMenu&) = delete;
    TMenu& operator=(const TMenu&) = delete;

    HMENU hMenu = nullptr;
    std::vector<std::shared_ptr<TMenuItem>> aMenuItems;
    TWindow* oWnd = nullptr;
    bool lSysMenu = false, lPopup = false;
    std::optional<int> nHelpId;
    std::string cVarName;
    std::shared_ptr<TAccTable> oAccTable;
    TMenuItem* oMenuItemPopup = nullptr;
    bool l2007 = false, l2010 = false;

    const std::vector<std::shared_ptr<TMenuItem>>& aItems() const { return aMenuItems; }
    bool office() const { return l2007 || l2010; }

    void Add(std::shared_ptr<TMenuItem> item, bool menuBar = false);
    void _aItems(const std::vector<std::shared_ptr<TMenuItem>>& items);
    // 1-based position; past the end it appends.
    void Insert(std::shared_ptr<TMenuItem> item, std::size_t position);
    // Runs the item's action; false when nothing ran.
    bool Command(UINT_PTR id);
    // Shows the menu as a pop-up at the window's client position.
    void Activate(int row, int col, TWindow& wnd, bool end = true, UINT flags = 0);
    // Re-evaluates every item's when-closure.
    void Initiate();
    // Depth first: the item with that id, or whose submenu has that handle.
    TMenuItem* GetMenuItem(UINT_PTR id) const;
    TMenu* GetSubMenu(HMENU handle);
    static TMenu* GetPopup(HMENU handle);
    // The last item whose action was started, shared by all menus (none
    // once that item has ended).
    static TMenuItem* LastItem();
    void HelpTopic();
    void Refresh();
    void Reset();
    void Hilite(int position);
    void UnHilite(int position);
    void UnCheckAll();
    void Disable();
    void Enable();
    void SetSkin();
    void DelItems();
    void Destroy();
    void End();
    // The menu as designer source text.
    std::string cGenPrg(int level = 2) const;
    // The record of the menu and its items (see TMenuItem::Save).
    std::string Save() const;
    // Appends the stored items (their submenus too); false for a record of
    // another kind.
    bool Load(const std::string& data);
    std::string SaveToText(int indent = 0) const;

    // The standard menus, between MENUBEGIN and MENUEND.
    void AddFile();
    void AddEdit();
    void AddHelp(std::function<void()> about = {}, const std::string& title = {}, const std::string& text = {});
    void AddMdi();

    // The window that holds this menu or the menu it hangs from.
    TWindow* window() const;
    // Sets the window of the menu and its submenus.
    void setWindow(TWindow* wnd);

private:
    TMenu() = default;
    UINT entryFlags(const TMenuItem& item, bool menuBar, bool inserting) const;
    bool putEntry(TMenuItem& item, UINT flags, std::optional<UINT> beforePosition);
    std::optional<std::size_t> positionOf(const TMenuItem* item) const;
    void adopt(TMenuItem& item);
    TMenu* parent_ = nullptr;
    bool ended_ = false;
    friend class TMenuItem;
};

// Menu building by nesting.
std::shared_ptr<TMenu> MENUBEGIN(bool popup = false, bool sysMenu = false, TWindow* wnd = nullptr, bool l2007 = false,
                                 bool l2010 = false);
std::shared_ptr<TMenuItem> MENUADDITEM(const MenuItemNew& a = {});
// Throws LibraryError when a nested level has no item to attach to, or when
// no level is open.
std::shared_ptr<TMenu> MENUEND();
TMenu* LASTMENU();
std::optional<std::size_t> LASTITEMPOS();

// Released by the program's exit: the office looks' resources.
void WL_MENUEXIT();

}  // namespace wl
