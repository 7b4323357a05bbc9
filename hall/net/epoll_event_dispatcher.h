#pragma once

#include <sys/epoll.h>

#include <QAbstractEventDispatcher>
#include <QAtomicInt>
#include <array>
#include <chrono>
#include <set>
#include <unordered_map>
#include <utility>

namespace hall {

// Qt's event loop on Linux's epoll, for a thread that holds thousands of sockets: a turn of the
// loop costs what is ready, not what is open (poll, which Qt's own dispatchers use, walks every
// socket on every turn). Socket notifiers are level-triggered as Qt's are; timers are kept in
// order of their due time, to the millisecond. Installed with QCoreApplication::setEventDispatcher
// before the application is made, or on a thread before it starts.
class EpollEventDispatcher : public QAbstractEventDispatcher {
    Q_OBJECT

public:
    explicit EpollEventDispatcher(QObject* parent = nullptr);
    ~EpollEventDispatcher() override;

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    void registerSocketNotifier(QSocketNotifier* notifier) override;
    void unregisterSocketNotifier(QSocketNotifier* notifier) override;
    void registerTimer(int timerId, qint64 interval, Qt::TimerType timerType, QObject* object) override;
    bool unregisterTimer(int timerId) override;
    bool unregisterTimers(QObject* object) override;
    QList<TimerInfo> registeredTimers(QObject* object) const override;
    int remainingTime(int timerId) override;
    void wakeUp() override;
    void interrupt() override;

private:
    using Clock = std::chrono::steady_clock;
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
        QSocketNotifier* exception = nullptr;
        bool empty() const { return read == nullptr && write == nullptr && exception == nullptr; }
    };
    struct Timer {
        qint64 interval = 0;
        Qt::TimerType type = Qt::CoarseTimer;
        QObject* object = nullptr;
        Clock::time_point due;
    };

    // Tells epoll what the notifiers of `fd` now wait for.
    void Update(int fd, bool wasWatched);
    void RemoveTimer(std::unordered_map<int, Timer>::iterator timer);
    // The epoll timeout in milliseconds until the next timer is due; -1 when none is.
    int MillisecondsToNextTimer() const;
    bool FireDueTimers();
    bool ActivateSockets(int ready, bool includeSockets);

    int m_epoll = -1;
    int m_wakeFd = -1;
    QAtomicInt m_wakeUpPending{0};
    QAtomicInt m_interrupted{0};
    std::unordered_map<int, Watch> m_watches;
    std::unordered_map<int, Timer> m_timers;
    std::set<std::pair<Clock::time_point, int>> m_dueOrder;
    std::array<epoll_event, 256> m_events{};
};

}  // namespace hall
