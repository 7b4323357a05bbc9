#include "match/match_snapshot.h"

#include <algorithm>

#include "record/byte_order.h"

namespace match {
namespace {

namespace at = snapshot_layout;

uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

void WriteU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

SeatPair ReadPair(std::span<const uint8_t> bytes, size_t offset) {
    return {go::ReadInt32LE(bytes, offset), go::ReadInt32LE(bytes, offset + 4)};
}

void WritePair(std::span<uint8_t> bytes, size_t offset, const SeatPair& pair) {
    go::WriteInt32LE(bytes, offset, pair[0]);
    go::WriteInt32LE(bytes, offset + 4, pair[1]);
}

// Reads a count and that many 3-byte entries from `offset`; false when they run past the end.
bool ReadList(std::span<const uint8_t> bytes, size_t& offset, std::vector<go::MoveRecord>& out) {
    if (bytes.size() - offset < 2) return false;
    const size_t count = ReadU16(bytes, offset);
    offset += 2;
    if ((bytes.size() - offset) / 3 < count) return false;
    out.resize(count);
    for (size_t i = 0; i < count; ++i, offset += 3) out[i] = {static_cast<go::StoneColor>(bytes[offset]), bytes[offset + 1], bytes[offset + 2]};
    return true;
}

void WriteList(std::vector<uint8_t>& bytes, const std::vector<go::MoveRecord>& list) {
    // The count field holds 16 bits: a longer list is cut there (no game reaches it).
    const size_t count = std::min<size_t>(list.size(), 0xFFFF);
    const size_t at = bytes.size();
    bytes.resize(at + 2 + 3 * count);
    WriteU16(bytes, at, static_cast<uint16_t>(count));
    for (size_t i = 0; i < count; ++i) {
        bytes[at + 2 + 3 * i] = list[i].color;
        bytes[at + 3 + 3 * i] = list[i].x;
        bytes[at + 4 + 3 * i] = list[i].y;
    }
}

}  // namespace

ParsedSnapshot ParseSnapshot(std::span<const uint8_t> bytes) {
    ParsedSnapshot parsed;
    if (bytes.size() < at::kHeadSize) {
        parsed.error = SnapshotError::ShorterThanHead;
        parsed.errorOffset = bytes.size();
        return parsed;
    }
    MatchSnapshot& s = parsed.snapshot;
    s.blackSeat = ReadU16(bytes, at::kBlackSeat);
    s.state = ReadU16(bytes, at::kState);
    s.mainTimeUsed = ReadPair(bytes, at::kMainTimeUsed);
    s.periodLeft = go::ReadInt32LE(bytes, at::kPeriodLeft);
    s.tableTerms = static_cast<uint32_t>(go::ReadInt32LE(bytes, at::kTableTerms));
    s.requestPending = ReadPair(bytes, at::kRequestPending);
    s.undoPending = ReadPair(bytes, at::kUndoPending);
    s.drawsUsed = ReadPair(bytes, at::kDrawsUsed);
    s.clearRequestsUsed = ReadPair(bytes, at::kClearRequestsUsed);
    s.timeoutsUsed = ReadPair(bytes, at::kTimeoutsUsed);
    s.undosUsed = ReadPair(bytes, at::kUndosUsed);
    s.rules = go::DecodeGameRules(bytes.subspan(at::kRules).first<go::kGameRulesSize>());
    if (s.state > 3) {
        parsed.error = SnapshotError::UnknownState;
        parsed.errorOffset = at::kState;
        return parsed;
    }
    size_t offset = at::kHeadSize;
    if (!ReadList(bytes, offset, s.moves)) {
        parsed.error = SnapshotError::MovesPastEnd;
        parsed.errorOffset = offset;
        return parsed;
    }
    if (s.state == 2 && !ReadList(bytes, offset, s.dead)) {
        parsed.error = SnapshotError::DeadPastEnd;
        parsed.errorOffset = offset;
    }
    return parsed;
}

std::vector<uint8_t> EncodeSnapshot(const MatchSnapshot& s) {
    std::vector<uint8_t> bytes(at::kHeadSize, 0);
    WriteU16(bytes, at::kBlackSeat, s.blackSeat);
    WriteU16(bytes, at::kState, s.state);
    const std::span<uint8_t> out(bytes);
    WritePair(out, at::kMainTimeUsed, s.mainTimeUsed);
    go::WriteInt32LE(out, at::kPeriodLeft, s.periodLeft);
    go::WriteInt32LE(out, at::kTableTerms, static_cast<int32_t>(s.tableTerms));
    WritePair(out, at::kRequestPending, s.requestPending);
    WritePair(out, at::kUndoPending, s.undoPending);
    WritePair(out, at::kDrawsUsed, s.drawsUsed);
    WritePair(out, at::kClearRequestsUsed, s.clearRequestsUsed);
    WritePair(out, at::kTimeoutsUsed, s.timeoutsUsed);
    WritePair(out, at::kUndosUsed, s.undosUsed);
    const auto rules = go::EncodeGameRules(s.rules);
    std::copy(rules.begin(), rules.end(), bytes.begin() + at::kRules);
    WriteList(bytes, s.moves);
    if (s.state == 2) WriteList(bytes, s.dead);
    return bytes;
}

SeatPair DecodeGameResult(std::span<const uint8_t, kGameResultSize> bytes) {
    return {go::ReadInt32LE(bytes, 0), go::ReadInt32LE(bytes, kGameResultHalf)};
}

std::array<uint8_t, kGameResultSize> EncodeGameResult(const SeatPair& points) {
    std::array<uint8_t, kGameResultSize> bytes{};
    go::WriteInt32LE(bytes, 0, points[0]);
    go::WriteInt32LE(bytes, kGameResultHalf, points[1]);
    return bytes;
}

}  // namespace match
