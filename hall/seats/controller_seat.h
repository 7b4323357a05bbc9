#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "hall/server/seat_link.h"
#include "hall/server/table_server.h"
#include "match/match_controller.h"
#include "match/table_facts.h"
#include "rules/count.h"
#include "rules/game.h"

namespace hall {

// A seat that plays through the match core alone, with no window: deliveries wait in its inbox
// until Pump hands them to its MatchController, and the controller's effects are carried out
// against the server (commands, readiness, leaving) or by the seat's policies (questions, the
// rules dialog). The hall's engine opponents and the tests, fuzzers and benchmarks sit at tables
// this way. Names are the table's raw bytes.
class ControllerSeat : public SeatLink, private match::TableFacts {
public:
    explicit ControllerSeat(TableServer& server, match::ViewProfile profile = match::ViewProfile::Current());

    // Seats it as player 0 or 1, or as an onlooker for any other value.
    bool Join(int seat, SeatUserInfo user);
    OccupantId id() const { return m_id; }

    // Hands the oldest delivery to the controller; false when the inbox is empty.
    bool PumpOne();
    // Hands over everything waiting; returns how many.
    int Pump();
    bool HasMail() const { return !m_inbox.empty(); }

    // ---- Acting as the player would ----
    void Click(int x, int y) { Carry(m_match.OnBoardClick(x, y)); }
    // As a click on the button: a disabled button does nothing. False when it was disabled.
    bool Press(match::control::Id control);
    // Whether the controller last enabled the control; controls it never touched count as enabled.
    bool Enabled(match::control::Id control) const;
    // One second of the view's clock: delivered only while its timer runs, as TickTimer would.
    void Tick();
    bool TimerRunning(match::Timer timer) const { return m_timers.count(timer) != 0; }

    // How the questions and the rules dialog are answered; by default every question is refused
    // and the rules dialog is confirmed as shown. A question answered with nothing waits for
    // Answer, as a dialog waits for its user.
    std::function<std::optional<match::Answer>(const match::effect::Ask&)> answerQuestion;
    void Answer(match::Question question, match::Answer answer) { Carry(m_match.OnAnswer(question, answer)); }
    std::function<match::RulesChoice(const match::effect::OpenRulesDialog&, go::GameRules& record)> answerRules;
    // The referee's verdict (0 black wins, 1 white wins, 2 a draw); by default the dialog is cancelled.
    std::function<std::optional<int>()> answerVerdict;
    // Called whenever a delivery lands in the inbox, so that an owner in an event loop can pump.
    std::function<void()> mailArrived;

    const go::Game& game() const { return m_game; }
    const match::MatchController& controller() const { return m_match; }
    // The scores its panels show now (counting recounts the board's regions).
    match::ScorePair DisplayedScores() { return m_match.DisplayedScores(); }
    const TableModel& table() const { return m_model; }
    bool closed() const { return m_closed; }
    // Everything it was asked to show (UTF-8: the match's lines and the table's) or play, in order.
    std::vector<std::string> texts;
    std::vector<std::string> cues;

    // SeatLink: queued in the inbox.
    void DeliverTable(const TableModel& table) override;
    void DeliverSeatChange(int seat, int kind, int value) override;
    void DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) override;
    void DeliverSnapshot(const std::vector<uint8_t>& snapshot) override;
    void DeliverGameStart() override;
    void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& result) override;
    void DeliverSystemLine(const std::string& gbk) override;

private:
    struct SeatChangeMail {
        int seat, kind, value;
    };
    struct CommandMail {
        match::MatchCommand command;
        std::vector<uint8_t> data;
    };
    struct SnapshotMail {
        std::vector<uint8_t> bytes;
    };
    struct GameStartMail {};
    struct GameOverMail {
        std::array<uint8_t, match::kGameResultSize> result;
    };
    struct SystemLineMail {
        std::string gbk;
    };
    using Mail = std::variant<TableModel, SeatChangeMail, CommandMail, SnapshotMail, GameStartMail, GameOverMail, SystemLineMail>;

    void Post(Mail mail);
    void Carry(const match::Effects& effects);

    // TableFacts over the table as last delivered.
    bool HasTable() const override { return m_id >= 0; }
    bool FetchTable() override { return HasTable(); }
    std::optional<int> MyChair() const override { return match::ChairOf(m_model.mySeat); }
    int Status() const override { return static_cast<int>(m_model.status); }
    int Rights() const override { return m_model.rights; }
    bool IsPlayer() const override { return m_model.IsPlayer(); }
    int HallMode() const override { return 0; }
    std::optional<match::SeatUserFacts> SeatUser(int seat) const override;
    std::optional<match::SeatUserFacts> ChairUser(int chair) const override { return SeatUser(chair); }

    TableServer& m_server;
    OccupantId m_id = -1;
    TableModel m_model;
    go::Game m_game;
    go::Count m_count;
    match::MatchController m_match;
    go::GameRules m_dialogRecord;  // what the rules dialog holds
    std::deque<Mail> m_inbox;
    std::set<match::Timer> m_timers;
    std::map<match::control::Id, bool> m_enabled;
    bool m_closed = false;
};

}  // namespace hall
