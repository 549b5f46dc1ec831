#include "message_pump.hpp"

namespace wl {

namespace {
bool loopRunning = false;
int lastKeyChar = 0;
}  // namespace

bool LWRUNNING() { return loopRunning; }

bool setLoopRunning(bool running) {
    bool before = loopRunning;
    loopRunning = running;
    return before;
}

int LASTKEYCHAR() { return lastKeyChar; }

void noteLoopMessage(const MSG& msg) {
    if (msg.message == WM_CHAR) lastKeyChar = static_cast<int>(msg.wParam);
}

bool PumpPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        noteLoopMessage(msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace wl
