#pragma once

// Decodes fuzzer bytes into operations on the rules engine's parts. The decoded operation is a plain value so that
// the differential target can apply one decoding to two boards.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "rules/board_types.h"

namespace go::fuzzing {

enum class OpKind : uint8_t {
    IsLegal, PlayNthEmpty, Play, Setup, Restart, Komi, Undo, GetCell, LastMove, SaveThenLoad, LoadBytes, Replay,
    SetReviewing, ReviewBack, ReviewForward, ReviewGoTo, ReviewEnd, MarkDead, UnmarkDead, Recount, Territory,
    Score, ClearRegionClicks, ChainPoints,
    kCount
};

struct Operation {
    OpKind kind;
    int color;
    int x;
    int y;
    int value;
    std::vector<uint8_t> bytes;
};

// Coordinates mostly on the board, sometimes just off it or the pass value.
inline int Coordinate(FuzzedDataProvider& in) {
    const uint8_t v = in.ConsumeIntegral<uint8_t>();
    if (v < 228) return v % kBoardSize;
    if (v < 240) return kBoardSize + (v & 3);
    if (v < 250) return -1 - (v & 1);
    return kNoCoord;
}

inline int Color(FuzzedDataProvider& in) {
    const uint8_t v = in.ConsumeIntegral<uint8_t>();
    return v < 240 ? (v & 1) : static_cast<int>(static_cast<int8_t>(v));
}

inline Operation NextOperation(FuzzedDataProvider& in) {
    Operation op{};
    op.kind = static_cast<OpKind>(in.ConsumeIntegralInRange<int>(0, static_cast<int>(OpKind::kCount) - 1));
    op.color = Color(in);
    op.x = Coordinate(in);
    op.y = Coordinate(in);
    op.value = in.ConsumeIntegral<int16_t>();
    if (op.kind == OpKind::LoadBytes) op.bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 96));
    return op;
}

// Applies `op` to `board` (the parts, or the reference transcription); returns a value summarising
// what the board answered, so that a differential run can compare answers as well as states.
template <class Board>
long long Apply(Board& board, const Operation& op) {
    switch (op.kind) {
        case OpKind::IsLegal: return board.IsLegalMove(op.color, op.x, op.y);
        case OpKind::PlayNthEmpty: {
            // The n-th empty point for the side to move, so that games grow long enough to fight.
            int n = op.value & 0x1FF;
            for (int round = 0; round < 2; ++round) {
                for (int p = 0; p < kPointCount; ++p) {
                    const int px = p % kBoardSize;
                    const int py = p / kBoardSize;
                    if (board.GetCell(px, py).color != kEmpty || n-- > 0) continue;
                    return board.Play(board.GetSideToMove(), px, py);
                }
            }
            return -1;
        }
        case OpKind::Play: return board.Play(op.color, op.x, op.y);
        case OpKind::Setup: board.PlaceSetupStone(op.color, op.x, op.y); return 0;
        case OpKind::Restart: board.Restart(op.value % 32, op.value); return 0;
        case OpKind::Komi: board.SetKomi(op.value); return 0;
        case OpKind::Undo: return board.Undo();
        case OpKind::GetCell: {
            const BoardCell c = board.GetCell(op.x, op.y);
            return c.color | (c.group << 8) | (static_cast<long long>(c.mark) << 24) |
                   (static_cast<long long>(c.moveNumber) << 32);
        }
        case OpKind::LastMove: {
            MoveRecord m;
            const bool any = board.GetLastMove(m);
            return any | (m.color << 1) | (m.x << 9) | (m.y << 17);
        }
        case OpKind::SaveThenLoad: board.LoadRecord(board.SaveMoves()); return 0;
        case OpKind::LoadBytes: board.LoadRecord(op.bytes); return 0;
        case OpKind::Replay: return board.ReplayRecord(op.value % 512);
        case OpKind::SetReviewing: board.SetReviewing(op.value & 1); return board.IsReviewing();
        case OpKind::ReviewBack: return board.ReviewBack();
        case OpKind::ReviewForward: return board.ReviewForward();
        case OpKind::ReviewGoTo: return board.ReviewGoTo(op.value % 512);
        case OpKind::ReviewEnd: return board.ReviewEnd();
        case OpKind::MarkDead:
            return board.MarkDead(op.x, op.y, op.value & 1 ? RegionClicks::On : RegionClicks::Off);
        case OpKind::UnmarkDead: board.UnmarkDead(op.x, op.y); return 0;
        case OpKind::Recount: board.Recount(); return board.deadBlack() * 1000 + board.deadWhite();
        case OpKind::Territory: return board.Territory(op.color);
        case OpKind::Score: return board.Score(op.color);
        case OpKind::ClearRegionClicks: board.ClearRegionClicks(); return 0;
        case OpKind::ChainPoints: {
            const int slot = op.value & 0x1FF;
            return slot < kPointCount && (op.color == 0 || op.color == 1)
                       ? static_cast<long long>(board.chainPoints(op.color, slot).size())
                       : 0;
        }
        case OpKind::kCount: break;
    }
    return 0;
}

}  // namespace go::fuzzing
