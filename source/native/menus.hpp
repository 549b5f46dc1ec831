// Menu wrappers and the owner-drawn menu painters: the classic look (items
// with a bitmap) and the two office looks, 2007 and 2010, that paint every
// item with the colours of the current skin.
#pragma once

#include <windows.h>

#include <string>

namespace wl {

// Wrappers.
HMENU CREATEMENU();
HMENU CREATEPOPUPMENU();
bool DESTROYMENU(HMENU hMenu);
bool ISMENU(HMENU hMenu);
HMENU LOADMENU(HINSTANCE hInstance, const std::string& cName);
HMENU LOADMENU(HINSTANCE hInstance, int nId);
bool SETMENU(HWND hWnd, HMENU hMenu);
HMENU GETMENU(HWND hWnd);
HMENU GETSYSTEMMENU(HWND hWnd, bool lRevert);
HMENU GETSUBMENU(HMENU hMenu, int nPos);
int GETMITEMCOUNT(HMENU hMenu);
UINT GETMITEMID(HMENU hMenu, int nPos);
UINT GETMENUSTATE(HMENU hMenu, UINT nId, UINT nFlags);
std::string GETMENUSTRING(HMENU hMenu, UINT nId, UINT nFlags);
bool APPENDMENU(HMENU hMenu, UINT nFlags, UINT_PTR nId, const std::string& cText);
bool APPENDMENU(HMENU hMenu, UINT nFlags, UINT_PTR nId, UINT_PTR nValue);  // bitmap or owner data
bool INSERTMENU(HMENU hMenu, UINT nPos, UINT nFlags, UINT_PTR nId, const std::string& cText);
bool MODIFYMENU(HMENU hMenu, UINT nPos, UINT nFlags, UINT_PTR nId, const std::string& cText);
bool MODIFYMENU(HMENU hMenu, UINT nPos, UINT nFlags, UINT_PTR nId, UINT_PTR nValue);
bool REMOVEMENU(HMENU hMenu, UINT nPos, UINT nFlags);
bool ENABLEMENUITEM(HMENU hMenu, UINT nId, UINT nFlags);
bool CHECKMENUITEM(HMENU hMenu, UINT nId, UINT nFlags);
bool HILITEMENUITEM(HWND hWnd, HMENU hMenu, UINT nId, UINT nFlags);
void DRAWMENUBAR(HWND hWnd);
bool TRACKPOPUP(HMENU hMenu, UINT nFlags, int nRow, int nCol, int nReserved, HWND hWnd);
bool TRACKPOPUPEX(HMENU hMenu, UINT nFlags, int nRow, int nCol, HWND hWnd);

// The office looks' colours (one record for the program).
struct MenuSkin {
    COLORREF barFrom = 0, barTo = 0, iconColumn = 0, textArea = 0, line1 = 0, line2 = 0, selectionFrame = 0,
             selUpperFrom = 0, selUpperTo = 0, selLowerFrom = 0, selLowerTo = 0, grayedText = 0,
             grayUpperFrom = 0, grayUpperTo = 0, grayLowerFrom = 0, grayLowerTo = 0, grayFrame = 0;
    bool selectGrayed = false;
    int cornerRadius = 0;
    int look = 0;  // 1: 2007, 2: 2010
};
const MenuSkin& currentMenuSkin();
void SET2007SKINMENU();
void SET2010SKINMENU();
void DELCHECK2007();

// Painters: true for ODA_DRAWENTIRE and ODA_SELECT, false otherwise.
bool MENUDRAWITEM(const DRAWITEMSTRUCT* pDrawItem, const std::string& cPrompt, HMENU hMenuBar, HBITMAP hBitmap);
bool MENUDRAW2007(const DRAWITEMSTRUCT* pDrawItem, const std::string& cPrompt, HMENU hMenuBar, HBITMAP hBitmap,
                  HWND hWnd);
void MENUMEASUREITEM(MEASUREITEMSTRUCT* pMeasureItem, int nWidth, bool lSeparator);
void MITEMS2007(HMENU hMenu);

// Readers of the records.
bool ISMENUITEM(const void* pRecord);
UINT GETDRAWITEM(const DRAWITEMSTRUCT* pDrawItem);
UINT GETMEAITEM(const MEASUREITEMSTRUCT* pMeasureItem);
HMENU GETDRAWMENU(const DRAWITEMSTRUCT* pDrawItem);
bool ISSEPARATOR(const DRAWITEMSTRUCT* pDrawItem);
bool ISMISEPARATOR(const MEASUREITEMSTRUCT* pMeasureItem);
std::string MISTEXT(const DRAWITEMSTRUCT* pDrawItem);

}  // namespace wl
