#pragma once

class QCoreApplication;

namespace hall {

// Qt's own texts (the file dialogs, the standard buttons, the context menus of text fields) in
// the interface's language, Chinese, from the translations Qt installs beside itself. Without
// them Qt speaks English and nothing else changes; false then.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace hall
