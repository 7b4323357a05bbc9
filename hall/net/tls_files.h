#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <optional>

namespace hall {

// TLS material from PEM files, read once at start-up so that what cannot be used is reported
// then, with the file and the reason, rather than as a failed handshake later.

// Every certificate in a PEM file (a chain, or the authorities to trust); empty with the reason
// when the file cannot be read or holds none.
QList<QSslCertificate> ReadCertificates(const QString& file, QString* why);

// A server's TLS: its certificate chain (its own certificate first) and its unencrypted private
// key, both PEM; null with the reason when either cannot be read or this Qt has no TLS backend.
std::optional<QSslConfiguration> ReadServerTls(const QString& certificateFile, const QString& keyFile, QString* why);

// Whether this Qt can speak TLS at all; the reason when not.
bool TlsAvailable(QString* why);

}  // namespace hall
