#include "toolbars.hpp"

#include <algorithm>
#include <cstring>

#include "wide_text.hpp"

namespace wl {
namespace {

// The toolbar keeps its own copy of a string added with TB_ADDSTRING; the
// list ends with two zero bytes.
INT_PTR addString(HWND hToolbar, const std::optional<std::string>& text) {
    // -1: no text (string 0 would be the first button's text).
    if (!text) return -1;
    std::string list = *text;
    list.push_back('\0');
    list.push_back('\0');
    const LRESULT index = SendMessageA(hToolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(list.data()));
    return index < 0 ? -1 : static_cast<INT_PTR>(index);
}

bool addButton(HWND hToolbar, int nId, int nImage, const std::optional<std::string>& text, BYTE style) {
    if (!IsWindow(hToolbar)) return false;
    TBBUTTON b{};
    b.iBitmap = nImage - 1;
    b.idCommand = nId;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = style;
    b.iString = addString(hToolbar, text);
    return SendMessageA(hToolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b)) != 0;
}

}  // namespace

HWND CREATETLBAR(HWND hParent, int nId, int nButtonWidth, int nButtonHeight) {
    // The tool tip window is made only when the toolbar is created with
    // TBSTYLE_TOOLTIPS; setting the style later is too late for it.
    HWND h = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, hParent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), GetModuleHandleA(nullptr), nullptr);
    if (!h) return nullptr;
    SendMessageA(h, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(nButtonWidth, nButtonHeight));
    return h;
}

bool TBADDBUTTON(HWND hToolbar, int nId, int nImage, const std::optional<std::string>& cText) {
    const bool ok = addButton(hToolbar, nId, nImage, cText, BTNS_BUTTON);
    if (ok) SendMessageA(hToolbar, TB_AUTOSIZE, 0, 0);
    return ok;
}

bool TBADDMENU(HWND hToolbar, int nId, int nImage, const std::optional<std::string>& cText) {
    return addButton(hToolbar, nId, nImage, cText, BTNS_DROPDOWN);
}

bool TBADDSEPARATOR(HWND hToolbar) {
    if (!IsWindow(hToolbar)) return false;
    TBBUTTON b{};
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_SEP;
    const bool ok = SendMessageA(hToolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b)) != 0;
    SendMessageA(hToolbar, TB_AUTOSIZE, 0, 0);
    return ok;
}

bool TBSETTEXT(HWND hToolbar, int nIndex, const std::string& cText) {
    std::string text = cText;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = text.data();
    info.cchText = static_cast<int>(text.size());
    return SendMessageA(hToolbar, TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex - 1),
                        reinterpret_cast<LPARAM>(&info)) != 0;
}

bool TBENABLEBUTTON(HWND hToolbar, int nId, bool lEnable) {
    return SendMessageA(hToolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(nId), MAKELPARAM(lEnable ? 1 : 0, 0)) != 0;
}

std::array<int, 3> TBGETRECT(HWND hToolbar, const NMTOOLBARA* pNmToolbar, HWND hWndTo) {
    if (!pNmToolbar) return {0, 0, 0};
    RECT r{};
    SendMessageA(hToolbar, TB_GETRECT, static_cast<WPARAM>(pNmToolbar->iItem), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(hToolbar, hWndTo, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.bottom, pNmToolbar->iItem};
}

void TTNSETTEXT(NMTTDISPINFOW* pDispInfo, const std::string& cText) {
    if (!pDispInfo) return;
    const std::wstring wide = AnsiToWideAlloc(cText);
    const std::size_t n = std::min<std::size_t>(wide.size(), std::size(pDispInfo->szText) - 1);
    std::copy_n(wide.begin(), n, pDispInfo->szText);
    pDispInfo->szText[n] = L'\0';
    pDispInfo->lpszText = pDispInfo->szText;
    pDispInfo->hinst = nullptr;
    pDispInfo->uFlags = 0;
}

void TTNSETTEXT(NMTTDISPINFOA* pDispInfo, const std::string& cText) {
    if (!pDispInfo) return;
    const std::size_t n = std::min<std::size_t>(cText.size(), std::size(pDispInfo->szText) - 1);
    std::memcpy(pDispInfo->szText, cText.data(), n);
    pDispInfo->szText[n] = '\0';
    pDispInfo->lpszText = pDispInfo->szText;
    pDispInfo->hinst = nullptr;
    pDispInfo->uFlags = 0;
}

void SETREBARINFO(HWND hRebar) {
    REBARINFO info{};
    info.cbSize = sizeof info;
    SendMessageA(hRebar, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
}

void RBINSERTBAND(HWND hRebar, HWND hChild, const std::string& cText) {
    RECT r{};
    GetWindowRect(hChild, &r);
    std::string text = cText;
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = RBBS_CHILDEDGE;
    band.lpText = text.data();
    band.hwndChild = hChild;
    band.cxMinChild = static_cast<UINT>(r.right - r.left);
    band.cyMinChild = static_cast<UINT>(r.bottom - r.top);
    band.cx = static_cast<UINT>(r.right - r.left);
    SendMessageA(hRebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

}  // namespace wl
