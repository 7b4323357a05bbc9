#include "hall/host/hosted_game.h"

namespace hall {

GamePlugin GamePlugin::Current(CreateGameViewFunction create) {
    GamePlugin plugin;
    plugin.m_create = create;
    return plugin;
}

GamePlugin GamePlugin::Legacy(GetGameCreatorFunction getCreator) {
    GamePlugin plugin;
    plugin.m_getCreator = getCreator;
    return plugin;
}

std::unique_ptr<HostedGame> GamePlugin::NewGame(HallServices& services) const {
    if (m_getCreator != nullptr) return NewLegacyGame(m_getCreator, services);
    return NewCurrentGame(m_create, services);
}

}  // namespace hall
