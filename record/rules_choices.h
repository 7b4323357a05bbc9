#pragma once

#include <array>

// The choices a player has for each term of the rules, as the lists of the rules dialog offer
// them: each list's items and the record values they stand for, index for index (UTF-8).
namespace go::rules_choices {

constexpr std::array kHandicapItems = {"分先",  "让先",  "让2子", "让3子", "让4子",  "让5子",
                                       "让6子", "让7子", "让8子", "让9子", "让13子", "让25子"};
constexpr std::array kHandicapValues = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 25};
constexpr std::array kKomiItems = {"不贴目", "贴5目半", "贴6目半", "贴7目半"};
constexpr std::array kKomiValues = {0, 55, 65, 75};
// "5小时 " keeps its trailing blank: it is part of the item's text, not a typo to tidy away.
constexpr std::array kMainTimeItems = {"0分",  "5分",  "10分", "15分",  "20分",  "25分",  "30分",  "35分",   "40分",
                                       "45分", "50分", "55分", "1小时", "2小时", "3小时", "4小时", "5小时 ", "无限制"};
constexpr std::array kMainTimeValues = {0,    300,  600,  900,  1200, 1500,  1800,  2100,  2400,
                                        2700, 3000, 3300, 3600, 7200, 10800, 14400, 18000, 356400};
constexpr std::array kByoyomiSecondsItems = {"10秒", "20秒", "30秒", "40秒", "50秒", "60秒"};
constexpr std::array kByoyomiSecondsValues = {10, 20, 30, 40, 50, 60};
constexpr std::array kByoyomiCountItems = {"1次", "3次", "5次"};
constexpr std::array kByoyomiCountValues = {1, 3, 5};
constexpr std::array kUndoItems = {"不许悔棋", "1次", "3次", "5次"};
constexpr std::array kUndoValues = {0, 1, 3, 5};

static_assert(kHandicapItems.size() == kHandicapValues.size());
static_assert(kKomiItems.size() == kKomiValues.size());
static_assert(kMainTimeItems.size() == kMainTimeValues.size());
static_assert(kByoyomiSecondsItems.size() == kByoyomiSecondsValues.size());
static_assert(kByoyomiCountItems.size() == kByoyomiCountValues.size());
static_assert(kUndoItems.size() == kUndoValues.size());

}  // namespace go::rules_choices
