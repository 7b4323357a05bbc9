#include "record/game_rules.h"

#include <cstdio>

#include "record/byte_order.h"
#include "rules/board_types.h"

namespace go {
namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

}  // namespace

std::array<uint8_t, kGameRulesSize> EncodeGameRules(const GameRules& rules) {
    std::array<uint8_t, kGameRulesSize> bytes{};
    WriteInt32LE(bytes, offsetof(GameRules, recordSize), rules.recordSize);
    WriteInt32LE(bytes, offsetof(GameRules, handicap), rules.handicap);
    WriteInt32LE(bytes, offsetof(GameRules, mainTime), rules.mainTime);
    WriteInt32LE(bytes, offsetof(GameRules, byoyomiSeconds), rules.byoyomiSeconds);
    bytes[offsetof(GameRules, side)] = rules.side;
    WriteInt32LE(bytes, offsetof(GameRules, undoAllowance), rules.undoAllowance);
    WriteInt32LE(bytes, offsetof(GameRules, komi), rules.komi);
    WriteInt32LE(bytes, offsetof(GameRules, byoyomiCount), rules.byoyomiCount);
    return bytes;
}

GameRules DecodeGameRules(std::span<const uint8_t, kGameRulesSize> bytes) {
    GameRules rules;
    rules.recordSize = ReadInt32LE(bytes, offsetof(GameRules, recordSize));
    rules.handicap = ReadInt32LE(bytes, offsetof(GameRules, handicap));
    rules.mainTime = ReadInt32LE(bytes, offsetof(GameRules, mainTime));
    rules.byoyomiSeconds = ReadInt32LE(bytes, offsetof(GameRules, byoyomiSeconds));
    rules.side = bytes[offsetof(GameRules, side)];
    rules.undoAllowance = ReadInt32LE(bytes, offsetof(GameRules, undoAllowance));
    rules.komi = ReadInt32LE(bytes, offsetof(GameRules, komi));
    rules.byoyomiCount = ReadInt32LE(bytes, offsetof(GameRules, byoyomiCount));
    return rules;
}

std::string HandicapText(int handicap) {
    return handicap < 1 ? std::string("分先 ") : Format("让先 让%d子 ", handicap);
}

std::string KomiText(int komi) {
    // Shown as the board counts it, so an absurd stored komi cannot run over the panel.
    const int counted = ClampKomi(komi);
    return counted > 0 ? Format("贴%d目半", counted / 10) : std::string("不贴目");
}

std::string HandicapAndKomiText(const GameRules& rules) { return HandicapText(rules.handicap) + KomiText(rules.komi); }

std::string ByoyomiText(const GameRules& rules) {
    return Format("%d秒  %d次", rules.byoyomiSeconds, rules.byoyomiCount);
}

std::string MainTimeText(const GameRules& rules) {
    const int hours = rules.mainTime / 3600;
    const int minutes = rules.mainTime % 3600 / 60;
    const int seconds = rules.mainTime % 3600 % 60;
    return Format("共用时：%d%d-%d%d-%d%d", hours / 10, hours % 10, minutes / 10, minutes % 10, seconds / 10,
                  seconds % 10);
}

}  // namespace go
