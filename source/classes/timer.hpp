// TTimer: a window timer that runs an action periodically. Timers are kept
// in one list; the owner window's WM_TIMER reaches them through TIMEREVENT.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "value.hpp"

namespace wl {

class TWindow;

class TTimer {
public:
    // Interval in milliseconds; the owner is the window, else the active
    // window. The timer joins the list inactive.
    static std::shared_ptr<TTimer> New(int interval = 18, std::function<void()> action = {}, TWindow* wnd = nullptr);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    void Activate();
    void DeActivate();
    // Stops the timer and takes it out of the list.
    void End();

    std::function<void()> bAction;
    bool lActive = false;
    UINT_PTR nId = 0;
    int nInterval = 18;
    HWND hWndOwner = nullptr;
    Value Cargo;

private:
    TTimer() = default;
    bool listed_ = false;
};

// Runs the action of the first active timer of the list with that id;
// answers 0.
int TIMEREVENT(UINT_PTR id);

}  // namespace wl
