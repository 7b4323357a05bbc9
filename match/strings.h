#pragma once

#include <string>
#include <string_view>

namespace match {

// The plug-in's numbered strings, UTF-8 (GBK only where text crosses to the hall).
// Empty for a number that has none.
std::string_view MatchString(int id);

// A numbered string with printf-style arguments ("%d"), e.g. string 5042.
std::string FormatString(int id, int first, int second = 0);

// Numbers used by name in the code.
namespace strings {
constexpr int kClearDeadAsk = 5003;
constexpr int kClearDeadAgreed = 5004;
constexpr int kDrawAsk = 5005;
constexpr int kUndoAsk = 5006;
constexpr int kBlackCount = 5007;
constexpr int kWhiteCount = 5008;
constexpr int kStateWaiting = 5009;
constexpr int kStatePlaying = 5010;
constexpr int kStateOver = 5011;
constexpr int kEvenGame = 5012;
constexpr int kHandicapGame = 5013;
constexpr int kKomi = 5014;
constexpr int kNoKomi = 5015;
constexpr int kByoyomi = 5016;
constexpr int kMainTime = 5017;
constexpr int kTipStart = 5018;
constexpr int kTipPass = 5019;
constexpr int kTipDraw = 5020;
constexpr int kTipResign = 5021;
constexpr int kTipUndo = 5022;
constexpr int kTipContinue = 5023;
constexpr int kTipClearDead = 5024;
constexpr int kTipBigBoard = 5025;
constexpr int kTipStudy = 5026;
constexpr int kTipHideNumbers = 5027;
constexpr int kTipSmallBoard = 5028;
constexpr int kTipLoad = 5029;
constexpr int kTipSave = 5030;
constexpr int kTipReferee = 5031;
constexpr int kTipScreenshot = 5032;
constexpr int kTipShowNumbers = 5033;
constexpr int kTipGrab = 5034;
constexpr int kTipAddBreakpoint = 5035;
constexpr int kTipDeleteBreakpoint = 5036;
constexpr int kTipRefresh = 5037;
constexpr int kTipUndoClearDead = 5038;
constexpr int kWriteError = 5039;
constexpr int kDrawConfirm = 5040;
constexpr int kWaitClearDead = 5041;
constexpr int kTimeoutWarning = 5042;
constexpr int kTipForcedCount = 5043;
constexpr int kTipFirstMove = 5044;
constexpr int kTipPreviousMove = 5045;
constexpr int kTipNextMove = 5046;
constexpr int kTipLastMove = 5047;
constexpr int kTipGoToMove = 5048;
}  // namespace strings

}  // namespace match
