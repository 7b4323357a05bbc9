// CGameView: construction, set-up on first show, the timer events, and the controls' commands.

#include "goview/view/c_game_view.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPaintEvent>
#include <QScreen>

#include "goview/controls/control_id.h"
#include "goview/controls/gbutton.h"
#include "goview/dialogs/rules_dialog.h"
#include "goview/dialogs/study_window.h"
#include "goview/resources/string_table.h"
#include "goview/view/match_panel.h"
#include "goview/view/qt_prompter.h"
#include "goview/view/screen_metrics.h"
#include "goview/view/skin_files.h"
#include "sdk/widgetkit/cool_button_ex.h"
#include "sdk/widgetkit/rgn_button.h"

namespace goview {
namespace {

// A timer message travelling from the TickTimer worker to the view.
class TickEvent : public QEvent {
public:
    TickEvent(int message, std::shared_ptr<TickDelivery> delivery)
        : QEvent(static_cast<QEvent::Type>(message)), m_delivery(std::move(delivery)) {}
    ~TickEvent() override {
        // An event dropped unhandled (its view went away) must not leave the worker waiting.
        if (m_delivery) m_delivery->Cancel();
    }
    std::shared_ptr<TickDelivery> TakeDelivery() { return std::move(m_delivery); }

private:
    std::shared_ptr<TickDelivery> m_delivery;
};

bool IsTickEvent(const QEvent* event) {
    return event->type() == static_cast<QEvent::Type>(kClockTickMessage) ||
           event->type() == static_cast<QEvent::Type>(kStartCountdownMessage);
}

}  // namespace

CGameView::CGameView(HallSite* hall, ViewProfile profile, std::shared_ptr<const hall::ResourceModule> ownResources,
                     std::shared_ptr<Prompter> prompter, const ViewLibraries& libraries)
    : CGameView(std::make_unique<HallSiteLink>(hall), profile, std::move(ownResources), std::move(prompter),
                libraries) {}

CGameView::CGameView(std::unique_ptr<HallPort> port, ViewProfile profile,
                     std::shared_ptr<const hall::ResourceModule> ownResources, std::shared_ptr<Prompter> prompter,
                     const ViewLibraries& libraries)
    : QWidget(nullptr),
      m_port(std::move(port)),
      m_siteLink(dynamic_cast<HallSiteLink*>(m_port.get())),
      m_profile(profile),
      m_ownResources(ownResources ? std::move(ownResources) : std::make_shared<hall::ResourceModule>()),
      m_prompter(prompter ? std::move(prompter) : std::make_shared<QtPrompter>(m_ownResources)),
      m_faceBase(libraries.faceBase),
      m_match(m_game, m_count, m_port->Facts(), profile) {
    setWindowTitle(QStringLiteral("CGameView"));
    SetControlId(this, 2);
    setGeometry(0, 0, 20, 20);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);  // the arrow keys step through the game

    if (libraries.bothOrNothing) {
        // The face library first; without both nothing more is taken, and the view opens with
        // the settings' start values, no stone pictures and no faces.
        m_faceLibrary = hall::ResourceModule::Open(libraries.faces);
        if (m_faceLibrary) m_stoneLibrary = hall::ResourceModule::Open(libraries.stones);
        if (!m_stoneLibrary) {
            m_faceLibrary.reset();
            m_prompter->ShowMessage(nullptr, libraries.failureText, MessageIcon::Stop);
            SyncPreferences();
            return;
        }
    } else {
        m_stoneLibrary = hall::ResourceModule::Open(libraries.stones);
        if (!m_stoneLibrary) m_prompter->ShowMessage(nullptr, libraries.failureText, MessageIcon::Stop);
        // The face pictures live in a library the hall shares; a table without it shows no faces.
        m_faceLibrary = hall::ResourceModule::Open(libraries.faces);
    }

