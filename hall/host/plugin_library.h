#pragma once

#include <QLibrary>
#include <QString>

#include "abi/game_view_api.h"

namespace hall {

// The game plug-in, loaded by file name from the hall's own folder. It stays loaded for the
// life of the hall: views may finish closing after their table window is gone.
class PluginLibrary {
public:
    bool Load(const QString& name, QString* error);
    CreateGameViewFunction create() const { return m_create; }

private:
    QLibrary m_library;
    CreateGameViewFunction m_create = nullptr;
};

}  // namespace hall
