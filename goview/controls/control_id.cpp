#include "goview/controls/control_id.h"

#include <QVariant>

namespace goview {
namespace {
constexpr char kIdProperty[] = "gohall_controlId";
}

void SetControlId(QWidget* control, int id) {
    if (control != nullptr) control->setProperty(kIdProperty, id);
}

int ControlId(const QWidget* control) {
    if (control == nullptr) return 0;
    const QVariant id = control->property(kIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* FindControlWidget(const QWidget* form, int id) {
    if (form == nullptr) return nullptr;
    const QList<QWidget*> all = form->findChildren<QWidget*>();
    for (QWidget* widget : all) {
        if (ControlId(widget) == id) return widget;
    }
    return nullptr;
}

}  // namespace goview
