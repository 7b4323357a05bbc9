#include "goview/view/match_panel.h"

#include "goview/resources/string_table.h"

namespace goview {

const std::array<ImageButtonSpec, 23> kImageButtons = {{
    {control::kPass, {600, 601, 602, 603}, strings::kTipPass},
    {control::kDraw, {604, 605, 606, 607}, strings::kTipDraw},
    {control::kResign, {608, 609, 610, 611}, strings::kTipResign},
    {control::kUndo, {612, 613, 614, 615}, strings::kTipUndo},
    {control::kContinue, {616, 617, 618, 619}, strings::kTipContinue},
    {control::kBigBoard, {620, 621, 622, 623}, strings::kTipBigBoard},
    {control::kLoad, {624, 625, 626, 627}, strings::kTipLoad},
    {control::kSave, {628, 629, 630, 631}, strings::kTipSave},
    {control::kStudy, {632, 633, 634, 635}, strings::kTipStudy},
    {control::kClearDead, pictures::kClearDeadNormal, strings::kTipClearDead},
    {control::kMoveNumbers, pictures::kNumbersShown, strings::kTipHideNumbers},
    {control::kFirst, {314, 316, 317, 315}, strings::kTipFirstMove},
    {control::kPrevious, {313, 312, 310, 311}, strings::kTipPreviousMove},
    {control::kNext, {227, 320, 229, 319}, strings::kTipNextMove},
    {control::kLast, {231, 324, 233, 323}, strings::kTipLastMove},
    {control::kStep, {329, 328, 326, 327}, strings::kTipGoToMove},
    {control::kScreenshot, {378, 380, 381, 379}, strings::kTipScreenshot},
    {control::kShowNumbers, {644, 645, 646, 647}, strings::kTipShowNumbers},
    {control::kHideNumbers, {648, 649, 650, 651}, strings::kTipHideNumbers},
    {control::kSmallBoard, {636, 637, 638, 639}, strings::kTipSmallBoard},
    {control::kBigBoardSmall, {640, 641, 642, 643}, strings::kTipBigBoard},
    {control::kReferee, {656, 657, 658, 659}, strings::kTipReferee},
    {control::kTool, {652, 653, 654, 655}, 0},
}};

}  // namespace goview
