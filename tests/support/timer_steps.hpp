// Windows tests only: steps run one per timer tick (40 ms) on the test's own
// thread, while the code under test holds a modal loop open.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

namespace zrtest {

class TimerSteps {
public:
    explicit TimerSteps(std::deque<std::function<void()>> steps) {
        steps_ = std::move(steps);
        timer_ = SetTimer(nullptr, 0, 40, &TimerSteps::tick);
    }
    ~TimerSteps() {
        KillTimer(nullptr, timer_);
        steps_.clear();
    }
    TimerSteps(const TimerSteps&) = delete;
    TimerSteps& operator=(const TimerSteps&) = delete;
    static bool done() { return steps_.empty(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (steps_.empty() || running_) return;
        running_ = true;  // a step may open a modal loop of its own
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
        running_ = false;
    }
    static inline std::deque<std::function<void()>> steps_;
    static inline bool running_ = false;
    UINT_PTR timer_ = 0;
};

}  // namespace zrtest
