#include "goview/view/tick_timer.h"

#include <algorithm>

namespace goview {

void TickDelivery::Complete() {
    {
        std::lock_guard lock(m_mutex);
        m_completed = true;
    }
    m_changed.notify_all();
}

void TickDelivery::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_changed.notify_all();
}

bool TickDelivery::IsCancelled() const {
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

void TickDelivery::Wait() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_completed || m_cancelled; });
}

TickTimer::TickTimer(std::chrono::milliseconds interval) : m_interval(interval) {}

TickTimer::~TickTimer() { Stop(); }

void TickTimer::Start() {
    std::lock_guard lock(m_mutex);
    if (m_worker.joinable() || m_stopping) return;
    m_worker = std::thread([this] { Run(); });
}

bool TickTimer::Register(int id, TickTarget* target, int message, int periodSeconds) {
    std::lock_guard lock(m_mutex);
    const bool exists =
        std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (exists) return false;
    m_entries.push_back(Entry{id, target, message, periodSeconds, 0, m_nextSerial++});
    return true;
}

bool TickTimer::Remove(int id) {
    std::lock_guard lock(m_mutex);
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (found == m_entries.end()) return false;
    m_entries.erase(found);
    return true;
}

void TickTimer::RemoveAll() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

bool TickTimer::IsRegistered(int id) const {
    std::lock_guard lock(m_mutex);
    return std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
}

void TickTimer::Stop() {
    std::thread worker;
    {
        std::lock_guard lock(m_mutex);
        m_entries.clear();
        m_stopping = true;
        if (m_inFlight) m_inFlight->Cancel();
        worker = std::move(m_worker);
    }
    m_wake.notify_all();
    if (worker.joinable()) worker.join();
}

const TickTimer::Entry* TickTimer::FindLive(int id, uint64_t serial) const {
    for (const Entry& e : m_entries) {
        if (e.id == id && e.serial == serial) return &e;
    }
    return nullptr;
}

void TickTimer::Run() {
    struct Due {
        int id;
        uint64_t serial;
    };
    std::vector<Due> due;
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_wake.wait_for(lock, m_interval, [this] { return m_stopping; })) return;
        due.clear();
        for (Entry& e : m_entries) {
            if (++e.count >= e.period) {
                e.count = 0;
                due.push_back(Due{e.id, e.serial});
            }
        }
        for (const Due& d : due) {
            // A timer removed while an earlier one was being delivered gets no stale message.
            const Entry* entry = FindLive(d.id, d.serial);
            if (entry == nullptr) continue;
            TickTarget* target = entry->target;
            const int message = entry->message;
            auto delivery = std::make_shared<TickDelivery>();
            m_inFlight = delivery;
            lock.unlock();
            target->Deliver(message, delivery);
            delivery->Wait();
            lock.lock();
            m_inFlight.reset();
            if (m_stopping) return;
        }
    }
}

}  // namespace goview
