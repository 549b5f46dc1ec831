// Windows tests only: a guard against a scripted run that never comes
// back. Should the guarded scope outlast its limit, the guard says which
// run hung and ends the test program with a failure, so that ctest reports
// it at once instead of waiting for its own time-out.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace zrtest {

class HangGuard {
public:
    HangGuard(std::string what, std::chrono::seconds limit) : what_(std::move(what)) {
        watcher_ = std::thread([this, limit] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (cv_.wait_for(lock, limit, [this] { return finished_; })) return;
            std::fprintf(stderr, "HANG: %s did not come back within %lld s\n", what_.c_str(),
                         static_cast<long long>(limit.count()));
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        });
    }
    ~HangGuard() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        cv_.notify_all();
        watcher_.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    std::string what_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool finished_ = false;
    std::thread watcher_;
};

}  // namespace zrtest
