#pragma once

#include <QCursor>
#include <QFont>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "abi/hall_site.h"
#include "goview/view/hall_port.h"
#include "goview/view/hall_site_link.h"
#include "goview/view/prompter.h"
#include "goview/view/tick_timer.h"
#include "goview/view/view_layout.h"
#include "goview/view/view_libraries.h"
#include "goview/view/view_painter.h"
#include "goview/view/view_settings.h"
#include "match/match_controller.h"
#include "match/view_profile.h"
#include "record/game_record.h"
#include "rules/count.h"
#include "rules/game.h"
#include "sdk/kit/cimage.h"
#include "sdk/kit/resource_module.h"

namespace goview {

using match::ViewProfile;

class GButton;
class RulesDialog;
class StudyWindow;

// Window messages of the view, delivered as custom events of the same numbers (the rules
// dialog's result, 1125, is the dialog's own).
constexpr int kClockTickMessage = 1124;
constexpr int kStartCountdownMessage = 1127;
// Timers of the view's TickTimer.
constexpr int kClockTimer = static_cast<int>(match::Timer::Clock);
constexpr int kStartCountdownTimer = static_cast<int>(match::Timer::StartCountdown);

// The match view: one Go table. The hall drives it through the interface table of the entry
// code; it answers through HallSite. The match itself is decided by its MatchController: the
// view hands it every event and carries out the effects it answers with, and keeps to windows,
// pixels and files. Everything runs on the user-interface thread except the TickTimer worker,
// which only posts tick events.
class CGameView : public QWidget, private TickTarget {
    Q_OBJECT

public:
    // Creates the view as the hall's CreateGameView does: loads the stone and face pictures, gives
    // the match values their start values and reads the settings. `ownResources` are the
    // plug-in's own pictures.
    CGameView(HallSite* hall, ViewProfile profile, std::shared_ptr<const hall::ResourceModule> ownResources,
              std::shared_ptr<Prompter> prompter, const ViewLibraries& libraries = ViewLibraries::Current());
    // The same in a hall reached through `port`.
    CGameView(std::unique_ptr<HallPort> port, ViewProfile profile,
              std::shared_ptr<const hall::ResourceModule> ownResources, std::shared_ptr<Prompter> prompter,
              const ViewLibraries& libraries = ViewLibraries::Current());
    ~CGameView() override;

    // ---- Calls of the hall ----
    // Makes the view a visible child of `parent` (the hall's window); set-up follows on first show.
    void AttachToParent(QWidget* parent);
    // False when the snapshot was refused (and the refusal sent).
    bool OnSceneChanged(const uint8_t* snapshot, int length);
    int OnUserChanged(int seat, int kind, int value);
    void OnGameStart();
    void OnGameCommand(match::MatchCommand command, const uint8_t* data, int length);
    int CanClose();
    int EnableLoad();
    void OnGameOver(const uint8_t* result);
    int ShowSettings();
    int AttachTable(int tableId);
    int DetachTable(int tableId);
    QWidget* SetSeatPicture(int seat, void* picture, int32_t* sizeKind);
    int OnHallNotify(int code);

    // ---- Calls of any hall ----
    // A seat's user as the hall describes it: name and face when it has a profile to show.
    struct SeatProfile {
        QString name;
        int face = -1;
    };
    // Takes the user of `seat` and the change (a match::SeatChange with its value); false when
    // the view holds no table.
    bool TakeSeatUser(int seat, const std::optional<SeatProfile>& profile, int kind, int value);
    // Entering a table: the waiting state, Start for a player.
    void EnterTable();
    void EnableStart();

    // A timer message, as the TickTimer worker delivers it (tests deliver them directly).
    void HandleTimerMessage(int message);

    // ---- Commands of the panel's controls ----
    void OnCommand(match::control::Id control);

    // A click on board point (x, y).
    void OnBoardClick(int x, int y);

    // Renders the whole client area into the view's off-screen frame and returns it.
    QImage& RenderFrame();
    // Draws the whole client area into `painter` (tests look at the pixels this way).
    void PaintClientArea(QPainter& painter);
    // The client area as the screenshot saves it: exactly width x height pixels, current.
    QImage ClientAreaPicture();

    // What the save command writes for the current game.
    go::GameRecordHeader RecordHeader() const;
    // The last game's result as SGF writes it ("B+R", "W+3.5"), or empty while none has ended.
    std::string GameResultText() const;

public slots:
    // Loads a game record as the load command does once the file is chosen; the hall calls it
    // for a record given on its command line. False (with the reason shown) when refused.
    bool OpenRecordFile(const QString& path);

public:
    // The same for the bytes of a record file.
    bool OpenRecordBytes(std::span<const uint8_t> bytes);

