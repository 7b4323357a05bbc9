#pragma once

#include <array>

#include "match/control_ids.h"

namespace goview {

// The controls of the match panel are named in the match core, which decides their states.
namespace control = match::control;

using PictureSet = std::array<int, 4>;

namespace pictures {
constexpr PictureSet kClearDeadNormal = {195, 274, 197, 273};
constexpr PictureSet kClearDeadUndo = {271, 270, 189, 269};
constexpr PictureSet kNumbersShown = {370, 372, 373, 371};
constexpr PictureSet kNumbersHidden = {374, 376, 377, 375};
constexpr int kStartShape = 5038;
constexpr PictureSet kStartPlain = {660, 661, 662, 663};  // the earlier builds' Start
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
constexpr int kLastPictureNumber = 0xFFFF;  // picture numbers stay below 65536
}  // namespace pictures

struct ImageButtonSpec {
    control::Id id;
    PictureSet pictures;
    int tooltip;  // string number, 0 for none
};

// Every image button of the panel.
extern const std::array<ImageButtonSpec, 23> kImageButtons;

}  // namespace goview
