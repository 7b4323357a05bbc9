#include "goview/dialogs/dialog_skin.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include "goview/controls/control_id.h"
#include "goview/controls/gbutton.h"
#include "goview/dialogs/dialog_ids.h"

namespace goview {

void ApplyPaperBackground(QWidget* dialog, const hall::ResourceModule& resources) {
    const QImage paper = resources.LoadPicture(335);
    if (paper.isNull()) return;
    QPalette palette = dialog->palette();
    palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(paper)));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}

GButton* MakeImageButton(const std::shared_ptr<const hall::ResourceModule>& resources, QWidget* parent, int id,
                         const std::array<int, 4>& pictures, const QString& caption) {
    auto* button = new GButton(resources, parent);
    SetControlId(button, id);
    button->setText(caption);
    button->SetImages(pictures[0], pictures[1], pictures[2], pictures[3]);
    const QImage face = resources->LoadPicture(pictures[0]);
    button->setFixedSize(face.isNull() ? QSize(80, 28) : face.size());
    return button;
}

QHBoxLayout* MakeOkCancelRow(const std::shared_ptr<const hall::ResourceModule>& resources, QDialog* dialog) {
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    GButton* ok = MakeImageButton(resources, dialog, dialog_ids::kOk, kOkPictures, QStringLiteral("确定"));
    GButton* cancel = MakeImageButton(resources, dialog, dialog_ids::kCancel, kCancelPictures, QStringLiteral("取消"));
    row->addWidget(ok);
    row->addWidget(cancel);
    QObject::connect(ok, &QAbstractButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QAbstractButton::clicked, dialog, &QDialog::reject);
    return row;
}

}  // namespace goview
