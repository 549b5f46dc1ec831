// TWindow: the parent's bookkeeping of its controls (the list, the focus,
// the docking slots), changed only through these methods.
#include "window.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "hot_keys.hpp"

namespace wl {

TWindow*& TWindow::dockSlot(Dock side) {
    switch (side) {
    case Dock::Top: return oTop;
    case Dock::Left: return oLeft;
    case Dock::Bottom: return oBottom;
    case Dock::Right: return oRight;
    case Dock::Client: return oClient;
    case Dock::Bar: return oBar;
    case Dock::MsgBar: break;
    }
    return oMsgBar;
}

void TWindow::undock(const TWindow* control, std::initializer_list<Dock> sides) {
    for (Dock side : sides) {
        TWindow*& slot = dockSlot(side);
        if (slot == control) slot = nullptr;
    }
}

void TWindow::forgetControl(const TWindow* control) {
    aControls.erase(std::remove(aControls.begin(), aControls.end(), control), aControls.end());
    if (oCtlFocus == control) oCtlFocus = nullptr;
}

void TWindow::focusControl(TWindow* control) {
    oCtlFocus = control;
    hCtlFocus = control ? control->hWnd : nullptr;
}

void TWindow::detachChildren() {
    // A control that outlives its parent must not write into it.
    for (TWindow* c : std::exchange(aControls, {}))
        if (c && c->oWnd == this) c->oWnd = nullptr;
    oCtlFocus = nullptr;
    for (Dock side : {Dock::Top, Dock::Left, Dock::Bottom, Dock::Right, Dock::Client, Dock::Bar, Dock::MsgBar})
        dockSlot(side) = nullptr;
}

namespace {
std::string windowTextOf(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

bool isLabelWindow(HWND h) {
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    return lstrcmpiA(cls, "Static") == 0;
}
}  // namespace

HWND TWindow::GetHotPos(char ch, HWND /*from*/) const {
    if (!hWnd) return nullptr;
    std::vector<HWND> windows;
    for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) windows.push_back(c);
    std::vector<std::string> texts;
    texts.reserve(windows.size());
    for (HWND c : windows) {
        const TWindow* o = OWNDFROMHWND(c);
        texts.push_back(o ? o->hotKeyCaption() : windowTextOf(c));
    }
    std::vector<HotKeyCandidate> children;
    for (std::size_t i = 0; i < windows.size(); ++i)
        children.push_back({texts[i], IsWindowEnabled(windows[i]) != 0, isLabelWindow(windows[i])});
    const auto at = hotKeyTarget(children, ch);
    return at ? windows[*at] : nullptr;
}

}  // namespace wl
