#pragma once

// What the match core asks its view to do, in order. The view carries each effect out as it
// stands; where an effect asks a question or saves a file, the outcome comes back to the core as
// an event whose own effects are carried out before the rest of the list.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "match/control_ids.h"
#include "match/match_command.h"
#include "record/game_rules.h"

namespace match {

// The view's TickTimer timers (1124 clock tick and 1127 start countdown).
enum class Timer : int { Clock = 1, StartCountdown = 3 };

enum class Area {
    Whole,
    Board,
    Seats,         // both player panels
    OpponentSeat,  // the upper panel
    Clock,         // where the clocks are drawn
};

// The two picture sets of the clear-dead-stones button (1005).
enum class ClearDeadFace { Normal, UndoClearing };

// The questions the core asks; the answer comes back with OnAnswer.
enum class Question {
    ConfirmPass,     // "每pass一手将自减一目，您确认吗？"
    SaveAfterGame,   // "是否存盘？"
    ClearFreeBoard,  // a free board about to lose its moves: save first?
    FreeBoardCount,  // the count of a free board: OK starts afresh
    AnswerUndo,      // the opponent asks to take back a move
    AnswerClearDead, // the opponent asks to stop and clear dead stones
    OfferDraw,       // "您真的要求和吗？" (on a board alone OK starts afresh)
    AnswerDraw,      // the opponent offers a draw
    ConfirmResign,   // "真的要认输吗？"
    RequestCount,    // in the marking state: ask the opponent to count, or go on marking
    AnswerCount,     // the opponent asks to count
    ConfirmForcedCount,
};

enum class AskStyle {
    YesNo,        // a message box, Yes or No
    YesNoCancel,  // a message box, Yes, No or Cancel
    Countdown,    // the request dialog that answers Cancel by itself after 10 seconds
};

enum class Answer { Yes, No, Cancel };  // OK is Yes, and a countdown run out is Cancel

enum class Icon { Stop, Exclamation, Information };

namespace effect {
struct Send {
    MatchCommand command;
    std::vector<uint8_t> data;
};
struct SystemText {
    std::string text;  // UTF-8
};
struct Cue {
    std::string file;  // a bare file name such as "put.wav"
};
struct Enable {
    control::Id control;
    bool enabled;
};
struct SetClearDeadFace {
    ClearDeadFace face;
};
// Refresh-and-start the rules dialog and show it centred over the view. Without a record the
// dialog keeps the one it holds.
struct OpenRulesDialog {
    std::optional<go::GameRules> record;
    bool counterProposalAllowed = false;
    bool editable = true;
};
// Give the rules dialog this record without showing it.
struct LoadRulesDialog {
    go::GameRules record;
};
struct StartTimer {
    Timer timer;
};
struct StopTimer {
    Timer timer;
};
struct StopAllTimers {};
struct Repaint {
    Area area;
};
// The table window closes (the close message to the application's main window).
struct CloseTable {};
struct Ask {
    Question question;
    AskStyle style;
    std::string text;
    bool defaultYes = false;
    std::string title = {};  // empty: the view's own title
};
// The referee dialog; the verdict (or nothing, when cancelled) comes back with OnRefereeVerdict.
struct AskRefereeVerdict {};
struct Message {
    std::string text;
    Icon icon;
};
// Save the game as the save button does; the outcome comes back with OnRecordSaved.
struct SaveRecord {};
struct HideStudyWindow {};
// Tell the hall the local player pressed Start.
struct SignalReady {};
// Tell the hall that the opponent's stone arrived while the game runs (a hall may draw the
// player's eye to the window).
struct OpponentMoved {};
}  // namespace effect

using Effect = std::variant<effect::Send, effect::SystemText, effect::Cue, effect::Enable, effect::SetClearDeadFace,
                            effect::OpenRulesDialog, effect::LoadRulesDialog, effect::StartTimer, effect::StopTimer,
                            effect::StopAllTimers, effect::Repaint, effect::CloseTable, effect::Ask, effect::Message,
                            effect::SaveRecord, effect::HideStudyWindow, effect::SignalReady,
                            effect::AskRefereeVerdict, effect::OpponentMoved>;
using Effects = std::vector<Effect>;

}  // namespace match
