// CGameView: the commands of the panel's buttons — Start, move numbers, navigation, the board
// sizes, and what the match buttons do on a board without a table.

#include <QLineEdit>

#include "matchview/controls/control_id.h"
#include "matchview/controls/gbutton.h"
#include "matchview/resources/string_table.h"
#include "matchview/view/c_game_view.h"
#include "matchview/view/match_panel.h"
#include "rules/score_text.h"

namespace matchview {
namespace {

// The leading decimal digits of a text, as a C conversion reads them ("12ab" is 12, "x" is 0).
int LeadingNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+')) negative = trimmed[i++] == '-';
    long long value = 0;
    for (; i < trimmed.size() && trimmed[i].isDigit() && value < 100000000; ++i) {
        value = value * 10 + trimmed[i].digitValue();
    }
    return static_cast<int>(negative ? -value : value);
}

// The controls of the panels, hidden while the board has the window to itself. The view's own
// windows (the rules dialog, the study window) are no panel controls.
bool BelongsToPanels(const QWidget* child) {
    const int id = ControlId(child);
    return !child->isWindow() && id != control::kSmallBoard && id != control::kBigBoard && id != 0;
}

constexpr const char* kClearQuestion = "棋盘将被清空，是否先存盘？";

}  // namespace

void CGameView::OnCommand(int controlId) {
    switch (controlId) {
        case control::kStart: OnStart(); break;
        case control::kShowNumbers: SetShowMoveNumbers(true); break;
        case control::kHideNumbers: SetShowMoveNumbers(false); break;
        case control::kMoveNumbers: SetShowMoveNumbers(m_settings.isShowStep == 0); break;
        case control::kFirst:
        case control::kPrevious:
        case control::kNext:
        case control::kLast:
        case control::kStep: Navigate(controlId); break;
        case control::kBigBoard:
        case control::kBigBoardSmall: SetBigBoard(true); break;
        case control::kSmallBoard: SetBigBoard(false); break;
        case control::kClearDead: OnClearDead(); break;
        case control::kContinue: OnContinue(); break;
        case control::kPass: OnPass(); break;
        case control::kUndo: OnUndo(); break;
        case control::kDraw: OnDraw(); break;
        case control::kResign: OnResign(); break;
        case control::kReferee:
            if (!m_table || m_table.IsPlayer()) EnableControl(control::kReferee, false);
            break;
        case control::kSave: SaveRecord(); break;
        case control::kLoad: LoadRecord(); break;
        case control::kScreenshot: SaveScreenshot(); break;
        default: break;
    }
}

void CGameView::OnStart() {
    if (m_table) {
        if (!m_table.IsPlayer()) {
            EnableControl(control::kStart, false);
            return;
        }
        if (m_table.Status() == 0) m_hall.SignalReady();
        m_board.Reset();
        EnableControl(control::kStart, false);
    } else {
        if (!ClearFreeBoard()) return;
        m_board.SetMode(1);
        EnableFreeBoardButtons();
    }
    update();
}

bool CGameView::ClearFreeBoard() {
    // The board clears as its buttons say, but never silently takes a game with it.
    if (m_board.PlayedCount() > 0) {
        switch (m_prompter->AskYesNoCancel(this, QString::fromUtf8(kClearQuestion))) {
            case Choice::Yes:
                if (!SaveRecord()) return false;
                break;
            case Choice::No: break;
            case Choice::Cancel: return false;
        }
    }
    // The board counts with the rules the status panel shows.
    const go::GameRules& rules = m_counters.currentRules;
    m_board.Reset();
    m_board.SetKomi(rules.komi);
    m_board.SetHandicap(rules.handicap);
    return true;
}

void CGameView::EnableFreeBoardButtons() {
    // Without a table nobody else enables them: the board alone passes, takes back, counts,
    // and starts afresh by draw or resignation.
    for (int id : {control::kPass, control::kUndo, control::kDraw, control::kResign, control::kClearDead}) {
        EnableControl(id, true);
    }
    EnableControl(control::kContinue, m_board.GetMode() == 2);
}

void CGameView::SetShowMoveNumbers(bool on) {
    m_settings.isShowStep = on ? 1 : 0;
    ApplyMoveNumberControls();
    update(m_layout.board.rect());
}

void CGameView::PlayCue(const char* file, bool always) const {
    if (always || m_settings.isSound != 0) m_hall.PlayCue(file);
}

