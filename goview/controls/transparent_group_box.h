#pragma once

#include <QFlags>
#include <QGroupBox>
#include <QRect>

namespace goview {

// A group frame drawn over a skinned background: the frame and its caption only, nothing inside.
// The caption is the title; its alignment is the title alignment (left, centred or right); the
// flat look (setFlat) draws a one-pixel red frame, the normal look an etched one.
class TransparentGroupBox : public QGroupBox {
    Q_OBJECT

public:
    // Border styles that enlarge the frame outwards, as around a window with such a border.
    enum class FrameEdge : unsigned { ModalFrame = 1, ClientEdge = 2, StaticEdge = 4 };
    Q_DECLARE_FLAGS(FrameEdges, FrameEdge)

    static constexpr int kEdgeSize = 2;    // a 3-D edge
    static constexpr int kBorderSize = 1;  // a thin border

    struct Frame {
        QRect outline;  // left and right sides at left() and right(), bottom line at bottom()
        int topLine = 0;
        int gapLeft = 0;   // the caption's gap in the top line: [gapLeft, gapRight)
        int gapRight = 0;
    };
    // The frame for a widget of `size` and a caption of `captionExtent` (the caption with its
    // blanks, width 0 for an empty one; height the font's).
    static Frame FrameGeometry(QSize size, FrameEdges edges, QSize captionExtent, Qt::Alignment alignment);

    explicit TransparentGroupBox(QWidget* parent = nullptr);
    explicit TransparentGroupBox(const QString& title, QWidget* parent = nullptr);

    void SetFrameEdges(FrameEdges edges);
    FrameEdges Edges() const { return m_edges; }
    Frame CurrentFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString Caption() const;
    FrameEdges m_edges;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TransparentGroupBox::FrameEdges)

}  // namespace goview
