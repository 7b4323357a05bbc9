#include "hall/net/tls_files.h"

#include <QFile>
#include <QSslKey>
#include <QSslSocket>

namespace hall {
namespace {

void Say(QString* why, const QString& reason) {
    if (why != nullptr) *why = reason;
}

std::optional<QByteArray> ReadFile(const QString& file, QString* why) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        Say(why, QStringLiteral("cannot read %1: %2").arg(file, in.errorString()));
        return std::nullopt;
    }
    return in.readAll();
}

}  // namespace

bool TlsAvailable(QString* why) {
    if (QSslSocket::supportsSsl()) return true;
    Say(why, QStringLiteral("this Qt has no TLS backend (backends: %1; OpenSSL %2)")
                 .arg(QSslSocket::availableBackends().join(QStringLiteral(", ")), QSslSocket::sslLibraryBuildVersionString()));
    return false;
}

QList<QSslCertificate> ReadCertificates(const QString& file, QString* why) {
    if (!TlsAvailable(why)) return {};
    const std::optional<QByteArray> bytes = ReadFile(file, why);
    if (!bytes) return {};
    QList<QSslCertificate> certificates = QSslCertificate::fromData(*bytes, QSsl::Pem);
    if (certificates.isEmpty()) Say(why, QStringLiteral("%1 holds no PEM certificate").arg(file));
    return certificates;
}

std::optional<QSslConfiguration> ReadServerTls(const QString& certificateFile, const QString& keyFile, QString* why) {
    const QList<QSslCertificate> chain = ReadCertificates(certificateFile, why);
    if (chain.isEmpty()) return std::nullopt;
    const std::optional<QByteArray> keyBytes = ReadFile(keyFile, why);
    if (!keyBytes) return std::nullopt;
    // PEM does not say which algorithm its key is for: each one the backend knows is tried.
    QSslKey key;
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        key = QSslKey(*keyBytes, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!key.isNull()) break;
    }
    if (key.isNull()) {
        Say(why, QStringLiteral("%1 holds no unencrypted PEM private key (RSA, EC or DSA)").arg(keyFile));
        return std::nullopt;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(chain);
    tls.setPrivateKey(key);
    // Remote halls have no certificates of their own.
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}

}  // namespace hall
