#include "message_pump.hpp"
#include "process_state.hpp"

namespace wl {

namespace {
struct Pump {
    bool loopRunning = false;
    int lastKeyChar = 0;
};
Pump& pump() { return processState().messagePump.get<Pump>(); }
}  // namespace

bool LWRUNNING() { return pump().loopRunning; }

bool setLoopRunning(bool running) {
    bool before = pump().loopRunning;
    pump().loopRunning = running;
    return before;
}

int LASTKEYCHAR() { return pump().lastKeyChar; }

void noteLoopMessage(const MSG& msg) {
    if (msg.message == WM_CHAR) pump().lastKeyChar = static_cast<int>(msg.wParam);
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
