#pragma once

#include <QWidget>
#include <memory>

#include "abi/game_view_api.h"
#include "abi/legacy_game.h"
#include "hall/seats/seat_view.h"
#include "hall/site/hall_services.h"

namespace hall {

// A game plug-in's view as a table window hosts it, whichever hall contract the plug-in speaks:
// made once in a host widget, seated at a table, asked to load, to show its settings and whether
// it may close, and destroyed.
class HostedGame {
public:
    virtual ~HostedGame() = default;
    // The view's window in `host`, or null (with `why`) when the plug-in made none.
    virtual QWidget* Create(QWidget* host, QString* why) = 0;
    // Seats the view at `table`; the calls its seat makes on it from then on.
    virtual SeatView* AttachTable(const TableModel& table) = 0;
    // The view's window is on screen (it sets itself up when first shown).
    virtual void Shown() {}
    virtual void EnableLoad() = 0;
    virtual void ShowSettings() = 0;
    virtual bool CanClose() = 0;
    // Takes the view down; nothing is called on it afterwards.
    virtual void Destroy() = 0;
};

// The plug-in a hall has loaded: the current contract's CreateGameView or the older hall's
// GetGameCreator. Each game it makes answers the hall through `services`.
class GamePlugin {
public:
    GamePlugin() = default;
    static GamePlugin Current(CreateGameViewFunction create);
    static GamePlugin Legacy(GetGameCreatorFunction getCreator);
    bool IsLegacy() const { return m_getCreator != nullptr; }
    explicit operator bool() const { return m_create != nullptr || m_getCreator != nullptr; }
    std::unique_ptr<HostedGame> NewGame(HallServices& services) const;

private:
    CreateGameViewFunction m_create = nullptr;
    GetGameCreatorFunction m_getCreator = nullptr;
};

// The two kinds of game, for GamePlugin.
std::unique_ptr<HostedGame> NewCurrentGame(CreateGameViewFunction create, HallServices& services);
std::unique_ptr<HostedGame> NewLegacyGame(GetGameCreatorFunction getCreator, HallServices& services);

}  // namespace hall
