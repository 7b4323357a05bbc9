#pragma once

#include <QList>
#include <QWidget>

namespace goview {

// Forms address their controls by the numeric ids of their templates, as the command handlers
// and the tests do. An id is a property of the widget, so any widget (a combo box as well as our
// own controls) can carry one.

void SetControlId(QWidget* control, int id);
// The control's id, or 0 when it has none (no template control uses 0).
int ControlId(const QWidget* control);

// The first descendant of `form` (in child order, depth first) that carries `id`, when it is a T;
// null when no descendant carries the id or the one that does is of another kind.
QWidget* FindControlWidget(const QWidget* form, int id);

template <class T>
T* FindControl(const QWidget* form, int id) {
    return qobject_cast<T*>(FindControlWidget(form, id));
}

}  // namespace goview
