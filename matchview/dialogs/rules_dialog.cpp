#include "matchview/dialogs/rules_dialog.h"

#include "matchview/controls/control_id.h"

namespace matchview {

RulesDialog::RulesDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* owner)
    : QDialog(owner), m_resources(std::move(resources)) {
    setWindowTitle(QStringLiteral("规则设定"));
    SetControlId(this, 167);
    setModal(false);
    hide();
}

}  // namespace matchview
