#pragma once

#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "abi/game_view_api.h"
#include "hall/seats/table_driver.h"
#include "hall/seats/view_seat.h"

namespace hall {

class SoundPlayer;
class TableWindow;

struct LocalTableOptions {
    std::array<SeatUserInfo, 2> players;
    std::optional<SeatUserInfo> onlooker;  // a third window that watches
    TableServerOptions server;
    QSize windowSize{1024, 768};
};

// One table of the hall at this machine: its server, and each seat's view in a table window of
// its own.
class LocalTable {
public:
    LocalTable(CreateGameViewFunction create, SoundPlayer* sounds, const QString& dataFolder, LocalTableOptions options);
    ~LocalTable();
    LocalTable(const LocalTable&) = delete;
    LocalTable& operator=(const LocalTable&) = delete;

    bool Ready() const;  // every seat has its view
    // Shows the windows side by side, the players' first.
    void Show();
    const std::vector<TableWindow*>& windows() const { return m_windowList; }
    TableDriver& driver() { return m_driver; }

private:
    TableDriver m_driver;
    std::vector<std::unique_ptr<ViewSeat>> m_seats;
    std::vector<std::unique_ptr<TableWindow>> m_windows;
    std::vector<TableWindow*> m_windowList;
};

}  // namespace hall