bool CGameView::InLiveGame() const { return m_table && m_table.IsPlayer() && m_board.GetMode() == 1; }

void CGameView::Navigate(int controlId) {
    const int mode = m_board.GetMode();
    if ((mode != 1 && mode != 3) || InLiveGame()) return;
    bool moved = false;
    switch (controlId) {
        case control::kFirst:
            if (m_board.IsReviewing() == 0) m_board.SetReviewing(true);
            moved = m_board.ReviewGoTo(1);
            break;
        case control::kPrevious:
            if (m_board.IsReviewing() == 0) m_board.SetReviewing(true);
            moved = m_board.ReviewBack();
            break;
        case control::kNext:
            if (m_board.IsReviewing() != 0) moved = m_board.ReviewForward();
            break;
        case control::kLast: moved = m_board.ReviewEnd(); break;
        case control::kStep: {
            const auto* field = FindControl<QLineEdit>(this, control::kStepEdit);
            if (field == nullptr || field->text().isEmpty()) return;
            if (m_board.IsReviewing() == 0) m_board.SetReviewing(true);
            moved = m_board.ReviewGoTo(LeadingNumber(field->text()));
            break;
        }
        default: return;
    }
    // The panels follow the position shown (prisoners, side to move), not only the board.
    if (moved) update();
}

void CGameView::SetBigBoard(bool big) {
    m_bigBoard = big;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (BelongsToPanels(child)) child->setVisible(!big);
    }
    ShowControl(control::kSmallBoard, big);
    ShowControl(control::kBigBoard, !big);
    if (!big) ApplyMoveNumberControls();
    ApplyLayout();
}

// ---- The match buttons on a board without a table (a table's negotiations come with the match) ----

void CGameView::SetMatchButtonsForCounting(bool counting) {
    for (int id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers, control::kUndo,
                   control::kPass}) {
        EnableControl(id, !counting);
    }
    if (auto* clear = FindControl<GButton>(this, control::kClearDead)) {
        const PictureSet& p = counting ? pictures::kClearDeadUndo : pictures::kClearDeadNormal;
        clear->SetImages(p[0], p[1], p[2], p[3]);
    }
}

void CGameView::OnClearDead() {
    if (m_table) return;
    if (m_board.GetMode() == 1) {
        m_board.SetMode(2);
        m_board.RecountTerritory();
        m_board.setScoreShown(1);
        SetMatchButtonsForCounting(true);
        EnableControl(control::kContinue, true);
        update();
        return;
    }
    if (m_board.GetMode() != 2) return;
    // The count on a board alone: show it, then play on (Cancel) or start afresh (OK).
    const auto [black, white] = DisplayedScores();
    const char* verdict = black > white ? "黑方胜\n" : black == white ? "打和了\n" : "白方胜\n";
    const QString text = QString::fromStdString(go::BlackCountText(black) + "\n" + go::WhiteCountText(white) +
                                                "\n" + verdict);
    const bool startAfresh = m_prompter->AskWithCountdown(this, text, 10);
    LeaveCounting();
    if (startAfresh) ClearFreeBoard();
    update();
}

void CGameView::LeaveCounting() {
    m_board.ReviewEnd();  // rebuilds the position, which drops the dead marks
    m_board.SetMode(1);
    m_board.ClearRegionClicks();
    m_board.setScoreShown(0);
    SetMatchButtonsForCounting(false);
    EnableControl(control::kContinue, false);
}

void CGameView::OnContinue() {
    if (m_table) return;
    if (m_board.GetMode() != 2) return;
    LeaveCounting();
    update();
}

void CGameView::OnPass() {
    if (m_table) return;
    if (m_board.GetMode() != 1) return;
    if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
    const int side = m_board.GetSideToMove();
    if (m_board.PlaceStone(side, go::kNoCoord, go::kNoCoord)) m_board.AppendMove(side, go::kNoCoord, go::kNoCoord);
    update();
}

void CGameView::OnUndo() {
    if (m_table) return;
    if (m_board.GetMode() != 1) return;
    if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
    m_board.UndoLast();
    update();
}

void CGameView::OnDraw() {
    if (m_table) return;
    if (m_prompter->AskWithCountdown(this, StringOrEmpty(strings::kDrawConfirm), 10) && ClearFreeBoard()) update();
}

void CGameView::OnResign() {
    if (m_table) return;
    if (ClearFreeBoard()) update();
}

}  // namespace matchview
