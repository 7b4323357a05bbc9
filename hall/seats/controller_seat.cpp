#include "hall/seats/controller_seat.h"

#include "match/effect_visitor.h"
#include "record/text_encoding.h"

namespace hall {

ControllerSeat::ControllerSeat(TableServer& server, match::ViewProfile profile)
    : m_server(server), m_match(m_game, m_count, *this, profile) {
    m_match.SetPreferences({true, false});
}

bool ControllerSeat::Join(int seat, SeatUserInfo user) {
    const std::optional<OccupantId> id = m_server.Join(*this, seat, std::move(user));
    if (!id) return false;
    m_id = *id;
    return true;
}

std::optional<match::SeatUserFacts> ControllerSeat::SeatUser(int seat) const {
    if ((seat != 0 && seat != 1) || !m_model.seats[seat].occupied) return std::nullopt;
    return match::SeatUserFacts{m_model.seats[seat].name, m_model.seats[seat].state};
}

void ControllerSeat::Post(Mail mail) {
    m_inbox.push_back(std::move(mail));
    if (mailArrived) mailArrived();
}

void ControllerSeat::DeliverTable(const TableModel& table) { Post(table); }
void ControllerSeat::DeliverSeatChange(int seat, int kind, int value) { Post(SeatChangeMail{seat, kind, value}); }
void ControllerSeat::DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) { Post(CommandMail{command, data}); }
void ControllerSeat::DeliverSnapshot(const std::vector<uint8_t>& snapshot) { Post(SnapshotMail{snapshot}); }
void ControllerSeat::DeliverGameStart() { Post(GameStartMail{}); }
void ControllerSeat::DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& result) { Post(GameOverMail{result}); }
void ControllerSeat::DeliverSystemLine(const std::string& gbk) { Post(SystemLineMail{gbk}); }

bool ControllerSeat::PumpOne() {
    if (m_inbox.empty()) return false;
    const Mail mail = std::move(m_inbox.front());
    m_inbox.pop_front();
    std::visit(match::EffectVisitor{
                   [this](const TableModel& table) { m_model = table; },
                   [this](const SeatChangeMail& m) {
                       // A seat that is empty now has no user to report, as a view's OnUserChanged finds.
                       if (SeatUser(m.seat)) Carry(m_match.OnSeatChanged(m.seat, m.kind, m.value));
                   },
                   [this](const CommandMail& m) { Carry(m_match.OnCommand(m.command, m.data)); },
                   [this](const SnapshotMail& m) { Carry(m_match.OnSnapshot(m.bytes)); },
                   [this](const GameStartMail&) { Carry(m_match.OnGameStart()); },
                   [this](const GameOverMail& m) { Carry(m_match.OnGameOver(m.result)); },
                   [this](const SystemLineMail& m) { texts.push_back(go::GbkToUtf8(m.gbk)); },
               },
               mail);
    return true;
}

int ControllerSeat::Pump() {
    int handled = 0;
    while (PumpOne()) ++handled;
    return handled;
}

bool ControllerSeat::Press(match::control::Id control) {
    if (!Enabled(control)) return false;
    Carry(m_match.OnButton(control));
    return true;
}

bool ControllerSeat::Enabled(match::control::Id control) const {
    const auto found = m_enabled.find(control);
    return found == m_enabled.end() || found->second;
}

void ControllerSeat::Tick() {
    if (TimerRunning(match::Timer::StartCountdown)) Carry(m_match.OnStartCountdownTick());
    if (TimerRunning(match::Timer::Clock)) Carry(m_match.OnClockTick());
}

void ControllerSeat::Carry(const match::Effects& effects) {
    namespace fx = match::effect;
    for (const match::Effect& effect : effects) {
        std::visit(match::EffectVisitor{
                       [this](const fx::Send& send) { m_server.SubmitCommand(m_id, send.command, send.data); },
                       [this](const fx::SignalReady&) { m_server.SubmitReady(m_id); },
                       [this](const fx::SystemText& text) { texts.push_back(text.text); },
                       [this](const fx::Cue& cue) { cues.push_back(cue.file); },
                       [this](const fx::StartTimer& start) { m_timers.insert(start.timer); },
                       [this](const fx::StopTimer& stop) { m_timers.erase(stop.timer); },
                       [this](const fx::StopAllTimers&) { m_timers.clear(); },
                       [this](const fx::Enable& enable) { m_enabled[enable.control] = enable.enabled; },
                       [this](const fx::CloseTable&) {
                           m_closed = true;
                           m_server.SubmitLeave(m_id);
                       },
                       [this](const fx::Ask& ask) {
                           const std::optional<match::Answer> answer =
                               answerQuestion ? answerQuestion(ask) : std::optional(match::Answer::Cancel);
                           if (answer) Carry(m_match.OnAnswer(ask.question, *answer));
                       },
                       [this](const fx::SaveRecord&) { Carry(m_match.OnRecordSaved(false)); },
                       [this](const fx::AskRefereeVerdict&) {
                           Carry(m_match.OnRefereeVerdict(answerVerdict ? answerVerdict() : std::nullopt));
                       },
                       [this](const fx::LoadRulesDialog& load) { m_dialogRecord = load.record; },
                       [this](const fx::OpenRulesDialog& open) {
                           if (open.record) m_dialogRecord = *open.record;
                           const match::RulesChoice choice =
                               answerRules ? answerRules(open, m_dialogRecord) : match::RulesChoice::Ok;
                           Carry(m_match.OnRulesDialogResult(choice, m_dialogRecord));
                       },
                       // Controls, pictures, repaints and the study window are a window's.
                       [](const auto&) {},
                   },
                   effect);
    }
}

}  // namespace hall
