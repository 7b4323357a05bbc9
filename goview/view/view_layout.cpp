#include "goview/view/view_layout.h"

#include "match/control_ids.h"

namespace goview {
namespace {

namespace control = match::control;

// The twelve buttons in their places, two rows of six, left to right (the forced-counting
// button is not an image button, and the older hall's Start takes its place).
constexpr std::array<int, ViewLayout::kToolbarButtons> kToolbarOrder = {
    control::kForcedCount, control::kPass,   control::kDraw, control::kClearDead, control::kBigBoard,     control::kLoad,
    control::kStudy,       control::kResign, control::kUndo, control::kContinue,  control::kMoveNumbers, control::kSave,
};
constexpr std::array<int, ViewLayout::kToolbarButtons> kLegacyButtonOrder = {
    control::kStart, control::kPass,   control::kDraw, control::kClearDead, control::kBigBoard,     control::kLoad,
    control::kStudy, control::kResign, control::kUndo, control::kContinue,  control::kMoveNumbers, control::kSave,
};

}  // namespace

ViewLayout ViewLayout::Compute(int cw, int ch, BoardArea area, Panels panels) {
    const bool bigBoard = area == BoardArea::BoardAlone;
    const bool compact = panels == Panels::Compact;
    ViewLayout l;
    l.bigBoard = bigBoard;
    l.compact = compact;
    const int n = compact ? 0 : 1;

    // Bottom bar with the toolbar centred in it.
    if (!bigBoard) {
        l.bottomBar = Box{125, ch - 90, cw - 5, ch - 5};
        const int left = l.bottomBar.left + (l.bottomBar.width() - kToolbarWidth) / 2;
        const int top = l.bottomBar.top + (l.bottomBar.height() - kToolbarHeight) / 2;
        l.toolbar = Box{left, top, left + kToolbarWidth, top + kToolbarHeight};
    }

    // The board in its first guess.
    l.board = BoardGeometry::Fit(bigBoard ? Box{10, 10, cw - 10, ch - 10} : Box{130, 10, cw - 10, l.bottomBar.top - 5});

    if (!bigBoard) {
        // Two rows of six buttons, the fourth column wider; Start sits left of the toolbar.
        for (int row = 0; row < 2; ++row) {
            int x = l.toolbar.left + 4;
            const int y = l.toolbar.top + 4 + 30 * row;
            for (int column = 0; column < 6; ++column) {
                const int width = column == 3 ? 95 : 68;
                l.toolbarButtons[row * 6 + column] = Box{x, y, x + width, y + 30};
                x += width;
            }
        }
        l.startButton = Box{l.toolbar.left - 58, l.toolbar.top, l.toolbar.left - 58 + 56, l.toolbar.top + 70};
        for (size_t i = 0; i < kToolbarOrder.size(); ++i) l.placements.push_back({kToolbarOrder[i], l.toolbarButtons[i]});
        l.placements.push_back({control::kStart, l.startButton});
    }

    // The left strip and its panels.
    l.strip = Box{0, 0, 120, bigBoard ? ch : l.bottomBar.top};
    const int h = l.strip.height();
    const int panelHeight = 163 + 43 * n;
    l.upperPanel = Box{2, h / 2 - 216, 122, h / 2 - 216 + panelHeight};
    l.lowerPanel = Box{2, h / 2 - 30 * n + 40, 122, h / 2 - 30 * n + 40 + panelHeight};
    const int buttonTop = l.strip.bottom - 70 * n - 18;
    l.buttonPanel = Box{2, buttonTop, 122, buttonTop + 68};
    const int statusTop =
        compact ? l.upperPanel.bottom + (l.lowerPanel.top - l.upperPanel.bottom - 80) / 2 : 2;
    l.statusPanel = Box{2, statusTop, 122, statusTop + 80};

    if (!bigBoard) {
        // The small buttons of the button panel: navigation on the first row, the move-number
        // field with its step button, the screenshot and the move-number switch on the second.
        const Box& panel = l.buttonPanel;
        const int row1 = panel.top + 8;
        const int row2 = panel.top + 36;
        const int ids[] = {control::kFirst, control::kPrevious, control::kNext, control::kLast, control::kTool};
        for (int i = 0; i < 5; ++i) {
            const int x = panel.left + 4 + 23 * i;
            l.placements.push_back({ids[i], Box{x, row1, x + 22, row1 + 22}});
        }
        l.placements.push_back({control::kStepEdit, Box{panel.left + 4, row2, panel.left + 40, row2 + 21}});
        l.placements.push_back({control::kStep, Box{panel.left + 42, row2, panel.left + 66, row2 + 21}});
        l.placements.push_back({control::kScreenshot, Box{panel.left + 70, row2, panel.left + 92, row2 + 22}});
        l.placements.push_back({control::kShowNumbers, Box{panel.left + 96, row2, panel.left + 118, row2 + 22}});
        l.placements.push_back({control::kHideNumbers, Box{panel.left + 96, row2, panel.left + 118, row2 + 22}});
        // Right of the toolbar: the big-board switch and the referee.
        const Box& bar = l.toolbar;
        l.placements.push_back({control::kBigBoardSmall, Box{bar.right + 8, bar.top + 4, bar.right + 30, bar.top + 26}});
        l.placements.push_back({control::kReferee, Box{bar.right + 8, bar.top + 36, bar.right + 52, bar.top + 58}});
    }
    l.placements.push_back({control::kSmallBoard, Box{2, ch - 26, 24, ch - 4}});
    return l;
}

ViewLayout ViewLayout::ComputeLegacy(int cw, int ch, BoardArea area) {
    const bool bigBoard = area == BoardArea::BoardAlone;
    const bool large = cw > 600;
    ViewLayout l;
    l.bigBoard = bigBoard;
    l.legacy = true;
    // The first guess, then the same fitting as the other layouts (it takes the 10 pixels off
    // the left and the bottom and trims to 19 cells). The older hall's board is exactly there,
    // even where its letters then run under the first row of buttons.
    l.board = BoardGeometry::Fit(bigBoard ? Box{5, 5, cw - 5, ch - 5} : Box{127, 5, cw - 5, ch - 74});
    const int firstRow = large ? 643 : 473;

    l.upperPanel = large ? Box{11, 104, 132, 169} : Box{11, 73, 132, 138};
    l.lowerPanel = large ? Box{11, 542, 132, 607} : Box{11, 392, 132, 457};
    l.buttonPanel = large ? Box{11, 368, 132, 430} : Box{11, 261, 132, 323};
    l.statusPanel = large ? Box{11, 214, 133, 320} : Box{11, 147, 133, 253};

    // Two rows of six 64 x 25 buttons.
    const int rows[] = {firstRow, large ? 673 : 503};
    const int firstColumn = large ? 259 : 159;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 6; ++column) {
            const int x = firstColumn + 72 * column;
            l.toolbarButtons[row * 6 + column] = Box{x, rows[row], x + 64, rows[row] + 25};
        }
    }
    l.startButton = l.toolbarButtons[0];
    for (size_t i = 0; i < kLegacyButtonOrder.size(); ++i) l.placements.push_back({kLegacyButtonOrder[i], l.toolbarButtons[i]});

    // The navigation panel: first, previous, "T", next and last 5 pixels below its top, the
    // move-number field and the step button under them.
    const Box& panel = l.buttonPanel;
    const int top = panel.top + 5;
    const std::pair<int, int> navigation[] = {{control::kFirst, 2}, {control::kPrevious, 24}, {control::kTool, 46},
                                              {control::kNext, 68}, {control::kLast, 90}};
    for (const auto& [id, dx] : navigation) l.placements.push_back({id, Box{panel.left + dx, top, panel.left + dx + 22, top + 22}});
    l.placements.push_back({control::kStep, Box{panel.left + 92, panel.top + 34, panel.left + 116, panel.top + 55}});
    l.placements.push_back({control::kStepEdit, Box{panel.left + 35, panel.top + 36, panel.left + 85, panel.top + 54}});

    // The small square buttons down the left edge, in every mode; the referee's lies below the
    // visible area.
    const int lift = large ? 0 : 165;
    const std::pair<int, int> column[] = {{control::kSmallBoard, 680},  {control::kBigBoardSmall, 680},
                                          {control::kScreenshot, 658},  {control::kShowNumbers, 636},
                                          {control::kHideNumbers, 636}};
    for (const auto& [id, y] : column) l.placements.push_back({id, Box{0, y - lift, 22, y - lift + 22}});
    l.placements.push_back({control::kReferee, Box{0, 934, 44, 956}});
    return l;
}

QRect ViewLayout::PanelArea(const Box& panel) const {
    if (!legacy) return panel.rect();
    const int top = TurnMarkerAt(panel).y();
    return QRect(panel.left, top, panel.width(), panel.bottom - top);
}

const Box* ViewLayout::PlaceOf(int id) const {
    for (const Placement& placement : placements) {
        if (placement.id == id) return &placement.box;
    }
    return nullptr;
}

Box ViewLayout::SeatFrame(const Box& panel) const {
    // Above the panel, left of the turn marker.
    if (legacy) return Box{panel.left + 4, panel.top - 62, panel.left + 54, panel.top - 2};
    // Centred on the panel from its top, where the panel's picture has its round socket for a
    // face: the hall's seat picture sits where a record's face does.
    const int width = compact ? 50 : 70;
    const int height = compact ? 70 : 120;
    const int left = panel.left + (panel.width() - width) / 2;
    return Box{left, panel.top + 2, left + width, panel.top + 2 + height};
}

}  // namespace goview
