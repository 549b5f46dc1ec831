#include "menus.hpp"

#include <algorithm>

#include "bitmaps.hpp"
#include "desktop_facts.hpp"
#include "drawing.hpp"
#include "resource_tracker.hpp"
#include "process_state.hpp"

namespace wl {

HMENU CREATEMENU() { return CreateMenu(); }
HMENU CREATEPOPUPMENU() { return CreatePopupMenu(); }
bool DESTROYMENU(HMENU hMenu) { return DestroyMenu(hMenu) != FALSE; }
bool ISMENU(HMENU hMenu) { return IsMenu(hMenu) != FALSE; }
HMENU LOADMENU(HINSTANCE hInstance, const std::string& cName) { return LoadMenuA(hInstance, cName.c_str()); }
HMENU LOADMENU(HINSTANCE hInstance, int nId) { return LoadMenuA(hInstance, MAKEINTRESOURCEA(nId)); }
bool SETMENU(HWND hWnd, HMENU hMenu) { return SetMenu(hWnd, hMenu) != FALSE; }
HMENU GETMENU(HWND hWnd) { return GetMenu(hWnd); }
HMENU GETSYSTEMMENU(HWND hWnd, bool lRevert) { return GetSystemMenu(hWnd, lRevert); }
HMENU GETSUBMENU(HMENU hMenu, int nPos) { return GetSubMenu(hMenu, nPos); }
int GETMITEMCOUNT(HMENU hMenu) { return GetMenuItemCount(hMenu); }
UINT GETMITEMID(HMENU hMenu, int nPos) { return GetMenuItemID(hMenu, nPos); }
UINT GETMENUSTATE(HMENU hMenu, UINT nId, UINT nFlags) { return GetMenuState(hMenu, nId, nFlags); }

std::string GETMENUSTRING(HMENU hMenu, UINT nId, UINT nFlags) {
    char buf[199] = {};
    int n = GetMenuStringA(hMenu, nId, buf, sizeof buf, nFlags);
    return std::string(buf, static_cast<std::size_t>(std::max(n, 0)));
}

bool APPENDMENU(HMENU hMenu, UINT nFlags, UINT_PTR nId, const std::string& cText) {
    return AppendMenuA(hMenu, nFlags, nId, cText.c_str()) != FALSE;
}
bool APPENDMENU(HMENU hMenu, UINT nFlags, UINT_PTR nId, UINT_PTR nValue) {
    return AppendMenuA(hMenu, nFlags, nId, reinterpret_cast<LPCSTR>(nValue)) != FALSE;
}
bool INSERTMENU(HMENU hMenu, UINT nPos, UINT nFlags, UINT_PTR nId, const std::string& cText) {
    return InsertMenuA(hMenu, nPos, nFlags, nId, cText.c_str()) != FALSE;
}
bool MODIFYMENU(HMENU hMenu, UINT nPos, UINT nFlags, UINT_PTR nId, const std::string& cText) {
    return ModifyMenuA(hMenu, nPos, nFlags, nId, cText.c_str()) != FALSE;
}
bool MODIFYMENU(HMENU hMenu, UINT nPos, UINT nFlags, UINT_PTR nId, UINT_PTR nValue) {
    return ModifyMenuA(hMenu, nPos, nFlags, nId, reinterpret_cast<LPCSTR>(nValue)) != FALSE;
}
bool REMOVEMENU(HMENU hMenu, UINT nPos, UINT nFlags) { return RemoveMenu(hMenu, nPos, nFlags) != FALSE; }
bool ENABLEMENUITEM(HMENU hMenu, UINT nId, UINT nFlags) {
    DWORD prev = EnableMenuItem(hMenu, nId, nFlags);
    return prev != 0 && prev != static_cast<DWORD>(-1);
}
bool CHECKMENUITEM(HMENU hMenu, UINT nId, UINT nFlags) {
    DWORD prev = CheckMenuItem(hMenu, nId, nFlags);
    return prev != 0 && prev != static_cast<DWORD>(-1);
}
bool HILITEMENUITEM(HWND hWnd, HMENU hMenu, UINT nId, UINT nFlags) {
    return HiliteMenuItem(hWnd, hMenu, nId, nFlags) != FALSE;
}
void DRAWMENUBAR(HWND hWnd) { DrawMenuBar(hWnd); }
bool TRACKPOPUP(HMENU hMenu, UINT nFlags, int nRow, int nCol, int nReserved, HWND hWnd) {
    return TrackPopupMenu(hMenu, nFlags, nCol, nRow, nReserved, hWnd, nullptr) != FALSE;
}
bool TRACKPOPUPEX(HMENU hMenu, UINT nFlags, int nRow, int nCol, HWND hWnd) {
    return TrackPopupMenuEx(hMenu, nFlags, nCol, nRow, hWnd, nullptr) != FALSE;
}

namespace {

struct MenuLook {
    MenuSkin skin;
    HBITMAP checkBitmap = nullptr;
    bool windows6 = false;
};
MenuLook& look() { return processState().menuSkin.get<MenuLook>(); }
MenuSkin& skin() { return look().skin; }
HBITMAP& checkBitmap() { return look().checkBitmap; }
bool& windows6() { return look().windows6; }

void fillColor(HDC dc, RECT r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}
void fillSys(HDC dc, RECT r, int index) { FillRect(dc, &r, GetSysColorBrush(index)); }

// The prompt from x: a TAB splits it into a left part and a right-aligned
// part against an edge 21 pixels in from the right.
void drawPrompt(HDC dc, const std::string& prompt, RECT r, UINT wholeFormat) {
    auto tab = prompt.find('\t');
    if (tab == std::string::npos) {
        if (!prompt.empty()) DrawTextA(dc, prompt.c_str(), -1, &r, wholeFormat);
        return;
    }
    std::string left = prompt.substr(0, tab), right = prompt.substr(tab + 1);
    RECT rr = r;
    rr.right -= 21;
    DrawTextA(dc, left.c_str(), -1, &r, 0);
    DrawTextA(dc, right.c_str(), -1, &rr, DT_RIGHT);
}

// The checked look: the bitmap over a dithered background.
void drawMark(HDC dc, HBITMAP bmp, int x, int y, bool checkedLook) {
    if (checkedLook) DRAWCHECKED(dc, bmp, y, x);
    else DRAWMASKED(dc, bmp, y, x);
}

// The disabled look: the item embossed, light under dark.
void emboss(HDC dc, const RECT& rc, const std::string& prompt, int textLeft) {
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    RECT r{textLeft + 1, rc.top + 3, rc.right + 1, rc.bottom + 1};
    drawPrompt(dc, prompt, r, 0);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    r = RECT{textLeft, rc.top + 2, rc.right, rc.bottom};
    drawPrompt(dc, prompt, r, 0);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

UINT itemType(HMENU menu, UINT id) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE;
    if (!menu || !GetMenuItemInfoA(menu, id, FALSE, &mi)) return 0;
    return mi.fType;
}

}  // namespace

const MenuSkin& currentMenuSkin() { return skin(); }

void SET2007SKINMENU() {
    MenuSkin s;
    s.barFrom = RGB(254, 254, 255);
    s.barTo = RGB(229, 234, 245);
    s.iconColumn = RGB(233, 238, 238);
    s.textArea = RGB(250, 250, 250);
    s.line1 = RGB(191, 191, 191);
    s.line2 = RGB(250, 250, 250);
    s.selectionFrame = RGB(221, 207, 155);
    s.selUpperFrom = RGB(255, 255, 251);
    s.selUpperTo = RGB(255, 235, 180);
    s.selLowerFrom = RGB(255, 215, 84);
    s.selLowerTo = RGB(255, 233, 162);
    s.grayedText = RGB(191, 191, 191);
    s.look = 1;
    skin() = s;
}

void SET2010SKINMENU() {
    MenuSkin s;
    s.barFrom = RGB(254, 254, 255);
    s.barTo = RGB(229, 234, 245);
    s.iconColumn = RGB(241, 241, 241);
    s.textArea = RGB(241, 241, 241);
    s.line1 = RGB(226, 227, 227);
    s.line2 = RGB(255, 255, 255);
    s.selectionFrame = RGB(174, 207, 207);
    s.selUpperFrom = RGB(242, 244, 246);
    s.selUpperTo = RGB(236, 240, 246);
    s.selLowerFrom = RGB(236, 240, 246);
    s.selLowerTo = RGB(230, 237, 246);
    s.grayedText = RGB(171, 171, 171);
    s.grayUpperFrom = RGB(244, 245, 245);
    s.grayUpperTo = RGB(235, 236, 236);
    s.grayLowerFrom = RGB(235, 236, 236);
    s.grayLowerTo = RGB(227, 228, 228);
    s.grayFrame = RGB(212, 211, 211);
    s.selectGrayed = true;
    s.cornerRadius = 4;
    s.look = 2;
    skin() = s;
}

void DELCHECK2007() {
    if (HBITMAP& h = checkBitmap()) {
        TrackResourceDelete(h);
        DeleteObject(h);
        h = nullptr;
    }
}

bool MENUDRAWITEM(const DRAWITEMSTRUCT* di, const std::string& cPrompt, HMENU, HBITMAP hBitmap) {
    if (!di) return false;
    if (di->itemAction == ODA_FOCUS) return false;
    if (di->itemAction != ODA_DRAWENTIRE && di->itemAction != ODA_SELECT) return false;
    HDC dc = di->hDC;
    RECT rc = di->rcItem;
    bool selected = di->itemState & ODS_SELECTED, grayed = di->itemState & ODS_GRAYED,
         checked = di->itemState & ODS_CHECKED;
    fillSys(dc, rc, COLOR_MENU);
    COLORREF oldBk = GetBkColor(dc), oldText = GetTextColor(dc);
    if (selected && !grayed) {
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        fillSys(dc, RECT{rc.left + 19, rc.top, rc.right, rc.bottom}, COLOR_HIGHLIGHT);
        // Measured from the item's left edge, which a pop-up's frame moves
        // in: the icon column and the text form one bar.
        if (!checked) {
            RECT box{rc.left, rc.top, rc.left + 17, rc.bottom - 1};
            if (hBitmap) DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
            else fillSys(dc, RECT{rc.left, rc.top, rc.left + 19, rc.bottom}, COLOR_HIGHLIGHT);
        }
    }
    if (checked) {
        HBITMAP check = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32760));  // OBM_CHECK
        if (check) {
            drawMark(dc, check, rc.left + 1, rc.top + 1, !selected);
            DeleteObject(check);
        }
    }
    if (hBitmap) drawMark(dc, hBitmap, rc.left + 1, rc.top + 1, checked && !selected);
    if (grayed) {
        emboss(dc, rc, cPrompt, rc.left + 21);
    } else {
        int oldMode = SetBkMode(dc, TRANSPARENT);
        drawPrompt(dc, cPrompt, RECT{rc.left + 21, rc.top + 2, rc.right, rc.bottom}, 0);
        SetBkMode(dc, oldMode);
    }
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    return true;
}

