#pragma once

#include <QString>
#include <array>
#include <memory>

#include "sdk/kit/resource_module.h"

class QDialog;
class QHBoxLayout;
class QWidget;

namespace goview {

class GButton;

// The look the plug-in's dialogs share: the paper background (picture 335) and image buttons.
void ApplyPaperBackground(QWidget* dialog, const hall::ResourceModule& resources);
// An image button of control id `id`, sized to its normal picture.
GButton* MakeImageButton(const std::shared_ptr<const hall::ResourceModule>& resources, QWidget* parent, int id,
                         const std::array<int, 4>& pictures, const QString& caption);

// A row with the OK (id 1) and Cancel (id 2) image buttons at its right, closing `dialog` with
// accept and reject.
QHBoxLayout* MakeOkCancelRow(const std::shared_ptr<const hall::ResourceModule>& resources, QDialog* dialog);

// The dialogs' OK and Cancel buttons.
constexpr std::array<int, 4> kOkPictures = {347, 346, 344, 345};
constexpr std::array<int, 4> kCancelPictures = {336, 338, 339, 337};

}  // namespace goview
