#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <string>

namespace hall {

// One answer of a Go Text Protocol engine: success ("=") with its text, or failure ("?") with the
// engine's reason. Multi-line answers keep their inner line breaks; the id and the blank line that
// ends an answer are gone.
struct GtpReply {
    bool ok = false;
    std::string text;
};

// A GTP engine in a child process. Commands go out one at a time, each with a number, and each
// answer is matched to the command waiting for it: lines that belong to no answer, and answers
// that carry another command's number, are dropped. A command that gets no answer within its
// time-out, a crash or an exit makes the engine failed: the process is killed, the commands still
// waiting are dropped without their callbacks, and `failed` says why, once. Start again to resume.
class GtpClient : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const GtpReply&)>;
    static constexpr std::chrono::milliseconds kDefaultTimeout{5000};

    explicit GtpClient(QObject* parent = nullptr);
    ~GtpClient() override;

    // Starts the program and waits (at most a few seconds) until it runs; false with the program
    // and the system's reason.
    bool Start(const QString& program, const QStringList& arguments, QString* error);
    bool running() const { return m_process.state() == QProcess::Running && !m_failed; }
    // Queues a command (one line, without its number); `done` gets the answer.
    void Send(const std::string& command, Done done, std::chrono::milliseconds timeout = kDefaultTimeout);
    // Says "quit", and kills the engine if it has not gone a moment later.
    void Stop();
    // Commands written and not yet answered, or waiting to be written.
    size_t pending() const { return m_queue.size(); }
    // The command written and still unanswered, with its number; empty when none is.
    std::string waitingFor() const;
    // How long that command has waited, in milliseconds; 0 when none is.
    qint64 waitingMs() const { return m_written ? m_writtenAt.elapsed() : 0; }

    std::function<void(const QString& why)> failed;

private:
    struct Command {
        int id;
        std::string line;
        Done done;
        std::chrono::milliseconds timeout;
    };

    void WriteNext();
    void ReadOutput();
    void HandleLine(const std::string& line);
    void FinishAnswer();
    void Fail(const QString& why);

    QProcess m_process;
    QTimer m_timeout;
    std::deque<Command> m_queue;  // the front one is written and waits for its answer
    bool m_written = false;
    QElapsedTimer m_writtenAt;
    int m_nextId = 1;
    bool m_failed = false;
    bool m_stopping = false;
    std::string m_partialLine;
    // The answer being read: its status, number and lines.
    bool m_inAnswer = false;
    bool m_answerOk = false;
    int m_answerId = -1;
    std::string m_answerText;
};

}  // namespace hall
