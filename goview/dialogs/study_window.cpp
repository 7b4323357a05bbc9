#include "goview/dialogs/study_window.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "goview/controls/control_id.h"
#include "goview/controls/gbutton.h"
#include "goview/resources/string_table.h"
#include "goview/view/board_ground.h"
#include "goview/view/c_game_view.h"
#include "goview/view/game_file.h"
#include "goview/view/match_panel.h"
#include "goview/view/picture_file.h"
#include "record/file_io.h"
#include "record/sgf_record.h"
#include "rules/score_text.h"
#include "study/study_controls.h"

namespace goview {
namespace {

namespace sc = study::control;
using Step = study::StudySession::Step;

constexpr int kStudyTemplate = 172;
constexpr const char* kSgfFilter = "SGF Files (*.sgf)|*.sgf|All Files (*.*)|*.*||";
constexpr int kStudyIcon = 5;

// The side buttons from the top; their pictures and tips depend on the switches and are set by
// ApplyButtons.
constexpr std::array<sc::Id, StudyLayout::kSideButtons> kSideOrder = {
    sc::kMoveNumbers, sc::kGrab, sc::kSynchronise, sc::kScreenshot, sc::kClearDead, sc::kAddBreakpoint,
    sc::kDeleteBreakpoint};
constexpr std::array<sc::Id, 4> kStepOrder = {sc::kFirst, sc::kPrevious, sc::kNext, sc::kLast};

constexpr PictureSet kGrabOff = {235, 396, 237, 395};
constexpr PictureSet kGrabOn = {237, 237, 237, 395};  // looks pressed
constexpr PictureSet kMarkingOff = {405, 407, 408, 406};
constexpr PictureSet kMarkingOn = {416, 415, 413, 414};

struct FixedButton {
    sc::Id id;
    PictureSet pictures;
    int tooltip;
};
constexpr FixedButton kFixedButtons[] = {
    {sc::kSynchronise, {390, 392, 393, 391}, strings::kTipRefresh},
    {sc::kScreenshot, {378, 380, 381, 379}, strings::kTipScreenshot},
    {sc::kAddBreakpoint, {386, 388, 389, 387}, strings::kTipAddBreakpoint},
    {sc::kDeleteBreakpoint, {219, 384, 221, 383}, strings::kTipDeleteBreakpoint},
    {sc::kFirst, {314, 316, 317, 315}, 0},
    {sc::kPrevious, {313, 312, 310, 311}, 0},
    {sc::kNext, {227, 320, 229, 319}, 0},
    {sc::kLast, {231, 324, 233, 323}, 0},
    {sc::kGoTo, {329, 328, 326, 327}, 0},
};

// The step buttons the older hall's skin serves from its files (the go-to button keeps its picture).
bool IsSkinnedStep(int id) { return std::find(kStepOrder.begin(), kStepOrder.end(), id) != kStepOrder.end(); }

}  // namespace

StudyWindow::StudyWindow(CGameView* view)
    : QDialog(view, Qt::Window), m_view(view), m_session(view->Settings().isShowStep != 0) {
    setWindowTitle(QStringLiteral("打谱"));
    SetControlId(this, kStudyTemplate);
    setModal(false);
    setSizeGripEnabled(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Everything is painted over: no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QImage icon = view->OwnResources().LoadPicture(kStudyIcon);
    if (!icon.isNull()) setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    BuildControls();
    ApplyButtons();
    move(0, 0);
    resize(800, 600);
    m_ready = true;
    ApplyLayout();
    hide();
}

void StudyWindow::BuildControls() {
    const auto resources = std::shared_ptr<const hall::ResourceModule>(&m_view->OwnResources(), [](auto*) {});
    auto add = [&](sc::Id id) {
        auto* button = new GButton(resources, this);
        SetControlId(button, id);
        // The arrow keys step through the game rather than from button to button.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
        return button;
    };
    for (sc::Id id : kSideOrder) add(id);
    for (sc::Id id : kStepOrder) add(id);
    add(sc::kGoTo);
    for (const FixedButton& b : kFixedButtons) {
        auto* button = FindControl<GButton>(this, b.id);
        // The older hall's skin serves the navigation buttons from its files.
        if (!IsSkinnedStep(b.id) || !m_view->ApplySkin(button, b.id)) {
            button->SetImages(b.pictures[0], b.pictures[1], b.pictures[2], b.pictures[3]);
        }
        if (b.tooltip != 0) button->SetToolTipString(b.tooltip, ToolTipActivation::Active);
    }
    m_skinnedNumbers = m_view->ApplySkin(FindControl<GButton>(this, sc::kMoveNumbers), sc::kMoveNumbers);
    m_breakpoints = new QListWidget(this);
    // 68 pixels hold "断点第%d手" at 11 pixels; a longer line is cut at its end (its tip holds it
    // whole) rather than scrolled sideways.
    QFont listFont = m_view->Fonts().panel;
    listFont.setPixelSize(11);
    m_breakpoints->setFont(listFont);
    m_breakpoints->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_breakpoints->setTextElideMode(Qt::ElideRight);
    SetControlId(m_breakpoints, sc::kBreakpoints);
    connect(m_breakpoints, &QListWidget::itemDoubleClicked, this, [this] { RestoreSelectedBreakpoint(); });
    m_moveField = new QLineEdit(this);
    m_moveField->setMaxLength(5);
    m_moveField->setAlignment(Qt::AlignCenter);
    SetControlId(m_moveField, sc::kMoveField);
    connect(m_moveField, &QLineEdit::returnPressed, this, [this] { OnCommand(sc::kGoTo); });
}

void StudyWindow::ApplyButtons() {
    auto set = [this](int id, const PictureSet& p, int tooltip) {
        auto* button = FindControl<GButton>(this, id);
        // The older hall's skin has one look for the move-number switch, from its files.
        if (id != sc::kMoveNumbers || !m_skinnedNumbers) button->SetImages(p[0], p[1], p[2], p[3]);
        if (tooltip != 0) button->SetToolTipString(tooltip, ToolTipActivation::Active);
    };
    const bool numbers = m_session.ShowMoveNumbers();
    set(sc::kMoveNumbers, numbers ? pictures::kNumbersShown : pictures::kNumbersHidden,
        numbers ? strings::kTipHideNumbers : strings::kTipShowNumbers);
    set(sc::kGrab, m_session.Grabbing() ? kGrabOn : kGrabOff, strings::kTipGrab);
    const bool marking = m_session.Marking();
    set(sc::kClearDead, marking ? kMarkingOn : kMarkingOff, marking ? strings::kTipUndoClearDead : strings::kTipClearDead);
    for (sc::Id id : kSideOrder) FindControl<QWidget>(this, id)->setEnabled(m_session.Enabled(id));
}

// ---- Layout ----

void StudyWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_ready) ApplyLayout();
}

