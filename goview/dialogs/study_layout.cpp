#include "goview/dialogs/study_layout.h"

#include <algorithm>

namespace goview {

StudyLayout StudyLayout::Compute(int w, int h) {
    StudyLayout l;
    l.board = BoardGeometry::Fit(Box{10, 10, w - kStripWidth, h - 10});
    l.strip = Box{w - kStripWidth, 0, w, h};
    l.navigation = Box{w - 125, h - 80, w - 125 + 120, h - 80 + 68};

    const int buttonLeft = l.strip.left + (l.strip.width() - 68) / 2;
    int y = 20;
    for (Box& button : l.sideButtons) {
        button = Box{buttonLeft, y, buttonLeft + 68, y + 30};
        y += 33;
    }
    // The list takes what is left down to 60 pixels above the navigation box, never less than
    // nothing.
    l.breakpoints = Box{buttonLeft, y, buttonLeft + 68, std::max(y, l.navigation.top - 60)};

    const Box& n = l.navigation;
    const int offsets[4] = {2, 24, 46, 68};
    for (int i = 0; i < 4; ++i) {
        l.stepButtons[i] = Box{n.left + offsets[i], n.top + 5, n.left + offsets[i] + 22, n.top + 5 + 22};
    }
    l.moveField = Box{n.left + 35, n.top + 40, n.left + 35 + 50, n.top + 40 + 18};
    l.goButton = Box{n.left + 88, n.top + 38, n.left + 88 + 26, n.top + 38 + 21};
    return l;
}

}  // namespace goview
