// The epoll event loop on a thread of its own: timers in the order they are due, repeating and
// stopped from their own handler, a socket notifier that wakes the loop and is deleted by its
// own activation, events posted from another thread, deferred deletes and the loop's exit.

#include "hall/net/epoll_event_dispatcher.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace hall {
namespace {

// Runs `body` on a thread whose loop is the epoll one, and waits for it.
class EpollThread : public QThread {
public:
    explicit EpollThread(std::function<void(QEventLoop&)> body) : m_body(std::move(body)) {
        setEventDispatcher(new EpollEventDispatcher);
    }

private:
    void run() override {
        QEventLoop loop;
        m_body(loop);
    }
    std::function<void(QEventLoop&)> m_body;
};

void OnEpollThread(std::function<void(QEventLoop&)> body) {
    EpollThread thread(std::move(body));
    thread.start();
    ASSERT_TRUE(thread.wait(10000)) << "the loop did not exit";
}

TEST(EpollEventDispatcher, TimersFireInTheOrderTheyAreDueRepeatAndStopFromTheirOwnHandler) {
    std::vector<int> fired;
    int repeats = 0;
    OnEpollThread([&](QEventLoop& loop) {
        auto* owner = new QObject;
        QTimer::singleShot(60, owner, [&] { fired.push_back(60); });
        QTimer::singleShot(20, owner, [&] { fired.push_back(20); });
        QTimer::singleShot(40, owner, [&] { fired.push_back(40); });
        auto* repeating = new QTimer(owner);
        QObject::connect(repeating, &QTimer::timeout, owner, [&, repeating] {
            if (++repeats == 5) repeating->stop();
        });
        repeating->start(5);
        QTimer::singleShot(150, owner, [&loop, owner] {
            delete owner;
            loop.quit();
        });
        loop.exec();
    });
    EXPECT_EQ(fired, (std::vector<int>{20, 40, 60}));
    EXPECT_EQ(repeats, 5);
}

TEST(EpollEventDispatcher, ASocketNotifierWakesTheLoopAndMayDeleteItselfOnItsActivation) {
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    std::vector<char> read;
    bool deleted = false;
    OnEpollThread([&](QEventLoop& loop) {
        auto* notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read);
        QObject::connect(notifier, &QSocketNotifier::activated, [&, notifier] {
            char c = 0;
            if (::read(fds[0], &c, 1) == 1) read.push_back(c);
            if (read.size() == 3) {
                delete notifier;
                deleted = true;
                // Nothing more is read: a notifier deleted in its own activation is gone at once.
                QTimer::singleShot(50, [&loop] { loop.quit(); });
            }
        });
        // The writes come from another thread while this one sleeps in epoll_wait.
        std::thread writer([&] {
            for (const char c : {'a', 'b', 'c', 'd'}) {
                QThread::msleep(10);
                EXPECT_EQ(::write(fds[1], &c, 1), 1);
            }
        });
        loop.exec();
        writer.join();
    });
    EXPECT_TRUE(deleted);
    EXPECT_EQ(read, (std::vector<char>{'a', 'b', 'c'}));
    close(fds[0]);
    close(fds[1]);
}

TEST(EpollEventDispatcher, EventsPostedFromAnotherThreadAndDeferredDeletesArrive) {
    std::atomic<int> calls{0};
    QPointer<QObject> doomed;
    OnEpollThread([&](QEventLoop& loop) {
        auto* receiver = new QObject;
        doomed = new QObject;
        doomed->deleteLater();
        std::thread poster([&, receiver] {
            for (int i = 0; i < 100; ++i) QMetaObject::invokeMethod(receiver, [&] { ++calls; }, Qt::QueuedConnection);
            QMetaObject::invokeMethod(receiver, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        loop.exec();
        poster.join();
        delete receiver;
    });
    EXPECT_EQ(calls.load(), 100);
    EXPECT_TRUE(doomed.isNull()) << "deleteLater ran on the epoll loop";
}

}  // namespace
}  // namespace hall
