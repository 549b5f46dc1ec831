// Threads that run tasks handed to them, for work that splits into
// independent parts: the caller submits parts in its order and waits for
// each in the order it chooses. A task's exception reaches whoever waits
// for it. The pool finishes every task handed to it before it goes, so the
// data a task uses may live as long as the pool.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace wl {

class WorkPool {
public:
    // The task's index of thread (0 .. threads-1) lets it use that thread's own data.
    using Task = std::function<void(unsigned thread)>;
    class Job;

    explicit WorkPool(unsigned threads);
    ~WorkPool();
    WorkPool(const WorkPool&) = delete;
    WorkPool& operator=(const WorkPool&) = delete;

    unsigned threads() const { return static_cast<unsigned>(threads_.size()); }
    std::shared_ptr<Job> submit(Task task);
    // Until the job has run; rethrows its exception.
    void wait(const std::shared_ptr<Job>& job);

    // The threads worth starting on this machine: one per processor, at
    // most `most`, at least 1.
    static unsigned usefulThreads(unsigned most);

private:
    void serve(unsigned thread);

    std::mutex mutex_;
    std::condition_variable queued_, finished_;
    std::deque<std::shared_ptr<Job>> queue_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

class WorkPool::Job {
private:
    friend class WorkPool;
    Task task;
    bool done = false;
    std::exception_ptr error;
};

}  // namespace wl