    // The settings are taken even without the stone pictures, so that the view behaves the same
    // whatever failed to load (the match starts with its start values in any case).
    m_settings = ReadViewSettings();
    m_port->ShowUserInOut(static_cast<int>(m_settings.showUserInOut));
    SyncPreferences();
}

bool CGameView::ApplySkin(GButton* button, int controlId) const {
    if (m_profile.skinSource != ViewProfile::SkinSource::ImageFiles) return false;
    const std::optional<std::array<const char*, 4>> files = SkinFilesOf(controlId);
    if (!files) return false;
    std::array<QString, 4> paths;
    for (size_t i = 0; i < paths.size(); ++i) paths[i] = m_port->SkinFile((*files)[i]);
    button->SetImageFiles(paths);
    return true;
}

void CGameView::SyncPreferences() {
    m_match.SetPreferences(match::MatchPreferences{m_settings.isSound != 0, m_settings.saveInfo != 0});
}

CGameView::~CGameView() {
    // First of all: no tick may arrive while the view comes apart.
    m_ticks.Stop();
}

void CGameView::AttachToParent(QWidget* parent) {
    setParent(parent);
    m_dataFolder = m_port->DataFolder();
    setVisible(true);
}

// ---- Timer events ----

void CGameView::Deliver(int message, std::shared_ptr<TickDelivery> delivery) {
    QCoreApplication::postEvent(this, new TickEvent(message, std::move(delivery)));
}

bool CGameView::event(QEvent* event) {
    if (event->type() == static_cast<QEvent::Type>(kRulesDialogResultEvent)) {
        OnRulesDialogResult(static_cast<int>(static_cast<RulesDialogResultEvent*>(event)->Choice()));
        return true;
    }
    if (!IsTickEvent(event)) return QWidget::event(event);
    auto* tick = dynamic_cast<TickEvent*>(event);
    const std::shared_ptr<TickDelivery> delivery = tick != nullptr ? tick->TakeDelivery() : nullptr;
    if (!delivery || !delivery->IsCancelled()) HandleTimerMessage(static_cast<int>(event->type()));
    if (delivery) delivery->Complete();
    return true;
}

void CGameView::HandleTimerMessage(int message) {
    if (message == kStartCountdownMessage) Carry(m_match.OnStartCountdownTick());
    if (message == kClockTickMessage) Carry(m_match.OnClockTick());
}

// ---- Set-up on first show ----

void CGameView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_setUp) SetUp();
}

void CGameView::SetUp() {
    m_setUp = true;
    // The older hall's layout has no variant for small screens.
    m_compactLayout = m_profile.layout == ViewProfile::Layout::Toolbar &&
                      IsCompactScreen(MaximisedScreenSize(), m_profile.compactTestsHeight);
    LoadPanelPictures();
    LoadBoardPicture();
    LoadFonts();
    BuildMatchPanel();
    if (!m_ownResources->LoadCursor(pictures::kBoardCursor, m_boardCursor)) m_boardCursor = QCursor(Qt::ArrowCursor);
    ApplyMoveNumberControls();
    m_studyWindow = new StudyWindow(this);
    m_rulesDialog = new RulesDialog(m_ownResources, this);
    m_rulesDialog->SetOwner(this);
    Carry(m_match.ResetToWaitingState());
    m_ticks.Start();
    ApplyLayout();
}

void CGameView::LoadFonts() {
    // 10 points at the screen's vertical resolution, as the hall's own texts are sized.
    const int dpi = screen() != nullptr ? static_cast<int>(screen()->logicalDotsPerInchY()) : 96;
    const int pixels = 10 * dpi / 72;
    m_fonts.coordinate = QFont(QStringLiteral("Arial"));
    m_fonts.coordinate.setPixelSize(pixels);
    m_fonts.coordinate.setWeight(QFont::Normal);
    m_fonts.moveNumber = m_fonts.coordinate;
    m_fonts.moveNumber.setWeight(QFont::Bold);
    m_fonts.panel = QFont(QStringLiteral("宋体"));
    m_fonts.panel.setPixelSize(pixels);
    m_fonts.panel.setWeight(QFont::Normal);
}

