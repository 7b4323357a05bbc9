// CGameView: what the hall calls through the interface table.

#include <QApplication>

#include "goview/controls/control_id.h"
#include "goview/dialogs/rules_dialog.h"
#include "goview/dialogs/settings_dialog.h"
#include "goview/view/c_game_view.h"
#include "goview/view/match_panel.h"
#include "match/chair.h"

namespace goview {

// ---- Seats and tables ----

int CGameView::OnUserChanged(int seat, int kind, int value) {
    if (m_siteLink == nullptr) return 0;
    const SeatUserRef user = m_siteLink->SeatUserAt(seat);
    if (!user || !user.IsPresent()) return 0;
    std::optional<SeatProfile> profile;
    if (user.HasProfile()) profile = SeatProfile{user.Name(), user.Face()};
    return TakeSeatUser(seat, profile, kind, value) ? 1 : 0;
}

bool CGameView::TakeSeatUser(int seat, const std::optional<SeatProfile>& profile, int kind, int value) {
    const int face = profile ? profile->face : -1;
    if (profile && match::IsChair(seat)) {
        m_seats[seat].face = face;
        m_seats[seat].name = profile->name;
    }
    if (!m_port->Facts().FetchTable()) return false;
    if (match::IsChair(seat)) LoadFacePicture(m_seats[seat].facePicture, face);
    Carry(m_match.OnSeatChanged(seat, kind, value));
    return true;
}

void CGameView::EnterTable() { Carry(m_match.ResetToWaitingState()); }

void CGameView::EnableStart() { EnableControl(control::kStart, true); }

int CGameView::AttachTable(int tableId) { return m_siteLink != nullptr ? m_siteLink->AttachTable(tableId) : 0; }

int CGameView::DetachTable(int tableId) { return m_siteLink != nullptr ? m_siteLink->DetachTable(tableId) : -1; }

int CGameView::OnHallNotify(int code) {
    constexpr int kForgetTable = 5;
    constexpr int kFetchTable = 4;
    if (m_siteLink == nullptr) return 0;
    if (code == kForgetTable) m_siteLink->ForgetTable();
    if (code == kFetchTable) m_siteLink->FetchTable();
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
    for (const std::string& question : m_match.LeavingQuestions()) {
        if (!m_prompter->AskYesNo(this, QString::fromStdString(question), DefaultAnswer::No, QString())) return 0;
    }
    return 1;
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
        SyncPreferences();
        LoadBoardPicture();
        if (m_setUp) ApplyMoveNumberControls();
        update(m_layout.board.Square().rect());
    }
    return 1;
}

// ---- The match ----

bool CGameView::OnSceneChanged(const uint8_t* snapshot, int length) {
    if (snapshot == nullptr || length < 0) return false;
    Carry(m_match.OnSnapshot(std::span(snapshot, static_cast<size_t>(length))));
    return !m_match.lastSnapshotRefused();
}

void CGameView::OnGameStart() { Carry(m_match.OnGameStart()); }

void CGameView::OnGameCommand(match::MatchCommand command, const uint8_t* data, int length) {
    if (length < 0 || (data == nullptr && length > 0)) return;
    Carry(m_match.OnCommand(command, std::span(data, static_cast<size_t>(length))));
}

void CGameView::OnGameOver(const uint8_t* result) {
    if (result == nullptr) return;
    Carry(m_match.OnGameOver(std::span(result, match::kGameResultSize)));
}

void CGameView::OnRulesDialogResult(int choice) {
    Carry(m_match.OnRulesDialogResult(static_cast<match::RulesChoice>(choice), m_rulesDialog->Record()));
}

void CGameView::CloseTable() {
    emit closeRequested();
    if (QWidget* top = window(); top != nullptr && top != this) {
        QMetaObject::invokeMethod(top, &QWidget::close, Qt::QueuedConnection);
    }
}

}  // namespace goview
