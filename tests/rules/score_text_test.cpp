#include "rules/score_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace go {
namespace {

TEST(ScoreText, TenthsAreWrittenAsPointsAndOneDecimal) {
    EXPECT_EQ(FormatScore(345), "34.5");
    EXPECT_EQ(FormatScore(450), "45.0");
    EXPECT_EQ(FormatScore(0), "0.0");
    EXPECT_EQ(FormatScore(-55), "-5.5");
    EXPECT_EQ(FormatScore(-10), "-1.0");
    EXPECT_EQ(FormatScore(-5), "-0.5") << "the sign survives between -1 and 0";
    EXPECT_EQ(FormatScore(INT_MIN), "-214748364.8");
}

TEST(ScoreText, PassesCostAPointAndTheShownScoreStopsAtZero) {
    EXPECT_EQ(ScoreAfterPasses(345, 0), 345);
    EXPECT_EQ(ScoreAfterPasses(345, 2), 325);
    EXPECT_EQ(ScoreAfterPasses(15, 2), 0);
    EXPECT_EQ(ScoreAfterPasses(-55, 0), 0);
}

TEST(ScoreText, VerdictNeedsATenthToWin) {
    EXPECT_EQ(VerdictText(451, 450), "黑方胜");
    EXPECT_EQ(VerdictText(450, 450), "和棋");
    EXPECT_EQ(VerdictText(449, 450), "白方胜");
    EXPECT_EQ(VerdictText(INT_MIN, INT_MAX), "白方胜") << "no overflow in the difference";
}

TEST(ScoreText, AnnouncementListsBothCountsAndTheVerdict) {
    EXPECT_EQ(CountAnnouncement(345, 450), "黑方目数：34.5\r\n白方目数：45.0\r\n白方胜\r\n");
    EXPECT_EQ(CountAnnouncement(1845, 1765), "黑方目数：184.5\r\n白方目数：176.5\r\n黑方胜\r\n");
}

}  // namespace
}  // namespace go
