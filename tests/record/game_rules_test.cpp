#include "record/game_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace go {
namespace {

TEST(GameRulesRecord, DefaultsEncodeToTheExpectedBytes) {
    const auto bytes = EncodeGameRules(GameRules{});
    const std::vector<uint8_t> expected = {
        29, 0, 0, 0,     // recordSize
        0,  0, 0, 0,     // handicap
        0x84, 3, 0, 0,   // mainTime 900
        30, 0, 0, 0,     // byoyomiSeconds
        0,               // side
        3,  0, 0, 0,     // undoAllowance
        75, 0, 0, 0,     // komi
        3,  0, 0, 0,     // byoyomiCount
    };
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(GameRulesRecord, DecodeInvertsEncodeForAnyValues) {
    GameRules rules;
    rules.recordSize = -7;
    rules.handicap = 25;
    rules.mainTime = 356400;
    rules.byoyomiSeconds = 60;
    rules.side = 1;
    rules.undoAllowance = 5;
    rules.komi = -2147483647 - 1;
    rules.byoyomiCount = 0x01020304;
    const auto bytes = EncodeGameRules(rules);
    EXPECT_EQ(DecodeGameRules(bytes), rules);
    EXPECT_EQ(bytes[25], 4) << "little-endian";
    EXPECT_EQ(bytes[28], 1);
}

TEST(GameRulesText, FreshRecord) {
    const GameRules rules;
    EXPECT_EQ(HandicapAndKomiText(rules), "分先 贴7目半");
    EXPECT_EQ(ByoyomiText(rules), "30秒  3次");
    EXPECT_EQ(MainTimeText(rules), "共用时：00-15-00");
}

TEST(GameRulesText, KomiHandicapAndTimeVariants) {
    GameRules rules;
    rules.komi = 0;
    EXPECT_EQ(HandicapAndKomiText(rules), "分先 不贴目");
    rules.komi = 55;
    EXPECT_EQ(KomiText(rules.komi), "贴5目半");
    EXPECT_EQ(KomiText(2147483647), "贴361目半") << "shown as the board counts it";
    EXPECT_EQ(KomiText(-2147483647 - 1), "不贴目");
    rules.handicap = 1;
    EXPECT_EQ(HandicapAndKomiText(rules), "让先 让1子 贴5目半");
    rules.handicap = 9;
    rules.komi = 0;
    EXPECT_EQ(HandicapAndKomiText(rules), "让先 让9子 不贴目");
    rules.mainTime = 356400;
    EXPECT_EQ(MainTimeText(rules), "共用时：99-00-00");
    rules.mainTime = 3600 + 23 * 60 + 45;
    EXPECT_EQ(MainTimeText(rules), "共用时：01-23-45");
    rules.byoyomiSeconds = 10;
    rules.byoyomiCount = 5;
    EXPECT_EQ(ByoyomiText(rules), "10秒  5次");
}

}  // namespace
}  // namespace go
