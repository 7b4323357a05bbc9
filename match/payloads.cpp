#include "match/payloads.h"

#include <algorithm>
#include <limits>

#include "record/byte_order.h"

namespace match {
namespace {

std::vector<uint8_t> Int32Bytes(std::initializer_list<int32_t> values) {
    std::vector<uint8_t> bytes(values.size() * 4);
    size_t offset = 0;
    for (int32_t v : values) {
        go::WriteInt32LE(bytes, offset, v);
        offset += 4;
    }
    return bytes;
}

}  // namespace

std::optional<go::MoveRecord> TryDecodeMove(Bytes bytes) {
    if (bytes.size() != kMoveSize) return std::nullopt;
    return go::MoveRecord{static_cast<go::StoneColor>(bytes[0]), bytes[1], bytes[2]};
}

std::vector<uint8_t> EncodeMove(const go::MoveRecord& move) { return {move.color, move.x, move.y}; }

std::optional<go::GameRules> TryDecodeRules(Bytes bytes) {
    if (bytes.size() != go::kGameRulesSize) return std::nullopt;
    return go::DecodeGameRules(bytes.first<go::kGameRulesSize>());
}

std::vector<uint8_t> EncodeRules(const go::GameRules& rules) {
    const auto bytes = go::EncodeGameRules(rules);
    return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> EncodeAnswer(bool agree) { return Int32Bytes({agree ? 1 : 0}); }

std::vector<uint8_t> EncodeDrawAnswer(bool agree) { return {static_cast<uint8_t>(agree ? 1 : 0)}; }

std::optional<SeatNumbers> TryDecodeSeatNumbers(Bytes bytes) {
    if (bytes.size() != kSeatNumbersSize) return std::nullopt;
    return SeatNumbers{go::ReadInt32LE(bytes, 0), go::ReadInt32LE(bytes, 4)};
}

std::optional<SeatNumbers> TryDecodeCountAnswer(Bytes bytes) {
    if (bytes.size() != kCountAnswerSize) return std::nullopt;
    return SeatNumbers{go::ReadInt32LE(bytes, 0), go::ReadInt32LE(bytes, 4)};
}

std::vector<uint8_t> EncodeSeatNumbers(const SeatNumbers& numbers) { return Int32Bytes({numbers.first, numbers.second}); }

std::vector<uint8_t> EncodeCountAnswer(const SeatNumbers& numbers) {
    return Int32Bytes({numbers.first, numbers.second, 0, 0});
}

std::optional<ScorePair> TryDecodeScores(Bytes bytes) {
    if (bytes.size() != 8) return std::nullopt;
    return ScorePair{go::ReadInt32LE(bytes, 0), go::ReadInt32LE(bytes, 4)};
}

int ScorePair::BlackLead() const {
    const int64_t lead = int64_t{black} - int64_t{white};
    return static_cast<int>(std::clamp<int64_t>(lead, -std::numeric_limits<int>::max(), std::numeric_limits<int>::max()));
}

std::vector<uint8_t> EncodeScores(const ScorePair& scores) { return Int32Bytes({scores.black, scores.white}); }

std::optional<uint8_t> TryDecodeSeatByte(Bytes bytes) {
    if (bytes.empty()) return std::nullopt;
    return bytes[0];
}

std::optional<DrawAnswerNotice> TryDecodeDrawAnswer(Bytes bytes) {
    if (bytes.size() < 2) return std::nullopt;
    return DrawAnswerNotice{bytes[0], bytes[1]};
}

std::optional<int32_t> TryDecodeInt(Bytes bytes) {
    if (bytes.size() != 4) return std::nullopt;
    return go::ReadInt32LE(bytes, 0);
}

std::vector<uint8_t> EncodeInt(int32_t value) { return Int32Bytes({value}); }

std::vector<uint8_t> EncodeText(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace match
