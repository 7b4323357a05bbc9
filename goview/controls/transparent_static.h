#pragma once

#include <QLabel>

namespace goview {

// A label over a skinned background: its text on one line, centred both ways whatever its
// alignment, and no background of its own, so the parent's picture shows through.
class CTransparentStatic : public QLabel {
    Q_OBJECT

public:
    explicit CTransparentStatic(QWidget* parent = nullptr);
    explicit CTransparentStatic(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace goview
