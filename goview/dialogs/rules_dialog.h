#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <memory>

#include "record/game_rules.h"
#include "sdk/kit/resource_module.h"

class QComboBox;

namespace goview {

class FlatRadioButton;
class GButton;

// The event the rules dialog sends its owner when the player has decided. Sent synchronously,
// after the dialog has hidden itself.
constexpr int kRulesDialogResultEvent = 1125;

enum class RulesDialogChoice { Ok = 1, Cancel = 2, ReApply = 4 };

class RulesDialogResultEvent : public QEvent {
public:
    explicit RulesDialogResultEvent(RulesDialogChoice choice)
        : QEvent(static_cast<QEvent::Type>(kRulesDialogResultEvent)), m_choice(choice) {}
    RulesDialogChoice Choice() const { return m_choice; }

private:
    RulesDialogChoice m_choice;
};

// Whether the re-apply button (send the edited rules back as a proposal of one's own) is offered.
enum class CounterProposal { NotAllowed, Allowed };
// Whether the rules may be changed; read-only rules still let the player pick a side.
enum class RulesEditing { ReadOnly, Editable };

// The rules setup dialog ("规则设定"): modeless, created hidden with the view and kept until the
// view goes. The view loads a record, refreshes and shows it; the player edits or answers, and the
// dialog reports OK, re-apply or Cancel to its owner. Sixty seconds without an answer count as
// Cancel.
//
// The countdown is not stopped by OK or re-apply: it runs on while the dialog is hidden and, if
// the view never shows the dialog again, reports a Cancel when it reaches zero. The view decides
// whether a late Cancel still matters (only while the match waits for its rules or is over).
class RulesDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCountdownSeconds = 60;

    // `owner` becomes both the parent and the receiver of the results.
    RulesDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* owner);

    // Replaces the record; the controls show it only after RefreshAndStart.
    void SetRecord(const go::GameRules& rules) { m_rules = rules; }
    // The record as last set or as read from the controls by OK or re-apply.
    go::GameRules Record() const { return m_rules; }

    // Both take effect at the next RefreshAndStart.
    void SetCounterProposalAllowed(CounterProposal allowed) { m_counterProposal = allowed; }
    void SetEditable(RulesEditing editing) { m_editing = editing; }
    CounterProposal CounterProposalAllowed() const { return m_counterProposal; }
    RulesEditing Editable() const { return m_editing; }

    // The receiver of the results; null sends them nowhere.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    QWidget* Owner() const { return m_owner; }

    // Loads the record into the controls, applies the two settings above, and restarts the
    // countdown at 60 with the caption "规则设定-60". Does not show the dialog.
    void RefreshAndStart();
    // Centres the dialog over `parent`'s window (over the screen when null) and shows it without
    // making it modal.
    void ShowCentredOver(QWidget* parent);

    int Countdown() const { return m_countdown; }
    bool IsCountdownRunning() const { return m_timer.isActive(); }
    // One second passes; the dialog's timer calls it, tests may call it directly. At zero or below
    // the timer stops and the dialog cancels.
    void OnCountdownTick();

    // OK and Cancel, also reached by the buttons, Escape and closing the window.
    void accept() override;
    void reject() override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void BuildControls();
    void MoveCentredOver(const QWidget* parent);
    void LoadRecordIntoControls();
    void ReadControlsIntoRecord();
    void Finish(RulesDialogChoice choice);

    std::shared_ptr<const hall::ResourceModule> m_resources;
    go::GameRules m_rules;  // what the dialog shows and edits
    CounterProposal m_counterProposal = CounterProposal::NotAllowed;
    RulesEditing m_editing = RulesEditing::ReadOnly;
    QPointer<QWidget> m_owner;
    // Seconds left before the dialog cancels by itself; meaningful while m_timer is active.
    int m_countdown = kCountdownSeconds;
    QBasicTimer m_timer;  // one tick a second from RefreshAndStart until the countdown runs out

    QComboBox* m_handicap = nullptr;        // 1014
    QComboBox* m_komi = nullptr;            // 1017
    QComboBox* m_mainTime = nullptr;        // 1018
    QComboBox* m_byoyomiSeconds = nullptr;  // 1019
    QComboBox* m_byoyomiCount = nullptr;    // 1020
    FlatRadioButton* m_black = nullptr;     // 1068
    FlatRadioButton* m_white = nullptr;     // 1069
    FlatRadioButton* m_undo[4] = {};        // 1060..1063: no undo, 1, 3, 5
    GButton* m_reApply = nullptr;           // 3
};

}  // namespace goview
