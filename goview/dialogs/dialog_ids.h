#pragma once

#include <array>

// The dialogs by their template ids, and their controls by the ids within each template. Ids
// repeat across templates (the rules dialog's komi list and the panel's draw button are both
// 1017), so each dialog has its own namespace.
namespace goview::dialog_ids {

// Every skinned dialog's own buttons.
enum Button : int {
    kOk = 1,
    kCancel = 2,
};

namespace rules {
enum Id : int {
    kTemplate = 167,
    kReApply = 3,
    kHandicap = 1014,
    kKomi = 1017,
    kMainTime = 1018,
    kByoyomiSeconds = 1019,
    kByoyomiCount = 1020,
    kHandicapLabel = 1064,
    kHandicapGroup = 1065,
    kTimeGroup = 1066,
    kUndoGroup = 1067,
    kBlack = 1068,
    kWhite = 1069,
    kMainTimeLabel = 1072,
    kByoyomiLabel = 1073,
    kByoyomiCountLabel = 1074,
};
inline constexpr std::array kUndoChoices = {1060, 1061, 1062, 1063};
}  // namespace rules

namespace referee {
enum Id : int {
    kTemplate = 168,
    kFirstVerdict = 1038,  // black wins, then white wins, then a draw
};
}  // namespace referee

namespace countdown {
enum Id : int {
    kTemplate = 349,
    kQuestion = 1042,
    kSeconds = 1075,
};
}  // namespace countdown

namespace settings {
enum Id : int {
    kTemplate = 170,
    kSound = 1039,
    kShowStep = 1044,
    kSaveInfo = 1045,
    kUserInOut = 1046,
    kWood = 1077,
};
}  // namespace settings

}  // namespace goview::dialog_ids
