#include "work_pool.hpp"

#include <algorithm>

namespace wl {

WorkPool::WorkPool(unsigned threads) {
    for (unsigned t = 0; t < std::max(threads, 1u); ++t) threads_.emplace_back([this, t] { serve(t); });
}

WorkPool::~WorkPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& t : threads_) t.join();
}

unsigned WorkPool::usefulThreads(unsigned most) {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores == 0 ? 1u : cores, 1u, std::max(most, 1u));
}

std::shared_ptr<WorkPool::Job> WorkPool::submit(Task task) {
    auto job = std::make_shared<Job>();
    job->task = std::move(task);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(job);
    }
    queued_.notify_one();
    return job;
}

void WorkPool::wait(const std::shared_ptr<Job>& job) {
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [&] { return job->done; });
    if (job->error) std::rethrow_exception(job->error);
}

void WorkPool::serve(unsigned thread) {
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // Queued tasks still run when the pool is stopping.
            queued_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        try {
            job->task(thread);
        } catch (...) {
            job->error = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            job->done = true;
        }
        finished_.notify_all();
    }
}

}  // namespace wl
