#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "hall/host/hosted_game.h"
#include "hall/seats/view_seat.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QSplitter;

namespace hall {

class SoundPlayer;

// One table window of the hall: the plug-in's view on the left, the hall's message pane on the
// right. With a seat the view plays at that seat's table; without one it is a free board on
// which anyone can play both colours, load and save.
class TableWindow : public QMainWindow, private HallServices {
    Q_OBJECT

public:
    TableWindow(const GamePlugin& plugin, ViewSeat* seat, SoundPlayer* sounds, QString dataFolder);
    ~TableWindow() override;

    // Takes `requested` as its size, unless the view keeps a fixed size: then the window fits
    // that view beside a message pane of its usual width.
    void ResizeTo(const QSize& requested);
    // False when the plug-in refused to create its view.
    bool HasView() const { return m_viewWindow != nullptr; }
    QWidget* viewWindow() const { return m_viewWindow; }
    // Once the window is on screen (the view sets itself up when first shown): a free board may
    // load records; at a table the seat's deliveries begin.
    void Opened();
    // Opens a game record on the free board, as the view's load command would.
    bool OpenRecord(const QString& path);
    // A line of the hall's own in the message pane.
    void AppendMessage(const QString& line);
    QString messages() const;
    // An entry of the game menu, above its closing entries.
    void AddGameAction(const QString& text, std::function<void()> triggered);

signals:
    // The window was closed and its view taken down (the seat has left).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // HallServices
    void SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override;
    void SignalReady() override;
    void PlayCue(const std::string& file) override;
    std::string DataFolder() const override;
    // The folder of the gohall binary, where the plug-ins and the skin folder lie.
    std::string HallFolder() const override;
    void ShowSystemText(const std::string& text) override;
    // The words of the line in the look its span declares, a system line in the pane's system
    // colour; no other markup of it is rendered.
    void ShowHtmlLine(const std::string& html) override;
    const TableModel* Table() const override { return m_seat != nullptr ? m_seat->Table() : nullptr; }
    void OpponentMoved() override;

    void BuildMenus();
    void DestroyView();

    ViewSeat* m_seat;  // null for a free board
    SoundPlayer* m_sounds;
    QString m_dataFolder;
    std::unique_ptr<HostedGame> m_game;
    QWidget* m_viewHost = nullptr;
    QWidget* m_viewWindow = nullptr;
    QPlainTextEdit* m_messages = nullptr;
    QMenu* m_gameMenu = nullptr;
    QAction* m_closingEntries = nullptr;  // the separator above 退出
    QSplitter* m_splitter = nullptr;
};

}  // namespace hall
