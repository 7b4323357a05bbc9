#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "abi/game_view_api.h"
#include "hall/site/hall_site_objects.h"

class QPlainTextEdit;
class QSplitter;

namespace hall {

class SoundPlayer;

// One table of the hall: the plug-in's view on the left, the hall's message pane on the right.
// Without a table model the view is a free board: anyone can play both colours, load and save.
class TableWindow : public QMainWindow, private HallServices {
    Q_OBJECT

public:
    TableWindow(CreateGameViewFunction create, std::optional<TableModel> table, SoundPlayer* sounds,
                QString dataFolder);
    ~TableWindow() override;

    // False when the plug-in refused to create its view.
    bool HasView() const { return m_api != nullptr; }
    GameViewApi* api() const { return m_api; }
    QWidget* viewWindow() const { return m_viewWindow; }
    // Once the window is on screen (the view sets itself up when first shown): tells the view
    // about both seats at a table, or lets it load records on a free board.
    void Opened();
    // Opens a game record on the free board, as the view's load command would.
    bool OpenRecord(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // HallServices
    void SendGameCommand(int command, std::span<const uint8_t> data) override;
    void SignalReady() override;
    void PlayCue(const std::string& file) override;
    std::string DataFolder() const override;
    void ShowSystemText(const std::string& text) override;
    const TableModel* Table() const override { return m_table ? &*m_table : nullptr; }

    void BuildMenus();
    void DestroyView();

    std::optional<TableModel> m_table;
    SoundPlayer* m_sounds;
    QString m_dataFolder;
    HallSiteObjects m_objects;
    GameViewApi* m_api = nullptr;
    GameDescription m_description{};
    QWidget* m_viewHost = nullptr;
    QWidget* m_viewWindow = nullptr;
    QPlainTextEdit* m_messages = nullptr;
    QSplitter* m_splitter = nullptr;
};

}  // namespace hall
