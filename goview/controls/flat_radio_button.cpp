#include "goview/controls/flat_radio_button.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace goview {
namespace {

int MixChannel(int from, int to) { return from + ((to - from) >> 1); }

QColor Mix(const QColor& from, const QColor& to) {
    return QColor(MixChannel(from.red(), to.red()), MixChannel(from.green(), to.green()),
                  MixChannel(from.blue(), to.blue()));
}

// Tiling starts at the window's origin, so the picture continues the dialog's own tiling
// without a seam at the control's edges.
int TilePhase(int offset, int tileSize) {
    const int phase = offset % tileSize;
    return phase < 0 ? phase + tileSize : phase;
}

}  // namespace

FlatRadioButton::Colors FlatRadioButton::ColorsFrom(const QPalette& palette) {
    Colors colors;
    colors.highlight = palette.color(QPalette::Active, QPalette::Light);
    colors.light = palette.color(QPalette::Active, QPalette::Midlight);
    colors.face = palette.color(QPalette::Active, QPalette::Button);
    colors.shadow = palette.color(QPalette::Active, QPalette::Dark);
    colors.dark = palette.color(QPalette::Active, QPalette::Shadow);
    colors.faceShadow = Mix(colors.face, colors.shadow);
    colors.shadowDark = Mix(colors.shadow, colors.dark);
    return colors;
}

FlatRadioButton::FlatRadioButton(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent)
    : QAbstractButton(parent), m_resources(std::move(resources)), m_colors(ColorsFrom(palette())) {
    setCheckable(true);
    setAutoExclusive(false);  // the group rule is ours, by dialog group
    UpdateFocusPolicy();
}

FlatRadioButton::FlatRadioButton(std::shared_ptr<const hall::ResourceModule> resources, const QString& text,
                                 QWidget* parent)
    : FlatRadioButton(std::move(resources), parent) {
    setText(text);
}

void FlatRadioButton::SetCheck(int check) {
    const bool checked = check != 0;
    if (checked == isChecked()) return;
    setChecked(checked);
    update(CircleRect());
}

void FlatRadioButton::SetLayout(const RadioLayout& layout) {
    m_layout = layout;
    update();
}

QRect FlatRadioButton::CircleRect() const { return RadioCircleBox(size(), m_layout); }

QRect FlatRadioButton::CaptionRect() const {
    const QSize extent = fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, text());
    return RadioCaptionRect(size(), QSize(extent.width(), fontMetrics().height()), m_layout);
}

QSize FlatRadioButton::sizeHint() const {
    const QSize extent = fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, text());
    return {17 + extent.width() + 4, std::max(16, fontMetrics().height() + 4)};
}

bool FlatRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void FlatRadioButton::nextCheckState() {
    SetCheck(1);
    UncheckOthersInGroup();
}

void FlatRadioButton::SetPressed(bool pressed) {
    if (pressed == m_pressed) return;
    m_pressed = pressed;
    update(CircleRect());
}

void FlatRadioButton::UncheckOthersInGroup() {
    for (QWidget* member : DialogGroup(this)) {
        auto* radio = qobject_cast<FlatRadioButton*>(member);
        if (radio != nullptr && radio != this) radio->SetCheck(0);
    }
}

void FlatRadioButton::UpdateFocusPolicy() {
    setFocusPolicy(IsGroupStart(this) ? Qt::TabFocus : Qt::NoFocus);
}

void FlatRadioButton::LeftButtonDown() {
    m_mouseTracking = true;
    SetPressed(true);
    // Taken here rather than by click-to-focus, so that the focus rule sees the press.
    setFocus(Qt::MouseFocusReason);
}

void FlatRadioButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    LeftButtonDown();
}

void FlatRadioButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void FlatRadioButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_mouseTracking) {
        event->ignore();
        return;
    }
    SetPressed(rect().contains(event->position().toPoint()));
}

void FlatRadioButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_mouseTracking) {
        event->ignore();
        return;
    }
    m_mouseTracking = false;
    if (rect().contains(event->position().toPoint())) {
        // A click never unchecks a radio: clicking the checked one keeps it and still reports.
        SetCheck(1);
        UncheckOthersInGroup();
        QPointer<FlatRadioButton> guard(this);
        Q_EMIT clicked(true);
        if (!guard) return;
    }
    SetPressed(false);
}

void FlatRadioButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) SetPressed(true);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        MoveByArrow(GroupDirection::Previous);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        MoveByArrow(GroupDirection::Next);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FlatRadioButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    SetCheck(1);
    QPointer<FlatRadioButton> guard(this);
    Q_EMIT clicked(true);
    if (!guard) return;
    UncheckOthersInGroup();
    SetPressed(false);
}

void FlatRadioButton::MoveByArrow(GroupDirection direction) {
    UncheckOthersInGroup();
    QPointer<QWidget> neighbour = NextGroupItem(this, direction);
    QPointer<FlatRadioButton> guard(this);
    if (auto* radio = qobject_cast<FlatRadioButton*>(neighbour.data())) {
        radio->SetCheck(1);
        Q_EMIT radio->clicked(true);
        if (!guard) return;
    }
    // This radio gives up its check either way; with a neighbour of another kind nothing in the
    // group stays checked.
    SetCheck(0);
    // What a dialog does with an arrow key: the focus moves to that neighbour.
    if (neighbour && neighbour != this) {
        neighbour->setFocus(direction == GroupDirection::Next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
}

void FlatRadioButton::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    if (m_pressed || isChecked()) return;
    // Entering a group lands on its checked radio. The walk ends at the first member that is not a
    // flat radio, or back here.
    const size_t limit = DialogGroup(this).size();
    QWidget* member = this;
    for (size_t step = 0; step < limit; ++step) {
        member = NextGroupItem(member, GroupDirection::Next);
        auto* radio = qobject_cast<FlatRadioButton*>(member);
        if (member == this || radio == nullptr) return;
        if (radio->isChecked()) {
            radio->setFocus(event->reason());
            return;
        }
    }
}

bool FlatRadioButton::focusNextPrevChild(bool next) {
    if (next) return QAbstractButton::focusNextPrevChild(next);
    // Backwards, the tab stop before this one is usually the group's first radio, whose focus rule
    // would send the focus straight back here: leave the group from its first member instead.
    QWidget* first = DialogGroup(this).front();
    for (QWidget* w = first->previousInFocusChain(); w != first && w != this; w = w->previousInFocusChain()) {
        if (w->window() == window() && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisible() && w->focusProxy() == nullptr) {
            w->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return QAbstractButton::focusNextPrevChild(next);
}

void FlatRadioButton::focusOutEvent(QFocusEvent* event) {
    // Space can no longer be released here; a held mouse button still owns the look.
    if (!m_mouseTracking) SetPressed(false);
    QAbstractButton::focusOutEvent(event);
}

void FlatRadioButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        m_colors = ColorsFrom(palette());
        update();
    }
    QAbstractButton::changeEvent(event);
}

bool FlatRadioButton::event(QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange) UpdateFocusPolicy();
    return QAbstractButton::event(event);
}

void FlatRadioButton::paintEvent(QPaintEvent*) {
    // Drawn off screen and copied in one piece, so the background never shows alone.
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(Qt::transparent);
    {
        QPainter painter(&buffer);
        PaintItem(painter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, buffer);
}

void FlatRadioButton::PaintItem(QPainter& painter) {
    if (!m_backgroundLoaded) {
        if (m_resources) m_background.LoadBitmap(*m_resources, kBackgroundPicture);
        m_backgroundLoaded = true;
    }
    if (!m_background.IsNull()) {
        const QPoint origin = mapTo(window(), QPoint(0, 0));
        const int dx = TilePhase(origin.x(), m_background.Width());
        const int dy = TilePhase(origin.y(), m_background.Height());
        m_background.Tile(painter, QRect(-dx, -dy, width() + dx, height() + dy));
    }

    painter.setFont(font());
    painter.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::WindowText) : m_colors.shadow);
    painter.drawText(CaptionRect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());

    const QRect box = CircleRect();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::WindowText), 1));
    painter.setBrush(palette().color(QPalette::Active, QPalette::Base));
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    if (m_pressed) {
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(box).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
    }
    if (isChecked()) {
        painter.setPen(QPen(m_colors.dark, 1));
        painter.setBrush(m_colors.dark);
        painter.drawRoundedRect(QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5), 1, 1);
    }
}

}  // namespace goview
