#pragma once

#include <string>

namespace go {

// Texts of the count, in UTF-8 (converted to the hall's code page at the boundary).

// A score in tenths of a point as "%d.%d": whole points, then the tenths digit. A score between
// -1 and 0 keeps its minus sign ("-0.5"), which plain integer division would drop.
std::string FormatScore(int tenths);

// "黑方目数：%d.%d" and "白方目数：%d.%d".
std::string BlackCountText(int tenths);
std::string WhiteCountText(int tenths);

// The score shown for one side: its count less one point for each of its passes, never below 0.
int ScoreAfterPasses(int tenths, int passes);

// "黑方胜" when black leads by at least a tenth, "和棋" on equal counts, "白方胜" otherwise.
std::string VerdictText(int blackTenths, int whiteTenths);

// Both counts and the verdict, each line ended by "\r\n".
std::string CountAnnouncement(int blackTenths, int whiteTenths);

}  // namespace go
