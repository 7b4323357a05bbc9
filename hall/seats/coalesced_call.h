#pragma once

#include <QObject>
#include <functional>

namespace hall {

// A call made on a later turn of Qt's event loop, once however often it was asked for before
// then; never once this is gone.
class CoalescedCall : public QObject {
public:
    explicit CoalescedCall(std::function<void()> call, QObject* parent = nullptr) : QObject(parent), m_call(std::move(call)) {}
    void Request() {
        if (m_requested) return;
        m_requested = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_requested = false;
                m_call();
            },
            Qt::QueuedConnection);
    }

private:
    std::function<void()> m_call;
    bool m_requested = false;
};

}  // namespace hall
