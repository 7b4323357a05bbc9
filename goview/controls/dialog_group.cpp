#include "goview/controls/dialog_group.h"

#include <QVariant>
#include <algorithm>

namespace goview {
namespace {

constexpr char kGroupProperty[] = "gohall_groupStart";

// The parent's child widgets in child order, without separate windows parented to it.
std::vector<QWidget*> SiblingControls(const QWidget* control) {
    std::vector<QWidget*> siblings;
    const QWidget* parent = control->parentWidget();
    if (parent == nullptr || control->isWindow()) return siblings;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow()) siblings.push_back(widget);
    }
    return siblings;
}

bool CanTakeArrowFocus(const QWidget* widget) {
    return widget->isEnabled() && widget->isVisibleTo(widget->parentWidget());
}

}  // namespace

void SetGroupMark(QWidget* control, GroupMark mark) {
    if (control != nullptr) control->setProperty(kGroupProperty, mark == GroupMark::Start);
}

bool IsGroupStart(const QWidget* control) {
    return control != nullptr && control->property(kGroupProperty).toBool();
}

std::vector<QWidget*> DialogGroup(const QWidget* control) {
    auto* self = const_cast<QWidget*>(control);
    const std::vector<QWidget*> siblings = SiblingControls(control);
    const auto at = std::find(siblings.begin(), siblings.end(), self);
    if (at == siblings.end()) return {self};
    auto first = at;
    while (first != siblings.begin() && !IsGroupStart(*first)) --first;
    auto last = at + 1;
    while (last != siblings.end() && !IsGroupStart(*last)) ++last;
    return {first, last};
}

QWidget* NextGroupItem(const QWidget* control, GroupDirection direction) {
    auto* self = const_cast<QWidget*>(control);
    const std::vector<QWidget*> group = DialogGroup(control);
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    const std::ptrdiff_t start = std::find(group.begin(), group.end(), self) - group.begin();
    const std::ptrdiff_t step = direction == GroupDirection::Next ? 1 : count - 1;
    for (std::ptrdiff_t i = (start + step) % count; i != start; i = (i + step) % count) {
        if (CanTakeArrowFocus(group[static_cast<size_t>(i)])) return group[static_cast<size_t>(i)];
    }
    return self;
}

}  // namespace goview
