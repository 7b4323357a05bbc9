#pragma once

#include <QAbstractButton>
#include <QColor>
#include <memory>

#include "goview/controls/dialog_group.h"
#include "goview/controls/flat_radio_geometry.h"
#include "sdk/kit/cimage.h"
#include "sdk/kit/resource_module.h"

namespace goview {

// A radio button that paints the dialog's background picture behind itself, a small flat circle
// and its caption, and does the radio behaviour (mouse, Space, arrow keys, group, focus) itself.
// Its group is its dialog group (SetGroupMark); the first radio of a group is the group's tab
// stop, the others are reached by the arrow keys. Every click, Space and arrow key that checks a
// radio is reported through that radio's clicked signal.
class FlatRadioButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int kBackgroundPicture = 335;

    // The colours the control draws with, derived from the widget palette.
    struct Colors {
        QColor highlight;   // button highlight (QPalette::Light)
        QColor light;       // 3-D light (QPalette::Midlight)
        QColor face;        // button face (QPalette::Button)
        QColor shadow;      // button shadow (QPalette::Dark); the disabled caption
        QColor dark;        // 3-D dark shadow (QPalette::Shadow); the check dot
        QColor faceShadow;  // half way from face to shadow
        QColor shadowDark;  // half way from shadow to dark
    };
    // Each mixture is, per channel, a + ((b - a) >> 1) with the shift of the signed difference.
    static Colors ColorsFrom(const QPalette& palette);

    explicit FlatRadioButton(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent = nullptr);
    FlatRadioButton(std::shared_ptr<const hall::ResourceModule> resources, const QString& text,
                    QWidget* parent = nullptr);

    // 0 or 1 (any non-zero value checks). Changes nothing else in the group and reports nothing.
    void SetCheck(int check);
    int GetCheck() const { return isChecked() ? 1 : 0; }
    bool IsPressed() const { return m_pressed; }

    void SetLayout(const RadioLayout& layout);
    RadioLayout Layout() const { return m_layout; }
    QRect CircleRect() const;
    QRect CaptionRect() const;
    const Colors& FlatColors() const { return m_colors; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    // A click by program, shortcut or accessibility checks this radio and unchecks the group.
    void nextCheckState() override;
    bool hitButton(const QPoint& pos) const override;
    bool focusNextPrevChild(bool next) override;

private:
    void LeftButtonDown();
    void SetPressed(bool pressed);
    void UncheckOthersInGroup();
    void MoveByArrow(GroupDirection direction);
    void UpdateFocusPolicy();
    void PaintItem(QPainter& painter);

    std::shared_ptr<const hall::ResourceModule> m_resources;  // may be null: no background
    hall::CImage m_background;     // picture 335, loaded on the first paint
    bool m_backgroundLoaded = false;
    RadioLayout m_layout;
    Colors m_colors;               // recomputed on every palette change
    // The left button is held after going down here, or Space is held. With the mouse, only while
    // the pointer is over the control.
    bool m_pressed = false;
    bool m_mouseTracking = false;  // a left press here awaits its release
};

}  // namespace goview
