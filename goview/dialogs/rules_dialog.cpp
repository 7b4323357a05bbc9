#include "goview/dialogs/rules_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QTimerEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <span>

#include "goview/controls/control_id.h"
#include "goview/controls/flat_radio_button.h"
#include "goview/controls/gbutton.h"
#include "goview/controls/transparent_group_box.h"
#include "goview/controls/transparent_static.h"
#include "goview/dialogs/dialog_ids.h"
#include "goview/dialogs/dialog_skin.h"
#include "record/rules_choices.h"

namespace goview {
namespace {

using namespace go::rules_choices;
namespace ids = dialog_ids::rules;
static_assert(ids::kUndoChoices.size() == kUndoValues.size());

// Up to an hour the main time list goes in five-minute steps; any longer time that is not one of
// the whole hours offered is shown as no limit.
constexpr int kLongestStepped = 3600;
constexpr int kMainTimeStep = 300;
constexpr int kNoLimitIndex = static_cast<int>(kMainTimeItems.size()) - 1;

constexpr std::array<int, 4> kReApplyPictures = {340, 342, 343, 341};

// The index of `value` in `table`, or -1 when no item stands for it.
int IndexOf(std::span<const int> table, int value) {
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == value) return static_cast<int>(i);
    }
    return -1;
}

// The value of item `index`, or `current` when the index names no item.
int ValueAt(std::span<const int> table, int index, int current) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? table[static_cast<size_t>(index)] : current;
}

// A record value that matches no item leaves the list as it was, so an index outside the list
// (from a value no item stands for) is never selected.
void SelectIfValid(QComboBox* list, int index) {
    if (index >= 0 && index < list->count()) list->setCurrentIndex(index);
}

int MainTimeIndex(int seconds) {
    // A negative time stands for no item at all.
    if (seconds < 0) return -1;
    if (seconds <= kLongestStepped) return seconds / kMainTimeStep;
    const int exact = IndexOf(kMainTimeValues, seconds);
    return exact >= 0 ? exact : kNoLimitIndex;
}

// 10 to 60 seconds in steps of ten; the truncating division maps 15 to "10秒". Anything below 10
// or above 69 (0, negative, 70 seconds) gives an index outside the list, which SelectIfValid
// refuses, so such a record leaves the selection as it was rather than emptying the list.
int ByoyomiSecondsIndex(int seconds) { return seconds / 10 - 1; }

QString CountdownCaption(int seconds) { return QStringLiteral("规则设定-%1").arg(seconds); }

