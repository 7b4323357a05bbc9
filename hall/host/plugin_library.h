#pragma once

#include <QLibrary>
#include <QString>

#include "hall/host/hosted_game.h"

namespace hall {

// The game plug-in, loaded by file name from the hall's own folder: one that exports
// CreateGameView, or the older hall's kind that exports GetGameCreator. It stays loaded for the
// life of the hall: views may finish closing after their table window is gone.
class PluginLibrary {
public:
    bool Load(const QString& name, QString* error);
    const GamePlugin& plugin() const { return m_plugin; }

private:
    QLibrary m_library;
    GamePlugin m_plugin;
};

}  // namespace hall
