#include "hall/engine/gtp_client.h"

#include <cctype>
#include <utility>

namespace hall {

GtpClient::GtpClient(QObject* parent) : QObject(parent) {
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] { Fail(QStringLiteral("stopped answering")); });
    m_process.setStandardErrorFile(QProcess::nullDevice());
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &GtpClient::ReadOutput);
    connect(&m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        if (m_stopping) return;
        Fail(status == QProcess::CrashExit ? QStringLiteral("crashed") : QStringLiteral("exited with status %1").arg(code));
    });
}

GtpClient::~GtpClient() {
    failed = nullptr;
    m_process.disconnect(this);
    Stop();
}

bool GtpClient::Start(const QString& program, const QStringList& arguments, QString* error) {
    if (m_process.state() != QProcess::NotRunning) {
        m_stopping = true;
        m_process.kill();
        m_process.waitForFinished(1000);
    }
    m_stopping = false;
    m_failed = false;
    m_written = false;
    m_queue.clear();
    m_partialLine.clear();
    m_inAnswer = false;
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(3000)) {
        if (error != nullptr) *error = QStringLiteral("%1: %2").arg(program, m_process.errorString());
        m_stopping = true;
        return false;
    }
    return true;
}

void GtpClient::Send(const std::string& command, Done done, std::chrono::milliseconds timeout) {
    if (m_failed || m_stopping) return;
    m_queue.push_back(Command{m_nextId++, command, std::move(done), timeout});
    WriteNext();
}

void GtpClient::Stop() {
    m_stopping = true;
    m_timeout.stop();
    m_queue.clear();
    m_written = false;
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.write("quit\n");
    if (!m_process.waitForFinished(1000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

std::string GtpClient::waitingFor() const {
    if (!m_written || m_queue.empty()) return {};
    return std::to_string(m_queue.front().id) + " " + m_queue.front().line;
}

void GtpClient::WriteNext() {
    if (m_written || m_queue.empty() || !running()) return;
    const Command& next = m_queue.front();
    const std::string line = std::to_string(next.id) + " " + next.line + "\n";
    m_process.write(line.data(), static_cast<qint64>(line.size()));
    m_written = true;
    m_writtenAt.start();
    m_timeout.start(next.timeout);
}

void GtpClient::ReadOutput() {
    m_partialLine += m_process.readAllStandardOutput().toStdString();
    size_t start = 0;
    for (size_t end = m_partialLine.find('\n'); end != std::string::npos; end = m_partialLine.find('\n', start)) {
        std::string line = m_partialLine.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        HandleLine(line);
        if (m_failed) return;
    }
    m_partialLine.erase(0, start);
    // An engine that floods one endless line is as broken as a silent one.
    if (m_partialLine.size() > 1 << 20) Fail(QStringLiteral("wrote a line of over a megabyte"));
}

void GtpClient::HandleLine(const std::string& line) {
    const bool blank = line.find_first_not_of(" \t") == std::string::npos;
    if (m_inAnswer) {
        if (blank) {
            FinishAnswer();
        } else {
            m_answerText += '\n';
            m_answerText += line;
        }
        return;
    }
    // Outside an answer only a status character starts one; anything else is noise.
    if (blank || (line[0] != '=' && line[0] != '?')) return;
    m_inAnswer = true;
    m_answerOk = line[0] == '=';
    size_t pos = 1;
    m_answerId = -1;
    if (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) {
        m_answerId = 0;
        while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos])) && m_answerId < 100000000) {
            m_answerId = m_answerId * 10 + (line[pos++] - '0');
        }
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    m_answerText = line.substr(pos);
}

void GtpClient::FinishAnswer() {
    m_inAnswer = false;
    // An answer nobody waits for, or one for another command, is dropped; the command still
    // waiting then runs into its time-out unless its own answer follows.
    if (!m_written || m_queue.empty()) return;
    if (m_answerId != -1 && m_answerId != m_queue.front().id) return;
    Done done = std::move(m_queue.front().done);
    m_queue.pop_front();
    m_written = false;
    m_timeout.stop();
    const GtpReply reply{m_answerOk, m_answerText};
    WriteNext();
    if (done) done(reply);
}

void GtpClient::Fail(const QString& why) {
    if (m_failed) return;
    m_failed = true;
    m_timeout.stop();
    m_queue.clear();
    m_written = false;
    m_inAnswer = false;
    m_stopping = true;
    m_process.kill();
    if (failed) failed(why);
}

}  // namespace hall
