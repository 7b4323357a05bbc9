#include "hall/host/plugin_library.h"

#include <QCoreApplication>
#include <QDir>

namespace hall {

bool PluginLibrary::Load(const QString& name, QString* error) {
    m_library.setFileName(QDir(QCoreApplication::applicationDirPath()).filePath(name));
    if (!m_library.load()) {
        if (error != nullptr) *error = m_library.errorString();
        return false;
    }
    m_create = reinterpret_cast<CreateGameViewFunction>(m_library.resolve(CREATE_GAME_VIEW_SYMBOL));
    if (m_create == nullptr && error != nullptr) *error = name + ": no " + CREATE_GAME_VIEW_SYMBOL;
    return m_create != nullptr;
}

}  // namespace hall
