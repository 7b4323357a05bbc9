#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace go {

// 99 hours: the main time that stands for no limit.
constexpr int32_t kUnlimitedMainTime = 356400;

// The rules of a match as they travel and are stored: 29 bytes, packed, little-endian, always
// copied whole. A fresh record is an even game, 15 minutes, 3 x 30 seconds, black, 3 undos, 7.5.
#pragma pack(push, 1)
struct GameRules {
    int32_t recordSize = 29;      // the record's own length; nothing reads it
    int32_t handicap = 0;         // 0 even, 1 black without stones, 2..9, 13, 25 stones
    int32_t mainTime = 900;       // seconds; kUnlimitedMainTime stands for no limit
    int32_t byoyomiSeconds = 30;  // one period: 10..60 in steps of 10
    uint8_t side = 0;             // colour the sender takes: 0 black, 1 white
    int32_t undoAllowance = 3;    // undo requests allowed: 0, 1, 3 or 5
    int32_t komi = 75;            // tenths of a point: 0, 55, 65 or 75
    int32_t byoyomiCount = 3;     // periods: 1, 3 or 5
    friend bool operator==(const GameRules&, const GameRules&) = default;
};
#pragma pack(pop)

constexpr size_t kGameRulesSize = 29;
static_assert(sizeof(GameRules) == kGameRulesSize);
static_assert(offsetof(GameRules, recordSize) == 0);
static_assert(offsetof(GameRules, handicap) == 4);
static_assert(offsetof(GameRules, mainTime) == 8);
static_assert(offsetof(GameRules, byoyomiSeconds) == 12);
static_assert(offsetof(GameRules, side) == 16);
static_assert(offsetof(GameRules, undoAllowance) == 17);
static_assert(offsetof(GameRules, komi) == 21);
static_assert(offsetof(GameRules, byoyomiCount) == 25);

std::array<uint8_t, kGameRulesSize> EncodeGameRules(const GameRules& rules);
GameRules DecodeGameRules(std::span<const uint8_t, kGameRulesSize> bytes);

// The short text forms of the status panel and the count (UTF-8).
// "分先 " or "让先 让%d子 " (string 5012 / 5013) followed by "贴%d目半" or "不贴目" (5014 / 5015).
std::string HandicapText(int handicap);
std::string KomiText(int komi);
std::string HandicapAndKomiText(const GameRules& rules);
// "%d秒  %d次" (5016).
std::string ByoyomiText(const GameRules& rules);
// "共用时：%d%d-%d%d-%d%d" (5017): the tens and units of hours, minutes and seconds.
std::string MainTimeText(const GameRules& rules);

}  // namespace go
