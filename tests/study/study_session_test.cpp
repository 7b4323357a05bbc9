#include "study/study_session.h"

#include <gtest/gtest.h>

#include "study/study_controls.h"

namespace study {
namespace {

using go::kNoCoord;

std::vector<uint8_t> Bytes(const std::vector<go::MoveRecord>& moves) {
    std::vector<uint8_t> bytes;
    for (const go::MoveRecord& m : moves) bytes.insert(bytes.end(), {m.color, m.x, m.y});
    return bytes;
}

// Alternating stones down two columns: black on column 2, white on column 4 — after all 38
// black owns columns 0 and 1, white columns 5 to 18, and column 3 is neutral.
std::vector<go::MoveRecord> Walls() {
    std::vector<go::MoveRecord> moves;
    for (uint8_t y = 0; y < 19; ++y) {
        moves.push_back({go::kBlack, 2, y});
        moves.push_back({go::kWhite, 4, y});
    }
    return moves;
}

struct Study : ::testing::Test {
    StudySession session;
    go::GameRecordHeader game;  // the default rules, nobody's names
    const go::GameRules& rules = game.rules;
    void Open(const std::vector<go::MoveRecord>& moves) { session.Open(game, Bytes(moves)); }
    int Shown() const {
        const go::ReplayCursor& cursor = session.Cursor();
        return cursor.IsReviewing() ? cursor.reviewPos() : session.Board().PlayedCount();
    }
};

TEST_F(Study, OpeningShowsTheLastPositionAndTheButtonsStepThroughIt) {
    Open(Walls());
    EXPECT_EQ(session.Board().PlayedCount(), 38);
    EXPECT_EQ(session.Board().position().GetCell(4, 18).color, go::kWhite);
    EXPECT_EQ(session.Board().komi(), int{rules.komi});

    EXPECT_FALSE(session.Navigate(StudySession::Step::Forward)) << "not reviewing: nothing to step to";
    EXPECT_TRUE(session.Navigate(StudySession::Step::Back));
    EXPECT_EQ(Shown(), 37);
    session.Navigate(StudySession::Step::Forward);
    EXPECT_EQ(Shown(), 37) << "one step forward stops one short of the end";
    EXPECT_EQ(session.Board().position().GetCell(4, 18).color, go::kEmpty);
    session.Navigate(StudySession::Step::Last);
    EXPECT_EQ(Shown(), 38);
    EXPECT_EQ(session.Board().position().GetCell(4, 18).color, go::kWhite);
    session.Navigate(StudySession::Step::Back);
    session.Navigate(StudySession::Step::Next);
    EXPECT_EQ(session.Cursor().IsReviewing(), 0) << "the keys' step reaches the last move";
    EXPECT_EQ(session.Board().position().GetCell(4, 18).color, go::kWhite);

    session.Navigate(StudySession::Step::First);
    EXPECT_EQ(Shown(), 1);
    session.Navigate(StudySession::Step::TenForward);
    EXPECT_EQ(Shown(), 11);
    session.Navigate(StudySession::Step::TenBack);
    EXPECT_EQ(Shown(), 1);
    session.Navigate(StudySession::Step::Last);
    session.Navigate(StudySession::Step::TenBack);
    EXPECT_EQ(Shown(), 28);
    session.Navigate(StudySession::Step::TenForward);
    session.Navigate(StudySession::Step::TenForward);
    EXPECT_EQ(session.Cursor().IsReviewing(), 0) << "past the end is the end";

    EXPECT_TRUE(session.GoTo("12ab"));
    EXPECT_EQ(Shown(), 12);
    EXPECT_FALSE(session.GoTo("")) << "empty does nothing";
    EXPECT_FALSE(session.GoTo("x")) << "not a number reads as 0";
    EXPECT_FALSE(session.GoTo("39"));
    EXPECT_FALSE(session.GoTo("99999999999999999999"));
    EXPECT_EQ(Shown(), 12);
}

TEST_F(Study, BreakpointsKeepTheirMomentsUntilTheNextOpening) {
    Open(Walls());
    session.GoTo("10");
    EXPECT_EQ(*session.AddBreakpoint(), "断点第38手") << "a breakpoint keeps the played list";
    for (int x : {10, 11}) ASSERT_TRUE(session.LeftClick(x, 10));
    ASSERT_EQ(session.Board().PlayedCount(), 40) << "a click while reviewing plays at the end";
    EXPECT_EQ(*session.AddBreakpoint(), "断点第40手");
    ASSERT_TRUE(session.LeftClick(12, 10));
    EXPECT_EQ(*session.AddBreakpoint(), "断点第41手");

    EXPECT_EQ(session.DeleteBreakpoint(1), 1) << "the last remaining line becomes selected";
    EXPECT_EQ(session.DeleteBreakpoint(7), std::nullopt);
    session.Synchronise(game, Bytes(Walls()));
    EXPECT_EQ(session.Board().PlayedCount(), 38);
    ASSERT_EQ(session.Breakpoints().size(), 2u) << "synchronising keeps the breakpoints";
    ASSERT_TRUE(session.RestoreBreakpoint(1));
    EXPECT_EQ(session.Board().PlayedCount(), 41) << "the second line is the third snapshot";
    EXPECT_EQ(session.Board().position().GetCell(12, 10).color, go::kBlack);
    EXPECT_FALSE(session.RestoreBreakpoint(2));

    Open(Walls());
    EXPECT_TRUE(session.Breakpoints().empty());
    session.LeftClick(9, 9);
    session.AddBreakpoint();
    session.Navigate(StudySession::Step::First);
    ASSERT_TRUE(session.RestoreBreakpoint(0));
    EXPECT_EQ(session.Board().PlayedCount(), 39);
}

TEST_F(Study, ABreakpointOfAVeryLongGameKeepsWhatItsArrayHolds) {
    std::vector<go::MoveRecord> moves = Walls();
    while (moves.size() < 2731) moves.push_back({moves.size() % 2 == 0 ? go::kBlack : go::kWhite, kNoCoord, kNoCoord});
    Open(moves);
    ASSERT_EQ(session.Board().PlayedCount(), 2731);
    EXPECT_EQ(*session.AddBreakpoint(), "断点第2730手（全谱2731手，只存前2730手）");
    const StudySnapshot& kept = session.Breakpoints()[0];
    EXPECT_EQ(kept.moveCount, 2730);
    EXPECT_EQ(kept.MoveBytes().size(), 8190u);
    ASSERT_TRUE(session.RestoreBreakpoint(0));
    EXPECT_EQ(session.Board().PlayedCount(), 2730);
    EXPECT_EQ(session.Board().position().GetCell(4, 18).color, go::kWhite);
}

TEST_F(Study, GrabGoesBackToAStonesMoveAndLeavingKeepsIt) {
    std::vector<go::MoveRecord> moves = Walls();
    moves.insert(moves.begin() + 2, {go::kBlack, kNoCoord, kNoCoord});
    moves.insert(moves.begin() + 3, {go::kWhite, kNoCoord, kNoCoord});
    Open(moves);
    session.ToggleGrab();
    for (control::Id id : {control::kMoveNumbers, control::kSynchronise, control::kClearDead, control::kAddBreakpoint,
                   control::kDeleteBreakpoint}) {
        EXPECT_FALSE(session.Enabled(id)) << id;
    }
    EXPECT_FALSE(session.LeftClick(10, 10)) << "an empty point does nothing";
    // Stone 5 is black's third, at (2, 2); two passes came before it.
    ASSERT_EQ(session.Board().position().GetCell(2, 2).moveNumber, 5);
    ASSERT_TRUE(session.LeftClick(2, 2));
    EXPECT_EQ(session.Board().PlayedCount(), 7);
    EXPECT_EQ(session.Board().position().GetCell(4, 2).color, go::kEmpty);
    session.ToggleGrab();
    EXPECT_TRUE(session.Enabled(control::kAddBreakpoint));
    EXPECT_EQ(session.Board().PlayedCount(), 7) << "leaving grab keeps the grabbed moment";
    EXPECT_EQ(session.Board().position().GetCell(2, 2).color, go::kBlack);

    // A variation from there.
    ASSERT_TRUE(session.LeftClick(15, 15));
    EXPECT_EQ(session.Board().PlayedCount(), 8);
    EXPECT_EQ(session.Cursor().recordMoves().size(), 8u);
    EXPECT_FALSE(session.LeftClick(15, 15)) << "an illegal study move changes nothing";
    EXPECT_FALSE(session.LeftClick(19, 3));
    session.Synchronise(game, Bytes(moves));
    EXPECT_EQ(session.Board().PlayedCount(), 40);
}

TEST_F(Study, AsAGameRecordTheStudyKeepsTheWholeGameWithItsLinesAsVariations) {
    session.Open(game, Bytes(Walls()), "W+R");
    session.ToggleGrab();
    ASSERT_TRUE(session.LeftClick(2, 3));  // back to black's fourth stone, move 7
    session.ToggleGrab();
    ASSERT_TRUE(session.LeftClick(10, 10));  // a move of the study's own as move 8
    go::SgfGame sgf = session.AsSgf();
    EXPECT_EQ(sgf.moves, Walls()) << "the game's 38 moves, not the study's 8";
    EXPECT_EQ(sgf.result, "W+R");
    ASSERT_EQ(sgf.variations.size(), 1u);
    EXPECT_EQ(sgf.variations[0].from, 7u);
    EXPECT_EQ(sgf.variations[0].moves, (std::vector<go::MoveRecord>{{go::kWhite, 10, 10}}));

    ASSERT_TRUE(session.LeftClick(11, 10));
    ASSERT_TRUE(session.AddBreakpoint());
    session.Synchronise(game, Bytes(Walls()));  // the game again; the breakpoint stays
    sgf = session.AsSgf();
    EXPECT_EQ(sgf.result, "") << "a game synchronised without its result";
    ASSERT_EQ(sgf.variations.size(), 1u);
    EXPECT_EQ(sgf.variations[0].moves.size(), 2u) << "the breakpoint's line";
}

TEST_F(Study, MarkingCountsWithRegionOwnersOverriddenAndCapturedPointsLeftAlone) {
    std::vector<go::MoveRecord> moves = Walls();
    // White (0, 0) is captured by black (1, 0) and (0, 1).
    moves.insert(moves.end(), {{go::kBlack, kNoCoord, kNoCoord}, {go::kWhite, 0, 0}, {go::kBlack, 1, 0},
                               {go::kWhite, kNoCoord, kNoCoord}, {go::kBlack, 0, 1}});
    Open(moves);
    ASSERT_EQ(session.Board().position().GetCell(0, 0).mark, go::kMarkCaptured);
    session.ToggleMarking();
    ASSERT_TRUE(session.Marking());
    EXPECT_TRUE(session.ScoreShown());
    for (control::Id id : {control::kGrab, control::kMoveNumbers, control::kAddBreakpoint, control::kDeleteBreakpoint}) {
        EXPECT_FALSE(session.Enabled(id)) << id;
    }
    EXPECT_TRUE(session.Enabled(control::kSynchronise));
    EXPECT_FALSE(session.Navigate(StudySession::Step::Back));
    EXPECT_FALSE(session.AddBreakpoint());

    const go::Count& count = session.Count();
    ASSERT_EQ(count.countCell(1, 5).owner, go::kOwnerBlack);
    const int blackBefore = session.BlackScore();
    for (int expected : {go::kOwnerWhite, go::kOwnerNeutral, go::kOwnerBlack}) {
        session.LeftClick(1, 5);
        EXPECT_EQ(count.countCell(1, 5).owner, expected);
        EXPECT_EQ(count.countCell(0, 18).owner, expected) << "the whole region";
    }
    EXPECT_EQ(session.BlackScore(), blackBefore);

    session.LeftClick(1, 5);  // white again
    const int whiteOwned = session.WhiteScore();
    session.LeftClick(0, 0);
    EXPECT_EQ(count.countCell(1, 5).owner, go::kOwnerWhite) << "a click on a captured point changes no owner";
    EXPECT_EQ(session.WhiteScore(), whiteOwned);

    // A dead chain, and its rescue by the right button.
    session.LeftClick(4, 0);
    EXPECT_EQ(session.Board().position().GetCell(4, 0).mark, go::kMarkDead);
    EXPECT_GT(session.BlackScore(), blackBefore);
    session.RightClick(4, 0);
    EXPECT_EQ(session.Board().position().GetCell(4, 0).mark, go::kMarkNone);

    session.ToggleMarking();
    EXPECT_FALSE(session.Marking());
    EXPECT_FALSE(session.ScoreShown());
    EXPECT_EQ(count.regionClicks(count.countCell(1, 5).region), -1) << "leaving forgets the overrides";
    EXPECT_FALSE(session.RightClick(4, 0)) << "the right button only unmarks";
}

TEST(StudySnapshotTake, KeepsWholeRecordsWithinTheArray) {
    std::vector<uint8_t> bytes(9000, 0);
    bytes[3] = 1;
    const StudySnapshot s = StudySnapshot::Take(go::GameRules{}, bytes);
    EXPECT_EQ(s.moveCount, 2730);
    EXPECT_EQ(s.moves[3], 1);
    EXPECT_EQ(StudySnapshot::Take(go::GameRules{}, std::vector<uint8_t>(7, 0)).moveCount, 2);
    static_assert(sizeof(StudySnapshot::moves) == 8192);
}

}  // namespace
}  // namespace study
