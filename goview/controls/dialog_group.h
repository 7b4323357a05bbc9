#pragma once

#include <QWidget>
#include <vector>

namespace goview {

// Dialog groups: the sibling widgets of a form, in their parent's child order, are cut into
// groups at every widget marked as a group start; a group runs up to the next mark. The first
// group begins with the first child even when that child carries no mark. Radio buttons use the
// groups for their exclusive check, arrow keys and focus; the first radio of a group is also its
// tab stop.

enum class GroupMark { Continue, Start };

void SetGroupMark(QWidget* control, GroupMark mark);
bool IsGroupStart(const QWidget* control);

// All members of the control's group in child order, the control included (hidden and disabled
// members too). Only the control itself for a widget without a parent.
std::vector<QWidget*> DialogGroup(const QWidget* control);

enum class GroupDirection { Previous, Next };

// The neighbour a dialog moves to with the arrow keys: the previous or next member of the group,
// wrapping around, skipping members that are hidden or disabled; the control itself when the
// group has no other such member.
QWidget* NextGroupItem(const QWidget* control, GroupDirection direction);

}  // namespace goview
