// CGameView: what a paint shows, gathered from the board, the match values and the hall.

#include <QPainter>
#include <QPaintEvent>

#include "goview/resources/string_table.h"
#include "goview/view/c_game_view.h"
#include "rules/score_text.h"

namespace goview {

void CGameView::paintEvent(QPaintEvent*) {
    if (!m_setUp) return;
    // One off-screen frame per paint, copied in one piece: nothing flickers.
    QImage& frame = RenderFrame();
    QPainter window(this);
    window.drawImage(0, 0, frame);
    // The hall's seat pictures draw themselves; the seat areas were left free for them.
    QPainter offscreen(&frame);
    for (int seat : {1, 0}) {
        auto* picture = static_cast<::SeatPicture*>(m_seats[seat].picture);
        if (picture != nullptr && picture->vtbl != nullptr && picture->vtbl->Draw != nullptr) {
            picture->vtbl->Draw(picture, &offscreen);
        }
    }
}

void CGameView::PaintClientArea(QPainter& painter) { painter.drawImage(0, 0, RenderFrame()); }

QImage& CGameView::RenderFrame() {
    // Both scores are counted on every paint, shown or not: the recounts are what commit an
    // owner override of the count.
    const match::ScorePair scores = m_match.DisplayedScores();
    PaintContent content = ContentForPaint();
    content.blackScoreLine = QString::fromStdString(go::BlackCountText(scores.black));
    content.whiteScoreLine = QString::fromStdString(go::WhiteCountText(scores.white));
    return m_painter.Render(size(), content, m_pictures, m_fonts);
}

PaintContent CGameView::ContentForPaint() const {
    PaintContent content;
    content.layout = &m_layout;
    content.scene.position = &m_game.position();
    content.scene.count = &m_count;
    const match::MatchState state = m_match.state();
    content.scene.shows = state == match::MatchState::MarkingDead ? BoardShows::Count
                          : state == match::MatchState::WaitingForSetup ? BoardShows::Nothing
                                                                       : BoardShows::Stones;
    content.scene.showMoveNumbers = m_settings.isShowStep != 0;
    content.hasTable = m_port->Facts().HasTable();
    content.scene.countdownOnMarker = m_match.lastTenSeconds() ? m_match.periodLeft() : -1;
    const go::StoneColor local = m_match.localColor();
    content.lower = PanelFor(local);
    content.upper = PanelFor(go::Opponent(local));

    const int stateText = state == match::MatchState::WaitingForSetup ? strings::kStateWaiting
                          : state == match::MatchState::GameOver      ? strings::kStateOver
                                                                      : strings::kStatePlaying;
    const go::GameRules& rules = m_match.currentRules();
    content.statusLines = {StringOrEmpty(stateText), QString::fromStdString(go::HandicapAndKomiText(rules)),
                           QString::fromStdString(go::ByoyomiText(rules)),
                           QString::fromStdString(go::MainTimeText(rules))};
    content.scoreShown = m_match.scoreShown();
    return content;
}

PanelContent CGameView::PanelFor(go::StoneColor color) const {
    PanelContent panel;
    panel.color = color;
    const bool local = color == m_match.localColor();
    if (m_port->Facts().HasTable()) {
        const std::optional<match::SeatUserFacts> user = m_port->Facts().SeatUser(m_match.SeatOfColor(color));
        panel.name = user ? QString::fromStdString(user->name) : QString();
    } else {
        // A loaded record or a free board: the names and faces belong to the colours.
        panel.name = m_seats[color].name;
        panel.face = &m_seats[color].facePicture;
    }
    const match::MatchState state = m_match.state();
    const bool counting = state == match::MatchState::MarkingDead;
    const go::Position& position = m_game.position();
    panel.prisoners = color == go::kBlack ? position.whiteCaptured() + (counting ? m_count.deadWhite() : 0)
                                          : position.blackCaptured() + (counting ? m_count.deadBlack() : 0);
    const bool running = state == match::MatchState::Playing || counting;
    panel.toMove = running && m_game.GetSideToMove() == color;

    panel.clock = m_match.SeatClock(local);
    return panel;
}

}  // namespace goview