void StudyWindow::ApplyLayout() {
    m_layout = StudyLayout::Compute(width(), height());
    m_stones.Load(m_view->StoneLibrary(), m_layout.board.StoneSize());
    auto place = [this](int id, const Box& box) { FindControl<QWidget>(this, id)->setGeometry(box.rect()); };
    for (size_t i = 0; i < kSideOrder.size(); ++i) place(kSideOrder[i], m_layout.sideButtons[i]);
    for (size_t i = 0; i < kStepOrder.size(); ++i) place(kStepOrder[i], m_layout.stepButtons[i]);
    place(sc::kBreakpoints, m_layout.breakpoints);
    place(sc::kMoveField, m_layout.moveField);
    place(sc::kGoTo, m_layout.goButton);
    update();
}

// ---- Commands ----

void StudyWindow::OpenStudy() {
    m_breakpoints->clear();
    m_session.Open(m_view->RecordHeader(), m_view->Game().SaveMoves(), m_view->GameResultText());
    ApplyButtons();
    setFocus();
    update();
}

void StudyWindow::OnCommand(sc::Id id) {
    if (QWidget* control = FindControl<QWidget>(this, id); control != nullptr && !control->isEnabled()) return;
    switch (id) {
        case sc::kMoveNumbers: m_session.ToggleMoveNumbers(); break;
        case sc::kGrab: m_session.ToggleGrab(); break;
        case sc::kClearDead: m_session.ToggleMarking(); break;
        case sc::kSynchronise:
            m_session.Synchronise(m_view->RecordHeader(), m_view->Game().SaveMoves(), m_view->GameResultText());
            break;
        case sc::kScreenshot: SaveScreenshot(); return;
        case sc::kAddBreakpoint: AddBreakpoint(); return;
        case sc::kDeleteBreakpoint: DeleteBreakpoint(); return;
        case sc::kFirst: Navigate(Step::First); return;
        case sc::kPrevious: Navigate(Step::Back); return;
        case sc::kNext: Navigate(Step::Forward); return;
        case sc::kLast: Navigate(Step::Last); return;
        case sc::kGoTo:
            if (m_session.GoTo(m_moveField->text().toStdString())) update();
            return;
        default: return;
    }
    ApplyButtons();
    update();
}

