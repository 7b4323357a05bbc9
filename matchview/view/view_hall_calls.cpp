// CGameView: what the hall calls through the interface table, and the start countdown.

#include <QApplication>

#include "matchview/controls/control_id.h"
#include "matchview/dialogs/settings_dialog.h"
#include "matchview/view/c_game_view.h"
#include "matchview/view/match_panel.h"

namespace matchview {
namespace {

constexpr int kSnapshotHeadSize = 97;
constexpr int kStartCountdownSeconds = 60;
constexpr int kChangeReady = 1;
constexpr int kChangePassState = 3;

}  // namespace

// ---- Seats and tables ----

int CGameView::OnUserChanged(int seat, int kind, int value) {
    const SeatUserRef user = m_hall.SeatUserAt(seat);
    if (!user || !user.IsPresent()) return 0;
    int face = -1;
    if (user.HasProfile()) {
        face = user.Face();
        if (seat == 0 || seat == 1) {
            m_seats[seat].face = face;
            m_seats[seat].name = user.Name();
        }
    }
    if (!m_table) m_table = TableRef(m_hall.CurrentTable());
    if (!m_table) return 0;

    const int mySeat = m_table.MySeat();
    if (seat == mySeat) {
        if (seat == 0 || seat == 1) LoadFacePicture(m_seats[seat].facePicture, face);
        if (kind == kChangePassState && value == 2) {
            // Both sides have passed: forced counting becomes possible.
            m_counters.myPassed = 1;
            m_counters.oppPassed = 1;
        }
        if (kind == kChangeReady && value == 0) EnableControl(control::kStart, true);
    } else if (seat == 0 || seat == 1) {
        LoadFacePicture(m_seats[seat].facePicture, face);
    }

    const int status = m_table.Status();
    EnableControl(control::kReferee, (m_table.Rights() & kRefereeRight) != 0 && status == 4);
    if (status == 4) {
        EnableControl(control::kDraw, false);
        EnableControl(control::kResign, false);
    }

    if (m_table.IsPlayer() && status == 0) {
        const SeatUserRef opponent = m_hall.SeatUserAt(mySeat != 0 ? 0 : 1);
        if (opponent && opponent.State() == 1) {
            m_counters.timeoutsUsedMine = kStartCountdownSeconds;
            m_ticks.Register(kStartCountdownTimer, this, kStartCountdownMessage, 1);
            m_startCountdownRunning = true;
        } else {
            StopStartCountdown();
        }
    }
    update(m_layout.upperPanel.rect());
    update(m_layout.lowerPanel.rect());
    return 1;
}

int CGameView::AttachTable(int tableId) {
    const TableRef table(m_hall.CurrentTable());
    if (!table) return 0;
    const int id = table.Id() & 0xFFFF;
    if (id == (tableId & 0xFFFF)) m_table = table;
    return id;
}

int CGameView::DetachTable(int tableId) {
    // Without a table the answer only has to be non-zero.
    if (!m_table) return -1;
    const int id = m_table.Id() & 0xFFFF;
    if (id == (tableId & 0xFFFF)) m_table = TableRef();
    return id;
}

int CGameView::OnHallNotify(int code) {
    if (code == 5) m_table = TableRef();
    if (code == 4) m_table = TableRef(m_hall.CurrentTable());
    return 0;
}

QWidget* CGameView::SetSeatPicture(int seat, void* picture, int32_t* sizeKind) {
    if (seat != 0 && seat != 1) return nullptr;
    m_seats[seat].picture = picture;
    if (sizeKind != nullptr) *sizeKind = m_compactLayout ? 2 : 1;
    return FindControl<QWidget>(this, seat == 0 ? control::kSeatFrame0 : control::kSeatFrame1);
}

// ---- Leaving ----

int CGameView::CanClose() {
    if (!m_table || !m_table.IsPlayer() || m_hall.HallMode() == 1 || m_table.Status() == 0 ||
        m_board.PlayedCount() < 1) {
        return 1;
    }
    return m_prompter->AskYesNo(this, QStringLiteral("现在退出将会被扣分，是否真的要退出？"), DefaultAnswer::No) ? 1 : 0;
}

int CGameView::EnableLoad() {
    EnableControl(control::kLoad, true);
    return 1;
}

int CGameView::ShowSettings() {
    SettingsDialog dialog(m_ownResources);
    if (dialog.exec() == QDialog::Accepted) {
        m_settings = dialog.Values();
        WriteViewSettings(m_settings);
        LoadBoardPicture();
        if (m_setUp) ApplyMoveNumberControls();
        update(m_layout.board.rect());
    }
    return 1;
}

// ---- The match (snapshots, commands and results come with the match control) ----

void CGameView::OnSceneChanged(const uint8_t* snapshot, int length) {
    if (snapshot == nullptr || length < kSnapshotHeadSize) return;
    if (!m_table) return;
}

void CGameView::OnGameStart() {
    m_counters.mainTimeUsedMine = 0;
    m_counters.mainTimeUsedOpp = 0;
    StopStartCountdown();
    m_counters.myPassed = 0;
    m_counters.oppPassed = 0;
    PlayCue("start.wav");
    if (m_table) {
        m_counters.lostOnTime = 0;
        m_counters.myPassCount = 0;
        m_counters.oppPassCount = 0;
    }
}

void CGameView::OnGameCommand(int command, const uint8_t* data, int length) {
    if (length < 0 || (data == nullptr && length > 0)) return;
    static_cast<void>(command & 0xFF);
}

void CGameView::OnGameOver(const uint8_t* result) {
    if (result == nullptr) return;
}

// ---- The start countdown and the waiting state ----

void CGameView::OnStartCountdownTick() {
    --m_counters.timeoutsUsedMine;
    PlayCue("alarm.wav");
    if (m_counters.timeoutsUsedMine > 0) {
        update(m_layout.upperPanel.rect());
        return;
    }
    // Nobody pressed Start in time: the table closes.
    m_ticks.RemoveAll();
    m_startCountdownRunning = false;
    emit closeRequested();
    if (QWidget* top = window(); top != nullptr && top != this) {
        QMetaObject::invokeMethod(top, &QWidget::close, Qt::QueuedConnection);
    }
}

void CGameView::StopStartCountdown() {
    if (m_startCountdownRunning) m_ticks.Remove(kStartCountdownTimer);
    m_startCountdownRunning = false;
}

void CGameView::ResetToWaitingState() {
    if (!m_table) m_table = TableRef(m_hall.CurrentTable());
    if (m_table) EnableControl(control::kStart, m_table.IsPlayer());
    for (int id : {control::kPass, control::kResign, control::kDraw, control::kUndo, control::kClearDead,
                   control::kContinue, control::kReferee, control::kLoad}) {
        EnableControl(id, false);
    }
    m_counters.proposerMark = 0;
    m_counters.rulesFixed = 0;
    m_counters.lostOnTime = 0;
    m_ticks.RemoveAll();
    m_startCountdownRunning = false;
}

}  // namespace matchview
