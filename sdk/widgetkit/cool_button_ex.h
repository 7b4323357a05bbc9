#pragma once

#include <QAbstractButton>
#include <QImage>

#include "sdk/kit/resource_module.h"

namespace hall {

// A push button that shows one picture, with a light veil under the pointer and a darker one
// while pressed. Reports clicks through clicked.
class CCoolButtonEx : public QAbstractButton {
    Q_OBJECT

public:
    explicit CCoolButtonEx(QWidget* parent = nullptr);

    // Takes picture `number` of `module`; `options` has no values defined yet and must be 0.
    // False, and the previous picture kept, when the module has no such picture.
    bool SetButtonImage(const ResourceModule& module, int number, int options);
    const QImage& Picture() const { return m_picture; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;  // null until a picture is set
};

}  // namespace hall
