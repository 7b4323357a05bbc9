#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "hall/host/hosted_game.h"
#include "hall/engine/engine_seat.h"
#include "hall/seats/table_driver.h"
#include "hall/seats/view_seat.h"

namespace hall {

class SoundPlayer;
class TableWindow;

struct LocalTableOptions {
    std::array<SeatUserInfo, 2> players;
    std::array<std::optional<EngineOptions>, 2> engines;  // GNU Go plays in that chair instead of a window
    std::optional<SeatUserInfo> onlooker;  // a third window that watches
    // The plug-in of the first window when it differs from the others': the legacy plug-in hosts
    // one game a process, so the other windows of its table host the current one.
    std::optional<GamePlugin> firstWindow;
    TableServerOptions server;
    QSize windowSize{1024, 768};
};

// One table of the hall at this machine: its server, and each seat's view in a table window of
// its own.
class LocalTable {
public:
    LocalTable(const GamePlugin& plugin, SoundPlayer* sounds, const QString& dataFolder, LocalTableOptions options);
    ~LocalTable();
    LocalTable(const LocalTable&) = delete;
    LocalTable& operator=(const LocalTable&) = delete;

    // Every window has its view and the engine, if any, its seat; otherwise why not.
    bool Ready(QString* why = nullptr) const;
    // Shows the windows side by side, the players' first.
    void Show();

    // Where windows of these sizes go in a screen's `area`: side by side at their sizes where
    // they fit; else side by side with those that may be narrowed made narrower, down to a width
    // that still shows a whole table; else fanned out across the area, each a step right of and
    // below the one before, so that every window's title and most of its board are in sight.
    struct WindowShape {
        QSize size;
        bool fixedSize = false;
    };
    static std::vector<QRect> Arrange(const QRect& area, const std::vector<WindowShape>& windows);
    const std::vector<TableWindow*>& windows() const { return m_windowList; }
    TableDriver& driver() { return m_driver; }
    EngineSeat* engine(int seat) const { return m_engines[seat].get(); }

private:
    TableDriver m_driver;
    std::vector<std::unique_ptr<ViewSeat>> m_seats;
    std::array<std::unique_ptr<EngineSeat>, 2> m_engines;
    QString m_engineError;
    std::vector<std::unique_ptr<TableWindow>> m_windows;
    std::vector<TableWindow*> m_windowList;
};

}  // namespace hall
