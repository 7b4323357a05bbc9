#pragma once

#include <QMainWindow>
#include <memory>

#include "hall/host/hosted_game.h"
#include "hall/net/remote_hall.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace hall {

class SoundPlayer;
class TableWindow;

// A remote hall's lobby: the server's tables with their seats, onlookers, status and rules; a
// new table, public or with a password; a chair taken or a game watched. The table opens in the
// same table window as at one machine, and closing it leaves the table.
class LobbyWindow : public QMainWindow {
    Q_OBJECT

public:
    LobbyWindow(RemoteHall& hall, const GamePlugin& plugin, SoundPlayer* sounds, QString dataFolder);
    ~LobbyWindow() override;

    TableWindow* tableWindow() const { return m_table.get(); }

private:
    void ShowLobby();
    // The table of the selected row, or 0.
    uint32_t SelectedTable() const;
    void Sit(int seat);
    void OpenTable(ViewSeat* seat);
    void CloseTable();

    RemoteHall& m_hall;
    GamePlugin m_plugin;
    SoundPlayer* m_sounds;
    QString m_dataFolder;
    QTableWidget* m_tables = nullptr;
    QLabel* m_status = nullptr;
    std::unique_ptr<TableWindow> m_table;
};

}  // namespace hall
