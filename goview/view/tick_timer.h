#pragma once

// The view's one-second timer service: a list of timers and a worker thread that, once a second,
// counts every timer and hands each due timer's message to its target, waiting until the target
// has handled it. Plain C++ so that its threading can be checked on its own.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace goview {

// One message handed to a target. The target calls Complete() once it has handled it (from any
// thread); the worker waits for that, unless the timer service is stopped meanwhile.
class TickDelivery {
public:
    void Complete();
    // Ends the worker's wait without the target having handled the message.
    void Cancel();
    bool IsCancelled() const;
    // Worker side: blocks until completed or cancelled.
    void Wait();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_completed = false;
    bool m_cancelled = false;
};

// Receives timer messages. Deliver runs on the worker thread and must only arrange for the message
// to be handled on the target's own thread (for the view: post an event), never handle it there.
class TickTarget {
public:
    virtual ~TickTarget() = default;
    virtual void Deliver(int message, std::shared_ptr<TickDelivery> delivery) = 0;
};

class TickTimer {
public:
    // `interval` is one second in the product; tests shorten it.
    explicit TickTimer(std::chrono::milliseconds interval = std::chrono::milliseconds(1000));
    ~TickTimer();
    TickTimer(const TickTimer&) = delete;
    TickTimer& operator=(const TickTimer&) = delete;

    // Starts the worker; a second call does nothing.
    void Start();
    // False when a timer with this id exists already: that timer keeps its target, message,
    // period and count, so re-registering a running timer does not delay its next tick.
    bool Register(int id, TickTarget* target, int message, int periodSeconds);
    // False when there was no timer with this id.
    bool Remove(int id);
    void RemoveAll();
    // Removes every timer and ends the worker. Never waits for a target: a delivery the target has
    // not handled yet is cancelled, so stopping from the target's own thread cannot deadlock.
    void Stop();

    bool IsRegistered(int id) const;

private:
    struct Entry {
        int id;
        TickTarget* target;
        int message;
        int period;
        int count;
        uint64_t serial;  // tells a timer apart from a later one registered with the same id
    };

    void Run();
    // The entry with this id and serial still in the list, or null.
    const Entry* FindLive(int id, uint64_t serial) const;

    const std::chrono::milliseconds m_interval;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Entry> m_entries;
    uint64_t m_nextSerial = 1;
    bool m_stopping = false;
    std::shared_ptr<TickDelivery> m_inFlight;
    std::thread m_worker;
};

}  // namespace goview
