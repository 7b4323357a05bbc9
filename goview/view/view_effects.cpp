// CGameView: carrying out what the match decided.

#include "match/effect_visitor.h"
#include "goview/controls/control_id.h"
#include "goview/controls/gbutton.h"
#include "goview/dialogs/rules_dialog.h"
#include "goview/dialogs/study_window.h"
#include "goview/view/c_game_view.h"
#include "goview/view/match_panel.h"

namespace goview {
namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

MessageIcon IconOf(match::Icon icon) {
    switch (icon) {
        case match::Icon::Stop: return MessageIcon::Stop;
        case match::Icon::Exclamation: return MessageIcon::Exclamation;
        case match::Icon::Information: return MessageIcon::Information;
    }
    return MessageIcon::Information;
}

}  // namespace

void CGameView::Carry(const match::Effects& effects) {
    for (const match::Effect& effect : effects) CarryOne(effect);
}

void CGameView::CarryOne(const match::Effect& effect) {
    namespace fx = match::effect;
    std::visit(match::EffectVisitor{
                   [this](const fx::Send& send) {
                       m_port->SendGameCommand(send.command, send.data.data(), static_cast<int>(send.data.size()));
                   },
                   [this](const fx::SystemText& text) { m_port->ShowSystemText(FromUtf8(text.text)); },
                   [this](const fx::Cue& cue) { m_port->PlayCue(cue.file.c_str()); },
                   [this](const fx::Enable& enable) { EnableControl(enable.control, enable.enabled); },
                   [this](const fx::SetClearDeadFace& face) { SetClearDeadFace(face.face); },
                   [this](const fx::OpenRulesDialog& open) {
                       if (m_rulesDialog == nullptr) return;
                       if (open.record) m_rulesDialog->SetRecord(*open.record);
                       m_rulesDialog->SetCounterProposalAllowed(open.counterProposalAllowed ? CounterProposal::Allowed
                                                                                            : CounterProposal::NotAllowed);
                       m_rulesDialog->SetEditable(open.editable ? RulesEditing::Editable : RulesEditing::ReadOnly);
                       m_rulesDialog->RefreshAndStart();
                       m_rulesDialog->ShowCentredOver(this);
                   },
                   [this](const fx::LoadRulesDialog& load) {
                       if (m_rulesDialog != nullptr) m_rulesDialog->SetRecord(load.record);
                   },
                   [this](const fx::StartTimer& start) {
                       const int message = start.timer == match::Timer::Clock ? kClockTickMessage : kStartCountdownMessage;
                       m_ticks.Register(static_cast<int>(start.timer), this, message, 1);
                   },
                   [this](const fx::StopTimer& stop) { m_ticks.Remove(static_cast<int>(stop.timer)); },
                   [this](const fx::StopAllTimers&) { m_ticks.RemoveAll(); },
                   [this](const fx::Repaint& repaint) { Repaint(repaint.area); },
                   [this](const fx::CloseTable&) { CloseTable(); },
                   [this](const fx::Ask& ask) {
                       const match::Answer answer = Ask(ask);
                       Carry(m_match.OnAnswer(ask.question, answer));
                   },
                   [this](const fx::Message& message) {
                       m_prompter->ShowMessage(this, FromUtf8(message.text), IconOf(message.icon));
                   },
                   [this](const fx::SaveRecord&) {
                       const bool saved = SaveRecord();
                       Carry(m_match.OnRecordSaved(saved));
                   },
                   [this](const fx::HideStudyWindow&) {
                       if (m_studyWindow != nullptr && m_studyWindow->isVisible()) m_studyWindow->hide();
                   },
                   [this](const fx::SignalReady&) { m_port->SignalReady(); },
                   [this](const fx::OpponentMoved&) { m_port->OpponentMoved(); },
                   [this](const fx::AskRefereeVerdict&) { Carry(m_match.OnRefereeVerdict(m_prompter->AskRefereeVerdict(this))); },
               },
               effect);
}

match::Answer CGameView::Ask(const match::effect::Ask& ask) {
    const QString text = FromUtf8(ask.text);
    switch (ask.style) {
        case match::AskStyle::YesNo:
            return m_prompter->AskYesNo(this, text, ask.defaultYes ? DefaultAnswer::Yes : DefaultAnswer::No, FromUtf8(ask.title))
                       ? match::Answer::Yes
                       : match::Answer::No;
        case match::AskStyle::YesNoCancel:
            switch (m_prompter->AskYesNoCancel(this, text)) {
                case Choice::Yes: return match::Answer::Yes;
                case Choice::No: return match::Answer::No;
                case Choice::Cancel: return match::Answer::Cancel;
            }
            return match::Answer::Cancel;
        case match::AskStyle::Countdown:
            return m_prompter->AskWithCountdown(this, text, 10) ? match::Answer::Yes : match::Answer::Cancel;
    }
    return match::Answer::Cancel;
}

void CGameView::Repaint(match::Area area) {
    switch (area) {
        case match::Area::Whole: update(); break;
        case match::Area::Board: update(m_layout.board.Square().rect()); break;
        case match::Area::Seats:
            update(m_layout.PanelArea(m_layout.upperPanel));
            update(m_layout.PanelArea(m_layout.lowerPanel));
            break;
        case match::Area::OpponentSeat: update(m_layout.PanelArea(m_layout.upperPanel)); break;
        case match::Area::Clock:
            // The clocks sit in the panels; the countdown of the last seconds sits on the board.
            update(m_layout.PanelArea(m_layout.upperPanel));
            update(m_layout.PanelArea(m_layout.lowerPanel));
            break;
    }
}

void CGameView::SetClearDeadFace(match::ClearDeadFace face) {
    auto* clear = FindControl<GButton>(this, control::kClearDead);
    // The older hall's skin has one look for both.
    if (clear == nullptr || m_profile.skinSource == ViewProfile::SkinSource::ImageFiles) return;
    const PictureSet& p = face == match::ClearDeadFace::Normal ? pictures::kClearDeadNormal : pictures::kClearDeadUndo;
    clear->SetImages(p[0], p[1], p[2], p[3]);
}

}  // namespace goview