void CGameView::LoadPanelPictures() {
    const hall::ResourceModule& own = *m_ownResources;
    if (m_profile.skinSource == ViewProfile::SkinSource::ImageFiles) {
        // The older hall's skin: the panels from its files, the rest from the resources.
        auto load = [this](hall::CImage& picture, const char* file) { picture.LoadImageFile(m_port->SkinFile(file)); };
        load(m_pictures.background, skin::kBackground);
        load(m_pictures.panel, skin::kPlayerPanel);
        load(m_pictures.buttonPanel, skin::kNavigationPanel);
        load(m_pictures.statusPanel, skin::kSystemPanel);
        load(m_pictures.namePlate, skin::kNamePlate);
        load(m_pictures.turnMarkers[0], skin::kBlackToMove);
        load(m_pictures.turnMarkers[1], skin::kWhiteToMove);
        for (int i = 0; i < 4; ++i) m_pictures.borders[i].LoadBitmap(own, pictures::kBorderTop + i);
        m_pictures.badge.LoadBitmap(own, pictures::kBadge);
        m_pictures.digits.LoadBitmap(own, pictures::kClockDigits);
        return;
    }
    m_pictures.background.LoadBitmap(own, pictures::kWindowBackground);
    m_pictures.toolbar.LoadBitmap(own, pictures::kToolbar);
    m_pictures.panel.LoadBitmap(own, m_compactLayout ? pictures::kPlayerPanelCompact : pictures::kPlayerPanel);
    m_pictures.buttonPanel.LoadBitmap(own, pictures::kButtonPanel);
    m_pictures.statusPanel.LoadBitmap(own, pictures::kStatusPanel);
    for (int i = 0; i < 4; ++i) m_pictures.borders[i].LoadBitmap(own, pictures::kBorderTop + i);
    m_pictures.badge.LoadBitmap(own, pictures::kBadge);
    m_pictures.digits.LoadBitmap(own, pictures::kClockDigits);
}

void CGameView::LoadBoardPicture() {
    m_pictures.wood.LoadBitmap(*m_ownResources, kBoardPictureBase + static_cast<int>(m_settings.boardBack));
}

void CGameView::LoadFacePicture(hall::CImage& target, int face) const {
    // A number that names no picture (a record's or a hall's garbage included) is no face.
    if (face < 0 || face > pictures::kLastPictureNumber - m_faceBase) return;
    if (m_faceLibrary) target.LoadBitmap(*m_faceLibrary, m_faceBase + face);
}

void CGameView::BuildMatchPanel() {
    for (const ImageButtonSpec& entry : kImageButtons) {
        auto* button = new GButton(m_ownResources, this);
        SetControlId(button, entry.id);
        if (!ApplySkin(button, entry.id)) button->SetImages(entry.pictures[0], entry.pictures[1], entry.pictures[2], entry.pictures[3]);
        if (entry.tooltip != 0) button->SetToolTipString(entry.tooltip, ToolTipActivation::Active);
        connect(button, &QAbstractButton::clicked, this, [this, id = entry.id] { OnCommand(id); });
    }
    if (m_profile.regionStartButton) {
        auto* start = new hall::CRgnButton(this);
        start->LoadRgnImage(*m_ownResources, pictures::kStartShape, qRgb(255, 0, 255));
        start->setToolTip(StringOrEmpty(strings::kTipStart));
        SetControlId(start, control::kStart);
        connect(start, &QAbstractButton::clicked, this, [this] { OnCommand(control::kStart); });
        auto* forced = new hall::CCoolButtonEx(this);
        forced->SetButtonImage(*m_ownResources, pictures::kForcedCountFace, 0);
        forced->setToolTip(StringOrEmpty(strings::kTipForcedCount));
        SetControlId(forced, control::kForcedCount);
        connect(forced, &QAbstractButton::clicked, this, [this] { OnCommand(control::kForcedCount); });
    } else {
        auto* start = new GButton(m_ownResources, this);
        SetControlId(start, control::kStart);
        const PictureSet& p = pictures::kStartPlain;
        if (!ApplySkin(start, control::kStart)) start->SetImages(p[0], p[1], p[2], p[3]);
        start->SetToolTipString(strings::kTipStart, ToolTipActivation::Active);
        connect(start, &QAbstractButton::clicked, this, [this] { OnCommand(control::kStart); });
    }

    auto* stepEdit = new QLineEdit(this);
    stepEdit->setMaxLength(4);
    stepEdit->setAlignment(Qt::AlignCenter);
    SetControlId(stepEdit, control::kStepEdit);
    for (control::Id id : {control::kSeatFrame0, control::kSeatFrame1}) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        SetControlId(frame, id);
    }
    // The form is already on screen: controls made now appear only when shown. The small-board
    // button belongs to the big-board layout.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (ControlId(child) != 0) child->setVisible(ControlId(child) != control::kSmallBoard);
    }
}

