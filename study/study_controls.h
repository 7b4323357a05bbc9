#pragma once

// The controls of the study window by their template ids.
namespace study::control {
enum Id : int {
    kMoveNumbers = 1054,
    kGrab = 1053,
    kSynchronise = 1046,
    kScreenshot = 1009,
    kClearDead = 1051,
    kAddBreakpoint = 1049,
    kDeleteBreakpoint = 1050,
    kFirst = 1058,
    kPrevious = 1057,
    kNext = 1021,
    kLast = 1022,
    kGoTo = 1026,
    kBreakpoints = 1048,  // the list box
    kMoveField = 1079,    // the move number for kGoTo
};
}  // namespace study::control
