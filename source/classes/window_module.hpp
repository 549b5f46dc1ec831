// The window library's shared bookkeeping: the registry of window objects,
// the window being created, the open tooltip and the switches set through
// SETBALLOON and friends. Private to the TWindow files; the one instance
// lives in window.cpp.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "window.hpp"
#include "slot_registry.hpp"

namespace wl {
namespace window_detail {


struct WindowModule {
    SlotRegistry<TWindow> registry;
    TWindow* defaultWindow = nullptr;
    TWindow* creating = nullptr;  // the window whose CreateWindowEx is running
    bool balloon = false;
    bool skins = false;
    bool alpha = true;
    std::string browseClasses = "|TXBROWSE|TWBROWSE|";
    Value dropInfo;
    bool helpGuard = false;
    // The open system tooltip and the window it belongs to; shown: a
    // window's own tooltip object is showing until the mouse leaves.
    struct {
        HWND tip = nullptr;
        HWND owner = nullptr;
        HWND last = nullptr;
        bool shown = false;
    } toolTip;
    EventErrorHook errorHook;
    std::map<std::string, bool> registered;  // class-wide lRegistered
    TMenuItem* menuItemSelect = nullptr;     // class-wide oMItemSelect
    int toolTipDelay = 900;                  // class-wide nToolTip
};

WindowModule& module();
void reportEventError(const EventError& e);
int signedLo(LPARAM l);
int signedHi(LPARAM l);
std::shared_ptr<TBrush> solidBrush(Color c);
int lo(std::uint64_t v);
int hi(std::uint64_t v);

}  // namespace window_detail
}  // namespace wl
