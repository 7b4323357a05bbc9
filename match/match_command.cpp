#include "match/match_command.h"

namespace match {

ArrivalRule ArrivalRuleFor(MatchCommand command) {
    using C = MatchCommand;
    switch (command) {
        case C::StoneMove:
        case C::DeadStoneMark: return {LengthRule::Exact, 3};
        case C::RulesProposal:
        case C::RulesAccepted:
        case C::FixedRules: return {LengthRule::Exact, 29};
        case C::TimeOut:
        case C::ClearDeadAnswer:
        case C::UndoAnswer:
        case C::CountRequest:
        case C::CountResult: return {LengthRule::Exact, 8};
        case C::CountAnswer: return {LengthRule::Exact, 16};
        case C::MatchOverNotice: return {LengthRule::Exact, 4};
        case C::UndoRequest:
        case C::ClearDeadRequest: return {LengthRule::Exact, 0};
        // Taken without a length test; the handlers read the seat byte (and the answer), so a
        // payload shorter than that is ignored rather than read past its end.
        case C::DrawRequest:
        case C::Resign: return {LengthRule::AtLeast, 1};
        case C::DrawAnswer: return {LengthRule::AtLeast, 2};
        // Taken whatever their length; no byte is read.
        case C::RulesRefused:
        case C::ContinueGame: return {LengthRule::AtLeast, 0};
        // Sent by the view only, or unknown.
        default: return {};
    }
}

}  // namespace match
