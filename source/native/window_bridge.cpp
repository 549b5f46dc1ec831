#include "window_bridge.hpp"
#include "process_state.hpp"

namespace wl {
namespace {
struct Bridge {
    BridgeHandler handler = nullptr;
};
BridgeHandler handler() { return processState().procedureBridge.get<Bridge>().handler; }
}  // namespace

void setBridgeHandler(BridgeHandler handler) { processState().procedureBridge.get<Bridge>().handler = handler; }

LRESULT CALLBACK WLWNDPROC(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    const auto n = static_cast<std::size_t>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    BridgeAnswer answer;
    if (BridgeHandler h = handler()) answer = h(hWnd, nMsg, wParam, lParam, n);
    if (answer.result) return *answer.result;
    // A message without an answer always gets the default handling of this
    // window, never a value left over from another message or window.
    if (answer.oldProc && answer.oldProc != &WLWNDPROC)
        return CallWindowProcA(answer.oldProc, hWnd, nMsg, wParam, lParam);
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

WNDPROC XCHANGEPROC(HWND hWnd, std::size_t n) {
    if (!IsWindow(hWnd)) return nullptr;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(n));
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WLWNDPROC)));
}

WNDPROC RESTPROC(HWND hWnd, WNDPROC nProc) {
    if (!IsWindow(hWnd)) return nullptr;
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nProc)));
}

}  // namespace wl
