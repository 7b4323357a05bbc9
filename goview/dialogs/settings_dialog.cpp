#include "goview/dialogs/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "goview/controls/control_id.h"
#include "goview/controls/transparent_group_box.h"
#include "goview/dialogs/dialog_ids.h"
#include "goview/dialogs/dialog_skin.h"

namespace goview {
namespace {

QCheckBox* AddCheckBox(QWidget* parent, QLayout* layout, int id, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    SetControlId(box, id);
    layout->addWidget(box);
    return box;
}


}  // namespace

SettingsDialog::SettingsDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("设置"));
    SetControlId(this, dialog_ids::settings::kTemplate);
    ApplyPaperBackground(this, *resources);
    setMinimumWidth(300);

    // Read the store again: the view's copy may hold unsaved run-time changes.
    m_values = ReadViewSettings();
    m_values.isSound = m_values.isSound != 0 ? 1 : 0;
    m_values.isShowStep = m_values.isShowStep != 0 ? 1 : 0;

    auto* appearance = new TransparentGroupBox(this);
    appearance->setTitle(QStringLiteral("界面设置"));
    auto* appearanceLayout = new QVBoxLayout(appearance);
    appearanceLayout->setContentsMargins(14, 22, 14, 12);
    m_sound = AddCheckBox(appearance, appearanceLayout, dialog_ids::settings::kSound, "打开声音效果");
    m_showStep = AddCheckBox(appearance, appearanceLayout, dialog_ids::settings::kShowStep, "显示数字");
    m_userInOut = AddCheckBox(appearance, appearanceLayout, dialog_ids::settings::kUserInOut, "显示用户进出消息");
    auto* woodRow = new QHBoxLayout();
    woodRow->addWidget(new QLabel(QStringLiteral("棋盘背景"), appearance));
    m_wood = new QComboBox(appearance);
    m_wood->addItems(WoodNames());
    SetControlId(m_wood, dialog_ids::settings::kWood);
    woodRow->addWidget(m_wood, 1);
    appearanceLayout->addLayout(woodRow);

    auto* other = new TransparentGroupBox(this);
    other->setTitle(QStringLiteral("其它设置"));
    auto* otherLayout = new QVBoxLayout(other);
    otherLayout->setContentsMargins(14, 22, 14, 12);
    m_saveInfo = AddCheckBox(other, otherLayout, dialog_ids::settings::kSaveInfo, "下完棋后提示存盘");

    QHBoxLayout* buttons = MakeOkCancelRow(resources, this);

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

}  // namespace goview
