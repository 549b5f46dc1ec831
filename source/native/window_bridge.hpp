// The library's generic window procedure: every window whose messages the
// library handles runs it (as its class procedure or by subclassing). It
// reads the window's item number from the user data and asks the handler
// (the window registry) for an answer; no answer means the old procedure or
// the default handling.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace wl {

struct BridgeAnswer {
    std::optional<LRESULT> result;  // nothing: pass the message on
    WNDPROC oldProc = nullptr;      // where to pass it (DefWindowProc when none)
};

// hWnd, message, wParam, lParam, item number (0: none).
using BridgeHandler = BridgeAnswer (*)(HWND, UINT, WPARAM, LPARAM, std::size_t);
void setBridgeHandler(BridgeHandler handler);

LRESULT CALLBACK WLWNDPROC(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Stores n as the window's user data, installs the generic procedure and
// answers the previous one.
WNDPROC XCHANGEPROC(HWND hWnd, std::size_t n);
// Installs nProc again; answers the replaced procedure.
WNDPROC RESTPROC(HWND hWnd, WNDPROC nProc);

}  // namespace wl
