// A stream of events into one view's match core: snapshots that set up any state, then arriving
// commands of any number and length — the negotiations' requests, answers and results among
// them — clicks, buttons, ticks, dialog results, and the answers to the questions asked, given
// late, while further commands arrive, as a modal question allows. Nothing may read out of
// bounds, the board stays consistent, and a tick never gives time back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_table.h"
#include "match/control_ids.h"
#include "match/match_controller.h"
#include "match/match_snapshot.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

constexpr match::control::Id kButtons[] = {match::control::kStart,    match::control::kPass,     match::control::kUndo,
                            match::control::kDraw,     match::control::kResign,   match::control::kClearDead,
                            match::control::kContinue, match::control::kFirst,    match::control::kPrevious,
                            match::control::kNext,     match::control::kLast,     match::control::kStep,
                            match::control::kReferee,  match::control::kForcedCount};

// The questions asked and not yet answered, oldest first; saves count as questions too.
struct OpenQuestions {
    std::vector<match::Effect> waiting;
    void Collect(const match::Effects& effects) {
        for (const match::Effect& effect : effects) {
            if (std::holds_alternative<match::effect::Ask>(effect) || std::holds_alternative<match::effect::SaveRecord>(effect) ||
                std::holds_alternative<match::effect::AskRefereeVerdict>(effect)) {
                if (waiting.size() < 16) waiting.push_back(effect);
            }
        }
    }
    // Answers the oldest from the input.
    match::Effects AnswerOne(match::MatchController& controller, FuzzedDataProvider& in) {
        if (waiting.empty()) return {};
        const match::Effect effect = waiting.front();
        waiting.erase(waiting.begin());
        if (const auto* ask = std::get_if<match::effect::Ask>(&effect)) {
            return controller.OnAnswer(ask->question, static_cast<match::Answer>(in.ConsumeIntegralInRange<int>(0, 2)));
        }
        if (std::holds_alternative<match::effect::SaveRecord>(effect)) return controller.OnRecordSaved(in.ConsumeBool());
        std::optional<int> verdict;
        if (in.ConsumeBool()) verdict = in.ConsumeIntegralInRange<int>(-1, 3);
        return controller.OnRefereeVerdict(verdict);
    }
};

match::MatchSnapshot SnapshotFrom(FuzzedDataProvider& in, const go::Game& board) {
    match::MatchSnapshot s;
    s.state = in.ConsumeIntegralInRange<uint16_t>(0, 3);
    s.blackSeat = in.ConsumeIntegralInRange<uint16_t>(0, 1);
    s.rules.mainTime = in.ConsumeIntegralInRange<int>(-5, 100);
    s.rules.byoyomiSeconds = in.ConsumeIntegralInRange<int>(-2, 40);
    s.rules.byoyomiCount = in.ConsumeIntegralInRange<int>(0, 5);
    s.rules.undoAllowance = in.ConsumeIntegralInRange<int>(0, 5);
    s.rules.handicap = in.ConsumeIntegralInRange<int>(0, 9);
    s.undoPending = {in.ConsumeBool(), in.ConsumeBool()};
    s.requestPending = {in.ConsumeBool(), in.ConsumeBool()};
    s.timeoutsUsed = {in.ConsumeIntegralInRange<int>(0, 6), in.ConsumeIntegralInRange<int>(0, 6)};
    if (in.ConsumeBool()) {  // the table's own clock and terms words
        s.tableTerms = match::kTableTermsMark | in.ConsumeIntegral<uint8_t>();
        s.periodLeft = in.ConsumeIntegral<int32_t>();
    }
    s.moves = board.moves();  // the game so far, often with a few more of the input's
    const int more = in.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < more; ++i) {
        s.moves.push_back({static_cast<go::StoneColor>(in.ConsumeIntegral<uint8_t>()), in.ConsumeIntegral<uint8_t>(), in.ConsumeIntegral<uint8_t>()});
    }
    if (s.state == 2) {
        const int dead = in.ConsumeIntegralInRange<int>(0, 3);
        for (int i = 0; i < dead; ++i) s.dead.push_back({go::kBlack, in.ConsumeIntegral<uint8_t>(), in.ConsumeIntegral<uint8_t>()});
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    match::fuzzing::FuzzTable table;
    table.Choose(in.ConsumeIntegral<uint8_t>());
    go::Game board;
    go::Count count;
    const bool earlier = in.ConsumeBool();
    match::MatchController controller(board, count, table,
                                      earlier ? match::ViewProfile::EarlierBuild() : match::ViewProfile::Current());
    OpenQuestions questions;
    while (in.remaining_bytes() > 0) {
        match::Effects out;
        switch (in.ConsumeIntegralInRange<int>(0, 10)) {
            case 0: out = controller.OnSnapshot(match::EncodeSnapshot(SnapshotFrom(in, board))); break;
            case 1:
            case 2: {
                const int number = in.ConsumeIntegralInRange<int>(0, 45);
                const std::vector<uint8_t> payload = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 40));
                out = controller.OnCommand(match::DecodeCommand(number), payload);
                break;
            }
            case 3: out = controller.OnBoardClick(in.ConsumeIntegralInRange<int>(-1, 19), in.ConsumeIntegralInRange<int>(-1, 19)); break;
            case 4: {
                const match::control::Id button = kButtons[in.ConsumeIntegralInRange<size_t>(0, std::size(kButtons) - 1)];
                std::optional<int> step;
                if (in.ConsumeBool()) step = in.ConsumeIntegralInRange<int>(-2, 400);
                out = controller.OnButton(button, step);
                break;
            }
            case 5: {
                // A tick counts time on: it never gives main time or period seconds back.
                const int mine = controller.mainTimeUsed(true), theirs = controller.mainTimeUsed(false);
                const int period = controller.periodLeft();
                out = controller.OnClockTick();
                if (controller.mainTimeUsed(true) < mine || controller.mainTimeUsed(false) < theirs) {
                    Fail("a tick gave main time back");
                }
                if (period > 0 && controller.periodLeft() > period) Fail("a tick gave period seconds back");
                break;
            }
            case 6: out = controller.OnStartCountdownTick(); break;
            case 7: {
                go::GameRules rules;
                rules.side = in.ConsumeIntegral<uint8_t>();
                rules.komi = in.ConsumeIntegral<int32_t>();
                const auto choice = static_cast<match::RulesChoice>(1 << in.ConsumeIntegralInRange<int>(0, 2));
                out = controller.OnRulesDialogResult(choice, rules);
                break;
            }
            case 8: out = controller.OnSeatChanged(in.ConsumeIntegralInRange<int>(-1, 2), in.ConsumeIntegralInRange<int>(0, 3),
                                                   in.ConsumeIntegralInRange<int>(0, 2));
                    break;
            case 10: out = questions.AnswerOne(controller, in); break;
            case 9: {
                const std::vector<uint8_t> result = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 41));
                out = in.ConsumeBool() ? controller.OnGameOver(result) : controller.OnGameStart();
                break;
            }
        }
        questions.Collect(out);
        controller.SeatClock(true);
        controller.DisplayedScores();
        if (!board.position().CheckInvariants().empty()) Fail(board.position().CheckInvariants().c_str());
    }
    return 0;
}