void CGameView::EnableControl(int controlId, bool enabled) {
    if (QWidget* control = FindControl<QWidget>(this, controlId)) control->setEnabled(enabled);
}

void CGameView::ApplyMoveNumberControls() {
    const bool numbersShown = m_settings.isShowStep != 0;
    // Of the show and hide buttons only the one that changes the current setting is shown (the
    // big board shows neither, but in the older hall's layout).
    if (!m_bigBoard || m_profile.layout == ViewProfile::Layout::LegacyPanels) {
        ShowControl(control::kHideNumbers, numbersShown);
        ShowControl(control::kShowNumbers, !numbersShown);
    }
    // The toggle's pictures and tip name what the next press does, whoever changed the setting.
    if (auto* numbers = FindControl<GButton>(this, control::kMoveNumbers)) {
        // The older hall's skin has one look for both.
        const PictureSet& p = numbersShown ? pictures::kNumbersShown : pictures::kNumbersHidden;
        if (m_profile.skinSource != ViewProfile::SkinSource::ImageFiles) numbers->SetImages(p[0], p[1], p[2], p[3]);
        numbers->SetToolTipString(numbersShown ? strings::kTipHideNumbers : strings::kTipShowNumbers,
                                  ToolTipActivation::Active);
    }
}

void CGameView::ShowControl(int controlId, bool visible) {
    if (QWidget* control = FindControl<QWidget>(this, controlId)) control->setVisible(visible);
}

// ---- Layout ----

void CGameView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_setUp) ApplyLayout();
}

void CGameView::ApplyLayout() {
    const auto area = m_bigBoard ? ViewLayout::BoardArea::BoardAlone : ViewLayout::BoardArea::WithPanels;
    m_layout = m_profile.layout == ViewProfile::Layout::LegacyPanels
                   ? ViewLayout::ComputeLegacy(width(), height(), area)
                   : ViewLayout::Compute(width(), height(), area,
                                         m_compactLayout ? ViewLayout::Panels::Compact : ViewLayout::Panels::Full);
    m_pictures.stones.Load(m_stoneLibrary.get(), m_layout.board.StoneSize());
    auto place = [this](int id, const Box& box) {
        if (QWidget* control = FindControl<QWidget>(this, id)) control->setGeometry(box.rect());
    };
    for (const ViewLayout::Placement& placement : m_layout.placements) place(placement.id, placement.box);
    const bool local0 = !m_port->Facts().HasTable() || m_port->Facts().MyChair() != 1;
    place(control::kSeatFrame0, m_layout.SeatFrame(local0 ? m_layout.lowerPanel : m_layout.upperPanel));
    place(control::kSeatFrame1, m_layout.SeatFrame(local0 ? m_layout.upperPanel : m_layout.lowerPanel));
    update();
}

}  // namespace goview
