#include "hall/host/resume_tokens.h"

#include <QByteArray>
#include <QSettings>
#include <algorithm>

#include "sdk/kit/settings_store.h"

namespace hall {
namespace {

// Host, port and name in a key the settings file takes as one (no '/' in it).
QString KeyOf(const QUrl& server, const QString& name) {
    return QStringLiteral("%1_%2_%3")
        .arg(QString::fromLatin1(server.host().toUtf8().toHex()))
        .arg(server.port())
        .arg(QString::fromLatin1(name.toUtf8().toHex()));
}

}  // namespace

std::optional<wire::ResumeToken> RememberedToken(const QUrl& server, const QString& name) {
    QSettings store(SettingsStoreFile(), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("ResumeTokens"));
    const QByteArray bytes = QByteArray::fromHex(store.value(KeyOf(server, name)).toByteArray());
    wire::ResumeToken token{};
    if (bytes.size() != static_cast<qsizetype>(token.size())) return std::nullopt;
    std::copy(bytes.begin(), bytes.end(), token.begin());
    return token;
}

void RememberToken(const QUrl& server, const QString& name, const wire::ResumeToken& token) {
    QSettings store(SettingsStoreFile(), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("ResumeTokens"));
    const QByteArray bytes(reinterpret_cast<const char*>(token.data()), static_cast<qsizetype>(token.size()));
    store.setValue(KeyOf(server, name), QString::fromLatin1(bytes.toHex()));
}

}  // namespace hall
