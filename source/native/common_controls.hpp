// Common-control initialisation, image lists and the list box readers.
// Image-list functions are taken from "comctl32.dll" loaded by name the
// first time one is used (so the version chosen by the program's manifest
// serves them).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace wl {

// InitCommonControls, once per run.
void INITCOMMONCONTROLS();
bool INITCOMMONCONTROLSEX(DWORD nClasses);
// The date and time picker classes; a message box when they cannot load.
void INITCOMMON();

HIMAGELIST ILCREATE(int nWidth, int nHeight);
bool ILDESTROY(HIMAGELIST hImageList);
int ILADD(HIMAGELIST hImageList, HBITMAP hBitmap, HBITMAP hMask);
int ILADDMASKED(HIMAGELIST hImageList, HBITMAP hBitmap, COLORREF nMaskColor);
int ILADDICON(HIMAGELIST hImageList, HICON hIcon);
COLORREF ILSETBKCOLOR(HIMAGELIST hImageList, COLORREF nColor);
// A bitmap file split into images nWidth pixels wide.
HIMAGELIST ILLOADIMAGE(const std::string& cFile, int nWidth, int nGrow, COLORREF nMaskColor);

// Item nItem (from 1) of a list box; "" when there is no such item.
std::string LBXGETITEM(HWND hListBox, int nItem);
// The selected items' numbers (from 1).
std::vector<int> LBXGETSELITEMS(HWND hListBox);

}  // namespace wl
