#pragma once

#include <QMainWindow>
#include <memory>

#include "hall/client/remote_hall.h"
#include "hall/host/hosted_game.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace hall {

class SoundPlayer;
class TableWindow;

// A remote hall's lobby: the server's tables with their seats, onlookers, status and rules; a
// new table, public or with a password; a chair taken or a game watched. The table opens in the
// same table window as at one machine, and closing it leaves the table. The archive's tab lists
// the games the server keeps: one opens on a free board (打谱 studies it) or is saved as
// ".go" or SGF.
class LobbyWindow : public QMainWindow {
    Q_OBJECT

public:
    LobbyWindow(RemoteHall& hall, const GamePlugin& plugin, SoundPlayer* sounds, QString dataFolder);
    ~LobbyWindow() override;

    TableWindow* tableWindow() const { return m_table.get(); }
    // The tab of the server's tables, or of the games it keeps.
    void ShowArchive(bool archive);

private:
    void ShowLobby();
    // The table of the selected row, or 0.
    uint32_t SelectedTable() const;
    void Sit(int seat);
    // Whether the hall is connected; when not, the status bar says why and that it is retrying.
    bool Connected();
    // The server's list again, or a try at once to connect while not connected.
    void Refresh(void (RemoteHall::*list)());
    void OpenTable(ViewSeat* seat);
    void CloseTable();
    QWidget* BuildTables();
    // Page `page` of the lobby under what the filter's fields say.
    void AskPage(uint32_t page);
    QWidget* BuildArchive();
    void ShowGames();
    int64_t SelectedGame() const;
    // What to do with the next game file the server sends.
    enum class FileUse { Open, Save };
    void Fetch(wire::GameFormat format, FileUse use);
    void TakeGameFile(qint64 id, int format, const QByteArray& bytes);

    RemoteHall& m_hall;
    GamePlugin m_plugin;
    SoundPlayer* m_sounds;
    QString m_dataFolder;
    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_tables = nullptr;
    QLabel* m_summary = nullptr;
    QLineEdit* m_filter = nullptr;
    QCheckBox* m_openOnly = nullptr;
    QTableWidget* m_games = nullptr;
    FileUse m_fileUse = FileUse::Open;
    std::unique_ptr<TableWindow> m_board;  // a game of the archive on a free board
    QLabel* m_status = nullptr;
    std::unique_ptr<TableWindow> m_table;
    uint32_t m_created = 0;  // a table this hall just opened, to be chosen in the list
};

}  // namespace hall
