// CGameView: the commands of the panel's buttons. What is a match question goes to the match;
// the view keeps the move numbers, the board sizes, the files and the study window.

#include <QLineEdit>

#include "goview/controls/control_id.h"
#include "goview/controls/gbutton.h"
#include "goview/dialogs/study_window.h"
#include "goview/resources/string_table.h"
#include "goview/view/c_game_view.h"
#include "goview/view/match_panel.h"

namespace goview {
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
// windows (the rules dialog, the study window) are no panel controls. The older hall's layout
// keeps its column of small buttons at the left edge in every mode.
bool BelongsToPanels(const QWidget* child, bool legacyLayout) {
    const int id = ControlId(child);
    if (legacyLayout && (id == control::kScreenshot || id == control::kShowNumbers || id == control::kHideNumbers ||
                         id == control::kReferee)) {
        return false;
    }
    return !child->isWindow() && id != control::kSmallBoard && id != control::kBigBoard && id != 0;
}

}  // namespace

void CGameView::OnCommand(match::control::Id control) {
    switch (control) {
        case control::kShowNumbers: SetShowMoveNumbers(true); break;
        case control::kHideNumbers: SetShowMoveNumbers(false); break;
        case control::kMoveNumbers: SetShowMoveNumbers(m_settings.isShowStep == 0); break;
        case control::kBigBoard:
        case control::kBigBoardSmall: SetBigBoard(true); break;
        case control::kSmallBoard: SetBigBoard(false); break;
        case control::kSave: SaveRecord(); break;
        case control::kLoad: LoadRecord(); break;
        case control::kScreenshot: SaveScreenshot(); break;
        case control::kStudy:
            if (m_studyWindow == nullptr) break;
            m_studyWindow->show();
            m_studyWindow->raise();
            m_studyWindow->OpenStudy();
            break;
        default: Carry(m_match.OnButton(control, StepTarget())); break;
    }
}

std::optional<int> CGameView::StepTarget() const {
    const auto* field = FindControl<QLineEdit>(this, control::kStepEdit);
    if (field == nullptr || field->text().isEmpty()) return std::nullopt;
    return LeadingNumber(field->text());
}

void CGameView::SetShowMoveNumbers(bool on) {
    m_settings.isShowStep = on ? 1 : 0;
    ApplyMoveNumberControls();
    update(m_layout.board.Square().rect());
}

void CGameView::SetBigBoard(bool big) {
    m_bigBoard = big;
    const bool legacyLayout = m_profile.layout == ViewProfile::Layout::LegacyPanels;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (BelongsToPanels(child, legacyLayout)) child->setVisible(!big);
    }
    ShowControl(control::kSmallBoard, big);
    ShowControl(control::kBigBoard, !big);
    if (!big || legacyLayout) ApplyMoveNumberControls();
    ApplyLayout();
}

}  // namespace goview
