#include "matchview/dialogs/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "matchview/controls/control_id.h"
#include "matchview/controls/gbutton.h"
#include "matchview/controls/transparent_group_box.h"

namespace matchview {
namespace {

QCheckBox* AddCheckBox(QWidget* parent, QLayout* layout, int id, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    SetControlId(box, id);
    layout->addWidget(box);
    return box;
}

GButton* AddImageButton(QWidget* parent, const std::shared_ptr<const hall::ResourceModule>& resources, int id,
                        std::array<int, 4> pictures, const char* caption) {
    auto* button = new GButton(resources, parent);
    SetControlId(button, id);
    button->setText(QString::fromUtf8(caption));
    button->SetImages(pictures[0], pictures[1], pictures[2], pictures[3]);
    const QImage face = resources->LoadPicture(pictures[0]);
    button->setFixedSize(face.isNull() ? QSize(80, 28) : face.size());
    return button;
}

}  // namespace

SettingsDialog::SettingsDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("设置"));
    SetControlId(this, 170);
    // The dialogs share the plug-in's paper background.
    const QImage paper = resources->LoadPicture(335);
    if (!paper.isNull()) {
        QPalette palette = this->palette();
        palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(paper)));
        setPalette(palette);
        setAutoFillBackground(true);
    }
    setMinimumWidth(300);

    // Read the store again: the view's copy may hold unsaved run-time changes.
    m_values = ReadViewSettings();
    m_values.isSound = m_values.isSound != 0 ? 1 : 0;
    m_values.isShowStep = m_values.isShowStep != 0 ? 1 : 0;

    auto* appearance = new TransparentGroupBox(this);
    appearance->setTitle(QStringLiteral("界面设置"));
    auto* appearanceLayout = new QVBoxLayout(appearance);
    appearanceLayout->setContentsMargins(14, 22, 14, 12);
    m_sound = AddCheckBox(appearance, appearanceLayout, 1039, "打开声音效果");
    m_showStep = AddCheckBox(appearance, appearanceLayout, 1044, "显示数字");
    m_userInOut = AddCheckBox(appearance, appearanceLayout, 1046, "显示用户进出消息");
    auto* woodRow = new QHBoxLayout();
    woodRow->addWidget(new QLabel(QStringLiteral("棋盘背景"), appearance));
    m_wood = new QComboBox(appearance);
    m_wood->addItems(WoodNames());
    SetControlId(m_wood, 1077);
    woodRow->addWidget(m_wood, 1);
    appearanceLayout->addLayout(woodRow);

    auto* other = new TransparentGroupBox(this);
    other->setTitle(QStringLiteral("其它设置"));
    auto* otherLayout = new QVBoxLayout(other);
    otherLayout->setContentsMargins(14, 22, 14, 12);
    m_saveInfo = AddCheckBox(other, otherLayout, 1045, "下完棋后提示存盘");

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    GButton* ok = AddImageButton(this, resources, 1, {347, 346, 344, 345}, "确定");
    GButton* cancel = AddImageButton(this, resources, 2, {336, 338, 339, 337}, "取消");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(appearance);
    layout->addWidget(other);
    layout->addLayout(buttons);

    m_sound->setChecked(m_values.isSound != 0);
    m_showStep->setChecked(m_values.isShowStep != 0);
    m_userInOut->setChecked(m_values.showUserInOut != 0);
    m_saveInfo->setChecked(m_values.saveInfo != 0);
    m_wood->setCurrentIndex(static_cast<int>(m_values.boardBack));
}

void SettingsDialog::accept() {
    m_values.boardBack = static_cast<uint32_t>(std::max(0, m_wood->currentIndex()));
    m_values.isSound = m_sound->isChecked() ? 1 : 0;
    m_values.isShowStep = m_showStep->isChecked() ? 1 : 0;
    m_values.showUserInOut = m_userInOut->isChecked() ? 1 : 0;
    m_values.saveInfo = m_saveInfo->isChecked() ? 1 : 0;
    QDialog::accept();
}

}  // namespace matchview
