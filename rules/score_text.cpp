#include "rules/score_text.h"

#include <cstdlib>

namespace go {

std::string FormatScore(int tenths) {
    const long long v = tenths;
    const long long whole = v / 10;
    const long long tenth = std::llabs(v % 10);
    std::string text = (v < 0 && whole == 0) ? "-0" : std::to_string(whole);
    return text + "." + std::to_string(tenth);
}

std::string BlackCountText(int tenths) { return "黑方目数：" + FormatScore(tenths); }

std::string WhiteCountText(int tenths) { return "白方目数：" + FormatScore(tenths); }

int ScoreAfterPasses(int tenths, int passes) {
    const long long shown = static_cast<long long>(tenths) - 10LL * passes;
    return shown < 0 ? 0 : static_cast<int>(shown);
}

std::string VerdictText(int blackTenths, int whiteTenths) {
    const long long d = static_cast<long long>(blackTenths) - whiteTenths;
    if (d >= 1) return "黑方胜";
    if (d == 0) return "和棋";
    return "白方胜";
}

std::string CountAnnouncement(int blackTenths, int whiteTenths) {
    return BlackCountText(blackTenths) + "\r\n" + WhiteCountText(whiteTenths) + "\r\n" +
           VerdictText(blackTenths, whiteTenths) + "\r\n";
}

}  // namespace go
