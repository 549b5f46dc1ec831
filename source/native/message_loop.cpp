#include "message_loop.hpp"

#include <array>
#include "process_state.hpp"

namespace wl {
namespace {

struct LoopState {
    HWND mainWindow = nullptr;
    HACCEL accel = nullptr;
    bool accelOwned = false;     // built by SETACCTABLE: destroyed here
    HWND accelTarget = nullptr;  // the window the table's commands go to
    std::array<HWND, kModelessDialogSlots> dialogs{};
    std::size_t highest = 0;
    HWND lastDialog = nullptr;
};

LoopState& state() {
    return processState().messageLoop.get<LoopState>();
}

// Translates a key through the process table for its window; true when
// the table took it (the window got its WM_COMMAND).
bool translateAccel(MSG& msg) {
    LoopState& s = state();
    HWND target = s.accelTarget && IsWindow(s.accelTarget) ? s.accelTarget : s.mainWindow;
    return s.accel && target && TranslateAcceleratorA(target, s.accel, &msg);
}

// Offers the message to the open modeless dialogs: the last one that took a
// message first, then each registered one. True when one took it.
bool offerToDialogs(MSG& msg) {
    LoopState& s = state();
    if (s.lastDialog && IsWindow(s.lastDialog) && IsDialogMessageA(s.lastDialog, &msg)) return true;
    for (std::size_t i = 0; i <= s.highest && i < s.dialogs.size(); ++i) {
        HWND d = s.dialogs[i];
        if (d && d != s.lastDialog && IsWindow(d) && IsDialogMessageA(d, &msg)) {
            s.lastDialog = d;
            return true;
        }
    }
    return false;
}

void translateAndDispatch(const MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}  // namespace

HWND WINRUN(HWND hWnd) {
    LoopState& s = state();
    HWND previous = s.mainWindow;
    setLoopRunning(true);
    if (hWnd) s.mainWindow = hWnd;
    MSG msg{};
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) break;
        noteLoopMessage(msg);
        if (offerToDialogs(msg)) continue;
        if (!translateAccel(msg)) translateAndDispatch(msg);
    }
    setLoopRunning(false);
    // A main window destroyed meanwhile is not put back.
    s.mainWindow = previous && IsWindow(previous) ? previous : nullptr;
    return previous;
}

bool SYSREFRESH() {
    bool quit = false;
    int quitCode = 0;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        noteLoopMessage(msg);
        if (offerToDialogs(msg)) continue;
        // The table is read for every message: an action run meanwhile may
        // activate another window and with it another table.
        if (!translateAccel(msg)) translateAndDispatch(msg);
    }
    // Posted again whether or not the loop runs yet: a batch run drains
    // before its loop starts, and a quit lost there would leave the program
    // running without a window.
    // The code is kept: it is the program's exit code.
    if (quit) PostQuitMessage(quitCode);
    return !quit;
}

HWND GETWNDAPP() { return state().mainWindow; }
void forgetWndApp(HWND hWnd) {
    if (hWnd && state().mainWindow == hWnd) state().mainWindow = nullptr;
}
HWND SETWNDAPP(HWND hWnd) {
    if (!state().mainWindow) state().mainWindow = hWnd;
    return hWnd;
}

bool REGDIALOG(HWND hDlg) {
    LoopState& s = state();
    for (std::size_t i = 0; i < s.dialogs.size(); ++i)
        if (!s.dialogs[i]) {
            s.dialogs[i] = hDlg;
            if (i > s.highest) s.highest = i;
            return true;
        }
    return false;
}

bool CANREGDIALOG() {
    for (HWND d : state().dialogs)
        if (!d) return true;
    return false;
}

bool DEREGDIALOG(HWND hDlg) {
    LoopState& s = state();
    for (std::size_t i = 0; i < s.dialogs.size(); ++i)
        if (s.dialogs[i] == hDlg) {
            s.dialogs[i] = nullptr;
            if (s.lastDialog == hDlg) s.lastDialog = nullptr;
            if (i == s.highest) {
                s.highest = 0;
                for (std::size_t j = i; j-- > 0;)
                    if (s.dialogs[j]) {
                        s.highest = j;
                        break;
                    }
            }
            return true;
        }
    return false;
}

std::size_t modelessHighestSlot() { return state().highest; }

HACCEL makeAccelTable(const std::vector<AccelKey>& keys) {
    std::vector<ACCEL> table;
    for (const auto& k : keys) {
        ACCEL a{};
        a.fVirt = static_cast<BYTE>(k.flags | FVIRTKEY);
        a.key = static_cast<WORD>(k.key);
        a.cmd = static_cast<WORD>(k.command);
        table.push_back(a);
    }
    return table.empty() ? nullptr : CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

HACCEL SETACCTABLE(const std::vector<AccelKey>& keys) {
    SETACCTABLE();
    if (keys.empty()) return nullptr;
    state().accel = makeAccelTable(keys);
    state().accelOwned = state().accel != nullptr;
    state().accelTarget = nullptr;
    return state().accel;
}

void SETACCTABLE() {
    LoopState& s = state();
    if (s.accel && s.accelOwned) DestroyAcceleratorTable(s.accel);
    s.accel = nullptr;
    s.accelOwned = false;
    s.accelTarget = nullptr;
}

void useAccelTable(HACCEL table, HWND target) {
    SETACCTABLE();
    state().accel = table;
    state().accelTarget = table ? target : nullptr;
}

HACCEL processAccelTable() { return state().accel; }

int TRANSLATEACCELERATOR(HWND hWnd, HACCEL hAccel, HWND hWndFocus, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hWndFocus;
    msg.message = nMsg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return TranslateAcceleratorA(hWnd, hAccel, &msg);
}

bool PEEKMESSAGE(MSG& msg, HWND hWnd, UINT nMin, UINT nMax, UINT nRemove) {
    return PeekMessageA(&msg, hWnd, nMin, nMax, nRemove) != 0;
}
void WAITMESSAGE() { WaitMessage(); }
void MESSAGEBEEP(UINT nType) { MessageBeep(nType); }
void MSGBEEP() { MessageBeep(0); }

}  // namespace wl