    // ---- State, for the hall's entry code and for tests ----
    bool IsSetUp() const { return m_setUp; }
    bool StonesLoaded() const { return m_stoneLibrary != nullptr; }
    bool CompactLayout() const { return m_compactLayout; }
    const ViewSettings& Settings() const { return m_settings; }
    const match::MatchController& Match() const { return m_match; }
    match::MatchController& Match() { return m_match; }
    const go::Game& Game() const { return m_game; }
    go::Game& Game() { return m_game; }
    const go::Count& Count() const { return m_count; }
    // The current hall's table the view holds, null without one or in another hall.
    TableSite* Table() const { return m_siteLink != nullptr ? m_siteLink->Table() : nullptr; }
    const ViewLayout& Layout() const { return m_layout; }
    TickTimer& Ticks() { return m_ticks; }
    bool ShowMoveNumbers() const { return m_settings.isShowStep != 0; }
    int SeatFace(int seat) const { return m_seats[seat & 1].face; }
    QString SeatName(int seat) const { return m_seats[seat & 1].name; }
    void* SeatPicture(int seat) const { return m_seats[seat & 1].picture; }
    const hall::ResourceModule& OwnResources() const { return *m_ownResources; }
    const ViewPictures& Pictures() const { return m_pictures; }
    const ViewFonts& Fonts() const { return m_fonts; }
    const QCursor& BoardCursor() const { return m_boardCursor; }
    const hall::ResourceModule* StoneLibrary() const { return m_stoneLibrary.get(); }
    Prompter& Prompts() const { return *m_prompter; }
    const ViewProfile& Profile() const { return m_profile; }
    // Gives `button` the looks of control `controlId` from the hall's skin files when the view
    // takes its skins from files and the skin has that button; false otherwise.
    bool ApplySkin(GButton* button, int controlId) const;
    const QString& DataFolder() const { return m_dataFolder; }
    RulesDialog* Rules() const { return m_rulesDialog; }
    StudyWindow* Study() const { return m_studyWindow; }

signals:
    // The start countdown ran out: the table window is to close.
    void closeRequested();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Seat {
        QString name;                // the player's name
        int face = -1;               // face number, -1 for none
        hall::CImage facePicture;    // picture faceBase + face
        void* picture = nullptr;     // the hall's seat picture object (borrowed)
    };

    // TickTarget: runs on the worker thread, only posts.
    void Deliver(int message, std::shared_ptr<TickDelivery> delivery) override;

    void SetUp();
    void BuildMatchPanel();
    void LoadFonts();
    void LoadPanelPictures();
    void LoadBoardPicture();
    void LoadFacePicture(hall::CImage& target, int face) const;
    void ApplyLayout();
    PaintContent ContentForPaint() const;
    PanelContent PanelFor(go::StoneColor color) const;
    // Carries out the match's effects in order; a question's answer and a save's outcome go back
    // to the match, and what it answers with is carried out before the rest.
    void Carry(const match::Effects& effects);
    void CarryOne(const match::Effect& effect);
    match::Answer Ask(const match::effect::Ask& ask);
    void Repaint(match::Area area);
    void OnRulesDialogResult(int choice);
    void SetClearDeadFace(match::ClearDeadFace face);
    void SetShowMoveNumbers(bool on);
    void SetBigBoard(bool big);
    void CloseTable();
    std::optional<int> StepTarget() const;
    void UpdateCursor(const QPoint& position);
    // True when the record was written.
    bool SaveRecord();
    void LoadRecord();
    // An SGF game made a record and loaded as OpenRecordBytes loads one, with what was left out
    // said as system text. False (with the reason shown) when refused.
    bool OpenSgfBytes(std::span<const uint8_t> bytes);
    void SaveScreenshot();
    void EnableControl(int controlId, bool enabled);
    void ShowControl(int controlId, bool visible);
    void ApplyMoveNumberControls();
    // The match consults the sound and save-question settings.
    void SyncPreferences();

    // ---- Construction ----
    std::unique_ptr<HallPort> m_port;
    HallSiteLink* m_siteLink;  // m_port in the current hall, null in another
    ViewProfile m_profile;
    std::shared_ptr<const hall::ResourceModule> m_ownResources;
    std::shared_ptr<Prompter> m_prompter;
    std::shared_ptr<hall::ResourceModule> m_stoneLibrary;  // null when it could not be loaded
    std::shared_ptr<hall::ResourceModule> m_faceLibrary;   // face pictures faceBase + n, when present
    int m_faceBase;
    TickTimer m_ticks;

    // ---- Match ----
    go::Game m_game;
    go::Count m_count;
    match::MatchController m_match;
    ViewSettings m_settings;
    std::array<Seat, 2> m_seats;

    // ---- Window ----
    bool m_setUp = false;
    int m_wheelTurn = 0;  // the wheel's turn not yet a whole notch
    bool m_compactLayout = false;
    bool m_bigBoard = false;
    QString m_dataFolder;
    ViewLayout m_layout;
    ViewFonts m_fonts;
    QCursor m_boardCursor;
    ViewPictures m_pictures;
    ViewPainter m_painter;
    RulesDialog* m_rulesDialog = nullptr;
    StudyWindow* m_studyWindow = nullptr;
};

}  // namespace goview