bool MENUDRAW2007(const DRAWITEMSTRUCT* di, const std::string& cPrompt, HMENU hMenuBar, HBITMAP hBitmap, HWND hWnd) {
    if (!di) return false;
    if (di->itemAction != ODA_DRAWENTIRE && di->itemAction != ODA_SELECT) return false;
    const MenuSkin& s = skin();
    if (!checkBitmap()) {
        checkBitmap() = checkMarkBitmap(s.look ? s.look : 1);
        windows6() = ISWINVISTA() || ISWIN7() || ISWIN8();  // the versions 6.x
    }
    HDC dc = di->hDC;
    RECT rc = di->rcItem;
    bool selected = di->itemState & ODS_SELECTED, grayed = di->itemState & ODS_GRAYED,
         checked = di->itemState & ODS_CHECKED;
    bool barItem = hMenuBar && reinterpret_cast<HMENU>(di->hwndItem) == hMenuBar;

    if (barItem && !selected) {
        int right = rc.right;
        COLORREF next = GetPixel(dc, rc.right + 2, rc.top);
        const COLORREF barColours[] = {RGB(254, 254, 255), RGB(255, 255, 255), RGB(255, 248, 255),
                                       RGB(239, 240, 240), RGB(245, 254, 255)};
        if (std::find(std::begin(barColours), std::end(barColours), next) == std::end(barColours)) {
            // The last item: the bar continues to the window's edge.
            RECT client{};
            if (hWnd && GetClientRect(hWnd, &client)) right = client.right + (windows6() ? 8 : 3);
        }
        GRADIENT(dc, {rc.top, rc.left, rc.top + 8, right}, s.barFrom, s.barTo, true);
        GRADIENT(dc, {rc.top + 9, rc.left, rc.bottom, right}, RGB(212, 219, 237), RGB(225, 230, 246), true);
        solidLine(dc, rc.left, rc.bottom - 1, right, rc.bottom - 1, RGB(182, 188, 204));
        solidLine(dc, rc.left, rc.bottom, right, rc.bottom, windows6() ? RGB(240, 240, 240) : RGB(255, 255, 255));
    }
    if (selected && (!grayed || s.selectGrayed)) {
        int w = rc.right - rc.left, h = rc.bottom - rc.top;
        HBITMAP sel = CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1));
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ oldBmp = SelectObject(mem, sel);
        GRADIENT(mem, {0, 0, h / 2, w}, grayed ? s.grayUpperFrom : s.selUpperFrom,
                 grayed ? s.grayUpperTo : s.selUpperTo, true);
        GRADIENT(mem, {h / 2 + 1, 0, h - 1, w}, grayed ? s.grayLowerFrom : s.selLowerFrom,
                 grayed ? s.grayLowerTo : s.selLowerTo, true);
        SelectObject(mem, oldBmp);
        DeleteDC(mem);
        HBRUSH brush = CreatePatternBrush(sel);
        HPEN pen = CreatePen(PS_SOLID, 1, grayed ? s.grayFrame : s.selectionFrame);
        POINT oldOrg;
        SetBrushOrgEx(dc, rc.left, rc.top, &oldOrg);
        HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
        RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, s.cornerRadius, s.cornerRadius);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        SetBrushOrgEx(dc, oldOrg.x, oldOrg.y, nullptr);
        DeleteObject(pen);
        DeleteObject(brush);
        DeleteObject(sel);
    }
    if (!barItem && !selected) {
        fillColor(dc, RECT{rc.left, rc.top, rc.left + 24, rc.bottom}, s.iconColumn);
        fillColor(dc, RECT{rc.left + 25, rc.top, rc.right, rc.bottom}, s.textArea);
        solidLine(dc, rc.left + 24, rc.top, rc.left + 24, rc.bottom, s.line1);
        solidLine(dc, rc.left + 25, rc.top, rc.left + 25, rc.bottom, s.line2);
    }
    if (checked && checkBitmap()) DRAWMASKED(dc, checkBitmap(), rc.top, rc.left + 1);
    if (hBitmap) {
        if (!checked) DRAWMASKED(dc, hBitmap, rc.top + 2, rc.left + 4);
        else drawMark(dc, hBitmap, rc.left + 1, rc.top + 1, !selected);
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldText = GetTextColor(dc);
    if (grayed) SetTextColor(dc, s.grayedText);
    RECT text = barItem ? RECT{rc.left, rc.top + 2, rc.right, rc.bottom} : RECT{rc.left + 33, rc.top + 2, rc.right, rc.bottom};
    if (!cPrompt.empty()) {
        drawPrompt(dc, cPrompt, text, barItem ? DT_CENTER : 0);
    } else if (!barItem && !(itemType(reinterpret_cast<HMENU>(di->hwndItem), di->itemID) & MFT_BITMAP)) {
        solidLine(dc, rc.left + 25, rc.top + 4, rc.right, rc.top + 4, s.line1);
        solidLine(dc, rc.left + 25, rc.top + 5, rc.right, rc.top + 5, s.line2);
    }
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    return true;
}

