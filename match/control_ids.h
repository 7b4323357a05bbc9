#pragma once

namespace match {

// The controls of the match panel (the view's form) by their template ids: the match core
// enables and disables them by these numbers, the view finds its widgets by them.
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

}  // namespace match
