// A top-level window that native control tests put one common control on;
// both go when the host goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace wltest {

struct ControlHost {
    HWND parent = nullptr;
    HWND control = nullptr;
    ControlHost(const char* className, DWORD style, int width = 240, int height = 200) {
        ::INITCOMMONCONTROLSEX icc{sizeof(::INITCOMMONCONTROLSEX),
                                 ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&icc);
        parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, width + 40, height + 60, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        control = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~ControlHost() {
        if (parent) DestroyWindow(parent);
    }
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
};

}  // namespace wltest
