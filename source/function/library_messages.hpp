// The library's private window messages that the native and winapi layers
// send or post (numbered from WM_USER + 1024).
#pragma once

namespace wl {

// A parent asks an owner-drawn control to draw itself (wParam, lParam as
// with WM_DRAWITEM).
constexpr unsigned LM_DRAWITEM = 2056;
// F1 was pressed while a menu was open.
constexpr unsigned LM_HELPF1 = 2061;

}  // namespace wl