void MENUMEASUREITEM(MEASUREITEMSTRUCT* mi, int nWidth, bool lSeparator) {
    if (!mi) return;
    mi->itemWidth = static_cast<UINT>(nWidth);
    mi->itemHeight = lSeparator ? 10 : static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
}

void MITEMS2007(HMENU hMenu) {
    int n = GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &mi) || (mi.fType & MFT_OWNERDRAW)) continue;
        mi.fMask = MIIM_FTYPE | MIIM_DATA;
        mi.fType |= MFT_OWNERDRAW;
        mi.dwItemData = reinterpret_cast<ULONG_PTR>(hMenu);
        SetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &mi);
    }
}

bool ISMENUITEM(const void* pRecord) {
    return pRecord && static_cast<const DRAWITEMSTRUCT*>(pRecord)->CtlType == ODT_MENU;
}
UINT GETDRAWITEM(const DRAWITEMSTRUCT* di) { return di ? di->itemID : 0; }
UINT GETMEAITEM(const MEASUREITEMSTRUCT* mi) { return mi ? mi->itemID : 0; }
HMENU GETDRAWMENU(const DRAWITEMSTRUCT* di) { return di ? reinterpret_cast<HMENU>(di->hwndItem) : nullptr; }

bool ISSEPARATOR(const DRAWITEMSTRUCT* di) {
    return di && (itemType(reinterpret_cast<HMENU>(di->hwndItem), di->itemID) & MFT_SEPARATOR);
}

bool ISMISEPARATOR(const MEASUREITEMSTRUCT* mi) {
    if (!mi || !mi->itemData) return false;
    return itemType(reinterpret_cast<HMENU>(mi->itemData), mi->itemID) & MFT_SEPARATOR;
}

std::string MISTEXT(const DRAWITEMSTRUCT* di) {
    if (!di) return "";
    char buf[100] = {};
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = buf;
    mi.cch = sizeof buf;
    if (!GetMenuItemInfoA(reinterpret_cast<HMENU>(di->hwndItem), di->itemID, FALSE, &mi)) return "";
    return std::string(buf, std::min<std::size_t>(mi.cch, sizeof buf - 1));
}

}  // namespace wl