void StudyWindow::Navigate(Step step) {
    if (m_session.Navigate(step)) update();
}

void StudyWindow::AddBreakpoint() {
    const std::optional<std::string> line = m_session.AddBreakpoint();
    if (!line) return;
    m_breakpoints->addItem(QString::fromStdString(*line));
    m_breakpoints->item(m_breakpoints->count() - 1)->setToolTip(QString::fromStdString(*line));
    m_breakpoints->setCurrentRow(m_breakpoints->count() - 1);
}

void StudyWindow::DeleteBreakpoint() {
    const int row = m_breakpoints->currentItem() != nullptr ? m_breakpoints->currentRow() : -1;
    const std::optional<int> next = m_session.DeleteBreakpoint(row);
    if (!next) return;
    delete m_breakpoints->takeItem(row);
    m_breakpoints->setCurrentRow(*next);
}

void StudyWindow::RestoreSelectedBreakpoint() {
    const int row = m_breakpoints->currentItem() != nullptr ? m_breakpoints->currentRow() : -1;
    if (m_session.RestoreBreakpoint(row)) update();
}

void StudyWindow::SaveScreenshot() {
    // The window as it stands; a pending repaint is not waited for.
    SavePictureAs(m_view->Prompts(), this, grab().toImage(), m_view->DataFolder());
}

// ---- SGF ----

void StudyWindow::ChooseSgfToExport() {
    const QString path = m_view->Prompts().ChooseSaveFile(this, SaveDialogRequest(kSgfFilter, "sgf", m_view->DataFolder()));
    if (!path.isEmpty()) ExportSgf(path);
}

void StudyWindow::ChooseSgfToImport() {
    FileRequest request;
    request.filter = QString::fromUtf8(kSgfFilter);
    request.defaultExtension = QStringLiteral("sgf");
    request.startFolder = m_view->DataFolder();
    const QString path = m_view->Prompts().ChooseOpenFile(this, request);
    if (!path.isEmpty()) ImportSgf(path);
}

bool StudyWindow::ExportSgf(const QString& path) {
    const std::string text = go::WriteSgf(m_session.AsSgf());
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    return WriteFileOrSay(m_view->Prompts(), this, path, {data, text.size()});
}

bool StudyWindow::ImportSgf(const QString& path) {
    const std::optional<std::vector<uint8_t>> bytes = ReadGameFile(m_view->Prompts(), this, path);
    if (!bytes) return false;
    const go::RecordFromSgfResult record =
        go::RecordFromSgf(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!record.ok) {
        m_view->Prompts().ShowMessage(this, QString::fromStdString(record.message), MessageIcon::Stop);
        return false;
    }
    m_breakpoints->clear();
    m_session.Open(record.header, record.moveBytes, record.result);
    ApplyButtons();
    update();
    if (!record.message.empty()) {
        m_view->Prompts().ShowMessage(this, QString::fromStdString(record.message), MessageIcon::Information);
    }
    return true;
}

// ---- Painting ----

const QImage& StudyWindow::Layer() {
    const ViewPictures& p = m_view->Pictures();
    const Box& square = m_layout.board.Square();
    // Everything the layer is made of, mixed into one key.
    quint64 key = 1469598103934665603ULL;
    auto mix = [&key](quint64 value) { key = (key ^ value) * 1099511628211ULL; };
    for (const qint64 picture : {p.background.image().cacheKey(), p.wood.image().cacheKey(), p.buttonPanel.image().cacheKey()}) {
        mix(static_cast<quint64>(picture));
    }
    for (const hall::CImage& border : p.borders) mix(static_cast<quint64>(border.image().cacheKey()));
    for (const int value : {square.left, square.top, m_layout.board.Cell(), width(), height(),
                            m_view->Fonts().coordinate.pixelSize()}) {
        mix(static_cast<quint64>(static_cast<uint32_t>(value)));
    }
    if (key == m_layerKey && m_layer.size() == size()) return m_layer;
    m_layerKey = key;
    m_layer = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&m_layer);
    p.background.Tile(painter, rect());
    PaintBoardGround(painter, m_layout.board, p.wood, p.borders, m_view->Fonts().coordinate);
    p.buttonPanel.Draw(painter, m_layout.navigation.left, m_layout.navigation.top);
    m_frame = QImage();  // the frame was made from another layer
    return m_layer;
}

