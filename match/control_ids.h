#pragma once

namespace match {

// The controls of the match panel (the view's form) by their template ids: the match core
// enables and disables them by these ids, the view finds its widgets by them. A widget's number
// becomes an Id where the view takes a press.
namespace control {
enum Id : int {
    kStart = 1003,
    kBigBoard = 1004,
    kClearDead = 1005,
    kContinue = 1006,
    kSmallBoard = 1007,
    kBigBoardSmall = 1008,
    kScreenshot = 1009,
    kShowNumbers = 1010,
    kHideNumbers = 1011,
    kDraw = 1017,
    kResign = 1018,
    kPass = 1019,
    kLoad = 1020,
    kNext = 1021,
    kLast = 1022,
    kSave = 1023,
    kUndo = 1024,
    kTool = 1025,
    kStep = 1026,
    kReferee = 1037,
    kStudy = 1045,
    kMoveNumbers = 1054,
    kPrevious = 1057,
    kFirst = 1058,
    kStepEdit = 1078,
    kSeatFrame0 = 5000,
    kSeatFrame1 = 5001,
    kForcedCount = 5003,
};
}  // namespace control

}  // namespace match
