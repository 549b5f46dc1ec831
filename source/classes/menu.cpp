#include "menu.hpp"

#include <commdlg.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "bitmaps.hpp"
#include "clipboard.hpp"
#include "help_calls.hpp"
#include "library_texts.hpp"
#include "menu_ids.hpp"
#include "menus.hpp"
#include "message_loop.hpp"
#include "popup_menus.hpp"
#include "print_settings.hpp"
#include "system_dialogs.hpp"
#include "window.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

// A level of the menu being built (MENUBEGIN ... MENUEND): the menu and
// the items waiting to be added when the level closes.
struct Level {
    std::shared_ptr<TMenu> menu;
    std::vector<std::shared_ptr<TMenuItem>> pending;
};

// Every menu state the process holds, in one place: the live handles, the
// open pop-ups, the menu being built (LASTMENU) and the last item started.
struct MenuModule {
    std::set<HMENU> liveHandles;    // every menu handle a TMenu holds
    std::vector<TMenu*> popups;     // open pop-up menus and submenus
    std::vector<Level> levels;      // the build, innermost last
    std::shared_ptr<TAccTable> accTable;  // the build's shortcuts
    TMenuItem* lastItem = nullptr;  // cleared when that item ends
};

MenuModule& menuModule() {
    return processState().menus.get<MenuModule>();
}

void forgetPopup(TMenu* m) {
    auto& p = menuModule().popups;
    p.erase(std::remove(p.begin(), p.end(), m), p.end());
}

void notePopup(TMenu* m) {
    auto& p = menuModule().popups;
    if (std::find(p.begin(), p.end(), m) == p.end()) p.push_back(m);
}

bool isMenuHandle(unsigned id) {
    for (HMENU h : menuModule().liveHandles)
        if (reinterpret_cast<UINT_PTR>(h) == id) return true;
    return false;
}

HBITMAP loadItemBitmap(const std::string& file, const std::string& resource) {
    HBITMAP bmp = nullptr;
    if (!file.empty() && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        HDC dc = ::GetDC(nullptr);
        bmp = READBITMAP(dc, file);
        ::ReleaseDC(nullptr, dc);
    }
    if (!resource.empty()) {
        if (HBITMAP r = LOADBITMAP(GetModuleHandleA(nullptr), resource)) {
            if (bmp) DeleteObject(bmp);
            bmp = r;
        }
    }
    return bmp;
}

// The system's printer setup dialog; the choice stays the current printer's
// setting for what is printed next.
void printerSetup() {
    if (HDC dc = PRINTERSETUP(GetActiveWindow())) DeleteDC(dc);
}

bool hasBitmapResource(const std::string& name) {
    return FindResourceA(GetModuleHandleA(nullptr), name.c_str(), MAKEINTRESOURCEA(2)) != nullptr;
}

}  // namespace

// ------------------------------------------------------------- TAccTable

void TAccTable::Add(int key, int flags, int id) {
    for (auto& a : aItems)
        if (a.nKey == key && a.nFlags == flags) {
            a.nId = id;
            dirty_ = true;
            return;
        }
    aItems.push_back({key, flags, id});
    dirty_ = true;
}

void TAccTable::Del(int key, int flags) {
    auto it = std::remove_if(aItems.begin(), aItems.end(),
                             [&](const AccItem& a) { return a.nKey == key && a.nFlags == flags; });
    if (it != aItems.end()) dirty_ = true;
    aItems.erase(it, aItems.end());
}

void TAccTable::Activate(HWND target) {
    if (nHandle && dirty_) DeActivate();
    if (!nHandle && !aItems.empty()) {
        std::vector<AccelKey> keys;
        for (const auto& a : aItems) keys.push_back({a.nKey, a.nFlags, a.nId});
        nHandle = makeAccelTable(keys);
        dirty_ = false;
    }
    if (nHandle) useAccelTable(nHandle, target);
}

bool TAccTable::isCurrent() const { return nHandle && processAccelTable() == nHandle; }

void TAccTable::DeActivate() {
    if (!nHandle) return;
    if (isCurrent()) useAccelTable(nullptr, nullptr);
    DestroyAcceleratorTable(nHandle);
    nHandle = nullptr;
    dirty_ = true;
}

// ------------------------------------------------------------- TMenuItem