void StudyWindow::RenderFrame() {
    const QImage& layer = Layer();
    const bool fresh = m_frame.size() != layer.size();
    if (fresh) m_frame = layer.copy();
    const BoardScene scene{&m_session.Board().position(), &m_session.Count(),
                           m_session.Marking() ? BoardShows::Count : BoardShows::Stones, m_session.ShowMoveNumbers(), -1};
    m_content.Draw(m_frame, layer, m_layout.board, scene,
                   BoardInk{&m_stones, m_view->Fonts().moveNumber, &m_view->Pictures().digits}, fresh);
}

void StudyWindow::PaintScores(QPainter& painter) {
    if (!m_session.ScoreShown()) return;
    const QFont& font = m_view->Fonts().panel;
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 0));
    const int ascent = QFontMetrics(font).ascent();
    const int x = m_layout.navigation.left;
    const int y = m_layout.navigation.top - 45;
    painter.drawText(QPoint(x, y + ascent), QString::fromStdString(go::BlackCountText(m_session.BlackScore())));
    painter.drawText(QPoint(x, y + 20 + ascent), QString::fromStdString(go::WhiteCountText(m_session.WhiteScore())));
}

void StudyWindow::paintEvent(QPaintEvent*) {
    if (!m_ready) return;
    // One off-screen frame, copied in one piece; the score lines go over it.
    RenderFrame();
    QPainter painter(this);
    painter.drawImage(0, 0, m_frame);
    PaintScores(painter);
}

QImage StudyWindow::ClientAreaPicture() {
    QImage picture(size(), QImage::Format_RGB32);
    render(&picture);
    return picture;
}

// ---- Mouse, keys and the wheel ----

void StudyWindow::UpdateCursor(const QPoint& position) {
    int x = 0;
    int y = 0;
    const bool onBoard = m_layout.board.PointAt(position.x(), position.y(), x, y);
    setCursor(onBoard ? m_view->BoardCursor() : QCursor(Qt::ArrowCursor));
}

void StudyWindow::mouseMoveEvent(QMouseEvent* event) {
    UpdateCursor(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

void StudyWindow::mouseReleaseEvent(QMouseEvent* event) {
    UpdateCursor(event->position().toPoint());
    QDialog::mouseReleaseEvent(event);
}

void StudyWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    UpdateCursor(position);
    int x = 0;
    int y = 0;
    if (m_ready && m_layout.board.PointAt(position.x(), position.y(), x, y)) {
        const bool changed = event->button() == Qt::LeftButton    ? m_session.LeftClick(x, y)
                             : event->button() == Qt::RightButton ? m_session.RightClick(x, y)
                                                                  : false;
        if (changed) update();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void StudyWindow::keyPressEvent(QKeyEvent* event) {
    std::optional<Step> step;
    switch (event->key()) {
        case Qt::Key_Left: step = Step::Back; break;
        case Qt::Key_Right: step = Step::Next; break;
        case Qt::Key_Home: step = Step::First; break;
        case Qt::Key_End: step = Step::Last; break;
        case Qt::Key_PageUp: step = Step::TenBack; break;
        case Qt::Key_PageDown: step = Step::TenForward; break;
        default: break;
    }
    if (event->matches(QKeySequence::Save)) {
        ChooseSgfToExport();
        return;
    }
    if (event->matches(QKeySequence::Open)) {
        ChooseSgfToImport();
        return;
    }
    // Keys typed into the move field or the list are theirs.
    if (!step || m_moveField->hasFocus() || m_breakpoints->hasFocus()) {
        QDialog::keyPressEvent(event);
        return;
    }
    Navigate(*step);
}

void StudyWindow::wheelEvent(QWheelEvent* event) {
    const QPoint position = event->position().toPoint();
    int x = 0;
    int y = 0;
    m_wheelTurn += event->angleDelta().y();
    if (!m_layout.board.PointAt(position.x(), position.y(), x, y)) {
        m_wheelTurn = 0;
        QDialog::wheelEvent(event);
        return;
    }
    // One move a notch, away from the player going back.
    for (; m_wheelTurn >= 120; m_wheelTurn -= 120) Navigate(Step::Back);
    for (; m_wheelTurn <= -120; m_wheelTurn += 120) Navigate(Step::Next);
    event->accept();
}

void StudyWindow::contextMenuEvent(QContextMenuEvent* event) {
    int x = 0;
    int y = 0;
    // The right button on the board belongs to marking.
    if (m_layout.board.PointAt(event->pos().x(), event->pos().y(), x, y)) return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("存为SGF棋谱…"), this, [this] { ChooseSgfToExport(); });
    menu.addAction(QStringLiteral("打开SGF棋谱…"), this, [this] { ChooseSgfToImport(); });
    menu.exec(event->globalPos());
}

}  // namespace goview
