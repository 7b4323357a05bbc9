#pragma once

#include <array>

// The dialogs by their template ids, and their controls by the ids within each template. Ids
// repeat across templates (the rules dialog's komi list and the panel's draw button are both
// 1017), so each dialog has its own namespace.
namespace goview::dialog_ids {

// Every skinned dialog's own buttons.
constexpr int kOk = 1;
constexpr int kCancel = 2;

namespace rules {
constexpr int kTemplate = 167;
constexpr int kReApply = 3;
constexpr int kHandicap = 1014;
constexpr int kKomi = 1017;
constexpr int kMainTime = 1018;
constexpr int kByoyomiSeconds = 1019;
constexpr int kByoyomiCount = 1020;
inline constexpr std::array kUndoChoices = {1060, 1061, 1062, 1063};
constexpr int kHandicapLabel = 1064;
constexpr int kHandicapGroup = 1065;
constexpr int kTimeGroup = 1066;
constexpr int kUndoGroup = 1067;
constexpr int kBlack = 1068;
constexpr int kWhite = 1069;
constexpr int kMainTimeLabel = 1072;
constexpr int kByoyomiLabel = 1073;
constexpr int kByoyomiCountLabel = 1074;
}  // namespace rules

namespace referee {
constexpr int kTemplate = 168;
constexpr int kFirstVerdict = 1038;  // black wins, then white wins, then a draw
}  // namespace referee

namespace countdown {
constexpr int kTemplate = 349;
constexpr int kQuestion = 1042;
constexpr int kSeconds = 1075;
}  // namespace countdown

namespace settings {
constexpr int kTemplate = 170;
constexpr int kSound = 1039;
constexpr int kShowStep = 1044;
constexpr int kSaveInfo = 1045;
constexpr int kUserInOut = 1046;
constexpr int kWood = 1077;
}  // namespace settings

}  // namespace goview::dialog_ids
