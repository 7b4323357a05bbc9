#include "goview/controls/gbutton.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

#include "goview/resources/string_table.h"

namespace goview {
namespace {

// Tips are plain text; one wider than the limit is set as rich text in a table of that width so
// that the tip wraps there instead of running across the screen.
QString TipMarkup(const QString& text, int maxWidth) {
    const QFontMetrics metrics(QToolTip::font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    if (widest <= maxWidth) {
        if (!Qt::mightBeRichText(text)) return text;
        return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
    }
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
        .arg(maxWidth)
        .arg(Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
}

}  // namespace

GButton::GButton(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent)
    : QAbstractButton(parent), m_resources(std::move(resources)), m_cursor(Qt::ArrowCursor) {
    // Hover needs every movement over the button, not only those with a button held.
    setMouseTracking(true);
    setCursor(m_cursor);
}

int GButton::SetImages(int normal, int hover, int pressed, int disabled) {
    if (normal <= 0 || hover < 0 || pressed < 0 || disabled < 0) return 0;
    if (hover == 0) hover = normal;
    if (pressed == 0) pressed = hover;
    if (disabled == 0) disabled = pressed;
    m_images = {normal, hover, pressed, disabled};
    m_looksFromFiles = false;
    for (hall::CImage& look : m_fileLooks) look.Clear();
    // Normal, unless the button is already disabled: a button created disabled must not look
    // usable until it is enabled.
    m_state = isEnabled() ? kNormal : kDisabled;
    Redraw();
    TakeCursor();
    return 1;
}

int GButton::SetImageFiles(const std::array<QString, 4>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!m_fileLooks[i].LoadImageFile(paths[i])) m_fileLooks[i].Clear();
    }
    m_looksFromFiles = true;
    m_images = {};
    m_loadedNumber = 0;
    m_image.Clear();
    m_state = isEnabled() ? kNormal : kDisabled;
    Redraw();
    TakeCursor();
    return 1;
}

void GButton::TakeCursor() {
    if (!m_resources) return;
    QCursor cursor;
    if (m_resources->LoadCursor(kCursorNumber, cursor)) {
        m_cursor = cursor;
        setCursor(m_cursor);
    }
}

int GButton::SetToolTipText(const QString& text, ToolTipActivation activation) {
    if (text.isNull()) return 0;
    m_toolTipText = text;
    m_toolTipActive = activation == ToolTipActivation::Active;
    ApplyToolTip();
    return 1;
}

int GButton::SetToolTipString(int stringId, ToolTipActivation activation) {
    const std::optional<QString> text = LoadString(stringId);
    if (!text) return 0;
    return SetToolTipText(*text, activation);
}

void GButton::ApplyToolTip() {
    setToolTip(m_toolTipActive ? TipMarkup(m_toolTipText, kMaxTipWidth) : QString());
}

int GButton::ImageFor(int state) const {
    switch (state) {
    case kHover: return m_images[1];
    case kPressed: return m_images[2];
    case kDisabled: return m_images[3];
    default: return m_images[0];
    }
}

QSize GButton::sizeHint() const {
    if (m_looksFromFiles && !m_fileLooks[0].IsNull()) return m_fileLooks[0].image().size();
    if (m_resources && m_images[0] > 0) {
        const QImage picture = m_resources->LoadPicture(m_images[0]);
        if (!picture.isNull()) return picture.size();
    }
    return QAbstractButton::sizeHint();
}

void GButton::SetState(State state) {
    if (m_state == state) return;
    m_state = state;
    Redraw();
}

void GButton::Redraw() {
    m_ownRepaintPending = true;
    update();
}

void GButton::PointerInside() {
    setCursor(m_cursor);
    if (m_state == kNormal) SetState(kHover);
}

void GButton::PointerOutside() {
    unsetCursor();
    if (m_leftHeld && !m_pressAbandoned) {
        // Leaving with the button held gives up the press: coming back does not revive it.
        m_pressAbandoned = true;
        setDown(false);
    }
    if (m_state == kHover || m_state == kPressed) SetState(kNormal);
}

void GButton::LoseCapture() {
    unsetCursor();
    if (m_state != kDisabled) SetState(kNormal);
}

void GButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftHeld = true;
        m_pressAbandoned = false;
        m_state = kPressed;
        Redraw();
    }
    QAbstractButton::mousePressEvent(event);
}

void GButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The pointer may have left without a movement being reported in between.
        if (!rect().contains(event->position().toPoint())) {
            PointerOutside();
        } else {
            m_state = kHover;
            Redraw();
        }
        m_leftHeld = false;
    }
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) m_pressAbandoned = false;
}

void GButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressAbandoned) QAbstractButton::mouseMoveEvent(event);
    if (!isEnabled()) return;
    if (rect().contains(event->position().toPoint())) {
        PointerInside();
    } else {
        PointerOutside();
    }
}

void GButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    if (isEnabled()) PointerInside();
}

void GButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    if (isEnabled()) PointerOutside();
}

void GButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        m_state = isEnabled() ? kNormal : kDisabled;
        update();
    }
    QAbstractButton::changeEvent(event);
}

bool GButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowBlocked:  // a modal window took the pointer away
    case QEvent::Hide:
        LoseCapture();
        break;
    case QEvent::Show:
        // A redraw asked for before the button was hidden is stale: the first paint of a new
        // showing counts as one from outside.
        m_ownRepaintPending = false;
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // The base class repaints for the focus change; that repaint is the button's own.
        m_ownRepaintPending = true;
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void GButton::paintEvent(QPaintEvent*) {
    // A paint the button did not ask for (the window uncovered, the dialog shown again, the parent
    // redrawn) may follow a pointer that left unnoticed, so hover and pressed fall back to normal;
    // the next movement over the button brings hover back. Our own redraws keep the state.
    if (!m_ownRepaintPending && m_state != kDisabled) m_state = kNormal;
    m_ownRepaintPending = false;

    const hall::CImage& look = LookFor(m_state);
    if (look.IsNull()) return;
    QPainter painter(this);
    // A picture smaller than its button (the small screenshot face in the study window's column
    // of wide buttons) sits in the middle of it.
    look.Draw(painter, std::max(0, (width() - look.Width()) / 2), std::max(0, (height() - look.Height()) / 2));
}

const hall::CImage& GButton::LookFor(State state) {
    if (m_looksFromFiles) return m_fileLooks[static_cast<size_t>(state) - 1];
    const int number = ImageFor(state);
    if (number != m_loadedNumber) {
        if (m_resources && number > 0) {
            m_image.LoadBitmap(*m_resources, number);
        } else {
            m_image.Clear();
        }
        m_loadedNumber = number;
    }
    return m_image;
}

}  // namespace goview
