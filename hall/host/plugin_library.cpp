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
    if (auto create = reinterpret_cast<CreateGameViewFunction>(m_library.resolve(CREATE_GAME_VIEW_SYMBOL))) {
        m_plugin = GamePlugin::Current(create);
    } else if (auto get = reinterpret_cast<GetGameCreatorFunction>(m_library.resolve(GET_GAME_CREATOR_SYMBOL))) {
        m_plugin = GamePlugin::Legacy(get);
    } else if (error != nullptr) {
        *error = name + ": neither " + CREATE_GAME_VIEW_SYMBOL + " nor " + GET_GAME_CREATOR_SYMBOL;
    }
    return static_cast<bool>(m_plugin);
}

}  // namespace hall
