// Windows tests only: acting on a modal dialog that the code under test
// shows, from a second thread, once the dialog is up.
#pragma once

#include <windows.h>

#include <thread>

namespace zrtest {

// Waits (up to ten seconds) for a top-level dialog with the caption and
// runs `act` on it.
template <class Act>
std::thread whenShown(const char* caption, Act act) {
    return std::thread([caption, act] {
        for (int i = 0; i < 500; ++i) {
            if (HWND box = FindWindowA("#32770", caption)) {
                Sleep(50);
                act(box);
                return;
            }
            Sleep(20);
        }
    });
}

}  // namespace zrtest
