#include "hall/net/epoll_event_dispatcher.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace hall {

EpollEventDispatcher::EpollEventDispatcher(QObject* parent) : QAbstractEventDispatcher(parent) {
    m_epoll = epoll_create1(EPOLL_CLOEXEC);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_epoll < 0 || m_wakeFd < 0) qFatal("EpollEventDispatcher: no epoll or eventfd (errno %d)", errno);
    epoll_event wake{};
    wake.events = EPOLLIN;
    wake.data.fd = m_wakeFd;
    epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_wakeFd, &wake);
}

EpollEventDispatcher::~EpollEventDispatcher() {
    close(m_wakeFd);
    close(m_epoll);
}

// ---- Sockets ----

void EpollEventDispatcher::registerSocketNotifier(QSocketNotifier* notifier) {
    const int fd = static_cast<int>(notifier->socket());
    Watch& watch = m_watches[fd];
    const bool wasWatched = !watch.empty();
    switch (notifier->type()) {
        case QSocketNotifier::Read: watch.read = notifier; break;
        case QSocketNotifier::Write: watch.write = notifier; break;
        case QSocketNotifier::Exception: watch.exception = notifier; break;
    }
    Update(fd, wasWatched);
}

void EpollEventDispatcher::unregisterSocketNotifier(QSocketNotifier* notifier) {
    const int fd = static_cast<int>(notifier->socket());
    const auto found = m_watches.find(fd);
    if (found == m_watches.end()) return;
    Watch& watch = found->second;
    if (watch.read == notifier) watch.read = nullptr;
    if (watch.write == notifier) watch.write = nullptr;
    if (watch.exception == notifier) watch.exception = nullptr;
    Update(fd, true);
}

void EpollEventDispatcher::Update(int fd, bool wasWatched) {
    const auto found = m_watches.find(fd);
    if (found->second.empty()) {
        m_watches.erase(found);
        // The descriptor may be closed already, which removed it from epoll by itself.
        if (wasWatched) epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
        return;
    }
    const Watch& watch = found->second;
    epoll_event event{};
    event.data.fd = fd;
    if (watch.read != nullptr) event.events |= EPOLLIN | EPOLLRDHUP;
    if (watch.write != nullptr) event.events |= EPOLLOUT;
    if (watch.exception != nullptr) event.events |= EPOLLPRI;
    if (epoll_ctl(m_epoll, wasWatched ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &event) != 0) {
        // A descriptor closed and reused behind Qt's back is registered afresh.
        epoll_ctl(m_epoll, wasWatched ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, fd, &event);
    }
}

bool EpollEventDispatcher::ActivateSockets(int ready, bool includeSockets) {
    // The notifiers to activate are looked up again one by one: activating one may delete or
    // disable another of the same turn.
    std::vector<std::pair<int, QSocketNotifier::Type>> activations;
    bool any = false;
    for (int i = 0; i < ready; ++i) {
        const epoll_event& e = m_events[static_cast<size_t>(i)];
        if (e.data.fd == m_wakeFd) {
            uint64_t count = 0;
            if (read(m_wakeFd, &count, sizeof count) < 0 && errno != EAGAIN) qWarning("EpollEventDispatcher: eventfd read failed");
            m_wakeUpPending.storeRelease(0);
            any = true;
            continue;
        }
        if (!includeSockets) continue;
        // A hang-up or an error is news for a reader and a writer alike: the next call says what.
        const bool broken = (e.events & (EPOLLERR | EPOLLHUP)) != 0;
        if ((e.events & (EPOLLIN | EPOLLRDHUP)) != 0 || broken) activations.emplace_back(e.data.fd, QSocketNotifier::Read);
        if ((e.events & EPOLLOUT) != 0 || broken) activations.emplace_back(e.data.fd, QSocketNotifier::Write);
        if ((e.events & EPOLLPRI) != 0) activations.emplace_back(e.data.fd, QSocketNotifier::Exception);
    }
    for (const auto& [fd, type] : activations) {
        const auto found = m_watches.find(fd);
        if (found == m_watches.end()) continue;
        QSocketNotifier* notifier = type == QSocketNotifier::Read    ? found->second.read
                                    : type == QSocketNotifier::Write ? found->second.write
                                                                     : found->second.exception;
        if (notifier == nullptr) continue;
        QEvent activation(QEvent::SockAct);
        QCoreApplication::sendEvent(notifier, &activation);
        any = true;
    }
    return any;
}

