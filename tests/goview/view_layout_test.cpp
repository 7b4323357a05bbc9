#include "goview/view/view_layout.h"

#include <gtest/gtest.h>

#include "match/control_ids.h"

namespace goview {
namespace {

TEST(ViewLayoutBoard, BigBoardSixHundredByFourHundred) {
    const ViewLayout l = ViewLayout::Compute(600, 400, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full);
    EXPECT_EQ(l.board.Square(), (Box{129, 10, 490, 371}));
    EXPECT_EQ(l.board.Cell(), 19);
    EXPECT_EQ(l.board.StoneSize(), 17);
    EXPECT_EQ(l.board.PointX(0), 129 + 9);
    EXPECT_EQ(l.board.PointY(18), 10 + 9 + 18 * 19);
}

TEST(ViewLayoutBoard, StoneSizeStaysBetweenTenAndFiftyEight) {
    EXPECT_EQ(ViewLayout::Compute(240, 240, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full).board.StoneSize(), 10) << "spacing below 12";
    const ViewLayout huge = ViewLayout::Compute(1400, 1400, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full);
    EXPECT_GT(huge.board.Cell(), 60);
    EXPECT_EQ(huge.board.StoneSize(), 58);
}

// A board whose cell is `cell` pixels.
BoardGeometry WithCell(int cell) { return BoardGeometry::Fit(Box{0, 0, 19 * cell + 10, 19 * cell + 10}); }

TEST(ViewLayoutBoard, StoneAndMarkerSidesFollowTheCell) {
    EXPECT_EQ(WithCell(24).MarkerSize(), 8);
    EXPECT_EQ(WithCell(80).MarkerSize(), 50);
    EXPECT_EQ(WithCell(40).MarkerSize(), 25);
    // The sizes the study window's board meets at its extremes.
    EXPECT_EQ(WithCell(11).Cell(), 11);
    EXPECT_EQ(WithCell(11).StoneSize(), 10);
    EXPECT_EQ(WithCell(11).MarkerSize(), 8);
    EXPECT_EQ(WithCell(70).StoneSize(), 58);
    EXPECT_EQ(WithCell(70).MarkerSize(), 55);
    EXPECT_EQ(WithCell(80).StoneSize(), 58);
}

TEST(ViewLayoutBoard, ClicksMapByIntegerDivisionWithTheFarEdgesOutside) {
    const ViewLayout l = ViewLayout::Compute(600, 400, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full);
    int x = -1;
    int y = -1;
    ASSERT_TRUE(l.board.PointAt(129, 10, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(l.board.PointAt(489, 370, x, y));
    EXPECT_EQ(x, 18);
    EXPECT_EQ(y, 18);
    ASSERT_TRUE(l.board.PointAt(129 + 19, 10 + 18, x, y));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0);
    EXPECT_FALSE(l.board.PointAt(490, 100, x, y));
    EXPECT_FALSE(l.board.PointAt(200, 371, x, y));
    EXPECT_FALSE(l.board.PointAt(128, 100, x, y));
}

TEST(ViewLayoutPanels, NormalLayoutAtTenTwentyFourBySevenSixtyEight) {
    const ViewLayout l = ViewLayout::Compute(1024, 768, ViewLayout::BoardArea::WithPanels, ViewLayout::Panels::Full);
    EXPECT_EQ(l.bottomBar, (Box{125, 678, 1019, 763}));
    EXPECT_EQ(l.toolbar, (Box{345, 685, 798, 755}));
    EXPECT_EQ(l.board.Square(), (Box{258, 10, 904, 655}));
    EXPECT_EQ(l.board.Cell(), 34);
    EXPECT_EQ(l.board.StoneSize(), 32);
    EXPECT_EQ(l.toolbarButtons[0], (Box{349, 689, 417, 719}));
    EXPECT_EQ(l.toolbarButtons[3].width(), 95) << "the fourth column is wider";
    EXPECT_EQ(l.toolbarButtons[6], (Box{349, 719, 417, 749}));
    EXPECT_EQ(l.startButton, (Box{287, 685, 343, 755}));
    EXPECT_EQ(l.upperPanel, (Box{2, 123, 122, 329}));
    EXPECT_EQ(l.lowerPanel, (Box{2, 349, 122, 555}));
    EXPECT_EQ(l.buttonPanel, (Box{2, 590, 122, 658}));
    EXPECT_EQ(l.statusPanel, (Box{2, 2, 122, 82}));
    EXPECT_EQ(l.SeatFrame(l.lowerPanel), (Box{27, 351, 97, 471})) << "on the panel's face socket";
}

TEST(ViewLayoutPanels, CompactLayoutPanels) {
    const ViewLayout l = ViewLayout::Compute(900, 650, ViewLayout::BoardArea::WithPanels, ViewLayout::Panels::Compact);
    EXPECT_EQ(l.upperPanel.height(), 163);
    EXPECT_EQ(l.upperPanel, (Box{2, 64, 122, 227}));
    EXPECT_EQ(l.lowerPanel, (Box{2, 320, 122, 483}));
    EXPECT_EQ(l.statusPanel, (Box{2, 233, 122, 313}));
    EXPECT_EQ(l.SeatFrame(l.upperPanel), (Box{37, 66, 87, 136}));
}

}  // namespace
}  // namespace goview

namespace goview {
namespace {

namespace control = match::control;

Box PlaceOf(const ViewLayout& l, int id) {
    const Box* box = l.PlaceOf(id);
    return box != nullptr ? *box : Box{};
}

TEST(ViewLayoutLegacy, TheLargeWindowsPanelsButtonsAndSmallColumn) {
    const ViewLayout l = ViewLayout::ComputeLegacy(801, 716, ViewLayout::BoardArea::WithPanels);
    EXPECT_TRUE(l.legacy);
    EXPECT_EQ(l.upperPanel, (Box{11, 104, 132, 169}));
    EXPECT_EQ(l.lowerPanel, (Box{11, 542, 132, 607}));
    EXPECT_EQ(l.buttonPanel, (Box{11, 368, 132, 430}));
    EXPECT_EQ(l.statusPanel, (Box{11, 214, 133, 320}));
    // Start opens the upper row, study the lower; 72 pixels from column to column.
    EXPECT_EQ(PlaceOf(l, control::kStart), (Box{259, 643, 323, 668}));
    EXPECT_EQ(PlaceOf(l, control::kLoad), (Box{619, 643, 683, 668}));
    EXPECT_EQ(PlaceOf(l, control::kStudy), (Box{259, 673, 323, 698}));
    EXPECT_EQ(PlaceOf(l, control::kSave), (Box{619, 673, 683, 698}));
    EXPECT_EQ(PlaceOf(l, control::kMoveNumbers), (Box{547, 673, 611, 698}));
    EXPECT_EQ(l.PlaceOf(control::kForcedCount), nullptr) << "the older hall has no forced counting";
    // The navigation panel: "T" in the middle of the five, the field and the step button below.
    EXPECT_EQ(PlaceOf(l, control::kFirst), (Box{13, 373, 35, 395}));
    EXPECT_EQ(PlaceOf(l, control::kTool), (Box{57, 373, 79, 395}));
    EXPECT_EQ(PlaceOf(l, control::kLast), (Box{101, 373, 123, 395}));
    EXPECT_EQ(PlaceOf(l, control::kStep), (Box{103, 402, 127, 423}));
    EXPECT_EQ(PlaceOf(l, control::kStepEdit), (Box{46, 404, 96, 422}));
    EXPECT_EQ(PlaceOf(l, control::kScreenshot), (Box{0, 658, 22, 680}));
    EXPECT_EQ(PlaceOf(l, control::kShowNumbers), PlaceOf(l, control::kHideNumbers));
    EXPECT_EQ(PlaceOf(l, control::kReferee).top, 934) << "below the visible area";
    // The turn marker's corner: the panel's middle, 126 pixels above its bottom.
    EXPECT_EQ(ViewLayout::TurnMarkerAt(l.lowerPanel), QPoint(71, 481));
    EXPECT_EQ(l.PanelArea(l.lowerPanel), QRect(11, 481, 121, 126));
}

TEST(ViewLayoutLegacy, TheSmallWindowLiftsTheColumn) {
    const ViewLayout small = ViewLayout::ComputeLegacy(600, 540, ViewLayout::BoardArea::WithPanels);
    EXPECT_EQ(small.upperPanel, (Box{11, 73, 132, 138}));
    EXPECT_EQ(small.statusPanel, (Box{11, 147, 133, 253}));
    EXPECT_EQ(PlaceOf(small, control::kStart), (Box{159, 473, 223, 498}));
    EXPECT_EQ(PlaceOf(small, control::kUndo), (Box{303, 503, 367, 528}));
    EXPECT_EQ(PlaceOf(small, control::kSmallBoard), (Box{0, 515, 22, 537}));
    EXPECT_EQ(PlaceOf(small, control::kShowNumbers).top, 636 - 165);
    const ViewLayout big = ViewLayout::ComputeLegacy(801, 716, ViewLayout::BoardArea::BoardAlone);
    EXPECT_EQ(PlaceOf(big, control::kSmallBoard), (Box{0, 680, 22, 702}));
}

// The board where the older hall's rules put it, worked by hand from its starting rectangles:
// (127, 5, W - 5, H - 74), or (5, 5, W - 5, H - 5) for the big board, made square, 10 pixels off
// the left and the bottom, then trimmed to 19 cells.
TEST(ViewLayoutLegacy, TheBoardLiesWhereTheOlderHallsRulesPutIt) {
    struct Case {
        int width, height;
        ViewLayout::BoardArea area;
        int left, top, cell;
    };
    for (const Case& c : {Case{801, 716, ViewLayout::BoardArea::WithPanels, 153, 5, 33},
                          Case{600, 540, ViewLayout::BoardArea::WithPanels, 155, 5, 23},
                          Case{801, 716, ViewLayout::BoardArea::BoardAlone, 70, 5, 36},
                          Case{600, 540, ViewLayout::BoardArea::BoardAlone, 52, 5, 27}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const BoardGeometry board = ViewLayout::ComputeLegacy(c.width, c.height, c.area).board;
        EXPECT_EQ(board.Square().left, c.left);
        EXPECT_EQ(board.Square().top, c.top);
        EXPECT_EQ(board.Cell(), c.cell);
        EXPECT_EQ(board.Square().width(), 19 * c.cell);
    }
}

}  // namespace
}  // namespace goview
