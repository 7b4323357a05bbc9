#pragma once

#include <array>

namespace matchview {

// The controls of the match panel (the view's form): ids, pictures in the order normal, hover,
// pressed, disabled, and tooltip strings.
namespace control {
constexpr int kStart = 1003;
constexpr int kBigBoard = 1004;
constexpr int kClearDead = 1005;
constexpr int kContinue = 1006;
constexpr int kSmallBoard = 1007;
constexpr int kBigBoardSmall = 1008;
constexpr int kScreenshot = 1009;
constexpr int kShowNumbers = 1010;
constexpr int kHideNumbers = 1011;
constexpr int kDraw = 1017;
constexpr int kResign = 1018;
constexpr int kPass = 1019;
constexpr int kLoad = 1020;
constexpr int kNext = 1021;
constexpr int kLast = 1022;
constexpr int kSave = 1023;
constexpr int kUndo = 1024;
constexpr int kTool = 1025;
constexpr int kStep = 1026;
constexpr int kReferee = 1037;
constexpr int kStudy = 1045;
constexpr int kMoveNumbers = 1054;
constexpr int kPrevious = 1057;
constexpr int kFirst = 1058;
constexpr int kStepEdit = 1078;
constexpr int kSeatFrame0 = 5000;
constexpr int kSeatFrame1 = 5001;
constexpr int kForcedCount = 5003;
}  // namespace control

using PictureSet = std::array<int, 4>;

namespace pictures {
constexpr PictureSet kClearDeadNormal = {195, 274, 197, 273};
constexpr PictureSet kClearDeadUndo = {271, 270, 189, 269};
constexpr PictureSet kNumbersShown = {370, 372, 373, 371};
constexpr PictureSet kNumbersHidden = {374, 376, 377, 375};
constexpr int kStartShape = 5038;
constexpr int kForcedCountFace = 5037;
constexpr int kBoardCursor = 5002;
constexpr int kWindowBackground = 238;
constexpr int kBorderTop = 240;  // then left 241, right 242, bottom 243
constexpr int kToolbar = 296;
constexpr int kPlayerPanel = 303;
constexpr int kPlayerPanelCompact = 5036;
constexpr int kButtonPanel = 304;
constexpr int kStatusPanel = 305;
constexpr int kBadge = 359;
constexpr int kClockDigits = 5050;
constexpr int kFaceBase = 101;        // face n is picture 101 + n
constexpr int kMaxFaceNumber = 0xFFFF - kFaceBase;  // picture numbers stay below 65536
}  // namespace pictures

struct ImageButtonSpec {
    int id;
    PictureSet pictures;
    int tooltip;  // string number, 0 for none
};

// The twelve toolbar buttons in their places, two rows of six (the forced-counting button takes
// the first place and is not an image button of this kind).
extern const std::array<int, 12> kToolbarOrder;
// Every image button of the panel.
extern const std::array<ImageButtonSpec, 23> kImageButtons;

}  // namespace matchview
