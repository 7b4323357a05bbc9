#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <type_traits>

namespace hall {

// A thread of its own that runs the jobs it is given one after another, in the order given.
// Post hands a job over and returns at once; Call waits for its job, and so for every job posted
// before it. Destroying it runs what is still queued, then ends the thread. Jobs must not call
// back into the same JobThread.
class JobThread {
public:
    JobThread();
    ~JobThread();
    JobThread(const JobThread&) = delete;
    JobThread& operator=(const JobThread&) = delete;

    void Post(std::function<void()> job);

    template <class Job>
    std::invoke_result_t<Job&> Call(Job&& job) {
        std::packaged_task<std::invoke_result_t<Job&>()> task(std::forward<Job>(job));
        auto result = task.get_future();
        // The task stays on this stack until its result is in.
        Post([&task] { task(); });
        return result.get();
    }

private:
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;  // guarded by m_mutex
    bool m_stopping = false;                    // guarded by m_mutex; set once, by the destructor
    std::thread m_thread;                       // last: it starts once everything above exists
};

}  // namespace hall