std::shared_ptr<TMenuItem> TMenuItem::New(const MenuItemNew& a) {
    std::shared_ptr<TMenuItem> item(new TMenuItem());
    item->nId = menuIds().allocate(isMenuHandle);
    item->ownsId_ = true;
    item->cPrompt = a.cPrompt;
    item->cMsg = a.cMsg;
    item->lChecked = a.lChecked;
    item->lActive = a.lActive;
    item->bAction = a.bAction;
    item->nHelpId = a.nHelpId;
    item->bWhen = a.bWhen;
    item->lBreak = a.lBreak;
    item->lHelp = a.lHelp;
    item->cVarName = "oMItem" + std::to_string(item->nId);
    item->hBitmap = loadItemBitmap(a.cBmpFile, a.cResName);
    if (a.nVirtKey) {
        item->nVKState = a.nVKState;
        item->nVirtKey = a.nVirtKey;
    }
    return item;
}

TMenuItem* TMenuItem::ReDefine(TMenu& menu, UINT_PTR id, const MenuItemReDefine& a) {
    TMenuItem* item = menu.GetMenuItem(id);
    if (!item) return nullptr;
    if (a.lChecked && *a.lChecked != item->lChecked) item->SetCheck(*a.lChecked);
    if (a.lActive && *a.lActive != item->lActive) {
        if (*a.lActive)
            item->Enable();
        else
            item->Disable();
    }
    if (!a.cPrompt.empty()) item->SetPrompt(a.cPrompt);
    if (a.cMsg) item->cMsg = *a.cMsg;
    if (a.bAction) item->bAction = a.bAction;
    if (a.nHelpId) item->nHelpId = a.nHelpId;
    if (a.bWhen) item->bWhen = a.bWhen;
    if (HBITMAP bmp = loadItemBitmap(a.cBmpFile, a.cResName)) {
        if (item->hBitmap) DeleteObject(item->hBitmap);
        item->hBitmap = bmp;
    }
    if (a.nVirtKey) {
        item->nVirtKey = a.nVirtKey;
        item->nVKState = a.nVKState;
        TMenu* root = &menu;
        while (root->parent_) root = root->parent_;
        if (!root->oAccTable) root->oAccTable = TAccTable::New();
        root->oAccTable->Add(a.nVirtKey, a.nVKState, static_cast<int>(item->nId));
        if (TWindow* w = root->window(); w && w->oMenu.get() == root) root->oAccTable->Activate(w->hWnd);
    }
    return item;
}

UINT_PTR TMenuItem::entryId() const {
    return oSubMenu ? reinterpret_cast<UINT_PTR>(oSubMenu->hMenu) : static_cast<UINT_PTR>(nId);
}

