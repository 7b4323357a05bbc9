#pragma once

// The controls of the study window.
namespace study::control {
constexpr int kMoveNumbers = 1054;
constexpr int kGrab = 1053;
constexpr int kSynchronise = 1046;
constexpr int kScreenshot = 1009;
constexpr int kClearDead = 1051;
constexpr int kAddBreakpoint = 1049;
constexpr int kDeleteBreakpoint = 1050;
constexpr int kFirst = 1058;
constexpr int kPrevious = 1057;
constexpr int kNext = 1021;
constexpr int kLast = 1022;
constexpr int kGoTo = 1026;
constexpr int kBreakpoints = 1048;  // the list box
constexpr int kMoveField = 1079;    // the move number for kGoTo
}  // namespace study::control
