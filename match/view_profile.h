#pragma once

namespace match {

// Where the builds of the view differ. The entry code picks one; the view reads it where the
// behaviour differs instead of forking classes.
struct ViewProfile {
    enum class PassRule { CostsAPoint, ThreePerGame };
    enum class SkinSource { Resources, ImageFiles };
    enum class SystemText { HallText, HtmlLines };
    // Who is warned before leaving: a player of a running game with moves, or (the older hall)
    // anyone at a table with ten moves played, and again while the match runs.
    enum class Leaving { PlayersInAGame, MovesThenMatch };
    // The toolbar under the board with the compact variant for small screens, or the older
    // hall's fixed panels for its two window sizes with the buttons in two rows beneath.
    enum class Layout { Toolbar, LegacyPanels };

    int descriptionKind = 2;            // the `kind` written into the game description
    bool compactTestsHeight = true;     // compact when the screen is narrow or low (else narrow only)
    bool regionStartButton = true;      // Start shaped by its picture, and the forced-counting button
    bool forcedCounting = true;
    PassRule passRule = PassRule::CostsAPoint;
    bool passAnnouncements = true;
    bool drawLimitMessage = true;
    SkinSource skinSource = SkinSource::Resources;
    SystemText systemText = SystemText::HallText;
    // An arriving stone the rules refuse is answered with an error text and a refusal, so that
    // the hall sends the table again (otherwise the next snapshot brings the boards together).
    bool answerRefusedStone = false;
    Leaving leaving = Leaving::PlayersInAGame;
    Layout layout = Layout::Toolbar;

    // The current plug-in.
    static ViewProfile Current() { return {}; }
    // The earlier builds: no forced counting, three passes a game without a question, no pass
    // announcements and no deduction for them, Start an ordinary button, compact by width only.
    static ViewProfile EarlierBuild() {
        ViewProfile profile;
        profile.descriptionKind = 3;
        profile.compactTestsHeight = false;
        profile.regionStartButton = false;
        profile.forcedCounting = false;
        profile.passRule = PassRule::ThreePerGame;
        profile.passAnnouncements = false;
        return profile;
    }
    // The legacy plug-in of the older hall: the earlier builds' rules of play, the draw offers
    // simply running out, skins from image files, system lines as HTML and its own layout.
    static ViewProfile Legacy() {
        ViewProfile profile = EarlierBuild();
        profile.drawLimitMessage = false;
        profile.skinSource = SkinSource::ImageFiles;
        profile.systemText = SystemText::HtmlLines;
        profile.answerRefusedStone = true;
        profile.leaving = Leaving::MovesThenMatch;
        profile.layout = Layout::LegacyPanels;
        return profile;
    }
};

}  // namespace match
