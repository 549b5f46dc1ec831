#include "tooltips.hpp"

#include <commctrl.h>

#include <vector>

#include "desktop_facts.hpp"

namespace wl {

namespace {

// The record size every common-control version accepts.
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;

HWND makeTip(HWND hWnd, const std::string& text, bool balloon, int maxWidth) {
    if (!IsWindow(hWnd)) return nullptr;
    DWORD style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;
    if (balloon) style |= TTS_BALLOON;
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tip) return nullptr;
    if (dropShadowsAvailable())
        SetClassLongPtrA(tip, GCL_STYLE, static_cast<LONG_PTR>(GetClassLongPtrA(tip, GCL_STYLE) | CS_DROPSHADOW));
    // The control keeps its own copy of the text.
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    TTTOOLINFOA ti{};
    ti.cbSize = kToolInfoSize;
    ti.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
    ti.hwnd = hWnd;
    ti.hinst = GetModuleHandleA(nullptr);
    ti.lpszText = copy.data();
    GetClientRect(hWnd, &ti.rect);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return tip;
}

}  // namespace

HWND CREATETOOLTIP(HWND hWnd, const std::string& cText, bool lBalloon) { return makeTip(hWnd, cText, lBalloon, 120); }

HWND showWindowToolTip(HWND hWnd, const ToolTipText& tip, bool lBalloon, int nDelay) {
    HWND h = makeTip(hWnd, tip.text, lBalloon, 300);
    if (!h) return nullptr;
    SendMessageA(h, TTM_SETDELAYTIME, TTDT_INITIAL, nDelay);
    if (!tip.title.empty())
        SendMessageA(h, TTM_SETTITLEA, static_cast<WPARAM>(tip.icon), reinterpret_cast<LPARAM>(tip.title.c_str()));
    if (tip.fore) SendMessageA(h, TTM_SETTIPTEXTCOLOR, *tip.fore, 0);
    if (tip.back) SendMessageA(h, TTM_SETTIPBKCOLOR, *tip.back, 0);
    return h;
}

void TOOLTIPAT(HWND hTip, int nX, int nY) {
    if (!IsWindow(hTip)) return;
    // The tool is set again with its own text: a record without one would
    // empty it.
    std::string text = toolTipText(hTip);
    TTTOOLINFOA ti{};
    ti.cbSize = kToolInfoSize;
    if (!SendMessageA(hTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti))) return;
    ti.lpszText = text.data();
    ti.uFlags = (ti.uFlags & ~TTF_SUBCLASS) | TTF_TRACK | TTF_ABSOLUTE;
    SendMessageA(hTip, TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(hTip, TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(nX), static_cast<WORD>(nY)));
    SendMessageA(hTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

std::string toolTipText(HWND hTip) {
    if (!IsWindow(hTip)) return "";
    // Common controls 6 cut the text at the buffer's size (wParam); older
    // ones copy at most 80 bytes.
    char buffer[1024] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = kToolInfoSize;
    if (!SendMessageA(hTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti))) return "";
    ti.lpszText = buffer;
    SendMessageA(hTip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

}  // namespace wl
