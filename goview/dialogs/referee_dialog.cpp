#include "goview/dialogs/referee_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "goview/controls/control_id.h"
#include "goview/controls/dialog_group.h"
#include "goview/controls/flat_radio_button.h"
#include "goview/controls/transparent_group_box.h"
#include "goview/dialogs/dialog_ids.h"
#include "goview/dialogs/dialog_skin.h"

namespace goview {

RefereeDialog::RefereeDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("裁判"));
    SetControlId(this, dialog_ids::referee::kTemplate);
    ApplyPaperBackground(this, *resources);

    auto* group = new TransparentGroupBox(this);
    group->setTitle(QStringLiteral("判决"));
    auto* choices = new QHBoxLayout(group);
    choices->setContentsMargins(16, 24, 16, 12);
    static constexpr const char* kCaptions[] = {"黑棋胜", "白棋胜", "平局"};
    for (int i = 0; i < 3; ++i) {
        auto* choice = new FlatRadioButton(resources, QString::fromUtf8(kCaptions[i]), group);
        SetControlId(choice, dialog_ids::referee::kFirstVerdict + i);
        SetGroupMark(choice, i == 0 ? GroupMark::Start : GroupMark::Continue);
        choices->addWidget(choice);
        m_choices[static_cast<size_t>(i)] = choice;
    }
    m_choices[kDraw]->SetCheck(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(MakeOkCancelRow(resources, this));
}

void RefereeDialog::accept() {
    for (int i = 0; i < 3; ++i) {
        if (m_choices[static_cast<size_t>(i)]->GetCheck() != 0) {
            m_verdict = i;
            break;
        }
    }
    QDialog::accept();
}

}  // namespace goview
