// TickTimer's threading: deliveries wait for the target, stopping never waits for it.

#include "goview/view/tick_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace goview {
namespace {

using namespace std::chrono_literals;

// Stands in for the user-interface thread: runs posted tasks one after another.
class FakeUiThread {
public:
    FakeUiThread() : m_thread([this] { Loop(); }) {}
    ~FakeUiThread() { Finish(); }
    // Runs what is still queued and ends the thread; call it before the targets go away.
    void Finish() {
        if (!m_thread.joinable()) return;
        Post({});
        m_thread.join();
    }
    // An empty task ends the loop.
    void Post(std::function<void()> task) {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
        }
        m_changed.notify_all();
    }

private:
    void Loop() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_tasks.empty(); });
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            if (!task) return;
            task();
        }
    }
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_tasks;
    std::thread m_thread;
};

// Records the messages it handles on the fake UI thread; `onMessage` runs before completing.
class RecordingTarget : public TickTarget {
public:
    explicit RecordingTarget(FakeUiThread& ui) : m_ui(ui) {}
    void Deliver(int message, std::shared_ptr<TickDelivery> delivery) override {
        m_ui.Post([this, message, delivery] {
            if (!delivery->IsCancelled()) {
                if (onMessage) onMessage(message);
                std::lock_guard lock(m_mutex);
                m_messages.push_back(message);
            }
            delivery->Complete();
            m_changed.notify_all();
        });
    }
    // Waits (generously) until `count` messages were handled; false on time-out.
    bool WaitFor(size_t count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 20s, [&] { return m_messages.size() >= count; });
    }
    std::vector<int> Messages() {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }
    std::function<void(int)> onMessage;

private:
    FakeUiThread& m_ui;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<int> m_messages;
};

// A target that never handles anything, like a user-interface thread that is busy or gone.
class SilentTarget : public TickTarget {
public:
    void Deliver(int, std::shared_ptr<TickDelivery> delivery) override {
        std::lock_guard lock(m_mutex);
        m_pending.push_back(std::move(delivery));
        m_arrived = true;
        m_changed.notify_all();
    }
    bool WaitForFirst() {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 20s, [&] { return m_arrived; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::shared_ptr<TickDelivery>> m_pending;
    bool m_arrived = false;
};

TEST(TickTimerRegistry, DuplicateIdIsRefusedAndTheRunningTimerKept) {
    TickTimer timer(1h);
    RecordingTarget* none = nullptr;
    EXPECT_TRUE(timer.Register(1, none, 1124, 1));
    EXPECT_FALSE(timer.Register(1, none, 1127, 5));
    EXPECT_TRUE(timer.Register(3, none, 1127, 1));
    EXPECT_TRUE(timer.Remove(1));
    EXPECT_FALSE(timer.Remove(1));
    EXPECT_FALSE(timer.IsRegistered(1));
    timer.RemoveAll();
    EXPECT_FALSE(timer.IsRegistered(3));
    EXPECT_FALSE(timer.Remove(3));
}

TEST(TickTimerDelivery, DueTimersAreDeliveredWithTheirOwnMessage) {
    FakeUiThread ui;
    RecordingTarget target(ui);
    TickTimer timer(2ms);
    ASSERT_TRUE(timer.Register(1, &target, 1124, 1));
    ASSERT_FALSE(timer.Register(1, &target, 1127, 1)) << "the first registration stays";
    ASSERT_TRUE(timer.Register(3, &target, 1127, 3));
    timer.Start();
    ASSERT_TRUE(target.WaitFor(12));
    timer.Stop();
    ui.Finish();
    const std::vector<int> messages = target.Messages();
    const auto ticks = std::count(messages.begin(), messages.end(), 1124);
    const auto countdowns = std::count(messages.begin(), messages.end(), 1127);
    EXPECT_GE(ticks, 3 * countdowns) << "the 3-second timer comes every third round";
    EXPECT_LE(ticks, 3 * countdowns + 3);
}

TEST(TickTimerDelivery, TimerRemovedDuringAnEarlierDeliveryGetsNoStaleMessage) {
    FakeUiThread ui;
    RecordingTarget target(ui);
    TickTimer timer(2ms);
    target.onMessage = [&timer](int message) {
        if (message == 1) timer.Remove(2);
    };
    ASSERT_TRUE(timer.Register(1, &target, 1, 1));
    ASSERT_TRUE(timer.Register(2, &target, 2, 1));
    timer.Start();
    ASSERT_TRUE(target.WaitFor(3));
    timer.Stop();
    ui.Finish();
    for (int m : target.Messages()) EXPECT_EQ(m, 1);
}

TEST(TickTimerStop, StopReturnsWhileADeliveryIsPending) {
    SilentTarget target;
    TickTimer timer(1ms);
    ASSERT_TRUE(timer.Register(1, &target, 1124, 1));
    timer.Start();
    ASSERT_TRUE(target.WaitForFirst());
    timer.Stop();  // the worker waits for a target that never answers: must not hang
    EXPECT_FALSE(timer.IsRegistered(1));
}

TEST(TickTimerStop, StoppingFromTheTargetThreadDuringDeliveriesNeverDeadlocks) {
    for (int round = 0; round < 200; ++round) {
        FakeUiThread ui;
        RecordingTarget target(ui);
        auto timer = std::make_unique<TickTimer>(1ms);
        std::atomic<bool> stopped{false};
        // The view is destroyed while handling a tick, as when the start countdown closes the table.
        target.onMessage = [&](int) {
            if (!stopped.exchange(true)) timer->Stop();
        };
        ASSERT_TRUE(timer->Register(1, &target, 1124, 1));
        ASSERT_TRUE(timer->Register(3, &target, 1127, 1));
        timer->Start();
        ASSERT_TRUE(target.WaitFor(1)) << "round " << round;
        timer.reset();
        ui.Finish();
    }
}

TEST(TickTimerStop, DestroyingWithDeliveriesInFlightFromAnotherThread) {
    for (int round = 0; round < 200; ++round) {
        FakeUiThread ui;
        RecordingTarget target(ui);
        {
            TickTimer timer(std::chrono::milliseconds(round % 3));
            timer.Register(1, &target, 1124, 1);
            timer.Register(2, &target, 1127, 2);
            timer.Start();
            std::this_thread::sleep_for(std::chrono::microseconds(50 * (round % 7)));
        }
        ui.Finish();
    }
}

}  // namespace
}  // namespace goview