// ---- Timers ----

void EpollEventDispatcher::registerTimer(int timerId, qint64 interval, Qt::TimerType timerType, QObject* object) {
    Timer timer{interval, timerType, object, Clock::now() + std::chrono::milliseconds(interval)};
    m_dueOrder.emplace(timer.due, timerId);
    m_timers[timerId] = timer;
}

void EpollEventDispatcher::RemoveTimer(std::unordered_map<int, Timer>::iterator timer) {
    m_dueOrder.erase({timer->second.due, timer->first});
    m_timers.erase(timer);
}

bool EpollEventDispatcher::unregisterTimer(int timerId) {
    const auto found = m_timers.find(timerId);
    if (found == m_timers.end()) return false;
    RemoveTimer(found);
    return true;
}

bool EpollEventDispatcher::unregisterTimers(QObject* object) {
    bool any = false;
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->second.object != object) {
            ++it;
            continue;
        }
        m_dueOrder.erase({it->second.due, it->first});
        it = m_timers.erase(it);
        any = true;
    }
    return any;
}

QList<QAbstractEventDispatcher::TimerInfo> EpollEventDispatcher::registeredTimers(QObject* object) const {
    QList<TimerInfo> timers;
    for (const auto& [id, timer] : m_timers) {
        if (timer.object == object) timers.append(TimerInfo(id, static_cast<int>(timer.interval), timer.type));
    }
    return timers;
}

int EpollEventDispatcher::remainingTime(int timerId) {
    const auto found = m_timers.find(timerId);
    if (found == m_timers.end()) return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(found->second.due - Clock::now()).count();
    return static_cast<int>(std::max<int64_t>(left, 0));
}

int EpollEventDispatcher::MillisecondsToNextTimer() const {
    if (m_dueOrder.empty()) return -1;
    const auto left = m_dueOrder.begin()->first - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    // Rounded up: waking a little early would only turn the loop for nothing.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

bool EpollEventDispatcher::FireDueTimers() {
    const Clock::time_point now = Clock::now();
    std::vector<int> due;
    for (const auto& [when, id] : m_dueOrder) {
        if (when > now) break;
        due.push_back(id);
    }
    for (const int id : due) {
        const auto found = m_timers.find(id);
        if (found == m_timers.end()) continue;  // stopped by an earlier one of this turn
        Timer& timer = found->second;
        // Due again one interval on, or one interval from now if it fell behind.
        m_dueOrder.erase({timer.due, id});
        timer.due += std::chrono::milliseconds(timer.interval);
        if (timer.due < now) timer.due = now + std::chrono::milliseconds(timer.interval);
        m_dueOrder.emplace(timer.due, id);
        QTimerEvent event(id);
        QCoreApplication::sendEvent(timer.object, &event);
    }
    return !due.empty();
}

// ---- The loop ----

void EpollEventDispatcher::wakeUp() {
    if (!m_wakeUpPending.testAndSetAcquire(0, 1)) return;
    const uint64_t one = 1;
    if (write(m_wakeFd, &one, sizeof one) < 0 && errno != EAGAIN) qWarning("EpollEventDispatcher: eventfd write failed");
}

void EpollEventDispatcher::interrupt() {
    m_interrupted.storeRelease(1);
    wakeUp();
}

bool EpollEventDispatcher::processEvents(QEventLoop::ProcessEventsFlags flags) {
    m_interrupted.storeRelease(0);
    emit awake();
    QCoreApplication::sendPostedEvents();
    if (m_interrupted.loadAcquire() != 0) return false;

    const bool wait = flags.testFlag(QEventLoop::WaitForMoreEvents);
    int timeout = wait ? MillisecondsToNextTimer() : 0;
    if (wait) emit aboutToBlock();
    int ready = epoll_wait(m_epoll, m_events.data(), static_cast<int>(m_events.size()), timeout);
    if (ready < 0) {
        if (errno != EINTR) qWarning("EpollEventDispatcher: epoll_wait failed (errno %d)", errno);
        ready = 0;
    }
    if (wait) emit awake();
    bool any = ActivateSockets(ready, !flags.testFlag(QEventLoop::ExcludeSocketNotifiers));
    if (m_interrupted.loadAcquire() != 0) return any;
    any = FireDueTimers() || any;
    return any;
}

}  // namespace hall
