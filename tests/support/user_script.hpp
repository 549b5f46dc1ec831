// Windows tests only: a scripted user. A timer acts on the top dialog of
// each step once it is up and takes input, so modal dialogs opened by the
// code under test are driven in order, on the test's own thread.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

namespace zrtest {

// One step: once a top-level window with the caption is up and takes input
// (a dialog under a modal one does not), act on it.
struct Step {
    std::string caption;
    std::function<void(HWND)> act;
};

// Types the text into an edit field as a keyboard would: one WM_CHAR per
// character, posted, so that it also works from another thread and is
// taken in order with clicks posted after it.
inline void typeInto(HWND edit, const std::string& text) {
    for (unsigned char c : text) PostMessageA(edit, WM_CHAR, c, 1);
}

// Replaces what the field holds, as a user selecting all of it, pressing
// Delete and typing would.
inline void retypeInto(HWND edit, const std::string& text) {
    PostMessageA(edit, EM_SETSEL, 0, -1);
    PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    typeInto(edit, text);
}

// The child window (button, label, field) of `parent` whose text is `text`;
// null when there is none. The enumeration callback is a named CALLBACK
// function: a lambda has the wrong calling convention in 32-bit builds.
struct ChildSearch {
    std::string text;
    HWND found = nullptr;
};
inline BOOL CALLBACK childSearchStep(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (search->text == text) search->found = child;
    return TRUE;
}
inline HWND childWithText(HWND parent, const std::string& text) {
    ChildSearch search{text};
    EnumChildWindows(parent, childSearchStep, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class UserScript {
public:
    explicit UserScript(std::deque<Step> steps) {
        steps_ = std::move(steps);
        timer_ = SetTimer(nullptr, 0, 30, &UserScript::tick);
    }
    ~UserScript() {
        KillTimer(nullptr, timer_);
        steps_.clear();
    }
    static bool done() { return steps_.empty(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (steps_.empty()) return;
        HWND w = FindWindowA(nullptr, steps_.front().caption.c_str());
        if (!w || !IsWindowVisible(w) || !IsWindowEnabled(w)) return;
        auto act = std::move(steps_.front().act);
        steps_.pop_front();
        act(w);
    }
    static inline std::deque<Step> steps_;
    UINT_PTR timer_ = 0;
};

}  // namespace zrtest