template <size_t N>
QComboBox* MakeList(QWidget* parent, int id, const std::array<const char*, N>& items) {
    auto* list = new QComboBox(parent);
    SetControlId(list, id);
    for (const char* item : items) list->addItem(QString::fromUtf8(item));
    list->setMaxVisibleItems(static_cast<int>(N));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

CTransparentStatic* MakeLabel(QWidget* parent, int id, const char* text) {
    auto* label = new CTransparentStatic(QString::fromUtf8(text), parent);
    SetControlId(label, id);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

TransparentGroupBox* MakeGroup(QWidget* parent, int id, const char* title) {
    auto* group = new TransparentGroupBox(QString::fromUtf8(title), parent);
    SetControlId(group, id);
    return group;
}

FlatRadioButton* MakeRadio(const std::shared_ptr<const hall::ResourceModule>& resources, QWidget* parent, int id,
                           const char* caption, GroupMark mark) {
    auto* radio = new FlatRadioButton(resources, QString::fromUtf8(caption), parent);
    SetControlId(radio, id);
    SetGroupMark(radio, mark);
    return radio;
}

QGridLayout* GroupGrid(QWidget* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(14, 10, 14, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    return grid;
}

}  // namespace

RulesDialog::RulesDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* owner)
    : QDialog(owner), m_resources(std::move(resources)), m_owner(owner) {
    setWindowTitle(QStringLiteral("规则设定"));
    SetControlId(this, ids::kTemplate);
    setModal(false);
    ApplyPaperBackground(this, *m_resources);
    BuildControls();
    // The lists start on the fresh record's items, which are the dialog's initial selections.
    LoadRecordIntoControls();
    hide();
}

void RulesDialog::BuildControls() {
    // Each pair of radios that excludes each other sits in a parent of its own, so a dialog group
    // never spans both the side and the undo radios.
    TransparentGroupBox* handicapGroup = MakeGroup(this, ids::kHandicapGroup, "选择让子数");
    QGridLayout* handicapGrid = GroupGrid(handicapGroup);
    handicapGrid->addWidget(MakeLabel(handicapGroup, ids::kHandicapLabel, "对局方式："), 0, 0);
    m_handicap = MakeList(handicapGroup, ids::kHandicap, kHandicapItems);
    handicapGrid->addWidget(m_handicap, 0, 1);
    m_komi = MakeList(handicapGroup, ids::kKomi, kKomiItems);
    handicapGrid->addWidget(m_komi, 0, 2);
    m_black = MakeRadio(m_resources, handicapGroup, ids::kBlack, "黑方", GroupMark::Start);
    m_white = MakeRadio(m_resources, handicapGroup, ids::kWhite, "白方", GroupMark::Continue);
    handicapGrid->addWidget(m_black, 1, 1);
    handicapGrid->addWidget(m_white, 1, 2);
    handicapGrid->setColumnStretch(1, 1);
    handicapGrid->setColumnStretch(2, 1);

    TransparentGroupBox* timeGroup = MakeGroup(this, ids::kTimeGroup, "设定时间");
    QGridLayout* timeGrid = GroupGrid(timeGroup);
    timeGrid->addWidget(MakeLabel(timeGroup, ids::kMainTimeLabel, "对局时间："), 0, 0);
    m_mainTime = MakeList(timeGroup, ids::kMainTime, kMainTimeItems);
    timeGrid->addWidget(m_mainTime, 0, 1);
    timeGrid->addWidget(MakeLabel(timeGroup, ids::kByoyomiLabel, "读秒："), 1, 0, Qt::AlignRight);
    m_byoyomiSeconds = MakeList(timeGroup, ids::kByoyomiSeconds, kByoyomiSecondsItems);
    timeGrid->addWidget(m_byoyomiSeconds, 1, 1);
    timeGrid->addWidget(MakeLabel(timeGroup, ids::kByoyomiCountLabel, "次数"), 1, 2);
    m_byoyomiCount = MakeList(timeGroup, ids::kByoyomiCount, kByoyomiCountItems);
    timeGrid->addWidget(m_byoyomiCount, 1, 3);
    timeGrid->setColumnStretch(1, 1);
    timeGrid->setColumnStretch(3, 1);

    TransparentGroupBox* undoGroup = MakeGroup(this, ids::kUndoGroup, "悔棋设定");
    QGridLayout* undoGrid = GroupGrid(undoGroup);
    for (size_t i = 0; i < ids::kUndoChoices.size(); ++i) {
        m_undo[i] = MakeRadio(m_resources, undoGroup, ids::kUndoChoices[i], kUndoItems[i],
                              i == 0 ? GroupMark::Start : GroupMark::Continue);
        undoGrid->addWidget(m_undo[i], 0, static_cast<int>(i));
        undoGrid->setColumnStretch(static_cast<int>(i), 1);
    }

    GButton* ok = MakeImageButton(m_resources, this, dialog_ids::kOk, kOkPictures, QStringLiteral("确定"));
    GButton* cancel = MakeImageButton(m_resources, this, dialog_ids::kCancel, kCancelPictures, QStringLiteral("取消"));
    m_reApply = MakeImageButton(m_resources, this, ids::kReApply, kReApplyPictures, QStringLiteral("重新申请"));
    m_reApply->setEnabled(false);
    connect(ok, &QAbstractButton::clicked, this, &RulesDialog::accept);
    connect(cancel, &QAbstractButton::clicked, this, &RulesDialog::reject);
    connect(m_reApply, &QAbstractButton::clicked, this, [this] {
        ReadControlsIntoRecord();
        Finish(RulesDialogChoice::ReApply);
    });

    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_reApply);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(handicapGroup);
    layout->addWidget(timeGroup);
    layout->addWidget(undoGroup);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RulesDialog::LoadRecordIntoControls() {
    // Handicaps other than 0..9, 13 and 25 (negative ones too) match no item.
    SelectIfValid(m_handicap, IndexOf(kHandicapValues, m_rules.handicap));
    SelectIfValid(m_komi, IndexOf(kKomiValues, m_rules.komi));
    SelectIfValid(m_mainTime, MainTimeIndex(m_rules.mainTime));
    SelectIfValid(m_byoyomiSeconds, ByoyomiSecondsIndex(m_rules.byoyomiSeconds));
    SelectIfValid(m_byoyomiCount, IndexOf(kByoyomiCountValues, m_rules.byoyomiCount));

    const bool black = m_rules.side == 0;
    m_black->SetCheck(black ? 1 : 0);
    m_white->SetCheck(black ? 0 : 1);

    const int undo = IndexOf(kUndoValues, m_rules.undoAllowance);
    if (undo >= 0) {
        for (size_t i = 0; i < ids::kUndoChoices.size(); ++i) m_undo[i]->SetCheck(static_cast<int>(i) == undo ? 1 : 0);
    }
}

void RulesDialog::ReadControlsIntoRecord() {
    m_rules.side = m_black->isChecked() ? 0 : 1;
    m_rules.handicap = ValueAt(kHandicapValues, m_handicap->currentIndex(), m_rules.handicap);
    m_rules.komi = ValueAt(kKomiValues, m_komi->currentIndex(), m_rules.komi);
    m_rules.mainTime = ValueAt(kMainTimeValues, m_mainTime->currentIndex(), m_rules.mainTime);
    const int seconds = m_byoyomiSeconds->currentIndex();
    if (seconds >= 0) m_rules.byoyomiSeconds = (seconds + 1) * 10;
    m_rules.byoyomiCount = ValueAt(kByoyomiCountValues, m_byoyomiCount->currentIndex(), m_rules.byoyomiCount);
    // The radios exclude each other, so at most one is checked; should that ever fail, the last
    // checked one wins, and with none checked the allowance stays.
    for (size_t i = 0; i < ids::kUndoChoices.size(); ++i) {
        if (m_undo[i]->isChecked()) m_rules.undoAllowance = kUndoValues[i];
    }
}

void RulesDialog::RefreshAndStart() {
    LoadRecordIntoControls();
    m_reApply->setEnabled(m_counterProposal == CounterProposal::Allowed);
    const bool editable = m_editing == RulesEditing::Editable;
    for (QComboBox* list : {m_handicap, m_komi, m_mainTime, m_byoyomiSeconds, m_byoyomiCount}) {
        list->setEnabled(editable);
    }
    for (FlatRadioButton* radio : m_undo) radio->setEnabled(editable);
    // Fixed rules still leave the choice of colour to the player.
    m_black->setEnabled(true);
    m_white->setEnabled(true);

    m_countdown = kCountdownSeconds;
    setWindowTitle(CountdownCaption(m_countdown));
    m_timer.start(1000, this);
}

void RulesDialog::ShowCentredOver(QWidget* parent) {
    adjustSize();
    const bool wasVisible = isVisible();
    MoveCentredOver(parent);
    show();
    // The window frame is known only once the window is shown; centre again with it.
    MoveCentredOver(parent);
    if (wasVisible) raise();
    activateWindow();
}

void RulesDialog::MoveCentredOver(const QWidget* parent) {
    QScreen* target = parent != nullptr ? parent->screen() : screen();
    QRect area = parent != nullptr ? parent->window()->frameGeometry() : QRect();
    if (area.isEmpty() && target != nullptr) area = target->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    // Keep the title bar on the screen even over a window that hangs off its edge.
    if (target != nullptr) {
        const QRect screenArea = target->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), screenArea.left(),
                                  std::max(screenArea.left(), screenArea.right() - frame.width() + 1)));
        frame.moveTop(std::clamp(frame.top(), screenArea.top(),
                                 std::max(screenArea.top(), screenArea.bottom() - frame.height() + 1)));
    }
    if (frame.topLeft() != frameGeometry().topLeft()) move(frame.topLeft());
}

void RulesDialog::OnCountdownTick() {
    --m_countdown;
    setWindowTitle(CountdownCaption(m_countdown));
    if (m_countdown <= 0) {
        m_timer.stop();
        reject();
    }
}

void RulesDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId()) {
        OnCountdownTick();
        return;
    }
    QDialog::timerEvent(event);
}

void RulesDialog::accept() {
    ReadControlsIntoRecord();
    Finish(RulesDialogChoice::Ok);
}

void RulesDialog::reject() { Finish(RulesDialogChoice::Cancel); }

void RulesDialog::Finish(RulesDialogChoice choice) {
    // An open list would otherwise stay on screen over a hidden dialog.
    for (QComboBox* list : {m_handicap, m_komi, m_mainTime, m_byoyomiSeconds, m_byoyomiCount}) list->hidePopup();
    hide();
    setResult(static_cast<int>(choice));
    // The owner may show the dialog again from its handler, so nothing of the dialog is touched
    // after the result has gone out.
    if (m_owner) {
        RulesDialogResultEvent result(choice);
        QCoreApplication::sendEvent(m_owner, &result);
    }
}

}  // namespace goview
