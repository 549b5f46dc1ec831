// Acting on the program's modal dialogs from a second thread, as a user
// would: wait for a dialog by its caption, find its controls by text,
// click, type, press Escape, read texts back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zrtest {

// The top-level dialog with the caption, waited for up to ten seconds (0
// when it never showed).
inline HWND waitForDialog(const char* caption, const char* cls = "#32770") {
    for (int i = 0; i < 500; ++i) {
        if (HWND h = FindWindowA(cls, caption)) {
            if (IsWindowVisible(h)) {
                Sleep(50);
                return h;
            }
        }
        Sleep(20);
    }
    return nullptr;
}

// The n-th child (from 0) of the class, optionally with the text.
inline HWND childOf(HWND parent, const char* cls, const char* text = nullptr, int n = 0) {
    HWND child = nullptr;
    for (int i = 0; i <= n; ++i) {
        child = FindWindowExA(parent, child, cls, text);
        if (!child) return nullptr;
    }
    return child;
}

// A click the button's own thread runs when it comes to it (a click that
// opens another modal dialog must not block the clicking thread).
inline void postClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

inline std::string textOf(HWND h) {
    const LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

// The texts of every child of the class, in window order.
inline std::vector<std::string> childTexts(HWND parent, const char* cls) {
    std::vector<std::string> texts;
    for (HWND c = FindWindowExA(parent, nullptr, cls, nullptr); c; c = FindWindowExA(parent, c, cls, nullptr))
        texts.push_back(textOf(c));
    return texts;
}

// Waits (up to ten seconds) until the window is gone.
inline bool waitGone(HWND h) {
    for (int i = 0; i < 500 && IsWindow(h); ++i) Sleep(20);
    return !IsWindow(h);
}

}  // namespace zrtest
