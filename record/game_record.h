#pragma once

// The ".go" game record: a 141-byte header (players, faces, the saver's colour, the rules)
// followed by the moves as 3-byte records. Bytes in, bytes out: no files here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "record/game_rules.h"

namespace go {

constexpr size_t kRecordHeaderSize = 141;
constexpr size_t kRecordNameField = 32;
constexpr size_t kRecordNameMaxBytes = kRecordNameField - 1;  // the field keeps room for its zero

namespace record_layout {
constexpr size_t kMagic = 0;
constexpr size_t kVersion = 32;
constexpr size_t kLocalColor = 36;
constexpr size_t kBlackName = 40;
constexpr size_t kWhiteName = 72;
constexpr size_t kBlackFace = 104;
constexpr size_t kWhiteFace = 108;
constexpr size_t kRules = 112;
static_assert(kVersion == kMagic + kRecordNameField);
static_assert(kWhiteName == kBlackName + kRecordNameField);
static_assert(kBlackFace == kWhiteName + kRecordNameField);
static_assert(kRules + kGameRulesSize == kRecordHeaderSize);
}  // namespace record_layout

constexpr int32_t kRecordVersion = 1;
inline constexpr char kRecordMagic[] = "go2";

struct GameRecordHeader {
    int32_t localColor = 0;            // the colour of the player who saved: 0 black, 1 white
    std::array<std::string, 2> names;  // raw code-page (GBK) bytes, indexed by colour
    std::array<int32_t, 2> faces{};    // face numbers, indexed by colour
    GameRules rules;
    friend bool operator==(const GameRecordHeader&, const GameRecordHeader&) = default;
};

// Header and moves as one buffer of 141 + moveBytes.size() bytes, magic "go2" and version 1.
// A name longer than 31 bytes is cut there, never inside a double-byte character.
std::vector<uint8_t> EncodeGameRecord(const GameRecordHeader& header, std::span<const uint8_t> moveBytes);

enum class RecordFormatError {
    None,
    TooShort,       // fewer bytes than the header
    UnknownFormat,  // neither version 1 nor the magic "go2"
};

struct ParsedGameRecord {
    RecordFormatError error = RecordFormatError::None;
    std::string errorDetail;                 // what was wrong, for diagnostics
    GameRecordHeader header;
    std::span<const uint8_t> moveBytes;      // every byte after the header, a partial move included
    int moveCount = 0;                       // whole 3-byte moves
    bool ok() const { return error == RecordFormatError::None; }
};

// Accepts at least a header whose version is 1 or whose magic reads "go2". A name without its
// zero is cut at 31 bytes; the fields are never read past. The result's moveBytes view `bytes`.
ParsedGameRecord ParseGameRecord(std::span<const uint8_t> bytes);

}  // namespace go
