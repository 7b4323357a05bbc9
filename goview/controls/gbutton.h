#pragma once

#include <QAbstractButton>
#include <QCursor>
#include <array>
#include <memory>

#include "sdk/kit/cimage.h"
#include "sdk/kit/resource_module.h"

namespace goview {

enum class ToolTipActivation { Inactive, Active };

// A push button drawn from four pictures of the plug-in's resources, one per state. It reports a
// click through QAbstractButton::clicked like any button.
// States: disabled <-> normal by disabling and enabling; normal -> hover when the pointer comes
// over it; hover -> pressed on the left button; pressed -> hover on its release; hover or pressed
// -> normal when the pointer leaves, a modal window takes the pointer, or a paint comes from
// outside.
class GButton : public QAbstractButton {
    Q_OBJECT

public:
    enum State { kNormal = 1, kHover = 2, kPressed = 3, kDisabled = 4 };

    // The cursor shown over the button once its pictures are set.
    static constexpr int kCursorNumber = 5002;

    explicit GButton(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent = nullptr);

    // Picture numbers for the normal, hover, pressed and disabled looks. Refused (0, nothing
    // changes) when normal is not positive or another is negative. A zero hover falls back to
    // normal, a zero pressed to hover, a zero disabled to pressed. When taken the button shows its
    // normal look (its disabled one while the widget is disabled), its cursor becomes picture
    // cursor 5002, and 1 is returned.
    int SetImages(int normal, int hover, int pressed, int disabled);
    // The four looks read from image files instead (the older hall's skins): normal, hover,
    // pressed, disabled. A file that is missing or unreadable leaves that look empty and is not
    // reported. The button then draws from these files until SetImages is called again. Returns 1.
    int SetImageFiles(const std::array<QString, 4>& paths);

    // The tip shown over the button. A null text, or a string number that does not load, returns
    // 0 and changes nothing; otherwise the text replaces the previous one and `activation` turns
    // the tip on or off. Returns 1.
    int SetToolTipText(const QString& text, ToolTipActivation activation);
    int SetToolTipString(int stringId, ToolTipActivation activation);

    State CurrentState() const { return m_state; }
    // The picture number drawn in a state (any value other than 2, 3, 4 draws normal); 0 before
    // the pictures are set.
    int ImageFor(int state) const;
    QString ToolTipText() const { return m_toolTipText; }
    bool IsToolTipActive() const { return m_toolTipActive; }

    QSize sizeHint() const override;

    // Wider tips wrap at this many pixels.
    static constexpr int kMaxTipWidth = 400;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PointerInside();
    void PointerOutside();
    void LoseCapture();
    void SetState(State state);
    void Redraw();
    void ApplyToolTip();
    void TakeCursor();
    const hall::CImage& LookFor(State state);

    std::shared_ptr<const hall::ResourceModule> m_resources;  // may be null: nothing is drawn
    // kDisabled whenever the widget is disabled. A new button also starts in it and stays there
    // until its pictures are set, it is enabled or disabled, or the mouse acts on it.
    State m_state = kDisabled;
    // Picture numbers by state (index state - 1); all 0 until SetImages succeeds.
    std::array<int, 4> m_images{};
    hall::CImage m_image;       // the picture last loaded for drawing
    int m_loadedNumber = 0;     // which number m_image holds; 0 when none
    std::array<hall::CImage, 4> m_fileLooks;  // by state, when the looks come from files
    bool m_looksFromFiles = false;
    QCursor m_cursor;           // arrow until the pictures are set, then picture cursor 5002
    // Set while a repaint the button asked for itself is pending; a paint without it comes from
    // outside and resets hover and pressed.
    bool m_ownRepaintPending = false;
    bool m_leftHeld = false;    // the left button went down on the button and is still held
    // The pointer left while the left button was held: the press is given up and its release
    // must not click, even back over the button. Meaningless while m_leftHeld is false.
    bool m_pressAbandoned = false;
    QString m_toolTipText;      // null until a tip text is set
    bool m_toolTipActive = false;
};

}  // namespace goview
