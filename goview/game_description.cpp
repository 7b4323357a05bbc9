#include "goview/game_description.h"

#include "sdk/kit/code_page.h"

namespace goview {

void FillGameDescription(GameDescription& d, int maximisedWidth, const ViewProfile& profile) {
    const int w = maximisedWidth;
    const bool narrow = w < 1000;
    d.kind = profile.descriptionKind;
    hall::CopyGbkTruncated(d.shortName, sizeof d.shortName, QStringLiteral("Go"));
    hall::CopyGbkTruncated(d.displayName, sizeof d.displayName, QStringLiteral("围棋"));
    d.layoutEnabled = 1;
    d.layoutHint0 = 0;
    d.layoutHint1 = narrow ? w - 593 : w - 700;
    d.layoutHint2 = 150;
    d.layoutHint3 = narrow ? w - 550 : w - 660;
    hall::CopyGbkTruncated(d.helpAddress, sizeof d.helpAddress, QStringLiteral("https://senseis.xmp.net/?BasicRulesOfGo"));
}

}  // namespace goview
