#include "timer.hpp"

#include <algorithm>
#include <vector>

#include "input_and_timers.hpp"
#include "window.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

struct TimerModule {
    std::vector<TTimer*> timers;
    UINT_PTR nextId = 1;
};

TimerModule& timerModule() {
    return processState().timers.get<TimerModule>();
}

}  // namespace

std::shared_ptr<TTimer> TTimer::New(int interval, std::function<void()> action, TWindow* wnd) {
    std::shared_ptr<TTimer> t(new TTimer());
    t->nInterval = interval;
    t->bAction = std::move(action);
    t->nId = timerModule().nextId++;
    t->hWndOwner = wnd ? wnd->hWnd : GetActiveWindow();
    timerModule().timers.push_back(t.get());
    t->listed_ = true;
    return t;
}

TTimer::~TTimer() { End(); }

void TTimer::Activate() {
    UINT_PTR given = SETTIMER(hWndOwner, nId, static_cast<UINT>(nInterval));
    if (given) nId = given;
    lActive = given != 0;
}

void TTimer::DeActivate() {
    lActive = false;
    KILLTIMER(hWndOwner, nId);
}

void TTimer::End() {
    DeActivate();
    if (!listed_) return;
    auto& list = timerModule().timers;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    listed_ = false;
}

int TIMEREVENT(UINT_PTR id) {
    for (TTimer* t : timerModule().timers) {
        if (t->nId != id) continue;
        if (t->lActive && t->bAction) {
            // The action may end its own timer: keep a copy while it runs.
            auto action = t->bAction;
            action();
        }
        break;
    }
    return 0;
}

}  // namespace wl