void TMenuItem::SetCheck(bool on) {
    lChecked = on;
    if (oMenu && oMenu->hMenu)
        CHECKMENUITEM(oMenu->hMenu, static_cast<UINT>(entryId()), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItem::Enable() {
    lActive = true;
    if (oMenu && oMenu->hMenu) ENABLEMENUITEM(oMenu->hMenu, static_cast<UINT>(entryId()), MF_BYCOMMAND | MF_ENABLED);
    if (oSubMenu) oSubMenu->Enable();
}

void TMenuItem::Disable() {
    lActive = false;
    if (oMenu && oMenu->hMenu)
        ENABLEMENUITEM(oMenu->hMenu, static_cast<UINT>(entryId()), MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
    if (oSubMenu) oSubMenu->Disable();
}

void TMenuItem::SetPrompt(const std::string& text) {
    cPrompt = text;
    if (!oMenu || !oMenu->hMenu) return;
    auto pos = oMenu->positionOf(this);
    if (!pos) return;
    UINT flags = MF_BYPOSITION;
    if (oSubMenu) {
        flags |= MF_POPUP;
    } else {
        if (!lActive) flags |= MF_DISABLED | MF_GRAYED;
    }
    if (lChecked) flags |= MF_CHECKED;
    if (lHelp) flags |= MF_HELP;
    if (lBreak) flags |= MF_MENUBREAK;
    // An entry drawn by the program keeps being drawn by it.
    UINT state = GETMENUSTATE(oMenu->hMenu, static_cast<UINT>(*pos), MF_BYPOSITION);
    if (oMenu->office() || (state != 0xFFFFFFFF && (state & MF_OWNERDRAW))) flags |= MF_OWNERDRAW;
    if (flags & MF_OWNERDRAW)
        MODIFYMENU(oMenu->hMenu, static_cast<UINT>(*pos), flags, entryId(), reinterpret_cast<UINT_PTR>(oMenu->hMenu));
    else
        MODIFYMENU(oMenu->hMenu, static_cast<UINT>(*pos), flags, entryId(), cPrompt);
    if (TWindow* w = oMenu->window(); w && w->hWnd) DRAWMENUBAR(w->hWnd);
}

void TMenuItem::HelpTopic() {
    if (nHelpId)
        HELPTOPIC(Value(*nHelpId));
    else if (oMenu)
        oMenu->HelpTopic();
}

void TMenuItem::Destroy() {
    std::shared_ptr<TMenuItem> self;
    if (oMenu) {
        auto pos = oMenu->positionOf(this);
        if (pos) {
            self = oMenu->aMenuItems[*pos];  // alive until the end of this call
            if (oMenu->hMenu) REMOVEMENU(oMenu->hMenu, static_cast<UINT>(*pos), MF_BYPOSITION);
            // Out of its parent, the submenu's handle is its own to destroy.
            if (oSubMenu) oSubMenu->parent_ = nullptr;
            oMenu->aMenuItems.erase(oMenu->aMenuItems.begin() + static_cast<std::ptrdiff_t>(*pos));
        }
    }
    if (oSubMenu) {
        oSubMenu->End();
        oSubMenu.reset();
    }
    if (menuModule().lastItem == this) menuModule().lastItem = nullptr;
    oMenu = nullptr;
    End();
}

void TMenuItem::End() {
    if (ended_) return;
    ended_ = true;
    if (hBitmap) DeleteObject(hBitmap);
    hBitmap = nullptr;
    if (nId && ownsId_) menuIds().release(nId);
    if (menuModule().lastItem == this) menuModule().lastItem = nullptr;
}

// ------------------------------------------------------------------ TMenu

std::shared_ptr<TMenu> TMenu::New(bool popup, TWindow* wnd, bool l2007, bool l2010) {
    std::shared_ptr<TMenu> m(new TMenu());
    m->lPopup = popup;
    m->l2007 = l2007;
    m->l2010 = l2010;
    m->hMenu = popup ? CREATEPOPUPMENU() : CREATEMENU();
    menuModule().liveHandles.insert(m->hMenu);
    if (popup) notePopup(m.get());
    if (wnd) wnd->SetMenu(m);
    return m;
}

namespace {
// One entry of a menu read by position: kind, state, id, submenu and text.
struct MenuEntry {
    MENUITEMINFOA info{};
    char text[1025] = {};
};

bool readMenuEntry(HMENU menu, int pos, MenuEntry& e) {
    e.info.cbSize = sizeof e.info;
    e.info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    e.info.dwTypeData = e.text;
    e.info.cch = sizeof e.text - 1;
    return GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &e.info) != 0;
}

// Copies a loaded menu into a new pop-up menu, submenus included.
HMENU copyMenu(HMENU from, HMENU to) {
    const int n = GETMITEMCOUNT(from);
    for (int i = 0; i < n; ++i) {
        MenuEntry e;
        if (!readMenuEntry(from, i, e)) continue;
        const MENUITEMINFOA& mi = e.info;
        const char* text = e.text;
        if (mi.fType & MFT_SEPARATOR) {
            APPENDMENU(to, MF_SEPARATOR, mi.wID, std::string());
        } else if (mi.hSubMenu) {
            HMENU sub = copyMenu(mi.hSubMenu, CREATEPOPUPMENU());
            APPENDMENU(to, (mi.fState & 0xFF) | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), std::string(text));
        } else {
            APPENDMENU(to, mi.fState & 0xFF, mi.wID, std::string(text));
        }
    }
    return to;
}
}  // namespace

std::shared_ptr<TMenu> TMenu::ReDefine(const std::string& resName, bool popup) {
    HMENU loaded = LOADMENU(GetModuleHandleA(nullptr), resName);
    if (!loaded) return nullptr;
    if (popup) {
        HMENU copy = copyMenu(loaded, CREATEPOPUPMENU());
        DESTROYMENU(loaded);
        loaded = copy;
    }
    return FromHandle(loaded, popup);
}

std::shared_ptr<TMenu> TMenu::FromHandle(HMENU handle, bool popup) {
    std::shared_ptr<TMenu> m(new TMenu());
    m->hMenu = handle;
    m->lPopup = popup;
    menuModule().liveHandles.insert(handle);
    if (popup) notePopup(m.get());
    const int n = GETMITEMCOUNT(handle);
    for (int i = 0; i < n; ++i) {
        MenuEntry e;
        if (!readMenuEntry(handle, i, e)) continue;
        const MENUITEMINFOA& mi = e.info;
        const char* text = e.text;
        std::shared_ptr<TMenuItem> item(new TMenuItem());
        // The resource's own ids are kept: the window routes them here.
        item->nId = mi.wID;
        item->cPrompt = (mi.fType & MFT_SEPARATOR) ? std::string() : std::string(text);
        item->lChecked = (mi.fState & MFS_CHECKED) != 0;
        item->lActive = (mi.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item->lBreak = (mi.fType & MFT_MENUBREAK) != 0;
        item->cVarName = "oMItem" + std::to_string(item->nId);
        if (mi.hSubMenu) {
            item->nId = 0;
            item->oSubMenu = FromHandle(mi.hSubMenu, true);
            item->oSubMenu->parent_ = m.get();
        }
        item->oMenu = m.get();
        m->aMenuItems.push_back(std::move(item));
    }
    return m;
}

std::shared_ptr<TMenu> TMenu::NewSys(TWindow& wnd) {
    std::shared_ptr<TMenu> m(new TMenu());
    m->hMenu = GETSYSTEMMENU(wnd.hWnd, false);
    m->lSysMenu = true;
    m->oWnd = &wnd;
    if (m->hMenu) menuModule().liveHandles.insert(m->hMenu);
    return m;
}

TMenu::~TMenu() { End(); }

TWindow* TMenu::window() const {
    for (const TMenu* m = this; m; m = m->parent_)
        if (m->oWnd) return m->oWnd;
    return nullptr;
}

void TMenu::setWindow(TWindow* wnd) {
    oWnd = wnd;
    for (auto& item : aMenuItems)
        if (item->oSubMenu) item->oSubMenu->setWindow(wnd);
}

std::optional<std::size_t> TMenu::positionOf(const TMenuItem* item) const {
    for (std::size_t i = 0; i < aMenuItems.size(); ++i)
        if (aMenuItems[i].get() == item) return i;
    return std::nullopt;
}

void TMenu::adopt(TMenuItem& item) {
    item.oMenu = this;
    if (item.oSubMenu) {
        item.oSubMenu->parent_ = this;
        if (oWnd) item.oSubMenu->setWindow(oWnd);
        notePopup(item.oSubMenu.get());
    }
}

UINT TMenu::entryFlags(const TMenuItem& item, bool menuBar, bool inserting) const {
    const bool ownerDrawn = office() || item.hBitmap || (!menuBar && !lSysMenu);
    UINT state = 0;
    if (item.lHelp) state |= MF_HELP;
    if (item.lBreak) state |= MF_MENUBREAK;
    if (item.oSubMenu) {
        UINT f = MF_POPUP | state;
        if (inserting) return f | (item.hBitmap && item.cPrompt.empty() ? MF_BITMAP : 0);
        if (item.lChecked) f |= MF_CHECKED;
        if (!item.lActive) f |= MF_GRAYED;
        if (item.cPrompt.empty() && item.hBitmap) return f | MF_BITMAP;
        return f | (ownerDrawn ? MF_OWNERDRAW : 0);
    }
    if (!item.cPrompt.empty()) {
        UINT f = state;
        if (item.lChecked) f |= MF_CHECKED;
        if (inserting) {
            if (item.hBitmap || (!lSysMenu)) f |= MF_OWNERDRAW;
            if (!item.lActive) f |= MF_DISABLED | MF_GRAYED;
            return f;
        }
        if (!item.lActive) return f | MF_DISABLED | MF_GRAYED | MF_OWNERDRAW;
        return f | (ownerDrawn ? MF_OWNERDRAW : 0);
    }
    if (item.hBitmap) return MF_BITMAP | (item.lBreak ? MF_MENUBREAK : 0);
    return MF_SEPARATOR | (office() && !inserting ? MF_OWNERDRAW : 0);
}

bool TMenu::putEntry(TMenuItem& item, UINT flags, std::optional<UINT> before) {
    if (!hMenu) return false;
    const UINT_PTR id = item.entryId();
    // Drawn entries carry the menu handle as their data, bitmap entries the
    // bitmap; the others their caption.
    const bool byValue = (flags & (MF_OWNERDRAW | MF_BITMAP)) != 0;
    const UINT_PTR value = (flags & MF_BITMAP) ? reinterpret_cast<UINT_PTR>(item.hBitmap)
                                               : reinterpret_cast<UINT_PTR>(hMenu);
    if (before) {
        if (byValue)
            return InsertMenuA(hMenu, *before, flags | MF_BYPOSITION, id, reinterpret_cast<LPCSTR>(value)) != 0;
        return INSERTMENU(hMenu, *before, flags | MF_BYPOSITION, id, item.cPrompt);
    }
    if (byValue) return APPENDMENU(hMenu, flags, id, value);
    return APPENDMENU(hMenu, flags, id, item.cPrompt);
}

void TMenu::Add(std::shared_ptr<TMenuItem> item, bool menuBar) {
    if (!item) return;
    adopt(*item);
    aMenuItems.push_back(item);
    putEntry(*item, entryFlags(*item, menuBar, false), std::nullopt);
}

void TMenu::_aItems(const std::vector<std::shared_ptr<TMenuItem>>& items) {
    for (const auto& i : items) Add(i);
}

void TMenu::Insert(std::shared_ptr<TMenuItem> item, std::size_t position) {
    if (!item) return;
    if (position == 0 || position > aMenuItems.size()) {
        Add(std::move(item));
        return;
    }
    adopt(*item);
    aMenuItems.insert(aMenuItems.begin() + static_cast<std::ptrdiff_t>(position - 1), item);
    putEntry(*item, entryFlags(*item, false, true), static_cast<UINT>(position - 1));
}

TMenuItem* TMenu::GetMenuItem(UINT_PTR id) const {
    for (const auto& item : aMenuItems) {
        if (!item->oSubMenu && item->nId == id) return item.get();
        if (item->oSubMenu) {
            if (reinterpret_cast<UINT_PTR>(item->oSubMenu->hMenu) == id) return item.get();
            if (TMenuItem* found = item->oSubMenu->GetMenuItem(id)) return found;
        }
    }
    return nullptr;
}

TMenu* TMenu::GetSubMenu(HMENU handle) {
    if (hMenu == handle) return this;
    for (const auto& item : aMenuItems)
        if (item->oSubMenu)
            if (TMenu* found = item->oSubMenu->GetSubMenu(handle)) return found;
    return nullptr;
}

TMenu* TMenu::GetPopup(HMENU handle) {
    for (TMenu* m : menuModule().popups)
        if (m->hMenu == handle) return m;
    return nullptr;
}

bool TMenu::Command(UINT_PTR id) {
    TMenuItem* item = GetMenuItem(id);
    if (!item || (!item->bAction && !item->OnClick)) return false;
    if (item->bWhen) {
        auto when = item->bWhen(*item);
        if (when && !*when) return false;
    }
    menuModule().lastItem = item;
    if (lPopup) {
        // Runs when the tracking of the pop-up has ended (Activate).
        oMenuItemPopup = item;
        return true;
    }
    // The item may be destroyed by its own action; keep it alive meanwhile.
    std::shared_ptr<TMenuItem> keep;
    if (item->oMenu)
        if (auto pos = item->oMenu->positionOf(item)) keep = item->oMenu->aMenuItems[*pos];
    if (item->bAction)
        item->bAction(*item);
    else
        item->OnClick(window(), *item);
    return true;
}

void TMenu::Activate(int row, int col, TWindow& wnd, bool end, UINT flags) {
    auto self = shared_from_this();
    if (end && wnd.oPopup && wnd.oPopup != self) wnd.oPopup->End();
    wnd.oPopup = self;
    if (!oWnd) setWindow(&wnd);
    Initiate();
    TRACKPOPUPMENU(hMenu, wnd.hWnd, row, col, TPM_RIGHTBUTTON | flags);
    SYSREFRESH();
    if (TMenuItem* chosen = oMenuItemPopup) {
        oMenuItemPopup = nullptr;
        if (chosen->bAction)
            chosen->bAction(*chosen);
        else if (chosen->OnClick)
            chosen->OnClick(&wnd, *chosen);
    }
    if (end) {
        End();
        if (wnd.oPopup == self) wnd.oPopup.reset();
    }
}

void TMenu::Initiate() {
    if (office()) MITEMS2007(hMenu);
    for (const auto& item : aMenuItems) {
        if (!item->bWhen) continue;
        auto when = item->bWhen(*item);
        if (!when) continue;
        if (*when)
            item->Enable();
        else
            item->Disable();
    }
}

void TMenu::HelpTopic() {
    if (nHelpId) {
        HELPTOPIC(Value(*nHelpId));
    } else if (TWindow* w = window()) {
        w->HelpTopic();
    } else {
        HELPINDEX();
    }
}

void TMenu::Refresh() {
    if (oWnd && !lPopup && !lSysMenu) oWnd->SetMenu(shared_from_this());
}

void TMenu::Reset() {
    if (lSysMenu && oWnd) {
        menuModule().liveHandles.erase(hMenu);
        GETSYSTEMMENU(oWnd->hWnd, true);
        hMenu = GETSYSTEMMENU(oWnd->hWnd, false);
    } else {
        menuModule().liveHandles.erase(hMenu);
        if (hMenu) DESTROYMENU(hMenu);
        hMenu = lPopup ? CREATEPOPUPMENU() : CREATEMENU();
    }
    if (hMenu) menuModule().liveHandles.insert(hMenu);
    for (auto& item : aMenuItems) {
        item->oMenu = nullptr;
        if (item->oSubMenu) item->oSubMenu->End();
        item->End();
    }
    aMenuItems.clear();
}

void TMenu::Hilite(int position) {
    if (TWindow* w = window())
        HILITEMENUITEM(w->hWnd, hMenu, static_cast<UINT>(position - 1), MF_BYPOSITION | MF_HILITE);
}

void TMenu::UnHilite(int position) {
    if (TWindow* w = window())
        HILITEMENUITEM(w->hWnd, hMenu, static_cast<UINT>(position - 1), MF_BYPOSITION | MF_UNHILITE);
}

void TMenu::UnCheckAll() {
    for (auto& item : aMenuItems) item->SetCheck(false);
}

void TMenu::Disable() {
    for (auto& item : aMenuItems) item->Disable();
}

void TMenu::Enable() {
    for (auto& item : aMenuItems) item->Enable();
    if (oWnd && oWnd->hWnd && !lPopup) DRAWMENUBAR(oWnd->hWnd);
}

void TMenu::SetSkin() {
    if (l2010)
        SET2010SKINMENU();
    else if (l2007)
        SET2007SKINMENU();
}

void TMenu::DelItems() {
    while (!aMenuItems.empty()) {
        auto item = aMenuItems.back();
        aMenuItems.pop_back();
        if (item->oSubMenu) item->oSubMenu->End();
        item->oMenu = nullptr;
        item->End();
    }
}

void TMenu::Destroy() {
    for (auto& item : aMenuItems) {
        if (item->oSubMenu) item->oSubMenu->Destroy();
        item->End();
    }
}

void TMenu::End() {
    if (ended_) return;
    ended_ = true;
    if (oWnd && oWnd->hWnd && !lPopup && !lSysMenu && GETMENU(oWnd->hWnd) == hMenu) SETMENU(oWnd->hWnd, nullptr);
    Destroy();
    // Submenus end without destroying their handles: they go with this one.
    DelItems();
    if (hMenu) {
        menuModule().liveHandles.erase(hMenu);
        if (lSysMenu) {
            if (oWnd && oWnd->hWnd && IsWindow(oWnd->hWnd)) GETSYSTEMMENU(oWnd->hWnd, true);
        } else if (!parent_ && ISMENU(hMenu)) {
            DESTROYMENU(hMenu);
        }
    }
    hMenu = nullptr;
    forgetPopup(this);
    if (oAccTable) oAccTable->End();
    oAccTable.reset();
    if (oWnd && oWnd->oPopup.get() == this) oWnd->oPopup.reset();
    oWnd = nullptr;
    parent_ = nullptr;
}

std::string TMenu::cGenPrg(int level) const {
    std::string indent(static_cast<std::size_t>((level - 1) * 3), ' ');
    std::string out = indent + "MENU" + (level == 2 ? " oMenu" : "") + (lPopup ? " POPUP" : "") + "\r\n";
    for (const auto& item : aMenuItems) {
        out += indent + "   MENUITEM \"" + item->cPrompt + "\"\r\n";
        if (item->oSubMenu) out += item->oSubMenu->cGenPrg(level + 1);
    }
    out += indent + "ENDMENU\r\n";
    return out;
}

// ---------------------------------------------------------- menu building

namespace {

MenuModule& builder() { return menuModule(); }

}  // namespace

std::shared_ptr<TMenu> MENUBEGIN(bool popup, bool sysMenu, TWindow* wnd, bool l2007, bool l2010) {
    MenuModule& b = builder();
    std::shared_ptr<TMenu> m;
    if (sysMenu && wnd) {
        m = TMenu::NewSys(*wnd);
        wnd->oSysMenu = m;
    } else {
        m = TMenu::New(popup, nullptr, l2007, l2010);
    }
    if (!b.levels.empty()) {
        // An inner level takes the looks of the level around it.
        const TMenu& outer = *b.levels.back().menu;
        if (!m->l2010) m->l2010 = outer.l2010;
        if (!m->l2007) m->l2007 = outer.l2007;
    }
    b.levels.push_back({m, {}});
    return m;
}

std::shared_ptr<TMenuItem> MENUADDITEM(const MenuItemNew& a) {
    MenuModule& b = builder();
    if (b.levels.empty()) throw std::logic_error("MENUADDITEM: no menu is being built (MENUBEGIN first)");
    auto item = TMenuItem::New(a);
    b.levels.back().pending.push_back(item);
    if (a.nVirtKey) {
        if (!b.accTable) b.accTable = TAccTable::New();
        b.accTable->Add(a.nVirtKey, a.nVKState, static_cast<int>(item->nId));
    }
    return item;
}

std::shared_ptr<TMenu> MENUEND() {
    MenuModule& b = builder();
    if (b.levels.empty()) throw std::logic_error("MENUEND: no menu is being built");
    Level level = std::move(b.levels.back());
    b.levels.pop_back();
    const bool outermost = b.levels.empty();
    for (auto& item : level.pending) level.menu->Add(item, outermost && !level.menu->lPopup);
    if (!outermost) {
        auto& outer = b.levels.back();
        if (outer.pending.empty()) {
            // Nothing to hang the submenu from: the whole build is unusable.
            level.menu->End();
            while (!b.levels.empty()) {
                b.levels.back().menu->End();
                b.levels.pop_back();
            }
            b.accTable.reset();
            throw std::logic_error("MENUBEGIN: a submenu needs a MENUADDITEM before it to attach to");
        }
        outer.pending.back()->oSubMenu = level.menu;
        return level.menu;
    }
    level.menu->oAccTable = std::move(b.accTable);
    b.accTable.reset();
    level.menu->Initiate();
    return level.menu;
}

TMenuItem* TMenu::LastItem() { return menuModule().lastItem; }

TMenu* LASTMENU() {
    MenuModule& b = builder();
    return b.levels.empty() ? nullptr : b.levels.back().menu.get();
}

std::optional<std::size_t> LASTITEMPOS() {
    MenuModule& b = builder();
    if (b.levels.empty()) return std::nullopt;
    return b.levels.back().pending.size();
}

void WL_MENUEXIT() { DELCHECK2007(); }

// --------------------------------------------------------- standard menus

namespace {

MenuItemNew entry(const std::string& caption, const std::string& shortcut, const std::string& msg,
                  Action<TMenuItem&> action = {}, const std::string& bitmap = {}) {
    MenuItemNew n;
    n.cPrompt = WLSTRING(caption);
    if (!shortcut.empty()) n.cPrompt += "\t" + shortcut;
    n.cMsg = WLSTRING(msg);
    n.bAction = std::move(action);
    if (!bitmap.empty() && hasBitmapResource(bitmap)) n.cResName = bitmap;
    return n;
}

// An action sent to the window of the menu being built, found when it runs.
Action<TMenuItem&> toWindow(TMenu* menu, void (TWindow::*method)()) {
    return [menu, method](TMenuItem&) {
        if (TWindow* w = menu->window()) (w->*method)();
    };
}

// Print runs the window's bPrint or prints its picture.
Action<TMenuItem&> printWindow(TMenu* menu) {
    return [menu](TMenuItem&) {
        if (TWindow* w = menu->window()) w->Print();
    };
}

}  // namespace

void TMenu::AddFile() {
    TMenu* self = this;
    MENUADDITEM(entry("&File", "", ""));
    MENUBEGIN(true);
    auto add = [](MenuItemNew n, int key = 0, int flags = 0) {
        n.nVirtKey = key;
        n.nVKState = flags;
        MENUADDITEM(n);
    };
    add(entry("&New...", "Ctrl+N", "Creates a new file"), 'N', FCONTROL);
    add(entry("&Open...", "Ctrl+O", "Open an existing file", toWindow(self, &TWindow::Open)), 'O', FCONTROL);
    add(entry("&Save", "Ctrl+S", "Saves the active file"), 'S', FCONTROL);
    add(entry("Save &as...", "Alt+A", "Saves the active file under a new name"), 'A', FALT);
    add(entry("Save al&l", "", "Saves all open files"));
    MENUADDITEM();
    add(entry("&Print...", "Ctrl+P", "Prints the active file", printWindow(self)), 'P', FCONTROL);
    add(entry("P&rinter Setup...", "Alt+P", "Select and setup the printer",
              [](TMenuItem&) { printerSetup(); }),
        'P', FALT);
    MENUADDITEM();
    add(entry("&Exit...", "Alt+F4", "Quits this application", [self](TMenuItem&) {
        if (TWindow* w = self->window()) w->End();
    }));
    MENUEND();
}

void TMenu::AddEdit() {
    TMenu* self = this;
    MENUADDITEM(entry("&Edit", "", ""));
    MENUBEGIN(true);
    MENUADDITEM(entry("&Undo", "Ctrl+Z", "Undoes the last action", toWindow(self, &TWindow::UnDo), "UnDo"));
    MENUADDITEM(entry("&Redo", "Ctrl+A", "Redoes the previously undone action", toWindow(self, &TWindow::ReDo), "ReDo"));
    MENUADDITEM();
    MENUADDITEM(entry("Cu&t", "Ctrl+X", "Removes the selection and puts it on the Clipboard",
                      toWindow(self, &TWindow::Cut), "Cut"));
    MENUADDITEM(entry("&Copy", "Ctrl+C", "Copies the selection and puts it on the Clipboard",
                      toWindow(self, &TWindow::Copy), "Copy"));
    auto paste = entry("&Paste", "Ctrl+V", "Insert Clipboard contents at the insertion point",
                       toWindow(self, &TWindow::Paste), "Paste");
    paste.bWhen = [](TMenuItem&) -> std::optional<bool> { return IsClipboardFormatAvailable(CF_TEXT) != 0; };
    MENUADDITEM(paste);
    MENUADDITEM(entry("&Delete", "Del", "Erases the selection", toWindow(self, &TWindow::Delete), "Delete"));
    MENUADDITEM(entry("&Select All", "", "Selects the entire document", toWindow(self, &TWindow::SelectAll)));
    MENUADDITEM();
    auto find = entry("&Find...", "Ctrl+F", "Finds the specified text", toWindow(self, &TWindow::Find), "Find");
    find.nVirtKey = 'F';
    find.nVKState = FCONTROL;
    MENUADDITEM(find);
    MENUADDITEM(entry("Find &Next", "F3", "Repeats the last find", toWindow(self, &TWindow::FindNext)));
    MENUADDITEM(entry("R&eplace...", "Ctrl+H", "Replace specific text with different text",
                      toWindow(self, &TWindow::Replace)));
    MENUADDITEM();
    MENUADDITEM(entry("Pr&operties", "Alt+Enter", "Edits properties of the current selection",
                      toWindow(self, &TWindow::Properties), "Properties"));
    MENUEND();
}

void TMenu::AddHelp(std::function<void()> about, const std::string& title, const std::string& text) {
    MENUADDITEM(entry("&Help", "", ""));
    MENUBEGIN(true);
    MENUADDITEM(entry("&Contents", "", "Show the help contents", [](TMenuItem&) { HELPINDEX(); }, "Contents"));
    MENUADDITEM(entry("&Search for Help on...", "F1", "Search the help for a specific item",
                      [](TMenuItem&) { HELPSEARCH(); }, "SearchHelp"));
    MENUADDITEM(entry("Using &help", "", "Show the help index", [](TMenuItem&) { HELPINDEX(); }));
    MENUADDITEM();
    MENUADDITEM(entry("&About...", "", "Displays program information and copyright",
                      [about, title, text](TMenuItem&) {
                          if (about)
                              about();
                          else
                              MSGABOUT(title, text);
                      },
                      hasBitmapResource("about") ? "About" : ""));
    MENUEND();
}

void TMenu::AddMdi() {
    TMenu* self = this;
    // Enabled while the frame's client holds windows (more than one for
    // "Next Window").
    auto children = [self](std::size_t atLeast) {
        return [self, atLeast](TMenuItem&) -> std::optional<bool> {
            TWindow* w = self->window();
            if (!w || !w->oClient || !w->oClient->hWnd) return false;
            std::size_t n = 0;
            for (HWND c = GetWindow(w->oClient->hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++n;
            return n >= atLeast;
        };
    };
    auto send = [self](UINT msg, WPARAM w = 0) {
        return Action<TMenuItem&>([self, msg, w](TMenuItem&) {
            TWindow* win = self->window();
            if (win && win->oClient && win->oClient->hWnd) SendMessageA(win->oClient->hWnd, msg, w, 0);
        });
    };
    MENUADDITEM(entry("&Window", "", ""));
    MENUBEGIN(true);
    auto add = [&](MenuItemNew n, std::size_t atLeast) {
        n.bWhen = children(atLeast);
        MENUADDITEM(n);
    };
    add(entry("&Tile Vertical", "", "Vertical arranges the windows as nonoverlapping tiles",
              send(WM_MDITILE, MDITILE_VERTICAL)),
        1);
    add(entry("&Tile Horizontal", "", "Horizontal arranges the windows as nonoverlapping tiles",
              send(WM_MDITILE, MDITILE_HORIZONTAL)),
        1);
    add(entry("&Cascade", "", "Arranges the windows so they overlap", send(WM_MDICASCADE)), 1);
    add(entry("&Next Window", "Ctrl+F6", "Selects the next window", send(WM_MDINEXT)), 2);
    MENUADDITEM();
    add(entry("&Arrange Icons", "", "Arrange icons at the bottom of the window", send(WM_MDIICONARRANGE)), 1);
    add(entry("&Iconize All", "", "Iconize all open windows", [self](TMenuItem&) {
            TWindow* w = self->window();
            if (!w || !w->oClient || !w->oClient->hWnd) return;
            for (HWND c = GetWindow(w->oClient->hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                ShowWindow(c, SW_MINIMIZE);
        }),
        1);
    add(entry("C&lose All", "", "Close all open windows", [self](TMenuItem&) {
            TWindow* w = self->window();
            if (!w || !w->oClient || !w->oClient->hWnd) return;
            std::vector<HWND> kids;
            for (HWND c = GetWindow(w->oClient->hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) kids.push_back(c);
            for (HWND c : kids) SendMessageA(w->oClient->hWnd, WM_MDIDESTROY, reinterpret_cast<WPARAM>(c), 0);
        }),
        1);
    MENUEND();
}

}  // namespace wl
