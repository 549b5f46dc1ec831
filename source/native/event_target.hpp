// What the native layer needs of a window or dialog object: one entry that
// turns a Windows message into the object's method call. An answer of no
// value lets Windows do its default handling; windows and dialogs answer
// alike, so the dialog procedure and the window procedure read one type.
#pragma once

#include <windows.h>

#include "action.hpp"

namespace wl {

class EventTarget {
public:
    virtual ~EventTarget() = default;
    virtual Answer HandleEvent(UINT nMsg, WPARAM nWParam, LPARAM nLParam) = 0;
};

}  // namespace wl
