// Process state of the message loops that the native layer reads and
// keeps: the loop-running flag, the last typed character, and a drain of
// the messages waiting in this thread's queue.
#pragma once

#include <windows.h>

namespace wl {

// True while the main loop or a modal dialog runs.
bool LWRUNNING();
// Sets the flag and answers the value it had.
bool setLoopRunning(bool running);

// The character code of the last WM_CHAR a loop took out of the queue.
int LASTKEYCHAR();
// The loops call this for every message they take.
void noteLoopMessage(const MSG& msg);

// Runs every message waiting in the queue and returns at once when it is
// empty. A quit message ends the drain and is posted again so that the
// loop that waits for it still ends; answers false then, else true.
bool PumpPendingMessages();

}  // namespace wl
