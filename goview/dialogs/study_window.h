#pragma once

#include <QDialog>
#include <QImage>
#include <array>

#include "goview/dialogs/study_layout.h"
#include "goview/view/board_content_painter.h"
#include "goview/view/stone_pictures.h"
#include "study/study_session.h"

class QListWidget;
class QLineEdit;

namespace goview {

class CGameView;
class GButton;

// The study window ("打谱"): a board of its own beside the live game, on which a player steps
// through the game, plays variations, goes back to any stone's move, keeps breakpoints, marks
// dead stones with the score shown, saves a picture, and exchanges the game as SGF. Created
// hidden with the view, whose pictures, fonts, cursor and stone library it draws with; closing it
// only hides it. What a press or click does is the StudySession's; the window keeps to pixels,
// controls and files.
class StudyWindow : public QDialog {
    Q_OBJECT

public:
    explicit StudyWindow(CGameView* view);

    // Shows the live game from its last move, with the breakpoints emptied (run by the view
    // after showing the window).
    void OpenStudy();
    // The press of one of the window's buttons.
    void OnCommand(study::control::Id control);
    // The double click on a breakpoint line: restores the selected one.
    void RestoreSelectedBreakpoint();
    // Writes the study board's game with every breakpoint as a variation; false (said) when it
    // could not be written.
    bool ExportSgf(const QString& path);
    // Loads the main line of an SGF file onto the study board; false (said) when refused.
    bool ImportSgf(const QString& path);

    const study::StudySession& Session() const { return m_session; }
    const StudyLayout& Layout() const { return m_layout; }
    // The client area as one paint shows it, score lines included.
    QImage ClientAreaPicture();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildControls();
    void ApplyLayout();
    // Pictures, tips and enabled states of the buttons as the session's switches stand.
    void ApplyButtons();
    void UpdateCursor(const QPoint& position);
    void Navigate(study::StudySession::Step step);
    void AddBreakpoint();
    void DeleteBreakpoint();
    void SaveScreenshot();
    void ChooseSgfToExport();
    void ChooseSgfToImport();
    const QImage& Layer();
    void RenderFrame();
    void PaintScores(QPainter& painter);

    CGameView* m_view;
    study::StudySession m_session;
    StudyLayout m_layout;
    StonePictures m_stones;
    bool m_ready = false;
    bool m_skinnedNumbers = false;  // the move-number switch shows the older hall's skin
    int m_wheelTurn = 0;  // the wheel's turn not yet a whole notch

    QImage m_layer;           // backgrounds, the bare board and the navigation box
    quint64 m_layerKey = 0;   // of the pictures and the geometry the layer was made with
    QImage m_frame;
    BoardContentPainter m_content;

    QListWidget* m_breakpoints = nullptr;
    QLineEdit* m_moveField = nullptr;
};

}  // namespace goview
