#pragma once

// A fake engine's script in a temporary folder, and waiting on Qt's event loop.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <string>

namespace hall::testing {

// Runs the event loop until `done` holds or `ms` pass; whether it held.
inline bool RunUntil(const std::function<bool()>& done, int ms = 5000, const std::function<void()>& eachTurn = {}) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        if (eachTurn) eachTurn();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class FakeEngine {
public:
    explicit FakeEngine(const std::string& script) {
        QFile file(m_dir.filePath("script"));
        file.open(QIODevice::WriteOnly);
        file.write(script.data(), static_cast<qint64>(script.size()));
    }
    QString program() const { return QStringLiteral(FAKE_GTP); }
    QStringList arguments() const { return {m_dir.filePath("script"), m_dir.filePath("log")}; }
    // Every command line the engine received, in order.
    std::string log() const {
        QFile file(m_dir.filePath("log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace hall::testing
