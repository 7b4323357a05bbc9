// The match protocol: which arriving numbers a view takes at which lengths, the payload codecs,
// the snapshot and the game result record.

#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "match/match_command.h"
#include "match/match_snapshot.h"
#include "match/payloads.h"

namespace match {
namespace {

TEST(ArrivalRules, EveryNumberAndLengthFromZeroToForty) {
    // The handled numbers and the lengths they take; everything else is ignored at any length.
    const std::map<int, std::pair<LengthRule, int>> handled = {
        {1, {LengthRule::Exact, 3}},   {4, {LengthRule::Exact, 3}},    {8, {LengthRule::Exact, 29}},
        {9, {LengthRule::Exact, 8}},   {11, {LengthRule::AtLeast, 1}}, {12, {LengthRule::AtLeast, 2}},
        {13, {LengthRule::AtLeast, 1}}, {16, {LengthRule::AtLeast, 0}}, {18, {LengthRule::Exact, 29}},
        {21, {LengthRule::Exact, 29}}, {22, {LengthRule::Exact, 4}},   {25, {LengthRule::Exact, 0}},
        {32, {LengthRule::Exact, 0}},  {33, {LengthRule::Exact, 8}},   {34, {LengthRule::AtLeast, 0}},
        {35, {LengthRule::Exact, 8}},  {36, {LengthRule::Exact, 8}},   {37, {LengthRule::Exact, 16}},
        {38, {LengthRule::Exact, 8}},
    };
    for (int number = 0; number < 256; ++number) {
        const auto found = handled.find(number);
        for (int length = 0; length <= 40; ++length) {
            bool expected = false;
            if (found != handled.end()) {
                const auto [rule, size] = found->second;
                expected = rule == LengthRule::Exact ? length == size : length >= size;
            }
            ASSERT_EQ(ArrivalRuleFor(DecodeCommand(number)).Accepts(length), expected) << "number " << number << ", length " << length;
        }
    }
    // Only the low 8 bits select.
    EXPECT_EQ(DecodeCommand(0x101), MatchCommand::StoneMove);
    EXPECT_TRUE(ArrivalRuleFor(DecodeCommand(0x101)).Accepts(3));
    EXPECT_FALSE(ArrivalRuleFor(DecodeCommand(0x100 + 2)).Accepts(3));
}

TEST(Payloads, DecodeInvertsEncodeAndWrongLengthsGiveNothing) {
    const go::MoveRecord move{go::kWhite, 18, 0};
    EXPECT_EQ(TryDecodeMove(EncodeMove(move)), move);
    EXPECT_FALSE(TryDecodeMove(std::vector<uint8_t>{1, 2}));
    EXPECT_FALSE(TryDecodeMove(std::vector<uint8_t>{1, 2, 3, 4}));

    go::GameRules rules;
    rules.komi = -5000;
    rules.handicap = 200;
    EXPECT_EQ(TryDecodeRules(EncodeRules(rules)), rules);
    EXPECT_FALSE(TryDecodeRules(std::vector<uint8_t>(28)));
    EXPECT_FALSE(TryDecodeRules(std::vector<uint8_t>(30)));

    EXPECT_EQ(TryDecodeSeatNumbers(EncodeSeatNumbers({1, -7})), (SeatNumbers{1, -7}));
    EXPECT_EQ(TryDecodeCountAnswer(EncodeCountAnswer({1, 0})), (SeatNumbers{1, 0}));
    EXPECT_FALSE(TryDecodeCountAnswer(EncodeSeatNumbers({1, 0})));
    EXPECT_EQ(TryDecodeScores(EncodeScores({1855, 1860})), (ScorePair{1855, 1860}));
    EXPECT_EQ((ScorePair{1860, 1855}.BlackLead()), 5);
    EXPECT_EQ((ScorePair{-640034468, 1543559641}.BlackLead()), -std::numeric_limits<int>::max())
        << "scores from the wire may be any numbers; their difference must not overflow";
    EXPECT_EQ(EncodeAnswer(true), (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(EncodeDrawAnswer(false), (std::vector<uint8_t>{0}));
    EXPECT_FALSE(TryDecodeSeatByte({}));
    EXPECT_EQ(TryDecodeSeatByte(std::vector<uint8_t>{1, 9, 9}), 1);
    EXPECT_FALSE(TryDecodeDrawAnswer(std::vector<uint8_t>{1}));
    EXPECT_EQ(TryDecodeInt(EncodeInt(-2)), -2);
    const std::vector<uint8_t> text = EncodeText("At OnSceneChanged,can't put");
    EXPECT_EQ(text.size(), 28u) << "the terminator is counted";
    EXPECT_EQ(text.back(), 0);
}

MatchSnapshot SampleSnapshot(uint16_t state) {
    MatchSnapshot s;
    s.blackSeat = 1;
    s.state = state;
    s.mainTimeUsed = {12, 900};
    s.periodLeft = 17;
    s.tableTerms = kTableTermsMark | kPassesCostAPoint;
    s.requestPending = {0, 1};
    s.undoPending = {1, 0};
    s.drawsUsed = {2, 3};
    s.clearRequestsUsed = {10, 0};
    s.timeoutsUsed = {0, 2};
    s.undosUsed = {1, 1};
    s.rules.komi = 55;
    s.moves = {{go::kBlack, 3, 3}, {go::kWhite, 15, 15}, {go::kBlack, 255, 255}};
    if (state == 2) s.dead = {{go::kBlack, 15, 15}};
    return s;
}

TEST(Snapshots, RoundTripWithTheHeadAtItsOffsets) {
    for (uint16_t state : {0, 1, 2, 3}) {
        const MatchSnapshot s = SampleSnapshot(state);
        const std::vector<uint8_t> bytes = EncodeSnapshot(s);
        EXPECT_EQ(bytes.size(), 97u + 2 + 9 + (state == 2 ? 2 + 3 : 0));
        const ParsedSnapshot parsed = ParseSnapshot(bytes);
        ASSERT_TRUE(parsed.ok()) << state;
        EXPECT_EQ(parsed.snapshot, s);
    }
    const std::vector<uint8_t> bytes = EncodeSnapshot(SampleSnapshot(1));
    EXPECT_EQ(bytes[0], 1) << "blackSeat at 0";
    EXPECT_EQ(bytes[2], 1) << "state at 2";
    EXPECT_EQ(bytes[8], 0x84) << "seat 1's main time at 8";
    EXPECT_EQ(bytes[12], 17) << "the table's period seconds at 12";
    EXPECT_EQ(bytes[16], kPassesCostAPoint) << "the table's terms at 16";
    EXPECT_EQ(bytes[19], 0x47) << "marked as this table's own";
    EXPECT_EQ(bytes[44], 10) << "clear requests at 44";
    EXPECT_EQ(bytes[68], 29) << "the rules at 68";
    EXPECT_EQ(bytes[97], 3) << "the move count at 97";
}

TEST(Snapshots, ListsRunningPastTheBytesAreMalformed) {
    const std::vector<uint8_t> whole = EncodeSnapshot(SampleSnapshot(2));
    EXPECT_EQ(ParseSnapshot(std::span(whole).first(96)).error, SnapshotError::ShorterThanHead);
    EXPECT_EQ(ParseSnapshot(std::span(whole).first(98)).error, SnapshotError::MovesPastEnd) << "half a count";
    EXPECT_EQ(ParseSnapshot(std::span(whole).first(99 + 8)).error, SnapshotError::MovesPastEnd) << "a move cut";
    EXPECT_EQ(ParseSnapshot(std::span(whole).first(99 + 9)).error, SnapshotError::DeadPastEnd) << "no dead count";
    EXPECT_EQ(ParseSnapshot(std::span(whole).first(whole.size() - 1)).error, SnapshotError::DeadPastEnd);
    // A head alone has no move count either; state 2 with a dead count of 0 is whole.
    std::vector<uint8_t> head(whole.begin(), whole.begin() + 97);
    EXPECT_EQ(ParseSnapshot(head).error, SnapshotError::MovesPastEnd);
    MatchSnapshot empty = SampleSnapshot(2);
    empty.dead.clear();
    EXPECT_TRUE(ParseSnapshot(EncodeSnapshot(empty)).ok());
    // Trailing bytes are allowed; a state beyond 3 is not.
    std::vector<uint8_t> longer = whole;
    longer.push_back(7);
    EXPECT_TRUE(ParseSnapshot(longer).ok());
    std::vector<uint8_t> unknown = EncodeSnapshot(SampleSnapshot(1));
    unknown[2] = 4;
    EXPECT_EQ(ParseSnapshot(unknown).error, SnapshotError::UnknownState);
}

TEST(GameResult, PointsAtTheStartOfEachHalf) {
    const auto bytes = EncodeGameResult({-1, 7});
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[20], 7);
    EXPECT_EQ(DecodeGameResult(bytes), (SeatPair{-1, 7}));
}

}  // namespace
}  // namespace match
