#pragma once

#include <QString>
#include <QUrl>
#include <optional>

#include "hall/protocol/wire_messages.h"

namespace hall {

// The resume token a hall server gave this hall under a name, kept in the hall's settings, so
// that a hall killed and started again comes back to the chair the server holds for it. One a
// server and name.
std::optional<wire::ResumeToken> RememberedToken(const QUrl& server, const QString& name);
void RememberToken(const QUrl& server, const QString& name, const wire::ResumeToken& token);

}  // namespace hall
