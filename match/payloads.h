#pragma once

// The payloads of the match commands: one codec each, with its length rule. `TryDecode…` takes
// the bytes as they arrived and gives nothing when the length is not the payload's; `Encode…`
// gives the bytes to send. Integers are little-endian 32-bit.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "record/game_rules.h"
#include "rules/board_types.h"

namespace match {

using Bytes = std::span<const uint8_t>;

// StoneMove and DeadStoneMark: colour, column, row (3 bytes).
constexpr size_t kMoveSize = 3;
std::optional<go::MoveRecord> TryDecodeMove(Bytes bytes);
std::vector<uint8_t> EncodeMove(const go::MoveRecord& move);

// RulesProposal, RulesAccepted and FixedRules: the 29-byte rules record.
std::optional<go::GameRules> TryDecodeRules(Bytes bytes);
std::vector<uint8_t> EncodeRules(const go::GameRules& rules);

// An answer sent by a view: 1 agree, 0 refuse. ClearDeadAnswer, UndoAnswer and CountAnswer carry
// it in 4 bytes, DrawAnswer in 1.
std::vector<uint8_t> EncodeAnswer(bool agree);
std::vector<uint8_t> EncodeDrawAnswer(bool agree);

// What the hall relays with a seat index: TimeOut (seat, periods used up), ClearDeadAnswer and
// UndoAnswer (answer, seat), 8 bytes; CountAnswer adds 8 bytes that nobody reads (16).
struct SeatNumbers {
    int32_t first = 0;
    int32_t second = 0;
    friend bool operator==(const SeatNumbers&, const SeatNumbers&) = default;
};
constexpr size_t kSeatNumbersSize = 8;
constexpr size_t kCountAnswerSize = 16;
std::optional<SeatNumbers> TryDecodeSeatNumbers(Bytes bytes);
std::optional<SeatNumbers> TryDecodeCountAnswer(Bytes bytes);
std::vector<uint8_t> EncodeSeatNumbers(const SeatNumbers& numbers);
std::vector<uint8_t> EncodeCountAnswer(const SeatNumbers& numbers);

// CountRequest, CountResult and ForcedCount: black's and white's scores in tenths (8 bytes).
struct ScorePair {
    int32_t black = 0;
    int32_t white = 0;
    // Black's lead in tenths. Scores from the wire may be any 32-bit numbers, so the difference
    // is taken wide and held within an int.
    int BlackLead() const;
    friend bool operator==(const ScorePair&, const ScorePair&) = default;
};
std::optional<ScorePair> TryDecodeScores(Bytes bytes);
std::vector<uint8_t> EncodeScores(const ScorePair& scores);

// DrawRequest and Resign as the hall relays them: the sender's seat byte first; more bytes are
// allowed and not read.
std::optional<uint8_t> TryDecodeSeatByte(Bytes bytes);
// DrawAnswer as relayed: the answer byte, then the seat byte.
struct DrawAnswerNotice {
    uint8_t answer = 0;
    uint8_t seat = 0;
};
std::optional<DrawAnswerNotice> TryDecodeDrawAnswer(Bytes bytes);

// MatchOverNotice: one signed 32-bit value.
std::optional<int32_t> TryDecodeInt(Bytes bytes);
std::vector<uint8_t> EncodeInt(int32_t value);

// ErrorText: the text and its terminating zero.
std::vector<uint8_t> EncodeText(const std::string& text);

}  // namespace match
